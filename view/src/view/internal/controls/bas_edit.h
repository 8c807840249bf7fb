#pragma once

#include <functional>

#include "view/internal/frame/accessible.h"
#include "view/internal/frame/window_impl.h"

// The implementation behind ZuEdit: a superclassed "EDIT" window that answers
// the reflected colour request with white and takes the Enter key-down.
class BASEdit : public view::frame::StandardControl<BASEdit>, public view::frame::Accessible {
 public:
  static constexpr const wchar_t* kStandardClass = L"EDIT";
  static constexpr const wchar_t* kPublicClass = view::kEditClass;

  void SetReadOnly(int read_only);
  void SetFont(HFONT font);
  void setTipValue(const wchar_t* tip);
  void setFuncEnterCallback(const std::function<void()>& f) { enter_callback_ = f; }

  bool ProcessWindowMessage(HWND wnd, UINT msg, WPARAM wparam, LPARAM lparam, LRESULT& result,
                            DWORD map_id) override;

  // The platform's edit, named by its tip text where it has no other name.
  view::frame::Accessible* accessible() override { return this; }
  bool DescribeAccessible(long child, view::frame::AccessibleInfo& info) override;
  bool DoAccessibleDefaultAction(long) override { return false; }

 private:
  std::function<void()> enter_callback_;
};

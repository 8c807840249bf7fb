#pragma once

#include <functional>

#include "view/internal/frame/window_impl.h"

// The implementation behind ZuEdit: a superclassed "EDIT" window that answers
// the reflected colour request with white and takes the Enter key-down.
class BASEdit : public view::frame::StandardControl<BASEdit> {
 public:
  static constexpr const wchar_t* kStandardClass = L"EDIT";

  void SetReadOnly(int read_only);
  void SetFont(HFONT font);
  void setTipValue(const wchar_t* tip);
  void setFuncEnterCallback(const std::function<void()>& f) { enter_callback_ = f; }

  bool ProcessWindowMessage(HWND wnd, UINT msg, WPARAM wparam, LPARAM lparam, LRESULT& result,
                            DWORD map_id) override;

 private:
  std::function<void()> enter_callback_;
};

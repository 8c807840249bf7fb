#pragma once

#include <functional>
#include <string>

#include "view/internal/frame/accessible.h"
#include "view/internal/frame/dpi.h"
#include "view/internal/frame/paint_buffers.h"
#include "view/internal/frame/window_impl.h"

// The implementation behind ZuEdit: a superclassed "EDIT" window that answers
// the reflected colour request with white (in dark and high contrast, with
// the palette's window and text colours) and takes the Enter key-down.
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
  // The font (and so the tip) at the new factor.
  void OnDpiChanged(float factor) override { font_.Rescale(*this, factor); }

  // The platform's edit, named by its tip text where it has no other name.
  view::frame::Accessible* accessible() override { return this; }
  bool DescribeAccessible(long child, view::frame::AccessibleInfo& info) override;
  bool DoAccessibleDefaultAction(long) override { return false; }

 private:
  // The reflected WM_CTLCOLOREDIT, or WM_CTLCOLORSTATIC of a read-only or
  // disabled box; false leaves the answer to the platform.
  bool AnswerColor(UINT msg, HDC dc, LRESULT& result);
  // An empty box with a tip, in dark or high contrast: the platform draws
  // its tip in its own grey, so the box paints itself, the tip in the
  // palette's tip colour. The tip to paint; empty when the platform paints.
  std::wstring OwnTip() const;
  void PaintTip(HDC dc, const std::wstring& tip);

  view::frame::FollowedFont font_{SYSTEM_FONT};
  std::function<void()> enter_callback_;
  view::frame::SolidBrushCache background_;
};

#pragma once

#include <functional>

#include "view/atl_types.h"
#include "view/export.h"
#include "view/platform.h"

class BASEdit;

// A single-line text box: the platform edit control with a white background
// (answered through the parent's reflected WM_CTLCOLOREDIT), a tip text that
// the platform shows while the box is empty, and a callback for Enter.
// Made in the per-monitor DPI mode (view/dpi.h), it paints with a copy of its
// font at its window's factor, made again at each DPI change; WM_GETFONT
// still answers the font it was given.
class VIEW_API ZuEdit {
 public:
  VIEW_WRAPPER_MEMBERS(ZuEdit);

  // Creates the box as a child of `parent`; style 0 means a visible child
  // that clips siblings and children, a null rect the default rectangle.
  // Returns the window or null.
  HWND Create(HWND parent, ATL::_U_RECT rect = static_cast<LPRECT>(nullptr),
              const wchar_t* name = nullptr, DWORD style = 0, DWORD exStyle = 0,
              ATL::_U_MENUorID id = 0U, void* createParam = nullptr);

  // These act on the window: call them after Create.
  void SetReadOnly(int read_only);
  void SetFont(HFONT font);
  // The tip shows whenever the box is empty, also while it has the focus.
  void setTipValue(const wchar_t* tip);

  // Called on every Enter key-down in the box (auto-repeats included); an
  // empty function clears it. Enter is consumed either way. In a dialog the
  // box asks for Enter (WM_GETDLGCODE) only while it has a callback, so
  // without one Enter presses the dialog's default button.
  void setFuncEnterCallback(std::function<void()>& f);
  void setFuncEnterCallback(const std::function<void()>& f);

 private:
  BASEdit* impl_;
};

#pragma once

#include <string>
#include <type_traits>

#include "view/button_status.h"
#include "view/internal/frame/accessible.h"
#include "view/internal/frame/button_layout.h"
#include "view/internal/frame/latch_group.h"
#include "view/internal/frame/owner_draw.h"
#include "view/internal/frame/paint_buffers.h"
#include "view/internal/frame/window_impl.h"

namespace view::frame {

// The hover and press state an owner-drawn button keeps.
struct HoverPressState {
  ButtonStatus status_ = kStatusNormal;
  bool tracking_mouse_ = false;
};

// Whether a release at client point `pt` of `wnd` lands inside its window
// rectangle (the test the standard button's click completion depends on).
bool ReleaseInsideWindow(HWND wnd, POINT client_pt);

// A button release at `lparam` (client coordinates) outside the window gives
// the capture back; returns true then, so that the caller swallows the
// release and no click is reported.
bool ReleasedOutside(HWND wnd, LPARAM lparam);

// The keyboard side of an owner-drawn button. A Space release clicks it the
// way a mouse click goes (BM_CLICK: press and release at the button's
// corner), so that the control's state, look and notifications follow
// exactly as for a click. Gaining or losing the focus and a change of the
// window's UI state repaint it, so that its focus cue follows; those go on
// to the standard button. Returns whether `msg` was consumed.
bool HandleButtonKeys(HWND wnd, UINT msg, WPARAM wparam, LRESULT& result);

// What every owner-drawn button offers besides its status: enabling, which
// sets the status to normal or disabled (even before the window exists),
// moving, the faces it has rendered, and what it tells assistive tools (a
// button whose default action is a click). T is the control, a WindowImpl.
template <class T>
class ButtonControl : public HoverPressState, public Accessible {
 public:
  // A click, the same path as the user's (a check box toggles, a radio
  // latches, the parent hears BN_CLICKED).
  bool DoAccessibleDefaultAction(long child) override {
    return child == CHILDID_SELF && PressButton(static_cast<T*>(this)->m_hWnd);
  }

  BOOL EnableWindow(BOOL enable) {
    status_ = enable ? kStatusNormal : kStatusDisable;
    HWND wnd = static_cast<T*>(this)->m_hWnd;
    return wnd != nullptr ? ::EnableWindow(wnd, enable) : FALSE;
  }
  BOOL MoveWindow(const RECT* rect, BOOL repaint) {
    HWND wnd = static_cast<T*>(this)->m_hWnd;
    if (wnd == nullptr || rect == nullptr) return FALSE;
    return ::MoveWindow(wnd, rect->left, rect->top, rect->right - rect->left,
                        rect->bottom - rect->top, repaint);
  }

  // What every owner-drawn button does with a message before its own
  // handling: HandleButtonKeys; a change of system colours or settings (which
  // the application passes on to its controls), or of whether keyboard cues
  // show, drops the faces painted with the old ones and repaints; destruction lets the faces go with the window.
  bool HandleButtonMessages(UINT msg, WPARAM wparam, LRESULT& result) {
    HWND wnd = static_cast<T*>(this)->m_hWnd;
    if (msg == WM_DESTROY) {
      faces_.Clear();
      return false;
    }
    if (msg == WM_UPDATEUISTATE && (HIWORD(wparam) & UISF_HIDEACCEL) != 0) {
      faces_.Clear();  // a caption's mnemonic underline shows or hides
    }
    if (msg == WM_SETTINGCHANGE || msg == WM_SYSCOLORCHANGE) {
      faces_.Clear();
      ::InvalidateRect(wnd, nullptr, FALSE);
      return false;
    }
    if constexpr (std::is_base_of_v<Latchable, T>) {
      if (HandleLatchMessages(*static_cast<T*>(this), wnd, msg, wparam, result)) return true;
    }
    return HandleButtonKeys(wnd, msg, wparam, result);
  }

  // The faces painted so far; every setter that changes the look clears it.
  FaceCache faces_;

 protected:
  // The description every button starts from: the button itself only, a
  // push button unless it latches (then `latching_role`), pressed by its
  // default action, named by its caption as shown (without the mnemonic's
  // ampersand).
  static bool DescribeButton(long child, AccessibleInfo& info, bool latching, LONG latching_role,
                             const std::wstring& caption) {
    if (child != CHILDID_SELF) return false;
    info.role = latching ? latching_role : ROLE_SYSTEM_PUSHBUTTON;
    info.latching = latching;
    info.action = L"Press";
    info.has_name = true;
    if (info.want_name) info.name = ParseMnemonic(caption).text;
    return true;
  }
};

// The scaffold of an owner-drawn button T: a window over the standard button
// class whose owner-draw requests go to T::DrawItem, with the shared button
// handling above, described to assistive tools by T::DescribeAccessible.
template <class T>
class OwnerDrawnButton : public WindowImpl, public OwnerDraw<T>, public ButtonControl<T> {
 public:
  static ClassRecord& GetClassRecord() {
    return PublicSuperclassRecord<T>(L"BUTTON", T::kPublicClass);
  }
  Accessible* accessible() override { return this; }
  // Made by class name: an owner-drawn button and a tab stop, whatever
  // button type the template asked for.
  DWORD AdoptStyle(DWORD style) override {
    return (style & ~BS_TYPEMASK) | BS_OWNERDRAW | WS_TABSTOP;
  }
};

// The shared hover/press handling of the owner-drawn buttons: moves request
// hover/leave reports (10 ms) and are relayed to the tooltip, hover and
// leave switch the status and repaint, presses repaint pressed, a release
// outside the window drops the capture and is swallowed so that no click is
// reported, and erasing is left to the paint. Returns whether `msg` is
// consumed; the status changes either way. With `repaint` false the status
// still changes but nothing is invalidated (for a control whose look does not
// follow hover and press, such as an image button in check-box mode).
bool HandleHoverPress(HWND wnd, HWND tooltip, HoverPressState& state, UINT msg, WPARAM wparam,
                      LPARAM lparam, LRESULT& result, bool repaint = true);

// Invalidates the whole control without erasing and paints it at once.
void RepaintNow(HWND wnd);

}  // namespace view::frame

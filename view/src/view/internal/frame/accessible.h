#pragma once

// What the library's controls tell assistive technology (screen readers,
// voice control, test automation) about themselves.
//
// A control describes itself through the small Accessible interface below;
// the frame does the rest the same way for every control: on the first
// WM_GETOBJECT for the client object it makes one object per window that
// wraps the platform's standard object (location, parent, focus, window
// states), answers role, state, name, value and default action from the
// control's description, keeps it for later requests, and cuts it off when
// the window goes, so that a client still holding it gets errors, never a
// crash. After each message the control handles, and after each setter that
// calls ReportAccessibleChanges, the frame compares the description with the
// last one and raises the state, selection and name events.

#include <string>

#include "view/platform.h"
// After the platform header, which sets the options windows.h is read with.
#include <oleacc.h>

namespace view::frame {

// One element as the control describes it: the control itself (child 0) or
// one of the simple elements beneath it (child 1..n).
struct AccessibleInfo {
  // Input: whether the name is wanted (it may cost a message to find).
  bool want_name = true;

  LONG role = 0;   // 0: the platform's role
  LONG state = 0;  // the control: bits added to the platform's; a child: its whole state
  bool has_name = false;
  bool name_if_none = false;  // the name stands only where the platform gives none
  std::wstring name;
  const wchar_t* action = nullptr;  // the default action's name; null: the platform's
  // Whether gaining STATE_SYSTEM_CHECKED or STATE_SYSTEM_SELECTED makes this
  // the chosen one of its group (a latched switch, tile or section).
  bool latching = false;
};

class AccessibleObject;

class Accessible {
 public:
  Accessible() = default;
  Accessible(const Accessible&) = delete;
  Accessible& operator=(const Accessible&) = delete;

  // ---- What a control answers -------------------------------------------
  // Simple elements beneath the control (rows, items, a header's check box).
  virtual long AccessibleChildCount() { return 0; }
  // Fills in `info` for `child`; false when there is no such child.
  virtual bool DescribeAccessible(long child, AccessibleInfo& info) = 0;
  // The value of `child`; false: none (the platform's, for the control).
  virtual bool AccessibleValue(long /*child*/, std::wstring& /*value*/) { return false; }
  // Where `child` (1..n) is, in screen coordinates; false when unknown.
  virtual bool AccessibleChildRect(long /*child*/, RECT& /*screen*/) { return false; }
  // Does the default action of `child` the way the user's click does it;
  // false: none here (the platform's, for the control).
  virtual bool DoAccessibleDefaultAction(long child) = 0;

  // ---- What the frame calls ----------------------------------------------
  // Answers WM_GETOBJECT for the client object of `wnd`; false otherwise.
  bool AnswerGetObject(HWND wnd, WPARAM wparam, LPARAM lparam, LRESULT& result);
  // Raises the events for what changed in the control's description since
  // the last report (the first report only takes note). Names are compared
  // only when `names` is set: they change through setters, not messages.
  void ReportChanges(HWND wnd, bool names);
  // Cuts every client off the object and lets it go; a new request makes a
  // new one.
  void DisconnectAccessible();

 protected:
  ~Accessible();

 private:
  AccessibleObject* object_ = nullptr;
  bool reported_ = false;
  LONG reported_state_ = 0;
  std::wstring reported_name_;
};

// Raises `event` for `child` of the client object of `wnd` (nothing for a
// null window).
void NotifyAccessible(DWORD event, HWND wnd, LONG child = CHILDID_SELF);

// The text of the tool a tooltip window shows for `control` (added with
// AddTooltipTool); empty when there is none.
std::wstring TooltipText(HWND tooltip, HWND control);

// Screen coordinates of a rectangle in `wnd`'s client coordinates.
RECT ClientToScreenRect(HWND wnd, RECT rect);

// The default action of a button: a click as BM_CLICK makes it. False for a
// disabled button, which takes no clicks.
bool PressButton(HWND wnd);

}  // namespace view::frame

#pragma once

// Reflection: the owner-drawn controls paint, measure and answer their
// notifications only when the parent window sends each notification back to
// the control it came from, as message + kReflectOffset with the same
// parameters. A parent adopts this with one line at the top of its window
// procedure:
//
//   ...  // the parent's own handling of its controls' notifications (BN_CLICKED, ...)
//   LRESULT result = 0;
//   if (view::ReflectNotification(wnd, msg, wparam, lparam, &result)) return result;
//   ...  // everything else, then DefWindowProcW
//
// The parent's own handling of a control's notification comes before that
// line, since a reflected notification returns the control's answer.
//
// and a dialog procedure with:
//
//   LRESULT result = 0;
//   if (view::ReflectNotification(dlg, msg, wparam, lparam, &result)) {
//     SetWindowLongPtrW(dlg, DWLP_MSGRESULT, result);
//     return TRUE;
//   }
//
// (WM_CTLCOLOR* answers, which a dialog procedure returns directly, are
// brushes: a dialog returns `result` itself for those.)

#include "view/export.h"
#include "view/platform.h"

namespace view {

// Added to a notification's message number to make the reflected message.
constexpr UINT kReflectOffset = 0x2000;

// The child window that a notification sent to `parent` comes from:
// WM_COMMAND and WM_CTLCOLOR*, WM_HSCROLL, WM_VSCROLL, WM_VKEYTOITEM,
// WM_CHARTOITEM name it in lParam, WM_NOTIFY in NMHDR::hwndFrom, WM_DRAWITEM,
// WM_COMPAREITEM and WM_DELETEITEM in their structure's hwndItem, and
// WM_MEASUREITEM by control id (also while that child is still being
// created). Null for menus and for every other message.
VIEW_API HWND NotificationSource(HWND parent, UINT msg, WPARAM wparam, LPARAM lparam);

// When the notification comes from one of this library's controls, sends it
// to that control as msg + kReflectOffset, stores the control's answer in
// *result (when result is not null) and returns true. Returns false for
// everything else, so that the parent's own handling and DefWindowProc go on
// as before: notifications of standard controls and of the parent itself, and
// the owner-data list's questions that only the parent can answer
// (LVN_GETDISPINFOW, LVN_ODFINDITEMW, LVN_ODCACHEHINT).
VIEW_API bool ReflectNotification(HWND parent, UINT msg, WPARAM wparam, LPARAM lparam,
                                  LRESULT* result);

}  // namespace view

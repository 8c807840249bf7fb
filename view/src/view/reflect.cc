#include "view/reflect.h"

#include "view/internal/frame/creating.h"
#include "view/internal/frame/dpi.h"
#include "view/internal/frame/theme_state.h"
#include "view/internal/frame/window_impl.h"

namespace view {
namespace {

// The owner-data list asks its parent for its rows; answered by the list
// itself they would come back empty.
bool ParentAnswers(UINT msg, LPARAM lparam) {
  if (msg != WM_NOTIFY) return false;
  switch (reinterpret_cast<const NMHDR*>(lparam)->code) {
    case LVN_GETDISPINFOW:
    case LVN_GETDISPINFOA:
    case LVN_ODFINDITEMW:
    case LVN_ODFINDITEMA:
    case LVN_ODCACHEHINT:
      return true;
    default:
      return false;
  }
}

}  // namespace

HWND NotificationSource(HWND parent, UINT msg, WPARAM wparam, LPARAM lparam) {
  switch (msg) {
    case WM_COMMAND:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
      return reinterpret_cast<HWND>(lparam);
    case WM_NOTIFY:
      return lparam != 0 ? reinterpret_cast<const NMHDR*>(lparam)->hwndFrom : nullptr;
    case WM_DRAWITEM:  // wParam 0: a menu item
      return wparam != 0 && lparam != 0 ? reinterpret_cast<const DRAWITEMSTRUCT*>(lparam)->hwndItem
                                        : nullptr;
    case WM_COMPAREITEM:
      return lparam != 0 ? reinterpret_cast<const COMPAREITEMSTRUCT*>(lparam)->hwndItem : nullptr;
    case WM_DELETEITEM:
      return lparam != 0 ? reinterpret_cast<const DELETEITEMSTRUCT*>(lparam)->hwndItem : nullptr;
    case WM_MEASUREITEM: {
      if (wparam == 0) return nullptr;  // a menu item
      // A child that is still being created comes first: its id may not be
      // unique yet, and the parent may not list it yet.
      const auto id = static_cast<UINT>(wparam);
      HWND creating = frame::FindCreatingChild(parent, id);
      return creating != nullptr ? creating : ::GetDlgItem(parent, static_cast<int>(id));
    }
    default:
      return nullptr;
  }
}

bool ReflectNotification(HWND parent, UINT msg, WPARAM wparam, LPARAM lparam, LRESULT* result) {
  if (msg == WM_SETTINGCHANGE) {
    frame::OnSettingChange(wparam, lparam);
    return false;
  }
  if (msg == frame::kWmDpiChanged) {
    // The controls follow; the window still moves to the suggested rectangle.
    frame::SendDpiChanged(parent, LOWORD(wparam));
    return false;
  }
  HWND source = NotificationSource(parent, msg, wparam, lparam);
  if (source == nullptr || source == parent || !::IsWindow(source)) return false;
  if (ParentAnswers(msg, lparam) || !frame::IsLibraryWindow(source)) return false;
  const LRESULT answer = ::SendMessageW(source, msg + kReflectOffset, wparam, lparam);
  if (result != nullptr) *result = answer;
  return true;
}

}  // namespace view

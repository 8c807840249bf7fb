#include "view/internal/frame/latch_group.h"

#include "view/internal/frame/window_impl.h"

namespace view::frame {
namespace {

bool Usable(HWND wnd) {
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(wnd, GWL_STYLE));
  return (style & (WS_VISIBLE | WS_DISABLED)) == WS_VISIBLE;
}

bool StartsGroup(HWND wnd) { return (GetWindowLongPtrW(wnd, GWL_STYLE) & WS_GROUP) != 0; }

void TellGroup(Latchable& button) {
  if (button.group_ != nullptr) button.group_->Latched(&button);
}

}  // namespace

Latchable::~Latchable() = default;

HWND GroupNeighbour(HWND wnd, bool forward) {
  if (forward) {
    for (HWND next = GetWindow(wnd, GW_HWNDNEXT); next != nullptr;
         next = GetWindow(next, GW_HWNDNEXT)) {
      if (StartsGroup(next)) return nullptr;  // the next group begins
      if (Usable(next)) return next;
    }
    return nullptr;
  }
  if (StartsGroup(wnd)) return nullptr;
  for (HWND prev = GetWindow(wnd, GW_HWNDPREV); prev != nullptr;
       prev = GetWindow(prev, GW_HWNDPREV)) {
    if (Usable(prev)) return prev;
    if (StartsGroup(prev)) return nullptr;  // the group's first member
  }
  return nullptr;
}

bool HandleLatchMessages(Latchable& button, HWND wnd, UINT msg, WPARAM wparam,
                         LRESULT& result) {
  switch (msg) {
    case WM_GETDLGCODE:
      result = DLGC_BUTTON | DLGC_WANTARROWS | (button.Latches() ? DLGC_RADIOBUTTON : 0);
      return true;
    case BM_GETCHECK:
      if (!button.Latches()) return false;
      result = button.IsLatched() ? BST_CHECKED : BST_UNCHECKED;
      return true;
    case WM_KEYDOWN: {
      if (wparam != VK_LEFT && wparam != VK_RIGHT && wparam != VK_UP && wparam != VK_DOWN) {
        return false;
      }
      result = 0;
      HWND next = GroupNeighbour(wnd, wparam == VK_RIGHT || wparam == VK_DOWN);
      if (next == nullptr) return true;
      SetFocus(next);
      // As the platform's radio buttons: the one reached is chosen.
      if ((SendMessageW(next, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) != 0 &&
          SendMessageW(next, BM_GETCHECK, 0, 0) != BST_CHECKED) {
        SendMessageW(next, BM_CLICK, 0, 0);
      }
      return true;
    }
    case kReflectBase + WM_COMMAND:
      if (HIWORD(wparam) == BN_CLICKED && button.IsLatched()) TellGroup(button);
      return false;
    default:
      return false;
  }
}

}  // namespace view::frame

#include "view/internal/frame/hover_press.h"

namespace view::frame {

bool ReleaseInsideWindow(HWND wnd, POINT client_pt) {
  POINT screen = client_pt;
  ClientToScreen(wnd, &screen);
  RECT window = {};
  GetWindowRect(wnd, &window);
  return PtInRect(&window, screen) != FALSE;
}

bool ReleasedOutside(HWND wnd, LPARAM lparam) {
  if (ReleaseInsideWindow(wnd, {GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)})) return false;
  if (GetCapture() == wnd) ReleaseCapture();
  return true;
}

void RepaintNow(HWND wnd) {
  InvalidateRect(wnd, nullptr, FALSE);
  UpdateWindow(wnd);
}

bool HandleButtonKeys(HWND wnd, UINT msg, WPARAM wparam, LRESULT& result) {
  switch (msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_UPDATEUISTATE:
      InvalidateRect(wnd, nullptr, FALSE);
      return false;
    case WM_KEYUP:
      // Only the release of a press the button took (its Space key-down).
      if (wparam != VK_SPACE || (SendMessageW(wnd, BM_GETSTATE, 0, 0) & BST_PUSHED) == 0) {
        return false;
      }
      SendMessageW(wnd, BM_SETSTATE, FALSE, 0);
      if (GetCapture() == wnd) ReleaseCapture();
      SendMessageW(wnd, BM_CLICK, 0, 0);
      result = 0;
      return true;
    default:
      return false;
  }
}

bool HandleHoverPress(HWND wnd, HWND tooltip, HoverPressState& state, UINT msg, WPARAM wparam,
                      LPARAM lparam, LRESULT& result, bool repaint) {
  switch (msg) {
    case WM_MOUSEMOVE: {
      if (tooltip != nullptr) {
        MSG relay = {wnd, msg, wparam, lparam, 0, {0, 0}};
        SendMessageW(tooltip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relay));
      }
      if (!state.tracking_mouse_) {
        TRACKMOUSEEVENT tme = {};
        tme.cbSize = sizeof(tme);
        tme.dwFlags = TME_HOVER | TME_LEAVE;
        tme.hwndTrack = wnd;
        tme.dwHoverTime = 10;
        if (_TrackMouseEvent(&tme)) state.tracking_mouse_ = true;
      }
      result = 0;
      return true;
    }
    case WM_MOUSEHOVER:
      state.status_ = kStatusHover;
      if (repaint) RepaintNow(wnd);
      result = 0;
      return true;
    case WM_MOUSELEAVE:
      state.status_ = kStatusNormal;
      if (repaint) InvalidateRect(wnd, nullptr, FALSE);
      state.tracking_mouse_ = false;
      result = 0;
      return true;
    case WM_LBUTTONDOWN:
      state.status_ = kStatusPressed;
      if (repaint) RepaintNow(wnd);
      return false;
    case WM_LBUTTONUP: {
      state.status_ = kStatusNormal;
      if (repaint) RepaintNow(wnd);
      if (!ReleasedOutside(wnd, lparam)) return false;
      result = 0;
      return true;
    }
    case BM_CLICK:
      state.status_ = kStatusPressed;
      return false;
    case WM_ERASEBKGND:
      result = 1;
      return true;
    default:
      return false;
  }
}

}  // namespace view::frame

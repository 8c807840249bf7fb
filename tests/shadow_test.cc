// The drop shadow of a top-level window: its window, how it follows the
// parent through the parent's hooked procedure, its image, click-through, and
// what it leaves behind when it goes.

#include <gtest/gtest.h>

#include <algorithm>
#include <cwchar>
#include <vector>

#include "harness.h"
#include "view/internal/controls/themed_shadow_wnd.h"
#include "view/zu_themed_shadow_wnd.h"

using view::frame::BoundObject;
using viewtest::HostWindow;
using view::internal::LiveShadowHookRecords;

namespace {

// Records every message that `host`'s own procedure gets in `seen`, which
// must outlive the host.
void Record(HostWindow& host, std::vector<UINT>& seen) {
  host.on_message = [&seen](UINT msg, WPARAM, LPARAM, LRESULT&) { return seen.push_back(msg), false; };
}
int Count(const std::vector<UINT>& seen, UINT msg) {
  return static_cast<int>(std::count(seen.begin(), seen.end(), msg));
}

RECT WindowRectOf(HWND wnd) {
  RECT rect = {};
  GetWindowRect(wnd, &rect);
  return rect;
}

// The shadow lies dx right of and dy below the parent, with its size.
void ExpectShadowAt(HWND shadow, HWND parent, int dx, int dy) {
  RECT p = WindowRectOf(parent);
  OffsetRect(&p, dx, dy);
  EXPECT_EQ(WindowRectOf(shadow), p);
}

void Place(HWND wnd, int x, int y, int width, int height, UINT flags) {
  SetWindowPos(wnd, nullptr, x, y, width, height, flags | SWP_NOZORDER | SWP_NOACTIVATE);
  viewtest::PumpUntilIdle();
}
void Resize(HWND wnd, int width, int height) { Place(wnd, 0, 0, width, height, SWP_NOMOVE); }
void Move(HWND wnd, int x, int y) { Place(wnd, x, y, 0, 0, SWP_NOSIZE); }

WNDPROC ProcOf(HWND wnd) { return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(wnd, GWLP_WNDPROC)); }

int Alpha(const viewtest::Image& image, int x, int y) { return image.ArgbAt(x, y) >> 24; }

// Activation and focus messages sent to any shadow window.
int g_activations = 0;
LRESULT CALLBACK WatchActivation(int code, WPARAM wparam, LPARAM lparam) {
  const auto* cwp = reinterpret_cast<const CWPSTRUCT*>(lparam);
  const UINT m = cwp->message;
  wchar_t name[64] = {};
  if (code == HC_ACTION && GetClassNameW(cwp->hwnd, name, 64) > 0 &&
      wcscmp(name, L"WTL_ThemedShadowWindow") == 0 &&
      ((m == WM_ACTIVATE && LOWORD(cwp->wParam) != WA_INACTIVE) || m == WM_SETFOCUS ||
       (m == WM_NCACTIVATE && cwp->wParam != 0))) {
    ++g_activations;
  }
  return CallNextHookEx(nullptr, code, wparam, lparam);
}
}  // namespace

TEST(ThemedShadow, CreatesALayeredClickThroughWindowThatFollowsTheParent) {
  std::vector<UINT> seen;
  HostWindow beneath(true, 500, 400, 150, 100);
  HostWindow parent(true, 400, 300, 200, 150);
  Record(beneath, seen);
  Record(parent, seen);
  g_activations = 0;
  HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, &WatchActivation, nullptr, GetCurrentThreadId());
  const size_t records = LiveShadowHookRecords();
  ZuThemedShadowWnd shadow;
  EXPECT_EQ(shadow.Create(nullptr), nullptr);
  HWND wnd = shadow.Create(parent);
  ASSERT_NE(wnd, nullptr);
  EXPECT_EQ(shadow.Create(parent), nullptr);  // one window per shadow
  EXPECT_EQ(GetWindow(wnd, GW_OWNER), static_cast<HWND>(parent));
  // Layered, transparent to the mouse, never activated, not topmost.
  EXPECT_EQ(GetWindowLongPtrW(wnd, GWL_EXSTYLE) &
                (WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_NOACTIVATE | WS_EX_TOPMOST),
            WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_NOACTIVATE);
  // The parent's procedure is the hook; a second shadow is refused and
  // leaves the hook alone.
  CThemedShadowWnd* impl = BoundObject<CThemedShadowWnd>(wnd);
  ASSERT_NE(impl, nullptr);
  EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(parent, GWLP_WNDPROC)), &ShadowParentProc);
  EXPECT_EQ(impl->hooked_parent(), static_cast<HWND>(parent));
  EXPECT_EQ(ZuThemedShadowWnd().Create(parent), nullptr);
  EXPECT_EQ(impl->hooked_parent(), static_cast<HWND>(parent));
  // The first adjustment places the shadow (5 for a size out of 1-255) and
  // builds its image.
  shadow.SetShadowSize(256);
  shadow.SetRightOffsetArea(3);
  shadow.AdjustWindowPos();
  ExpectShadowAt(wnd, parent, 5, 5);
  EXPECT_EQ(impl->image_builds(), 1);
  // Its image, the parent's size: nothing under the parent (all but the
  // last 5 + 3 columns and rows), a band along the right and the bottom edges.
  const viewtest::Image image = viewtest::FromBitmap(*impl->shadow_image());
  const RECT p = WindowRectOf(parent);
  const int w = p.right - p.left, h = p.bottom - p.top;
  ASSERT_EQ(SIZE({image.width, image.height}), SIZE({w, h}));
  int under = 0;
  for (int y = 0; y < h - 8; ++y)
    for (int x = 0; x < w - 8; ++x) under += Alpha(image, x, y) != 0;
  EXPECT_EQ(under, 0);
  // Across the band the shadow fades out towards its outer edge, pixel by
  // pixel, from a visible shade. (Windows honours the preset blend, full
  // black 5% of the way in; Wine ignores it and fades linearly from the
  // centre: both fade outwards.)
  for (int k = 1; k < 8; ++k) {
    EXPECT_LT(Alpha(image, w - k, h / 2), Alpha(image, w - k - 1, h / 2)) << k;
    EXPECT_LT(Alpha(image, w / 2, h - k), Alpha(image, w / 2, h - k - 1)) << k;
  }
  // A move: the hook moves the shadow along and the image stays; the
  // parent's own procedure still gets the message. A resize: a new image.
  Move(parent, 260, 180);
  ExpectShadowAt(wnd, parent, 5, 5);
  EXPECT_EQ(impl->image_builds(), 1);
  EXPECT_GE(Count(seen, WM_MOVE), 1);
  Resize(parent, 360, 240);
  ExpectShadowAt(wnd, parent, 5, 5);
  EXPECT_EQ(impl->shadow_image()->GetWidth(), 360u);
  EXPECT_EQ(impl->image_builds(), 2);
  // Hiding the parent hides the shadow and a move while hidden leaves it;
  // showing it shows the shadow, and the messages that follow bring the
  // shadow to the parent.
  ShowWindow(parent, SW_HIDE);
  viewtest::PumpUntilIdle();
  EXPECT_FALSE(IsWindowVisible(wnd));
  const RECT parked = WindowRectOf(wnd);
  Move(parent, 100, 100);
  EXPECT_EQ(WindowRectOf(wnd), parked);
  ShowWindow(parent, SW_SHOW);
  viewtest::PumpUntilIdle();
  EXPECT_TRUE(IsWindowVisible(wnd));
  ExpectShadowAt(wnd, parent, 5, 5);
  EXPECT_EQ(impl->image_builds(), 2);
  // A click on the shadow reaches the window beneath it; from its creation
  // on, the shadow was never activated.
  viewtest::BringToFront(parent);
  POINT at = {WindowRectOf(parent).right + 2, WindowRectOf(parent).top + 100};
  ScreenToClient(beneath, &at);
  viewtest::Click(beneath, at);
  EXPECT_EQ(Count(seen, WM_LBUTTONDOWN), 1);
  EXPECT_NE(GetForegroundWindow(), wnd);
  EXPECT_EQ(g_activations, 0);
  UnhookWindowsHookEx(hook);
  // Other offsets move the shadow and reuse its image; another window to
  // follow and another size take it there at the next adjustment.
  shadow.SetRoundOffset(2, 3);
  shadow.AdjustWindowPos();
  ExpectShadowAt(wnd, parent, 2, 3);
  EXPECT_EQ(impl->image_builds(), 2);
  HostWindow other(true, 200, 100, 500, 400);
  shadow.SetThemeParent(other);
  shadow.SetShadowSize(7);
  shadow.AdjustWindowPos();
  ExpectShadowAt(wnd, other, 4, 5);
  // The shadow is owned by the parent and goes with it; so does the record.
  // It leaves the screen as the parent is hidden on its way out, not after.
  int visible_as_parent_hid = -1;
  parent.on_message = [&](UINT msg, WPARAM, LPARAM lparam, LRESULT&) {
    if (msg == WM_WINDOWPOSCHANGED && (reinterpret_cast<WINDOWPOS*>(lparam)->flags & SWP_HIDEWINDOW))
      visible_as_parent_hid = IsWindowVisible(wnd);
    return false;
  };
  DestroyWindow(parent);
  EXPECT_EQ(visible_as_parent_hid, 0);
  viewtest::PumpUntilIdle();
  EXPECT_FALSE(IsWindow(wnd));
  EXPECT_EQ(LiveShadowHookRecords(), records);
}

namespace {
// A procedure that subclasses a parent on top of the shadow's hook.
WNDPROC g_below_top = nullptr;
int g_top_calls = 0;
LRESULT CALLBACK TopProc(HWND wnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  ++g_top_calls;
  return CallWindowProcW(g_below_top, wnd, msg, wparam, lparam);
}
}  // namespace

TEST(ThemedShadow, GoingAwayGivesTheParentItsProcedureBack) {
  std::vector<UINT> seen;
  HostWindow parent(true, 300, 200, 200, 150);
  Record(parent, seen);
  const WNDPROC own_proc = ProcOf(parent);
  LONG_PTR user_data = 0x5EED;
  SetWindowLongPtrW(parent, GWLP_USERDATA, user_data);
  const size_t records = LiveShadowHookRecords();
  const auto expect_unhooked = [&] {
    EXPECT_EQ(ProcOf(parent), own_proc);
    EXPECT_EQ(GetWindowLongPtrW(parent, GWLP_USERDATA), user_data);
    EXPECT_EQ(LiveShadowHookRecords(), records);
  };
  // The last of the sharing wrappers destroys the window and unhooks.
  HWND wnd = nullptr;
  {
    ZuThemedShadowWnd shadow;
    wnd = shadow.Create(parent);
    { ZuThemedShadowWnd gone(shadow); }
    EXPECT_TRUE(IsWindow(wnd));  // a copy that goes leaves the shadow to the others
    HostWindow other(true, 100, 80, 600, 150);
    ZuThemedShadowWnd copy(shadow), assigned;
    const HWND replaced = assigned.Create(other);
    assigned = copy;
    EXPECT_FALSE(IsWindow(replaced));  // its last wrapper was assigned over
    EXPECT_EQ(static_cast<HWND>(assigned), wnd);
    // The application's value stays its own while the shadow follows.
    EXPECT_EQ(GetWindowLongPtrW(parent, GWLP_USERDATA), user_data);
    user_data = 0x6B6B;
    SetWindowLongPtrW(parent, GWLP_USERDATA, user_data);
    shadow.AdjustWindowPos();
    Move(parent, 240, 170);
    ExpectShadowAt(wnd, parent, 5, 5);
  }
  EXPECT_FALSE(IsWindow(wnd));
  expect_unhooked();
  // With another procedure on top of the hook the chain stays intact: the
  // hook passes messages on, and takes itself out once it is on top again.
  {
    ZuThemedShadowWnd shadow;
    wnd = shadow.Create(parent);
    g_below_top = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(parent, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TopProc)));
    EXPECT_EQ(g_below_top, &ShadowParentProc);
  }
  EXPECT_FALSE(IsWindow(wnd));
  EXPECT_EQ(LiveShadowHookRecords(), records + 1);
  seen.clear();
  g_top_calls = 0;
  Resize(parent, 330, 220);
  EXPECT_GE(g_top_calls, 1);
  EXPECT_GE(Count(seen, WM_SIZE), 1);
  SetWindowLongPtrW(parent, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_below_top));
  SendMessageW(parent, WM_NULL, 0, 0);
  expect_unhooked();
  // The application destroys the shadow window: the hook goes with it, and
  // the same shadow can be created again.
  ZuThemedShadowWnd again;
  DestroyWindow(again.Create(parent));
  EXPECT_EQ(static_cast<HWND>(again), nullptr);
  expect_unhooked();
  ASSERT_NE(again.Create(parent), nullptr);
}


// The drop shadow of a top-level window: its window, how it follows the
// parent through the parent's hooked procedure, its image, click-through, and
// what it leaves behind when it goes.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cwchar>
#include <functional>
#include <memory>
#include <vector>

#include "harness.h"
#include "view/internal/controls/themed_shadow_wnd.h"
#include "view/zu_themed_shadow_wnd.h"

using view::frame::BoundObject;
using view::internal::LiveShadowHookRecords;

namespace {

// A borderless top-level window in one colour (its object sits in a window
// property) that records the messages its own procedure gets.
class TopWindow {
 public:
  TopWindow(int x, int y, int width, int height, COLORREF color) : color_(color) {
    static const ATOM atom = [] {
      WNDCLASSEXW wc = {};
      wc.cbSize = sizeof(wc);
      wc.lpfnWndProc = &TopWindow::Proc;
      wc.hInstance = GetModuleHandleW(nullptr);
      wc.lpszClassName = L"ShadowTestTop";
      return RegisterClassExW(&wc);
    }();
    hwnd_ = CreateWindowExW(0, MAKEINTATOM(atom), L"", WS_POPUP, x, y, width, height, nullptr,
                            nullptr, GetModuleHandleW(nullptr), this);
    ShowWindow(hwnd_, SW_SHOW);
    viewtest::BringToFront(hwnd_);
    viewtest::PumpUntilIdle();
  }
  ~TopWindow() {
    if (IsWindow(hwnd_)) DestroyWindow(hwnd_);
    viewtest::PumpUntilIdle();
  }
  operator HWND() const { return hwnd_; }
  int Count(UINT msg) const { return static_cast<int>(std::count(seen.begin(), seen.end(), msg)); }

  std::vector<UINT> seen;
  std::function<void(UINT)> on_message;  // runs inside the procedure

 private:
  static LRESULT CALLBACK Proc(HWND wnd, UINT msg, WPARAM wparam, LPARAM lparam) {
    if (msg == WM_NCCREATE) {
      SetPropW(wnd, L"ShadowTestTop", reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
    }
    auto* self = static_cast<TopWindow*>(GetPropW(wnd, L"ShadowTestTop"));
    if (msg == WM_NCDESTROY) RemovePropW(wnd, L"ShadowTestTop");
    if (self == nullptr) return DefWindowProcW(wnd, msg, wparam, lparam);
    self->seen.push_back(msg);
    if (self->on_message) self->on_message(msg);
    if (msg != WM_ERASEBKGND) return DefWindowProcW(wnd, msg, wparam, lparam);
    RECT rc;
    GetClientRect(wnd, &rc);
    HBRUSH brush = CreateSolidBrush(self->color_);
    FillRect(reinterpret_cast<HDC>(wparam), &rc, brush);
    DeleteObject(brush);
    return 1;
  }

  HWND hwnd_ = nullptr;
  COLORREF color_;
};

RECT WindowRectOf(HWND wnd) {
  RECT rect = {};
  GetWindowRect(wnd, &rect);
  return rect;
}

// The shadow lies dx right of and dy below the parent, with its size.
void ExpectShadowAt(HWND shadow, HWND parent, int dx, int dy) {
  const RECT s = WindowRectOf(shadow);
  const RECT p = WindowRectOf(parent);
  EXPECT_EQ(s.left - p.left, dx);
  EXPECT_EQ(s.top - p.top, dy);
  EXPECT_EQ(s.right - s.left, p.right - p.left);
  EXPECT_EQ(s.bottom - s.top, p.bottom - p.top);
}

void Resize(HWND wnd, int width, int height) {
  SetWindowPos(wnd, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  viewtest::PumpUntilIdle();
}
void Move(HWND wnd, int x, int y) {
  SetWindowPos(wnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  viewtest::PumpUntilIdle();
}

WNDPROC ProcOf(HWND wnd) { return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(wnd, GWLP_WNDPROC)); }

int Alpha(const viewtest::Image& image, int x, int y) { return image.ArgbAt(x, y) >> 24; }

}  // namespace

TEST(ShadowLayout, PlacementAndPaintedBand) {
  const RECT parent = {100, 50, 500, 350};
  // (Plain placement is checked on live windows below.)
  const auto rounded = view::internal::PlaceShadow(parent, 5, 3, 2);  // round x 3, y 2
  EXPECT_EQ(rounded.x, 102);
  EXPECT_EQ(rounded.y, 53);

  // All but a band of shadow size + offset area is left out; a window
  // smaller than the band is painted whole.
  const RECT band = view::internal::ShadowExcludedRect({0, 0, 400, 300}, 5, 1);
  EXPECT_TRUE(band.left == 0 && band.top == 0 && band.right == 394 && band.bottom == 294);
  EXPECT_EQ(view::internal::ShadowExcludedRect({0, 0, 400, 300}, 5, 0).right, 395);
  const RECT tiny = view::internal::ShadowExcludedRect({0, 0, 4, 40}, 5, 1);
  EXPECT_EQ(tiny.right, 0);
  EXPECT_EQ(tiny.bottom, 34);
}

TEST(ThemedShadow, CreatesALayeredClickThroughWindowAndHooksTheParent) {
  TopWindow parent(200, 150, 400, 300, RGB(40, 90, 200));
  const WNDPROC own_proc = ProcOf(parent);
  const size_t records = LiveShadowHookRecords();

  ZuThemedShadowWnd shadow;
  EXPECT_EQ(shadow.Create(nullptr), nullptr);
  HWND gone = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 9, 9, nullptr, nullptr, nullptr,
                              nullptr);
  DestroyWindow(gone);
  EXPECT_EQ(shadow.Create(gone), nullptr);
  HWND wnd = shadow.Create(parent);
  ASSERT_NE(wnd, nullptr);
  EXPECT_EQ(shadow.Create(parent), nullptr);  // one window per shadow

  wchar_t name[64] = {};
  GetClassNameW(wnd, name, 64);
  EXPECT_STREQ(name, L"WTL_ThemedShadowWindow");
  EXPECT_EQ(GetWindow(wnd, GW_OWNER), static_cast<HWND>(parent));
  // Visible, top-level, without caption, frame or maximize box; layered,
  // transparent to the mouse, never activated, not topmost; not yet placed.
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(wnd, GWL_STYLE));
  const auto ex_style = static_cast<DWORD>(GetWindowLongPtrW(wnd, GWL_EXSTYLE));
  EXPECT_EQ(style & (WS_CHILD | WS_POPUP | WS_CAPTION | WS_THICKFRAME | WS_MAXIMIZEBOX), 0u);
  EXPECT_NE(style & WS_VISIBLE, 0u);
  const DWORD wanted = WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_NOACTIVATE;
  EXPECT_EQ(ex_style & (wanted | WS_EX_TOPMOST), wanted);
  EXPECT_EQ(WindowRectOf(wnd).left, 1);
  EXPECT_EQ(WindowRectOf(wnd).top, 1);

  // The parent's procedure is the hook.
  CThemedShadowWnd* impl = BoundObject<CThemedShadowWnd>(wnd);
  ASSERT_NE(impl, nullptr);
  EXPECT_EQ(ProcOf(parent), &ShadowParentProc);
  EXPECT_NE(own_proc, &ShadowParentProc);
  EXPECT_EQ(impl->hooked_parent(), static_cast<HWND>(parent));
  EXPECT_EQ(LiveShadowHookRecords(), records + 1);
  // A parent carries one shadow: a second is refused, the first keeps the hook.
  {
    ZuThemedShadowWnd second;
    EXPECT_EQ(second.Create(parent), nullptr);
  }
  EXPECT_EQ(impl->hooked_parent(), static_cast<HWND>(parent));
  EXPECT_EQ(LiveShadowHookRecords(), records + 1);

  // The setters store only, with their fallbacks.
  for (int bad : {0, 256, -3}) {
    shadow.SetShadowSize(40);
    shadow.SetShadowSize(bad);
    EXPECT_EQ(impl->shadow_size(), 5) << bad;
  }
  shadow.SetShadowSize(255);
  EXPECT_EQ(impl->shadow_size(), 255);
  shadow.SetRightOffsetArea(-1);
  EXPECT_EQ(impl->right_offset_area(), 1);
  EXPECT_EQ(WindowRectOf(wnd).left, 1);
  EXPECT_EQ(impl->image_builds(), 0);

  // The first adjustment places the shadow and builds its image once; a
  // move to another offset reuses it.
  shadow.AdjustWindowPos();
  ExpectShadowAt(wnd, parent, 255, 255);
  EXPECT_EQ(impl->image_builds(), 1);
  ASSERT_NE(impl->shadow_bitmap(), nullptr);
  BITMAP info = {};
  GetObjectW(impl->shadow_bitmap(), sizeof(info), &info);
  EXPECT_EQ(info.bmWidth, 400);
  EXPECT_EQ(info.bmHeight, 300);
  shadow.SetShadowSize(5);
  shadow.SetRoundOffset(2, 3);
  shadow.AdjustWindowPos();
  ExpectShadowAt(wnd, parent, 2, 3);
  EXPECT_EQ(impl->image_builds(), 1);

  // The shadow is owned by the parent and goes with it; so does the record.
  DestroyWindow(parent);
  viewtest::PumpUntilIdle();
  EXPECT_FALSE(IsWindow(wnd));
  EXPECT_EQ(static_cast<HWND>(shadow), nullptr);
  EXPECT_EQ(LiveShadowHookRecords(), records);
}

TEST(ThemedShadow, FollowsTheParentAndRebuildsOnlyOnResize) {
  TopWindow parent(200, 150, 300, 200, RGB(40, 90, 200));
  ZuThemedShadowWnd shadow;
  HWND wnd = shadow.Create(parent);
  ASSERT_NE(wnd, nullptr);
  CThemedShadowWnd* impl = BoundObject<CThemedShadowWnd>(wnd);
  ASSERT_NE(impl, nullptr);
  shadow.AdjustWindowPos();

  // A move: the hook moves the shadow along and the image stays; the
  // parent's own procedure still gets the message.
  parent.seen.clear();
  Move(parent, 260, 180);
  EXPECT_EQ(WindowRectOf(wnd).left, 265);
  ExpectShadowAt(wnd, parent, 5, 5);
  EXPECT_EQ(impl->image_builds(), 1);
  EXPECT_GE(parent.Count(WM_MOVE), 1);

  // Resizes: new images of the new size, and no GDI object kept behind.
  Resize(parent, 360, 240);
  ExpectShadowAt(wnd, parent, 5, 5);
  EXPECT_EQ(impl->image_builds(), 2);
  ASSERT_NE(impl->shadow_image(), nullptr);
  EXPECT_EQ(impl->shadow_image()->GetWidth(), 360u);
  const int gdi_objects = viewtest::CountGdiObjects();
  for (int width : {361, 362, 360}) Resize(parent, width, 240);
  EXPECT_EQ(impl->image_builds(), 5);
  EXPECT_EQ(viewtest::CountGdiObjects(), gdi_objects);

  // Hiding the parent hides the shadow; a move while hidden leaves it.
  ShowWindow(parent, SW_HIDE);
  viewtest::PumpUntilIdle();
  EXPECT_FALSE(IsWindowVisible(wnd));
  const RECT parked = WindowRectOf(wnd);
  Move(parent, 100, 100);
  EXPECT_EQ(WindowRectOf(wnd).left, parked.left);
  EXPECT_EQ(WindowRectOf(wnd).top, parked.top);
  // Showing it shows the shadow, and the messages that follow while the
  // parent is visible bring the shadow to it.
  ShowWindow(parent, SW_SHOW);
  viewtest::PumpUntilIdle();
  EXPECT_TRUE(IsWindowVisible(wnd));
  EXPECT_EQ(WindowRectOf(wnd).left, 105);
  ExpectShadowAt(wnd, parent, 5, 5);
  EXPECT_EQ(impl->image_builds(), 5);

  // After SetThemeParent adjustments follow the new window; the hook stays.
  TopWindow other(500, 400, 200, 100, RGB(200, 90, 40));
  shadow.SetThemeParent(other);
  shadow.AdjustWindowPos();
  ExpectShadowAt(wnd, other, 5, 5);
  EXPECT_EQ(ProcOf(parent), &ShadowParentProc);
  EXPECT_NE(ProcOf(other), &ShadowParentProc);
}

TEST(ThemedShadow, ImageIsAFadingBandAlongTheRightAndBottom) {
  TopWindow parent(200, 150, 400, 300, RGB(40, 90, 200));
  ZuThemedShadowWnd shadow;
  ASSERT_NE(shadow.Create(parent), nullptr);
  CThemedShadowWnd* impl = BoundObject<CThemedShadowWnd>(shadow);
  ASSERT_NE(impl, nullptr);
  shadow.AdjustWindowPos();
  ASSERT_NE(impl->shadow_image(), nullptr);
  const viewtest::Image image = viewtest::FromBitmap(*impl->shadow_image());
  ASSERT_EQ(image.width, 400);
  ASSERT_EQ(image.height, 300);

  // Under the parent (all but the last 6 columns and rows): nothing.
  int under = 0;
  for (int y = 0; y < 294; ++y) {
    for (int x = 0; x < 394; ++x) under += Alpha(image, x, y) != 0 ? 1 : 0;
  }
  EXPECT_EQ(under, 0);

  // The band fades toward the outline. A pixel whose centre lies d pixels
  // inside the outline, on the way to the centre point `half` pixels away,
  // is at blend position p = d / half. How its alpha follows p is the
  // platform's: Windows honours the preset blend (255 * p / 0.05, full
  // strength 5 % of the way in, so the whole band lies in the fade); Wine's
  // GDI+ ignores preset blends and fades linearly from the centre colour to
  // the surround colour (255 * p), which leaves the band far fainter.
  std::printf("alpha, right band at mid-height:");
  for (int x = 394; x < 400; ++x) std::printf(" %d", Alpha(image, x, 150));
  std::printf("; bottom band at mid-width:");
  for (int y = 294; y < 300; ++y) std::printf(" %d", Alpha(image, 200, y));
  std::printf("\n");
  auto fits_a_fade = [](int alpha, double d, double half) {
    const double p = d / half;
    return std::abs(alpha - 255.0 * p / 0.05) <= 30.0 || std::abs(alpha - 255.0 * p) <= 4.0;
  };
  for (int i = 0; i < 4; ++i) {
    EXPECT_GT(Alpha(image, 394 + i, 150), 0) << i;
    EXPECT_GT(Alpha(image, 200, 294 + i), 0) << i;
    EXPECT_GE(Alpha(image, 394 + i, 150), Alpha(image, 395 + i, 150)) << i;
    EXPECT_GE(Alpha(image, 200, 294 + i), Alpha(image, 200, 295 + i)) << i;
    EXPECT_TRUE(fits_a_fade(Alpha(image, 394 + i, 150), 5.5 - i, 200.0)) << i;
    EXPECT_TRUE(fits_a_fade(Alpha(image, 200, 294 + i), 5.5 - i, 150.0)) << i;
  }
  if (HasFailure()) viewtest::SaveArtifact(image, "shadow_image");

  // SetRightOffsetArea(0) narrows the band by its column under the parent
  // at the next size change.
  shadow.SetRightOffsetArea(0);
  Resize(parent, 400, 301);
  ASSERT_NE(impl->shadow_image(), nullptr);
  const viewtest::Image narrower = viewtest::FromBitmap(*impl->shadow_image());
  EXPECT_EQ(Alpha(narrower, 394, 150), 0);
  EXPECT_GT(Alpha(narrower, 395, 150), 0);
}

namespace {
// Activation and focus messages sent to any shadow window.
std::vector<UINT> g_activations;
LRESULT CALLBACK WatchActivation(int code, WPARAM wparam, LPARAM lparam) {
  const auto* cwp = reinterpret_cast<const CWPSTRUCT*>(lparam);
  const UINT m = cwp->message;
  const bool activating = (m == WM_ACTIVATE && LOWORD(cwp->wParam) != WA_INACTIVE) ||
                          m == WM_SETFOCUS || (m == WM_NCACTIVATE && cwp->wParam != 0);
  wchar_t name[64] = {};
  if (code == HC_ACTION && activating && GetClassNameW(cwp->hwnd, name, 64) > 0 &&
      wcscmp(name, L"WTL_ThemedShadowWindow") == 0) {
    g_activations.push_back(m);
  }
  return CallNextHookEx(nullptr, code, wparam, lparam);
}
}  // namespace

TEST(ThemedShadow, ShowsOnScreenLetsClicksThroughAndIsNeverActivated) {
  // A white window beneath, the parent over part of it, the shadow between.
  TopWindow beneath(150, 100, 500, 400, RGB(255, 255, 255));
  TopWindow parent(200, 150, 300, 200, RGB(40, 90, 200));
  g_activations.clear();
  HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, &WatchActivation, nullptr, GetCurrentThreadId());
  ASSERT_NE(hook, nullptr);
  ZuThemedShadowWnd shadow;
  HWND wnd = shadow.Create(parent);
  ASSERT_NE(wnd, nullptr);
  shadow.AdjustWindowPos();
  viewtest::PumpUntilIdle();
  // Hidden and shown again through the parent.
  ShowWindow(parent, SW_HIDE);
  viewtest::PumpUntilIdle();
  ShowWindow(parent, SW_SHOW);
  viewtest::BringToFront(parent);
  viewtest::PumpUntilIdle();
  ASSERT_TRUE(IsWindowVisible(wnd));

  // On screen, a strip across the parent's right edge 100 pixels down:
  // columns 10-14 are the band beside the parent, darker than the white
  // beneath; from column 16 the white is untouched; column 5 is the parent.
  // (Per-pixel alpha shows only with a compositor; the test scripts run one.)
  const RECT p = WindowRectOf(parent);
  const RECT strip = {p.right - 10, p.top + 80, p.right + 20, p.top + 120};
  viewtest::Image screen;
  const bool shown = viewtest::PumpUntil(
      [&] {
        screen = viewtest::CaptureScreen(strip);
        int darkest = 255;
        for (int x = 10; x < 15; ++x) darkest = std::min<int>(darkest, screen.At(x, 20) & 0xFF);
        return darkest < 255;
      },
      3000);
  EXPECT_TRUE(shown) << "no shadow on screen beside the parent";
  EXPECT_EQ(screen.Count(0xFFFFFF, 16, 0, 30, screen.height), 14 * screen.height);
  EXPECT_EQ(screen.At(5, 20), viewtest::Rgb(RGB(40, 90, 200)));
  if (HasFailure()) viewtest::SaveArtifact(screen, "shadow_screen");

  // A click on the shadow reaches the window beneath it.
  beneath.seen.clear();
  viewtest::Click(beneath, {p.right + 2 - 150, p.top + 100 - 100});
  EXPECT_EQ(beneath.Count(WM_LBUTTONDOWN), 1);
  EXPECT_EQ(beneath.Count(WM_LBUTTONUP), 1);

  EXPECT_NE(GetForegroundWindow(), wnd);
  EXPECT_NE(GetActiveWindow(), wnd);
  EXPECT_NE(GetFocus(), wnd);
  EXPECT_TRUE(g_activations.empty()) << g_activations.size() << " activation messages";
  UnhookWindowsHookEx(hook);
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
  TopWindow parent(200, 150, 300, 200, RGB(40, 90, 200));
  const WNDPROC own_proc = ProcOf(parent);
  SetWindowLongPtrW(parent, GWLP_USERDATA, 0x5EED);
  const size_t records = LiveShadowHookRecords();

  // The last of the sharing wrappers destroys the window and unhooks.
  HWND wnd = nullptr;
  {
    ZuThemedShadowWnd shadow;
    wnd = shadow.Create(parent);
    ASSERT_NE(wnd, nullptr);
    ZuThemedShadowWnd copy(shadow);
    ZuThemedShadowWnd assigned;
    assigned = copy;
    shadow.AdjustWindowPos();
    EXPECT_EQ(static_cast<HWND>(assigned), wnd);
  }
  EXPECT_FALSE(IsWindow(wnd));
  EXPECT_EQ(ProcOf(parent), own_proc);
  EXPECT_EQ(GetWindowLongPtrW(parent, GWLP_USERDATA), 0x5EED);
  EXPECT_EQ(LiveShadowHookRecords(), records);

  // With another procedure on top of the hook the chain stays intact: the
  // hook passes messages on, and takes itself out once it is on top again.
  {
    ZuThemedShadowWnd shadow;
    wnd = shadow.Create(parent);
    ASSERT_NE(wnd, nullptr);
    g_below_top = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(parent, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TopProc)));
    EXPECT_EQ(g_below_top, &ShadowParentProc);
  }
  EXPECT_FALSE(IsWindow(wnd));
  EXPECT_EQ(ProcOf(parent), &TopProc);
  EXPECT_EQ(LiveShadowHookRecords(), records + 1);
  parent.seen.clear();
  g_top_calls = 0;
  Resize(parent, 330, 220);
  EXPECT_GE(g_top_calls, 1);
  EXPECT_GE(parent.Count(WM_SIZE), 1);
  SetWindowLongPtrW(parent, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_below_top));
  SendMessageW(parent, WM_NULL, 0, 0);
  EXPECT_EQ(ProcOf(parent), own_proc);
  EXPECT_EQ(GetWindowLongPtrW(parent, GWLP_USERDATA), 0x5EED);
  EXPECT_EQ(LiveShadowHookRecords(), records);

  // The application drops the shadow inside one of the parent's messages:
  // the running hook call finishes on a record that lives until it returns.
  auto held = std::make_unique<ZuThemedShadowWnd>();
  wnd = held->Create(parent);
  ASSERT_NE(wnd, nullptr);
  held->AdjustWindowPos();
  parent.on_message = [&](UINT msg) {
    if (msg == WM_SIZE) held.reset();
  };
  Resize(parent, 300, 200);
  parent.on_message = nullptr;
  EXPECT_EQ(held, nullptr);
  EXPECT_FALSE(IsWindow(wnd));
  EXPECT_EQ(ProcOf(parent), own_proc);
  EXPECT_EQ(LiveShadowHookRecords(), records);

  // The application destroys the shadow window: the hook goes with it, and
  // the same shadow can be created again.
  ZuThemedShadowWnd again;
  wnd = again.Create(parent);
  ASSERT_NE(wnd, nullptr);
  DestroyWindow(wnd);
  EXPECT_EQ(static_cast<HWND>(again), nullptr);
  EXPECT_EQ(ProcOf(parent), own_proc);
  ASSERT_NE(again.Create(parent), nullptr);
  again.AdjustWindowPos();
  ExpectShadowAt(again, parent, 5, 5);
}

TEST(ThemedShadow, LeavesTheParentsUserDataToTheApplication) {
  TopWindow parent(200, 150, 300, 200, RGB(40, 90, 200));
  SetWindowLongPtrW(parent, GWLP_USERDATA, 0x5A5A);
  {
    ZuThemedShadowWnd shadow;
    HWND wnd = shadow.Create(parent);
    ASSERT_NE(wnd, nullptr);
    EXPECT_EQ(GetWindowLongPtrW(parent, GWLP_USERDATA), 0x5A5A);
    // The application changes its value while the shadow follows the parent.
    SetWindowLongPtrW(parent, GWLP_USERDATA, 0x6B6B);
    shadow.AdjustWindowPos();
    Move(parent, 240, 170);
    Resize(parent, 320, 210);
    ExpectShadowAt(wnd, parent, 5, 5);
    EXPECT_EQ(GetWindowLongPtrW(parent, GWLP_USERDATA), 0x6B6B);
  }
  EXPECT_EQ(GetWindowLongPtrW(parent, GWLP_USERDATA), 0x6B6B);
}

// The drop shadow of a top-level window: its window, how it follows the
// parent through the parent's hooked procedure, its image, click-through, and
// what it leaves behind when it goes.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cwchar>
#include <memory>
#include <vector>

#include "harness.h"
#include "view/internal/themed_shadow_wnd.h"
#include "view/zu_themed_shadow_wnd.h"

using view::frame::BoundObject;
using view::internal::PlaceShadow;
using view::internal::ShadowExcludedRect;

namespace {

// A top-level window of the test's own that leaves GWLP_USERDATA to the
// shadow (its object lives in a window property) and records what its own
// procedure sees.
class TopWindow {
 public:
  TopWindow(int x, int y, int width, int height, COLORREF color, bool show = true)
      : color_(color) {
    static const ATOM atom = [] {
      WNDCLASSEXW wc = {};
      wc.cbSize = sizeof(wc);
      wc.lpfnWndProc = &TopWindow::Proc;
      wc.hInstance = GetModuleHandleW(nullptr);
      wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
      wc.lpszClassName = L"ShadowTestTop";
      return RegisterClassExW(&wc);
    }();
    (void)atom;
    hwnd_ = CreateWindowExW(0, L"ShadowTestTop", L"", WS_POPUP, x, y, width, height, nullptr,
                            nullptr, GetModuleHandleW(nullptr), this);
    if (show) {
      ShowWindow(hwnd_, SW_SHOW);
      viewtest::BringToFront(hwnd_);
      viewtest::PumpUntilIdle();
    }
  }
  ~TopWindow() {
    if (IsWindow(hwnd_)) DestroyWindow(hwnd_);
    viewtest::PumpUntilIdle();
  }
  TopWindow(const TopWindow&) = delete;
  TopWindow& operator=(const TopWindow&) = delete;

  HWND hwnd() const { return hwnd_; }
  operator HWND() const { return hwnd_; }
  int Count(UINT msg) const {
    int n = 0;
    for (UINT m : seen) n += m == msg ? 1 : 0;
    return n;
  }

  std::vector<UINT> seen;
  std::function<void(UINT)> on_message;  // runs inside the procedure

 private:
  static LRESULT CALLBACK Proc(HWND wnd, UINT msg, WPARAM wparam, LPARAM lparam) {
    if (msg == WM_NCCREATE) {
      SetPropW(wnd, L"ShadowTestTop",
               reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
    }
    auto* self = static_cast<TopWindow*>(GetPropW(wnd, L"ShadowTestTop"));
    if (msg == WM_NCDESTROY) RemovePropW(wnd, L"ShadowTestTop");
    if (self == nullptr) return DefWindowProcW(wnd, msg, wparam, lparam);
    self->seen.push_back(msg);
    if (self->on_message) self->on_message(msg);
    if (msg == WM_ERASEBKGND) {
      RECT rc;
      GetClientRect(wnd, &rc);
      HBRUSH brush = CreateSolidBrush(self->color_);
      FillRect(reinterpret_cast<HDC>(wparam), &rc, brush);
      DeleteObject(brush);
      return 1;
    }
    return DefWindowProcW(wnd, msg, wparam, lparam);
  }

  HWND hwnd_ = nullptr;
  COLORREF color_;
};

RECT WindowRectOf(HWND wnd) {
  RECT rect = {};
  GetWindowRect(wnd, &rect);
  return rect;
}

// The shadow's rectangle relative to the parent's: the offset and the sizes.
void ExpectShadowAt(HWND shadow, HWND parent, int dx, int dy) {
  const RECT s = WindowRectOf(shadow);
  const RECT p = WindowRectOf(parent);
  EXPECT_EQ(s.left - p.left, dx);
  EXPECT_EQ(s.top - p.top, dy);
  EXPECT_EQ(s.right - s.left, p.right - p.left);
  EXPECT_EQ(s.bottom - s.top, p.bottom - p.top);
}

WNDPROC ProcOf(HWND wnd) { return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(wnd, GWLP_WNDPROC)); }

int Alpha(const viewtest::Image& image, int x, int y) { return image.ArgbAt(x, y) >> 24; }

}  // namespace

TEST(ShadowLayout, PlacementBandAndSetterRules) {
  const RECT parent = {100, 50, 500, 350};
  const auto plain = PlaceShadow(parent, 5, 0, 0);
  EXPECT_EQ(plain.x, 105);
  EXPECT_EQ(plain.y, 55);
  EXPECT_EQ(plain.width, 400);
  EXPECT_EQ(plain.height, 300);
  // SetRoundOffset(2, 3): 2 off the downward shift, 3 off the rightward one.
  const auto rounded = PlaceShadow(parent, 5, 3, 2);
  EXPECT_EQ(rounded.x, 102);
  EXPECT_EQ(rounded.y, 53);

  // The parent covers all but a band of shadow size + offset area.
  const RECT client = {0, 0, 400, 300};
  const RECT band6 = ShadowExcludedRect(client, 5, 1);
  EXPECT_EQ(band6.left, 0);
  EXPECT_EQ(band6.top, 0);
  EXPECT_EQ(band6.right, 394);
  EXPECT_EQ(band6.bottom, 294);
  EXPECT_EQ(ShadowExcludedRect(client, 5, 0).right, 395);
  // A window narrower than the band is painted whole.
  const RECT tiny = ShadowExcludedRect({0, 0, 4, 40}, 5, 1);
  EXPECT_EQ(tiny.right, 0);
  EXPECT_EQ(tiny.bottom, 34);

  for (int bad : {0, 256, -3}) EXPECT_EQ(view::internal::ValidShadowSize(bad), 5) << bad;
  EXPECT_EQ(view::internal::ValidShadowSize(255), 255);
  EXPECT_EQ(view::internal::ValidShadowSize(1), 1);
  EXPECT_EQ(view::internal::ValidRightOffsetArea(0), 0);
  EXPECT_EQ(view::internal::ValidRightOffsetArea(-1), 1);
}

TEST(ThemedShadow, CreatesALayeredClickThroughWindowAndHooksTheParent) {
  TopWindow parent(200, 150, 400, 300, RGB(40, 90, 200));
  SetWindowLongPtrW(parent, GWLP_USERDATA, 0x5EED);  // given back when the shadow goes
  const WNDPROC own_proc = ProcOf(parent);
  const size_t records_before = view::internal::LiveShadowHookRecords();

  ZuThemedShadowWnd shadow;
  EXPECT_EQ(static_cast<HWND>(shadow), nullptr);
  EXPECT_EQ(shadow.Create(nullptr), nullptr);
  HWND gone = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                              nullptr, nullptr);
  DestroyWindow(gone);
  EXPECT_EQ(shadow.Create(gone), nullptr);
  HWND wnd = shadow.Create(parent);
  ASSERT_NE(wnd, nullptr);
  EXPECT_EQ(static_cast<HWND>(shadow), wnd);
  EXPECT_EQ(shadow.Create(parent), nullptr);  // one window per shadow

  wchar_t name[64] = {};
  GetClassNameW(wnd, name, 64);
  EXPECT_STREQ(name, L"WTL_ThemedShadowWindow");
  EXPECT_EQ(GetClassLongPtrW(wnd, GCL_STYLE),
            static_cast<ULONG_PTR>(CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS));
  EXPECT_EQ(GetClassLongPtrW(wnd, GCLP_HBRBACKGROUND), static_cast<ULONG_PTR>(COLOR_WINDOW + 1));
  EXPECT_EQ(GetWindow(wnd, GW_OWNER), parent.hwnd());

  // A visible top-level window without caption, frame or maximize box;
  // layered, transparent to the mouse, never activated, not topmost.
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(wnd, GWL_STYLE));
  const auto ex_style = static_cast<DWORD>(GetWindowLongPtrW(wnd, GWL_EXSTYLE));
  EXPECT_EQ(style & (WS_CHILD | WS_POPUP | WS_CAPTION | WS_THICKFRAME | WS_MAXIMIZEBOX), 0u);
  EXPECT_NE(style & WS_VISIBLE, 0u);
  const DWORD wanted = WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_NOACTIVATE;
  EXPECT_EQ(ex_style & wanted, wanted);
  EXPECT_EQ(ex_style & WS_EX_TOPMOST, 0u);
  const RECT start = WindowRectOf(wnd);
  EXPECT_EQ(start.left, 1);
  EXPECT_EQ(start.top, 1);

  // The parent's procedure is the hook; its user data the hook's record.
  EXPECT_EQ(ProcOf(parent), &ShadowParentProc);
  auto* record = reinterpret_cast<ShadowHookRecord*>(GetWindowLongPtrW(parent, GWLP_USERDATA));
  CThemedShadowWnd* impl = BoundObject<CThemedShadowWnd>(wnd);
  ASSERT_NE(impl, nullptr);
  EXPECT_EQ(record->shadow, impl);
  EXPECT_EQ(record->previous_proc, own_proc);
  EXPECT_EQ(impl->hooked_parent(), parent.hwnd());
  EXPECT_EQ(view::internal::LiveShadowHookRecords(), records_before + 1);

  // A parent carries one shadow: a second one is refused and the first
  // keeps the hook.
  {
    ZuThemedShadowWnd second;
    EXPECT_EQ(second.Create(parent), nullptr);
    EXPECT_EQ(GetWindowLongPtrW(parent, GWLP_USERDATA), reinterpret_cast<LONG_PTR>(record));
  }
  EXPECT_EQ(ProcOf(parent), &ShadowParentProc);

  // Nothing is built before the first AdjustWindowPos.
  EXPECT_EQ(impl->image_builds(), 0);
  EXPECT_EQ(impl->shadow_image(), nullptr);
  shadow.AdjustWindowPos();
  ExpectShadowAt(wnd, parent, 5, 5);
  EXPECT_EQ(impl->image_builds(), 1);
  ASSERT_NE(impl->shadow_bitmap(), nullptr);
  BITMAP info = {};
  GetObjectW(impl->shadow_bitmap(), sizeof(info), &info);
  EXPECT_EQ(info.bmWidth, 400);
  EXPECT_EQ(info.bmHeight, 300);

  DestroyWindow(parent);
  viewtest::PumpUntilIdle();
  // The shadow is owned by the parent and goes with it; so does the record.
  EXPECT_FALSE(IsWindow(wnd));
  EXPECT_EQ(static_cast<HWND>(shadow), nullptr);
  EXPECT_EQ(view::internal::LiveShadowHookRecords(), records_before);
}

TEST(ThemedShadow, SettersTakeEffectAtTheNextAdjustment) {
  TopWindow parent(200, 150, 300, 200, RGB(40, 90, 200));
  ZuThemedShadowWnd shadow;
  ASSERT_NE(shadow.Create(parent), nullptr);
  CThemedShadowWnd* impl = BoundObject<CThemedShadowWnd>(shadow);
  ASSERT_NE(impl, nullptr);

  for (int bad : {0, 256, -3}) {
    shadow.SetShadowSize(40);
    shadow.SetShadowSize(bad);
    EXPECT_EQ(impl->shadow_size(), 5) << bad;
  }
  shadow.SetShadowSize(255);
  EXPECT_EQ(impl->shadow_size(), 255);
  shadow.SetRightOffsetArea(0);
  EXPECT_EQ(impl->right_offset_area(), 0);
  shadow.SetRightOffsetArea(-1);
  EXPECT_EQ(impl->right_offset_area(), 1);

  // Storing moves nothing.
  const RECT before = WindowRectOf(shadow);
  EXPECT_EQ(WindowRectOf(shadow).left, before.left);
  shadow.AdjustWindowPos();
  ExpectShadowAt(shadow, parent, 255, 255);

  shadow.SetShadowSize(5);
  shadow.SetRoundOffset(2, 3);
  EXPECT_EQ(impl->round_offset_y(), 2);
  EXPECT_EQ(impl->round_offset_x(), 3);
  shadow.AdjustWindowPos();
  ExpectShadowAt(shadow, parent, 2, 3);
  // Same size: the moves rebuilt nothing after the first build.
  EXPECT_EQ(impl->image_builds(), 1);
}

TEST(ThemedShadow, FollowsTheParentAndRebuildsOnlyOnResize) {
  TopWindow parent(200, 150, 300, 200, RGB(40, 90, 200));
  ZuThemedShadowWnd shadow;
  HWND wnd = shadow.Create(parent);
  ASSERT_NE(wnd, nullptr);
  CThemedShadowWnd* impl = BoundObject<CThemedShadowWnd>(wnd);
  ASSERT_NE(impl, nullptr);
  shadow.AdjustWindowPos();
  ASSERT_EQ(impl->image_builds(), 1);

  // A move: the hook moves the shadow with the parent; the image stays.
  parent.seen.clear();
  SetWindowPos(parent, nullptr, 260, 180, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  viewtest::PumpUntilIdle();
  ExpectShadowAt(wnd, parent, 5, 5);
  EXPECT_EQ(WindowRectOf(wnd).left, 265);
  EXPECT_EQ(impl->image_builds(), 1);
  EXPECT_GE(parent.Count(WM_MOVE), 1);  // the parent's own procedure still sees its messages

  // A resize: the shadow takes the new size and builds a new image of it.
  SetWindowPos(parent, nullptr, 0, 0, 360, 240, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  viewtest::PumpUntilIdle();
  ExpectShadowAt(wnd, parent, 5, 5);
  EXPECT_EQ(impl->image_builds(), 2);
  ASSERT_NE(impl->shadow_image(), nullptr);
  EXPECT_EQ(impl->shadow_image()->GetWidth(), 360u);
  EXPECT_EQ(impl->shadow_image()->GetHeight(), 240u);
  // Each build replaces the previous image and bitmap and keeps nothing else.
  const int gdi_objects = viewtest::CountGdiObjects();
  for (int grow = 1; grow <= 3; ++grow) {
    SetWindowPos(parent, nullptr, 0, 0, 360 + grow, 240, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  SetWindowPos(parent, nullptr, 0, 0, 360, 240, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  viewtest::PumpUntilIdle();
  EXPECT_EQ(impl->image_builds(), 6);
  EXPECT_EQ(viewtest::CountGdiObjects(), gdi_objects);

  // Hiding the parent hides the shadow; a move while hidden leaves it.
  ShowWindow(parent, SW_HIDE);
  viewtest::PumpUntilIdle();
  EXPECT_FALSE(IsWindowVisible(wnd));
  const RECT parked = WindowRectOf(wnd);
  SetWindowPos(parent, nullptr, 100, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  viewtest::PumpUntilIdle();
  EXPECT_EQ(WindowRectOf(wnd).left, parked.left);
  EXPECT_EQ(WindowRectOf(wnd).top, parked.top);

  // Showing it shows the shadow, and the messages that follow while the
  // parent is visible bring the shadow to it.
  ShowWindow(parent, SW_SHOW);
  viewtest::PumpUntilIdle();
  EXPECT_TRUE(IsWindowVisible(wnd));
  ExpectShadowAt(wnd, parent, 5, 5);
  EXPECT_EQ(WindowRectOf(wnd).left, 105);
  EXPECT_EQ(impl->image_builds(), 6);

  // After SetThemeParent the shadow follows the new window when adjusted,
  // while the hook stays on the first.
  TopWindow other(500, 400, 200, 100, RGB(200, 90, 40));
  shadow.SetThemeParent(other);
  shadow.AdjustWindowPos();
  ExpectShadowAt(wnd, other, 5, 5);
  EXPECT_EQ(impl->image_builds(), 7);
  EXPECT_EQ(ProcOf(parent), &ShadowParentProc);
  EXPECT_NE(ProcOf(other), &ShadowParentProc);
}

TEST(ThemedShadow, ImageIsABandAlongTheRightAndBottom) {
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

  // The band: some alpha along the right edge at mid-height and along the
  // bottom at mid-width, fading toward the outline. How steeply is the
  // platform's: Windows honours the preset blend (full strength 5 % of the
  // way in, so the whole band lies in its fade), Wine's GDI+ ignores preset
  // blends and fades linearly from the centre colour to the surround
  // colour, which leaves the band far fainter.
  std::printf("right band alpha at mid-height, x = 394..399:");
  for (int x = 394; x < 400; ++x) std::printf(" %d", Alpha(image, x, 150));
  std::printf("\nbottom band alpha at mid-width, y = 294..299:");
  for (int y = 294; y < 300; ++y) std::printf(" %d", Alpha(image, 200, y));
  std::printf("\n");
  EXPECT_GT(Alpha(image, 394, 150), 0);
  EXPECT_GT(Alpha(image, 200, 294), 0);
  for (int x = 394; x < 399; ++x) EXPECT_GE(Alpha(image, x, 150), Alpha(image, x + 1, 150)) << x;
  for (int y = 294; y < 299; ++y) EXPECT_GE(Alpha(image, 200, y), Alpha(image, 200, y + 1)) << y;
  // A pixel whose centre lies d pixels inside the outline, on the way to the
  // centre point `half` pixels away, sits at blend position p = d / half.
  // Its alpha follows one of the two fades: the preset blend's 255 * p / 0.05
  // (Windows) or the linear 255 * p (Wine).
  auto fits_a_fade = [](int alpha, double d, double half) {
    const double p = d / half;
    return std::abs(alpha - 255.0 * p / 0.05) <= 30.0 || std::abs(alpha - 255.0 * p) <= 4.0;
  };
  for (int x = 394; x < 398; ++x) {
    EXPECT_TRUE(fits_a_fade(Alpha(image, x, 150), 400 - (x + 0.5), 200.0)) << x;
  }
  for (int y = 294; y < 298; ++y) {
    EXPECT_TRUE(fits_a_fade(Alpha(image, 200, y), 300 - (y + 0.5), 150.0)) << y;
  }
  // The band's inner edge lies under the parent: SetRightOffsetArea(0)
  // narrows it by one pixel at the next size change.
  EXPECT_GT(Alpha(image, 394, 150), 0);
  shadow.SetRightOffsetArea(0);
  SetWindowPos(parent, nullptr, 0, 0, 400, 301, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  viewtest::PumpUntilIdle();
  ASSERT_NE(impl->shadow_image(), nullptr);
  const viewtest::Image narrower = viewtest::FromBitmap(*impl->shadow_image());
  EXPECT_EQ(Alpha(narrower, 394, 150), 0);
  EXPECT_GT(Alpha(narrower, 395, 150), 0);
  if (HasFailure()) viewtest::SaveArtifact(image, "shadow_image");
}

TEST(ThemedShadow, ShowsOnScreenLetsClicksThroughAndIsNeverActivated) {
  // A light window beneath, the parent over part of it, the shadow between.
  TopWindow beneath(150, 100, 500, 400, RGB(255, 255, 255));
  TopWindow parent(200, 150, 300, 200, RGB(40, 90, 200));
  // Record every activation or focus message a shadow window gets, from its
  // creation on.
  static std::vector<UINT> activations;
  activations.clear();
  HHOOK hook = SetWindowsHookExW(
      WH_CALLWNDPROC,
      [](int code, WPARAM wparam, LPARAM lparam) -> LRESULT {
        const auto* cwp = reinterpret_cast<const CWPSTRUCT*>(lparam);
        const bool activating =
            (cwp->message == WM_ACTIVATE && LOWORD(cwp->wParam) != WA_INACTIVE) ||
            cwp->message == WM_SETFOCUS || (cwp->message == WM_NCACTIVATE && cwp->wParam != 0);
        wchar_t name[64] = {};
        if (code == HC_ACTION && activating && GetClassNameW(cwp->hwnd, name, 64) > 0 &&
            wcscmp(name, L"WTL_ThemedShadowWindow") == 0) {
          activations.push_back(cwp->message);
        }
        return CallNextHookEx(nullptr, code, wparam, lparam);
      },
      nullptr, GetCurrentThreadId());
  ASSERT_NE(hook, nullptr);
  ZuThemedShadowWnd shadow;
  HWND wnd = shadow.Create(parent);
  ASSERT_NE(wnd, nullptr);

  shadow.AdjustWindowPos();
  viewtest::PumpUntilIdle();
  // Hide and show through the parent: the hook shows the shadow again.
  ShowWindow(parent, SW_HIDE);
  viewtest::PumpUntilIdle();
  ShowWindow(parent, SW_SHOW);
  viewtest::BringToFront(parent);
  viewtest::PumpUntilIdle();
  ASSERT_TRUE(IsWindowVisible(wnd));

  // The screen: the right band beside the parent is darker than the window
  // beneath, and right of the band the background is untouched. (Per-pixel
  // alpha needs a compositor; the test scripts run one.)
  const RECT parent_rect = WindowRectOf(parent);
  const RECT strip = {parent_rect.right - 10, parent_rect.top + 80, parent_rect.right + 20,
                      parent_rect.top + 120};
  viewtest::Image screen;
  auto darkest_in_band = [&] {
    int darkest = 255;
    for (int y = 0; y < screen.height; ++y) {
      for (int x = 10; x < 15; ++x) darkest = std::min<int>(darkest, screen.At(x, y) & 0xFF);
    }
    return darkest;
  };
  const bool shown = viewtest::PumpUntil(
      [&] {
        screen = viewtest::CaptureScreen(strip);
        return darkest_in_band() < 255;
      },
      3000);
  EXPECT_TRUE(shown) << "no shadow on screen beside the parent";
  EXPECT_EQ(screen.Count(0xFFFFFF, 16, 0, 30, screen.height), 14 * screen.height);
  EXPECT_EQ(screen.At(5, 20), viewtest::Rgb(RGB(40, 90, 200)));  // the parent covers its part
  std::printf("screen beside the parent at y + 100, x = right - 1 .. right + 6:");
  for (int x = 9; x < 17; ++x) std::printf(" %06X", screen.At(x, 20));
  std::printf("\n");
  if (!shown || HasFailure()) viewtest::SaveArtifact(screen, "shadow_screen");

  // A click on the shadow reaches the window beneath it.
  beneath.seen.clear();
  POINT on_band = {parent_rect.right + 2 - 150, parent_rect.top + 100 - 100};
  viewtest::Click(beneath, on_band);
  EXPECT_EQ(beneath.Count(WM_LBUTTONDOWN), 1);
  EXPECT_EQ(beneath.Count(WM_LBUTTONUP), 1);

  EXPECT_NE(GetForegroundWindow(), wnd);
  EXPECT_NE(GetActiveWindow(), wnd);
  EXPECT_NE(GetFocus(), wnd);
  EXPECT_TRUE(activations.empty()) << activations.size() << " activation messages, first "
                                   << std::hex << (activations.empty() ? 0 : activations[0]);
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
  const size_t records = view::internal::LiveShadowHookRecords();

  // The last wrapper destroys the shadow window and unhooks the parent.
  HWND wnd = nullptr;
  {
    ZuThemedShadowWnd shadow;
    wnd = shadow.Create(parent);
    ASSERT_NE(wnd, nullptr);
    ZuThemedShadowWnd copy(shadow);  // copies share the shadow
    shadow.AdjustWindowPos();
    ZuThemedShadowWnd assigned;
    assigned = copy;
    EXPECT_EQ(static_cast<HWND>(assigned), wnd);
  }
  EXPECT_FALSE(IsWindow(wnd));
  EXPECT_EQ(ProcOf(parent), own_proc);
  EXPECT_EQ(GetWindowLongPtrW(parent, GWLP_USERDATA), 0x5EED);
  EXPECT_EQ(view::internal::LiveShadowHookRecords(), records);
  parent.seen.clear();
  SetWindowPos(parent, nullptr, 0, 0, 320, 210, SWP_NOZORDER | SWP_NOACTIVATE);
  viewtest::PumpUntilIdle();
  EXPECT_GE(parent.Count(WM_SIZE), 1);

  // With another procedure on top of the hook the chain stays intact: the
  // hook only passes messages on, and takes itself out once it is on top
  // again.
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
  EXPECT_EQ(view::internal::LiveShadowHookRecords(), records + 1);
  parent.seen.clear();
  g_top_calls = 0;
  SetWindowPos(parent, nullptr, 0, 0, 330, 220, SWP_NOZORDER | SWP_NOACTIVATE);
  viewtest::PumpUntilIdle();
  EXPECT_GE(g_top_calls, 1);
  EXPECT_GE(parent.Count(WM_SIZE), 1);  // passed on through the hook
  SetWindowLongPtrW(parent, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_below_top));
  SendMessageW(parent, WM_NULL, 0, 0);
  EXPECT_EQ(ProcOf(parent), own_proc);
  EXPECT_EQ(GetWindowLongPtrW(parent, GWLP_USERDATA), 0x5EED);
  EXPECT_EQ(view::internal::LiveShadowHookRecords(), records);

  // The application drops the shadow inside one of the parent's own
  // messages: the hook that is running finishes on a record that stays alive
  // until it returns.
  auto held = std::make_unique<ZuThemedShadowWnd>();
  wnd = held->Create(parent);
  ASSERT_NE(wnd, nullptr);
  held->AdjustWindowPos();
  parent.on_message = [&](UINT msg) {
    if (msg == WM_SIZE) held.reset();
  };
  SetWindowPos(parent, nullptr, 0, 0, 300, 200, SWP_NOZORDER | SWP_NOACTIVATE);
  parent.on_message = nullptr;
  viewtest::PumpUntilIdle();
  EXPECT_EQ(held, nullptr);
  EXPECT_FALSE(IsWindow(wnd));
  EXPECT_EQ(ProcOf(parent), own_proc);
  EXPECT_EQ(view::internal::LiveShadowHookRecords(), records);

  // The shadow window destroyed by the application: the hook goes with it,
  // and the same shadow can be created again.
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

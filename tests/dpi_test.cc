// The per-monitor DPI mode: the factor a control takes from its window when
// it is created, and a DPI change followed live, by value.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <utility>

#include "harness.h"
#include "view/dpi.h"
#include "view/internal/controls/bas_img_button.h"
#include "view/internal/controls/bas_list_view.h"
#include "view/internal/controls/bas_switch_button.h"
#include "view/internal/controls/bas_tree_view_check_box.h"
#include "view/internal/frame/dpi.h"
#include "view/reflect.h"
#include "view/zu_img_button.h"
#include "view/zu_list_view.h"
#include "view/zu_switch_button.h"
#include "view/zu_switch_image_button.h"
#include "view/zu_tree_view_check_box.h"

using view::frame::BoundObject;

TEST(Dpi, FactorsAreClampedAndLengthsComeBack) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  struct { float in, out; } clamps[] = {{nan, 1}, {0, 1}, {-2, 1}, {0.5f, 1}, {1.5f, 1.5f},
                                        {8, 8}, {9, 8}, {inf, 8}};
  for (const auto& c : clamps) EXPECT_EQ(view::frame::ClampDpiFactor(c.in), c.out) << c.in;
  struct { int dpi; float factor; } dpis[] = {{0, 1}, {-96, 1}, {96, 1}, {120, 1.25f},
                                              {144, 1.5f}, {192, 2}, {768, 8}, {1000, 8}};
  for (const auto& d : dpis) EXPECT_EQ(view::frame::DpiFactorOf(d.dpi), d.factor) << d.dpi;
  // px at `from` -> at `to`: 22 is 15 at 1.5 (15 x 1.5 truncated), 3 is 3 at
  // 1.25 (3.75), 23 at 1.5 stays 23 while the factor does not change.
  struct { int px; float from, to; int out; } lengths[] = {
      {10, 1, 1.5f, 15}, {15, 1.5f, 2, 20}, {22, 1.5f, 1, 15}, {22, 1.5f, 2, 30},
      {3, 1.25f, 1, 3}, {7, 1, 1.5f, 10}, {23, 1.5f, 1.5f, 23}, {0, 2, 1, 0}};
  for (const auto& l : lengths) {
    EXPECT_EQ(view::frame::RescaleLength(l.px, l.from, l.to), l.out) << l.px << " " << l.from;
  }
}

namespace {

// Controls made in `mode` in a window whose DPI reads `dpi`: a list with two
// columns (60 and 100 wide), a tree, a switch button with a caption, and an
// image button that is only its 20 x 20 image.
struct DpiApp {
  viewtest::HostWindow host;
  std::unique_ptr<Gdiplus::Font> font = std::make_unique<Gdiplus::Font>(
      L"Arial", 12.0f, Gdiplus::FontStyleRegular, Gdiplus::UnitPixel);
  std::unique_ptr<Gdiplus::Bitmap> image = viewtest::SolidBitmap(20, 20, 0xFF0000);
  HFONT tree_font = CreateFontW(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, L"Arial");
  ZuListView list;
  ZuTreeViewCheckBox tree;
  ZuSwitchButton sw;
  ZuImgButton img;
  ZuSwitchImageButton tile;
  HWND tree_wnd = nullptr, sw_wnd = nullptr, img_wnd = nullptr, tile_wnd = nullptr;

  DpiApp(view::DpiMode mode, int dpi) {
    view::SetDpiMode(mode);
    view::frame::SetWindowDpiForTesting(dpi);
    list.SetCheckBoxImage(image.get(), image.get(), image.get());
    RECT list_rect = {0, 0, 300, 200};
    list.CreateListView(host, list_rect, 300, false, true, false);
    for (int c = 0; c < 2; ++c) {
      LVCOLUMNW column = {};
      column.mask = LVCF_WIDTH;
      column.cx = c == 0 ? 60 : 100;
      SendMessageW(list, LVM_INSERTCOLUMNW, c, reinterpret_cast<LPARAM>(&column));
    }
    WTL::CRect tree_rect(0, 210, 200, 400);
    tree_wnd = tree.CreateTree(host, nullptr, tree_rect, RGB(255, 255, 255),
                               image.get(), image.get(), image.get(), image.get());
    SendMessageW(tree_wnd, WM_SETFONT, reinterpret_cast<WPARAM>(tree_font), FALSE);
    sw_wnd = sw.CreateButton(host, font.get(), 21);
    sw.Init(320, 10, L"Switch", RGB(255, 0, 0), 0, RGB(0, 255, 0), 0);
    img_wnd = img.CreateButton(host, 22, true);
    img.Init(image.get(), 320, 100, image.get(), nullptr, 0, 0, 0, 0);
    tile_wnd = tile.CreateButton(host, font.get(), 23);
    tile.Init(320, 200, L"Tile", RGB(255, 0, 0), 0, image.get(), RGB(0, 255, 0), 0, image.get());
  }
  ~DpiApp() {
    DestroyWindow(host);
    DeleteObject(tree_font);
    view::SetDpiMode(view::DpiMode::kApplication);
    view::frame::SetWindowDpiForTesting(0);
  }
  // Every size a DPI change must follow.
  struct Sizes {
    int row, column0, column1, tree_row, margin, tree_font;
    float header;
    SIZE sw, img, tile;
  };
  Sizes Now() {
    BASListView* l = BoundObject<BASListView>(list);
    return {l->item_height(),
            static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, 0, 0)),
            static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, 1, 0)),
            static_cast<int>(SendMessageW(tree_wnd, TVM_GETITEMHEIGHT, 0, 0)),
            BoundObject<BASSwitchButton>(sw_wnd)->h_margin(), TreeFontHeight(),
            l->header().scale(),
            viewtest::ClientSize(sw_wnd), viewtest::ClientSize(img_wnd),
            viewtest::ClientSize(tile_wnd)};
  }
  // The height of the font the tree paints its rows in.
  int TreeFontHeight() {
    LOGFONTW font = {};
    GetObjectW(BoundObject<BASTreeViewCheckBox>(tree_wnd)->font(), sizeof(font), &font);
    return font.lfHeight;
  }
  // The top-level window's DPI change, as the system sends it.
  void ChangeDpi(int dpi) {
    RECT suggested = {};
    GetWindowRect(host, &suggested);
    LRESULT result = 0;
    EXPECT_FALSE(view::ReflectNotification(host, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                                           reinterpret_cast<LPARAM>(&suggested), &result));
    viewtest::PumpUntilIdle();
  }
};

}  // namespace

TEST(Dpi, PerMonitorControlsTakeTheirWindowsFactorAndFollowItsChanges) {
  // The application mode ignores the window's DPI, at creation and after.
  DpiApp app(view::DpiMode::kApplication, 144);
  const DpiApp::Sizes a = app.Now();
  EXPECT_EQ(a.row, 60); EXPECT_EQ(a.tree_row, 40); EXPECT_EQ(a.margin, 10);
  EXPECT_EQ(a.header, 1.0f); EXPECT_EQ(a.img, (SIZE{20, 20})); EXPECT_EQ(a.tree_font, -12);
  app.ChangeDpi(192);
  EXPECT_EQ(app.Now().row, 60); EXPECT_EQ(app.Now().tree_row, 40);
  EXPECT_EQ(app.Now().img, (SIZE{20, 20})); EXPECT_EQ(app.Now().tree_font, -12);

  // Made at 144 DPI: 1.5x from the start.
  DpiApp at144(view::DpiMode::kPerMonitor, 144);
  const DpiApp::Sizes b = at144.Now();
  EXPECT_EQ(b.row, 90); EXPECT_EQ(b.tree_row, 60); EXPECT_EQ(b.margin, 15);
  EXPECT_EQ(b.header, 1.5f); EXPECT_EQ(b.img, (SIZE{30, 30})); EXPECT_EQ(b.tree_font, -18);
  // Captions are drawn at 1.5x too: about half as large again (the text
  // measures within a pixel of 1.5x; margins, gaps and the image exactly).
  for (auto [made96, made144] : {std::pair{a.sw, b.sw}, std::pair{a.tile, b.tile}}) {
    EXPECT_NEAR(made144.cx, made96.cx * 1.5, 2);
    EXPECT_NEAR(made144.cy, made96.cy * 1.5, 2);
  }

  // Made at 96, then 144 -> 192 -> 96: each size by value, and back where it started.
  DpiApp live(view::DpiMode::kPerMonitor, 96);
  const DpiApp::Sizes start = live.Now();
  HFONT copy = nullptr;  // the tree's font at 2x, deleted when no longer used
  struct { int dpi, row, column0, column1, tree_row, margin, img, font; float header; } steps[] = {
      {144, 90, 90, 150, 60, 15, 30, -18, 1.5f}, {192, 120, 120, 200, 80, 20, 40, -24, 2.0f},
      {96, 60, 60, 100, 40, 10, 20, -12, 1.0f}};
  for (const auto& s : steps) {
    live.ChangeDpi(s.dpi);
    const DpiApp::Sizes now = live.Now();
    EXPECT_EQ(now.row, s.row) << s.dpi;
    EXPECT_EQ(now.column0, s.column0) << s.dpi;
    EXPECT_EQ(now.column1, s.column1) << s.dpi;
    EXPECT_EQ(now.tree_row, s.tree_row) << s.dpi;
    EXPECT_EQ(now.margin, s.margin) << s.dpi;
    EXPECT_EQ(now.tree_font, s.font) << s.dpi;
    if (s.dpi == 192) copy = BoundObject<BASTreeViewCheckBox>(live.tree_wnd)->font();
    EXPECT_EQ(now.header, s.header) << s.dpi;
    EXPECT_EQ(now.img, (SIZE{s.img, s.img})) << s.dpi;
    for (auto [was, is] : {std::pair{start.sw, now.sw}, std::pair{start.tile, now.tile}}) {
      EXPECT_NEAR(is.cx, was.cx * s.dpi / 96.0, 2) << s.dpi;
      EXPECT_NEAR(is.cy, was.cy * s.dpi / 96.0, 2) << s.dpi;
    }
    if (s.dpi == 144) {  // as if made at 144
      EXPECT_EQ(now.sw, b.sw);
      EXPECT_EQ(now.tile, b.tile);
    }
  }
  EXPECT_EQ(live.Now().sw, start.sw);
  EXPECT_EQ(live.Now().tile, start.tile);
  // Back at 1x the tree paints with the application's own font, and its
  // copy is gone.
  EXPECT_EQ(BoundObject<BASTreeViewCheckBox>(live.tree_wnd)->font(), live.tree_font);
  EXPECT_EQ(GetObjectType(copy), 0u);
  // And with the window, while the application still holds the tree.
  live.ChangeDpi(144);
  copy = BoundObject<BASTreeViewCheckBox>(live.tree_wnd)->font();
  DestroyWindow(live.tree_wnd);
  EXPECT_EQ(GetObjectType(copy), 0u);
}

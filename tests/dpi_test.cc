// The per-monitor DPI mode: the factor a control takes from its window when
// it is created, and a DPI change followed live, by value.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <limits>
#include <memory>
#include <tuple>
#include <utility>

#include "harness.h"
#include "view/internal/controls/bas_list_view.h"
#include "view/internal/controls/bas_switch_button.h"
#include "view/internal/controls/bas_tree_view_check_box.h"
#include "view/internal/frame/dpi.h"
#include "view/view.h"

using view::frame::BoundObject;

TEST(Dpi, FactorsAreClampedAndLengthsComeBack) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float clamps[][2] = {{nan, 1}, {0, 1}, {-2, 1}, {0.5f, 1}, {1.5f, 1.5f}, {8, 8}, {9, 8}};
  for (const auto& c : clamps) EXPECT_EQ(view::frame::ClampDpiFactor(c[0]), c[1]) << c[0];
  const int dpis[][2] = {{0, 100}, {-96, 100}, {120, 125}, {144, 150}, {768, 800}, {1000, 800}};
  for (const auto& d : dpis) EXPECT_EQ(view::frame::DpiFactorOf(d[0]) * 100, d[1]) << d[0];
  // px at `from` -> at `to`: 22 is 15 at 1.5 (15 x 1.5 truncated), 3 is 3 at
  // 1.25 (3.75), 23 at 1.5 stays 23 while the factor does not change.
  const float lengths[][4] = {{10, 1, 1.5f, 15}, {15, 1.5f, 2, 20}, {22, 1.5f, 1, 15},
                              {22, 1.5f, 2, 30}, {3, 1.25f, 1, 3},  {7, 1, 1.5f, 10},
                              {23, 1.5f, 1.5f, 23}};
  for (const auto& l : lengths) {
    EXPECT_EQ(view::frame::RescaleLength(static_cast<int>(l[0]), l[1], l[2]), l[3]) << l[0];
  }
}

namespace {

// Controls made in `mode` in a window whose DPI reads `dpi`: a list with
// columns 60 and 100 wide, a tree in a font 12 high, a switch button and a
// tile with captions, and an image button that is only its 20 x 20 image.
struct DpiApp {
  viewtest::HostWindow host;
  Gdiplus::Font font{L"Arial", 12.0f, Gdiplus::FontStyleRegular, Gdiplus::UnitPixel};
  std::unique_ptr<Gdiplus::Bitmap> image = viewtest::SolidBitmap(20, 20, 0xFF0000);
  HFONT tree_font = CreateFontW(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, L"Arial");
  ZuListView list;
  ZuTreeViewCheckBox tree;
  ZuSwitchButton sw;
  ZuSwitchImageButton tile;
  ZuImgButton img;
  ZuSectionButton section;
  HWND tree_wnd = nullptr, sw_wnd = nullptr, tile_wnd = nullptr, img_wnd = nullptr;

  DpiApp(view::DpiMode mode, int dpi) {
    view::SetDpiMode(mode);
    view::frame::SetWindowDpiForTesting(dpi);
    list.SetCheckBoxImage(image.get(), image.get(), image.get());
    RECT list_rect = {0, 0, 300, 200};
    list.CreateListView(host, list_rect, 300, false, true, false);
    for (int c = 0; c < 2; ++c) {
      LVCOLUMNW column = {};
      column.mask = LVCF_WIDTH;
      column.cx = 60 + 40 * c;
      SendMessageW(list, LVM_INSERTCOLUMNW, c, reinterpret_cast<LPARAM>(&column));
    }
    WTL::CRect tree_rect(0, 210, 200, 400);
    tree_wnd = tree.CreateTree(host, nullptr, tree_rect, RGB(255, 255, 255), image.get(),
                               image.get(), image.get(), image.get());
    SendMessageW(tree_wnd, WM_SETFONT, reinterpret_cast<WPARAM>(tree_font), FALSE);
    sw_wnd = sw.CreateButton(host, &font, 21);
    sw.Init(320, 10, L"Switch", RGB(255, 0, 0), 0, RGB(0, 255, 0), 0);
    tile_wnd = tile.CreateButton(host, &font, 23);
    tile.Init(320, 200, L"Tile", RGB(200, 200, 200), 0, image.get(), RGB(90, 90, 90), 0,
              image.get());
    img_wnd = img.CreateButton(host, 22, true);
    img.Init(image.get(), 320, 100, image.get(), nullptr, 0, 0, 0, 0);
    RECT section_rect = {420, 10, 520, 42};
    section.Create(host, &section_rect, L"Section", 0, 0, 24);
    section.SetFont(&font).SetHMargin(8).SetVMargin(4).reload(0, 0);
  }
  ~DpiApp() {
    DestroyWindow(host);
    DeleteObject(tree_font);
    view::SetDpiMode(view::DpiMode::kApplication);
    view::frame::SetWindowDpiForTesting(0);
  }
  HFONT TreeFont() { return BoundObject<BASTreeViewCheckBox>(tree_wnd)->font(); }
  // Row height, column widths, tree row, switch margin, tree font height,
  // header factor x 100, image button width and height.
  std::array<int, 9> Now() {
    BASListView* l = BoundObject<BASListView>(list);
    LOGFONTW f = {};
    GetObjectW(TreeFont(), sizeof(f), &f);
    return {l->item_height(), static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, 0, 0)),
            static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, 1, 0)),
            static_cast<int>(SendMessageW(tree_wnd, TVM_GETITEMHEIGHT, 0, 0)),
            BoundObject<BASSwitchButton>(sw_wnd)->h_margin(), static_cast<int>(f.lfHeight),
            static_cast<int>(l->header().scale() * 100), viewtest::ClientSize(img_wnd).cx,
            viewtest::ClientSize(img_wnd).cy};
  }
  // The sizes that follow a measured caption: switch button, tile, section.
  std::array<int, 6> Measured() {
    const SIZE s = viewtest::ClientSize(sw_wnd), t = viewtest::ClientSize(tile_wnd);
    const SIZE c = viewtest::ClientSize(section);
    return {s.cx, s.cy, t.cx, t.cy, c.cx, c.cy};
  }
  // The top-level window's DPI change, as the system sends it.
  void ChangeDpi(int dpi) {
    RECT suggested = {};
    GetWindowRect(host, &suggested);
    EXPECT_FALSE(view::ReflectNotification(host, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                                           reinterpret_cast<LPARAM>(&suggested), nullptr));
    viewtest::PumpUntilIdle();
  }
};

}  // namespace

TEST(Dpi, PerMonitorControlsTakeTheirWindowsFactorAndFollowItsChanges) {
  using Sizes = std::array<int, 9>;
  const Sizes at96 = {60, 60, 100, 40, 10, -12, 100, 20, 20};
  const Sizes at144 = {90, 90, 150, 60, 15, -18, 150, 30, 30};
  const Sizes at192 = {120, 120, 200, 80, 20, -24, 200, 40, 40};
  // The application mode ignores the window's DPI, at creation and after.
  DpiApp app(view::DpiMode::kApplication, 144);
  EXPECT_EQ(app.Now(), at96);
  app.ChangeDpi(192);
  EXPECT_EQ(app.Now(), at96);
  // Made at 144 DPI: 1.5x from the start, captions too (the text measures
  // within a few pixels of 1.5x, 2x; margins, gaps and images exactly).
  // Columns are the application's, in the pixels of the DPI it made them at.
  DpiApp made144(view::DpiMode::kPerMonitor, 144);
  EXPECT_EQ(made144.Now(), (Sizes{90, 60, 100, 60, 15, -18, 150, 30, 30}));
  for (int k = 0; k < 4; ++k) EXPECT_NEAR(made144.Measured()[k], app.Measured()[k] * 1.5, 2);

  // Made at 96, then 144 -> 192 -> 96: each size by value, and back where it started.
  DpiApp live(view::DpiMode::kPerMonitor, 96);
  const std::array<int, 6> start = live.Measured();
  HFONT copy = nullptr;  // the tree's font at 2x, deleted when no longer used
  const std::pair<int, Sizes> steps[] = {{144, at144}, {192, at192}, {96, at96}};
  for (const auto& [dpi, sizes] : steps) {
    live.ChangeDpi(dpi);
    EXPECT_EQ(live.Now(), sizes) << dpi;
    for (int k = 0; k < 6; ++k) EXPECT_NEAR(live.Measured()[k], start[k] * dpi / 96.0, 4) << dpi;
    // As if made at 144 (the section's margins, given at 96 here, aside).
    const std::array<int, 6> now = live.Measured(), made = made144.Measured();
    EXPECT_TRUE(dpi != 144 || std::equal(now.begin(), now.begin() + 4, made.begin()));
    if (dpi == 192) copy = live.TreeFont();
  }
  EXPECT_EQ(live.Measured(), start);
  // Back at 1x the tree paints in the application's own font and its copy
  // is gone; a copy also goes with the window while the application still
  // holds the tree.
  EXPECT_EQ(live.TreeFont(), live.tree_font);
  EXPECT_EQ(GetObjectType(copy), 0u);
  live.ChangeDpi(144);
  copy = live.TreeFont();
  DestroyWindow(live.tree_wnd);
  EXPECT_EQ(GetObjectType(copy), 0u);
}

TEST(Dpi, RegisteredVariantsAreDrawnNearestAtOrAboveTheFactor) {
  DpiApp app(view::DpiMode::kPerMonitor, 144);
  Gdiplus::Bitmap* base = app.image.get();
  auto v15 = viewtest::SolidBitmap(30, 30, 0x00FF00), v2 = viewtest::SolidBitmap(40, 40, 0x0000FF);
  const float nan = std::numeric_limits<float>::quiet_NaN();
  for (auto [b, v, scale] : {std::tuple{base, static_cast<Gdiplus::Bitmap*>(nullptr), 1.5f},
                             {nullptr, v15.get(), 1.5f}, {base, v15.get(), 0.0f},
                             {base, v15.get(), -1.0f}, {base, v15.get(), nan}}) {
    EXPECT_FALSE(view::RegisterImageVariant(b, v, scale)) << scale;
  }
  EXPECT_EQ(view::frame::ImageVariantFor(base, 30), base);
  EXPECT_TRUE(view::RegisterImageVariant(base, v2.get(), 2.0f));
  EXPECT_TRUE(view::RegisterImageVariant(base, v15.get(), 1.5f));
  const std::pair<int, Gdiplus::Image*> picks[] = {
      {20, base}, {10, base}, {25, v15.get()}, {30, v15.get()}, {31, v2.get()}, {80, v2.get()}};
  for (auto [width, pick] : picks) {
    EXPECT_EQ(view::frame::ImageVariantFor(base, width), pick) << width;
  }
  // At 1.5x the list's check boxes and header box, the image button and the
  // tile draw the green 1.5x art, not the red base scaled (repainted by the
  // application, which registered the art after they painted).
  SendMessageW(app.list, LVM_SETITEMCOUNT, 3, 0);
  RedrawWindow(app.host, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  for (HWND wnd : {static_cast<HWND>(app.list), app.img_wnd, app.tile_wnd}) {
    const viewtest::Image shot = viewtest::CaptureClient(wnd);
    EXPECT_EQ(shot.Count(0xFF0000), 0);
    EXPECT_GT(shot.Count(0x00FF00), 4 * 4 * 144 / 96);  // at least a whole 1x image
  }
  view::UnregisterImageVariants(base);
  EXPECT_EQ(view::frame::ImageVariantFor(base, 30), base);
}

// The per-monitor DPI mode: the factor a control takes from its window when
// it is created, and a DPI change followed live, by value.

#include "view/internal/frame/dpi.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <memory>
#include <utility>

#include "harness.h"
#include "view/internal/controls/bas_combo_box.h"
#include "view/internal/controls/bas_edit.h"
#include "view/internal/controls/bas_img_button.h"
#include "view/internal/controls/bas_link.h"
#include "view/internal/controls/bas_list_view.h"
#include "view/internal/controls/bas_switch_button.h"
#include "view/internal/controls/bas_tree_view_check_box.h"
#include "view/internal/drawing/palette_image.h"
#include "view/view.h"

using view::frame::BoundObject;

TEST(Dpi, FactorsAreClamped) {
  EXPECT_EQ(view::frame::ClampDpiFactor(std::numeric_limits<float>::quiet_NaN()), 1.0f);
  const int dpis[][2] = {{0, 100}, {-96, 100}, {48, 100}, {120, 125}, {768, 800}, {1000, 800}};
  for (const auto& d : dpis) EXPECT_EQ(view::frame::DpiFactorOf(d[0]) * 100, d[1]) << d[0];
  EXPECT_EQ(view::frame::RescaleLength(22, 1.5f, 2.0f), 30);  // 22 is 15 at 1.5x (22.5 truncated)
  // Stock art in the dark palette, drawn at the size it is shown at.
  const auto stock = view::MakeStockImage(view::StockImage::kCheckBoxChecked);
  const auto& dark = view::frame::DarkPalette();
  for (int side : {24, 32, 16})
    EXPECT_EQ(view::internal::PaletteImage(stock.get(), dark, side)->GetWidth(), UINT(side));
}

namespace {

// The height of a live font; 0 for any other object.
int FontHeight(HGDIOBJ font) {
  LOGFONTW f = {};
  return GetObjectType(font) == OBJ_FONT && GetObjectW(font, sizeof(f), &f) ? f.lfHeight : 0;
}

// Controls made in `mode` in a window whose DPI reads `dpi`: a list with
// columns 60 and 100 wide, a tree, a combo box, an edit and a link in a font
// 12 high, a switch button and a tile with captions, an image button that is
// only its 20 x 20 image with a tooltip, and the window's shadow.
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
  ZuComboBox combo;
  ZuEdit edit;
  ZuLink link;
  ZuThemedShadowWnd shadow;
  HTREEITEM tree_item = nullptr;
  HWND tree_wnd = nullptr, sw_wnd = nullptr, tile_wnd = nullptr, img_wnd = nullptr;

  DpiApp(view::DpiMode mode, int dpi) {
    view::SetDpiMode(mode);
    view::frame::SetWindowDpiForTesting(dpi);
    list.SetCheckBoxImage(image.get(), image.get(), image.get());
    RECT list_rect = {0, 0, 300, 200}, section_rect = {420, 10, 520, 42};
    list.CreateListView(host, list_rect, 300, false, true, false);
    LVCOLUMNW columns[2] = {{LVCF_WIDTH, 0, 60, nullptr, 0, 0, 0, 0, 0, 0, 0},
                            {LVCF_WIDTH, 0, 100, nullptr, 0, 0, 0, 0, 0, 0, 0}};
    for (int c = 0; c < 2; ++c)
      SendMessageW(list, LVM_INSERTCOLUMNW, c, reinterpret_cast<LPARAM>(&columns[c]));
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
    section.Create(host, &section_rect, L"Section", 0, 0, 24);
    section.SetFont(&font).SetHMargin(8).SetVMargin(4).reload(0, 0);
    RECT combo_rect = {320, 260, 420, 400}, edit_rect = {430, 260, 530, 280},
         link_rect = {430, 300, 530, 320};
    combo.Create(host, combo_rect, nullptr, WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST |
                                                CBS_OWNERDRAWFIXED | CBS_HASSTRINGS);
    edit.Create(host, edit_rect);
    link.Create(host, link_rect);
    tree_item = tree.AppendItem(nullptr, 0, L"Row", nullptr, 0, 0, false, -1);
    for (HWND wnd : {static_cast<HWND>(combo), static_cast<HWND>(link), static_cast<HWND>(edit),
                     static_cast<HWND>(list)})
      SendMessageW(wnd, WM_SETFONT, reinterpret_cast<WPARAM>(tree_font), FALSE);
    img.SetTooltip(L"Tip");
    shadow.Create(host);
    shadow.AdjustWindowPos();
  }
  ~DpiApp() {
    DestroyWindow(host);
    DeleteObject(tree_font);
    view::SetDpiMode(view::DpiMode::kApplication);
    view::frame::SetWindowDpiForTesting(0);
  }
  HFONT TreeFont() { return BoundObject<BASTreeViewCheckBox>(tree_wnd)->font(); }
  // The height of the font the standard class of `wnd` paints with.
  template <class Control>
  static int ClassFont(HWND wnd) {
    return FontHeight(
        reinterpret_cast<HGDIOBJ>(BoundObject<Control>(wnd)->DefWindowProc(WM_GETFONT, 0, 0)));
  }
  // Row height, column widths, tree row, switch margin, tree font height,
  // header factor x 100, image button width, the fonts of the combo box,
  // the edit, the link and the list, the shadow's shift right, the width of
  // the tree's check box (drawn at paint).
  std::array<int, 14> Now() {
    viewtest::PumpUntilIdle();
    BASListView* l = BoundObject<BASListView>(list);
    RECT h = {}, s = {};
    GetWindowRect(host, &h);
    GetWindowRect(shadow, &s);
    return {l->item_height(), ListView_GetColumnWidth(list, 0), ListView_GetColumnWidth(list, 1),
            static_cast<int>(TreeView_GetItemHeight(tree_wnd)),
            BoundObject<BASSwitchButton>(sw_wnd)->h_margin(), FontHeight(TreeFont()),
            static_cast<int>(l->header().scale() * 100), viewtest::ClientSize(img_wnd).cx,
            ClassFont<BASComboBox>(combo), ClassFont<BASEdit>(edit), ClassFont<BASLink>(link),
            ClassFont<BASListView>(list), static_cast<int>(s.left - h.left),
            static_cast<int>(
                BoundObject<BASTreeViewCheckBox>(tree_wnd)->GetRecord(tree_item)->checkRect.right -
                BoundObject<BASTreeViewCheckBox>(tree_wnd)->GetRecord(tree_item)->checkRect.left)};
  }
  // The sizes that follow a measured font: switch button, tile, the combo
  // box's rows and field, its tooltip's font, the list's header, section.
  std::array<LONG, 10> Measured() {
    const SIZE s = viewtest::ClientSize(sw_wnd), t = viewtest::ClientSize(tile_wnd),
               c = viewtest::ClientSize(section);
    const HWND tip = BoundObject<BASImgButton>(img_wnd)->tooltip();
    return {s.cx, s.cy, t.cx, t.cy,
            static_cast<LONG>(SendMessageW(combo, CB_GETITEMHEIGHT, 0, 0)),
            static_cast<LONG>(SendMessageW(combo, CB_GETITEMHEIGHT, -1, 0)),
            -FontHeight(reinterpret_cast<HGDIOBJ>(SendMessageW(tip, WM_GETFONT, 0, 0))),
            viewtest::ClientSize(ListView_GetHeader(list)).cy, c.cx, c.cy};
  }
  // The top-level window's DPI change, as the system sends it.
  void ChangeDpi(int dpi) { EXPECT_FALSE(viewtest::SendDpiChange(host, dpi)); }
};

}  // namespace

TEST(Dpi, PerMonitorControlsTakeTheirWindowsFactorAndFollowItsChanges) {
  // The shadow's shift: 5 x the factor (7.5 truncated at 1.5x).
  const auto at96 = std::array{60, 60, 100, 40, 10, -12, 100, 20, -12, -12, -12, -12, 5, 20};
  const auto at144 = std::array{90, 90, 150, 60, 15, -18, 150, 30, -18, -18, -18, -18, 7, 30};
  const auto at192 = std::array{120, 120, 200, 80, 20, -24, 200, 40, -24, -24, -24, -24, 10, 40};
  // The application mode ignores the window's DPI, at creation and after.
  DpiApp app(view::DpiMode::kApplication, 144);
  EXPECT_EQ(app.Now(), at96);
  app.ChangeDpi(192);
  EXPECT_EQ(app.Now(), at96);
  // Made at 144 DPI: 1.5x from the start, captions too (the text measures
  // within a few pixels of 1.5x, 2x; margins, gaps and images exactly).
  // Columns are the application's, in the pixels of the DPI it made them at.
  DpiApp made144(view::DpiMode::kPerMonitor, 144);
  EXPECT_EQ(made144.Now(), (std::array{90, 60, 100, 60, 15, -18, 150, 30, -18, -18, -18, -18, 7, 30}));
  // (The combo box of the application mode keeps the rows measured in the
  // system font at its creation.)
  for (int k : {0, 1, 2, 3, 6}) EXPECT_NEAR(made144.Measured()[k], app.Measured()[k] * 1.5, 2);

  // Made at 96, then 144 -> 192 -> 96: each size by value, and back where it started.
  DpiApp live(view::DpiMode::kPerMonitor, 96);
  const std::array<LONG, 10> start = live.Measured();
  HFONT copy = nullptr;  // the tree's font at 2x, deleted when no longer used
  const std::pair<int, std::array<int, 14>> steps[] = {{144, at144}, {192, at192}, {96, at96}};
  for (const auto& [dpi, sizes] : steps) {
    const HFONT before = live.TreeFont();
    live.ChangeDpi(dpi);
    if (dpi == 192) copy = live.TreeFont();
    EXPECT_EQ(live.Now(), sizes) << dpi;
    // The copy replaced is deleted (its handle may come back as another object).
    EXPECT_TRUE(dpi != 192 || FontHeight(before) != -18);
    // (The header: the font's height and the platform's fixed padding.)
    for (int k = 0; k < 10; ++k)
      EXPECT_NEAR(live.Measured()[k], start[k] * dpi / 96.0, k == 7 ? 6 : 4) << k << " " << dpi;
    // As if made at 144 (the section's margins, given at 96 here, aside).
    const std::array<LONG, 10> now = live.Measured(), made = made144.Measured();
    EXPECT_TRUE(dpi != 144 || std::equal(now.begin(), now.begin() + 8, made.begin()));
    // The application's font is still the one it gave.
    for (HWND wnd : {static_cast<HWND>(live.combo), static_cast<HWND>(live.edit)})
      EXPECT_EQ(SendMessageW(wnd, WM_GETFONT, 0, 0), reinterpret_cast<LRESULT>(live.tree_font));
  }
  EXPECT_EQ(live.Measured(), start);
  // Back at 1x the tree's copy is gone. The copy is shared by the controls
  // given that font at that factor (the combo box, edit and link), and goes
  // with the last of their windows while the application holds them.
  EXPECT_EQ(GetObjectType(copy), 0u);
  live.ChangeDpi(144);
  copy = live.TreeFont();
  DestroyWindow(live.tree_wnd);
  EXPECT_NE(GetObjectType(copy), 0u);
  for (HWND wnd : {static_cast<HWND>(live.combo), static_cast<HWND>(live.edit), static_cast<HWND>(live.link)})
    DestroyWindow(wnd);
  EXPECT_EQ(GetObjectType(copy), 0u);
}

TEST(Dpi, RegisteredVariantsAreDrawnNearestAtOrAboveTheFactor) {
  DpiApp app(view::DpiMode::kPerMonitor, 144);
  Gdiplus::Bitmap* base = app.image.get();
  const auto repaint = [&app] {
    RedrawWindow(app.host, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  };
  repaint();  // the buttons keep faces painted before the art is registered
  auto v15 = viewtest::SolidBitmap(30, 30, 0x00FF00), v2 = viewtest::SolidBitmap(40, 40, 0x0000FF);
  const auto add = &view::RegisterImageVariant;
  EXPECT_FALSE(add(base, nullptr, 1) || add(nullptr, v15.get(), 1) || add(base, v15.get(), 0) ||
               add(base, v15.get(), NAN));
  EXPECT_TRUE(add(base, v2.get(), 2.0f) && add(base, v15.get(), 1.5f));
  const std::pair<int, Gdiplus::Image*> picks[] = {{20, base},      {10, base},     {25, v15.get()},
                                                   {30, v15.get()}, {31, v2.get()}, {80, v2.get()}};
  for (auto [w, pick] : picks) EXPECT_EQ(view::frame::ImageVariantFor(base, w), pick) << w;
  // At 1.5x the list's check boxes and header box, the image button and the
  // tile draw the green 1.5x art, not the red base scaled (repainted by the
  // application, which registered the art after they painted).
  SendMessageW(app.list, LVM_SETITEMCOUNT, 3, 0);
  repaint();
  for (HWND wnd : {static_cast<HWND>(app.list), app.img_wnd, app.tile_wnd, app.tree_wnd}) {
    const viewtest::Image shot = viewtest::CaptureClient(wnd);  // a whole 1.5x image at least
    EXPECT_TRUE(shot.Count(0xFF0000) == 0 && shot.Count(0x00FF00) >= 30 * 30);
  }
  view::UnregisterImageVariants(base);
  EXPECT_EQ(view::frame::ImageVariantFor(base, 30), base);
}

TEST(Dpi, DarkStockCheckBoxesAreDrawnAfreshAtTheSizeShown) {
  // At 2x in the dark palette the list's row box is the stock art drawn at
  // 32 pixels, copied pixel for pixel, not its 16-pixel art scaled up.
  const auto on = view::MakeStockImage(view::StockImage::kCheckBoxChecked);
  view::SetTheme(view::Theme::kDark);
  DpiApp app(view::DpiMode::kPerMonitor, 192);
  ZuListView list;
  list.SetCheckBoxImage(on.get(), on.get(), on.get());
  RECT rect = {0, 0, 300, 300};
  list.CreateListView(app.host, rect, 300, false, true, false);
  LVCOLUMNW column = {LVCF_WIDTH, 0, 100, nullptr, 0, 0, 0, 0, 0, 0, 0};
  SendMessageW(list, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
  SendMessageW(list, LVM_SETITEMCOUNT, 1, 0);
  RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  RECT row = {LVIR_BOUNDS, 0, 0, 0};
  SendMessageW(list, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row));
  const viewtest::Image shot = viewtest::CaptureClient(list);
  const viewtest::Image art = viewtest::FromBitmap(
      *view::internal::PaletteImage(on.get(), view::frame::DarkPalette(), 32));
  // The art's opaque part (its transparent margin reads black) against the
  // box's ink, inside the cell's grid lines and before the row number.
  const RECT drawn = art.BoundsNot(0x000000);
  const RECT ink = shot.BoundsNot(shot.At(4, row.top + 4), {4, row.top + 4, 44, row.bottom - 4});
  ASSERT_EQ(ink.right - ink.left, drawn.right - drawn.left);
  int differing = 0;
  for (int y = drawn.top; y < drawn.bottom; ++y) {
    for (int x = drawn.left; x < drawn.right; ++x)
      differing += shot.At(ink.left - drawn.left + x, ink.top - drawn.top + y) != art.At(x, y);
  }
  EXPECT_EQ(differing, 0);
  view::SetTheme(view::Theme::kLight);
}

TEST(Dpi, TileDeleteMarkSitsInsideItsCornerAtTheFactor) {
  // At 2x the 12-pixel mark is drawn 24 wide, 8 pixels in from the right
  // edge, and a press on its drawn centre is a press on the mark.
  DpiApp app(view::DpiMode::kPerMonitor, 192);
  auto mark = viewtest::SolidBitmap(12, 12, 0xFF00FF);
  ZuSwitchImageButton tile;
  HWND wnd = tile.CreateButton(app.host, &app.font, 31);
  tile.SetImageDeleteNormal(mark.get()).SetImageDeletePressed(mark.get());
  tile.Init(540, 340, L"T", RGB(200, 200, 200), 0, app.image.get(), RGB(90, 90, 90), 0,
            app.image.get());
  viewtest::PumpUntilIdle();
  const int width = viewtest::ClientSize(wnd).cx;
  const viewtest::Image shot = viewtest::CaptureClient(wnd);
  const RECT drawn = shot.Bounds([](uint32_t c) { return c == 0xFF00FF; }, {0, 0, width, 40});
  EXPECT_TRUE(drawn.left == width - 32 && drawn.top == 4 && drawn.right >= width - 9 &&
              drawn.right <= width - 8) << drawn.left << "," << drawn.right;  // edges blend
  viewtest::Click(wnd, {width - 20, 16});
  EXPECT_TRUE(tile.IsDelete());
}

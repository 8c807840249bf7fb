// The switch image tile and the section button: real controls in a
// reflecting host, driven by real input and checked by their pixels.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <tuple>

#include "harness.h"
#include "view/internal/controls/bas_switch_image_button.h"
#include "view/internal/controls/zu_section_img_button.h"
#include "view/reflect.h"
#include "view/zu_section_button.h"
#include "view/zu_switch_image_button.h"

using viewtest::HostWindow;
using viewtest::Image;
using viewtest::SolidBitmap;

namespace {

std::unique_ptr<Gdiplus::Font> TestFont() {
  return std::make_unique<Gdiplus::Font>(L"Tahoma", 14.0f, Gdiplus::FontStyleRegular,
                                         Gdiplus::UnitPixel);
}

// Waits until the pixel at `pt` shows `rgb`, as the control repaints itself.
bool ShowsColor(HWND wnd, POINT pt, uint32_t rgb) {
  return viewtest::PumpUntil([&] { return viewtest::CaptureClient(wnd).At(pt.x, pt.y) == rgb; });
}

// Moves the pointer away from every control, then waits as ShowsColor.
bool LeftShows(HWND host, HWND wnd, POINT pt, uint32_t rgb) {
  viewtest::MoveMouseTo(host, {600, 400});
  return ShowsColor(wnd, pt, rgb);
}

constexpr COLORREF kNormalFill = RGB(200, 220, 240);
constexpr COLORREF kPressedFill = RGB(30, 90, 160);
constexpr COLORREF kHoverFill = RGB(250, 200, 60);
constexpr COLORREF kDisableFill = RGB(127, 127, 127);
constexpr COLORREF kText = RGB(0, 0, 0);
const uint32_t kNormal = viewtest::Rgb(kNormalFill), kPressed = viewtest::Rgb(kPressedFill),
               kHover = viewtest::Rgb(kHoverFill), kDisabled = viewtest::Rgb(kDisableFill);

}  // namespace

// ---------------------------------------------------------------------------
// Switch image tile

TEST(SwitchImageButton, PaintsEachStatusLatchesAndTellsTheDeleteMark) {
  HostWindow host;
  auto font = TestFont();
  auto image = SolidBitmap(32, 32, 0xFF0000FF), pressed = SolidBitmap(32, 32, 0xFF00FF00);
  auto mark = SolidBitmap(12, 12, 0xFFFF0000), mark_pressed = SolidBitmap(12, 12, 0xFFFF00FF);
  ZuSwitchImageButton tile;
  tile.SetDoHover(false);  // CreateButton turns hover on again
  HWND wnd = tile.CreateButton(host, font.get(), 7);
  tile.SetImageDeleteNormal(mark.get()).SetImageDeletePressed(mark_pressed.get());
  tile.SetDotRight(true);
  tile.Init(20, 20, L"Tile", kNormalFill, kText, image.get(), kPressedFill, RGB(255, 255, 255),
            pressed.get());
  const int width = static_cast<int>(tile.GetWidth()), height = static_cast<int>(tile.GetHeight());
  const int image_x = static_cast<int>((std::max(tile.GetWidth() - 20, 32.0f) - 32) * 0.5f + 10);
  const POINT image_centre = {image_x + 16, 26}, fill_point = {3, height - 3};
  // Consecutive presses land on different points: a second press on the
  // same spot soon after is a double click, which an owner-drawn button
  // reports as BN_DOUBLECLICKED without pressing.
  const POINT mark_centre = {width - 16 + 6, 8}, away = {600, 400}, body = {4, height - 4},
              body2 = {12, height - 4};
  const RECT caption = {0, 46, width - 3, height};
  viewtest::MoveMouseTo(host, away);

  ASSERT_TRUE(ShowsColor(wnd, fill_point, kNormal));
  Image shot = viewtest::CaptureClient(wnd);
  EXPECT_EQ(shot.At(image_x, 10), 0x0000FFu);
  EXPECT_EQ(shot.At(image_x - 1, 10), kNormal);
  EXPECT_EQ(shot.At(mark_centre.x, mark_centre.y), 0xFF0000u);
  EXPECT_EQ(shot.At(width - 2, height / 2), 0xFFFFFFu);  // the separator line
  EXPECT_GT(shot.Count(0x000000, caption.left, caption.top, caption.right, caption.bottom), 0);

  // Hover after resting on the tile, normal again after leaving.
  viewtest::MoveMouseTo(wnd, body);
  EXPECT_TRUE(ShowsColor(wnd, fill_point, kPressed));
  EXPECT_TRUE(LeftShows(host, wnd, fill_point, kNormal));

  // A click selects the tile; it stays selected after the pointer leaves.
  host.ClearSeen();
  viewtest::Click(wnd, body);
  EXPECT_EQ(host.CountCommands(wnd, BN_CLICKED), 1);
  viewtest::PumpFor(50);
  EXPECT_TRUE(LeftShows(host, wnd, fill_point, kPressed));
  // A further press on the selected tile reports nothing, unless it hits
  // the delete mark.
  viewtest::Click(wnd, body2);
  EXPECT_EQ(host.CountCommands(wnd, BN_CLICKED), 1);
  EXPECT_FALSE(tile.IsDelete());
  viewtest::Click(wnd, mark_centre);
  EXPECT_EQ(host.CountCommands(wnd, BN_CLICKED), 2);
  EXPECT_TRUE(tile.IsDelete());
  tile.ResetStatus();
  EXPECT_TRUE(LeftShows(host, wnd, fill_point, kNormal));

  // A press released outside selects without a click.
  host.ClearSeen();
  viewtest::MouseDown(wnd, body2);
  viewtest::MouseUp(host, away);
  EXPECT_EQ(host.CountCommands(wnd, BN_CLICKED), 0);
  EXPECT_NE(GetCapture(), wnd);
  EXPECT_TRUE(ShowsColor(wnd, fill_point, kPressed));
  tile.ResetStatus();

  // Radio mode off: every click reports and the tile returns to normal.
  tile.SetRadio(false);
  viewtest::Click(wnd, body);
  viewtest::Click(wnd, mark_centre);
  EXPECT_EQ(host.CountCommands(wnd, BN_CLICKED), 2);
  EXPECT_TRUE(LeftShows(host, wnd, fill_point, kNormal));
  tile.SetDoHover(false);  // resting on it then shows no hover look
  SendMessageW(wnd, WM_MOUSEHOVER, 0, MAKELPARAM(body.x, body.y));
  EXPECT_EQ(viewtest::CaptureClient(wnd).At(fill_point.x, fill_point.y), kNormal);

  tile.SetPressedStatus();
  ASSERT_TRUE(ShowsColor(wnd, fill_point, kPressed));
  shot = viewtest::CaptureClient(wnd);
  EXPECT_EQ(shot.At(image_centre.x, image_centre.y), 0x00FF00u);
  EXPECT_EQ(shot.At(mark_centre.x, mark_centre.y), 0xFF00FFu);
  EXPECT_GT(shot.Count(0xFFFFFF, caption.left, caption.top, caption.right, caption.bottom), 0);
  EXPECT_EQ(shot.Count(0x000000), 0);

  // Disabled: the disabled fill, the normal mark and the grey copy of the
  // image (the luma of pure blue).
  tile.EnableWindow(FALSE);
  ASSERT_TRUE(ShowsColor(wnd, fill_point, kDisabled));
  shot = viewtest::CaptureClient(wnd);
  EXPECT_EQ(shot.At(mark_centre.x, mark_centre.y), 0xFF0000u);
  const uint32_t grey = shot.At(image_centre.x, image_centre.y);
  for (int shift : {0, 8, 16}) EXPECT_NEAR(static_cast<int>((grey >> shift) & 0xFF), 29, 1) << shift;
  DestroyWindow(wnd);
}


// ---------------------------------------------------------------------------
// Section button

TEST(Layouts, TileAndSectionByValue) {
  // The tile: a 32 x 24 image, margins 10 and 6, gap 4; align 3 lays out
  // nothing but the size.
  const struct { unsigned align; float tw, th; std::tuple<int, int, int, int, float, float> want; } tiles[] = {
      {1, 20.5f, 14.5f, {10, 6, 15, 34, 52, 54.5f}},  // the narrower one centred
      {1, 50.5f, 14.5f, {19, 6, 10, 34, 70.5f, 54.5f}},
      {2, 20.5f, 14.5f, {10, 6, 46, 10, 76.5f, 36}},  // the shorter caption centred
      {2, 20.5f, 30.5f, {10, 6, 46, 6, 76.5f, 42.5f}},
      {3, 20.5f, 14.5f, {0, 6, 0, 0, 52, 36}},
  };
  for (const auto& r : tiles) {
    const auto l = view::internal::LayOutSwitchImage(r.align, r.tw, r.th, 32, 24, 10, 6, 4, {});
    EXPECT_EQ(std::make_tuple(l.image_x, l.image_y, l.text_x, l.text_y, l.width, l.height), r.want)
        << r.align << " " << r.tw << " x " << r.th;
  }
  // The section: a 16 x 16 image, margins 8 and 4, gap 6. reload fits the
  // content, rounding up; Load centres it in a fixed width of 120 (and a
  // fixed height of 60 where given).
  using namespace view::internal;
  const struct { bool load; int layout, height; float tw, th; std::tuple<int, int, float, float, int, int> want; } sections[] = {
      {false, kImgRightOfText, 0, 40.5f, 14, {55, 4, 8, 5, 79, 24}},  // right margin kept
      {false, kImgLeftOfText, 0, 40, 14, {8, 4, 30, 5, 78, 24}},
      {false, kImgAboveText, 0, 40, 14, {20, 4, 8, 26, 56, 44}},
      {true, kImgLeftOfText, 0, 40, 14, {29, 4, 51, 5, 120, 24}},
      {true, kImgRightOfText, 0, 40, 14, {75, 4, 29, 5, 120, 24}},
      {true, kImgAboveText, 60, 104, 14, {52, 12, 8, 34, 120, 60}},  // the caption spans the width
  };
  for (const auto& r : sections) {
    const SectionMetrics m = {r.layout, 16, 16, 8, 4, 6};
    const SectionPlacement p =
        r.load ? SectionLoadPlace(m, r.tw, r.th, 120, r.height, true, r.height != 0, true, {})
               : SectionReloadPlace(m, r.tw, r.th, {});
    EXPECT_EQ(std::make_tuple(p.image_x, p.image_y, p.text_x, p.text_y, p.width, p.height), r.want)
        << r.layout << " " << r.load;
  }
}

TEST(SectionButton, CheckStyleHoverAndNotifications) {
  HostWindow host;
  auto font = TestFont();
  ZuSectionButton tab, plain;
  RECT rect1 = {20, 20, 140, 60}, rect2 = {160, 20, 280, 60};
  HWND wnd = tab.Create(host, &rect1, L"Tab", 0, 0, 31);
  HWND other = plain.Create(host, &rect2, L"Plain", 0, 0, 32);
  for (ZuSectionButton* b : {&tab, &plain}) {
    b->SetFont(font.get())
        .SetColorOfNormalStatus(kNormalFill, kText, kNormalFill)
        .SetColorOfPressedStatus(kPressedFill, kText, kPressedFill)
        .SetColorOfHoverStatus(kHoverFill, kText, kHoverFill)
        .SetColorOfDisableStatus(kDisableFill, kText, kDisableFill);
  }
  tab.SetCheckStyle(true).SetTooltip(L"First").SetTooltip(L"Tab tip");  // the second replaces
  EXPECT_EQ(view::frame::TooltipText(view::frame::BoundObject<ZuSectionImgButton>(wnd)->tooltip(), wnd),
            L"Tab tip");
  plain.SetFixWidth(true).SetFixHeight(true).Center(true).Load(true);
  const POINT corner = {2, 2}, away = {600, 400};
  viewtest::MoveMouseTo(host, away);
  ASSERT_TRUE(ShowsColor(other, corner, kNormal));
  // Centred in the fixed size: as far from each edge as from the opposite one.
  const RECT ink = viewtest::CaptureClient(other).Bounds([](uint32_t c) { return c < 0x800000; }, {0, 0, 120, 40});
  EXPECT_NEAR(ink.left + ink.right, 120, 2);
  EXPECT_NEAR(ink.top + ink.bottom, 40, 2);

  // Hot enter and leave from real pointer moves; without the check style a
  // click ends in the normal status again.
  viewtest::MoveMouseTo(other, {30, 20});
  EXPECT_TRUE(ShowsColor(other, corner, kHover));
  EXPECT_TRUE(LeftShows(host, other, corner, kNormal));
  host.ClearSeen();
  viewtest::Click(other, {30, 20});
  EXPECT_EQ(host.CountCommands(other, BN_CLICKED), 1);
  EXPECT_TRUE(ShowsColor(other, corner, kNormal));  // released under the pointer

  // With the check style a clicked section stays pressed, through leaving
  // and further clicks, which still report.
  viewtest::Click(wnd, {30, 20});
  EXPECT_TRUE(LeftShows(host, wnd, corner, kPressed));
  viewtest::Click(wnd, {60, 25});
  EXPECT_EQ(host.CountCommands(wnd, BN_CLICKED), 2);
  EXPECT_TRUE(LeftShows(host, wnd, corner, kPressed));
  tab.ResetStatus();  // which leaves the repaint to the application
  RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE);
  EXPECT_TRUE(ShowsColor(wnd, corner, kNormal));

  // The reflected hot-item notification, sent as the parent would: a
  // pressed tab and a disabled one ignore it.
  auto hot = [&](DWORD flags, uint32_t shown) {
    NMBCHOTITEM item = {{wnd, 31, static_cast<UINT>(BCN_HOTITEMCHANGE)}, flags};
    EXPECT_EQ(SendMessageW(wnd, view::kReflectOffset + WM_NOTIFY, 31, reinterpret_cast<LPARAM>(&item)), 0);
    RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE);  // the platform's button would repaint
    return ShowsColor(wnd, corner, shown);
  };
  EXPECT_TRUE(hot(HICF_ENTERING, kHover));
  EXPECT_TRUE(hot(HICF_LEAVING, kNormal));
  tab.SetPressedStatus();
  EXPECT_TRUE(hot(HICF_ENTERING, kPressed));
  EXPECT_TRUE(hot(HICF_LEAVING, kPressed));
  tab.ResetStatus();
  tab.EnableWindow(FALSE);
  EXPECT_TRUE(hot(HICF_ENTERING, kDisabled));
  DestroyWindow(wnd);
  DestroyWindow(other);
}

TEST(SwitchSection, BadInputBeforeAndAfterTheWindow) {
  // Without a window (before one exists and after it is gone) the wrappers
  // talk to none and nothing crashes.
  HostWindow host;
  ZuSwitchImageButton tile;
  ZuSectionButton section;
  for (int round = 0; round < 2; ++round) {
    tile.ResetStatus();
    tile.SetPressedStatus();
    EXPECT_FALSE(tile.EnableWindow(TRUE));
    EXPECT_EQ(tile.Init(0, 0, nullptr, 0, 0, nullptr, 0, 0, nullptr), 0);
    tile.SetText(nullptr);
    section.SetTooltip(L"no window").Load(true).ResetStatus();
    EXPECT_EQ(section.reload(0, 0), WTL::CSize(0, 0));
    EXPECT_FALSE(section.EnableWindow(TRUE));
    if (round == 1) break;
    // No image, caption or font: the margins and gap alone (scaled 1.5: 15
    // and 6), at a negative position, which counts from the parent's right
    // and bottom edges; laid out again where it stands by a new caption,
    // which without a font measures as nothing. The section's image box
    // follows the DPI factor.
    tile.SetDpiScale(1.5f);
    tile.SetInitVisible(false);
    HWND wnd = tile.CreateButton(host, nullptr, 3);
    EXPECT_FALSE(IsWindowVisible(wnd));
    tile.Init(-10, -20, nullptr, kNormalFill, kText, nullptr, kPressedFill, kText, nullptr);
    EXPECT_EQ(viewtest::RectInParent(wnd), (RECT{600, 424, 630, 460}));
    tile.SetHMargin(3).SetVMargin(5).SetImageAndTextGap(7).SetText(L"x");
    EXPECT_EQ(viewtest::RectInParent(wnd), (RECT{600, 424, 606, 441}));
    tile.SetTextAlign(2).SetText(L"y");  // the caption right of the (empty) image
    EXPECT_EQ(std::make_tuple(tile.GetText(), tile.GetTextX(), tile.GetWidth(), tile.GetHeight(),
                              tile.DpiScale(15)),
              std::make_tuple(std::wstring(L"y"), 10, 13.0f, 10.0f, 22.5f));
    auto image = SolidBitmap(16, 16, 0xFF0000FF);
    HWND sec = section.Create(host, nullptr, L"");
    section.SetDpiScale(2.0f).SetImages(image.get(), nullptr, nullptr, nullptr);
    EXPECT_EQ(section.SetHMargin(8).SetVMargin(4).reload(0, 0), WTL::CSize(48, 40));
    SetWindowTextW(sec, L"x");  // with a caption the gap counts
    EXPECT_EQ(section.SetImageAndTextGap(6).reload(0, 0), WTL::CSize(48, 46));
    EXPECT_EQ(section.SetImgAndTextLayoutType(kImgLeftOfText).reload(0, 0), WTL::CSize(54, 40));
    DestroyWindow(wnd);
    DestroyWindow(sec);
    EXPECT_EQ(static_cast<HWND>(tile), nullptr);
  }
}

TEST(SwitchSection, EveryChangeOfLookShowsAtTheNextRepaint) {
  // Each control keeps the faces it painted; a setter must drop them.
  HostWindow host;
  auto font = TestFont();
  auto other_font = std::make_unique<Gdiplus::Font>(L"Arial", 18.0f, Gdiplus::FontStyleBold,
                                                    Gdiplus::UnitPixel);
  auto image = SolidBitmap(16, 16, 0xFF0000FF), mark = SolidBitmap(16, 16, 0xFFFF0000);
  ZuSwitchImageButton tile;
  tile.CreateButton(host, font.get(), 7);
  tile.Init(20, 20, L"Tile", kNormalFill, kText, image.get(), kPressedFill, kText, image.get());
  EXPECT_EQ(viewtest::ChangesNotRepainted(
                tile, {{"font", [&] { tile.SetFont(other_font.get()); }},
                       {"delete mark", [&] { tile.SetImageDeleteNormal(mark.get()); }},
                       {"dot", [&] { tile.SetDotRight(true); }},
                       {"border", [&] { tile.SetColorBorder(RGB(0, 0, 0)); }},
                       {"border width", [&] { tile.SetBorderWidth(4.0f); }},
                       {"round", [&] { tile.SetRoundRect(true).SetRoundRectPoint({8, 8}); }},
                       {"background", [&] { tile.SetBackgroundColor(RGB(0, 255, 0)); }},
                       {"corner", [&] { tile.SetRoundRectPoint({16, 16}); }},
                       {"disabled", [&] { tile.EnableWindow(FALSE); }},
                       {"disable colours", [&] { tile.SetColorDisable(RGB(9, 9, 9), 0); }}}),
            std::vector<std::string>{});
  ZuSectionButton section;
  int paints = 0;
  std::function<void(HWND, Gdiplus::Graphics&, RECT&, int)> none;
  RECT rect = {20, 100, 140, 140};
  section.Create(host, &rect, L"Section", 0, 0, 8);
  section.SetFont(font.get()).SetColorOfNormalStatus(kNormalFill, kText, kNormalFill);
  section.SetImages(image.get(), nullptr, nullptr, nullptr).Load(true);
  EXPECT_EQ(viewtest::ChangesNotRepainted(
                section,
                {{"text", [&] { section.SetText(L"Other"); }},
                 {"font", [&] { section.SetFont(other_font.get()); }},
                 {"colours", [&] { section.SetColorOfNormalStatus(kHoverFill, kText, kText); }},
                 {"images", [&] { section.SetImages(mark.get(), nullptr, nullptr, nullptr); }},
                 {"round", [&] { section.SetRoundRect(true).SetRoundRectPoint({8, 8}); }},
                 {"outside", [&] { section.SetRoundBkgColorOutsideBorder(RGB(0, 255, 0)); }},
                 {"corner", [&] { section.SetRoundRectPoint({16, 16}); }},
                 // The application's drawing may change at every paint: never kept.
                 {"drawing function",
                  [&] {
                    section.setFuncDrawTextAndImage([&](HWND, Gdiplus::Graphics& g, RECT&, int) {
                      g.Clear(Gdiplus::Color(255, 0, 0, static_cast<BYTE>(++paints)));
                    });
                  }},
                 {"nothing", [] {}},
                 // Without it again, the kept face is back.
                 {"own drawing", [&] { section.setFuncDrawTextAndImage(none); }},
                 {"kept", [] {}}}),
            std::vector<std::string>{"kept"});
}

// The switch image tile and the section button: real controls in a
// reflecting host, driven by real input and checked by their pixels.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "harness.h"
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

// The same after a repaint that the test asks for: for changes that the
// control's rules leave unpainted until the application redraws.
bool ShowsColorAfterRedraw(HWND wnd, POINT pt, uint32_t rgb) {
  RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
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

TEST(SwitchImageButton, PaintsEachStatus) {
  HostWindow host;
  auto font = TestFont();
  auto image = SolidBitmap(32, 32, 0xFF0000FF), pressed = SolidBitmap(32, 32, 0xFF00FF00);
  auto mark = SolidBitmap(12, 12, 0xFFFF0000), mark_pressed = SolidBitmap(12, 12, 0xFFFF00FF);
  ZuSwitchImageButton tile;
  HWND wnd = tile.CreateButton(host, font.get(), 7);
  tile.SetImageDeleteNormal(mark.get()).SetImageDeletePressed(mark_pressed.get());
  tile.SetDotRight(true);
  tile.Init(20, 20, L"Tile", kNormalFill, kText, image.get(), kPressedFill, RGB(255, 255, 255),
            pressed.get());
  const int width = static_cast<int>(tile.GetWidth()), height = static_cast<int>(tile.GetHeight());
  const int image_x = static_cast<int>((std::max(tile.GetWidth() - 20, 32.0f) - 32) * 0.5f + 10);
  const POINT image_centre = {image_x + 16, 26}, fill_point = {3, height - 3};
  const POINT mark_centre = {width - 16 + 6, 8};
  const RECT caption = {0, 46, width - 3, height};

  ASSERT_TRUE(ShowsColor(wnd, fill_point, kNormal));
  Image shot = viewtest::CaptureClient(wnd);
  EXPECT_EQ(shot.At(image_x, 10), 0x0000FFu);
  EXPECT_EQ(shot.At(image_x - 1, 10), kNormal);
  EXPECT_EQ(shot.At(mark_centre.x, mark_centre.y), 0xFF0000u);
  EXPECT_EQ(shot.At(width - 2, height / 2), 0xFFFFFFu);  // the separator line
  EXPECT_GT(shot.Count(0x000000, caption.left, caption.top, caption.right, caption.bottom), 0);

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

TEST(SwitchImageButton, RadioLatchingDeleteMarkAndHover) {
  HostWindow host;
  auto font = TestFont();
  auto image = SolidBitmap(32, 32, 0xFF0000FF), mark = SolidBitmap(12, 12, 0xFFFF0000);
  ZuSwitchImageButton tile;
  tile.SetDoHover(false);  // CreateButton turns hover on again
  HWND wnd = tile.CreateButton(host, font.get(), 9);
  tile.SetImageDeleteNormal(mark.get()).SetImageDeletePressed(mark.get());
  tile.Init(40, 40, L"Choice", kNormalFill, kText, image.get(), kPressedFill, kText, image.get());
  const int height = static_cast<int>(tile.GetHeight());
  // Consecutive presses land on different points: a second press on the
  // same spot soon after is a double click, which an owner-drawn button
  // reports as BN_DOUBLECLICKED without pressing.
  const POINT body = {4, height - 4}, body2 = {12, height - 4};
  const POINT on_mark = {static_cast<int>(tile.GetWidth() - 16) + 6, 8};
  const POINT fill = {2, height - 2};
  const POINT away = {600, 400};
  viewtest::MoveMouseTo(host, away);

  // Hover after resting on the tile, normal again after leaving.
  viewtest::MoveMouseTo(wnd, body);
  EXPECT_TRUE(ShowsColor(wnd, fill, kPressed));
  EXPECT_TRUE(LeftShows(host, wnd, fill, kNormal));

  // A click selects the tile; it stays selected after the pointer leaves.
  host.ClearSeen();
  viewtest::Click(wnd, body);
  EXPECT_EQ(host.CountCommands(wnd, BN_CLICKED), 1);
  viewtest::PumpFor(50);
  EXPECT_TRUE(LeftShows(host, wnd, fill, kPressed));
  // A further press on the selected tile reports nothing, unless it hits
  // the delete mark.
  viewtest::Click(wnd, body2);
  EXPECT_EQ(host.CountCommands(wnd, BN_CLICKED), 1);
  EXPECT_FALSE(tile.IsDelete());
  viewtest::Click(wnd, on_mark);
  EXPECT_EQ(host.CountCommands(wnd, BN_CLICKED), 2);
  EXPECT_TRUE(tile.IsDelete());
  tile.ResetStatus();
  EXPECT_TRUE(LeftShows(host, wnd, fill, kNormal));

  // A press released outside selects without a click.
  host.ClearSeen();
  viewtest::MouseDown(wnd, body2);
  viewtest::MouseUp(host, away);
  EXPECT_EQ(host.CountCommands(wnd, BN_CLICKED), 0);
  EXPECT_NE(GetCapture(), wnd);
  EXPECT_TRUE(ShowsColor(wnd, fill, kPressed));
  tile.ResetStatus();

  // Radio mode off: every click reports and the tile returns to normal.
  tile.SetRadio(false);
  viewtest::Click(wnd, body);
  viewtest::Click(wnd, on_mark);
  EXPECT_EQ(host.CountCommands(wnd, BN_CLICKED), 2);
  EXPECT_TRUE(LeftShows(host, wnd, fill, kNormal));
  DestroyWindow(wnd);
}

// ---------------------------------------------------------------------------
// Section button

TEST(SectionLayout, ImageRightOfTheCaptionKeepsItsMargin) {
  using namespace view::internal;
  SectionMetrics m;
  m.image_width = m.image_height = 16;
  m.h_margin = 8;
  m.v_margin = 4;
  m.gap = 6;
  m.layout = kImgRightOfText;
  const SectionPlacement p = SectionReloadPlace(m, 40.2f, 14, SectionPlacement());
  EXPECT_EQ(p.width, 79);  // 8 + 40.2 + 6 + 16 + 8, rounded up
  EXPECT_EQ(p.image_x, 79 - 16 - 8);
  EXPECT_FLOAT_EQ(p.text_x, 8);
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
  tab.SetCheckStyle(true);
  const POINT corner = {2, 2}, away = {600, 400};
  viewtest::MoveMouseTo(host, away);
  ASSERT_TRUE(ShowsColor(other, corner, kNormal));

  // Hot enter and leave from real pointer moves; without the check style a
  // click ends in the normal status again.
  viewtest::MoveMouseTo(other, {30, 20});
  EXPECT_TRUE(ShowsColor(other, corner, kHover));
  EXPECT_TRUE(LeftShows(host, other, corner, kNormal));
  host.ClearSeen();
  viewtest::Click(other, {30, 20});
  EXPECT_EQ(host.CountCommands(other, BN_CLICKED), 1);
  EXPECT_TRUE(LeftShows(host, other, corner, kNormal));

  // With the check style a clicked section stays pressed, through leaving
  // and further clicks, which still report.
  viewtest::Click(wnd, {30, 20});
  EXPECT_TRUE(LeftShows(host, wnd, corner, kPressed));
  viewtest::Click(wnd, {60, 25});
  EXPECT_EQ(host.CountCommands(wnd, BN_CLICKED), 2);
  EXPECT_TRUE(LeftShows(host, wnd, corner, kPressed));
  tab.ResetStatus();
  EXPECT_TRUE(ShowsColorAfterRedraw(wnd, corner, kNormal));

  // The reflected hot-item notification, sent as the parent would: a
  // pressed tab and a disabled one ignore it.
  auto hot = [&](DWORD flags, uint32_t shown) {
    NMBCHOTITEM item = {{wnd, 31, static_cast<UINT>(BCN_HOTITEMCHANGE)}, flags};
    EXPECT_EQ(SendMessageW(wnd, view::kReflectOffset + WM_NOTIFY, 31, reinterpret_cast<LPARAM>(&item)), 0);
    return ShowsColorAfterRedraw(wnd, corner, shown);
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
    // No image, caption or font: just the fill, margins and gap. The
    // section's image box follows the DPI factor.
    HWND wnd = tile.CreateButton(host, nullptr, 3);
    tile.Init(10, 10, nullptr, kNormalFill, kText, nullptr, kPressedFill, kText, nullptr);
    EXPECT_EQ(viewtest::ClientSize(wnd), (SIZE{20, 24}));
    auto image = SolidBitmap(16, 16, 0xFF0000FF);
    HWND sec = section.Create(host, nullptr, L"");
    section.SetDpiScale(2.0f).SetImages(image.get(), nullptr, nullptr, nullptr);
    EXPECT_EQ(section.SetHMargin(8).SetVMargin(4).reload(0, 0), WTL::CSize(48, 40));
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
                 {"nothing", [] {}}}),
            std::vector<std::string>{});
}

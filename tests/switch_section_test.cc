// The switch image tile and the section button: real controls in a
// reflecting host, driven by real input and checked by their pixels.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "harness.h"
#include "view/internal/controls/zu_section_img_button.h"
#include "view/reflect.h"
#include "view/zu_section_button.h"
#include "view/zu_switch_image_button.h"

using viewtest::ClientSize;
using viewtest::HostWindow;
using viewtest::Image;
using viewtest::RectInParent;
using viewtest::SolidBitmap;

namespace {

std::unique_ptr<Gdiplus::Font> TestFont() {
  return std::make_unique<Gdiplus::Font>(L"Tahoma", 14.0f, Gdiplus::FontStyleRegular,
                                         Gdiplus::UnitPixel);
}

// The caption's box as the controls measure it: a graphics on the window,
// an unlimited layout area and the given format.
Gdiplus::RectF Measure(HWND wnd, const wchar_t* text, Gdiplus::Font* font,
                       const Gdiplus::StringFormat* format = nullptr) {
  Gdiplus::Graphics graphics(wnd);
  graphics.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
  Gdiplus::RectF box(0, 0, 0, 0);
  graphics.MeasureString(text, -1, font, Gdiplus::RectF(0, 0, 0, 0), format, &box);
  return box;
}

bool Grey(uint32_t rgb, int level) {
  for (int shift : {0, 8, 16}) {
    if (std::abs(static_cast<int>((rgb >> shift) & 0xFF) - level) > 1) return false;
  }
  return true;
}

// Waits until the pixel at `pt` shows `rgb`, as the control repaints itself.
bool ShowsColor(HWND wnd, POINT pt, uint32_t rgb) {
  return viewtest::PumpUntil([&] { return viewtest::CaptureClient(wnd).At(pt.x, pt.y) == rgb; });
}

// The same after a repaint that the test asks for: for changes that the
// control's rules leave unpainted until the application redraws.
bool ShowsColorAfterRedraw(HWND wnd, POINT pt, uint32_t rgb) {
  RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  return ShowsColor(wnd, pt, rgb);
}

// The tooltip windows that belong to the top-level window `owner`.
std::vector<HWND> TooltipsOf(HWND owner) {
  std::vector<HWND> found;
  for (HWND wnd = nullptr; (wnd = FindWindowExW(nullptr, wnd, TOOLTIPS_CLASSW, nullptr));) {
    if (GetWindow(wnd, GW_OWNER) == owner) found.push_back(wnd);
  }
  return found;
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

TEST(SwitchImageButton, LayoutAndPlacement) {
  HostWindow host;
  auto font = TestFont();
  auto image = SolidBitmap(32, 32, 0xFF0000FF);
  const wchar_t caption[] = L"Wide caption";
  ZuSwitchImageButton tile;
  HWND wnd = tile.CreateButton(host, font.get(), 41);
  ASSERT_NE(wnd, nullptr);
  const Gdiplus::RectF box = Measure(wnd, caption, font.get());
  ASSERT_GT(box.Width, 32.0f) << "the caption must be wider than the image";

  // Image above the caption with margins 10 and gap 4, centred on the caption.
  tile.Init(30, 20, caption, kNormalFill, kText, image.get(), kPressedFill, kText, image.get());
  EXPECT_EQ(tile.GetTextX(), 10);
  EXPECT_EQ(RectInParent(wnd), (RECT{30, 20, 30 + static_cast<int>(20 + box.Width),
                                     20 + static_cast<int>(56 + box.Height)}));

  // Image left of the caption; negative coordinates count from the far edges.
  tile.SetTextAlign(2).SetHMargin(6).SetVMargin(5).SetImageAndTextGap(8);
  tile.Init(-10, -20, caption, kNormalFill, kText, image.get(), kPressedFill, kText, image.get());
  const float width = 12 + 32 + 8 + box.Width, height = 10 + std::max(32.0f, box.Height);
  EXPECT_EQ(tile.GetTextX(), 6 + 32 + 8);
  const RECT place = RectInParent(wnd);
  EXPECT_EQ(place.left, static_cast<int>(640 - 10 - width));
  EXPECT_EQ(place.top, static_cast<int>(480 - 20 - height));

  // A shorter caption keeps the place and shrinks the tile.
  tile.SetTextAlign(1);
  tile.SetText(L"Wide");
  EXPECT_EQ(RectInParent(wnd), (RECT{place.left, place.top,
                                     place.left + static_cast<int>(tile.GetWidth()),
                                     place.top + static_cast<int>(tile.GetHeight())}));

  // Scaled creation: margins 15, gap 6 at 1.5; hidden when asked.
  ZuSwitchImageButton scaled;
  scaled.SetDpiScale(1.5f);
  scaled.SetInitVisible(false);
  HWND hidden = scaled.CreateButton(host, font.get(), 42);
  EXPECT_FALSE(IsWindowVisible(hidden));
  scaled.Init(0, 0, L"", kNormalFill, kText, image.get(), kPressedFill, kText, image.get());
  EXPECT_EQ(ClientSize(hidden), (SIZE{30 + 48, 30 + 48 + 6}));
  DestroyWindow(wnd);
  EXPECT_EQ(static_cast<HWND>(tile), nullptr);
}

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
  EXPECT_EQ(shot.At(width - 2, 0), kNormal);
  EXPECT_GT(shot.Count(0x000000, caption.left, caption.top, caption.right, caption.bottom), 0);

  tile.SetPressedStatus();
  ASSERT_TRUE(ShowsColor(wnd, fill_point, kPressed));
  shot = viewtest::CaptureClient(wnd);
  EXPECT_EQ(shot.At(image_centre.x, image_centre.y), 0x00FF00u);
  EXPECT_EQ(shot.At(mark_centre.x, mark_centre.y), 0xFF00FFu);
  EXPECT_GT(shot.Count(0xFFFFFF, caption.left, caption.top, caption.right, caption.bottom), 0);
  EXPECT_EQ(shot.Count(0x000000), 0);

  // Disabled: the disabled fill, the normal mark and the grey copy of the
  // image (the luma of pure blue), made by Init and kept across paints: the
  // image changed since still shows the old grey until the next Init.
  tile.EnableWindow(FALSE);
  ASSERT_TRUE(ShowsColor(wnd, fill_point, kDisabled));
  shot = viewtest::CaptureClient(wnd);
  EXPECT_EQ(shot.At(mark_centre.x, mark_centre.y), 0xFF0000u);
  EXPECT_TRUE(Grey(shot.At(image_centre.x, image_centre.y), 29));
  Gdiplus::Graphics(image.get()).Clear(Gdiplus::Color(255, 255, 0, 0));
  ASSERT_TRUE(ShowsColorAfterRedraw(wnd, fill_point, kDisabled));
  EXPECT_TRUE(Grey(viewtest::CaptureClient(wnd).At(image_centre.x, image_centre.y), 29));
  tile.Init(20, 20, L"Tile", kNormalFill, kText, image.get(), kPressedFill, RGB(255, 255, 255),
            pressed.get());
  EXPECT_TRUE(viewtest::PumpUntil([&] {
    RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    return Grey(viewtest::CaptureClient(wnd).At(image_centre.x, image_centre.y), 76);
  }));
  tile.EnableWindow(TRUE);
  ASSERT_TRUE(ShowsColor(wnd, fill_point, kNormal));

  // A set border colour outlines the shape; 0xFFFFFFFF (the default) draws
  // the same outline in the fill colour. Rounded corners show the background.
  tile.SetRoundRect(true).SetRoundRectPoint({20, 20}).SetBorderWidth(3).SetColorBorder(RGB(0, 128, 0));
  tile.SetBackgroundColor(RGB(255, 255, 0));
  ASSERT_TRUE(ShowsColorAfterRedraw(wnd, {width / 2, 0}, 0x008000));
  const Image bordered = viewtest::CaptureClient(wnd);
  EXPECT_EQ(bordered.At(0, 0), 0xFFFF00u);  // outside the rounded corner
  tile.SetColorBorder(0xFFFFFFFF);
  ASSERT_TRUE(ShowsColorAfterRedraw(wnd, {width / 2, 0}, kNormal));
  const Image unbordered = viewtest::CaptureClient(wnd);
  EXPECT_GT(bordered.Count(0x008000), width);
  EXPECT_EQ(unbordered.Count(0x008000), 0);
  EXPECT_EQ(unbordered.At(0, 0), 0xFFFF00u);
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
  viewtest::MoveMouseTo(host, away);
  EXPECT_TRUE(ShowsColor(wnd, fill, kNormal));

  // A click selects the tile; it stays selected after the pointer leaves.
  host.ClearSeen();
  viewtest::Click(wnd, body);
  EXPECT_EQ(host.CountCommands(wnd, BN_CLICKED), 1);
  viewtest::MoveMouseTo(host, away);
  viewtest::PumpFor(50);
  EXPECT_TRUE(ShowsColor(wnd, fill, kPressed));
  // A further press on the selected tile reports nothing, unless it hits
  // the delete mark.
  viewtest::Click(wnd, body2);
  EXPECT_EQ(host.CountCommands(wnd, BN_CLICKED), 1);
  EXPECT_FALSE(tile.IsDelete());
  viewtest::Click(wnd, on_mark);
  EXPECT_EQ(host.CountCommands(wnd, BN_CLICKED), 2);
  EXPECT_TRUE(tile.IsDelete());
  tile.ResetStatus();
  viewtest::MoveMouseTo(host, away);
  EXPECT_TRUE(ShowsColor(wnd, fill, kNormal));

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
  viewtest::MoveMouseTo(host, away);
  EXPECT_TRUE(ShowsColor(wnd, fill, kNormal));

  // Without hover no hover look.
  tile.SetDoHover(false);
  viewtest::MoveMouseTo(wnd, body2);
  viewtest::PumpFor(100);
  EXPECT_TRUE(ShowsColor(wnd, fill, kNormal));
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

TEST(SectionButton, ReloadAndLoadFitTheMeasuredContent) {
  HostWindow host;
  auto font = TestFont();
  auto image = SolidBitmap(16, 16, 0xFF0000FF);
  const wchar_t caption[] = L"Section";
  ZuSectionButton section;
  RECT rect = {10, 10, 110, 40};
  HWND wnd = section.Create(host, &rect, caption, 0, 0, 21);
  ASSERT_NE(wnd, nullptr);
  section.SetFont(font.get()).SetHMargin(8).SetVMargin(4).SetImageAndTextGap(6);
  section.SetImages(image.get(), nullptr, nullptr, nullptr);
  section.SetColorOfNormalStatus(kNormalFill, kText, kNormalFill);

  // Side by side: the caption measured vertically centred, the image at
  // (8, (H - 16) / 2).
  Gdiplus::StringFormat side, centred;
  side.SetLineAlignment(Gdiplus::StringAlignmentCenter);
  centred.SetAlignment(Gdiplus::StringAlignmentCenter);
  centred.SetLineAlignment(Gdiplus::StringAlignmentCenter);
  Gdiplus::RectF box = Measure(wnd, caption, font.get(), &side);
  section.SetImgAndTextLayoutType(kImgLeftOfText);
  SIZE size = section.reload(0, 0);
  EXPECT_EQ(size, (SIZE{static_cast<int>(std::ceil(38 + box.Width)),
                        static_cast<int>(std::ceil(8 + std::max(16.0f, box.Height)))}));
  EXPECT_EQ(ClientSize(wnd), size);
  ASSERT_TRUE(ShowsColor(wnd, {8, (size.cy - 16) / 2}, 0x0000FF));
  EXPECT_EQ(viewtest::CaptureClient(wnd).At(7, (size.cy - 16) / 2), kNormal);

  // Stacked: centred both ways, the image at ((W - 16) / 2, 4).
  box = Measure(wnd, caption, font.get(), &centred);
  section.SetImgAndTextLayoutType(kImgAboveText);
  size = section.reload(0, 0);
  EXPECT_EQ(size, (SIZE{static_cast<int>(std::ceil(16 + std::max(16.0f, box.Width))),
                        static_cast<int>(std::ceil(30 + box.Height))}));
  ASSERT_TRUE(ShowsColor(wnd, {(size.cx - 16) / 2, 4}, 0x0000FF));

  // An empty window text: image plus margins, resized without a repaint.
  SetWindowTextW(wnd, L"");
  viewtest::PumpUntilIdle();
  ValidateRect(wnd, nullptr);
  EXPECT_EQ(section.reload(0, 0), WTL::CSize(32, 24));
  EXPECT_EQ(ClientSize(wnd), (SIZE{32, 24}));
  EXPECT_FALSE(GetUpdateRect(wnd, nullptr, FALSE));

  // Load(false) keeps the SetText caption, Load(true) takes the window text.
  SetWindowTextW(wnd, L"Hi");
  section.SetImgAndTextLayoutType(kImgLeftOfText);
  section.SetText(L"A much longer caption");
  section.Load(false);
  box = Measure(wnd, L"A much longer caption", font.get(), &side);
  EXPECT_EQ(ClientSize(wnd).cx, static_cast<int>(38 + box.Width));
  section.Load(true);
  box = Measure(wnd, L"Hi", font.get(), &side);
  EXPECT_EQ(ClientSize(wnd), (SIZE{static_cast<int>(38 + box.Width),
                                   static_cast<int>(8 + std::max(16.0f, box.Height))}));
  DestroyWindow(wnd);
}

TEST(SectionButton, FixedWidthCentresAShortCaption) {
  HostWindow host;
  auto font = TestFont();
  ZuSectionButton section;
  RECT rect = {10, 10, 210, 60};
  HWND wnd = section.Create(host, &rect, L"Tab");
  section.SetFont(font.get()).SetHMargin(8).SetVMargin(4).SetFixWidth(true);
  section.SetColorOfNormalStatus(kNormalFill, kText, kNormalFill);
  section.Load(true);
  EXPECT_EQ(ClientSize(wnd).cx, 200);  // the width is kept, the height fits the caption
  EXPECT_LT(ClientSize(wnd).cy, 50);
  ASSERT_TRUE(ShowsColorAfterRedraw(wnd, {2, 2}, kNormal));
  const RECT ink = viewtest::CaptureClient(wnd).BoundsNot(kNormal);
  ASSERT_LT(ink.left, ink.right);
  EXPECT_NEAR((ink.left + ink.right) / 2, 100, 3);

  // Only x of the round point counts: y changes nothing.
  section.SetRoundRect(true).SetRoundBkgColorOutsideBorder(RGB(255, 255, 0));
  section.SetRoundRectPoint(WTL::CPoint(16, 16));
  ASSERT_TRUE(ShowsColorAfterRedraw(wnd, {0, 0}, 0xFFFF00));
  const Image equal = viewtest::CaptureClient(wnd);
  section.SetRoundRectPoint(WTL::CPoint(16, 2));
  RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  viewtest::PumpUntilIdle();
  EXPECT_EQ(viewtest::CaptureClient(wnd).pixels, equal.pixels);
  DestroyWindow(wnd);
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
  viewtest::MoveMouseTo(host, away);
  EXPECT_TRUE(ShowsColor(other, corner, kNormal));
  host.ClearSeen();
  viewtest::Click(other, {30, 20});
  EXPECT_EQ(host.CountCommands(other, BN_CLICKED), 1);
  viewtest::MoveMouseTo(host, away);
  EXPECT_TRUE(ShowsColor(other, corner, kNormal));

  // With the check style a clicked section stays pressed, through leaving
  // and further clicks, which still report.
  viewtest::Click(wnd, {30, 20});
  viewtest::MoveMouseTo(host, away);
  EXPECT_TRUE(ShowsColor(wnd, corner, kPressed));
  viewtest::Click(wnd, {60, 25});
  EXPECT_EQ(host.CountCommands(wnd, BN_CLICKED), 2);
  viewtest::MoveMouseTo(host, away);
  EXPECT_TRUE(ShowsColor(wnd, corner, kPressed));
  tab.ResetStatus();
  EXPECT_TRUE(ShowsColorAfterRedraw(wnd, corner, kNormal));

  // The reflected hot-item notification, sent as the parent would: a
  // pressed tab and a disabled one ignore it.
  NMBCHOTITEM hot = {};
  hot.hdr.hwndFrom = wnd;
  hot.hdr.idFrom = 31;
  hot.hdr.code = BCN_HOTITEMCHANGE;
  const struct {
    void (*prepare)(ZuSectionButton&);
    DWORD flags;
    uint32_t shown;
  } steps[] = {
      {nullptr, HICF_ENTERING, kHover},
      {nullptr, HICF_LEAVING, kNormal},
      {[](ZuSectionButton& b) { b.SetPressedStatus(); }, HICF_ENTERING, kPressed},
      {nullptr, HICF_LEAVING, kPressed},
      {[](ZuSectionButton& b) { b.ResetStatus(), b.EnableWindow(FALSE); }, HICF_ENTERING,
       kDisabled},
  };
  for (const auto& step : steps) {
    if (step.prepare) step.prepare(tab);
    hot.dwFlags = step.flags;
    EXPECT_EQ(SendMessageW(wnd, view::kReflectOffset + WM_NOTIFY, 31, reinterpret_cast<LPARAM>(&hot)), 0);
    EXPECT_TRUE(ShowsColorAfterRedraw(wnd, corner, step.shown)) << std::hex << step.shown;
  }
  tab.EnableWindow(TRUE);
  EXPECT_TRUE(ShowsColor(wnd, corner, kNormal));
  DestroyWindow(wnd);
  DestroyWindow(other);
}

TEST(SectionButton, TooltipAndDrawingCallback) {
  HostWindow host;
  auto font = TestFont();
  auto image = SolidBitmap(16, 16, 0xFF0000FF);
  ZuSectionButton section;
  RECT rect = {20, 20, 140, 60};
  HWND wnd = section.Create(host, &rect, L"Tips");
  section.SetFont(font.get()).SetImages(image.get(), nullptr, nullptr, nullptr);
  section.SetHMargin(8).SetVMargin(4).SetColorOfNormalStatus(kNormalFill, kText, kNormalFill);
  section.Load(true);

  // One tooltip, created on the first call; a second call replaces the text.
  EXPECT_TRUE(TooltipsOf(host).empty());
  section.SetTooltip(L"first").SetTooltip(L"second");
  const std::vector<HWND> tips = TooltipsOf(host);
  ASSERT_EQ(tips.size(), 1u);
  EXPECT_EQ(SendMessageW(tips[0], TTM_GETTOOLCOUNT, 0, 0), 1);
  wchar_t buffer[32] = {};
  TTTOOLINFOW info = {};
  info.cbSize = sizeof(info);
  info.hwnd = host;
  info.uId = reinterpret_cast<UINT_PTR>(wnd);
  info.lpszText = buffer;
  SendMessageW(tips[0], TTM_GETTEXTW, 32, reinterpret_cast<LPARAM>(&info));
  EXPECT_STREQ(buffer, L"second");

  // The callback draws instead of image and caption, over the filled shape.
  ASSERT_TRUE(ShowsColor(wnd, {2, 2}, kNormal));
  EXPECT_GT(viewtest::CaptureClient(wnd).Count(0x0000FF), 0);
  int calls = 0;
  std::function<void(HWND, Gdiplus::Graphics&, RECT&, int)> draw =
      [&](HWND target, Gdiplus::Graphics& graphics, RECT& client, int status) {
        ++calls;
        EXPECT_EQ(target, wnd);
        EXPECT_EQ(client.right, ClientSize(wnd).cx);
        EXPECT_EQ(status, kStatusNormal);
        Gdiplus::SolidBrush magenta(Gdiplus::Color(255, 255, 0, 255));
        graphics.FillRectangle(&magenta, 10, 10, 20, 10);
      };
  section.setFuncDrawTextAndImage(draw);
  ASSERT_TRUE(ShowsColorAfterRedraw(wnd, {15, 15}, 0xFF00FF));
  const Image custom = viewtest::CaptureClient(wnd);
  EXPECT_GT(calls, 0);
  EXPECT_EQ(custom.Count(0xFF00FF), 200);
  EXPECT_EQ(custom.Count(0x0000FF) + custom.Count(0x000000), 0);  // no image, no caption
  EXPECT_EQ(custom.At(2, 2), kNormal);
  draw = nullptr;
  section.setFuncDrawTextAndImage(draw);
  RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_EQ(viewtest::CaptureClient(wnd).Count(0xFF00FF), 0);
  EXPECT_GT(viewtest::CaptureClient(wnd).Count(0x0000FF), 0);

  // The tooltip belongs to the control and goes with its window.
  DestroyWindow(wnd);
  EXPECT_TRUE(TooltipsOf(host).empty());
}

TEST(SwitchSection, BadInputScaleAndCopies) {
  HostWindow host;
  auto font = TestFont();
  auto image = SolidBitmap(16, 16, 0xFF0000FF);

  // Before a window exists nothing talks to one, and nothing crashes.
  ZuSwitchImageButton tile;
  tile.ResetStatus();
  tile.SetPressedStatus();
  EXPECT_FALSE(tile.EnableWindow(TRUE));
  EXPECT_EQ(tile.Init(0, 0, nullptr, 0, 0, nullptr, 0, 0, nullptr), 0);
  tile.SetText(nullptr);
  EXPECT_EQ(tile.GetText(), L"");
  ZuSectionButton section;
  section.SetTooltip(L"no window").Load(true).ResetStatus();
  EXPECT_EQ(section.reload(0, 0), WTL::CSize(0, 0));
  EXPECT_FALSE(section.EnableWindow(TRUE));

  // A tile without image, caption or font paints just its fill: margins
  // and the gap.
  HWND wnd = tile.CreateButton(host, nullptr, 3);
  tile.Init(10, 10, nullptr, kNormalFill, kText, nullptr, kPressedFill, kText, nullptr);
  EXPECT_EQ(ClientSize(wnd), (SIZE{20, 24}));
  tile.SetPressedStatus();
  EXPECT_TRUE(ShowsColor(wnd, {10, 10}, kPressed));

  // A delete mark set after the last layout sits at the top-left corner
  // and is not hit until the next layout.
  auto mark = SolidBitmap(12, 12, 0xFFFF0000);
  tile.ResetStatus();
  tile.SetImageDeleteNormal(mark.get());
  EXPECT_TRUE(ShowsColor(wnd, {5, 5}, 0xFF0000));
  viewtest::Click(wnd, {5, 5});
  EXPECT_FALSE(tile.IsDelete());


  // The section's image box follows the DPI factor.
  HWND sec = section.Create(host, nullptr, L"");
  section.SetDpiScale(2.0f).SetImages(image.get(), nullptr, nullptr, nullptr);
  section.SetHMargin(8).SetVMargin(4);
  EXPECT_EQ(section.reload(0, 0), WTL::CSize(48, 40));

  // After the window is gone the wrappers hold no handle and stay usable.
  DestroyWindow(wnd);
  DestroyWindow(sec);
  EXPECT_EQ(static_cast<HWND>(tile), nullptr);
  tile.SetText(L"gone");
  section.Load(false).SetTooltip(L"gone");
  EXPECT_EQ(section.reload(10, 10), WTL::CSize(0, 0));
}

// The switch image tile and the section button: layout arithmetic by value,
// then real controls in a reflecting host, driven by real input and checked
// by their pixels.

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "harness.h"
#include "view/internal/controls/bas_switch_image_button.h"
#include "view/internal/controls/zu_section_img_button.h"
#include "view/zu_section_button.h"
#include "view/zu_switch_image_button.h"

using viewtest::HostWindow;
using viewtest::Image;

namespace {

// A bitmap filled with one ARGB colour.
std::unique_ptr<Gdiplus::Bitmap> SolidBitmap(int width, int height, Gdiplus::ARGB argb) {
  auto bitmap = std::make_unique<Gdiplus::Bitmap>(width, height, PixelFormat32bppARGB);
  Gdiplus::Graphics graphics(bitmap.get());
  graphics.Clear(Gdiplus::Color(argb));
  return bitmap;
}

std::unique_ptr<Gdiplus::Font> TestFont(float pixels = 14.0f) {
  auto font = std::make_unique<Gdiplus::Font>(L"Tahoma", pixels, Gdiplus::FontStyleRegular,
                                              Gdiplus::UnitPixel);
  EXPECT_EQ(font->GetLastStatus(), Gdiplus::Ok);
  return font;
}

// The caption's size as the controls measure it: a graphics on the window,
// the given layout area and format.
Gdiplus::RectF Measure(HWND wnd, const wchar_t* text, Gdiplus::Font* font,
                       const Gdiplus::StringFormat* format = nullptr,
                       Gdiplus::SizeF area = Gdiplus::SizeF(0, 0)) {
  Gdiplus::Graphics graphics(wnd);
  graphics.SetTextRenderingHint(Gdiplus::TextRenderingHintSystemDefault);
  graphics.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
  Gdiplus::RectF box(0, 0, 0, 0);
  graphics.MeasureString(text, -1, font, Gdiplus::RectF(0, 0, area.Width, area.Height), format,
                         &box);
  return box;
}

SIZE ClientSize(HWND wnd) {
  RECT rc = {};
  GetClientRect(wnd, &rc);
  return {rc.right, rc.bottom};
}

RECT RectInParent(HWND wnd) {
  RECT rc = {};
  GetWindowRect(wnd, &rc);
  MapWindowPoints(nullptr, GetParent(wnd), reinterpret_cast<POINT*>(&rc), 2);
  return rc;
}

bool Near(uint32_t rgb, int r, int g, int b, int tolerance = 1) {
  return std::abs(static_cast<int>((rgb >> 16) & 0xFF) - r) <= tolerance &&
         std::abs(static_cast<int>((rgb >> 8) & 0xFF) - g) <= tolerance &&
         std::abs(static_cast<int>(rgb & 0xFF) - b) <= tolerance;
}

// Waits until the pixel at `pt` shows `rgb`, as the control repaints itself.
bool ShowsColor(HWND wnd, POINT pt, uint32_t rgb, DWORD timeout = 2000) {
  return viewtest::PumpUntil([&] { return viewtest::CaptureClient(wnd).At(pt.x, pt.y) == rgb; },
                             timeout);
}

// The same after a repaint that the test asks for: for changes that the
// control's rules leave unpainted until the application redraws.
bool ShowsColorAfterRedraw(HWND wnd, POINT pt, uint32_t rgb, DWORD timeout = 2000) {
  RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  return ShowsColor(wnd, pt, rgb, timeout);
}

// The tooltip windows that belong to the top-level window `owner`.
std::vector<HWND> TooltipsOf(HWND owner) {
  struct Search {
    HWND owner;
    std::vector<HWND> found;
  } search = {owner, {}};
  EnumWindows(
      [](HWND wnd, LPARAM lparam) -> BOOL {
        auto* s = reinterpret_cast<Search*>(lparam);
        wchar_t name[64] = {};
        GetClassNameW(wnd, name, 64);
        if (std::wstring(name) == TOOLTIPS_CLASSW && GetWindow(wnd, GW_OWNER) == s->owner) {
          s->found.push_back(wnd);
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// Colours of the tiles and sections below (COLORREF and the 0x00RRGGBB
// that the screen shows).
constexpr COLORREF kNormalFill = RGB(200, 220, 240);
constexpr COLORREF kPressedFill = RGB(30, 90, 160);
constexpr COLORREF kHoverFill = RGB(250, 200, 60);
constexpr COLORREF kDisableFill = RGB(127, 127, 127);
constexpr COLORREF kText = RGB(0, 0, 0);

}  // namespace

// ---------------------------------------------------------------------------
// Switch image tile

TEST(SwitchImageLayout, WorkedExamples) {
  using view::internal::LayOutSwitchImage;
  const view::internal::SwitchImageLayout none;
  // 32 x 32 image, caption 50 x 16, margins 10, gap 4.
  // Image above, image left; a narrow caption is centred under the image
  // (trunc(5.75 + 10)); a tall one beside it starts at the top margin.
  const struct {
    int align;
    float text_w, text_h;
    int image_x, image_y, text_x, text_y;
    float width, height;
  } cases[] = {
      {1, 50, 16, 19, 10, 10, 46, 70, 72},
      {2, 50, 16, 10, 10, 46, 18, 106, 52},
      {1, 20.5f, 16, 10, 10, 15, 46, 52, 72},
      {2, 50, 40, 10, 10, 46, 10, 106, 60},
  };
  for (const auto& c : cases) {
    const auto l = LayOutSwitchImage(c.align, c.text_w, c.text_h, 32, 32, 10, 10, 4, none);
    EXPECT_EQ(l.image_x, c.image_x) << c.text_w;
    EXPECT_EQ(l.image_y, c.image_y) << c.text_w;
    EXPECT_EQ(l.text_x, c.text_x) << c.text_w;
    EXPECT_EQ(l.text_y, c.text_y) << c.text_w;
    EXPECT_FLOAT_EQ(l.width, c.width);
    EXPECT_FLOAT_EQ(l.height, c.height);
  }

  const RECT mark = view::internal::SwitchImageDeleteRect(70, 12, 12, 1.0f);
  EXPECT_TRUE(mark.left == 54 && mark.top == 2 && mark.right == 66 && mark.bottom == 14);
  // 105 - 12 - 6; the hit rectangle keeps the unscaled size.
  const RECT scaled = view::internal::SwitchImageDeleteRect(105, 12, 12, 1.5f);
  EXPECT_TRUE(scaled.left == 87 && scaled.top == 3 && scaled.right == 99);
}

TEST(SwitchImageLayout, GreyCopyIsLumaWithAlphaKept) {
  Gdiplus::Bitmap source(4, 1, PixelFormat32bppARGB);
  source.SetPixel(0, 0, Gdiplus::Color(255, 255, 0, 0));
  source.SetPixel(1, 0, Gdiplus::Color(255, 0, 255, 0));
  source.SetPixel(2, 0, Gdiplus::Color(255, 0, 0, 255));
  source.SetPixel(3, 0, Gdiplus::Color(128, 255, 255, 255));
  auto grey = view::internal::MakeGreyCopy(&source);
  ASSERT_TRUE(grey);
  EXPECT_EQ(grey->GetPixelFormat(), PixelFormat32bppARGB);
  const Image pixels = viewtest::FromBitmap(*grey);
  EXPECT_TRUE(Near(pixels.At(0, 0), 76, 76, 76)) << std::hex << pixels.At(0, 0);
  EXPECT_TRUE(Near(pixels.At(1, 0), 150, 150, 150)) << std::hex << pixels.At(1, 0);
  EXPECT_TRUE(Near(pixels.At(2, 0), 29, 29, 29)) << std::hex << pixels.At(2, 0);
  EXPECT_EQ(pixels.ArgbAt(0, 0) >> 24, 255u);
  EXPECT_NEAR(static_cast<int>(pixels.ArgbAt(3, 0) >> 24), 128, 1);
  EXPECT_TRUE(Near(pixels.At(3, 0), 255, 255, 255, 2)) << std::hex << pixels.At(3, 0);
  EXPECT_FALSE(view::internal::MakeGreyCopy(nullptr));
}

TEST(SwitchImageButton, CreationLayoutAndPlacement) {
  HostWindow host;
  auto font = TestFont();
  auto image = SolidBitmap(32, 32, 0xFF0000FF);
  auto pressed = SolidBitmap(32, 32, 0xFF00FF00);
  const wchar_t caption[] = L"Wide caption";

  ZuSwitchImageButton tile;
  HWND wnd = tile.CreateButton(host, font.get(), 41);
  ASSERT_NE(wnd, nullptr);
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrW(wnd, GWL_STYLE)), 0x5000000Bu);
  EXPECT_EQ(GetDlgCtrlID(wnd), 41);

  const Gdiplus::RectF box = Measure(wnd, caption, font.get());
  ASSERT_GT(box.Width, 32.0f) << "the caption must be wider than the image";
  EXPECT_EQ(tile.Init(30, 20, caption, kNormalFill, kText, image.get(), kPressedFill, kText,
                      pressed.get()),
            0);
  // Image above the caption with margins 10 and gap 4, centred on the caption.
  EXPECT_EQ(tile.GetTextX(), 10);
  RECT place = RectInParent(wnd);
  EXPECT_EQ(place.left, 30);
  EXPECT_EQ(place.top, 20);
  EXPECT_EQ(place.right - place.left, static_cast<int>(20 + box.Width));
  EXPECT_EQ(place.bottom - place.top, static_cast<int>(56 + box.Height));

  // Image left of the caption; negative coordinates count from the far edges.
  tile.SetTextAlign(2).SetHMargin(6).SetVMargin(5).SetImageAndTextGap(8);
  tile.Init(-10, -20, caption, kNormalFill, kText, image.get(), kPressedFill, kText,
            pressed.get());
  const float width = 12 + 32 + 8 + box.Width;
  const float height = 10 + std::max(32.0f, box.Height);
  EXPECT_EQ(tile.GetTextX(), static_cast<int>(6 + 32 + 8));
  place = RectInParent(wnd);
  EXPECT_EQ(place.left, static_cast<int>(640 - 10 - width));
  EXPECT_EQ(place.top, static_cast<int>(480 - 20 - height));

  // A shorter caption keeps the place and shrinks the tile; the same
  // caption twice gives the same caption position.
  tile.SetTextAlign(1);
  tile.SetText(L"Wide");
  const int first_x = tile.GetTextX();
  tile.SetText(L"Wide");
  EXPECT_EQ(tile.GetTextX(), first_x);
  const RECT moved = RectInParent(wnd);
  EXPECT_EQ(moved.left, place.left);
  EXPECT_EQ(moved.top, place.top);
  EXPECT_EQ(moved.right - moved.left, static_cast<int>(tile.GetWidth()));

  // Scaled creation: margins 15, gap 6 at 1.5.
  ZuSwitchImageButton scaled;
  scaled.SetDpiScale(1.5f);
  scaled.SetInitVisible(false);
  HWND hidden = scaled.CreateButton(host, font.get(), 42);
  ASSERT_NE(hidden, nullptr);
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrW(hidden, GWL_STYLE)), 0x4000000Bu);
  scaled.Init(0, 0, L"", kNormalFill, kText, image.get(), kPressedFill, kText, pressed.get());
  EXPECT_FLOAT_EQ(scaled.GetWidth(), 30 + 48);
  EXPECT_FLOAT_EQ(scaled.GetHeight(), 30 + 48 + 6);

  DestroyWindow(wnd);
  DestroyWindow(hidden);
  EXPECT_EQ(static_cast<HWND>(tile), nullptr);
}

TEST(SwitchImageButton, PaintsEachStatus) {
  HostWindow host;
  auto font = TestFont();
  auto image = SolidBitmap(32, 32, 0xFF0000FF);
  auto pressed = SolidBitmap(32, 32, 0xFF00FF00);
  auto mark = SolidBitmap(12, 12, 0xFFFF0000);
  auto mark_pressed = SolidBitmap(12, 12, 0xFFFF00FF);
  ZuSwitchImageButton tile;
  HWND wnd = tile.CreateButton(host, font.get(), 7);
  ASSERT_NE(wnd, nullptr);
  tile.SetImageDeleteNormal(mark.get()).SetImageDeletePressed(mark_pressed.get());
  tile.SetDotRight(true);
  tile.Init(20, 20, L"Tile", kNormalFill, kText, image.get(), kPressedFill, RGB(255, 255, 255),
            pressed.get());
  const int width = static_cast<int>(tile.GetWidth());
  const int height = static_cast<int>(tile.GetHeight());
  const int image_x = static_cast<int>((std::max(tile.GetWidth() - 20, 32.0f) - 32) * 0.5f + 10);
  const POINT image_centre = {image_x + 16, 26};
  const POINT mark_centre = {static_cast<int>(tile.GetWidth() - 16) + 6, 8};
  const POINT fill_point = {3, height - 3};
  const int line_x = width - 2;

  viewtest::PumpUntilIdle();
  ASSERT_TRUE(ShowsColor(wnd, fill_point, viewtest::Rgb(kNormalFill)));
  Image shot = viewtest::CaptureClient(wnd);
  EXPECT_EQ(shot.At(image_x, 10), 0x0000FFu);
  EXPECT_EQ(shot.At(image_x - 1, 10), viewtest::Rgb(kNormalFill));
  EXPECT_EQ(shot.At(mark_centre.x, mark_centre.y), 0xFF0000u);
  EXPECT_EQ(shot.At(line_x, height / 2), 0xFFFFFFu);  // the separator line
  EXPECT_EQ(shot.At(line_x, 0), viewtest::Rgb(kNormalFill));
  EXPECT_GT(shot.Count(0x000000, 0, 46, width, height), 0);  // caption in the normal colour

  tile.SetPressedStatus();
  ASSERT_TRUE(ShowsColor(wnd, fill_point, viewtest::Rgb(kPressedFill)));
  shot = viewtest::CaptureClient(wnd);
  EXPECT_EQ(shot.At(image_centre.x, image_centre.y), 0x00FF00u);
  EXPECT_EQ(shot.At(mark_centre.x, mark_centre.y), 0xFF00FFu);
  EXPECT_GT(shot.Count(0xFFFFFF, 0, 46, width - 3, height), 0);  // caption in the pressed colour
  EXPECT_EQ(shot.Count(0x000000), 0);

  // Disabled: the disabled fill and the grey copy of the image (the luma of
  // pure blue), made once by Init and kept across paints.
  tile.EnableWindow(FALSE);
  ASSERT_TRUE(ShowsColor(wnd, fill_point, viewtest::Rgb(kDisableFill)));
  shot = viewtest::CaptureClient(wnd);
  EXPECT_EQ(shot.At(mark_centre.x, mark_centre.y), 0xFF0000u);
  // The copy was made by Init: painting again after the image changed
  // still shows the old grey; the next Init takes the new image.
  Gdiplus::Graphics(image.get()).Clear(Gdiplus::Color(255, 255, 0, 0));
  RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  viewtest::PumpUntilIdle();
  shot = viewtest::CaptureClient(wnd);
  EXPECT_TRUE(Near(shot.At(image_centre.x, image_centre.y), 29, 29, 29))
      << std::hex << shot.At(image_centre.x, image_centre.y);
  tile.Init(20, 20, L"Tile", kNormalFill, kText, image.get(), kPressedFill, RGB(255, 255, 255),
            pressed.get());
  ASSERT_TRUE(viewtest::PumpUntil(
      [&] {
        RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        return Near(viewtest::CaptureClient(wnd).At(image_centre.x, image_centre.y), 76, 76, 76);
      },
      2000));
  tile.EnableWindow(TRUE);
  ASSERT_TRUE(ShowsColor(wnd, fill_point, viewtest::Rgb(kNormalFill)));

  // A set border colour outlines the shape; 0xFFFFFFFF (the default) draws
  // the same outline in the fill colour. Rounded corners show the background.
  tile.SetRoundRect(true).SetRoundRectPoint({20, 20}).SetBorderWidth(3).SetColorBorder(RGB(0, 128, 0));
  tile.SetBackgroundColor(RGB(255, 255, 0));
  ASSERT_TRUE(ShowsColorAfterRedraw(wnd, {width / 2, 0}, 0x008000));
  const Image bordered = viewtest::CaptureClient(wnd);
  EXPECT_EQ(bordered.At(0, 0), 0xFFFF00u);  // outside the rounded corner
  tile.SetColorBorder(0xFFFFFFFF);
  ASSERT_TRUE(ShowsColorAfterRedraw(wnd, {width / 2, 0}, viewtest::Rgb(kNormalFill)));
  const Image unbordered = viewtest::CaptureClient(wnd);
  int outline = 0;
  for (int y = 0; y < bordered.height; ++y) {
    for (int x = 0; x < bordered.width; ++x) {
      if (bordered.At(x, y) != 0x008000) continue;
      ++outline;
      EXPECT_EQ(unbordered.At(x, y), viewtest::Rgb(kNormalFill)) << x << "," << y;
    }
  }
  EXPECT_GT(outline, width);
  EXPECT_EQ(unbordered.Count(0x008000), 0);
  DestroyWindow(wnd);
}

TEST(SwitchImageButton, RadioLatchingDeleteMarkAndHover) {
  HostWindow host;
  auto font = TestFont();
  auto image = SolidBitmap(32, 32, 0xFF0000FF);
  auto pressed = SolidBitmap(32, 32, 0xFF00FF00);
  auto mark = SolidBitmap(12, 12, 0xFFFF0000);
  ZuSwitchImageButton tile;
  tile.SetDoHover(false);  // CreateButton turns hover on again
  HWND wnd = tile.CreateButton(host, font.get(), 9);
  ASSERT_NE(wnd, nullptr);
  tile.SetImageDeleteNormal(mark.get()).SetImageDeletePressed(mark.get());
  tile.Init(40, 40, L"Choice", kNormalFill, kText, image.get(), kPressedFill, kText,
            pressed.get());
  const int height = static_cast<int>(tile.GetHeight());
  const POINT body = {4, height - 4};
  const POINT body2 = {12, height - 4};  // far enough from `body` not to make a double click
  const POINT on_mark = {static_cast<int>(tile.GetWidth() - 16) + 6, 8};
  const POINT fill_point = {2, height - 2};
  const uint32_t normal = viewtest::Rgb(kNormalFill), selected = viewtest::Rgb(kPressedFill);
  viewtest::MoveMouseTo(host, {600, 400});

  // Hover after resting on the tile, normal again after leaving.
  viewtest::MoveMouseTo(wnd, body);
  EXPECT_TRUE(ShowsColor(wnd, fill_point, selected));
  viewtest::MoveMouseTo(host, {600, 400});
  EXPECT_TRUE(ShowsColor(wnd, fill_point, normal));

  // A click selects the tile; it stays selected after the pointer leaves.
  host.ClearSeen();
  viewtest::Click(wnd, body);
  EXPECT_EQ(host.CountCommands(wnd, BN_CLICKED), 1);
  EXPECT_FALSE(tile.IsDelete());
  viewtest::MoveMouseTo(host, {600, 400});
  viewtest::PumpFor(50);
  EXPECT_TRUE(ShowsColor(wnd, fill_point, selected));

  // A further press on the selected tile reports nothing...
  viewtest::Click(wnd, body2);
  EXPECT_EQ(host.CountCommands(wnd, BN_CLICKED), 1);
  EXPECT_NE(GetCapture(), wnd);
  // ...unless it hits the delete mark.
  viewtest::Click(wnd, on_mark);
  EXPECT_EQ(host.CountCommands(wnd, BN_CLICKED), 2);
  EXPECT_TRUE(tile.IsDelete());
  EXPECT_TRUE(ShowsColor(wnd, fill_point, selected));

  tile.ResetStatus();
  viewtest::MoveMouseTo(host, {600, 400});
  EXPECT_TRUE(ShowsColor(wnd, fill_point, normal));

  // A press released outside selects without a click. (Consecutive presses
  // land on different points: a second press on the same spot soon after
  // is a double click, which an owner-drawn button reports as
  // BN_DOUBLECLICKED without pressing.)
  host.ClearSeen();
  viewtest::MouseDown(wnd, body2);
  EXPECT_EQ(GetCapture(), wnd);
  viewtest::MouseUp(host, {600, 400});
  EXPECT_EQ(host.CountCommands(wnd, BN_CLICKED), 0);
  EXPECT_NE(GetCapture(), wnd);
  EXPECT_TRUE(ShowsColor(wnd, fill_point, selected));
  tile.ResetStatus();

  // Radio mode off: every click reports and the tile returns to normal.
  tile.SetRadio(false);
  host.ClearSeen();
  viewtest::Click(wnd, body);
  viewtest::Click(wnd, on_mark);
  EXPECT_EQ(host.CountCommands(wnd, BN_CLICKED), 2);
  EXPECT_TRUE(tile.IsDelete());
  viewtest::MoveMouseTo(host, {600, 400});
  EXPECT_TRUE(ShowsColor(wnd, fill_point, normal));

  // Without hover no hover look.
  tile.SetDoHover(false);
  viewtest::MoveMouseTo(wnd, body2);
  viewtest::PumpFor(100);
  EXPECT_TRUE(ShowsColor(wnd, fill_point, normal));
  DestroyWindow(wnd);
}

// ---------------------------------------------------------------------------
// Section button

TEST(SectionLayout, WorkedExamples) {
  using namespace view::internal;
  SectionMetrics m;
  m.image_width = m.image_height = 16;
  m.h_margin = 8;
  m.v_margin = 4;
  m.gap = 6;
  const SectionPlacement start;

  m.layout = kImgLeftOfText;
  SectionPlacement p = SectionReloadPlace(m, 40, 14, start);
  EXPECT_EQ(p.width, 78);
  EXPECT_EQ(p.height, 24);
  EXPECT_EQ(p.image_x, 8);
  EXPECT_EQ(p.image_y, 4);
  EXPECT_FLOAT_EQ(p.text_x, 30);
  EXPECT_FLOAT_EQ(p.text_y, 5);
  m.layout = kImgAboveText;
  p = SectionReloadPlace(m, 40, 14, start);
  EXPECT_EQ(p.width, 56);
  EXPECT_EQ(p.height, 44);
  EXPECT_EQ(p.image_x, 20);
  EXPECT_EQ(p.image_y, 4);
  EXPECT_FLOAT_EQ(p.text_x, 8);
  EXPECT_FLOAT_EQ(p.text_y, 26);
  m.layout = kImgRightOfText;
  p = SectionReloadPlace(m, 40.2f, 14, start);
  EXPECT_EQ(p.width, 79);  // rounded up
  EXPECT_EQ(p.image_x, 79 - 16 - 8);
  EXPECT_FLOAT_EQ(p.text_x, 8);

  // Load, sizes truncated: the same content.
  m.layout = kImgLeftOfText;
  p = SectionLoadPlace(m, 40.7f, 14, 200, 50, false, false, false, start);
  EXPECT_EQ(p.width, 78);
  EXPECT_EQ(p.height, 24);
  EXPECT_FLOAT_EQ(p.text_x, 30);
  p = SectionLoadPlace(m, 40, 14, 100, 50, true, true, true, start);  // fixed and centred
  EXPECT_EQ(p.width, 100);
  EXPECT_EQ(p.height, 50);
  EXPECT_EQ(p.image_x, 19);  // trunc((100 - 62) / 2)
  EXPECT_EQ(p.image_y, 17);
  EXPECT_FLOAT_EQ(p.text_x, 41);
  EXPECT_FLOAT_EQ(p.text_y, 18);
  m.layout = kImgRightOfText;
  p = SectionLoadPlace(m, 40, 14, 0, 0, false, false, false, start);
  EXPECT_FLOAT_EQ(p.text_x, 8);
  EXPECT_EQ(p.image_x, 54);
  EXPECT_EQ(p.image_y, 4);
  m.layout = kImgAboveText;
  p = SectionLoadPlace(m, 84, 14, 100, 0, true, false, true, start);
  EXPECT_EQ(p.width, 100);
  EXPECT_EQ(p.height, 44);
  EXPECT_EQ(p.image_x, 42);
  EXPECT_EQ(p.image_y, 4);
  EXPECT_FLOAT_EQ(p.text_y, 26);
  // Without an image no gap counts and the caption starts at the margins.
  SectionMetrics bare = m;
  bare.image_width = bare.image_height = 0;
  p = SectionLoadPlace(bare, 40, 14, 0, 0, false, false, false, start);
  EXPECT_EQ(p.width, 56);
  EXPECT_EQ(p.height, 22);
  EXPECT_EQ(p.image_x, 0);
  EXPECT_FLOAT_EQ(p.text_y, 4);

  // The areas the caption is measured in.
  Gdiplus::SizeF area = SectionLoadMeasureArea(m, 100, 60, false, true);
  EXPECT_FLOAT_EQ(area.Width, 0);
  EXPECT_FLOAT_EQ(area.Height, 60 - 8 - 16 - 6);
  m.layout = kImgLeftOfText;
  area = SectionLoadMeasureArea(m, 100, 60, true, true);
  EXPECT_FLOAT_EQ(area.Width, 100 - 16 - 16 - 6);
  EXPECT_FLOAT_EQ(area.Height, 52);
  area = SectionReloadMeasureArea(m, 100, 80);
  EXPECT_FLOAT_EQ(area.Width, 62);
  EXPECT_FLOAT_EQ(area.Height, 72);
  m.layout = kImgAboveText;
  area = SectionReloadMeasureArea(m, 100, 80);
  EXPECT_FLOAT_EQ(area.Width, 84);
  EXPECT_FLOAT_EQ(area.Height, 50);
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
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrW(wnd, GWL_STYLE)), 0x56000000u);
  section.SetFont(font.get()).SetHMargin(8).SetVMargin(4).SetImageAndTextGap(6);
  section.SetImages(image.get(), nullptr, nullptr, nullptr);
  section.SetColorOfNormalStatus(kNormalFill, kText, kNormalFill);

  Gdiplus::StringFormat side;
  side.SetLineAlignment(Gdiplus::StringAlignmentCenter);
  const Gdiplus::RectF side_box = Measure(wnd, caption, font.get(), &side);
  section.SetImgAndTextLayoutType(kImgLeftOfText);
  WTL::CSize size = section.reload(0, 0);
  EXPECT_EQ(size.cx, static_cast<int>(std::ceil(16 + 16 + 6 + side_box.Width)));
  EXPECT_EQ(size.cy, static_cast<int>(std::ceil(8 + std::max(16.0f, side_box.Height))));
  EXPECT_EQ(ClientSize(wnd).cx, size.cx);
  EXPECT_EQ(ClientSize(wnd).cy, size.cy);
  // The image sits at (8, (H - 16) / 2).
  ASSERT_TRUE(ShowsColor(wnd, {8, (size.cy - 16) / 2}, 0x0000FF));
  EXPECT_EQ(viewtest::CaptureClient(wnd).At(7, (size.cy - 16) / 2), viewtest::Rgb(kNormalFill));

  Gdiplus::StringFormat centred;
  centred.SetAlignment(Gdiplus::StringAlignmentCenter);
  centred.SetLineAlignment(Gdiplus::StringAlignmentCenter);
  const Gdiplus::RectF above_box = Measure(wnd, caption, font.get(), &centred);
  section.SetImgAndTextLayoutType(kImgAboveText);
  size = section.reload(0, 0);
  EXPECT_EQ(size.cx, static_cast<int>(std::ceil(16 + std::max(16.0f, above_box.Width))));
  EXPECT_EQ(size.cy, static_cast<int>(std::ceil(16 + 8 + 6 + above_box.Height)));
  ASSERT_TRUE(ShowsColor(wnd, {(size.cx - 16) / 2, 4}, 0x0000FF));

  // An empty window text: image plus margins, resized without a repaint.
  SetWindowTextW(wnd, L"");
  viewtest::PumpUntilIdle();
  ValidateRect(wnd, nullptr);
  size = section.reload(0, 0);
  EXPECT_EQ(size.cx, 32);
  EXPECT_EQ(size.cy, 24);
  EXPECT_EQ(ClientSize(wnd).cx, 32);
  RECT update = {};
  EXPECT_FALSE(GetUpdateRect(wnd, &update, FALSE));

  // Load(false) keeps the SetText caption, Load(true) takes the window text.
  SetWindowTextW(wnd, L"Hi");
  section.SetImgAndTextLayoutType(kImgLeftOfText);
  section.SetText(L"A much longer caption");
  section.Load(false);
  const Gdiplus::RectF long_box = Measure(wnd, L"A much longer caption", font.get(), &side);
  EXPECT_EQ(ClientSize(wnd).cx, static_cast<int>(16 + 16 + 6 + long_box.Width));
  section.Load(true);
  const Gdiplus::RectF short_box = Measure(wnd, L"Hi", font.get(), &side);
  EXPECT_EQ(ClientSize(wnd).cx, static_cast<int>(16 + 16 + 6 + short_box.Width));
  EXPECT_EQ(ClientSize(wnd).cy, static_cast<int>(8 + std::max(16.0f, short_box.Height)));

  DestroyWindow(wnd);
  EXPECT_EQ(static_cast<HWND>(section), nullptr);
}

TEST(SectionButton, FixedWidthCentresAShortCaption) {
  HostWindow host;
  auto font = TestFont();
  ZuSectionButton section;
  RECT rect = {10, 10, 210, 60};
  HWND wnd = section.Create(host, &rect, L"Tab");
  ASSERT_NE(wnd, nullptr);
  section.SetFont(font.get()).SetHMargin(8).SetVMargin(4).SetFixWidth(true);
  section.SetColorOfNormalStatus(kNormalFill, kText, kNormalFill);
  section.Load(true);
  const SIZE client = ClientSize(wnd);
  EXPECT_EQ(client.cx, 200);  // the width is kept, the height fits the caption
  EXPECT_LT(client.cy, 50);
  ASSERT_TRUE(ShowsColorAfterRedraw(wnd, {2, 2}, viewtest::Rgb(kNormalFill)));
  const Image shot = viewtest::CaptureClient(wnd);
  const RECT ink = shot.BoundsNot(viewtest::Rgb(kNormalFill));
  ASSERT_LT(ink.left, ink.right);
  const int centre = (ink.left + ink.right) / 2;
  EXPECT_NEAR(centre, 100, 3);
  if (HasFailure()) viewtest::SaveArtifact(shot, "section_fixed_width");

  // Only x of the round point counts: y changes nothing.
  section.SetRoundRect(true).SetRoundBkgColorOutsideBorder(RGB(255, 255, 0));
  section.SetRoundRectPoint(WTL::CPoint(16, 16));
  ASSERT_TRUE(ShowsColorAfterRedraw(wnd, {0, 0}, 0xFFFF00));
  const Image equal = viewtest::CaptureClient(wnd);
  section.SetRoundRectPoint(WTL::CPoint(16, 2));
  RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  viewtest::PumpUntilIdle();
  EXPECT_TRUE(viewtest::CaptureClient(wnd).pixels == equal.pixels);
  DestroyWindow(wnd);
}

TEST(SectionButton, CheckStyleHoverAndNotifications) {
  HostWindow host;
  auto font = TestFont();
  ZuSectionButton tab, plain;
  RECT rect1 = {20, 20, 140, 60}, rect2 = {160, 20, 280, 60};
  HWND wnd = tab.Create(host, &rect1, L"Tab", 0, 0, 31);
  HWND other = plain.Create(host, &rect2, L"Plain", 0, 0, 32);
  ASSERT_NE(wnd, nullptr);
  ASSERT_NE(other, nullptr);
  for (ZuSectionButton* b : {&tab, &plain}) {
    b->SetFont(font.get())
        .SetColorOfNormalStatus(kNormalFill, kText, kNormalFill)
        .SetColorOfPressedStatus(kPressedFill, kText, kPressedFill)
        .SetColorOfHoverStatus(kHoverFill, kText, kHoverFill)
        .SetColorOfDisableStatus(kDisableFill, kText, kDisableFill);
  }
  tab.SetCheckStyle(true);
  const POINT corner = {2, 2};
  const uint32_t normal = viewtest::Rgb(kNormalFill), hover = viewtest::Rgb(kHoverFill),
                 pressed = viewtest::Rgb(kPressedFill);
  viewtest::MoveMouseTo(host, {600, 400});
  ASSERT_TRUE(ShowsColor(other, corner, normal));

  // Hot enter and leave from real pointer moves.
  viewtest::MoveMouseTo(other, {30, 20});
  EXPECT_TRUE(ShowsColor(other, corner, hover));
  viewtest::MoveMouseTo(host, {600, 400});
  EXPECT_TRUE(ShowsColor(other, corner, normal));
  // Without the check style a click ends in the normal status again.
  host.ClearSeen();
  viewtest::Click(other, {30, 20});
  EXPECT_EQ(host.CountCommands(other, BN_CLICKED), 1);
  viewtest::MoveMouseTo(host, {600, 400});
  EXPECT_TRUE(ShowsColor(other, corner, normal));

  // With the check style a clicked section stays pressed, through leaving
  // and further clicks, which still report.
  host.ClearSeen();
  viewtest::Click(wnd, {30, 20});
  EXPECT_EQ(host.CountCommands(wnd, BN_CLICKED), 1);
  viewtest::MoveMouseTo(host, {600, 400});
  EXPECT_TRUE(ShowsColor(wnd, corner, pressed));
  viewtest::Click(wnd, {60, 25});
  EXPECT_EQ(host.CountCommands(wnd, BN_CLICKED), 2);
  viewtest::MoveMouseTo(host, {600, 400});
  EXPECT_TRUE(ShowsColor(wnd, corner, pressed));
  tab.ResetStatus();
  EXPECT_TRUE(ShowsColorAfterRedraw(wnd, corner, normal));

  // The reflected hot-item notification, sent as the parent would.
  NMBCHOTITEM hot = {};
  hot.hdr.hwndFrom = wnd;
  hot.hdr.idFrom = 31;
  hot.hdr.code = BCN_HOTITEMCHANGE;
  auto notify = [&](DWORD flags) {
    hot.dwFlags = flags;
    return SendMessageW(wnd, 0x2000 + WM_NOTIFY, 31, reinterpret_cast<LPARAM>(&hot));
  };
  EXPECT_EQ(notify(HICF_ENTERING), 0);
  EXPECT_TRUE(ShowsColorAfterRedraw(wnd, corner, hover));
  notify(HICF_LEAVING);
  EXPECT_TRUE(ShowsColorAfterRedraw(wnd, corner, normal));
  tab.SetPressedStatus();  // a pressed tab ignores hot changes
  notify(HICF_ENTERING);
  EXPECT_TRUE(ShowsColorAfterRedraw(wnd, corner, pressed));
  notify(HICF_LEAVING);
  EXPECT_TRUE(ShowsColorAfterRedraw(wnd, corner, pressed));
  tab.ResetStatus();
  tab.EnableWindow(FALSE);  // so does a disabled one
  EXPECT_TRUE(ShowsColor(wnd, corner, viewtest::Rgb(kDisableFill)));
  notify(HICF_ENTERING);
  EXPECT_TRUE(ShowsColorAfterRedraw(wnd, corner, viewtest::Rgb(kDisableFill)));
  tab.EnableWindow(TRUE);
  EXPECT_TRUE(ShowsColor(wnd, corner, normal));
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
  ASSERT_NE(wnd, nullptr);
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
  ASSERT_TRUE(ShowsColor(wnd, {2, 2}, viewtest::Rgb(kNormalFill)));
  EXPECT_GT(viewtest::CaptureClient(wnd).Count(0x0000FF), 0);
  int calls = 0;
  int seen_status = -1;
  HWND seen_wnd = nullptr;
  RECT seen_rect = {};
  std::function<void(HWND, Gdiplus::Graphics&, RECT&, int)> draw =
      [&](HWND target, Gdiplus::Graphics& graphics, RECT& client, int status) {
        ++calls;
        seen_wnd = target;
        seen_rect = client;
        seen_status = status;
        Gdiplus::SolidBrush magenta(Gdiplus::Color(255, 255, 0, 255));
        graphics.FillRectangle(&magenta, 10, 10, 20, 10);
      };
  section.setFuncDrawTextAndImage(draw);
  ASSERT_TRUE(ShowsColorAfterRedraw(wnd, {15, 15}, 0xFF00FF));
  const Image custom = viewtest::CaptureClient(wnd);
  EXPECT_EQ(custom.Count(0xFF00FF), 200);
  EXPECT_EQ(custom.Count(0x0000FF), 0);  // no image
  EXPECT_EQ(custom.Count(0x000000), 0);  // no caption
  EXPECT_EQ(custom.At(2, 2), viewtest::Rgb(kNormalFill));
  EXPECT_GT(calls, 0);
  EXPECT_EQ(seen_wnd, wnd);
  EXPECT_EQ(seen_rect.right, ClientSize(wnd).cx);
  EXPECT_EQ(seen_status, kStatusNormal);
  std::function<void(HWND, Gdiplus::Graphics&, RECT&, int)> none;
  section.setFuncDrawTextAndImage(none);
  ASSERT_TRUE(ShowsColorAfterRedraw(wnd, {2, 2}, viewtest::Rgb(kNormalFill)));
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

  // A tile without image, caption or font paints just its fill.
  HWND wnd = tile.CreateButton(host, nullptr, 3);
  ASSERT_NE(wnd, nullptr);
  tile.Init(10, 10, nullptr, kNormalFill, kText, nullptr, kPressedFill, kText, nullptr);
  EXPECT_FLOAT_EQ(tile.GetWidth(), 20);
  EXPECT_FLOAT_EQ(tile.GetHeight(), 24);  // margins and the gap
  tile.SetPressedStatus();  // no pressed image either
  EXPECT_TRUE(ShowsColor(wnd, {10, 10}, viewtest::Rgb(kPressedFill)));

  // A delete mark set after the last layout sits at the top-left corner
  // and is not hit until the next layout.
  auto mark = SolidBitmap(12, 12, 0xFFFF0000);
  tile.ResetStatus();
  tile.SetImageDeleteNormal(mark.get());
  EXPECT_TRUE(ShowsColor(wnd, {5, 5}, 0xFF0000));
  viewtest::Click(wnd, {5, 5});
  EXPECT_FALSE(tile.IsDelete());
  tile.ResetStatus();

  // Copies address the same control; the last one to go frees it.
  {
    ZuSwitchImageButton copy(tile);
    EXPECT_EQ(static_cast<HWND>(copy), wnd);
    ZuSwitchImageButton assigned;
    assigned = copy;
    EXPECT_EQ(static_cast<HWND>(assigned), wnd);
    assigned.SetText(L"");
  }
  EXPECT_EQ(static_cast<HWND>(tile), wnd);

  // The section's image box follows the DPI factor.
  HWND sec = section.Create(host, nullptr, L"");
  ASSERT_NE(sec, nullptr);
  section.SetDpiScale(2.0f).SetImages(image.get(), nullptr, nullptr, nullptr);
  section.SetHMargin(8).SetVMargin(4);
  EXPECT_EQ(section.reload(0, 0), WTL::CSize(48, 40));
  section.SetImgAndTextLayoutType(static_cast<ImgButtonImgAndTextLayoutType1>(9));
  SetWindowTextW(sec, L"Unknown layout");
  EXPECT_EQ(section.reload(0, 0), WTL::CSize(48, 40));  // no layout, no caption

  // Repeated paints of both controls, round corners included, are checked
  // for leaks by the soak in robustness_test.

  DestroyWindow(wnd);
  DestroyWindow(sec);
  // After the window is gone the wrappers hold no handle and stay usable.
  EXPECT_EQ(static_cast<HWND>(tile), nullptr);
  tile.SetText(L"gone");
  section.Load(false).SetTooltip(L"gone");
  EXPECT_EQ(section.reload(10, 10), WTL::CSize(0, 0));
}

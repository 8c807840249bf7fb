// The image button and the switch button: layout arithmetic by value, then
// real windows in a reflecting host driven by real input, read back by pixel.

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "harness.h"
#include "view/internal/controls/bas_img_button.h"
#include "view/internal/controls/bas_switch_button.h"
#include "view/internal/frame/button_layout.h"
#include "view/zu_img_button.h"
#include "view/zu_switch_button.h"

using namespace view::internal;
using viewtest::HostWindow;
using viewtest::Image;

namespace {

constexpr uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kYellow = 0xFFFF00,
                   kGray = 0x808080, kWhite = 0xFFFFFF, kCyan = 0x00FFFF;

// A bitmap of one known colour, so that painted pixels can be checked by value.
std::unique_ptr<Gdiplus::Bitmap> Solid(int width, int height, uint32_t rgb) {
  auto bitmap = std::make_unique<Gdiplus::Bitmap>(width, height, PixelFormat32bppARGB);
  Gdiplus::Graphics graphics(bitmap.get());
  graphics.Clear(Gdiplus::Color(0xFF000000u | rgb));
  return bitmap;
}

std::unique_ptr<Gdiplus::Font> CaptionFont() {
  auto font = std::make_unique<Gdiplus::Font>(L"Arial", 12.0f, Gdiplus::FontStyleRegular,
                                              Gdiplus::UnitPixel);
  EXPECT_EQ(font->GetLastStatus(), Gdiplus::Ok);
  return font;
}

// The caption's bounding box as the platform measures it for `wnd`.
Gdiplus::SizeF Measure(HWND wnd, const wchar_t* text, Gdiplus::Font* font, float width = 0) {
  Gdiplus::Graphics graphics(wnd);
  graphics.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
  Gdiplus::RectF box;
  graphics.MeasureString(text, -1, font, Gdiplus::RectF(0, 0, width, 0), &box);
  return Gdiplus::SizeF(box.Width, box.Height);
}

RECT RectInParent(HWND wnd) {
  RECT rect;
  GetWindowRect(wnd, &rect);
  MapWindowPoints(nullptr, GetParent(wnd), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

Image Shot(HWND wnd) {
  viewtest::PumpUntilIdle();
  return viewtest::CaptureClient(wnd);
}

}  // namespace

TEST(ButtonLayout, ImageButtonArithmetic) {
  // Centred: the wider of image and caption, plus both paddings.
  EXPECT_EQ(ImgButtonWidth(kBASImgButtonTextCenter, 30, 50.7f, 3, 4, 12, 5, 6), 57);
  // Caption right: everything summed, truncated once; any non-zero alignment.
  EXPECT_EQ(ImgButtonWidth(kBASImgButtonTextRight, 30, 50.5f, 0, 0, 12, 4, 6), 102);
  EXPECT_EQ(ImgButtonWidth(7, 30, 0.6f, 1, 2, 0, 0, 0), 33);
  EXPECT_EQ(ImgButtonHeight(20, 31.9f), 31);
  EXPECT_EQ(ImgButtonHeight(20, 3.0f, 25), 25);

  // A taller image: halving truncates toward zero. (The 30 x 30 check image,
  // the logo box and caption x are checked by pixel below.)
  const RECT check = ImgButtonCheckRect(25, 30, 30);
  EXPECT_EQ(check.top, -2);
  EXPECT_EQ(check.bottom, 28);
  EXPECT_EQ(ImgButtonCaptionX(30, 6, false, 4, 12), 36);
  EXPECT_EQ(ImgButtonCaptionRoom(200, 30, 2, 3, 6, 4, 12), 143);

  // Check-box mode: hover and press look like rest; disabling shows the
  // unchecked logo whatever the state.
  ImgButtonLook look = ChooseImgButtonLook(true, kStatusHover, true);
  EXPECT_EQ(look.image, ImgChoice::kPressed);
  EXPECT_EQ(look.logo, LogoChoice::kChecked);
  look = ChooseImgButtonLook(true, kStatusPressed, false);
  EXPECT_EQ(look.image, ImgChoice::kNormal);
  EXPECT_EQ(look.text_color, ImgChoice::kNormal);
  look = ChooseImgButtonLook(true, kStatusDisable, true);
  EXPECT_EQ(look.image, ImgChoice::kDisable);
  EXPECT_EQ(look.logo, LogoChoice::kUnchecked);
  EXPECT_EQ(ChooseImgButtonLook(false, kStatusHover, false).logo, LogoChoice::kNone);
  EXPECT_EQ(ChooseImgButtonLook(false, kStatusDisable, false).text_color, ImgChoice::kDisable);
  // Anchoring by negative positions is checked on live buttons below.
}

TEST(ButtonLayout, SwitchButtonArithmetic) {
  const SIZE size = SwitchButtonSize(10, 15, 50.7f, 16.2f);
  EXPECT_EQ(size.cx, 70);
  EXPECT_EQ(size.cy, 46);
  // Latching and colours by status are checked on live buttons below; these
  // are the cases no user action there reaches.
  EXPECT_TRUE(SwitchResetsOnLeave(true, kStatusDisable));
  EXPECT_FALSE(SwitchResetsOnLeave(false, kStatusDisable));
}

TEST(ImgButton, CheckBoxWithLogoLaysOutPaintsAndToggles) {
  HostWindow host;
  auto font = CaptionFont();
  auto unchecked = Solid(20, 20, kRed), checked = Solid(20, 20, kGreen);
  auto logo = Solid(8, 8, kBlue), logo_checked = Solid(8, 8, kYellow);
  ZuImgButton button;
  button.SetDpiScale(1.5f);
  HWND wnd = button.CreateButton(host, 10, true);
  ASSERT_NE(wnd, nullptr);
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrW(wnd, GWL_STYLE)) & 0xFFFF00FFu, 0x5000000Bu);
  button.setFont(font.get());
  button.SetBkgColor(RGB(255, 255, 255));
  button.SetTextColor(RGB(0, 0, 0), RGB(0, 0, 0), RGB(0x78, 0x78, 0x78));
  EXPECT_EQ(button.Init(unchecked.get(), 20, 20, checked.get(), L"Caption",
                        kBASImgButtonTextRight, 0, 0, 1),
            0);
  button.SetCheckBoxCheckLogoGapAndLogoTextGap(4, 6);
  button.SetCheckBoxLogoImage(logo.get(), logo_checked.get(), 12, 12);

  const Gdiplus::SizeF caption = Measure(wnd, L"Caption", font.get());
  ASSERT_GT(caption.Width, 10.0f);
  ASSERT_LT(caption.Height, 30.0f);
  const RECT placed = RectInParent(wnd);
  EXPECT_EQ(placed.left, 20);
  EXPECT_EQ(placed.top, 20);
  EXPECT_EQ(placed.right - placed.left, 52 + static_cast<int>(caption.Width));
  EXPECT_EQ(placed.bottom - placed.top, 30);

  // The check image fills (0, 0, 30, 30), the logo (34, 9, 12, 12), and the
  // caption lies right of x = 52. Stretched images may blend at their rims.
  Image image = Shot(wnd);
  EXPECT_EQ(image.Count(kRed, 1, 1, 29, 29), 28 * 28);
  // The rims of a stretched image depend on the platform's interpolation
  // (Wine blends the right and bottom rims, Windows may blend all four), so
  // only the interiors are compared exactly, and nothing spills outside.
  EXPECT_EQ(image.At(30, 15), kWhite);
  EXPECT_EQ(image.Count(kBlue, 35, 10, 45, 20), 100);
  EXPECT_EQ(image.At(33, 15), kWhite);
  EXPECT_EQ(image.At(40, 8), kWhite);
  EXPECT_EQ(image.At(46, 15), kWhite);
  EXPECT_EQ(image.At(40, 21), kWhite);
  int caption_left = image.width;
  for (int y = 0; y < image.height; ++y) {
    for (int x = 30; x < image.width; ++x) {
      const bool in_logo = x >= 34 && x < 46 && y >= 9 && y < 21;
      if (!in_logo && image.At(x, y) != kWhite) caption_left = std::min(caption_left, x);
    }
  }
  EXPECT_GE(caption_left, 52);
  EXPECT_LT(caption_left, 60);  // the caption is drawn
  if (HasFailure()) viewtest::SaveArtifact(image, "img_button_check_box");

  // A press flips the state and repaints only the check image first.
  std::vector<RECT> clips;
  host.on_message = [&](UINT msg, WPARAM, LPARAM lparam, LRESULT&) {
    if (msg == WM_DRAWITEM) {
      RECT clip;
      GetClipBox(reinterpret_cast<DRAWITEMSTRUCT*>(lparam)->hDC, &clip);
      clips.push_back(clip);
    }
    return false;
  };
  viewtest::MoveMouseTo(wnd, {40, 15});
  viewtest::PumpFor(50);
  host.ClearSeen();
  clips.clear();
  viewtest::MouseDown(wnd, {40, 15});
  EXPECT_TRUE(button.IsChecked());
  ASSERT_FALSE(clips.empty());
  EXPECT_EQ(clips[0].left, 0);
  EXPECT_EQ(clips[0].top, 0);
  EXPECT_EQ(clips[0].right, 30);
  EXPECT_EQ(clips[0].bottom, 30);
  viewtest::MouseUp(wnd, {40, 15});
  EXPECT_EQ(host.CountCommands(wnd, BN_CLICKED), 1);
  image = Shot(wnd);
  EXPECT_EQ(image.Count(kGreen, 1, 1, 29, 29), 28 * 28);
  EXPECT_EQ(image.Count(kYellow, 35, 10, 45, 20), 100);

  // Released outside: flipped back, no click, capture given up.
  host.ClearSeen();
  // A second press at the same place would be a double-click, which the
  // standard button reports as BN_DOUBLECLICKED without pressing: press
  // elsewhere in the button.
  viewtest::MouseDown(wnd, {10, 15});
  viewtest::MouseUp(host, {600, 400});
  EXPECT_FALSE(button.IsChecked());
  EXPECT_EQ(host.CountCommands(wnd, BN_CLICKED), 0);
  EXPECT_NE(GetCapture(), wnd);

  // SetChecked shows only after RefreshCheckRect; disabling shows the
  // normal image (no disabled one) and the unchecked logo whatever the state.
  button.SetChecked(true);
  EXPECT_EQ(Shot(wnd).Count(kRed, 1, 1, 29, 29), 28 * 28);
  button.RefreshCheckRect();
  EXPECT_EQ(Shot(wnd).Count(kGreen, 1, 1, 29, 29), 28 * 28);
  button.EnableWindow(FALSE);
  InvalidateRect(wnd, nullptr, FALSE);
  image = Shot(wnd);
  EXPECT_EQ(image.Count(kRed, 1, 1, 29, 29), 28 * 28);
  EXPECT_EQ(image.Count(kBlue, 35, 10, 45, 20), 100);
  DestroyWindow(wnd);
}

TEST(ImgButton, PlainButtonHoverPressDisableAndTooltip) {
  HostWindow host;
  auto font = CaptionFont();
  auto normal = Solid(40, 40, kRed), pressed = Solid(40, 40, kGreen);
  auto disabled = Solid(40, 40, kGray), other = Solid(40, 40, kCyan);
  ZuImgButton button;
  HWND wnd = button.CreateButton(host, 11, true);
  ASSERT_NE(wnd, nullptr);
  button.setFont(font.get());
  button.SetBkgColor(RGB(255, 255, 255));
  const wchar_t* text = L"A rather long caption";
  button.Init(normal.get(), -10, -10, pressed.get(), text, kBASImgButtonTextCenter, 3, 5, 0);
  const Gdiplus::SizeF caption = Measure(wnd, text, font.get());
  ASSERT_GT(caption.Width, 40.0f);
  RECT placed = RectInParent(wnd);
  EXPECT_EQ(placed.right, 640 - 10);  // negative positions count from the far edges
  EXPECT_EQ(placed.bottom, 480 - 10);
  EXPECT_EQ(placed.right - placed.left, static_cast<int>(caption.Width) + 8);
  EXPECT_EQ(placed.bottom - placed.top, 40);
  // Above the caption, away from the stretched image's rims.
  const POINT inside = {(placed.right - placed.left) / 2, 5};

  // Stretched across the width less the paddings, caption on top.
  Image image = Shot(wnd);
  EXPECT_EQ(image.At(1, 20), kWhite);
  EXPECT_EQ(image.At(image.width - 2, 20), kWhite);
  EXPECT_EQ(image.At(inside.x, inside.y), kRed);
  EXPECT_GT(image.Count(0x000000), 0);  // the caption

  // Resting 10 ms shows the pressed image; leaving restores the normal one.
  viewtest::MoveMouseTo(host, {5, 5});
  viewtest::MoveMouseTo(wnd, inside);
  EXPECT_TRUE(viewtest::PumpUntil([&] { return Shot(wnd).At(inside.x, inside.y) == kGreen; }));
  viewtest::MoveMouseTo(host, {5, 5});
  EXPECT_TRUE(viewtest::PumpUntil([&] { return Shot(wnd).At(inside.x, inside.y) == kRed; }));

  // Press and release inside: one click; released outside: none.
  viewtest::MoveMouseTo(wnd, inside);
  viewtest::PumpFor(50);
  host.ClearSeen();
  viewtest::MouseDown(wnd, inside);
  EXPECT_EQ(Shot(wnd).At(inside.x, inside.y), kGreen);
  viewtest::MouseUp(wnd, inside);
  EXPECT_EQ(host.CountCommands(wnd, BN_CLICKED), 1);
  const POINT elsewhere = {inside.x + 20, inside.y + 10};  // not a double-click
  viewtest::MouseDown(wnd, elsewhere);
  EXPECT_EQ(GetCapture(), wnd);
  viewtest::MouseUp(host, {5, 5});
  EXPECT_EQ(host.CountCommands(wnd, BN_CLICKED), 1);
  EXPECT_NE(GetCapture(), wnd);
  // A click from code goes through the same press and release.
  SendMessageW(wnd, BM_CLICK, 0, 0);
  viewtest::PumpUntilIdle();
  EXPECT_EQ(host.CountCommands(wnd, BN_CLICKED), 2);

  // Only the first disabled image is kept.
  button.SetDisableImage(disabled.get());
  button.SetDisableImage(other.get());
  button.EnableWindow(FALSE);
  InvalidateRect(wnd, nullptr, FALSE);
  EXPECT_EQ(Shot(wnd).At(inside.x, inside.y), kGray);
  button.EnableWindow(TRUE);
  InvalidateRect(wnd, nullptr, FALSE);
  EXPECT_EQ(Shot(wnd).At(inside.x, inside.y), kRed);

  // The tooltip shows its text when the pointer rests on the button.
  button.SetTooltip(L"Tip text");
  viewtest::MoveMouseTo(host, {5, 5});
  viewtest::MoveMouseTo(wnd, inside);
  HWND tip = nullptr;
  EXPECT_TRUE(viewtest::PumpUntil(
      [&] {
        tip = FindWindowW(TOOLTIPS_CLASSW, nullptr);
        return tip != nullptr && IsWindowVisible(tip);
      },
      5000));
  if (tip != nullptr) {
    wchar_t buffer[64] = {};
    TTTOOLINFOW info = {};
    info.cbSize = sizeof(info);
    info.lpszText = buffer;
    SendMessageW(tip, TTM_GETCURRENTTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_STREQ(buffer, L"Tip text");
  }
  DestroyWindow(wnd);
  EXPECT_FALSE(tip != nullptr && IsWindow(tip));  // the tooltip went with the button
}

TEST(ImgButton, TextVariantsFixedWidthAndBackground) {
  HostWindow host;
  auto font = CaptionFont();
  auto normal = Solid(20, 20, kRed);
  ZuImgButton button;
  button.SetBkgColor(RGB(0, 255, 0));  // before CreateButton: forgotten
  button.SetDpiScale(1.5f);
  EXPECT_EQ(button.DpiScale(15), 22);
  HWND wnd = button.CreateButton(host, 12, true);
  button.setFont(font.get());
  button.Init(normal.get(), 0, 0, normal.get(), L"", kBASImgButtonTextRight, 3, 4, 0);
  RECT rect = RectInParent(wnd);
  EXPECT_EQ(rect.right - rect.left, 37);  // image and paddings; the empty caption is 0 wide
  EXPECT_EQ(rect.bottom - rect.top, 30);
  Image image = Shot(wnd);
  EXPECT_EQ(image.Count(kRed, 1, 1, 29, 29), 28 * 28);
  EXPECT_EQ(image.Count(kGreen), 0);
  button.SetBkgColor(RGB(0, 255, 0));
  InvalidateRect(wnd, nullptr, FALSE);
  EXPECT_EQ(Shot(wnd).Count(kGreen, 30, 0, 37, 30), 7 * 30);

  // A null text makes the control the scaled image and keeps the caption
  // settings: a later SetText measures with the earlier paddings.
  button.Init(normal.get(), 0, 0, normal.get(), L"Hi", kBASImgButtonTextRight, 7, 5, 0);
  button.Init(normal.get(), 0, 0, normal.get(), nullptr, kBASImgButtonTextCenter, 0, 0, 0);
  rect = RectInParent(wnd);
  EXPECT_EQ(rect.right - rect.left, 30);
  EXPECT_EQ(rect.bottom - rect.top, 30);
  const wchar_t* longer = L"A caption that wraps into several lines";
  button.SetText(longer);
  const Gdiplus::SizeF one_line = Measure(wnd, longer, font.get());
  rect = RectInParent(wnd);
  EXPECT_EQ(rect.right - rect.left, static_cast<int>(30 + one_line.Width + 12));
  EXPECT_EQ(rect.bottom - rect.top, 30);

  // A fixed width never widens; a wrapping caption only makes it taller.
  const int wide = rect.right - rect.left;
  button.resizeWithFixWidth(wide + 50);
  rect = RectInParent(wnd);
  EXPECT_EQ(rect.right - rect.left, wide);
  EXPECT_EQ(rect.bottom - rect.top, 30);
  const int narrow = 30 + 12 + 60;
  button.resizeWithFixWidth(narrow);
  const Gdiplus::SizeF wrapped = Measure(wnd, longer, font.get(), 60.0f);
  ASSERT_GT(wrapped.Height, 30.0f);
  rect = RectInParent(wnd);
  EXPECT_EQ(rect.right - rect.left, narrow);
  EXPECT_EQ(rect.bottom - rect.top, static_cast<int>(wrapped.Height));
  button.resizeWithFixWidth(narrow + 200);
  rect = RectInParent(wnd);
  EXPECT_EQ(rect.right - rect.left, narrow);
  EXPECT_EQ(rect.bottom - rect.top, static_cast<int>(wrapped.Height));

  // The centred layout has no room for a logo: refused, nothing changes.
  button.Init(normal.get(), 0, 0, normal.get(), L"Hi", kBASImgButtonTextCenter, 0, 0, 1);
  const RECT before = RectInParent(wnd);
  button.SetCheckBoxLogoImage(normal.get(), normal.get(), 40, 40);
  const RECT after = RectInParent(wnd);
  EXPECT_TRUE(EqualRect(&before, &after));
  DestroyWindow(wnd);
}

TEST(ImgButton, NothingIsPaintedWithoutReflection) {
  HostWindow host(false);
  auto normal = Solid(20, 20, kRed);
  ZuImgButton button;
  HWND wnd = button.CreateButton(host, 13, true);
  button.SetBkgColor(RGB(0, 255, 0));
  button.Init(normal.get(), 10, 10, normal.get(), nullptr, 0, 0, 0, 0);
  InvalidateRect(wnd, nullptr, FALSE);
  const Image image = Shot(wnd);
  EXPECT_EQ(image.Count(kRed), 0);
  EXPECT_EQ(image.Count(kGreen), 0);
  // (Leaks of repeated reflected paints: the soak in robustness_test.)
  DestroyWindow(wnd);
  EXPECT_EQ(static_cast<HWND>(button), nullptr);
}

TEST(Buttons, SettersBeforeTheWindowExistDoNotCrash) {
  auto normal = Solid(10, 10, kRed);
  ZuImgButton image;
  image.SetText(nullptr);
  image.SetTooltip(L"tip");
  image.RefreshCheckRect();
  image.resizeWithFixWidth(10);
  EXPECT_EQ(image.Init(normal.get(), -5, -5, nullptr, L"x", 1, 0, 0, 1), 0);
  image.SetCheckBoxLogoImage(nullptr, nullptr, 0, 0);
  EXPECT_FALSE(image.MoveWindow(nullptr, TRUE));
  EXPECT_FALSE(image.EnableWindow(FALSE));
  ZuImgButton copy;
  copy = image;
  EXPECT_EQ(static_cast<HWND>(copy), nullptr);

  ZuSwitchButton sw;
  sw.SetRadio(false).SetRoundRect(true).SetColorBorder(0);
  EXPECT_EQ(sw.Init(-5, -5, L"x", 0, 0, 0, 0), 0);
  sw.SetText(nullptr);
  sw.SetPressedStatus();
  EXPECT_FALSE(sw.EnableWindow(TRUE));
  EXPECT_FALSE(sw.MoveWindow(nullptr, TRUE));
}

namespace {

// A switch button with caption and known colours: fill red, pressed green.
struct SwitchFixture {
  HostWindow host;
  std::unique_ptr<Gdiplus::Font> font = CaptionFont();
  ZuSwitchButton button;
  HWND wnd = nullptr;

  explicit SwitchFixture(bool radio, int x = 20, int y = 20) {
    button.SetHMargin(30);  // overwritten by CreateButton's scaled default
    button.SetDpiScale(1.5f);
    wnd = button.CreateButton(host, font.get(), 21);
    button.SetRadio(radio).SetBackgroundColor(RGB(255, 255, 255));
    button.Init(x, y, L"Switch", RGB(255, 0, 0), RGB(0, 0, 0), RGB(0, 255, 0), RGB(0, 0, 0));
  }
  ~SwitchFixture() { DestroyWindow(wnd); }
  uint32_t Fill() { return Shot(wnd).At(2, 2); }
};

}  // namespace

TEST(SwitchButton, RadioModeLatchesAndPushModeReturnsOnLeave) {
  SwitchFixture radio(true);
  ASSERT_NE(radio.wnd, nullptr);
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrW(radio.wnd, GWL_STYLE)) & 0xFFFF00FFu,
            0x5000000Bu);
  const Gdiplus::SizeF caption = Measure(radio.wnd, L"Switch", radio.font.get());
  RECT rect = RectInParent(radio.wnd);
  EXPECT_EQ(rect.right - rect.left, static_cast<int>(30 + caption.Width));  // margins 15
  EXPECT_EQ(rect.bottom - rect.top, static_cast<int>(30 + caption.Height));
  EXPECT_EQ(radio.Fill(), kRed);

  const POINT inside = {5, 5};
  viewtest::MoveMouseTo(radio.host, {300, 300});
  viewtest::MoveMouseTo(radio.wnd, inside);
  EXPECT_TRUE(viewtest::PumpUntil([&] { return radio.Fill() == kGreen; }));  // hover look
  // The second click lands away from the first so that it is not taken for
  // a double-click (BN_DOUBLECLICKED, no press, on both platforms).
  const POINT elsewhere = {25, 12};
  viewtest::MouseDown(radio.wnd, inside);
  viewtest::MouseUp(radio.wnd, inside);
  viewtest::MouseDown(radio.wnd, elsewhere);
  viewtest::MouseUp(radio.wnd, elsewhere);
  EXPECT_EQ(radio.host.CountCommands(radio.wnd, BN_CLICKED), 2);
  viewtest::MoveMouseTo(radio.host, {300, 300});
  viewtest::PumpFor(100);
  EXPECT_EQ(radio.Fill(), kGreen);  // still latched after leaving
  // Hovering over a latched button and leaving again keeps it latched.
  viewtest::MoveMouseTo(radio.wnd, inside);
  viewtest::PumpFor(100);
  viewtest::MoveMouseTo(radio.host, {300, 300});
  viewtest::PumpFor(100);
  EXPECT_EQ(radio.Fill(), kGreen);
  radio.button.ResetStatus();
  EXPECT_EQ(radio.Fill(), kRed);
  radio.button.SetPressedStatus();
  EXPECT_EQ(radio.Fill(), kGreen);
  radio.button.EnableWindow(FALSE);
  InvalidateRect(radio.wnd, nullptr, FALSE);
  EXPECT_EQ(radio.Fill(), 0x7F7F7Fu);
  radio.button.EnableWindow(TRUE);

  SwitchFixture push(false, 20, 120);
  viewtest::MoveMouseTo(push.host, {300, 300});
  viewtest::MoveMouseTo(push.wnd, inside);
  EXPECT_TRUE(viewtest::PumpUntil([&] { return push.Fill() == kGreen; }));
  push.host.ClearSeen();
  viewtest::MouseDown(push.wnd, inside);
  viewtest::MouseUp(push.wnd, inside);
  EXPECT_EQ(push.host.CountCommands(push.wnd, BN_CLICKED), 1);
  viewtest::MouseDown(push.wnd, elsewhere);
  EXPECT_EQ(GetCapture(), push.wnd);
  viewtest::MouseUp(push.host, {300, 300});  // outside: no click, capture released
  EXPECT_EQ(push.host.CountCommands(push.wnd, BN_CLICKED), 1);
  EXPECT_NE(GetCapture(), push.wnd);
  EXPECT_TRUE(viewtest::PumpUntil([&] { return push.Fill() == kRed; }));
}

TEST(SwitchButton, AnchorBorderAndCorners) {
  SwitchFixture fixture(true, -5, -5);
  RECT rect = RectInParent(fixture.wnd);
  EXPECT_EQ(rect.right, 640 - 5);
  EXPECT_EQ(rect.bottom, 480 - 5);
  const int short_width = rect.right - rect.left;
  fixture.button.SetText(L"A much longer switch caption");
  rect = RectInParent(fixture.wnd);
  EXPECT_GT(rect.right - rect.left, short_width);
  EXPECT_EQ(rect.right, 640 - 5);
  EXPECT_EQ(rect.bottom, 480 - 5);
  // Moved away, a new caption brings it back to its anchor.
  const RECT away = {10, 10, 60, 40};
  fixture.button.MoveWindow(&away, TRUE);
  fixture.button.SetText(L"Back");
  rect = RectInParent(fixture.wnd);
  EXPECT_EQ(rect.right, 640 - 5);
  EXPECT_EQ(rect.bottom, 480 - 5);
  fixture.button.SetText(L"A much longer switch caption");

  // No border for 0xFFFFFFFF; black (0) draws one along the edge.
  Image image = Shot(fixture.wnd);
  EXPECT_EQ(image.Count(kRed, 0, 0, image.width, 1), image.width);
  fixture.button.SetColorBorder(0);
  InvalidateRect(fixture.wnd, nullptr, FALSE);
  image = Shot(fixture.wnd);
  EXPECT_LT(image.Count(kRed, 0, 0, image.width, 1), image.width / 2);
  EXPECT_EQ(image.At(3, 3), kRed);  // inside stays filled
  fixture.button.SetColorBorder(0xFFFFFFFF);

  // Rounded corners show the background; the point's y changes nothing.
  fixture.button.SetRoundRect(true).SetRoundRectPoint(POINT{12, 0});
  InvalidateRect(fixture.wnd, nullptr, FALSE);
  const Image round = Shot(fixture.wnd);
  EXPECT_EQ(round.At(0, 0), kWhite);
  EXPECT_EQ(round.At(round.width / 2, 2), kRed);
  fixture.button.SetRoundRectPoint(POINT{12, 40});
  InvalidateRect(fixture.wnd, nullptr, FALSE);
  const Image same = Shot(fixture.wnd);
  EXPECT_EQ(same.pixels, round.pixels);
}

TEST(SwitchButton, PushButtonHoveredWhileHeldReportsNoClick) {
  // Pressed the moment the pointer arrives, the hover report comes while
  // the button is held and turns the status to hover; the release then
  // reports nothing and the capture is not left behind.
  HostWindow host;
  auto font = CaptionFont();
  BASSwitchButton* button = view::frame::NewImpl<BASSwitchButton>();
  HWND wnd = button->CreateButton(host, font.get(), reinterpret_cast<HMENU>(31));
  ASSERT_NE(wnd, nullptr);
  button->SetRadio(false);
  button->Init(20, 20, L"Push", RGB(255, 0, 0), 0, RGB(0, 255, 0), 0);
  viewtest::MoveMouseTo(host, {300, 300});
  host.ClearSeen();
  viewtest::MouseDown(wnd, {5, 5});
  EXPECT_EQ(GetCapture(), wnd);
  EXPECT_TRUE(viewtest::PumpUntil([&] { return button->status() == kStatusHover; }));
  viewtest::MouseUp(wnd, {5, 5});
  EXPECT_EQ(host.CountCommands(wnd, BN_CLICKED), 0);
  EXPECT_NE(GetCapture(), wnd);
  EXPECT_EQ(SendMessageW(wnd, BM_GETSTATE, 0, 0) & BST_PUSHED, 0);
  DestroyWindow(wnd);
  view::frame::ReleaseImpl(button);
}

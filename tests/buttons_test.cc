// The image button and the switch button: real windows in a reflecting host
// driven by real input, read back by pixel as each control painted itself.

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "harness.h"
#include "view/internal/controls/bas_switch_button.h"
#include "view/zu_img_button.h"
#include "view/zu_switch_button.h"

using viewtest::HostWindow;
using viewtest::Image;
using viewtest::RectInParent;
using viewtest::SolidBitmap;

namespace {

constexpr uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kYellow = 0xFFFF00,
                   kGray = 0x808080, kWhite = 0xFFFFFF, kCyan = 0x00FFFF;

std::unique_ptr<Gdiplus::Font> CaptionFont() {
  return std::make_unique<Gdiplus::Font>(L"Arial", 12.0f, Gdiplus::FontStyleRegular,
                                         Gdiplus::UnitPixel);
}

// The caption's bounding box as the platform measures it for `wnd`.
Gdiplus::SizeF Measure(HWND wnd, const wchar_t* text, Gdiplus::Font* font) {
  Gdiplus::Graphics graphics(wnd);
  graphics.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
  Gdiplus::RectF box;
  graphics.MeasureString(text, -1, font, Gdiplus::RectF(0, 0, 0, 0), &box);
  return Gdiplus::SizeF(box.Width, box.Height);
}

// What the control shows once every pending paint ran: nothing forces a
// repaint, so a change the control forgets to paint stays unseen.
Image Shot(HWND wnd) {
  viewtest::PumpUntilIdle();
  return viewtest::CaptureClient(wnd);
}

}  // namespace

TEST(ImgButton, CheckBoxWithLogoLaysOutPaintsAndToggles) {
  HostWindow host;
  auto font = CaptionFont();
  auto unchecked = SolidBitmap(20, 20, kRed), checked = SolidBitmap(20, 20, kGreen);
  auto logo = SolidBitmap(8, 8, kBlue), logo_checked = SolidBitmap(8, 8, kYellow);
  ZuImgButton button;
  button.SetDpiScale(1.5f);
  HWND wnd = button.CreateButton(host, 10, true);
  button.setFont(font.get());
  button.SetBkgColor(RGB(255, 255, 255));
  button.SetTextColor(RGB(0, 0, 0), RGB(0, 0, 0), RGB(0x78, 0x78, 0x78));
  button.Init(unchecked.get(), 20, 20, checked.get(), L"Caption", kBASImgButtonTextRight, 0, 0, 1);
  button.SetCheckBoxCheckLogoGapAndLogoTextGap(4, 6);
  button.SetCheckBoxLogoImage(logo.get(), logo_checked.get(), 12, 12);
  EXPECT_EQ(button.DpiScale(15), 22);  // 22.5 truncated
  const Gdiplus::SizeF caption = Measure(wnd, L"Caption", font.get());
  EXPECT_EQ(RectInParent(wnd), (RECT{20, 20, 20 + 52 + static_cast<int>(caption.Width), 50}));

  // The check image (scaled 30 x 30) at (0, 0), the logo at (34, 9, 12, 12),
  // the caption from x = 52. The rims of stretched images depend on the
  // platform's interpolation (Wine blends the right and bottom rims, Windows
  // may blend all four), so only interiors are compared exactly.
  auto shows = [&](uint32_t check, uint32_t logo_colour) {
    const Image image = Shot(wnd);
    EXPECT_EQ(image.Count(check, 1, 1, 29, 29), 28 * 28);
    EXPECT_EQ(image.Count(logo_colour, 35, 10, 45, 20), 100);
    return image;
  };
  Image image = shows(kRed, kBlue);
  const RECT text = image.BoundsNot(kWhite, RECT{46, 0, image.width, 30});
  EXPECT_GE(text.left, 52);
  EXPECT_LT(text.left, 60);  // the caption is drawn

  // A press flips the state and repaints only the check image first.
  std::vector<RECT> clips;
  host.on_message = [&](UINT msg, WPARAM, LPARAM lparam, LRESULT&) {
    RECT clip;
    if (msg == WM_DRAWITEM && GetClipBox(reinterpret_cast<DRAWITEMSTRUCT*>(lparam)->hDC, &clip)) {
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
  EXPECT_EQ(clips[0], (RECT{0, 0, 30, 30}));
  viewtest::MouseUp(wnd, {40, 15});
  EXPECT_EQ(host.CountCommands(wnd, BN_CLICKED), 1);
  shows(kGreen, kYellow);

  // Released outside (pressed elsewhere, not to make a double-click):
  // flipped back, no click, capture given up.
  viewtest::MouseDown(wnd, {10, 15});
  viewtest::MouseUp(host, {600, 400});
  EXPECT_FALSE(button.IsChecked());
  EXPECT_EQ(host.CountCommands(wnd, BN_CLICKED), 1);
  EXPECT_NE(GetCapture(), wnd);

  // SetChecked shows only after RefreshCheckRect; disabling shows the
  // normal image (no disabled one) and the unchecked logo whatever the state.
  button.SetChecked(true);
  shows(kRed, kBlue);
  button.RefreshCheckRect();
  shows(kGreen, kBlue);  // only the check image was repainted
  button.EnableWindow(FALSE);
  InvalidateRect(wnd, nullptr, FALSE);
  shows(kRed, kBlue);
  DestroyWindow(wnd);
}

TEST(ImgButton, PlainButtonHoverPressAndDisable) {
  HostWindow host;
  auto font = CaptionFont();
  auto normal = SolidBitmap(40, 40, kRed), pressed = SolidBitmap(40, 40, kGreen);
  auto disabled = SolidBitmap(40, 40, kGray), other = SolidBitmap(40, 40, kCyan);
  ZuImgButton button;
  HWND wnd = button.CreateButton(host, 11, true);
  button.setFont(font.get());
  button.SetBkgColor(RGB(255, 255, 255));
  const wchar_t* text = L"A rather long caption";
  button.Init(normal.get(), -10, -10, pressed.get(), text, kBASImgButtonTextCenter, 3, 5, 0);
  // Negative positions count from the far edges; the width is the caption's
  // and both paddings.
  const int width = static_cast<int>(Measure(wnd, text, font.get()).Width) + 8;
  ASSERT_GT(width, 48);
  EXPECT_EQ(RectInParent(wnd), (RECT{630 - width, 430, 630, 470}));
  const POINT inside = {width / 2, 5};  // above the caption, away from the image's rims
  auto colour = [&] { return Shot(wnd).At(inside.x, inside.y); };

  // Stretched across the width less the paddings, caption on top.
  Image image = Shot(wnd);
  EXPECT_EQ(image.At(1, 20), kWhite);
  EXPECT_EQ(image.At(image.width - 2, 20), kWhite);
  EXPECT_EQ(image.At(inside.x, inside.y), kRed);
  EXPECT_GT(image.Count(0x000000), 0);

  // Resting 10 ms shows the pressed image; leaving restores the normal one.
  viewtest::MoveMouseTo(host, {5, 5});
  viewtest::MoveMouseTo(wnd, inside);
  EXPECT_TRUE(viewtest::PumpUntil([&] { return colour() == kGreen; }));
  viewtest::MoveMouseTo(host, {5, 5});
  EXPECT_TRUE(viewtest::PumpUntil([&] { return colour() == kRed; }));

  // Press and release inside: one click; released outside: none. A click
  // from code goes through the same press and release.
  viewtest::MoveMouseTo(wnd, inside);
  viewtest::PumpFor(50);
  host.ClearSeen();
  viewtest::MouseDown(wnd, inside);
  EXPECT_EQ(colour(), kGreen);
  viewtest::MouseUp(wnd, inside);
  EXPECT_EQ(colour(), kRed);  // released: the pressed look goes
  viewtest::MouseDown(wnd, {inside.x + 20, inside.y + 10});  // not a double-click
  viewtest::MouseUp(host, {5, 5});
  EXPECT_NE(GetCapture(), wnd);
  SendMessageW(wnd, BM_CLICK, 0, 0);
  viewtest::PumpUntilIdle();
  EXPECT_EQ(host.CountCommands(wnd, BN_CLICKED), 2);

  // Only the first disabled image is kept.
  button.SetDisableImage(disabled.get());
  button.SetDisableImage(other.get());
  button.EnableWindow(FALSE);
  InvalidateRect(wnd, nullptr, FALSE);
  EXPECT_EQ(colour(), kGray);
  button.EnableWindow(TRUE);
  InvalidateRect(wnd, nullptr, FALSE);
  EXPECT_EQ(colour(), kRed);
  // Moved where asked; fitted into a width that leaves the caption 12 pixels
  // (less the image and paddings), it wraps and the button grows taller.
  const RECT moved = {20, 30, 20 + width, 70};
  EXPECT_TRUE(button.MoveWindow(&moved, TRUE));
  EXPECT_EQ(RectInParent(wnd), moved);
  button.resizeWithFixWidth(60);
  EXPECT_EQ(viewtest::ClientSize(wnd).cx, 60);
  EXPECT_GT(viewtest::ClientSize(wnd).cy, 100);
  DestroyWindow(wnd);
}

namespace {

// A switch button with caption and known colours: fill red, pressed green.
struct SwitchFixture {
  HostWindow host;
  std::unique_ptr<Gdiplus::Font> font = CaptionFont();
  ZuSwitchButton button;
  HWND wnd = nullptr;

  explicit SwitchFixture(bool radio, int x = 20, int y = 20) {
    button.SetDpiScale(1.5f);
    wnd = button.CreateButton(host, font.get(), 21);
    button.SetRadio(radio).SetBackgroundColor(RGB(255, 255, 255));
    button.Init(x, y, L"Switch", RGB(255, 0, 0), RGB(0, 0, 0), RGB(0, 255, 0), RGB(0, 0, 0));
    viewtest::MoveMouseTo(host, {300, 300});
  }
  ~SwitchFixture() { DestroyWindow(wnd); }
  uint32_t Fill() { return Shot(wnd).At(2, 2); }
  bool Becomes(uint32_t rgb) {
    return viewtest::PumpUntil([&] { return Fill() == rgb; });
  }
  // Hovers at `a`, waits for the hover look, clicks at `a` then `b`
  // (apart, so that the second is no double-click) and leaves.
  void HoverClickTwiceAndLeave(POINT a, POINT b) {
    viewtest::MoveMouseTo(wnd, a);
    EXPECT_TRUE(Becomes(kGreen));  // the hover look
    host.ClearSeen();
    viewtest::Click(wnd, a);
    viewtest::Click(wnd, b);
    EXPECT_EQ(host.CountCommands(wnd, BN_CLICKED), 2);
    viewtest::MoveMouseTo(host, {300, 300});
  }
};

}  // namespace

TEST(SwitchButton, RadioModeLatchesAndPushModeReturnsOnLeave) {
  SwitchFixture radio(true);
  const Gdiplus::SizeF caption = Measure(radio.wnd, L"Switch", radio.font.get());
  EXPECT_EQ(viewtest::ClientSize(radio.wnd),  // margins 15
            (SIZE{static_cast<int>(30 + caption.Width), static_cast<int>(30 + caption.Height)}));
  EXPECT_EQ(radio.Fill(), kRed);
  EXPECT_EQ(radio.button.DpiScale(15), 22);  // 22.5 truncated
  radio.HoverClickTwiceAndLeave({5, 5}, {25, 12});
  viewtest::PumpFor(100);
  EXPECT_EQ(radio.Fill(), kGreen);  // still latched after leaving
  // Hovering over a latched button and leaving again keeps it latched.
  viewtest::MoveMouseTo(radio.wnd, {5, 5});
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

  // A push button returns to normal on its own once the pointer leaves.
  SwitchFixture push(false, -20, -30);
  push.HoverClickTwiceAndLeave({5, 5}, {25, 12});
  EXPECT_TRUE(push.Becomes(kRed));
  viewtest::MouseDown(push.wnd, {5, 5});
  EXPECT_EQ(GetCapture(), push.wnd);
  viewtest::MouseUp(push.host, {300, 300});  // outside: no click, capture released
  EXPECT_NE(GetCapture(), push.wnd);
  // Pressed the moment the pointer arrives, the hover report comes while the
  // button is held and turns it to hover: the release then reports nothing
  // and leaves neither the capture nor the pushed state behind.
  viewtest::MouseDown(push.wnd, {5, 5});
  const auto* held = view::frame::BoundObject<BASSwitchButton>(push.wnd);
  EXPECT_TRUE(viewtest::PumpUntil([&] { return held->status() == kStatusHover; }));
  viewtest::MouseUp(push.wnd, {5, 5});
  EXPECT_EQ(push.host.CountCommands(push.wnd, BN_CLICKED), 2);
  EXPECT_NE(GetCapture(), push.wnd);
  EXPECT_EQ(SendMessageW(push.wnd, BM_GETSTATE, 0, 0) & BST_PUSHED, 0);
  // New margins and caption: resized and put back at the anchor, which
  // counts from the parent's right and bottom edges.
  push.button.SetHMargin(5).SetVMargin(2).SetText(L"Switch");
  const SIZE fitted = {static_cast<int>(10 + caption.Width), static_cast<int>(4 + caption.Height)};
  EXPECT_EQ(RectInParent(push.wnd), (RECT{620 - fitted.cx, 450 - fitted.cy, 620, 450}));
}

TEST(Buttons, EveryChangeOfLookShowsAtTheNextRepaint) {
  // Each button keeps the faces it painted; a setter must drop them.
  HostWindow host;
  auto font = CaptionFont();
  auto other_font = std::make_unique<Gdiplus::Font>(L"Arial", 16.0f, Gdiplus::FontStyleBold,
                                                    Gdiplus::UnitPixel);
  auto red = SolidBitmap(40, 20, kRed), green = SolidBitmap(40, 20, kGreen),
       blue = SolidBitmap(40, 20, kBlue), logo = SolidBitmap(8, 8, kYellow);
  ZuImgButton plain, check;
  ZuSwitchButton sw, hidden;
  hidden.SetInitVisible(false);
  EXPECT_FALSE(IsWindowVisible(hidden.CreateButton(host, font.get(), 13)));
  // Before the window exists the setters talk to none and nothing crashes.
  plain.SetText(nullptr);
  plain.SetTooltip(L"tip");
  plain.RefreshCheckRect();
  plain.resizeWithFixWidth(10);
  EXPECT_EQ(plain.Init(red.get(), -5, -5, nullptr, L"x", 1, 0, 0, 1), 0);
  plain.SetCheckBoxLogoImage(nullptr, nullptr, 0, 0);
  EXPECT_FALSE(plain.MoveWindow(nullptr, TRUE));
  EXPECT_FALSE(plain.EnableWindow(TRUE));
  EXPECT_EQ(sw.SetRadio(false).Init(-5, -5, L"x", 0, 0, 0, 0), 0);
  sw.SetText(nullptr);
  sw.SetPressedStatus();
  EXPECT_FALSE(sw.EnableWindow(TRUE));
  plain.CreateButton(host, 10, true);
  plain.setFont(font.get());
  plain.Init(red.get(), 20, 20, green.get(), L"Plain", kBASImgButtonTextCenter, 4, 4, 0);
  check.CreateButton(host, 11, true);
  check.setFont(font.get());
  check.SetBkgColor(RGB(255, 255, 255));  // opaque, so that a repaint does not blend over the last
  check.Init(red.get(), 20, 80, green.get(), L"Check", kBASImgButtonTextRight, 0, 0, 1);
  check.SetCheckBoxLogoImage(logo.get(), logo.get(), 8, 8);
  sw.CreateButton(host, font.get(), 12);
  sw.Init(20, 140, L"Switch", RGB(255, 0, 0), 0, RGB(0, 255, 0), 0);
  EXPECT_EQ(viewtest::ChangesNotRepainted(
                plain, {{"text", [&] { plain.SetText(L"Other"); }},  // as wide as before
                        {"font", [&] { plain.setFont(other_font.get()); }},
                        {"text colour", [&] { plain.SetTextColor(RGB(255, 0, 255), 0, 0); }},
                        {"background", [&] { plain.SetBkgColor(RGB(0, 0, 255)); }},
                        {"normal image", [&] { plain.SetNormalImage(blue.get()); }},
                        {"disabled", [&] { plain.EnableWindow(FALSE); }},
                        {"disable image", [&] { plain.SetDisableImage(green.get()); }}}),
            std::vector<std::string>{});
  EXPECT_EQ(viewtest::ChangesNotRepainted(
                check, {{"checked", [&] { check.SetChecked(true); }},
                        {"checked image", [&] { check.SetPressedImage(blue.get()); }},
                        {"gaps", [&] { check.SetCheckBoxCheckLogoGapAndLogoTextGap(6, 9); }},
                        {"scale", [&] { check.SetDpiScale(0.5f); }}}),
            std::vector<std::string>{});
  EXPECT_EQ(viewtest::ChangesNotRepainted(
                sw, {{"font", [&] { sw.SetFont(other_font.get()); }},
                     {"round", [&] { sw.SetRoundRect(true); }},
                     {"background", [&] { sw.SetBackgroundColor(RGB(0, 0, 255)); }},
                     {"corner", [&] { sw.SetRoundRectPoint({12, 12}); }},
                     {"border", [&] { sw.SetColorBorder(RGB(0, 0, 0)); }},
                     {"disabled", [&] { sw.EnableWindow(FALSE); }},
                     {"disable colours", [&] { sw.SetColorDisable(RGB(9, 9, 9), 0); }}}),
            std::vector<std::string>{});
}

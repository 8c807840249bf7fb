// Image buttons (plain, check box with logo, disabled) and a segmented group
// of switch buttons with one latched, at scales 1.0 and 1.5. The images are
// drawn here with GDI+ so that the page needs no files.

#include <memory>
#include <vector>

#include "gallery.h"
#include "view/utils.h"

namespace {

using BitmapPtr = std::unique_ptr<Gdiplus::Bitmap>;

// A rounded button face in `fill`, the size of a button at scale 1.
BitmapPtr Face(int width, int height, Gdiplus::Color fill) {
  auto bitmap = std::make_unique<Gdiplus::Bitmap>(width, height, PixelFormat32bppARGB);
  Gdiplus::Graphics g(bitmap.get());
  g.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
  g.Clear(Gdiplus::Color(0, 0, 0, 0));
  Gdiplus::GraphicsPath path;
  Utils::CreateRoundRect(path, Gdiplus::RectF(0, 0, static_cast<float>(width),
                                              static_cast<float>(height)), 10);
  Gdiplus::SolidBrush brush(fill);
  g.FillPath(&brush, &path);
  return bitmap;
}

// A small round logo.
BitmapPtr Logo(Gdiplus::Color color) {
  auto bitmap = std::make_unique<Gdiplus::Bitmap>(16, 16, PixelFormat32bppARGB);
  Gdiplus::Graphics g(bitmap.get());
  g.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
  g.Clear(Gdiplus::Color(0, 0, 0, 0));
  Gdiplus::SolidBrush brush(color);
  g.FillEllipse(&brush, 1, 1, 14, 14);
  return bitmap;
}

class ButtonsPage : public gallery::Page {
 public:
  void Build(HWND panel) override {
    face_ = Face(120, 34, Gdiplus::Color(255, 0x2B, 0x57, 0x9A));
    face_pressed_ = Face(120, 34, Gdiplus::Color(255, 0x1B, 0x3A, 0x6B));
    face_disabled_ = Face(120, 34, Gdiplus::Color(255, 0xC8, 0xC8, 0xC8));
    unchecked_ = view::MakeStockImage(view::StockImage::kCheckBoxUnchecked, 20);
    checked_ = view::MakeStockImage(view::StockImage::kCheckBoxChecked, 20);
    check_disabled_ = view::MakeStockImage(view::StockImage::kCheckBoxDisabled, 20);
    logo_ = Logo(Gdiplus::Color(255, 0xE0, 0x8A, 0x1E));
    logo_checked_ = Logo(Gdiplus::Color(255, 0x2E, 0xA0, 0x43));
    Column(panel, 24, 1.0f);
    // The application's own factor; with per-monitor DPI the window's
    // factor is the one that counts.
    if (view::GetDpiMode() == view::DpiMode::kApplication) Column(panel, 440, 1.5f);
  }

 private:
  void Column(HWND panel, int x, float scale) {
    const auto px = [scale](int v) { return static_cast<int>(static_cast<float>(v) * scale); };
    gallery::AddLabel(panel, scale == 1.0f ? L"Scale 1.0" : L"Scale 1.5", x, 16, 200, 20);
    fonts_.push_back(std::make_unique<Gdiplus::Font>(
        L"Segoe UI", 13.0f * scale, Gdiplus::FontStyleRegular, Gdiplus::UnitPixel));
    Gdiplus::Font* font = fonts_.back().get();

    // A plain button: the face stretched behind a centred caption.
    ZuImgButton& plain = NewImg();
    plain.SetDpiScale(scale);
    plain.CreateButton(panel, 0, true);
    plain.setFont(font);
    plain.SetTextColor(RGB(255, 255, 255), RGB(255, 255, 255), RGB(0x78, 0x78, 0x78));
    plain.Init(face_.get(), x, px(48), face_pressed_.get(), L"Save changes",
               kBASImgButtonTextCenter, px(16), px(16), 0);
    plain.SetTooltip(L"Saves the document");

    // The same, disabled.
    ZuImgButton& off = NewImg();
    off.SetDpiScale(scale);
    off.CreateButton(panel, 0, true);
    off.setFont(font);
    off.SetTextColor(RGB(255, 255, 255), RGB(255, 255, 255), RGB(0x78, 0x78, 0x78));
    off.SetDisableImage(face_disabled_.get());
    off.Init(face_.get(), x + px(160), px(48), face_pressed_.get(), L"Disabled",
             kBASImgButtonTextCenter, px(16), px(16), 0);
    off.EnableWindow(FALSE);

    // Check boxes with a logo between the box and the caption, on the
    // panel's colour; their captions dark grey, or the panel's text in dark.
    const COLORREF ink = view::IsDarkTheme() ? gallery::WindowText() : RGB(0x30, 0x30, 0x30);
    const COLORREF ink_pressed = view::IsDarkTheme() ? gallery::WindowText() : RGB(0x10, 0x10, 0x10);
    const wchar_t* captions[] = {L"Sync over Wi-Fi only", L"Sync over mobile data"};
    for (int i = 0; i < 2; ++i) {
      ZuImgButton& check = NewImg();
      check.SetDpiScale(scale);
      check.CreateButton(panel, 0, true);
      check.setFont(font);
      check.SetBkgColor(gallery::Window());
      check.SetTextColor(ink, ink_pressed, RGB(0x90, 0x90, 0x90));
      // A little room at the right: the width truncates the measured
      // caption, and a box narrower than the caption would wrap it.
      check.Init(unchecked_.get(), x, px(100 + 32 * i), checked_.get(), captions[i],
                 kBASImgButtonTextRight, 0, px(4), 1);
      check.SetCheckBoxCheckLogoGapAndLogoTextGap(px(6), px(6));
      check.SetCheckBoxLogoImage(logo_.get(), logo_checked_.get(), 0, 0);
      check.SetChecked(i == 0);
    }
    // A disabled check box shows its disabled image whatever its state.
    ZuImgButton& check_off = NewImg();
    check_off.SetDpiScale(scale);
    check_off.CreateButton(panel, 0, true);
    check_off.setFont(font);
    check_off.SetBkgColor(gallery::Window());
    check_off.SetTextColor(ink, ink_pressed, RGB(0x90, 0x90, 0x90));
    check_off.SetDisableImage(check_disabled_.get());
    check_off.Init(unchecked_.get(), x, px(164), checked_.get(), L"Unavailable option",
                   kBASImgButtonTextRight, 0, px(4), 1);
    check_off.SetChecked(true);
    check_off.EnableWindow(FALSE);

    // A segmented switch: three switch buttons side by side with a hairline
    // between them, one latched.
    const wchar_t* segments[] = {L"Day", L"Week", L"Month"};
    int left = x;
    for (int i = 0; i < 3; ++i) {
      auto sw = std::make_unique<ZuSwitchButton>();
      sw->SetDpiScale(scale);
      HWND wnd = sw->CreateButton(panel, font, 0);
      sw->SetHMargin(px(18)).SetVMargin(px(7));
      sw->Init(left, px(214), segments[i], RGB(0xE8, 0xEE, 0xF6), RGB(0x2B, 0x57, 0x9A),
               RGB(0x2B, 0x57, 0x9A), RGB(255, 255, 255));
      if (i == 1) sw->SetPressedStatus();
      RECT rect;
      GetWindowRect(wnd, &rect);
      left += rect.right - rect.left + 1;
      switches_.push_back(std::move(sw));
    }
    // Rounded switches: one outlined, one latched.
    left = x;
    for (int i = 0; i < 2; ++i) {
      auto sw = std::make_unique<ZuSwitchButton>();
      sw->SetDpiScale(scale);
      HWND wnd = sw->CreateButton(panel, font, 0);
      sw->SetRoundRect(true).SetBackgroundColor(gallery::Window());
      if (i == 0) sw->SetColorBorder(RGB(0x2B, 0x57, 0x9A));
      sw->Init(left, px(260), i == 0 ? L"Outlined" : L"Latched", RGB(0xE8, 0xEE, 0xF6),
               RGB(0x2B, 0x57, 0x9A), RGB(0x2B, 0x57, 0x9A), RGB(255, 255, 255));
      if (i == 1) sw->SetPressedStatus();
      RECT rect;
      GetWindowRect(wnd, &rect);
      left += rect.right - rect.left + px(8);
      switches_.push_back(std::move(sw));
    }
  }

  ZuImgButton& NewImg() {
    images_.push_back(std::make_unique<ZuImgButton>());
    return *images_.back();
  }

  BitmapPtr face_, face_pressed_, face_disabled_, unchecked_, checked_, check_disabled_, logo_,
      logo_checked_;
  std::vector<std::unique_ptr<Gdiplus::Font>> fonts_;
  std::vector<std::unique_ptr<ZuImgButton>> images_;
  std::vector<std::unique_ptr<ZuSwitchButton>> switches_;
};

}  // namespace

VIEW_GALLERY_PAGE(100, L"Buttons", ButtonsPage);

#include "view/internal/controls/bas_img_button.h"

#include <algorithm>

#include "view/internal/drawing/drawing_math.h"
#include "view/internal/drawing/palette_image.h"
#include "view/internal/frame/button_layout.h"
#include "view/internal/frame/dpi.h"
#include "view/internal/frame/paint_buffers.h"
#include "view/internal/frame/window_ops.h"
#include "view/utils.h"

namespace view::internal {

int ImgButtonWidth(int align, int iw, float tw, int left_padding, int right_padding,
                   int logo_width, int check_logo_gap, int logo_text_gap) {
  if (align == kBASImgButtonTextCenter) {
    return static_cast<int>(std::max(static_cast<float>(iw), tw)) + right_padding + left_padding;
  }
  const float sum = static_cast<float>(logo_width) + tw + static_cast<float>(right_padding) +
                    static_cast<float>(left_padding) + static_cast<float>(iw) +
                    static_cast<float>(check_logo_gap) + static_cast<float>(logo_text_gap);
  return static_cast<int>(sum);
}

int ImgButtonHeight(int ih, float th, int logo_height) {
  const float tallest =
      std::max({static_cast<float>(ih), static_cast<float>(logo_height), th});
  return static_cast<int>(tallest);
}

RECT ImgButtonCheckRect(int height, int iw, int ih) {
  const int top = (height - ih) / 2;
  return RECT{0, top, iw, top + ih};
}

RECT ImgButtonLogoBox(int height, int iw, int check_logo_gap, int logo_width, int logo_height) {
  const int x = iw + check_logo_gap;
  const int y = (height - logo_height) / 2;
  return RECT{x, y, x + logo_width, y + logo_height};
}

int ImgButtonCaptionX(int iw, int logo_text_gap, bool logo_drawn, int check_logo_gap,
                      int logo_width) {
  int x = iw + logo_text_gap;
  if (logo_drawn) x += check_logo_gap + logo_width;
  return x;
}

int ImgButtonCaptionRoom(int width, int iw, int left_padding, int right_padding,
                         int logo_text_gap, int check_logo_gap, int logo_width) {
  return width - iw - right_padding - left_padding - logo_text_gap - check_logo_gap - logo_width;
}

ImgButtonLook ChooseImgButtonLook(bool check_box_mode, ButtonStatus status, bool checked) {
  if (status == kStatusDisable) {
    return {ImgChoice::kDisable, check_box_mode ? LogoChoice::kUnchecked : LogoChoice::kNone,
            ImgChoice::kDisable};
  }
  if (check_box_mode) {
    // Pressed and hover look like the resting state: only the check shows.
    if (checked) return {ImgChoice::kPressed, LogoChoice::kChecked, ImgChoice::kPressed};
    return {ImgChoice::kNormal, LogoChoice::kUnchecked, ImgChoice::kNormal};
  }
  if (status == kStatusPressed || status == kStatusHover) {
    return {ImgChoice::kPressed, LogoChoice::kNone, ImgChoice::kPressed};
  }
  return {ImgChoice::kNormal, LogoChoice::kNone, ImgChoice::kNormal};
}

}  // namespace view::internal

using view::internal::ImgChoice;
using view::internal::LogoChoice;

BASImgButton::~BASImgButton() = default;

bool BASImgButton::ProcessWindowMessage(HWND wnd, UINT msg, WPARAM wparam, LPARAM lparam,
                                        LRESULT& result, DWORD) {
  if (HandleButtonMessages(msg, wparam, result)) return true;
  const bool check_box = check_box_mode_ == 1;
  if (msg == WM_GETDLGCODE) {
    // A push button may be the dialog's default button (DM_SETDEFID, and
    // the focus moving between push buttons, set it through BM_SETSTYLE).
    result = DLGC_BUTTON;
    if (!check_box) result |= default_ ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON;
    return true;
  }
  if (msg == BM_SETSTYLE) {
    // The window stays owner-drawn: only the default state is kept.
    const bool now = !check_box && (wparam & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
    if (now != default_) {
      default_ = now;
      InvalidateRect(wnd, nullptr, FALSE);
    }
    result = 0;
    return true;
  }
  if (msg == WM_LBUTTONDOWN && check_box) {
    // A check box flips on the press and repaints only its check image; the
    // standard button still takes the capture and reports the click later.
    status_ = kStatusPressed;
    checked_ = !checked_;
    InvalidateRect(wnd, &check_rect_, FALSE);
    UpdateWindow(wnd);
    return false;
  }
  if (msg == WM_DESTROY) tooltip_.reset();
  // In check-box mode hover and press do not change the picture.
  if (view::frame::HandleHoverPress(wnd, tooltip_.get(), *this, msg, wparam, lparam, result,
                                    !check_box)) {
    return true;
  }
  if (ProcessOwnerDraw(msg, wparam, lparam, result)) return true;
  return view::frame::DefaultReflectionHandler(wnd, msg, wparam, lparam, result);
}

DWORD BASImgButton::AdoptStyle(DWORD style) {
  default_ = (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
  return (style & ~BS_TYPEMASK) | BS_OWNERDRAW | WS_TABSTOP;
}

HWND BASImgButton::CreateButton(HWND parent, HMENU id, bool visible) {
  has_bkg_color_ = false;
  scale_ = view::frame::CreationDpiFactor(parent, scale_);
  const DWORD style = WS_CHILD | WS_TABSTOP | BS_OWNERDRAW | (visible ? WS_VISIBLE : 0);
  return CreateWindowOfClass<BASImgButton>(parent, nullptr, L"BUTTON", style, 0, id, nullptr);
}

int BASImgButton::ScaledImageWidth() const {
  if (normal_image_ == nullptr) return 0;
  return view::frame::DpiScaleInt(static_cast<int>(normal_image_->GetWidth()), scale_);
}

int BASImgButton::ScaledImageHeight() const {
  if (normal_image_ == nullptr) return 0;
  return view::frame::DpiScaleInt(static_cast<int>(normal_image_->GetHeight()), scale_);
}

Gdiplus::SizeF BASImgButton::MeasureText(float layout_width) {
  return view::frame::MeasureCaption(m_hWnd, text_, Font(), layout_width, true);
}

Gdiplus::Font* BASImgButton::Font() {
  return scaled_font_.Get(font_, follows_dpi() ? scale_ : 1.0f);
}

void BASImgButton::OnDpiChanged(float factor) {
  view::frame::RescaleLengths(scale_, factor, left_padding_, right_padding_, check_logo_gap_,
                              logo_text_gap_, logo_width_, logo_height_);
  SetDpiScale(factor);
  // Laid out again as Init and SetCheckBoxLogoImage do, in place: the
  // application moves its children itself.
  const int iw = ScaledImageWidth();
  const int ih = ScaledImageHeight();
  if (!text_.empty()) {
    const Gdiplus::SizeF caption = MeasureText();
    width_ = view::internal::ImgButtonWidth(align_, iw, caption.Width, left_padding_,
                                            right_padding_, logo_width_, check_logo_gap_,
                                            logo_text_gap_);
    height_ = view::internal::ImgButtonHeight(ih, caption.Height, logo_height_);
  } else if (normal_image_ != nullptr) {
    width_ = iw;
    height_ = ih;
  }
  tooltip_font_.Apply(tooltip_.get(), factor);
  view::frame::ResizeInPlace(m_hWnd, width_, height_);
  InvalidateRect(m_hWnd, nullptr, FALSE);
}

int BASImgButton::Init(Gdiplus::Bitmap* normal, int x, int y, Gdiplus::Bitmap* pressed,
                       const wchar_t* text, int align, int left_padding, int right_padding,
                       int check_box) {
  faces_.Clear();
  check_box_mode_ = check_box;
  normal_image_ = normal;
  pressed_image_ = pressed;
  tracking_mouse_ = false;
  tooltip_.reset();

  const int iw = ScaledImageWidth();
  const int ih = ScaledImageHeight();
  if (text != nullptr) {
    text_ = text;
    view::frame::SetCaptionWindowText(m_hWnd, text_);
    align_ = align;
    left_padding_ = left_padding;
    right_padding_ = right_padding;
    const Gdiplus::SizeF caption = MeasureText();
    width_ = view::internal::ImgButtonWidth(align_, iw, caption.Width, left_padding_,
                                            right_padding_, logo_width_, check_logo_gap_,
                                            logo_text_gap_);
    height_ = view::internal::ImgButtonHeight(ih, caption.Height);
  } else {
    width_ = iw;
    height_ = ih;
  }
  view::frame::PlaceAnchored(m_hWnd, x, y, width_, height_);
  ReportAccessibleChanges();
  return 0;
}

void BASImgButton::SetText(const wchar_t* text) {
  faces_.Clear();
  if (text != nullptr) {
    text_ = text;
    view::frame::SetCaptionWindowText(m_hWnd, text_);
    const Gdiplus::SizeF caption = MeasureText();
    width_ = view::internal::ImgButtonWidth(align_, ScaledImageWidth(), caption.Width,
                                            left_padding_, right_padding_, logo_width_,
                                            check_logo_gap_, logo_text_gap_);
  }
  view::frame::ResizeInPlace(m_hWnd, width_, height_);
  ReportAccessibleChanges();
}

void BASImgButton::SetTextColor(COLORREF normal, COLORREF pressed, COLORREF disable) {
  faces_.Clear();
  normal_text_color_ = normal;
  pressed_text_color_ = pressed;
  disable_text_color_ = disable;
}

void BASImgButton::SetBkgColor(COLORREF color) {
  faces_.Clear();
  has_bkg_color_ = true;
  bkg_color_ = color;
}

void BASImgButton::SetDisableImage(Gdiplus::Bitmap* image) {
  faces_.Clear();
  if (disable_image_ == nullptr) disable_image_ = image;
}

int BASImgButton::DpiScale(int value) const { return view::frame::DpiScaleInt(value, scale_); }

void BASImgButton::RefreshCheckRect() {
  if (m_hWnd != nullptr) InvalidateRect(m_hWnd, &check_rect_, FALSE);
}

void BASImgButton::SetCheckBoxCheckLogoGapAndLogoTextGap(int check_logo_gap, int logo_text_gap) {
  faces_.Clear();
  check_logo_gap_ = check_logo_gap;
  logo_text_gap_ = logo_text_gap;
}

void BASImgButton::SetCheckBoxLogoImage(Gdiplus::Bitmap* logo, Gdiplus::Bitmap* checked_logo,
                                        int width, int height) {
  faces_.Clear();
  // The centred layout has no place for a logo: refuse, storing nothing.
  if (align_ == kBASImgButtonTextCenter) return;
  check_logo_image_ = logo;
  check_logo_checked_image_ = checked_logo;
  const Gdiplus::SizeF caption = MeasureText();
  const int logo_w =
      logo != nullptr ? view::frame::DpiScaleInt(static_cast<int>(logo->GetWidth()), scale_) : 0;
  const int logo_h =
      logo != nullptr ? view::frame::DpiScaleInt(static_cast<int>(logo->GetHeight()), scale_) : 0;
  logo_width_ = width != 0 ? width : logo_w;
  logo_height_ = height != 0 ? height : logo_h;
  width_ = view::internal::ImgButtonWidth(align_, ScaledImageWidth(), caption.Width,
                                          left_padding_, right_padding_, logo_width_,
                                          check_logo_gap_, logo_text_gap_);
  height_ = view::internal::ImgButtonHeight(ScaledImageHeight(), caption.Height, logo_height_);
  view::frame::ResizeInPlace(m_hWnd, width_, height_);
}

void BASImgButton::SetTooltip(const wchar_t* text) {
  if (m_hWnd == nullptr) return;
  if (!tooltip_) {
    tooltip_.reset(view::frame::CreateTooltipWindow(m_hWnd));
    if (follows_dpi()) tooltip_font_.Apply(tooltip_.get(), scale_);
  }
  view::frame::AddTooltipTool(tooltip_.get(), m_hWnd, text != nullptr ? text : L"");
  ReportAccessibleChanges();
}

bool BASImgButton::DescribeAccessible(long child, view::frame::AccessibleInfo& info) {
  if (child != CHILDID_SELF) return false;
  const bool check_box = check_box_mode_ == 1;
  info.role = check_box ? ROLE_SYSTEM_CHECKBUTTON : ROLE_SYSTEM_PUSHBUTTON;
  if (check_box && checked_) info.state = STATE_SYSTEM_CHECKED;
  info.action = !check_box ? L"Press" : checked_ ? L"Uncheck" : L"Check";
  info.has_name = true;
  if (info.want_name) {
    info.name = view::frame::ParseMnemonic(text_).text;
    if (info.name.empty() && tooltip_) {
      info.name = view::frame::TooltipText(tooltip_.get(), m_hWnd);
    }
  }
  return true;
}

void BASImgButton::resizeWithFixWidth(int width) {
  faces_.Clear();
  const int room = view::internal::ImgButtonCaptionRoom(width, ScaledImageWidth(), left_padding_,
                                                        right_padding_, logo_text_gap_,
                                                        check_logo_gap_, logo_width_);
  const Gdiplus::SizeF caption = MeasureText(static_cast<float>(room));
  width_ = std::min(width_, width);
  if (caption.Height > static_cast<float>(height_)) height_ = static_cast<int>(caption.Height);
  view::frame::ResizeClient(m_hWnd, width_, height_, true);
}

void BASImgButton::DrawItem(LPDRAWITEMSTRUCT dis) {
  if (dis == nullptr || m_hWnd == nullptr) return;
  faces_.Paint(m_hWnd, dis->hDC, status_ * 2 + (checked_ ? 1 : 0),
               [this](Gdiplus::Graphics& graphics, int width, int height) {
                 Paint(graphics, width, height);
               });
  if (default_ && check_box_mode_ != 1) {
    // The default button's cue: a frame in the window-frame colour.
    RECT frame = {0, 0, 0, 0};
    GetClientRect(m_hWnd, &frame);
    FrameRect(dis->hDC, &frame, GetSysColorBrush(COLOR_WINDOWFRAME));
  }
}

void BASImgButton::PaintCaptionRight(Gdiplus::Graphics& graphics, Gdiplus::Bitmap* image,
                                     Gdiplus::Bitmap* logo, Gdiplus::Color color,
                                     int client_width, int client_height) {
  const int iw = ScaledImageWidth();
  const int ih = ScaledImageHeight();
  check_rect_ = view::internal::ImgButtonCheckRect(height_, iw, ih);
  Utils::DrawImage(graphics, image, check_rect_.left, check_rect_.top, iw, ih);
  if (logo != nullptr) {
    const RECT box = view::internal::ImgButtonLogoBox(height_, iw, check_logo_gap_, logo_width_,
                                                      logo_height_);
    Utils::DrawImage(graphics, logo, box.left, box.top, box.right - box.left,
                     box.bottom - box.top);
  }
  const int x = view::internal::ImgButtonCaptionX(iw, logo_text_gap_, logo != nullptr,
                                                  check_logo_gap_, logo_width_);
  if (font_ != nullptr) {
    Gdiplus::StringFormat format;
    format.SetLineAlignment(Gdiplus::StringAlignmentCenter);
    const Gdiplus::RectF box(static_cast<float>(x), 0.0f, static_cast<float>(client_width - x),
                             static_cast<float>(client_height));
    view::frame::DrawCaption(m_hWnd, graphics, box, text_, Font(), &format, color);
  }
}

void BASImgButton::Paint(Gdiplus::Graphics& graphics, int client_width, int client_height) {
  using view::frame::ColorRole;
  using view::frame::PaintColor;
  if (has_bkg_color_) {
    graphics.Clear(view::internal::ColorFromColorRef(PaintColor(ColorRole::kFace, bkg_color_)));
  }
  graphics.SetTextRenderingHint(Gdiplus::TextRenderingHintSystemDefault);
  graphics.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
  graphics.SetInterpolationMode(Gdiplus::InterpolationModeHighQuality);

  const bool check_box = check_box_mode_ == 1;
  const view::internal::ImgButtonLook look =
      view::internal::ChooseImgButtonLook(check_box, status_, checked_);
  Gdiplus::Bitmap* image = normal_image_;
  if (look.image == ImgChoice::kPressed) image = pressed_image_;
  if (look.image == ImgChoice::kDisable && disable_image_ != nullptr) image = disable_image_;
  Gdiplus::Bitmap* logo = nullptr;
  if (look.logo == LogoChoice::kUnchecked) logo = check_logo_image_;
  if (look.logo == LogoChoice::kChecked) logo = check_logo_checked_image_;
  COLORREF text_color = PaintColor(ColorRole::kText, normal_text_color_, kTextDefault);
  if (look.text_color == ImgChoice::kPressed) {
    text_color = PaintColor(ColorRole::kText, pressed_text_color_, kTextDefault);
  }
  if (look.text_color == ImgChoice::kDisable) {
    text_color = PaintColor(ColorRole::kDisabledText, disable_text_color_, kDisabledTextDefault);
  }
  if (image == nullptr) return;

  const int iw = ScaledImageWidth();
  const int ih = ScaledImageHeight();
  // Stock check boxes are drawn in the palette in use (at the size shown
  // when the button follows its window's DPI); the application's own
  // images as they are.
  image = view::internal::PaletteImage(image, view::frame::CurrentPalette(),
                                       follows_dpi() ? iw : 0);
  Gdiplus::Color color = view::internal::ColorFromColorRef(text_color);
  if (text_.empty()) {
    check_rect_ = view::internal::ImgButtonCheckRect(height_, iw, ih);
    Utils::DrawImage(graphics, image, 0, 0, iw, ih);
    return;
  }
  if (align_ == kBASImgButtonTextCenter) {
    Utils::DrawImage(graphics, image, left_padding_, 0, width_ - left_padding_ - right_padding_,
                     height_);
    if (font_ != nullptr) {
      const Gdiplus::RectF box(static_cast<float>(left_padding_), 0.0f,
                               static_cast<float>(client_width - left_padding_ - right_padding_),
                               static_cast<float>(client_height));
      view::frame::DrawCaption(m_hWnd, graphics, box, text_, Font(), Gdiplus::StringAlignmentCenter,
                               Gdiplus::StringAlignmentCenter, color);
    }
    return;
  }
  PaintCaptionRight(graphics, image, logo, color, client_width, client_height);
}

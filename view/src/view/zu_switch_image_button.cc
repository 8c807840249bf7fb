#include "view/zu_switch_image_button.h"

#include "view/internal/controls/bas_switch_image_button.h"
#include "view/internal/frame/dpi.h"

VIEW_WRAPPER_DEFINITIONS(ZuSwitchImageButton, BASSwitchImageButton)

void ZuSwitchImageButton::SetDpiScale(float scale) { impl_->Look().scale_ = scale; }
float ZuSwitchImageButton::DpiScale(int v) { return view::frame::DpiScaleFloat(v, impl_->scale_); }
void ZuSwitchImageButton::SetInitVisible(bool visible) { impl_->Look().init_visible_ = visible; }

HWND ZuSwitchImageButton::CreateButton(HWND parent, Gdiplus::Font* font, ATL::_U_MENUorID id) {
  return impl_->CreateButton(parent, font, id.m_hMenu);
}

int ZuSwitchImageButton::Init(int x, int y, const wchar_t* text, COLORREF normal_color,
                              COLORREF normal_text_color, Gdiplus::Bitmap* image,
                              COLORREF pressed_color, COLORREF pressed_text_color,
                              Gdiplus::Bitmap* pressed_image) {
  return impl_->Init(x, y, text, normal_color, normal_text_color, image, pressed_color,
                     pressed_text_color, pressed_image);
}

void ZuSwitchImageButton::SetText(const wchar_t* text) { impl_->SetText(text); }
std::wstring ZuSwitchImageButton::GetText() { return impl_->text_; }
void ZuSwitchImageButton::SetFont(Gdiplus::Font* font) { impl_->Look().font_ = font; }
int ZuSwitchImageButton::GetTextX() { return impl_->text_x_; }
float ZuSwitchImageButton::GetWidth() { return impl_->width_; }
float ZuSwitchImageButton::GetHeight() { return impl_->height_; }
bool ZuSwitchImageButton::IsDelete() { return impl_->delete_hit_; }

ZuSwitchImageButton& ZuSwitchImageButton::SetImageDeleteNormal(Gdiplus::Bitmap* image) {
  impl_->Look().delete_normal_image_ = image;
  return *this;
}
ZuSwitchImageButton& ZuSwitchImageButton::SetImageDeletePressed(Gdiplus::Bitmap* image) {
  impl_->Look().delete_pressed_image_ = image;
  return *this;
}
ZuSwitchImageButton& ZuSwitchImageButton::SetTextAlign(unsigned int align) {
  impl_->Look().text_align_ = align;
  return *this;
}
ZuSwitchImageButton& ZuSwitchImageButton::SetImageAndTextGap(int gap) {
  impl_->Look().image_text_gap_ = gap;
  return *this;
}
ZuSwitchImageButton& ZuSwitchImageButton::SetHMargin(int margin) {
  impl_->Look().h_margin_ = margin;
  return *this;
}
ZuSwitchImageButton& ZuSwitchImageButton::SetVMargin(int margin) {
  impl_->Look().v_margin_ = margin;
  return *this;
}
ZuSwitchImageButton& ZuSwitchImageButton::SetRadio(bool radio) {
  impl_->Look().radio_ = radio;
  return *this;
}
ZuSwitchImageButton& ZuSwitchImageButton::SetDoHover(bool hover) {
  impl_->Look().do_hover_ = hover;
  return *this;
}
ZuSwitchImageButton& ZuSwitchImageButton::SetDotRight(bool dot) {
  impl_->Look().dot_right_ = dot;
  return *this;
}
ZuSwitchImageButton& ZuSwitchImageButton::SetColorDisable(COLORREF color, COLORREF text_color) {
  impl_->Look().disable_color_ = color;
  impl_->Look().disable_text_color_ = text_color;
  return *this;
}
ZuSwitchImageButton& ZuSwitchImageButton::SetBackgroundColor(COLORREF color) {
  impl_->Look().background_color_ = color;
  return *this;
}
ZuSwitchImageButton& ZuSwitchImageButton::SetColorBorder(COLORREF color) {
  impl_->Look().border_color_ = color;
  return *this;
}
ZuSwitchImageButton& ZuSwitchImageButton::SetBorderWidth(float width) {
  impl_->Look().border_width_ = width;
  return *this;
}
ZuSwitchImageButton& ZuSwitchImageButton::SetRoundRect(bool round) {
  impl_->Look().round_rect_ = round;
  return *this;
}
ZuSwitchImageButton& ZuSwitchImageButton::SetRoundRectPoint(POINT point) {
  impl_->Look().round_rect_point_ = point;
  return *this;
}

void ZuSwitchImageButton::ResetStatus() { impl_->ResetStatus(); }
void ZuSwitchImageButton::SetPressedStatus() { impl_->SetPressedStatus(); }
BOOL ZuSwitchImageButton::EnableWindow(BOOL enable) { return impl_->EnableWindow(enable); }
BOOL ZuSwitchImageButton::MoveWindow(const RECT* rect, BOOL repaint) {
  return impl_->MoveWindow(rect, repaint);
}

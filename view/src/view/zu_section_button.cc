#include "view/zu_section_button.h"

#include "view/internal/controls/zu_section_img_button.h"
#include "view/internal/frame/dpi.h"

VIEW_WRAPPER_DEFINITIONS(ZuSectionButton, ZuSectionImgButton)

HWND ZuSectionButton::Create(HWND parent, ATL::_U_RECT rect, const wchar_t* text, DWORD style,
                             DWORD ex_style, ATL::_U_MENUorID id, void* param) {
  impl_->Look().scale_ = view::frame::CreationDpiFactor(parent, impl_->scale_);
  return impl_->Create(parent, rect.m_lpRect, text, style, ex_style, id.m_hMenu, param);
}

void ZuSectionButton::SetText(const wchar_t* text) {
  impl_->Look().text_ = text != nullptr ? text : L"";
  impl_->ReportAccessibleChanges();
}
ZuSectionButton& ZuSectionButton::SetFont(Gdiplus::Font* font) {
  impl_->Look().font_ = font;
  return *this;
}
ZuSectionButton& ZuSectionButton::SetHMargin(int margin) {
  impl_->Look().h_margin_ = margin;
  return *this;
}
ZuSectionButton& ZuSectionButton::SetVMargin(int margin) {
  impl_->Look().v_margin_ = margin;
  return *this;
}
ZuSectionButton& ZuSectionButton::SetCheckStyle(bool check) {
  impl_->Look().check_style_ = check;
  return *this;
}
ZuSectionButton& ZuSectionButton::SetImgAndTextLayoutType(ImgButtonImgAndTextLayoutType1 type) {
  impl_->Look().layout_type_ = type;
  return *this;
}

namespace {
void SetStatusColors(ZuSectionImgButton* impl, ButtonStatus status, COLORREF fill, COLORREF text,
                     COLORREF border) {
  ZuSectionImgButton& look = impl->Look();
  look.fill_colors_[status] = fill;
  look.text_colors_[status] = text;
  look.border_colors_[status] = border;
}
}  // namespace

ZuSectionButton& ZuSectionButton::SetColorOfNormalStatus(COLORREF fill, COLORREF text,
                                                         COLORREF border) {
  SetStatusColors(impl_, kStatusNormal, fill, text, border);
  return *this;
}
ZuSectionButton& ZuSectionButton::SetColorOfPressedStatus(COLORREF fill, COLORREF text,
                                                          COLORREF border) {
  SetStatusColors(impl_, kStatusPressed, fill, text, border);
  return *this;
}
ZuSectionButton& ZuSectionButton::SetColorOfHoverStatus(COLORREF fill, COLORREF text,
                                                        COLORREF border) {
  SetStatusColors(impl_, kStatusHover, fill, text, border);
  return *this;
}
ZuSectionButton& ZuSectionButton::SetColorOfDisableStatus(COLORREF fill, COLORREF text,
                                                          COLORREF border) {
  SetStatusColors(impl_, kStatusDisable, fill, text, border);
  return *this;
}
ZuSectionButton& ZuSectionButton::SetImages(Gdiplus::Bitmap* normal, Gdiplus::Bitmap* pressed,
                                            Gdiplus::Bitmap* hover, Gdiplus::Bitmap* disable) {
  impl_->Look().images_[kStatusNormal] = normal;
  impl_->Look().images_[kStatusPressed] = pressed;
  impl_->Look().images_[kStatusHover] = hover;
  impl_->Look().images_[kStatusDisable] = disable;
  return *this;
}
ZuSectionButton& ZuSectionButton::SetRoundRect(bool round) {
  impl_->Look().round_rect_ = round;
  return *this;
}
ZuSectionButton& ZuSectionButton::SetRoundRectPoint(WTL::CPoint point) {
  impl_->Look().round_rect_point_ = point;
  return *this;
}
ZuSectionButton& ZuSectionButton::SetRoundBkgColorOutsideBorder(COLORREF color) {
  impl_->Look().round_bkg_color_ = color;
  return *this;
}
ZuSectionButton& ZuSectionButton::SetFixWidth(bool fix) {
  impl_->Look().fix_width_ = fix;
  return *this;
}
ZuSectionButton& ZuSectionButton::SetFixHeight(bool fix) {
  impl_->Look().fix_height_ = fix;
  return *this;
}
ZuSectionButton& ZuSectionButton::SetImageAndTextGap(float gap) {
  impl_->Look().image_text_gap_ = gap;
  return *this;
}
ZuSectionButton& ZuSectionButton::Center(bool center) {
  impl_->Look().center_ = center;
  return *this;
}
ZuSectionButton& ZuSectionButton::SetDpiScale(float scale) {
  impl_->Look().scale_ = scale;
  return *this;
}
ZuSectionButton& ZuSectionButton::ResetStatus() {
  impl_->status_ = kStatusNormal;
  impl_->ReportAccessibleChanges();
  return *this;
}
ZuSectionButton& ZuSectionButton::SetPressedStatus() {
  impl_->status_ = kStatusPressed;
  impl_->ReportAccessibleChanges();
  return *this;
}
BOOL ZuSectionButton::EnableWindow(BOOL enable) { return impl_->EnableWindow(enable); }
ZuSectionButton& ZuSectionButton::Load(bool take_window_text) {
  impl_->Load(take_window_text);
  return *this;
}
WTL::CSize ZuSectionButton::reload(int max_width, int max_height) {
  return impl_->reload(max_width, max_height);
}
ZuSectionButton& ZuSectionButton::SetTooltip(const wchar_t* text) {
  impl_->SetTooltip(text);
  return *this;
}
void ZuSectionButton::setFuncDrawTextAndImage(
    std::function<void(HWND, Gdiplus::Graphics&, RECT&, int)>& func) {
  impl_->Look().draw_func_ = func;
}
void ZuSectionButton::setFuncDrawTextAndImage(
    const std::function<void(HWND, Gdiplus::Graphics&, RECT&, int)>& func) {
  impl_->Look().draw_func_ = func;
}
BOOL ZuSectionButton::MoveWindow(const RECT* rect, BOOL repaint) {
  return impl_->MoveWindow(rect, repaint);
}

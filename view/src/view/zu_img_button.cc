#include "view/zu_img_button.h"

#include "view/internal/controls/bas_img_button.h"

VIEW_WRAPPER_DEFINITIONS(ZuImgButton, BASImgButton)

HWND ZuImgButton::CreateButton(HWND parent, ATL::_U_MENUorID id, bool visible) {
  return impl_->CreateButton(parent, id.m_hMenu, visible);
}
int ZuImgButton::Init(Gdiplus::Bitmap* normal, int x, int y, Gdiplus::Bitmap* pressed,
                      const wchar_t* text, int align, int left_padding, int right_padding,
                      int check_box) {
  return impl_->Init(normal, x, y, pressed, text, align, left_padding, right_padding, check_box);
}
void ZuImgButton::SetText(const wchar_t* text) { impl_->SetText(text); }
void ZuImgButton::setFont(Gdiplus::Font* font) { impl_->setFont(font); }
void ZuImgButton::SetTextColor(COLORREF normal, COLORREF pressed, COLORREF disable) {
  impl_->SetTextColor(normal, pressed, disable);
}
void ZuImgButton::SetBkgColor(COLORREF color) { impl_->SetBkgColor(color); }
void ZuImgButton::SetNormalImage(Gdiplus::Bitmap* image) { impl_->SetNormalImage(image); }
void ZuImgButton::SetPressedImage(Gdiplus::Bitmap* image) { impl_->SetPressedImage(image); }
void ZuImgButton::SetDisableImage(Gdiplus::Bitmap* image) { impl_->SetDisableImage(image); }
void ZuImgButton::SetDpiScale(float scale) { impl_->SetDpiScale(scale); }
int ZuImgButton::DpiScale(int value) { return impl_->DpiScale(value); }
BOOL ZuImgButton::MoveWindow(const RECT* rect, BOOL repaint) {
  return impl_->MoveWindow(rect, repaint);
}
BOOL ZuImgButton::EnableWindow(BOOL enable) { return impl_->EnableWindow(enable); }
void ZuImgButton::SetChecked(bool checked) { impl_->SetChecked(checked); }
bool ZuImgButton::IsChecked() { return impl_->IsChecked(); }
void ZuImgButton::RefreshCheckRect() { impl_->RefreshCheckRect(); }
void ZuImgButton::SetCheckBoxCheckLogoGapAndLogoTextGap(int check_logo_gap, int logo_text_gap) {
  impl_->SetCheckBoxCheckLogoGapAndLogoTextGap(check_logo_gap, logo_text_gap);
}
void ZuImgButton::SetCheckBoxLogoImage(Gdiplus::Bitmap* logo, Gdiplus::Bitmap* checked_logo,
                                       int width, int height) {
  impl_->SetCheckBoxLogoImage(logo, checked_logo, width, height);
}
void ZuImgButton::SetTooltip(const wchar_t* text) { impl_->SetTooltip(text); }
void ZuImgButton::resizeWithFixWidth(int width) { impl_->resizeWithFixWidth(width); }

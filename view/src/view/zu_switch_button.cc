#include "view/zu_switch_button.h"

#include "view/internal/controls/bas_switch_button.h"

VIEW_WRAPPER_DEFINITIONS(ZuSwitchButton, BASSwitchButton)

void ZuSwitchButton::SetDpiScale(float scale) { impl_->SetDpiScale(scale); }
int ZuSwitchButton::DpiScale(int value) { return impl_->DpiScale(value); }
void ZuSwitchButton::SetInitVisible(bool visible) { impl_->SetInitVisible(visible); }
HWND ZuSwitchButton::CreateButton(HWND parent, Gdiplus::Font* font, ATL::_U_MENUorID id) {
  return impl_->CreateButton(parent, font, id.m_hMenu);
}
int ZuSwitchButton::Init(int x, int y, const wchar_t* text, COLORREF normal_color,
                         COLORREF normal_text_color, COLORREF pressed_color,
                         COLORREF pressed_text_color) {
  return impl_->Init(x, y, text, normal_color, normal_text_color, pressed_color,
                     pressed_text_color);
}
void ZuSwitchButton::SetText(const wchar_t* text) { impl_->SetText(text); }
void ZuSwitchButton::SetFont(Gdiplus::Font* font) { impl_->SetFont(font); }
ZuSwitchButton& ZuSwitchButton::SetRadio(bool radio) {
  impl_->SetRadio(radio);
  return *this;
}
ZuSwitchButton& ZuSwitchButton::SetHMargin(int margin) {
  impl_->SetHMargin(margin);
  return *this;
}
ZuSwitchButton& ZuSwitchButton::SetVMargin(int margin) {
  impl_->SetVMargin(margin);
  return *this;
}
ZuSwitchButton& ZuSwitchButton::SetColorDisable(COLORREF color, COLORREF text_color) {
  impl_->SetColorDisable(color, text_color);
  return *this;
}
ZuSwitchButton& ZuSwitchButton::SetBackgroundColor(COLORREF color) {
  impl_->SetBackgroundColor(color);
  return *this;
}
ZuSwitchButton& ZuSwitchButton::SetRoundRectPoint(POINT point) {
  impl_->SetRoundRectPoint(point);
  return *this;
}
ZuSwitchButton& ZuSwitchButton::SetRoundRect(bool round) {
  impl_->SetRoundRect(round);
  return *this;
}
ZuSwitchButton& ZuSwitchButton::SetColorBorder(COLORREF color) {
  impl_->SetColorBorder(color);
  return *this;
}
void ZuSwitchButton::ResetStatus() { impl_->ResetStatus(); }
void ZuSwitchButton::SetPressedStatus() { impl_->SetPressedStatus(); }
BOOL ZuSwitchButton::EnableWindow(BOOL enable) { return impl_->EnableWindow(enable); }
BOOL ZuSwitchButton::MoveWindow(const RECT* rect, BOOL repaint) {
  return impl_->MoveWindow(rect, repaint);
}

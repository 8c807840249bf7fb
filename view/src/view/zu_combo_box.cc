#include "view/zu_combo_box.h"

#include "view/internal/bas_combo_box.h"

ZuComboBox::ZuComboBox() : impl_(view::frame::NewImpl<BASComboBox>()) {}

ZuComboBox::ZuComboBox(const ZuComboBox& other) : impl_(view::frame::ShareImpl(other.impl_)) {}

ZuComboBox::~ZuComboBox() { view::frame::ReleaseImpl(impl_); }

ZuComboBox& ZuComboBox::operator=(const ZuComboBox& other) {
  view::frame::AssignImpl(impl_, other.impl_);
  return *this;
}

HWND ZuComboBox::Create(HWND parent, ATL::_U_RECT rect, const wchar_t* windowName, DWORD style,
                        DWORD exStyle, ATL::_U_MENUorID id, void* param) {
  return impl_->Create(parent, rect.m_lpRect, windowName, style, exStyle, id.m_hMenu, param);
}

int ZuComboBox::SetCheck(int index, int check) { return impl_->SetCheck(index, check); }

int ZuComboBox::GetCheck(int index) { return impl_->GetCheck(index); }

void ZuComboBox::SelectAll(int check) { impl_->SelectAll(check); }

ZuComboBox::operator HWND() const { return impl_->m_hWnd; }

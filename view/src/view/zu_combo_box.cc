#include "view/zu_combo_box.h"

#include "view/internal/controls/bas_combo_box.h"

VIEW_WRAPPER_DEFINITIONS(ZuComboBox, BASComboBox)

HWND ZuComboBox::Create(HWND parent, ATL::_U_RECT rect, const wchar_t* windowName, DWORD style,
                        DWORD exStyle, ATL::_U_MENUorID id, void* param) {
  return impl_->Create(parent, rect.m_lpRect, windowName, style, exStyle, id.m_hMenu, param);
}

int ZuComboBox::SetCheck(int index, int check) { return impl_->SetCheck(index, check); }

int ZuComboBox::GetCheck(int index) { return impl_->GetCheck(index); }

void ZuComboBox::SelectAll(int check) { impl_->SelectAll(check); }


#include "view/zu_edit.h"

#include "view/internal/controls/bas_edit.h"

VIEW_WRAPPER_DEFINITIONS(ZuEdit, BASEdit)

HWND ZuEdit::Create(HWND parent, ATL::_U_RECT rect, const wchar_t* name, DWORD style,
                    DWORD exStyle, ATL::_U_MENUorID id, void* createParam) {
  return impl_->Create(parent, rect.m_lpRect, name, style, exStyle, id.m_hMenu, createParam);
}

void ZuEdit::SetReadOnly(int read_only) { impl_->SetReadOnly(read_only); }
void ZuEdit::SetFont(HFONT font) { impl_->SetFont(font); }
void ZuEdit::setTipValue(const wchar_t* tip) { impl_->setTipValue(tip); }
void ZuEdit::setFuncEnterCallback(std::function<void()>& f) { impl_->setFuncEnterCallback(f); }
void ZuEdit::setFuncEnterCallback(const std::function<void()>& f) {
  impl_->setFuncEnterCallback(f);
}

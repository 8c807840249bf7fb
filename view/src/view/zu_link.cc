#include "view/zu_link.h"

#include "view/internal/controls/bas_link.h"

VIEW_WRAPPER_DEFINITIONS(ZuLink, BASLink)

HWND ZuLink::Create(HWND parent, ATL::_U_RECT rect, const wchar_t* name, DWORD style,
                    DWORD exStyle, ATL::_U_MENUorID id, void* createParam) {
  return impl_->Create(parent, rect.m_lpRect, name, style, exStyle, id.m_hMenu, createParam);
}

void ZuLink::SetDrawLinks(bool draw) { impl_->SetDrawLinks(draw); }

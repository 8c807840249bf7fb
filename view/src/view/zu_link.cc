#include "view/zu_link.h"

#include "view/internal/bas_link.h"

ZuLink::ZuLink() : impl_(view::frame::NewImpl<BASLink>()) {}
ZuLink::~ZuLink() { view::frame::ReleaseImpl(impl_); }
ZuLink::ZuLink(const ZuLink& other) : impl_(view::frame::ShareImpl(other.impl_)) {}
ZuLink& ZuLink::operator=(const ZuLink& other) {
  view::frame::AssignImpl(impl_, other.impl_);
  return *this;
}

ZuLink::operator HWND() const { return impl_ != nullptr ? impl_->m_hWnd : nullptr; }

HWND ZuLink::Create(HWND parent, ATL::_U_RECT rect, const wchar_t* name, DWORD style,
                    DWORD exStyle, ATL::_U_MENUorID id, void* createParam) {
  return impl_->Create(parent, rect.m_lpRect, name, style, exStyle, id.m_hMenu, createParam);
}

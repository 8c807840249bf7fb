#include "view/zu_themed_shadow_wnd.h"

#include "view/internal/themed_shadow_wnd.h"

using view::frame::AssignImpl;
using view::frame::NewImpl;
using view::frame::ReleaseImpl;
using view::frame::ShareImpl;

ZuThemedShadowWnd::ZuThemedShadowWnd() : impl_(NewImpl<CThemedShadowWnd>()) {}

ZuThemedShadowWnd::ZuThemedShadowWnd(const ZuThemedShadowWnd& other)
    : impl_(ShareImpl(other.impl_)) {}

ZuThemedShadowWnd::~ZuThemedShadowWnd() { ReleaseImpl(impl_); }

ZuThemedShadowWnd& ZuThemedShadowWnd::operator=(const ZuThemedShadowWnd& other) {
  AssignImpl(impl_, other.impl_);
  return *this;
}

HWND ZuThemedShadowWnd::Create(HWND const parent) { return impl_->Create(parent); }

void ZuThemedShadowWnd::SetThemeParent(HWND parent) { impl_->SetThemeParent(parent); }

void ZuThemedShadowWnd::AdjustWindowPos() { impl_->AdjustWindowPos(); }

void ZuThemedShadowWnd::SetShadowSize(int size) { impl_->SetShadowSize(size); }

void ZuThemedShadowWnd::SetRightOffsetArea(int area) { impl_->SetRightOffsetArea(area); }

void ZuThemedShadowWnd::SetRoundOffset(int y, int x) { impl_->SetRoundOffset(y, x); }

ZuThemedShadowWnd::operator HWND() const { return impl_->m_hWnd; }

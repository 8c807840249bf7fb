#include "view/zu_themed_shadow_wnd.h"

#include "view/internal/controls/themed_shadow_wnd.h"

VIEW_WRAPPER_DEFINITIONS(ZuThemedShadowWnd, CThemedShadowWnd)

HWND ZuThemedShadowWnd::Create(HWND const parent) { return impl_->Create(parent); }

void ZuThemedShadowWnd::SetThemeParent(HWND parent) { impl_->SetThemeParent(parent); }

void ZuThemedShadowWnd::AdjustWindowPos() { impl_->AdjustWindowPos(); }

void ZuThemedShadowWnd::SetShadowSize(int size) { impl_->SetShadowSize(size); }

void ZuThemedShadowWnd::SetRightOffsetArea(int area) { impl_->SetRightOffsetArea(area); }

void ZuThemedShadowWnd::SetRoundOffset(int y, int x) { impl_->SetRoundOffset(y, x); }


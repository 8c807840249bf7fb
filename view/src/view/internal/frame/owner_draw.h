#pragma once

#include "view/internal/frame/scoped.h"
#include "view/internal/frame/window_impl.h"

namespace view::frame {

// The reflected owner-draw requests of a control: T provides
// `void DrawItem(LPDRAWITEMSTRUCT)` and may override MeasureItem.
// A DrawItem that calls SetMsgHandled(false) lets the request fall through to
// the default reflection handler.
template <class T>
class OwnerDraw {
 public:
  bool ProcessOwnerDraw(UINT msg, WPARAM, LPARAM lparam, LRESULT& result) {
    T* self = static_cast<T*>(this);
    switch (msg) {
      case OCM_DRAWITEM_:
        self->SetMsgHandled(true);
        self->DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lparam));
        result = 1;
        return self->IsMsgHandled();
      case OCM_MEASUREITEM_:
        self->SetMsgHandled(true);
        self->MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(lparam));
        result = 1;
        return self->IsMsgHandled();
      case OCM_COMPAREITEM_:
        result = 0;
        return true;
      case OCM_DELETEITEM_:
        result = 1;
        return true;
      default:
        return false;
    }
  }

  void DrawItem(LPDRAWITEMSTRUCT) { static_cast<T*>(this)->SetMsgHandled(false); }

  // A menu item is as tall as a menu bar; anything else as the text of the
  // child with the item's id (the screen's font when there is none).
  void MeasureItem(LPMEASUREITEMSTRUCT mis) {
    if (mis == nullptr) return;
    if (mis->CtlType == ODT_MENU) {
      mis->itemHeight = static_cast<UINT>(GetSystemMetrics(SM_CYMENU));
      return;
    }
    HWND child = GetDlgItem(static_cast<T*>(this)->m_hWnd, static_cast<int>(mis->CtlID));
    const view::frame::ScopedWindowDc dc(child);
    TEXTMETRICW tm = {};
    GetTextMetricsW(dc.get(), &tm);
    mis->itemHeight = static_cast<UINT>(tm.tmHeight);
  }
};

// Custom draw notifications (NM_CUSTOMDRAW) split by the painting stages
// the controls use. T overrides the stages it cares about; every other stage
// answers CDRF_DODEFAULT.
template <class T>
class CustomDraw {
 public:
  DWORD ProcessCustomDraw(NMCUSTOMDRAW* cd) {
    T* self = static_cast<T*>(this);
    if (cd == nullptr) return CDRF_DODEFAULT;
    switch (cd->dwDrawStage) {
      case CDDS_PREPAINT: return self->OnPrePaint(cd);
      case CDDS_POSTPAINT: return self->OnPostPaint(cd);
      case CDDS_ITEMPREPAINT: return self->OnItemPrePaint(cd);
      default: return CDRF_DODEFAULT;
    }
  }
  DWORD OnPrePaint(NMCUSTOMDRAW*) { return CDRF_DODEFAULT; }
  DWORD OnPostPaint(NMCUSTOMDRAW*) { return CDRF_DODEFAULT; }
  DWORD OnItemPrePaint(NMCUSTOMDRAW*) { return CDRF_DODEFAULT; }
};

}  // namespace view::frame

#include "view/internal/controls/bas_link.h"

#include "view/internal/frame/paint_buffers.h"

void BASLink::Paint(HDC dc) {
  RECT client = {};
  if (dc == nullptr || !GetClientRect(m_hWnd, &client)) return;
  view::frame::MemoryDcBuffer buffer(dc, client);
  if (!buffer.ok()) return;
  const COLORREF old = SetBkColor(buffer.dc(), RGB(0, 0, 0));
  if (old != CLR_INVALID) {
    ExtTextOutW(buffer.dc(), 0, 0, ETO_OPAQUE, &client, nullptr, 0, nullptr);
    SetBkColor(buffer.dc(), old);
  }
  buffer.Present();
}

bool BASLink::ProcessWindowMessage(HWND wnd, UINT msg, WPARAM wparam, LPARAM lparam,
                                   LRESULT& result, DWORD) {
  // One painter for the screen and for printing, so that a printed or
  // captured label looks as on screen; erasing stays the platform's.
  if (view::frame::HandlePaintMessage(wnd, msg, wparam, result, [this](HDC dc) { Paint(dc); },
                                      true)) {
    return true;
  }
  return view::frame::DefaultReflectionHandler(wnd, msg, wparam, lparam, result);
}

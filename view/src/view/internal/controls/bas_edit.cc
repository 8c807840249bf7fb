#include "view/internal/controls/bas_edit.h"

void BASEdit::SetReadOnly(int read_only) {
  if (m_hWnd == nullptr) return;
  SendMessageW(m_hWnd, EM_SETREADONLY, static_cast<WPARAM>(read_only), 0);
}

void BASEdit::SetFont(HFONT font) {
  if (m_hWnd == nullptr) return;
  SendMessageW(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void BASEdit::setTipValue(const wchar_t* tip) {
  // A null text is refused, as the platform refuses it: the old tip stays.
  if (m_hWnd == nullptr || tip == nullptr) return;
  SendMessageW(m_hWnd, EM_SETCUEBANNER, TRUE, reinterpret_cast<LPARAM>(tip));
  ReportAccessibleChanges();
}

bool BASEdit::DescribeAccessible(long child, view::frame::AccessibleInfo& info) {
  if (child != CHILDID_SELF) return false;
  info.has_name = true;
  info.name_if_none = true;
  if (info.want_name && m_hWnd != nullptr) {
    wchar_t tip[512] = {};
    SendMessageW(m_hWnd, EM_GETCUEBANNER, reinterpret_cast<WPARAM>(tip),
                 static_cast<LPARAM>(sizeof(tip) / sizeof(tip[0])));
    info.name = tip;
  }
  return true;
}

bool BASEdit::AnswerColor(UINT msg, HDC dc, LRESULT& result) {
  const view::frame::Palette palette = view::frame::CurrentPalette();
  if (palette.kind == view::frame::PaletteKind::kLight) {
    if (msg != view::frame::OCM_CTLCOLOREDIT_) return false;
    // Only the brush: the text colour and text background stay the DC's.
    result = reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
    return true;
  }
  const COLORREF window = palette[view::frame::ColorRole::kWindow];
  SetTextColor(dc, palette[IsWindowEnabled(m_hWnd) ? view::frame::ColorRole::kWindowText
                                                   : view::frame::ColorRole::kDisabledText]);
  SetBkColor(dc, window);
  result = reinterpret_cast<LRESULT>(background_.Get(window));
  return true;
}

std::wstring BASEdit::OwnTip() const {
  if (view::frame::CurrentPaletteKind() == view::frame::PaletteKind::kLight ||
      GetWindowTextLengthW(m_hWnd) != 0) {
    return std::wstring();
  }
  wchar_t tip[512] = {};
  SendMessageW(m_hWnd, EM_GETCUEBANNER, reinterpret_cast<WPARAM>(tip),
               static_cast<LPARAM>(sizeof(tip) / sizeof(tip[0])));
  return tip;
}

void BASEdit::PaintTip(HDC dc, const std::wstring& tip) {
  const view::frame::Palette palette = view::frame::CurrentPalette();
  RECT client = {};
  GetClientRect(m_hWnd, &client);
  view::frame::MemoryDcBuffer buffer(dc, client);
  if (!buffer.ok()) return;
  view::frame::FillSolidRect(buffer.dc(), client, palette[view::frame::ColorRole::kWindow]);
  RECT format = client;
  SendMessageW(m_hWnd, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
  const view::frame::SelectObjectScope font(
      buffer.dc(), follows_dpi() ? font_.painted()
                                 : reinterpret_cast<HGDIOBJ>(SendMessageW(m_hWnd, WM_GETFONT, 0, 0)));
  SetBkMode(buffer.dc(), TRANSPARENT);
  SetTextColor(buffer.dc(), palette[view::frame::ColorRole::kTipText]);
  DrawTextW(buffer.dc(), tip.c_str(), -1, &format, DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
  buffer.Present();
}

bool BASEdit::ProcessWindowMessage(HWND wnd, UINT msg, WPARAM wparam, LPARAM lparam,
                                   LRESULT& result, DWORD) {
  if (font_.Process(*this, msg, wparam, lparam, result)) return true;
  if ((msg == view::frame::OCM_CTLCOLOREDIT_ || msg == view::frame::OCM_CTLCOLORSTATIC_) &&
      AnswerColor(msg, reinterpret_cast<HDC>(wparam), result)) {
    return true;
  }
  if (msg == WM_PAINT || msg == WM_PRINTCLIENT) {
    const std::wstring tip = OwnTip();
    if (!tip.empty()) {
      return view::frame::HandlePaintMessage(wnd, msg, wparam, result,
                                             [&](HDC dc) { PaintTip(dc, tip); });
    }
  }
  if (msg == WM_GETDLGCODE) {
    // In a dialog, Enter comes to the box while it has a callback to run;
    // without one it presses the dialog's default button as usual.
    result = DefWindowProc(msg, wparam, lparam);
    if (enter_callback_ && wparam == VK_RETURN) result |= DLGC_WANTMESSAGE;
    return true;
  }
  if (msg == WM_KEYDOWN && LOWORD(wparam) == VK_RETURN) {
    // A copy runs, so that a callback may replace or clear itself.
    if (enter_callback_) {
      const std::function<void()> callback = enter_callback_;
      callback();
    }
    result = 0;
    return true;
  }
  return view::frame::DefaultReflectionHandler(wnd, msg, wparam, lparam, result);
}

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

bool BASEdit::ProcessWindowMessage(HWND wnd, UINT msg, WPARAM wparam, LPARAM lparam,
                                   LRESULT& result, DWORD) {
  if (msg == view::frame::OCM_CTLCOLOREDIT_) {
    // Only the brush: the text colour and text background stay the DC's.
    result = reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
    return true;
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

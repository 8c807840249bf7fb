#pragma once

// The few window-framework types that view's public signatures use: argument
// adaptors for rectangles, menus/ids and resource names, a thin window handle
// wrapper, geometry classes and a device-context wrapper. They carry the names
// application code written against ATL/WTL expects, and nothing more than the
// library and its users need.

#include "view/platform.h"

#include <utility>

namespace ATL {

// A rectangle argument that accepts a pointer (possibly null) or a reference.
class _U_RECT {
 public:
  _U_RECT(LPRECT rect) : m_lpRect(rect) {}
  _U_RECT(RECT& rect) : m_lpRect(&rect) {}
  LPRECT m_lpRect;
};

// A menu handle or a child-window id packed the way CreateWindowEx expects.
class _U_MENUorID {
 public:
  _U_MENUorID(HMENU menu) : m_hMenu(menu) {}
  _U_MENUorID(UINT id) : m_hMenu(reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id))) {}
  // Plain int ids (and the literal 0) would otherwise be ambiguous.
  _U_MENUorID(int id)
      : m_hMenu(reinterpret_cast<HMENU>(static_cast<UINT_PTR>(static_cast<UINT>(id)))) {}
  HMENU m_hMenu;
};

// A resource name: either a string or a numeric id made with MAKEINTRESOURCE.
class _U_STRINGorID {
 public:
  _U_STRINGorID(LPCWSTR name) : m_lpstr(name) {}
  _U_STRINGorID(UINT id) : m_lpstr(MAKEINTRESOURCEW(id)) {}
  _U_STRINGorID(int id) : m_lpstr(MAKEINTRESOURCEW(id)) {}
  LPCWSTR m_lpstr;
};

// A borrowed window handle with the common window calls as members.
class CWindow {
 public:
  HWND m_hWnd;

  CWindow(HWND wnd = nullptr) : m_hWnd(wnd) {}
  CWindow& operator=(HWND wnd) {
    m_hWnd = wnd;
    return *this;
  }
  operator HWND() const { return m_hWnd; }

  void Attach(HWND wnd) { m_hWnd = wnd; }
  HWND Detach() {
    HWND wnd = m_hWnd;
    m_hWnd = nullptr;
    return wnd;
  }

  BOOL IsWindow() const { return ::IsWindow(m_hWnd); }
  BOOL DestroyWindow() {
    if (!::DestroyWindow(m_hWnd)) return FALSE;
    m_hWnd = nullptr;
    return TRUE;
  }
  HWND GetParent() const { return ::GetParent(m_hWnd); }
  BOOL GetClientRect(LPRECT rect) const { return ::GetClientRect(m_hWnd, rect); }
  BOOL GetWindowRect(LPRECT rect) const { return ::GetWindowRect(m_hWnd, rect); }
  BOOL ScreenToClient(LPPOINT pt) const { return ::ScreenToClient(m_hWnd, pt); }
  BOOL ClientToScreen(LPPOINT pt) const { return ::ClientToScreen(m_hWnd, pt); }
  BOOL Invalidate(BOOL erase = TRUE) { return ::InvalidateRect(m_hWnd, nullptr, erase); }
  BOOL InvalidateRect(const RECT* rect, BOOL erase = TRUE) {
    return ::InvalidateRect(m_hWnd, rect, erase);
  }
  BOOL UpdateWindow() { return ::UpdateWindow(m_hWnd); }
  BOOL ShowWindow(int cmd) { return ::ShowWindow(m_hWnd, cmd); }
  BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
  BOOL EnableWindow(BOOL enable = TRUE) { return ::EnableWindow(m_hWnd, enable); }
  BOOL IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
  BOOL SetWindowPos(HWND after, int x, int y, int cx, int cy, UINT flags) {
    return ::SetWindowPos(m_hWnd, after, x, y, cx, cy, flags);
  }
  BOOL SetWindowPos(HWND after, LPCRECT rect, UINT flags) {
    return ::SetWindowPos(m_hWnd, after, rect->left, rect->top, rect->right - rect->left,
                          rect->bottom - rect->top, flags);
  }
  BOOL MoveWindow(int x, int y, int cx, int cy, BOOL repaint = TRUE) {
    return ::MoveWindow(m_hWnd, x, y, cx, cy, repaint);
  }
  BOOL MoveWindow(LPCRECT rect, BOOL repaint = TRUE) {
    return ::MoveWindow(m_hWnd, rect->left, rect->top, rect->right - rect->left,
                        rect->bottom - rect->top, repaint);
  }
  DWORD GetStyle() const { return static_cast<DWORD>(::GetWindowLongPtrW(m_hWnd, GWL_STYLE)); }
  DWORD GetExStyle() const {
    return static_cast<DWORD>(::GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE));
  }
  int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
  LRESULT SendMessage(UINT msg, WPARAM wparam = 0, LPARAM lparam = 0) const {
    return ::SendMessageW(m_hWnd, msg, wparam, lparam);
  }
  BOOL PostMessage(UINT msg, WPARAM wparam = 0, LPARAM lparam = 0) const {
    return ::PostMessageW(m_hWnd, msg, wparam, lparam);
  }
  void SetFont(HFONT font, BOOL redraw = TRUE) {
    ::SendMessageW(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), MAKELPARAM(redraw, 0));
  }
  HFONT GetFont() const {
    return reinterpret_cast<HFONT>(::SendMessageW(m_hWnd, WM_GETFONT, 0, 0));
  }
  BOOL SetWindowText(LPCWSTR text) { return ::SetWindowTextW(m_hWnd, text); }
  int GetWindowTextLength() const { return ::GetWindowTextLengthW(m_hWnd); }
  HDC GetDC() { return ::GetDC(m_hWnd); }
  int ReleaseDC(HDC dc) { return ::ReleaseDC(m_hWnd, dc); }
  HWND SetCapture() { return ::SetCapture(m_hWnd); }
  HWND SetFocus() { return ::SetFocus(m_hWnd); }
};

}  // namespace ATL

namespace WTL {

class CSize : public SIZE {
 public:
  CSize() { cx = cy = 0; }
  CSize(int x, int y) {
    cx = x;
    cy = y;
  }
  CSize(SIZE size) : SIZE(size) {}
  bool operator==(SIZE other) const { return cx == other.cx && cy == other.cy; }
  bool operator!=(SIZE other) const { return !(*this == other); }
};

class CPoint : public POINT {
 public:
  CPoint() { x = y = 0; }
  CPoint(int px, int py) {
    x = px;
    y = py;
  }
  CPoint(POINT pt) : POINT(pt) {}
  explicit CPoint(LPARAM lparam) {
    // Client coordinates packed in a mouse message: signed 16 bits each.
    x = static_cast<short>(LOWORD(lparam));
    y = static_cast<short>(HIWORD(lparam));
  }
  void Offset(int dx, int dy) {
    x += dx;
    y += dy;
  }
  bool operator==(POINT other) const { return x == other.x && y == other.y; }
  bool operator!=(POINT other) const { return !(*this == other); }
};

class CRect : public RECT {
 public:
  CRect() { left = top = right = bottom = 0; }
  CRect(int l, int t, int r, int b) {
    left = l;
    top = t;
    right = r;
    bottom = b;
  }
  CRect(const RECT& rect) : RECT(rect) {}
  CRect(LPCRECT rect) : RECT(*rect) {}
  CRect(POINT pt, SIZE size) {
    left = pt.x;
    top = pt.y;
    right = pt.x + size.cx;
    bottom = pt.y + size.cy;
  }

  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  CSize Size() const { return CSize(Width(), Height()); }
  CPoint TopLeft() const { return CPoint(left, top); }
  CPoint BottomRight() const { return CPoint(right, bottom); }
  CPoint CenterPoint() const { return CPoint((left + right) / 2, (top + bottom) / 2); }
  bool IsRectEmpty() const { return ::IsRectEmpty(this) != FALSE; }
  bool IsRectNull() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
  bool PtInRect(POINT pt) const { return ::PtInRect(this, pt) != FALSE; }
  void SetRect(int l, int t, int r, int b) { ::SetRect(this, l, t, r, b); }
  void SetRectEmpty() { ::SetRectEmpty(this); }
  void OffsetRect(int dx, int dy) { ::OffsetRect(this, dx, dy); }
  void OffsetRect(POINT pt) { ::OffsetRect(this, pt.x, pt.y); }
  void InflateRect(int dx, int dy) { ::InflateRect(this, dx, dy); }
  void DeflateRect(int dx, int dy) { ::InflateRect(this, -dx, -dy); }
  void DeflateRect(int l, int t, int r, int b) {
    left += l;
    top += t;
    right -= r;
    bottom -= b;
  }
  void NormalizeRect() {
    if (left > right) std::swap(left, right);
    if (top > bottom) std::swap(top, bottom);
  }
  bool IntersectRect(LPCRECT a, LPCRECT b) { return ::IntersectRect(this, a, b) != FALSE; }
  bool UnionRect(LPCRECT a, LPCRECT b) { return ::UnionRect(this, a, b) != FALSE; }
  operator LPRECT() { return this; }
  operator LPCRECT() const { return this; }
  bool operator==(const RECT& other) const { return ::EqualRect(this, &other) != FALSE; }
  bool operator!=(const RECT& other) const { return !(*this == other); }
};

// A device context wrapper. CDCT<true> (CDC) deletes its memory DC when it is
// destroyed; CDCT<false> (CDCHandle) only borrows one.
template <bool t_bManaged>
class CDCT {
 public:
  HDC m_hDC;

  CDCT(HDC dc = nullptr) : m_hDC(dc) {}
  ~CDCT() {
    if (t_bManaged && m_hDC != nullptr) ::DeleteDC(Detach());
  }
  CDCT(const CDCT&) = delete;
  CDCT& operator=(const CDCT&) = delete;
  CDCT& operator=(HDC dc) {
    Attach(dc);
    return *this;
  }
  operator HDC() const { return m_hDC; }
  bool IsNull() const { return m_hDC == nullptr; }

  void Attach(HDC dc) {
    if (t_bManaged && m_hDC != nullptr && m_hDC != dc) ::DeleteDC(m_hDC);
    m_hDC = dc;
  }
  HDC Detach() {
    HDC dc = m_hDC;
    m_hDC = nullptr;
    return dc;
  }

  HDC CreateCompatibleDC(HDC dc = nullptr) {
    Attach(::CreateCompatibleDC(dc));
    return m_hDC;
  }
  HGDIOBJ SelectObject(HGDIOBJ object) { return ::SelectObject(m_hDC, object); }
  HFONT SelectFont(HFONT font) { return static_cast<HFONT>(::SelectObject(m_hDC, font)); }
  HBITMAP SelectBitmap(HBITMAP bitmap) {
    return static_cast<HBITMAP>(::SelectObject(m_hDC, bitmap));
  }
  HBRUSH SelectBrush(HBRUSH brush) { return static_cast<HBRUSH>(::SelectObject(m_hDC, brush)); }
  HPEN SelectPen(HPEN pen) { return static_cast<HPEN>(::SelectObject(m_hDC, pen)); }
  HFONT GetCurrentFont() const {
    return static_cast<HFONT>(::GetCurrentObject(m_hDC, OBJ_FONT));
  }
  int SetBkMode(int mode) { return ::SetBkMode(m_hDC, mode); }
  COLORREF SetTextColor(COLORREF color) { return ::SetTextColor(m_hDC, color); }
  COLORREF SetBkColor(COLORREF color) { return ::SetBkColor(m_hDC, color); }
  BOOL SetViewportOrg(int x, int y, LPPOINT old = nullptr) {
    return ::SetViewportOrgEx(m_hDC, x, y, old);
  }
  int DrawText(LPCWSTR text, int length, LPRECT rect, UINT format) {
    return ::DrawTextW(m_hDC, text, length, rect, format);
  }
  BOOL TextOut(int x, int y, LPCWSTR text, int length) {
    return ::TextOutW(m_hDC, x, y, text, length);
  }
  BOOL GetTextExtent(LPCWSTR text, int length, LPSIZE size) const {
    return ::GetTextExtentPoint32W(m_hDC, text, length, size);
  }
  BOOL GetTextMetrics(LPTEXTMETRICW metrics) const { return ::GetTextMetricsW(m_hDC, metrics); }
  BOOL BitBlt(int x, int y, int cx, int cy, HDC src, int xs, int ys, DWORD rop) {
    return ::BitBlt(m_hDC, x, y, cx, cy, src, xs, ys, rop);
  }
  void FillSolidRect(LPCRECT rect, COLORREF color) {
    COLORREF old = ::SetBkColor(m_hDC, color);
    ::ExtTextOutW(m_hDC, 0, 0, ETO_OPAQUE, rect, nullptr, 0, nullptr);
    ::SetBkColor(m_hDC, old);
  }
  int FillRect(LPCRECT rect, HBRUSH brush) { return ::FillRect(m_hDC, rect, brush); }
  int SaveDC() { return ::SaveDC(m_hDC); }
  BOOL RestoreDC(int saved) { return ::RestoreDC(m_hDC, saved); }
};

typedef CDCT<false> CDCHandle;
typedef CDCT<true> CDC;

}  // namespace WTL

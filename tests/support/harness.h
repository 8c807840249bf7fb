#pragma once

// The test harness: real windows, real input and real pixels on the platform
// the tests run on. Every control test uses these pieces.

#include <climits>
#include <cstdint>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "view/platform.h"

namespace viewtest {

// ---------------------------------------------------------------------------
// Host windows

// A message a host window saw, for comparing sequences.
struct SeenMessage {
  UINT message;
  WPARAM wparam;
  LPARAM lparam;
  UINT code;  // WM_COMMAND: the notification code; WM_NOTIFY: NMHDR::code
  HWND from;  // the control the notification came from, when it names one
};

// A top-level window that holds controls. A reflecting host sends each
// control notification back to the control that caused it as message +
// 0x2000 with the same parameters and returns the control's answer; a
// non-reflecting one leaves them to DefWindowProc. It also runs the work
// items of the main dispatch queue (message 2024). Its client area is
// white.
class HostWindow {
 public:
  explicit HostWindow(bool reflect = true, int client_width = 640, int client_height = 480,
                      int x = 40, int y = 40);
  ~HostWindow();
  HostWindow(const HostWindow&) = delete;
  HostWindow& operator=(const HostWindow&) = delete;

  HWND hwnd() const { return hwnd_; }
  operator HWND() const { return hwnd_; }

  // Notifications and reflected messages seen (WM_COMMAND, WM_NOTIFY,
  // WM_DRAWITEM, WM_CTLCOLOR*, ...). Cleared by ClearSeen().
  const std::vector<SeenMessage>& seen() const { return seen_; }
  void ClearSeen() { seen_.clear(); }
  // How many WM_COMMAND (WM_NOTIFY) notifications with `code` came from `control`.
  int CountCommands(HWND control, UINT code) const { return Count(WM_COMMAND, control, code); }
  int CountNotifies(HWND control, UINT code) const { return Count(WM_NOTIFY, control, code); }

  // Called for every message the host receives before its own handling;
  // return true and set the result to answer it yourself.
  std::function<bool(UINT, WPARAM, LPARAM, LRESULT&)> on_message;

 private:
  int Count(UINT message, HWND control, UINT code) const;
  static LRESULT CALLBACK Proc(HWND wnd, UINT msg, WPARAM wparam, LPARAM lparam);
  LRESULT Handle(UINT msg, WPARAM wparam, LPARAM lparam);

  HWND hwnd_ = nullptr;
  bool reflect_;
  UINT ui_state_ = 0;  // UISF_* flags set
  std::vector<SeenMessage> seen_;
};

// ---------------------------------------------------------------------------
// Message pump

// Dispatches every queued message (posted and sent) until the queue is empty,
// then waits briefly to catch paints and timers that follow.
void PumpUntilIdle();
// A DPI change of the top-level window `top`, as the system sends it and as
// the application passes it on (view::ReflectNotification, whose answer is
// returned), then the queue pumped.
bool SendDpiChange(HWND top, int dpi);
// Dispatches messages for `ms` milliseconds.
void PumpFor(DWORD ms);
// Dispatches messages until `done` returns true or `timeout_ms` passes.
bool PumpUntil(const std::function<bool()>& done, DWORD timeout_ms = 2000);

// ---------------------------------------------------------------------------
// Real input through SendInput (goes through the platform's input queue, so
// capture, hover tracking and clicks behave as for a user)

void MoveMouseTo(HWND wnd, POINT client_pt);
void MouseDown(HWND wnd, POINT client_pt);
void MouseUp(HWND wnd, POINT client_pt);
// Press and release in one SendInput call, then pump.
void Click(HWND wnd, POINT client_pt);
void DoubleClick(HWND wnd, POINT client_pt);
// Moves to `pt` and scrolls the wheel by `delta` (120 per notch).
void Wheel(HWND wnd, POINT client_pt, int delta);
// Key press and release of a virtual key, and typed text.
void PressKey(WORD vk);
void KeyDown(WORD vk);
void KeyUp(WORD vk);
void TypeText(const std::wstring& text);
// Puts a top-level window in front and gives it focus so that input reaches it.
void BringToFront(HWND top_level);

// ---------------------------------------------------------------------------
// Pixels

// 32-bit pixels, 0x00RRGGBB (alpha ignored unless a caller asks for it).
struct Image {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;  // row-major, top row first, 0xAARRGGBB

  bool empty() const { return pixels.empty(); }
  uint32_t At(int x, int y) const;        // 0x00RRGGBB
  uint32_t ArgbAt(int x, int y) const;    // with alpha
  // How many pixels in [x0,x1) x [y0,y1) equal `rgb` (0x00RRGGBB).
  int Count(uint32_t rgb, int x0 = 0, int y0 = 0, int x1 = INT_MAX, int y1 = INT_MAX) const;
  // The bounding box of pixels that differ from `rgb` (within `area`); empty
  // when none.
  RECT BoundsNot(uint32_t rgb, const RECT& area = {0, 0, LONG_MAX, LONG_MAX}) const;
  // The bounding box of the pixels (0x00RRGGBB) that `match` takes.
  RECT Bounds(const std::function<bool(uint32_t)>& match, const RECT& area) const;
};

// 0x00RRGGBB from a COLORREF (0x00BBGGRR).
inline uint32_t Rgb(COLORREF c) {
  return (static_cast<uint32_t>(GetRValue(c)) << 16) | (static_cast<uint32_t>(GetGValue(c)) << 8) |
         GetBValue(c);
}

// What `wnd` shows on screen now (its client area, children included), read
// with BitBlt from its DC.
Image CaptureClient(HWND wnd);
// The pixels of a GDI+ bitmap, alpha kept.
Image FromBitmap(Gdiplus::Bitmap& bitmap);
// The pixels of the `width` x `height` top left of what `dc` draws on.
Image FromDc(HDC dc, int width, int height);

// A memory DC over a white 32-bit bitmap of its own.
struct MemoryCanvas {
  MemoryCanvas(int w, int h) : width(w), height(h) { PatBlt(dc, 0, 0, w, h, WHITENESS); }
  ~MemoryCanvas() {
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
  }
  MemoryCanvas(const MemoryCanvas&) = delete;
  MemoryCanvas& operator=(const MemoryCanvas&) = delete;
  Image Pixels() const { return FromDc(dc, width, height); }

  int width, height;
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateBitmap(width, height, 1, 32, nullptr);
  HGDIOBJ old = SelectObject(dc, bitmap);
};

// A GDI+ bitmap of one colour (0xAARRGGBB; alpha 0xFF when only 0x00RRGGBB is
// given), so that painted pixels can be checked by value.
std::unique_ptr<Gdiplus::Bitmap> SolidBitmap(int width, int height, uint32_t argb);

// Writes `image` into the test-artifacts folder (VIEW_TEST_ARTIFACTS, else
// "test-artifacts") as <name>.png.
void SaveArtifact(const Image& image, const std::string& name);

// ---------------------------------------------------------------------------
// Handles

// The number of live GDI objects of this process, counted exactly by asking
// GetObjectType about every handle value (GetGuiResources is a stub on Wine).
int CountGdiObjects();


// ---------------------------------------------------------------------------
// Windows

// The window's rectangle in its parent's client coordinates.
RECT RectInParent(HWND wnd);
SIZE ClientSize(HWND wnd);
// Fills a standard tree view with one expanded root and `children` items.
void FillStockTree(HWND tree, int children);
// WM_GETTEXT of the window (up to 1023 characters).
std::wstring TextOf(HWND wnd);
// Makes each change in turn after `wnd` has painted and returns the names of
// those after which a repaint shows the same pixels as before: no picture
// kept from before a change may outlive it.
struct NamedChange {
  std::string name;
  std::function<void()> change;
};
std::vector<std::string> ChangesNotRepainted(HWND wnd, const std::vector<NamedChange>& changes);

// A dialog template in memory (DLGTEMPLATE, `style` | DS_SETFONT, Tahoma 8)
// holding one control of every class of the library by name, ids 1.. in
// this order, 40 x 60 units each: the edit, a default image button, the
// list, the tree, a simple combo, a link, two switch buttons (a WS_GROUP),
// a tile, a check-style section, and a section "&Go" starting a group.
// With `standard_classes`, each control is the platform's class the
// library's sits on instead (the dialog's memory baseline).
std::vector<WORD> EveryControlTemplate(DWORD style, bool standard_classes = false);

}  // namespace viewtest

// Whole-value comparison and printing of the platform's geometry structs, so
// that tests compare a rectangle in one check and failures print all of it.
inline bool operator==(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
inline bool operator!=(const RECT& a, const RECT& b) { return !(a == b); }
inline bool operator==(const SIZE& a, const SIZE& b) { return a.cx == b.cx && a.cy == b.cy; }
inline bool operator!=(const SIZE& a, const SIZE& b) { return !(a == b); }
inline bool operator==(const POINT& a, const POINT& b) { return a.x == b.x && a.y == b.y; }
inline bool operator!=(const POINT& a, const POINT& b) { return !(a == b); }
inline void PrintTo(const RECT& r, std::ostream* os) {
  *os << "{" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << "}";
}
inline void PrintTo(const SIZE& s, std::ostream* os) { *os << "{" << s.cx << " x " << s.cy << "}"; }
inline void PrintTo(const POINT& p, std::ostream* os) { *os << "(" << p.x << ", " << p.y << ")"; }

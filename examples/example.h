#pragma once

// What every example shares: GDI+ start-up and shut-down, the top-level
// window (white, with the example's own window procedure) and the message
// loop. Started with `--snapshot <file.png>`, an example paints once, saves
// what its window shows as a PNG and exits: 0 when saved, 3 when the picture
// is a single colour (nothing painted), 4 when it could not be saved.

#include <view/view.h>

#include <cstring>
#include <memory>

namespace example {

// Starts GDI+ for the scope; every bitmap, font and control must be gone
// before it ends.
class GdiplusSession {
 public:
  GdiplusSession() {
    Gdiplus::GdiplusStartupInput input;
    Gdiplus::GdiplusStartup(&token_, &input, nullptr);
  }
  ~GdiplusSession() { Gdiplus::GdiplusShutdown(token_); }
  GdiplusSession(const GdiplusSession&) = delete;
  GdiplusSession& operator=(const GdiplusSession&) = delete;

 private:
  ULONG_PTR token_ = 0;
};

inline void PumpFor(DWORD ms) {
  const DWORD start = GetTickCount();
  MSG msg;
  while (GetTickCount() - start < ms) {
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    Sleep(10);
  }
}

// Saves the screen over `area` as a PNG; returns 0, 3 or 4 as above. Only the
// pixels inside `checked` (screen coordinates) decide whether it is blank.
inline int SaveSnapshot(const RECT& area, const RECT& checked, const char* path) {
  const int width = area.right - area.left, height = area.bottom - area.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
  bool uniform = true;
  const COLORREF first = GetPixel(memory, checked.left - area.left, checked.top - area.top);
  for (int y = checked.top; y < checked.bottom && uniform; ++y) {
    for (int x = checked.left; x < checked.right && uniform; ++x) {
      uniform = GetPixel(memory, x - area.left, y - area.top) == first;
    }
  }
  SelectObject(memory, old);
  int code = uniform ? 3 : 0;
  {
    Gdiplus::Bitmap picture(bitmap, nullptr);
    const CLSID png = {0x557cf406, 0x1a04, 0x11d3, {0x9a, 0x73, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};
    wchar_t wide[MAX_PATH] = {};
    MultiByteToWideChar(CP_UTF8, 0, path, -1, wide, MAX_PATH);
    if (picture.Save(wide, &png, nullptr) != Gdiplus::Ok && code == 0) code = 4;
  }
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return code;
}

// The base of an example's content: it builds its controls in Build(HWND)
// and keeps them (wrappers, bitmaps, fonts) as members. A content may set
// kShadowMargin: the snapshot then also takes that many pixels right of and
// below the window, and only those decide whether it is blank.
struct Content {
  static constexpr int kShadowMargin = 0;
};

// Runs one example: makes the window, lets a `Content` build its controls
// in it, and runs the message loop (or takes the snapshot).
template <class Content>
int Run(int argc, char** argv, const wchar_t* title, int width, int height, WNDPROC proc) {
  const char* snapshot = nullptr;
  for (int i = 1; i + 1 < argc; ++i) {
    if (std::strcmp(argv[i], "--snapshot") == 0) snapshot = argv[i + 1];
  }
  GdiplusSession gdiplus;
  WNDCLASSW wc = {};
  wc.lpfnWndProc = proc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  wc.lpszClassName = L"ViewExample";
  RegisterClassW(&wc);
  const DWORD style = snapshot != nullptr ? WS_POPUP : WS_OVERLAPPEDWINDOW;
  RECT frame = {0, 0, width, height};
  AdjustWindowRect(&frame, style, FALSE);
  HWND wnd = CreateWindowW(L"ViewExample", title, style, 40, 40, frame.right - frame.left,
                           frame.bottom - frame.top, nullptr, nullptr, wc.hInstance, nullptr);
  if (wnd == nullptr) return 1;
  int code = 0;
  {
    auto content = std::make_unique<Content>();
    content->Build(wnd);
    ShowWindow(wnd, SW_SHOW);
    UpdateWindow(wnd);
    if (snapshot != nullptr) {
      PumpFor(800);
      RECT area;
      GetWindowRect(wnd, &area);
      RECT checked = area;
      if constexpr (Content::kShadowMargin > 0) {
        area.right += Content::kShadowMargin;
        area.bottom += Content::kShadowMargin;
        checked = {checked.right, checked.top + Content::kShadowMargin, area.right, area.bottom};
      }
      code = SaveSnapshot(area, checked, snapshot);
      DestroyWindow(wnd);
    } else {
      MSG msg;
      while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
      }
    }
  }  // the controls' wrappers, bitmaps and fonts go before GDI+ stops
  return code;
}

// The parent window procedure of the examples that need nothing else: the
// one line that makes the library's controls work, then the defaults.
inline LRESULT CALLBACK ReflectingProc(HWND wnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  LRESULT result = 0;
  if (view::ReflectNotification(wnd, msg, wparam, lparam, &result)) return result;
  if (msg == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcW(wnd, msg, wparam, lparam);
}

}  // namespace example

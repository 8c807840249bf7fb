#pragma once

#include <utility>

#include "view/platform.h"

namespace view::frame {

// Owns a GDI object (pen, brush, font, bitmap, region) and deletes it.
template <class T>
class ScopedGdiObject {
 public:
  explicit ScopedGdiObject(T object = nullptr) : object_(object) {}
  ~ScopedGdiObject() { reset(); }
  ScopedGdiObject(ScopedGdiObject&& other) noexcept : object_(other.release()) {}
  ScopedGdiObject& operator=(ScopedGdiObject&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  ScopedGdiObject(const ScopedGdiObject&) = delete;
  ScopedGdiObject& operator=(const ScopedGdiObject&) = delete;

  T get() const { return object_; }
  explicit operator bool() const { return object_ != nullptr; }
  T release() { return std::exchange(object_, nullptr); }
  void reset(T object = nullptr) {
    if (object_ != nullptr && object_ != object) ::DeleteObject(object_);
    object_ = object;
  }

 private:
  T object_;
};

// Owns a memory device context (CreateCompatibleDC) and deletes it.
class ScopedHdc {
 public:
  explicit ScopedHdc(HDC dc = nullptr) : dc_(dc) {}
  ~ScopedHdc() {
    if (dc_ != nullptr) ::DeleteDC(dc_);
  }
  ScopedHdc(const ScopedHdc&) = delete;
  ScopedHdc& operator=(const ScopedHdc&) = delete;
  HDC get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }
  void reset(HDC dc = nullptr) {
    if (dc_ != nullptr && dc_ != dc) ::DeleteDC(dc_);
    dc_ = dc;
  }

 private:
  HDC dc_;
};

// A window's device context from GetDC, released on scope exit.
class ScopedWindowDc {
 public:
  explicit ScopedWindowDc(HWND wnd) : wnd_(wnd), dc_(::GetDC(wnd)) {}
  ~ScopedWindowDc() {
    if (dc_ != nullptr) ::ReleaseDC(wnd_, dc_);
  }
  ScopedWindowDc(const ScopedWindowDc&) = delete;
  ScopedWindowDc& operator=(const ScopedWindowDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HWND wnd_;
  HDC dc_;
};

// Selects an object into a DC and selects the previous one back on exit.
class SelectObjectScope {
 public:
  SelectObjectScope(HDC dc, HGDIOBJ object)
      : dc_(dc), old_(object != nullptr ? ::SelectObject(dc, object) : nullptr) {}
  ~SelectObjectScope() {
    if (old_ != nullptr) ::SelectObject(dc_, old_);
  }
  SelectObjectScope(const SelectObjectScope&) = delete;
  SelectObjectScope& operator=(const SelectObjectScope&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// BeginPaint/EndPaint around the painting of a WM_PAINT.
class PaintScope {
 public:
  explicit PaintScope(HWND wnd) : wnd_(wnd) { dc_ = ::BeginPaint(wnd, &ps_); }
  ~PaintScope() { ::EndPaint(wnd_, &ps_); }
  PaintScope(const PaintScope&) = delete;
  PaintScope& operator=(const PaintScope&) = delete;
  HDC dc() const { return dc_; }
  const RECT& paint_rect() const { return ps_.rcPaint; }
  const PAINTSTRUCT& ps() const { return ps_; }

 private:
  HWND wnd_;
  HDC dc_;
  PAINTSTRUCT ps_ = {};
};

// Saves a DC's state and restores it on scope exit.
class SaveDcScope {
 public:
  explicit SaveDcScope(HDC dc) : dc_(dc), saved_(::SaveDC(dc)) {}
  ~SaveDcScope() {
    if (saved_ != 0) ::RestoreDC(dc_, saved_);
  }
  SaveDcScope(const SaveDcScope&) = delete;
  SaveDcScope& operator=(const SaveDcScope&) = delete;

 private:
  HDC dc_;
  int saved_;
};

// Owns a window that a control makes for itself (a tooltip, say) and
// destroys it, unless it is already gone.
class ScopedWindow {
 public:
  explicit ScopedWindow(HWND wnd = nullptr) : wnd_(wnd) {}
  ~ScopedWindow() { reset(); }
  ScopedWindow(const ScopedWindow&) = delete;
  ScopedWindow& operator=(const ScopedWindow&) = delete;
  HWND get() const { return wnd_; }
  explicit operator bool() const { return wnd_ != nullptr; }
  void reset(HWND wnd = nullptr) {
    if (wnd_ != nullptr && wnd_ != wnd && ::IsWindow(wnd_)) ::DestroyWindow(wnd_);
    wnd_ = wnd;
  }

 private:
  HWND wnd_;
};

}  // namespace view::frame

#pragma once

#include <utility>

#include "view/platform.h"

namespace view::frame {

// Owns one value of a handle kind and gives it back on scope exit, on reset
// and on move-assignment; release() hands it over to the caller. Traits says
// what is stored (a handle, or a handle with what is needed to give it
// back), which handle get() yields, whether a value is set, how it is given
// back and, for kinds that are taken from something (a window's DC, a
// selection), how the constructor takes it.
template <class Traits>
class UniqueAny {
 public:
  using Storage = typename Traits::Storage;

  UniqueAny() noexcept : value_() {}
  explicit UniqueAny(Storage value) noexcept : value_(value) {}
  template <class... Args, class T = Traits,
            class = decltype(T::Acquire(std::declval<Args>()...))>
  explicit UniqueAny(Args... args) : value_(Traits::Acquire(args...)) {}
  ~UniqueAny() { reset(); }
  UniqueAny(UniqueAny&& other) noexcept : value_(other.release()) {}
  UniqueAny& operator=(UniqueAny&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  UniqueAny(const UniqueAny&) = delete;
  UniqueAny& operator=(const UniqueAny&) = delete;

  auto get() const { return Traits::Get(value_); }
  const Storage& storage() const { return value_; }
  explicit operator bool() const { return Traits::IsSet(value_); }
  Storage release() { return std::exchange(value_, Storage()); }
  void reset(Storage value = Storage()) {
    Storage old = std::exchange(value_, value);
    if (Traits::IsSet(old) && !Traits::Same(old, value_)) Traits::Close(old);
  }

 private:
  Storage value_;
};

// Traits of a plain handle given back by Close(handle).
template <class T, void (*Close_)(T)>
struct HandleTraits {
  using Storage = T;
  static T Get(T value) { return value; }
  static bool IsSet(T value) { return value != T(); }
  static bool Same(T a, T b) { return a == b; }
  static void Close(T value) { Close_(value); }
};
template <class T, void (*Close)(T)>
using UniqueHandle = UniqueAny<HandleTraits<T, Close>>;

// Traits of a handle stored with the window or DC that gives it back: the
// handle is S's Member, Close_ gives it back, Acquire takes it.
template <class S, class H, H S::*Member, void (*Close_)(const S&), auto Acquire_>
struct PairTraits {
  using Storage = S;
  static constexpr auto Acquire = Acquire_;
  static H Get(const S& value) { return value.*Member; }
  static bool IsSet(const S& value) { return value.*Member != H(); }
  static bool Same(const S& a, const S& b) { return a.*Member == b.*Member; }
  static void Close(const S& value) { Close_(value); }
};

// How each kind is taken and given back; used through the owners below.
namespace detail {

template <class T>
void DeleteGdiObject(T object) {
  ::DeleteObject(object);
}
inline void DeleteMemoryDc(HDC dc) { ::DeleteDC(dc); }
inline void DestroyLiveWindow(HWND wnd) {
  if (::IsWindow(wnd)) ::DestroyWindow(wnd);
}

struct WindowDc { HWND wnd; HDC dc; };
inline void ReleaseWindowDc(const WindowDc& value) { ::ReleaseDC(value.wnd, value.dc); }
inline WindowDc GetWindowDc(HWND wnd) { return {wnd, ::GetDC(wnd)}; }

struct Selection { HDC dc; HGDIOBJ previous; };
inline void SelectPrevious(const Selection& value) { ::SelectObject(value.dc, value.previous); }
// Selects `object`; nothing when it is null.
inline Selection SelectInto(HDC dc, HGDIOBJ object) {
  return {dc, object != nullptr ? ::SelectObject(dc, object) : nullptr};
}

struct SavedDc { HDC dc; int saved; };
inline void RestoreSavedDc(const SavedDc& value) { ::RestoreDC(value.dc, value.saved); }
inline SavedDc SaveDcState(HDC dc) { return {dc, ::SaveDC(dc)}; }

struct Painting { HWND wnd; PAINTSTRUCT ps; HDC dc; };
inline void EndPainting(const Painting& value) { ::EndPaint(value.wnd, &value.ps); }
inline Painting BeginPainting(HWND wnd) {
  Painting painting = {wnd, {}, nullptr};
  painting.dc = ::BeginPaint(wnd, &painting.ps);
  return painting;
}

}  // namespace detail

// A GDI object (pen, brush, font, bitmap, region), deleted.
template <class T>
using ScopedGdiObject = UniqueHandle<T, &detail::DeleteGdiObject<T>>;
using ScopedBitmap = ScopedGdiObject<HBITMAP>;
using ScopedBrush = ScopedGdiObject<HBRUSH>;
using ScopedPen = ScopedGdiObject<HPEN>;
// A memory device context (CreateCompatibleDC), deleted.
using ScopedHdc = UniqueHandle<HDC, &detail::DeleteMemoryDc>;
// A window the control made for itself (a tooltip), destroyed unless gone.
using ScopedWindow = UniqueHandle<HWND, &detail::DestroyLiveWindow>;
// A window's device context from GetDC, released to its window.
using ScopedWindowDc =
    UniqueAny<PairTraits<detail::WindowDc, HDC, &detail::WindowDc::dc, &detail::ReleaseWindowDc, &detail::GetWindowDc>>;
// An object selected into a DC; the previous one is selected back.
using SelectObjectScope =
    UniqueAny<PairTraits<detail::Selection, HGDIOBJ, &detail::Selection::previous, &detail::SelectPrevious, &detail::SelectInto>>;
// A DC's saved state (SaveDC), restored.
using SaveDcScope =
    UniqueAny<PairTraits<detail::SavedDc, int, &detail::SavedDc::saved, &detail::RestoreSavedDc, &detail::SaveDcState>>;
// BeginPaint's DC, given back with EndPaint.
using PaintScope =
    UniqueAny<PairTraits<detail::Painting, HDC, &detail::Painting::dc, &detail::EndPainting, &detail::BeginPainting>>;
inline ScopedHdc CreateMemoryDc(HDC compatible) {
  return ScopedHdc(::CreateCompatibleDC(compatible));
}

}  // namespace view::frame

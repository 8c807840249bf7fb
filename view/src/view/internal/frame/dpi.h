#pragma once

#include <memory>

#include "view/internal/frame/scoped.h"
#include "view/platform.h"

namespace view::frame {

class WindowImpl;

// A length in logical pixels as device pixels: (float)v x factor in single
// precision; the int form truncates toward zero (15 at 1.5 -> 22, -3 -> -4).
inline float DpiScaleFloat(int v, float factor) { return static_cast<float>(v) * factor; }
inline int DpiScaleInt(int v, float factor) { return static_cast<int>(DpiScaleFloat(v, factor)); }

// ---- Per-monitor DPI (view::DpiMode::kPerMonitor) ----------------------------

// The messages of a DPI change (Windows 8.1 and 10 1703; the headers name
// them only for newer targets than this library's).
constexpr UINT kWmDpiChanged = 0x02E0;
constexpr UINT kWmDpiChangedAfterParent = 0x02E3;

// A factor kept within 1x..8x; NaN, zero and negative give 1x.
float ClampDpiFactor(float factor);
// The factor of a DPI (96 is 1x), clamped as above.
float DpiFactorOf(int dpi);
// The factor of the window's DPI: GetDpiForWindow where the system has it,
// else the system DPI (or the DPI a test set), clamped.
float WindowDpiFactor(HWND wnd);
// A test's stand-in for the system's answer; 0 to ask the system again.
void SetWindowDpiForTesting(int dpi);

// Whether controls created now follow the DPI of their window.
bool PerMonitorDpi();
// The factor a control created in `parent` starts with: the application's
// `app_factor` in the application mode, else the factor of `parent`'s DPI.
float CreationDpiFactor(HWND parent, float app_factor);

// A length that was `px` at factor `from`, at factor `to`: the logical
// length (the smallest whose scaled form is px) scaled again, so that a
// length scaled from logical pixels comes back to itself whatever the
// factors it went through. `from == to` keeps px.
int RescaleLength(int px, float from, float to);
// RescaleLength on each of a control's lengths (margins, gaps, a corner's
// radii) in place.
template <class... Lengths>
void RescaleLengths(float from, float to, Lengths&... lengths) {
  ((lengths = static_cast<Lengths>(RescaleLength(static_cast<int>(lengths), from, to))), ...);
}

// The image to draw in place of `image` drawn `width` pixels wide: its
// registered variant (view::RegisterImageVariant) of the nearest scale at
// or above width / its width, else `image` itself.
Gdiplus::Image* ImageVariantFor(Gdiplus::Image* image, int width);
// A count that every registration or removal of variants advances, so that
// a control can tell that what it kept was drawn from art since replaced.
unsigned ImageVariantsGeneration();

// The message (registered once) that tells a control of the library that its
// window's DPI is now wParam; the frame answers it with OnDpiChanged.
UINT DpiChangedMessage();
// Sends it to every window of the library below `top`.
void SendDpiChanged(HWND top, int dpi);

// The font a control paints with for an application's font made for 96 DPI:
// the font itself at 1x, else a copy at factor x its size (same family,
// style and unit), taken again when the font or the factor changes. Falls
// back to the given font when no copy can be made. Copies are shared: every
// control that scales the same font to the same factor holds the same copy
// (a dialog of 200 buttons in one font makes one), freed with the last
// holder.
class ScaledFont {
 public:
  Gdiplus::Font* Get(Gdiplus::Font* given, float factor);
  // Lets the copy go.
  void Reset();

 private:
  Gdiplus::Font* source_ = nullptr;
  float factor_ = 1.0f;
  std::shared_ptr<Gdiplus::Font> copy_;
};

// The same for a GDI font: a copy made from its LOGFONT with the height and
// width scaled (a font of the default height, 0, is kept as it is), shared
// in the same way and deleted with its last holder.
class ScaledHFont {
 public:
  HFONT Get(HFONT given, float factor);
  // Lets the copy go.
  void Reset();

 private:
  HFONT source_ = nullptr;
  float factor_ = 1.0f;
  std::shared_ptr<HFONT__> copy_;
};

// The font of a standard control (a list, an edit, a combo box, a link)
// that follows its window's DPI. The font the application gives
// (WM_SETFONT; until it gives one, a copy of the class's own default font,
// else the stock `fallback` font itself) stays the application's and is what
// WM_GETFONT answers; the standard class paints with a copy at the factor.
// Does nothing for a control made in the application mode.
class FollowedFont {
 public:
  explicit FollowedFont(int fallback) : fallback_(fallback) {}
  // WM_CREATE (the factor of the new window, the font given after the
  // standard class made itself), WM_SETFONT and WM_GETFONT; true when
  // answered here.
  bool Process(WindowImpl& control, UINT msg, WPARAM wparam, LPARAM lparam, LRESULT& result);
  // A DPI change: the standard class gets the font at `factor`, redrawn.
  void Rescale(WindowImpl& control, float factor);
  // The font the standard class paints with.
  HFONT painted() { return copy_.Get(given_ != nullptr ? given_ : base_, factor_); }
  float factor() const { return factor_; }

 private:
  void Apply(WindowImpl& control, BOOL redraw);
  int fallback_;
  ScopedGdiObject<HFONT> default_;  // a copy of the class's own font
  HFONT base_ = nullptr;  // the font for 96 DPI until one is given
  HFONT given_ = nullptr;  // borrowed from the application
  float factor_ = 1.0f;
  ScaledHFont copy_;
};

// The font of the tooltip a control shows, at the control's factor: the
// tooltip's own font (made for 96 DPI) copied once, and scaled copies of it,
// all owned here and kept while the control lives (a tooltip may keep using
// the font it was given).
class TooltipFont {
 public:
  void Apply(HWND tooltip, float factor);

 private:
  ScopedGdiObject<HFONT> own_;  // a copy of the tooltip's own font
  HFONT base_ = nullptr;
  ScaledHFont scaled_;
};

// The font a standard window is drawn in for 96 DPI until it is given one:
// a copy of its class's own font `own` (which goes with its window), kept
// in `copy`; else the stock `fallback` font itself, borrowed (it lives as
// long as the process), so that its copies at a factor are shared by every
// window that falls back on it. Null when the own font cannot be read.
HFONT BaseFontOf(HFONT own, int fallback, ScopedGdiObject<HFONT>& copy);

}  // namespace view::frame

#include "view/internal/frame/contrast.h"

#include <atomic>

#include "view/button_status.h"

namespace view::frame {

namespace {
std::atomic<int> g_high_contrast_override{-1};
}  // namespace

SystemColors SystemColors::Current() {
  return {GetSysColor(COLOR_BTNFACE),       GetSysColor(COLOR_BTNTEXT),
          GetSysColor(COLOR_HIGHLIGHT),     GetSysColor(COLOR_HIGHLIGHTTEXT),
          GetSysColor(COLOR_GRAYTEXT),      GetSysColor(COLOR_WINDOW),
          GetSysColor(COLOR_WINDOWTEXT)};
}

COLORREF ContrastColor(ColorRole role, COLORREF app, bool high_contrast,
                       const SystemColors& system) {
  if (!high_contrast) return app;
  switch (role) {
    case ColorRole::kFace: return system.face;
    case ColorRole::kText: return system.text;
    case ColorRole::kChosenFace: return system.highlight;
    case ColorRole::kChosenText: return system.highlight_text;
    case ColorRole::kDisabledText: return system.gray_text;
    case ColorRole::kWindow: return system.window;
    case ColorRole::kWindowText: return system.window_text;
  }
  return app;
}

ColorRole FaceRole(int status) {
  return status == kStatusPressed || status == kStatusHover ? ColorRole::kChosenFace
                                                            : ColorRole::kFace;
}

ColorRole TextRole(int status) {
  if (status == kStatusPressed || status == kStatusHover) return ColorRole::kChosenText;
  return status == kStatusDisable ? ColorRole::kDisabledText : ColorRole::kText;
}

bool HighContrastOn() {
  const int forced = g_high_contrast_override.load();
  if (forced >= 0) return forced != 0;
  HIGHCONTRASTW hc = {};
  hc.cbSize = sizeof(hc);
  return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(hc), &hc, 0) != FALSE &&
         (hc.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

void SetHighContrastForTesting(int on) { g_high_contrast_override = on; }

COLORREF PaintColor(ColorRole role, COLORREF app) {
  const bool on = HighContrastOn();
  return on ? ContrastColor(role, app, true, SystemColors::Current()) : app;
}

}  // namespace view::frame

#pragma once

#include "view/export.h"

namespace Gdiplus {
class Bitmap;
}

namespace view {

// How the controls size themselves for the screen's DPI.
//
// kApplication (the default): each control takes the factor the application
// gives it (SetDpiScale, 1.0 unless set) and the library never asks the
// system; fonts and images are used as given.
//
// kPerMonitor: a control takes its factor from the DPI of the window it is
// created in (GetDpiForWindow, else the system DPI), divided by 96 and kept
// within 1x to 8x, and follows the window when its DPI changes: the
// top-level window's WM_DPICHANGED, passed through view::ReflectNotification,
// rescales every control of the library below it to LOWORD(wParam) / 96, and
// a child that gets WM_DPICHANGED_AFTERPARENT takes its window's DPI again.
// Fonts the application gave for 96 DPI are drawn from copies made at the
// factor (owned by the control), and images given for 96 DPI are drawn at
// factor x their size unless a sharper variant is registered.
//
// The mode is process-wide and read when a control is created: switching it
// changes only the controls created afterwards. Call from the UI thread.
enum class DpiMode { kApplication, kPerMonitor };

// Sets the mode; a value outside the enum is ignored.
VIEW_API void SetDpiMode(DpiMode mode);
VIEW_API DpiMode GetDpiMode();

// Sharper art for an image the application gives at its 96-DPI size:
// `variant` is made for `scale` (1.5, 2.0, ...). Wherever a control draws
// `base` at some factor, in either mode, it draws the variant of the nearest
// scale at or above that factor instead (the base itself counts as 1x; the
// largest variant when none is that large), scaled to the same place.
// Both bitmaps stay the application's. A second variant for the same scale
// replaces the first. Returns false, registering nothing, for a null base
// or variant or a scale that is not above 0.
//
// Controls draw the new art at their next paint: buttons that keep painted
// faces drop them at a registration. The application calls
// UnregisterImageVariants(base) before it deletes the base or any of its
// variants. Call both from the UI thread.
VIEW_API bool RegisterImageVariant(Gdiplus::Bitmap* base, Gdiplus::Bitmap* variant, float scale);
VIEW_API void UnregisterImageVariants(Gdiplus::Bitmap* base);

}  // namespace view

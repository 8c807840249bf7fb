#pragma once

#include "view/export.h"

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

}  // namespace view

#pragma once

#include "view/export.h"

namespace view {

// The colours the controls paint with. kLight is every control's own default
// colours, exactly as without this call; kDark is a dark palette; kSystem
// follows the user's app mode (the "AppsUseLightTheme" value under
// HKCU\Software\Microsoft\Windows\CurrentVersion\Themes\Personalize; missing
// or not a DWORD: light).
//
// High contrast, while the user has it on, wins over all three: the controls
// then paint with the system colours.
//
// A colour the application set through a setter (or gave to an Init call)
// that differs from the control's default is the application's design: it
// is kept in light and dark, and replaced only in high contrast.
//
// Switching repaints every control of the library in the process. With
// kSystem, a change of the user's app mode reaches the controls through the
// top-level window's WM_SETTINGCHANGE ("ImmersiveColorSet"), which
// view::ReflectNotification reads on its way (it still returns false, so the
// application handles the message as before). Call from the UI thread.
enum class Theme { kLight, kDark, kSystem };

// Sets the theme; a value outside the enum is ignored.
VIEW_API void SetTheme(Theme theme);
VIEW_API Theme GetTheme();
// Whether the controls use the dark palette now: kDark, or kSystem while the
// user's app mode is dark (high contrast aside).
VIEW_API bool IsDarkTheme();

}  // namespace view

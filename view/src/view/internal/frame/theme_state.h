#pragma once

#include "view/platform.h"

namespace view::frame {

// A top-level window's WM_SETTINGCHANGE, passed on by the reflection helper:
// the user's app mode ("ImmersiveColorSet") is read again while the theme
// follows the system, and the controls repaint when their palette changed
// (always after a high-contrast switch, whose system colours change too).
void OnSettingChange(WPARAM wparam, LPARAM lparam);

}  // namespace view::frame

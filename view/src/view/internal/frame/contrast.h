#pragma once

#include "view/platform.h"

namespace view::frame {

// What a colour is for in a control's face. While high contrast is on, the
// controls paint every colour with the system colour of its role instead of
// the application's, so that the user's chosen scheme holds.
enum class ColorRole {
  kFace,          // a button's surface: COLOR_BTNFACE
  kText,          // text and outlines on it: COLOR_BTNTEXT
  kChosenFace,    // a pressed, hovered or latched surface: COLOR_HIGHLIGHT
  kChosenText,    // text on it: COLOR_HIGHLIGHTTEXT
  kDisabledText,  // text of a disabled control: COLOR_GRAYTEXT
  kWindow,        // what surrounds a control's shape: COLOR_WINDOW
  kWindowText,    // text on that: COLOR_WINDOWTEXT
};

// The system colours the roles map to, read together.
struct SystemColors {
  COLORREF face, text, highlight, highlight_text, gray_text, window, window_text;
  static SystemColors Current();
};

// The colour to paint `role` with: `app` while high contrast is off, the
// role's system colour while it is on.
COLORREF ContrastColor(ColorRole role, COLORREF app, bool high_contrast,
                       const SystemColors& system);

// Whether high contrast is on (SPI_GETHIGHCONTRAST), unless a test has set
// it with SetHighContrastForTesting.
bool HighContrastOn();
// 1 or 0 to have HighContrastOn answer that; -1 to ask the system again.
void SetHighContrastForTesting(int on);

// The roles of a button's surface and text in a ButtonStatus: a pressed or
// hovered surface is a chosen one; a disabled button's text is grey.
ColorRole FaceRole(int status);
ColorRole TextRole(int status);

// ContrastColor with the current state and system colours.
COLORREF PaintColor(ColorRole role, COLORREF app);

}  // namespace view::frame

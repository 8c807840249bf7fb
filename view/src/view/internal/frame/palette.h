#pragma once

#include "view/platform.h"

namespace view::frame {

// What a colour is for in a control. Every colour a control paints is named
// by its role; the palette in use gives the colour of each role.
enum class ColorRole {
  kFace,           // a button's surface
  kText,           // text and outlines on it
  kChosenFace,     // a pressed, hovered or latched surface
  kChosenText,     // text on it
  kDisabledText,   // text of a disabled control
  kWindow,         // what surrounds a control's shape; a list's or tree's background
  kWindowText,     // text on that
  kBorder,         // a control's outline
  kChecked,        // a ticked check box's fill
  kDisabledFace,   // a disabled control's surface
  kSelection,      // a selected row
  kSelectionText,  // text on it
  kHover,          // a row under the pointer
  kStripe,         // every other row of a striped list
  kGrid,           // lines between rows and cells
  kHeader,         // a list header's surface
  kHeaderText,     // text on it
  kLink,           // a link's text
  kLinkHover,      // a link under the pointer
  kTipText,        // an empty edit box's tip
  kShadow,         // a drop shadow
  kCount
};
constexpr int kColorRoles = static_cast<int>(ColorRole::kCount);

enum class PaletteKind { kLight, kDark, kHighContrast };

// The colour of every role in one palette.
struct Palette {
  PaletteKind kind = PaletteKind::kLight;
  COLORREF colors[kColorRoles] = {};
  // How dark a drop shadow is at its strongest, 0-255.
  int shadow_strength = 255;

  COLORREF operator[](ColorRole role) const { return colors[static_cast<int>(role)]; }
};

// The system colours high contrast maps the roles to, read together.
struct SystemColors {
  COLORREF face, text, highlight, highlight_text, gray_text, window, window_text;
  COLORREF hotlight = 0;
  static SystemColors Current();
};

// Light: the colours the controls have by default (where a control has a
// default of its own, that one: light is exactly the controls' own look).
const Palette& LightPalette();
const Palette& DarkPalette();
// High contrast: each role's system colour.
Palette HighContrastPalette(const SystemColors& system);

// The palette the controls paint with now: high contrast while it is on,
// else dark or light as the application's theme says.
PaletteKind CurrentPaletteKind();
Palette CurrentPalette();

// The colour to paint a control's colour `value` of `role` with, whose
// default is `light_default`: in light `value`; in dark `value` when the
// application chose it (it differs from the default), else the dark
// palette's; in high contrast always the palette's.
COLORREF ThemeColor(ColorRole role, COLORREF value, COLORREF light_default,
                    const Palette& palette);
// The same with the current palette.
COLORREF PaintColor(ColorRole role, COLORREF value, COLORREF light_default);
// An application's colour (one with no default, like a border it asked
// for): kept in light and dark, the role's system colour in high contrast.
COLORREF PaintColor(ColorRole role, COLORREF app);
// Whether dark text reads better than light text on `background` (its
// relative luminance above 0.179, where black and white contrast equally).
bool IsLightColor(COLORREF background);
// The palette whose text reads on a background the application chose: the
// light palette on a light colour while `palette` is dark, else `palette`.
const Palette& PaletteForBackground(const Palette& palette, COLORREF background);

// The current palette's colour of `role`.
COLORREF PaletteColor(ColorRole role);

// ThemeColor for the first seven roles with high contrast given.
COLORREF ContrastColor(ColorRole role, COLORREF app, bool high_contrast,
                       const SystemColors& system);

// Whether high contrast is on (SPI_GETHIGHCONTRAST), unless a test has set
// it with SetHighContrastForTesting.
bool HighContrastOn();
// 1 or 0 to have HighContrastOn answer that; -1 to ask the system again.
void SetHighContrastForTesting(int on);
// Whether the application's theme asks for the dark palette (view::IsDarkTheme).
bool DarkThemeOn();

// The roles of a button's surface and text in a ButtonStatus: a pressed or
// hovered surface is a chosen one; a disabled button's text is grey.
ColorRole FaceRole(int status);
ColorRole TextRole(int status);

// The message every window of the library gets when the palette changes
// (registered once); the frame answers it with OnPaletteChanged.
UINT PaletteChangedMessage();
// Sends it to every window of the library in this process.
void BroadcastPaletteChanged();

}  // namespace view::frame

#include "view/internal/frame/palette.h"

#include <atomic>
#include <cmath>

#include "view/button_status.h"
#include "view/internal/frame/window_impl.h"

namespace view::frame {

namespace {
std::atomic<int> g_high_contrast_override{-1};

Palette MakePalette(PaletteKind kind, std::initializer_list<std::pair<ColorRole, COLORREF>> list,
                    int shadow_strength) {
  Palette palette;
  palette.kind = kind;
  palette.shadow_strength = shadow_strength;
  for (const auto& [role, color] : list) palette.colors[static_cast<int>(role)] = color;
  return palette;
}

BOOL CALLBACK SendPaletteChangedBelow(HWND top, LPARAM) {
  DWORD process = 0;
  ::GetWindowThreadProcessId(top, &process);
  if (process != ::GetCurrentProcessId()) return TRUE;
  if (IsLibraryWindow(top)) ::SendMessageW(top, PaletteChangedMessage(), 0, 0);
  SendToLibraryChildren(top, PaletteChangedMessage(), 0);
  return TRUE;
}

}  // namespace

SystemColors SystemColors::Current() {
  return {GetSysColor(COLOR_BTNFACE),   GetSysColor(COLOR_BTNTEXT),
          GetSysColor(COLOR_HIGHLIGHT), GetSysColor(COLOR_HIGHLIGHTTEXT),
          GetSysColor(COLOR_GRAYTEXT),  GetSysColor(COLOR_WINDOW),
          GetSysColor(COLOR_WINDOWTEXT), GetSysColor(COLOR_HOTLIGHT)};
}

namespace {

// Every role's colour in light and in dark. Light is the colours the
// controls have by default.
struct RoleColors {
  ColorRole role;
  COLORREF light, dark;
};
constexpr RoleColors kRoleColors[] = {
    {ColorRole::kFace, RGB(0xFF, 0xFF, 0xFF), RGB(0x2B, 0x2B, 0x2B)},
    {ColorRole::kText, RGB(0, 0, 0), RGB(0xF0, 0xF0, 0xF0)},
    {ColorRole::kChosenFace, RGB(0xFF, 0xFF, 0xFF), RGB(0x3D, 0x3D, 0x3D)},
    {ColorRole::kChosenText, RGB(0, 0, 0), RGB(0xFF, 0xFF, 0xFF)},
    {ColorRole::kDisabledText, RGB(0x78, 0x78, 0x78), RGB(0x80, 0x80, 0x80)},
    {ColorRole::kWindow, RGB(0xFF, 0xFF, 0xFF), RGB(0x20, 0x20, 0x20)},
    {ColorRole::kWindowText, RGB(0, 0, 0), RGB(0xF0, 0xF0, 0xF0)},
    {ColorRole::kBorder, RGB(0x80, 0x88, 0x96), RGB(0x8A, 0x8A, 0x8A)},
    {ColorRole::kChecked, RGB(0x2B, 0x57, 0x9A), RGB(0x5A, 0xA0, 0xE6)},
    {ColorRole::kDisabledFace, RGB(0x7F, 0x7F, 0x7F), RGB(0x3A, 0x3A, 0x3A)},
    {ColorRole::kSelection, RGB(0xA1, 0xDB, 0xEE), RGB(0x26, 0x4F, 0x78)},
    {ColorRole::kSelectionText, RGB(0, 0, 0), RGB(0xFF, 0xFF, 0xFF)},
    {ColorRole::kHover, RGB(0xCD, 0xEC, 0xF5), RGB(0x33, 0x33, 0x33)},
    {ColorRole::kStripe, RGB(0xFA, 0xFA, 0xFA), RGB(0x27, 0x27, 0x27)},
    {ColorRole::kGrid, RGB(0xDC, 0xDC, 0xDC), RGB(0x45, 0x45, 0x45)},
    {ColorRole::kHeader, RGB(0xF0, 0xF0, 0xF0), RGB(0x2B, 0x2B, 0x2B)},
    {ColorRole::kHeaderText, RGB(0, 0, 0), RGB(0xF0, 0xF0, 0xF0)},
    {ColorRole::kLink, RGB(0x00, 0x66, 0xCC), RGB(0x6C, 0xB4, 0xFF)},
    {ColorRole::kLinkHover, RGB(0x00, 0x4C, 0x99), RGB(0x99, 0xCC, 0xFF)},
    {ColorRole::kTipText, RGB(0x6D, 0x6D, 0x6D), RGB(0x9A, 0x9A, 0x9A)},
    {ColorRole::kShadow, RGB(0, 0, 0), RGB(0, 0, 0)},
};

Palette TablePalette(PaletteKind kind, int shadow_strength) {
  Palette palette;
  palette.kind = kind;
  palette.shadow_strength = shadow_strength;
  for (const RoleColors& row : kRoleColors) {
    palette.colors[static_cast<int>(row.role)] = kind == PaletteKind::kDark ? row.dark : row.light;
  }
  return palette;
}

}  // namespace

const Palette& LightPalette() {
  static const Palette palette = TablePalette(PaletteKind::kLight, 255);
  return palette;
}

const Palette& DarkPalette() {
  // On a dark desktop a full-strength shadow reads as a hard black band.
  static const Palette palette = TablePalette(PaletteKind::kDark, 150);
  return palette;
}

Palette HighContrastPalette(const SystemColors& s) {
  using R = ColorRole;
  return MakePalette(
      PaletteKind::kHighContrast,
      {{R::kFace, s.face},            {R::kText, s.text},
       {R::kChosenFace, s.highlight}, {R::kChosenText, s.highlight_text},
       {R::kDisabledText, s.gray_text}, {R::kWindow, s.window},
       {R::kWindowText, s.window_text}, {R::kBorder, s.text},
       {R::kChecked, s.highlight},    {R::kDisabledFace, s.face},
       {R::kSelection, s.highlight},  {R::kSelectionText, s.highlight_text},
       {R::kHover, s.window},         {R::kStripe, s.window},
       {R::kGrid, s.gray_text},       {R::kHeader, s.face},
       {R::kHeaderText, s.text},      {R::kLink, s.hotlight},
       {R::kLinkHover, s.hotlight},   {R::kTipText, s.gray_text},
       {R::kShadow, s.window_text}},
      255);
}

PaletteKind CurrentPaletteKind() {
  if (HighContrastOn()) return PaletteKind::kHighContrast;
  return DarkThemeOn() ? PaletteKind::kDark : PaletteKind::kLight;
}

Palette CurrentPalette() {
  switch (CurrentPaletteKind()) {
    case PaletteKind::kHighContrast: return HighContrastPalette(SystemColors::Current());
    case PaletteKind::kDark: return DarkPalette();
    default: return LightPalette();
  }
}

COLORREF ThemeColor(ColorRole role, COLORREF value, COLORREF light_default,
                    const Palette& palette) {
  switch (palette.kind) {
    case PaletteKind::kHighContrast: return palette[role];
    case PaletteKind::kDark: return value != light_default ? value : palette[role];
    default: return value;
  }
}

COLORREF PaintColor(ColorRole role, COLORREF value, COLORREF light_default) {
  const PaletteKind kind = CurrentPaletteKind();
  if (kind == PaletteKind::kLight) return value;
  return ThemeColor(role, value, light_default, CurrentPalette());
}

COLORREF PaintColor(ColorRole role, COLORREF app) {
  return HighContrastOn() ? HighContrastPalette(SystemColors::Current())[role] : app;
}

bool IsLightColor(COLORREF c) {
  auto linear = [](int v) {
    const double s = v / 255.0;
    return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * linear(GetRValue(c)) + 0.7152 * linear(GetGValue(c)) +
             0.0722 * linear(GetBValue(c)) >
         0.179;
}

const Palette& PaletteForBackground(const Palette& palette, COLORREF background) {
  return palette.kind == PaletteKind::kDark && IsLightColor(background) ? LightPalette() : palette;
}

COLORREF PaletteColor(ColorRole role) { return CurrentPalette()[role]; }

COLORREF ContrastColor(ColorRole role, COLORREF app, bool high_contrast,
                       const SystemColors& system) {
  return high_contrast ? HighContrastPalette(system)[role] : app;
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

UINT PaletteChangedMessage() {
  static const UINT message = ::RegisterWindowMessageW(L"view.PaletteChanged");
  return message;
}

void BroadcastPaletteChanged() { ::EnumWindows(SendPaletteChangedBelow, 0); }

}  // namespace view::frame

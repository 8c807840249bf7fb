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

BOOL CALLBACK SendPaletteChanged(HWND wnd, LPARAM) {
  if (IsLibraryWindow(wnd)) ::SendMessageW(wnd, PaletteChangedMessage(), 0, 0);
  return TRUE;
}

BOOL CALLBACK SendPaletteChangedBelow(HWND top, LPARAM) {
  DWORD process = 0;
  ::GetWindowThreadProcessId(top, &process);
  if (process != ::GetCurrentProcessId()) return TRUE;
  SendPaletteChanged(top, 0);
  ::EnumChildWindows(top, SendPaletteChanged, 0);
  return TRUE;
}
}  // namespace

SystemColors SystemColors::Current() {
  return {GetSysColor(COLOR_BTNFACE),   GetSysColor(COLOR_BTNTEXT),
          GetSysColor(COLOR_HIGHLIGHT), GetSysColor(COLOR_HIGHLIGHTTEXT),
          GetSysColor(COLOR_GRAYTEXT),  GetSysColor(COLOR_WINDOW),
          GetSysColor(COLOR_WINDOWTEXT), GetSysColor(COLOR_HOTLIGHT)};
}

const Palette& LightPalette() {
  using R = ColorRole;
  static const Palette palette = MakePalette(
      PaletteKind::kLight,
      {{R::kFace, RGB(0xFF, 0xFF, 0xFF)},          {R::kText, RGB(0, 0, 0)},
       {R::kChosenFace, RGB(0xFF, 0xFF, 0xFF)},    {R::kChosenText, RGB(0, 0, 0)},
       {R::kDisabledText, RGB(0x78, 0x78, 0x78)},  {R::kWindow, RGB(0xFF, 0xFF, 0xFF)},
       {R::kWindowText, RGB(0, 0, 0)},             {R::kBorder, RGB(0x80, 0x88, 0x96)},
       {R::kChecked, RGB(0x2B, 0x57, 0x9A)},       {R::kDisabledFace, RGB(0x7F, 0x7F, 0x7F)},
       {R::kSelection, RGB(0xA1, 0xDB, 0xEE)},     {R::kSelectionText, RGB(0, 0, 0)},
       {R::kHover, RGB(0xCD, 0xEC, 0xF5)},         {R::kStripe, RGB(0xFA, 0xFA, 0xFA)},
       {R::kGrid, RGB(0xDC, 0xDC, 0xDC)},          {R::kHeader, RGB(0xF0, 0xF0, 0xF0)},
       {R::kHeaderText, RGB(0, 0, 0)},             {R::kLink, RGB(0x00, 0x66, 0xCC)},
       {R::kLinkHover, RGB(0x00, 0x4C, 0x99)},     {R::kTipText, RGB(0x6D, 0x6D, 0x6D)},
       {R::kShadow, RGB(0, 0, 0)}},
      255);
  return palette;
}

const Palette& DarkPalette() {
  using R = ColorRole;
  static const Palette palette = MakePalette(
      PaletteKind::kDark,
      {{R::kFace, RGB(0x2B, 0x2B, 0x2B)},          {R::kText, RGB(0xF0, 0xF0, 0xF0)},
       {R::kChosenFace, RGB(0x3D, 0x3D, 0x3D)},    {R::kChosenText, RGB(0xFF, 0xFF, 0xFF)},
       {R::kDisabledText, RGB(0x80, 0x80, 0x80)},  {R::kWindow, RGB(0x20, 0x20, 0x20)},
       {R::kWindowText, RGB(0xF0, 0xF0, 0xF0)},    {R::kBorder, RGB(0x8A, 0x8A, 0x8A)},
       {R::kChecked, RGB(0x5A, 0xA0, 0xE6)},       {R::kDisabledFace, RGB(0x3A, 0x3A, 0x3A)},
       {R::kSelection, RGB(0x26, 0x4F, 0x78)},     {R::kSelectionText, RGB(0xFF, 0xFF, 0xFF)},
       {R::kHover, RGB(0x33, 0x33, 0x33)},         {R::kStripe, RGB(0x27, 0x27, 0x27)},
       {R::kGrid, RGB(0x45, 0x45, 0x45)},          {R::kHeader, RGB(0x2B, 0x2B, 0x2B)},
       {R::kHeaderText, RGB(0xF0, 0xF0, 0xF0)},    {R::kLink, RGB(0x6C, 0xB4, 0xFF)},
       {R::kLinkHover, RGB(0x99, 0xCC, 0xFF)},     {R::kTipText, RGB(0x9A, 0x9A, 0x9A)},
       {R::kShadow, RGB(0, 0, 0)}},
      // On a dark desktop a full-strength shadow reads as a hard black band.
      150);
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

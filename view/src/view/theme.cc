#include "view/theme.h"

#include <atomic>

#include "view/internal/frame/palette.h"
#include "view/internal/frame/theme_state.h"

namespace view {
namespace {

std::atomic<int> g_theme{static_cast<int>(Theme::kLight)};
// The user's app mode as last read (kSystem only): 1 dark, 0 light.
std::atomic<int> g_system_dark{0};

bool ReadSystemDark() {
  DWORD value = 1;
  DWORD type = 0;
  DWORD size = sizeof(value);
  const LSTATUS status = ::RegGetValueW(
      HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize",
      L"AppsUseLightTheme", RRF_RT_REG_DWORD, &type, &value, &size);
  return status == ERROR_SUCCESS && value == 0;
}

}  // namespace

void SetTheme(Theme theme) {
  if (theme != Theme::kLight && theme != Theme::kDark && theme != Theme::kSystem) return;
  const frame::PaletteKind before = frame::CurrentPaletteKind();
  if (theme == Theme::kSystem) g_system_dark = ReadSystemDark() ? 1 : 0;
  g_theme = static_cast<int>(theme);
  if (frame::CurrentPaletteKind() != before) frame::BroadcastPaletteChanged();
}

Theme GetTheme() { return static_cast<Theme>(g_theme.load()); }

bool IsDarkTheme() {
  const auto theme = static_cast<Theme>(g_theme.load());
  return theme == Theme::kDark || (theme == Theme::kSystem && g_system_dark.load() != 0);
}

namespace frame {

bool DarkThemeOn() { return view::IsDarkTheme(); }

void OnSettingChange(WPARAM wparam, LPARAM lparam) {
  const auto* area = reinterpret_cast<const wchar_t*>(lparam);
  const bool color_set = area != nullptr && ::lstrcmpiW(area, L"ImmersiveColorSet") == 0;
  const bool contrast = wparam == SPI_SETHIGHCONTRAST;
  if (!color_set && !contrast) return;
  const PaletteKind before = CurrentPaletteKind();
  if (color_set && GetTheme() == Theme::kSystem) g_system_dark = ReadSystemDark() ? 1 : 0;
  // A high-contrast switch changes the system colours too: repaint even when
  // the kind stays.
  if (contrast || CurrentPaletteKind() != before) BroadcastPaletteChanged();
}

}  // namespace frame
}  // namespace view

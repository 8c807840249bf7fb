// Themes: every control paints from the palette in use (light, dark, high
// contrast) and follows a live change by itself; the palettes' contrast;
// the link label that shows its links.

#include <gtest/gtest.h>

#include <cmath>
#include <optional>

#include "harness.h"
#include "view/internal/frame/palette.h"
#include "view/view.h"

using view::frame::ColorRole;
using view::frame::Palette;
using viewtest::Rgb;

namespace {

const wchar_t kPersonalize[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";

// The contrast ratio of two colours by their relative luminance (WCAG 2).
double Contrast(COLORREF a, COLORREF b) {
  auto luminance = [](COLORREF c) {
    auto channel = [](int v) {
      const double s = v / 255.0;
      return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(GetRValue(c)) + 0.7152 * channel(GetGValue(c)) +
           0.0722 * channel(GetBValue(c));
  };
  const double la = luminance(a), lb = luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// Text on its background needs 4.5:1; an outline, a check box's fill against
// its surroundings and a tick against that fill need 3:1. (Disabled text is
// exempt, as for the platform's controls.)
TEST(Theme, EveryPaletteMeetsTheContrastThresholds) {
  // The standard "High Contrast Black" scheme's colours.
  const view::frame::SystemColors black = {0x000000, 0xFFFFFF, 0xFFFF00 /*cyan*/, 0x000000,
                                           0x00FF00, 0x000000,  0xFFFFFF,          0x00FFFF};
  const struct { ColorRole fore, back; double least; } pairs[] = {
      {ColorRole::kText, ColorRole::kFace, 4.5},           {ColorRole::kChosenText, ColorRole::kChosenFace, 4.5},
      {ColorRole::kWindowText, ColorRole::kWindow, 4.5},   {ColorRole::kSelectionText, ColorRole::kSelection, 4.5},
      {ColorRole::kWindowText, ColorRole::kHover, 4.5},    {ColorRole::kWindowText, ColorRole::kStripe, 4.5},
      {ColorRole::kHeaderText, ColorRole::kHeader, 4.5},   {ColorRole::kLink, ColorRole::kWindow, 4.5},
      {ColorRole::kLinkHover, ColorRole::kWindow, 4.5},    {ColorRole::kTipText, ColorRole::kWindow, 4.5},
      {ColorRole::kBorder, ColorRole::kWindow, 3.0},       {ColorRole::kBorder, ColorRole::kFace, 3.0},
      {ColorRole::kChecked, ColorRole::kWindow, 3.0},      {ColorRole::kWindow, ColorRole::kChecked, 3.0}};
  for (const Palette& palette : {view::frame::LightPalette(), view::frame::DarkPalette(),
                                 view::frame::HighContrastPalette(black)}) {
    for (const auto& pair : pairs) {
      EXPECT_GE(Contrast(palette[pair.fore], palette[pair.back]), pair.least)
          << "palette " << static_cast<int>(palette.kind) << ": role " << static_cast<int>(pair.fore)
          << " on " << static_cast<int>(pair.back);
    }
  }
}

// One of every control, each left at its default colours except the tile,
// whose colours the application chose; the link label shows its links.
struct ThemedDialog {
  viewtest::HostWindow host{true, 700, 330};
  Gdiplus::Font font{L"Arial", 12.0f, Gdiplus::FontStyleRegular, Gdiplus::UnitPixel};
  std::unique_ptr<Gdiplus::Bitmap> on = view::MakeStockImage(view::StockImage::kCheckBoxChecked);
  std::unique_ptr<Gdiplus::Bitmap> off = view::MakeStockImage(view::StockImage::kCheckBoxUnchecked);
  std::unique_ptr<Gdiplus::Bitmap> grey = view::MakeStockImage(view::StockImage::kCheckBoxDisabled);
  std::unique_ptr<Gdiplus::Bitmap> open = view::MakeStockImage(view::StockImage::kExpanderExpanded);
  std::unique_ptr<Gdiplus::Bitmap> shut = view::MakeStockImage(view::StockImage::kExpanderCollapsed);
  ZuSwitchButton radio;
  ZuSectionButton tab;
  ZuSwitchImageButton tile;
  ZuListView list;
  ZuTreeViewCheckBox tree;
  ZuComboBox combo;
  ZuEdit edit;
  ZuLink link;

  ThemedDialog() {
    host.on_message = [this](UINT msg, WPARAM wparam, LPARAM lparam, LRESULT& result) {
      // As an application's procedure does: the helper first, for every message.
      return msg == WM_SETTINGCHANGE && view::ReflectNotification(host, msg, wparam, lparam, &result);
    };
    radio.CreateButton(host, &font, 1);
    radio.Init(10, 10, L"Radio", RGB(255, 255, 255), 0, RGB(255, 255, 255), 0);
    RECT rect = {100, 10, 180, 50};
    tab.Create(host, &rect, L"Tab", 0, 0, 2);
    tab.SetFont(&font).Load(true);
    tile.CreateButton(host, &font, 3);
    tile.Init(200, 10, L"Tile", RGB(255, 0, 0), 0, nullptr, RGB(0, 255, 0), 0, nullptr);
    list.SetCheckBoxImage(on.get(), off.get(), grey.get());
    RECT list_rect = {10, 70, 330, 290}, combo_rect = {540, 70, 690, 290};
    RECT edit_rect = {540, 120, 690, 145}, link_rect = {10, 300, 300, 320};
    list.CreateListView(host, list_rect, 4, false, true, false);
    LVCOLUMNW column = {LVCF_WIDTH | LVCF_TEXT, 0, 150, const_cast<wchar_t*>(L"Name")};
    for (int c = 0; c < 2; ++c) SendMessageW(list, LVM_INSERTCOLUMNW, c, reinterpret_cast<LPARAM>(&column));
    list.SetFuncGetCheckState([](int row) { return row == 0; });
    list.SetItemCount(3);
    tree.CreateTree(host, 5, WTL::CRect(340, 70, 530, 290), RGB(255, 255, 255), open.get(), shut.get(),
                    on.get(), off.get());
    viewtest::FillStockTree(tree, 2);
    combo.Create(host, combo_rect, nullptr,
                 WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS, 0, 6);
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"Apple"));
    edit.Create(host, edit_rect, L"", WS_CHILD | WS_VISIBLE);
    edit.setTipValue(L"Search");
    link.Create(host, link_rect, L"Go <a>home</a> now");
    SendMessageW(link, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), TRUE);
    link.SetDrawLinks(true);
    viewtest::BringToFront(host);
    viewtest::PumpUntilIdle();
  }

  // A pixel of each control's own painting, the colour it has in light
  // (nullopt: the platform paints it there), and the role it takes in the
  // other palettes.
  struct Probe {
    const char* what;
    HWND wnd;
    POINT at;
    std::optional<uint32_t> light;
    ColorRole role;
  };
  std::vector<Probe> Probes() {
    const SIZE field = viewtest::ClientSize(combo);
    HWND header = list.GetInnerHeader();
    RECT row0 = {LVIR_BOUNDS};
    SendMessageW(list, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row0));
    const int box_top = row0.top + (row0.bottom - row0.top - 16) / 2;
    return {{"switch face", radio, {3, 3}, 0xFFFFFF, ColorRole::kFace},
            {"section face", tab, {4, 12}, 0x000000, ColorRole::kFace},
            {"tile's own colour", tile, {3, 3}, 0xFF0000, ColorRole::kFace},
            {"list row", list, {300, row0.bottom + 10}, 0xFFFFFF, ColorRole::kWindow},
            {"list check box", list, {5 + 3, box_top + 3}, 0x2B579A, ColorRole::kChecked},
            {"list header", header, {200, viewtest::ClientSize(header).cy / 2}, std::nullopt, ColorRole::kHeader},
            {"tree", tree, {180, 200}, 0xFFFFFF, ColorRole::kWindow},
            {"combo field", combo, {field.cx - 30, field.cy / 2}, Rgb(GetSysColor(COLOR_WINDOW)), ColorRole::kWindow},
            {"edit", edit, {140, 10}, 0xFFFFFF, ColorRole::kWindow},
            {"link label", link, {285, 15}, 0xFFFFFF, ColorRole::kWindow}};
  }

  // Checks every probe against `palette`; `tile_kept`: the tile's own colour
  // stays (it does in light and dark).
  void ExpectPalette(const Palette& palette, const char* step) {
    viewtest::PumpUntilIdle();
    for (const Probe& p : Probes()) {
      const uint32_t seen = viewtest::CaptureClient(p.wnd).At(p.at.x, p.at.y);
      std::optional<uint32_t> want = Rgb(palette[p.role]);
      if (palette.kind == view::frame::PaletteKind::kLight ||
          (palette.kind == view::frame::PaletteKind::kDark && p.wnd == tile)) {
        want = p.light;
      }
      if (palette.kind == view::frame::PaletteKind::kHighContrast && p.wnd == list.GetInnerHeader()) {
        want = std::nullopt;  // the platform's header, in the system colours
      }
      if (want) EXPECT_EQ(seen, *want) << step << ": " << p.what;
    }
    if (palette.kind != view::frame::PaletteKind::kLight) {  // text in the palette's colours
      EXPECT_GT(viewtest::CaptureClient(edit).Count(Rgb(palette[ColorRole::kTipText])), 3) << step;
      EXPECT_GT(viewtest::CaptureClient(radio).Count(Rgb(palette[ColorRole::kText])), 3) << step;
    }
  }
};

void SetAppMode(DWORD light) {
  RegSetKeyValueW(HKEY_CURRENT_USER, kPersonalize, L"AppsUseLightTheme", REG_DWORD, &light, sizeof(light));
}

// Each step changes the palette the way an application or the user does,
// and every control repaints from it by itself (no redraw is forced here).
// High contrast cannot be switched on in Wine (SPI_SETHIGHCONTRAST fails):
// the library's own answer is set and the setting's message sent as the
// system broadcasts it.
TEST(Theme, EveryControlFollowsALiveChange) {
  {  // the platform's first-use objects, in both palettes
    ThemedDialog warm_up;
    view::SetTheme(view::Theme::kDark);
    viewtest::PumpUntilIdle();
    view::SetTheme(view::Theme::kLight);
  }
  viewtest::PumpUntilIdle();
  const int gdi_before = viewtest::CountGdiObjects();
  {
    ThemedDialog dialog;
    const view::frame::SystemColors system = view::frame::SystemColors::Current();
    auto setting = [&](WPARAM wparam, const wchar_t* area) {
      SendMessageW(dialog.host, WM_SETTINGCHANGE, wparam, reinterpret_cast<LPARAM>(area));
    };
    dialog.ExpectPalette(view::frame::LightPalette(), "start");
    view::SetTheme(view::Theme::kDark);
    EXPECT_TRUE(view::IsDarkTheme());
    dialog.ExpectPalette(view::frame::DarkPalette(), "dark");
    view::SetTheme(static_cast<view::Theme>(7));  // ignored
    EXPECT_EQ(view::GetTheme(), view::Theme::kDark);
    view::SetTheme(view::Theme::kLight);
    dialog.ExpectPalette(view::frame::LightPalette(), "light again");

    SetAppMode(0);
    view::SetTheme(view::Theme::kSystem);
    dialog.ExpectPalette(view::frame::DarkPalette(), "system, dark app mode");
    SetAppMode(1);
    setting(0, L"ImmersiveColorSet");
    dialog.ExpectPalette(view::frame::LightPalette(), "the user chose light");
    SetAppMode(0);
    setting(0, L"Policy");  // another setting: nothing is read again
    EXPECT_FALSE(view::IsDarkTheme());
    setting(0, L"ImmersiveColorSet");
    dialog.ExpectPalette(view::frame::DarkPalette(), "the user chose dark");

    view::frame::SetHighContrastForTesting(1);
    setting(SPI_SETHIGHCONTRAST, nullptr);
    dialog.ExpectPalette(view::frame::HighContrastPalette(system), "high contrast over dark");
    view::frame::SetHighContrastForTesting(-1);
    setting(SPI_SETHIGHCONTRAST, nullptr);
    dialog.ExpectPalette(view::frame::DarkPalette(), "high contrast off");

    // A value of the wrong type reads as light.
    RegSetKeyValueW(HKEY_CURRENT_USER, kPersonalize, L"AppsUseLightTheme", REG_SZ, L"0", 4);
    setting(0, L"ImmersiveColorSet");
    dialog.ExpectPalette(view::frame::LightPalette(), "a wrong value");
    view::SetTheme(view::Theme::kLight);
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kPersonalize, L"AppsUseLightTheme");
  }
  viewtest::PumpUntilIdle();
  EXPECT_EQ(viewtest::CountGdiObjects(), gdi_before);
}

// With its links shown, the label paints its text and each link in the
// palette's colours; the link under the pointer turns to the hover colour
// (and is underlined), and a click still reaches the parent as NM_CLICK.
TEST(Theme, LinkLabelShowsItsLinks) {
  ThemedDialog dialog;
  for (const Palette* palette : {&view::frame::LightPalette(), &view::frame::DarkPalette()}) {
    view::SetTheme(palette == &view::frame::DarkPalette() ? view::Theme::kDark : view::Theme::kLight);
    // The pointer leaves the label (the leave report comes from a timer in Wine).
    viewtest::MoveMouseTo(dialog.host, POINT{690, 10});
    const uint32_t hover = Rgb((*palette)[ColorRole::kLinkHover]);
    viewtest::PumpUntil([&] { return viewtest::CaptureClient(dialog.link).Count(hover) == 0; });
    const viewtest::Image still = viewtest::CaptureClient(dialog.link);
    // The link's text, smoothed at its edges: its pixels are the blue ones.
    auto blue = [](uint32_t p) { return (p & 0xFF) > ((p >> 16) & 0xFF) + 0x40; };
    const RECT label = still.Bounds(blue, RECT{0, 0, 300, 20});
    ASSERT_FALSE(IsRectEmpty(&label));
    EXPECT_GT(still.Count(Rgb((*palette)[ColorRole::kWindowText]), 0, 0, label.left), 5);  // "Go "
    EXPECT_GT(still.Count(Rgb((*palette)[ColorRole::kWindowText]), label.right), 5);       // " now"
    EXPECT_EQ(still.Count(hover), 0);

    const POINT middle = {(label.left + label.right) / 2, (label.top + label.bottom) / 2};
    viewtest::MoveMouseTo(dialog.link, middle);
    viewtest::PumpUntilIdle();
    const viewtest::Image hovered = viewtest::CaptureClient(dialog.link);
    // The underline adds a full-width line of the hover colour below the label.
    EXPECT_GE(hovered.Count(hover, label.left, label.bottom, label.right, 20),
              label.right - label.left - 1);
    dialog.host.ClearSeen();
    viewtest::Click(dialog.link, middle);
    viewtest::PumpUntilIdle();
    EXPECT_EQ(dialog.host.CountNotifies(dialog.link, NM_CLICK), 1);
  }
  view::SetTheme(view::Theme::kLight);
  dialog.link.SetDrawLinks(false);
  viewtest::PumpUntilIdle();
  EXPECT_EQ(viewtest::CaptureClient(dialog.link).Count(0x000000), 290 * 20);  // the specified fill
}

}  // namespace

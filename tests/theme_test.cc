// Themes: every control paints from the palette in use (light, dark, high
// contrast) and follows a live change by itself; the palettes' contrast;
// the link label that shows its links.

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
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
    double sum = 0;
    for (auto [value, weight] : {std::pair{GetRValue(c), 0.2126}, {GetGValue(c), 0.7152}, {GetBValue(c), 0.0722}}) {
      const double s = value / 255.0;
      sum += weight * (s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4));
    }
    return sum;
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
  using R = ColorRole;
  const struct { R fore, back; double least; } pairs[] = {
      {R::kText, R::kFace, 4.5},         {R::kChosenText, R::kChosenFace, 4.5}, {R::kWindowText, R::kWindow, 4.5},
      {R::kWindowText, R::kHover, 4.5},  {R::kSelectionText, R::kSelection, 4.5}, {R::kWindowText, R::kStripe, 4.5},
      {R::kHeaderText, R::kHeader, 4.5}, {R::kLink, R::kWindow, 4.5},           {R::kLinkHover, R::kWindow, 4.5},
      {R::kTipText, R::kWindow, 4.5},    {R::kBorder, R::kWindow, 3.0},         {R::kBorder, R::kFace, 3.0},
      {R::kChecked, R::kWindow, 3.0},    {R::kWindow, R::kChecked, 3.0}};
  for (const Palette& palette : {view::frame::LightPalette(), view::frame::DarkPalette(),
                                 view::frame::HighContrastPalette(black)}) {
    for (const auto& pair : pairs) {
      EXPECT_GE(Contrast(palette[pair.fore], palette[pair.back]), pair.least)
          << "palette " << static_cast<int>(palette.kind) << ": role " << static_cast<int>(pair.fore)
          << " on " << static_cast<int>(pair.back);
    }
  }
}

// Text on a background the application chose: dark text from a luminance of
// 0.179 up (0x767676 is 0.181, 0x757575 0.178), so that the light palette's
// rows stay readable on a light background in dark.
TEST(Theme, RowsOnTheApplicationsBackgroundStayReadable) {
  const Palette &dark = view::frame::DarkPalette(), &light = view::frame::LightPalette();
  for (auto [background, want] : {std::pair{0xFAFBFDu, &light}, {0x767676u, &light}, {0x757575u, &dark}, {0x000000u, &dark}})
    EXPECT_EQ(&view::frame::PaletteForBackground(dark, background), want) << std::hex << background;
  const Palette high = view::frame::HighContrastPalette(view::frame::SystemColors::Current());
  EXPECT_EQ(&view::frame::PaletteForBackground(high, 0xFFFFFF), &high);  // the system's colours win
}

// One of every control, each left at its default colours except the tile,
// whose colours the application chose; the link label shows its links.
struct ThemedDialog {
  viewtest::HostWindow host{true, 700, 330};
  Gdiplus::Font font{L"Arial", 12.0f, Gdiplus::FontStyleRegular, Gdiplus::UnitPixel};
  std::unique_ptr<Gdiplus::Bitmap> on = view::MakeStockImage(view::StockImage::kCheckBoxChecked),
      off = view::MakeStockImage(view::StockImage::kCheckBoxUnchecked),
      grey = view::MakeStockImage(view::StockImage::kCheckBoxDisabled),
      open = view::MakeStockImage(view::StockImage::kExpanderExpanded),
      shut = view::MakeStockImage(view::StockImage::kExpanderCollapsed);
  ZuSwitchButton radio;
  ZuSectionButton tab;
  ZuSwitchImageButton tile;
  ZuImgButton box;
  ZuListView list;
  ZuTreeViewCheckBox tree;
  ZuComboBox combo;
  ZuEdit edit, filled;
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
    box.CreateButton(host, 7, true);
    box.setFont(&font);
    box.Init(off.get(), 300, 10, on.get(), L"Box", kBASImgButtonTextRight, 0, 4, 1);
    list.SetCheckBoxImage(on.get(), off.get(), grey.get());
    RECT list_rect = {10, 70, 330, 290}, combo_rect = {540, 70, 690, 290};
    RECT edit_rect = {540, 120, 690, 145}, link_rect = {10, 300, 300, 320};
    list.CreateListView(host, list_rect, 4, false, true, false);
    LVCOLUMNW column = {};
    column.mask = LVCF_WIDTH | LVCF_TEXT, column.cx = 150, column.pszText = const_cast<wchar_t*>(L"Name");
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
    RECT filled_rect = {540, 160, 690, 185};
    filled.Create(host, filled_rect, L"Text", WS_CHILD | WS_VISIBLE);
    link.Create(host, link_rect, L"Go <a>home</a> now");
    SendMessageW(link, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), TRUE);
    link.SetDrawLinks(true);
    viewtest::BringToFront(host);
    viewtest::PumpUntilIdle();
  }

  // A pixel of each control's own painting, the colour it has in light
  // (nullopt: the platform paints it there), and the role it takes in the
  // other palettes.
  struct Probe { const char* what; HWND wnd; POINT at; std::optional<uint32_t> light; ColorRole role; };
  std::vector<Probe> Probes() {
    const SIZE field = viewtest::ClientSize(combo);
    HWND header = list.GetInnerHeader();
    RECT row0 = {LVIR_BOUNDS, 0, 0, 0};
    SendMessageW(list, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row0));
    const int box_top = row0.top + (row0.bottom - row0.top - 16) / 2;
    return {{"switch face", radio, {3, 3}, 0xFFFFFF, ColorRole::kFace},
            {"section face", tab, {4, 12}, 0x000000, ColorRole::kFace},
            {"tile's own colour", tile, {3, 3}, 0xFF0000, ColorRole::kFace},
            {"stock check box of an image button", box, {8, viewtest::ClientSize(box).cy / 2}, 0xFFFFFF, ColorRole::kWindow},
            {"list row", list, {300, row0.bottom + 10}, 0xFFFFFF, ColorRole::kWindow},
            {"list check box", list, {5 + 3, box_top + 3}, 0x2B579A, ColorRole::kChecked},
            {"list header", header, {200, viewtest::ClientSize(header).cy / 2}, std::nullopt, ColorRole::kHeader},
            {"list header past its columns", header, {viewtest::ClientSize(header).cx - 3, 3}, std::nullopt, ColorRole::kHeader},
            {"tree", tree, {180, 200}, 0xFFFFFF, ColorRole::kWindow},
            {"combo field", combo, {field.cx - 30, field.cy / 2}, Rgb(GetSysColor(COLOR_WINDOW)), ColorRole::kWindow},
            {"edit", edit, {140, 10}, 0xFFFFFF, ColorRole::kWindow},
            {"edit with text", filled, {140, 10}, 0xFFFFFF, ColorRole::kWindow},
            {"link label", link, {285, 15}, 0xFFFFFF, ColorRole::kWindow}};
  }

  // Checks every probe against `palette`; `tile_kept`: the tile's own colour
  // stays (it does in light and dark).
  void ExpectPalette(const Palette& palette, const char* step) {
    viewtest::PumpUntilIdle();
    for (const Probe& p : Probes()) {
      const uint32_t seen = viewtest::CaptureClient(p.wnd).At(p.at.x, p.at.y);
      std::optional<uint32_t> want = Rgb(palette[p.role]);
      using K = view::frame::PaletteKind;
      if (palette.kind == K::kLight || (palette.kind == K::kDark && p.wnd == tile)) want = p.light;
      // High contrast: the platform's header, in the system colours.
      if (palette.kind == K::kHighContrast && p.wnd == list.GetInnerHeader()) want = std::nullopt;
      if (want) {
        EXPECT_EQ(seen, *want) << step << ": " << p.what;
      }
    }
    if (palette.kind != view::frame::PaletteKind::kLight) {  // text in the palette's colours
      EXPECT_GT(viewtest::CaptureClient(edit).Count(Rgb(palette[ColorRole::kTipText])), 3) << step;
      EXPECT_GT(viewtest::CaptureClient(radio).Count(Rgb(palette[ColorRole::kText])), 3) << step;
    }
  }
};


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
    auto setting = [&](WPARAM wparam, const wchar_t* area) {
      SendMessageW(dialog.host, WM_SETTINGCHANGE, wparam, reinterpret_cast<LPARAM>(area));
    };
    auto theme = [](view::Theme theme) { return [theme] { view::SetTheme(theme); }; };
    auto app_mode = [&](DWORD light, const wchar_t* area, DWORD type = REG_DWORD) {
      return [=] {  // REG_SZ: a value of the wrong type, which reads as light
        RegSetKeyValueW(HKEY_CURRENT_USER, kPersonalize, L"AppsUseLightTheme", type, type == REG_SZ ? static_cast<const void*>(L"0") : &light, 4);
        setting(0, area);
      };
    };
    auto contrast = [&](int on) { return [=] { view::frame::SetHighContrastForTesting(on), setting(SPI_SETHIGHCONTRAST, nullptr); }; };
    const Palette light = view::frame::LightPalette(), dark = view::frame::DarkPalette(),
                  high = view::frame::HighContrastPalette(view::frame::SystemColors::Current());
    const struct { const char* what; std::function<void()> change; const Palette& want; } steps[] = {
        {"start", [] {}, light},
        {"dark", theme(view::Theme::kDark), dark},
        {"a theme outside the enum is ignored", theme(static_cast<view::Theme>(7)), dark},
        {"light again", theme(view::Theme::kLight), light},
        {"system, dark app mode", [&] { app_mode(0, L"")(), view::SetTheme(view::Theme::kSystem); }, dark},
        {"the user chose light", app_mode(1, L"ImmersiveColorSet"), light},
        {"another setting: nothing read", app_mode(0, L"Policy"), light},
        {"the user chose dark", app_mode(0, L"ImmersiveColorSet"), dark},
        {"high contrast over dark", contrast(1), high},
        {"high contrast off", contrast(-1), dark},
        {"a value of the wrong type", app_mode(0, L"ImmersiveColorSet", REG_SZ), light}};
    for (const auto& step : steps) {
      step.change();
      EXPECT_EQ(view::IsDarkTheme(), step.want.kind == dark.kind || (step.want.kind == high.kind)) << step.what;
      dialog.ExpectPalette(step.want, step.what);
    }
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
    EXPECT_TRUE(viewtest::PumpUntil([&] { return viewtest::CaptureClient(dialog.link).Count(hover) == 0; }));
    const viewtest::Image still = viewtest::CaptureClient(dialog.link);
    // The link's text, smoothed at its edges: its pixels are the blue ones.
    const RECT label = still.Bounds([](uint32_t p) { return (p & 0xFF) > ((p >> 16) & 0xFF) + 0x40; }, {0, 0, 300, 20});
    ASSERT_FALSE(IsRectEmpty(&label));
    EXPECT_GT(still.Count(Rgb((*palette)[ColorRole::kWindowText]), 0, 0, label.left), 5);  // "Go "
    EXPECT_GT(still.Count(Rgb((*palette)[ColorRole::kWindowText]), label.right), 5);       // " now"
    EXPECT_EQ(still.Count(Rgb((*palette)[ColorRole::kWindow]), 0, 0, 290, 1), 290);  // no focus cue

    const POINT middle = {(label.left + label.right) / 2, (label.top + label.bottom) / 2};
    viewtest::MoveMouseTo(dialog.link, middle);
    viewtest::PumpUntilIdle();  // the underline: a line of the hover colour below the label
    EXPECT_GE(viewtest::CaptureClient(dialog.link).Count(hover, label.left, label.bottom, label.right, 20), label.right - label.left - 1);
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

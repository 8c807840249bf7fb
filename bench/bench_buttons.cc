// Each owner-drawn button against a stock push button of the same size: one
// repaint each (invalidate and paint now, so that the real WM_PAINT path
// runs). A button keeps the face it rendered for its state, so a repaint
// without changes is one copy of it.

#include <memory>
#include <vector>

#include "bench.h"
#include "view/zu_img_button.h"
#include "view/zu_section_button.h"
#include "view/zu_switch_button.h"
#include "view/zu_switch_image_button.h"

namespace {

// Paints `wnd` whole through its WM_PAINT, ten times: one repaint of a
// stock button is too short to time on its own.
void Repaint(HWND wnd) {
  for (int i = 0; i < 10; ++i) {
    InvalidateRect(wnd, nullptr, TRUE);
    UpdateWindow(wnd);
  }
}

// A stock push button with the same window rectangle as `control`.
HWND StockButtonLike(HWND host, HWND control, int id) {
  RECT rect = {};
  GetWindowRect(control, &rect);
  MapWindowPoints(nullptr, host, reinterpret_cast<POINT*>(&rect), 2);
  // Beside the control, so that neither covers the other.
  const int width = rect.right - rect.left;
  HWND button = CreateWindowExW(0, L"BUTTON", L"Button", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON,
                                rect.left + width + 20, rect.top, width, rect.bottom - rect.top,
                                host, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                GetModuleHandleW(nullptr), nullptr);
  SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
               FALSE);
  return button;
}

// Times repaints of `control` against a stock push button of its size.
void RepaintRow(std::vector<bench::Row>& rows, HWND host, HWND control, const char* work) {
  HWND stock = StockButtonLike(host, control, 99);
  bench::PumpUntilIdle();
  rows.push_back({work, "stock push button of the same size",
                  bench::PairedRatio([&] { Repaint(control); }, [&] { Repaint(stock); }),
                  bench::Target::kAtMost, 1.3});
  DestroyWindow(stock);
  DestroyWindow(control);
}

void ButtonsBenchmark(std::vector<bench::Row>& rows) {
  HWND host = bench::CreateReflectingHost(600, 200);
  Gdiplus::Font font(L"Tahoma", 12.0f, Gdiplus::FontStyleRegular, Gdiplus::UnitPixel);
  auto normal = bench::Solid(120, 32, 0xFFE0E0E0);
  auto pressed = bench::Solid(120, 32, 0xFF4060C0);
  auto icon = bench::Solid(16, 16, 0xFF3070C0);
  {
    ZuImgButton image;
    image.CreateButton(host, 10, true);
    image.SetBkgColor(RGB(255, 255, 255));
    image.setFont(&font);
    image.Init(normal.get(), 20, 20, pressed.get(), L"Image button", kBASImgButtonTextCenter, 2,
               4, 0);
    RepaintRow(rows, host, image, "image button: repaint");
  }
  {
    ZuSwitchButton toggle;
    toggle.CreateButton(host, &font, 20);
    toggle.Init(20, 100, L"Switch", RGB(230, 230, 230), RGB(0, 0, 0), RGB(40, 90, 200),
                RGB(255, 255, 255));
    RepaintRow(rows, host, toggle, "switch button: repaint");
  }
  {
    ZuSwitchImageButton tile;
    tile.CreateButton(host, &font, 30);
    tile.Init(20, 20, L"Tile", RGB(200, 220, 240), 0, icon.get(), RGB(30, 90, 160),
              RGB(255, 255, 255), icon.get());
    RepaintRow(rows, host, tile, "switch-image tile: repaint");
  }
  {
    ZuSectionButton section;
    RECT rect = {20, 20, 140, 60};
    section.Create(host, &rect, L"Section", 0, 0, 40);
    section.SetFont(&font).SetCheckStyle(true).Load(true);
    RepaintRow(rows, host, section, "section button: repaint");
  }
  DestroyWindow(host);
  bench::PumpUntilIdle();
}

}  // namespace

VIEW_BENCHMARK(buttons, ButtonsBenchmark);

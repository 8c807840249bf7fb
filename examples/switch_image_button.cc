// A selectable tile with an image above its caption and a delete mark; the
// parent tells a press on the mark from a press on the tile with IsDelete().
#include "example.h"

namespace {

ZuSwitchImageButton* g_tile = nullptr;

std::unique_ptr<Gdiplus::Bitmap> Dot(Gdiplus::Color color, int size) {
  auto bitmap = std::make_unique<Gdiplus::Bitmap>(size, size, PixelFormat32bppARGB);
  Gdiplus::Graphics g(bitmap.get());
  g.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
  Gdiplus::SolidBrush brush(color);
  g.FillEllipse(&brush, 0, 0, size - 1, size - 1);
  return bitmap;
}

LRESULT CALLBACK Proc(HWND wnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  if (msg == WM_COMMAND && g_tile != nullptr && reinterpret_cast<HWND>(lparam) == *g_tile &&
      g_tile->IsDelete()) {
    DestroyWindow(*g_tile);  // the wrapper stays; its calls do nothing from now on
    return 0;
  }
  LRESULT result = 0;
  if (view::ReflectNotification(wnd, msg, wparam, lparam, &result)) return result;
  if (msg == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcW(wnd, msg, wparam, lparam);
}

struct SwitchImageButtonExample : example::Content {
  Gdiplus::Font font{L"Tahoma", 13.0f, Gdiplus::FontStyleRegular, Gdiplus::UnitPixel};
  std::unique_ptr<Gdiplus::Bitmap> image = Dot(Gdiplus::Color(255, 0x2B, 0x57, 0x9A), 32);
  std::unique_ptr<Gdiplus::Bitmap> pressed_image = Dot(Gdiplus::Color(255, 255, 255, 255), 32);
  std::unique_ptr<Gdiplus::Bitmap> cross = Dot(Gdiplus::Color(255, 0xC0, 0x30, 0x30), 12);
  ZuSwitchImageButton tile;

  void Build(HWND wnd) {
    g_tile = &tile;
    tile.CreateButton(wnd, &font, 1);
    tile.SetImageDeleteNormal(cross.get()).SetImageDeletePressed(cross.get());
    tile.Init(20, 20, L"Camera", RGB(0xE8, 0xEE, 0xF6), RGB(0x2B, 0x57, 0x9A), image.get(),
              RGB(0x2B, 0x57, 0x9A), RGB(255, 255, 255), pressed_image.get());
  }
  ~SwitchImageButtonExample() { g_tile = nullptr; }
};

}  // namespace

int main(int argc, char** argv) {
  return example::Run<SwitchImageButtonExample>(argc, argv, L"Switch image button", 200, 140,
                                                Proc);
}

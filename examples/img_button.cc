// An image button and a check box made from the same class: GDI+ bitmaps for
// the faces, a GDI+ font, and a click counted through the parent's WM_COMMAND.
#include "example.h"

namespace {

constexpr int kButtonId = 1;
int g_clicks = 0;

std::unique_ptr<Gdiplus::Bitmap> Face(Gdiplus::Color color) {
  auto face = std::make_unique<Gdiplus::Bitmap>(120, 32, PixelFormat32bppARGB);
  Gdiplus::Graphics g(face.get());
  Gdiplus::SolidBrush brush(color);
  g.FillRectangle(&brush, 0, 0, 120, 32);
  return face;
}

LRESULT CALLBACK Proc(HWND wnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  // The parent's own handling of a control's notification comes first: the
  // reflection answers it and returns.
  if (msg == WM_COMMAND && LOWORD(wparam) == kButtonId && HIWORD(wparam) == BN_CLICKED) {
    ++g_clicks;
  }
  LRESULT result = 0;
  if (view::ReflectNotification(wnd, msg, wparam, lparam, &result)) return result;
  if (msg == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcW(wnd, msg, wparam, lparam);
}

struct ImgButtonExample : example::Content {
  std::unique_ptr<Gdiplus::Bitmap> normal = Face(Gdiplus::Color(255, 0x2B, 0x57, 0x9A));
  std::unique_ptr<Gdiplus::Bitmap> pressed = Face(Gdiplus::Color(255, 0x1E, 0x3F, 0x70));
  std::unique_ptr<Gdiplus::Bitmap> unchecked =
      view::MakeStockImage(view::StockImage::kCheckBoxUnchecked, 20);
  std::unique_ptr<Gdiplus::Bitmap> checked =
      view::MakeStockImage(view::StockImage::kCheckBoxChecked, 20);
  Gdiplus::Font font{L"Tahoma", 13.0f, Gdiplus::FontStyleRegular, Gdiplus::UnitPixel};
  ZuImgButton button, check;

  void Build(HWND wnd) {
    button.CreateButton(wnd, kButtonId, true);
    button.setFont(&font);  // borrowed: the font must outlive the button
    button.SetTextColor(RGB(255, 255, 255), RGB(255, 255, 255), RGB(160, 160, 160));
    button.Init(normal.get(), 20, 20, pressed.get(), L"Save", kBASImgButtonTextCenter, 16, 16, 0);

    check.CreateButton(wnd, kButtonId + 1, true);
    check.setFont(&font);
    check.SetBkgColor(RGB(255, 255, 255));
    check.SetTextColor(RGB(30, 30, 30), RGB(30, 30, 30), RGB(160, 160, 160));
    check.Init(unchecked.get(), 20, 70, checked.get(), L"Remember me", kBASImgButtonTextRight,
               0, 4, 1);
    check.SetChecked(true);
  }
};

}  // namespace

int main(int argc, char** argv) {
  return example::Run<ImgButtonExample>(argc, argv, L"Image button", 240, 120, Proc);
}

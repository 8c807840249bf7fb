// The guide's picture of ZuImgButton::Init's paddings: two real buttons, one
// in each layout, with their windows outlined and measured. The paddings
// are painted in the buttons' own background colour, so that the room they
// take shows; every width printed is read from the windows.

#include "gallery.h"

#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kX = 24;
constexpr COLORREF kPaddingColor = RGB(0xFF, 0xE2, 0xA8);

std::unique_ptr<Gdiplus::Bitmap> Face(int width, int height, Gdiplus::Color color) {
  auto bitmap = std::make_unique<Gdiplus::Bitmap>(width, height, PixelFormat32bppARGB);
  Gdiplus::Graphics g(bitmap.get());
  g.Clear(color);
  return bitmap;
}

class PaddingsFigure : public gallery::Page {
 public:
  void Build(HWND panel) override {
    panel_ = panel;
    SetWindowSubclass(panel, &PaintHook, 1, reinterpret_cast<DWORD_PTR>(this));
    face_ = Face(120, 32, Gdiplus::Color(255, 0x2B, 0x57, 0x9A));
    box_ = view::MakeStockImage(view::StockImage::kCheckBoxChecked, 20);

    gallery::AddLabel(panel,
                      L"Init(face 120\x00D7" L"32, x, y, pressed, L\"Save\", "
                      L"kBASImgButtonTextCenter, 24, 16, 0)",
                      kX, 12, 620, 20);
    Prepare(center_, 1, RGB(255, 255, 255));
    center_.Init(face_.get(), kX, 44, face_.get(), L"Save", kBASImgButtonTextCenter, 24, 16, 0);

    gallery::AddLabel(panel,
                      L"SetCheckBoxCheckLogoGapAndLogoTextGap(0, 6);\nInit(box 20\x00D7" L"20, "
                      L"x, y, checked, L\"Remember me\", kBASImgButtonTextRight, 8, 12, 1)",
                      kX, 164, 620, 40);
    Prepare(right_, 2, RGB(30, 30, 30));
    right_.SetCheckBoxCheckLogoGapAndLogoTextGap(0, 6);
    right_.Init(box_.get(), kX, 212, box_.get(), L"Remember me", kBASImgButtonTextRight, 8, 12, 1);
    right_.SetChecked(true);
  }

 private:
  // A button of the figure: its font, the padding colour behind it (which
  // shows the paddings), and its caption colour.
  void Prepare(ZuImgButton& button, int id, COLORREF text) {
    button.CreateButton(panel_, id, true);
    button.setFont(&font_);
    button.SetBkgColor(kPaddingColor);
    button.SetTextColor(text, text, RGB(160, 160, 160));
  }
  RECT Bounds(HWND wnd) const {
    RECT rect = {};
    GetWindowRect(wnd, &rect);
    MapWindowPoints(nullptr, panel_, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
  }

  // A dotted frame just outside `rect`, a measure line below it with a tick
  // at each of `xs` and each piece's width, and a name under each piece.
  void Measure(Gdiplus::Graphics& g, const RECT& rect, const std::vector<int>& xs,
               const std::vector<const wchar_t*>& names) {
    Gdiplus::Pen frame(Gdiplus::Color(255, 0x70, 0x70, 0x70));
    frame.SetDashStyle(Gdiplus::DashStyleDot);
    g.DrawRectangle(&frame, static_cast<int>(rect.left) - 1, static_cast<int>(rect.top) - 1,
                    static_cast<int>(rect.right - rect.left) + 1,
                    static_cast<int>(rect.bottom - rect.top) + 1);
    Gdiplus::Pen line(Gdiplus::Color(255, 0x30, 0x30, 0x30));
    Gdiplus::SolidBrush ink(Gdiplus::Color(255, 0x30, 0x30, 0x30));
    Gdiplus::StringFormat centred;
    centred.SetAlignment(Gdiplus::StringAlignmentCenter);
    // The last piece's name comes first, so that no leader line crosses a name.
    const int y = rect.bottom + 8, pieces = static_cast<int>(xs.size()) - 1;
    g.DrawLine(&line, xs.front(), y, xs.back(), y);
    for (int i = 0; i <= pieces; ++i) {
      const int name_y = y + 18 + 18 * (pieces - 1 - i);
      g.DrawLine(&line, xs[i], y - 4, xs[i], i < pieces ? name_y + 8 : y + 4);
      if (i == pieces) break;
      const std::wstring width = std::to_wstring(xs[i + 1] - xs[i]);
      g.DrawString(width.c_str(), -1, &small_,
                   Gdiplus::RectF(static_cast<float>(xs[i]) - 10.0f, static_cast<float>(y + 2),
                                  static_cast<float>(xs[i + 1] - xs[i]) + 20.0f, 16.0f),
                   &centred, &ink);
      g.DrawString(names[i], -1, &small_,
                   Gdiplus::PointF(static_cast<float>(xs[i]) + 4.0f, static_cast<float>(name_y)),
                   &ink);
    }
  }

  void Paint(HDC dc) {
    Gdiplus::Graphics g(dc);
    g.SetTextRenderingHint(Gdiplus::TextRenderingHintAntiAlias);
    // Centred: the image starts after left_padding and is as wide as the
    // window less both paddings (the wider of image and caption).
    const RECT c = Bounds(center_);
    Measure(g, c, {c.left, c.left + 24, c.right - 16, c.right},
            {L"left_padding: empty; the image starts after it",
             L"the image, stretched to the wider of image and caption",
             L"right_padding: empty"});
    // Caption right: the image at the left edge, the gap, the caption; both
    // paddings are only extra room after the caption.
    const RECT r = Bounds(right_);
    Measure(g, r, {r.left, r.left + 20, r.left + 26, r.right - 20, r.right},
            {L"the image, at the left edge whatever left_padding is",
             L"logo-to-caption gap", L"the caption (its measured width)",
             L"left_padding + right_padding: empty room after the caption"});
  }

  static LRESULT CALLBACK PaintHook(HWND wnd, UINT msg, WPARAM wparam, LPARAM lparam, UINT_PTR,
                                    DWORD_PTR data) {
    if (msg == WM_PAINT) {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(wnd, &ps);
      reinterpret_cast<PaddingsFigure*>(data)->Paint(dc);
      EndPaint(wnd, &ps);
      return 0;
    }
    if (msg == WM_NCDESTROY) RemoveWindowSubclass(wnd, &PaintHook, 1);
    return DefSubclassProc(wnd, msg, wparam, lparam);
  }

  HWND panel_ = nullptr;
  Gdiplus::Font font_{L"Tahoma", 13.0f, Gdiplus::FontStyleRegular, Gdiplus::UnitPixel};
  Gdiplus::Font small_{L"Tahoma", 11.0f, Gdiplus::FontStyleRegular, Gdiplus::UnitPixel};
  std::unique_ptr<Gdiplus::Bitmap> face_, box_;
  ZuImgButton center_, right_;
};

}  // namespace

VIEW_GALLERY_FIGURE(L"img-button-paddings", 640, 330, PaddingsFigure);

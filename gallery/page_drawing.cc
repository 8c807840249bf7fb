// The drawing services: aligned texts (GDI+ and GDI), rounded fills and
// outlines, ticks, drop-down arrows, a three-slice stretch, aspect-fitted
// images, a coloured-markup label painted run by run and a private font
// loaded from the gallery's resources. One canvas window paints them all
// into a memory bitmap and copies it to the screen in one step.

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "gallery.h"
#include "view/internal/frame/scoped.h"

namespace {

constexpr wchar_t kCanvasClass[] = L"ViewGalleryDrawingCanvas";
constexpr int kCanvasWidth = 912;
constexpr int kCanvasHeight = 540;

Gdiplus::Color Grey() { return Gdiplus::Color(255, 150, 150, 150); }
Gdiplus::Color Ink() { return Gdiplus::Color(255, 30, 30, 30); }

// A 30 x 12 strip for the three-slice stretch: red and blue caps, a green
// middle with a dark first column so that each repeat shows.
std::unique_ptr<Gdiplus::Bitmap> MakeStrip() {
  auto strip = std::make_unique<Gdiplus::Bitmap>(30, 12, PixelFormat32bppARGB);
  for (int y = 0; y < 12; ++y) {
    for (int x = 0; x < 30; ++x) {
      const Gdiplus::Color c = x < 10    ? Gdiplus::Color(255, 220, 60, 60)
                               : x == 10 ? Gdiplus::Color(255, 20, 90, 20)
                               : x < 20  ? Gdiplus::Color(255, 90, 200, 90)
                                         : Gdiplus::Color(255, 60, 90, 220);
      strip->SetPixel(x, y, c);
    }
  }
  return strip;
}

// A 160 x 90 picture (16:9) for aspect fitting: a diagonal blend with a frame.
std::unique_ptr<Gdiplus::Bitmap> MakePicture() {
  auto picture = std::make_unique<Gdiplus::Bitmap>(160, 90, PixelFormat32bppARGB);
  Gdiplus::Graphics g(picture.get());
  Gdiplus::LinearGradientBrush blend(Gdiplus::Point(0, 0), Gdiplus::Point(160, 90),
                                     Gdiplus::Color(255, 250, 200, 60),
                                     Gdiplus::Color(255, 60, 120, 220));
  g.FillRectangle(&blend, 0, 0, 160, 90);
  Gdiplus::Pen frame(Gdiplus::Color(255, 40, 40, 40), 3.0f);
  g.DrawRectangle(&frame, 1, 1, 157, 87);
  return picture;
}

class Canvas {
 public:
  Canvas() {
    view::frame::ScopedWindowDc screen(nullptr);
    label_font_.reset(Utils::GetFont(screen.get(), -13, DEFAULT_CHARSET, false, L"Segoe UI"));
    caption_font_.reset(Utils::GetFont(screen.get(), -12, DEFAULT_CHARSET, true, L"Segoe UI"));
    gdi_font_.reset(Utils::GetHFONT(-13, DEFAULT_CHARSET, false, L"Tahoma"));
    strip_ = MakeStrip();
    picture_ = MakePicture();
    // The serif family is a resource of the gallery, loaded privately: its
    // regular and bold faces (a private collection offers only the styles
    // whose faces it holds).
    const HMODULE gallery = GetModuleHandleW(nullptr);
    private_font_loaded_ = fonts_.LoadFont(L"GALLERY_SERIF", L"TTF", gallery) == 1 &&
                           fonts_.LoadFont(L"GALLERY_SERIF_BOLD", L"TTF", gallery) == 1;
  }
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  void Paint(HDC target, int width, int height) {
    // One memory bitmap: GDI+ and GDI both draw into it, then one BitBlt.
    WTL::CDC memory;
    memory.CreateCompatibleDC(target);
    view::frame::ScopedGdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(target, width, height));
    if (memory.IsNull() || !bitmap) return;
    view::frame::SelectObjectScope selected(memory.m_hDC, bitmap.get());
    RECT all = {0, 0, width, height};
    memory.FillSolidRect(&all, RGB(255, 255, 255));
    {
      Gdiplus::Graphics g(memory.m_hDC);
      DrawAlignedTexts(g);
      DrawRoundRects(g);
      DrawGlyphs(g);
      DrawStretch(g);
      DrawAspectFit(g);
      DrawMarkup(g);
      DrawPrivateFont(g);
    }
    DrawGdiTexts(memory);
    BitBlt(target, 0, 0, width, height, memory.m_hDC, 0, 0, SRCCOPY);
  }

 private:
  void Caption(Gdiplus::Graphics& g, float x, float y, const wchar_t* text) {
    Gdiplus::Color ink = Ink();
    Utils::DrawTextInRect(g, Gdiplus::RectF(x, y, 420, 18), text, caption_font_.get(), &ink);
  }

  void DrawAlignedTexts(Gdiplus::Graphics& g) {
    Caption(g, 0, 0, L"Text in a rectangle (GDI+)");
    Gdiplus::Color ink = Ink();
    const wchar_t* names[] = {L"DrawTextCenter", L"DrawTextRightAlign",
                              L"DrawTextInRectVerticalCenter", L"DrawTextInRect"};
    for (int i = 0; i < 4; ++i) {
      const Gdiplus::RectF box(static_cast<float>(i % 2) * 215.0f,
                               22.0f + static_cast<float>(i / 2) * 58.0f, 205.0f, 50.0f);
      Utils::DrawRoundRect(&g, box, Grey(), 3, 1);
      switch (i) {
        case 0: Utils::DrawTextCenter(g, box, names[i], label_font_.get(), &ink); break;
        case 1: Utils::DrawTextRightAlign(g, box, names[i], label_font_.get(), &ink); break;
        case 2:
          Utils::DrawTextInRectVerticalCenter(g, box, names[i], label_font_.get(), &ink);
          break;
        default: Utils::DrawTextInRect(g, box, names[i], label_font_.get(), &ink); break;
      }
    }
  }

  void DrawGdiTexts(WTL::CDC& dc) {
    Gdiplus::Graphics g(dc.m_hDC);
    Caption(g, 0, 146, L"Text in a rectangle (GDI): wrapped, & as itself, measured");
    const wchar_t text[] =
        L"Tom & Jerry: this paragraph wraps at words inside its rectangle, and a "
        L"line that would show only in part is left out.";
    std::pair<int, int> extent;
    {
      view::frame::SelectObjectScope font(dc.m_hDC, gdi_font_.get());
      dc.SetBkMode(TRANSPARENT);
      dc.SetTextColor(RGB(30, 30, 30));
      Utils::DrawTextInRect(dc, text, -1, WTL::CRect(0, 168, 300, 168 + 62));
      extent = Utils::GetTextExtent(dc, text, -1, 300);
    }
    Utils::DrawRoundRect(&g, Gdiplus::RectF(0, 168, 300, 62), Grey(), 0, 1);
    const std::wstring note = L"GetTextExtent at 300 px: " + std::to_wstring(extent.first) +
                              L" x " + std::to_wstring(extent.second);
    Gdiplus::Color ink = Ink();
    Utils::DrawTextInRect(g, Gdiplus::RectF(310, 168, 130, 62), note.c_str(), label_font_.get(),
                          &ink);
  }

  void DrawRoundRects(Gdiplus::Graphics& g) {
    Caption(g, 470, 0, L"Rounded fills and outlines (widths 1 to 3)");
    Gdiplus::SolidBrush fill(Gdiplus::Color(255, 214, 232, 255));
    Utils::FillRoundRect(&g, &fill, Gdiplus::RectF(470, 22, 100, 50), Gdiplus::Color(255, 40, 110, 200), 8);
    for (int width = 1; width <= 3; ++width) {
      const float x = 470.0f + 110.0f * static_cast<float>(width);
      Utils::DrawRoundRect(&g, Gdiplus::RectF(x, 22, 100, 50), Gdiplus::Color(255, 200, 70, 40),
                           10, width);
    }
    CPathHelper path;
    Gdiplus::SolidBrush green(Gdiplus::Color(255, 120, 190, 120));
    g.FillPath(&green, path.CreateRoundRect(Gdiplus::Rect(470, 80, 430, 22), 11));
  }

  void DrawGlyphs(Gdiplus::Graphics& g) {
    Caption(g, 470, 112, L"Ticks and drop-down arrows");
    const COLORREF colours[] = {RGB(0, 0, 0), RGB(0, 128, 0), RGB(200, 0, 0), RGB(0, 90, 200)};
    for (int i = 0; i < 4; ++i) {
      // A tick's horizontal position is measured from the graphics' origin.
      g.TranslateTransform(470.0f + 40.0f * static_cast<float>(i), 0.0f);
      WTL::CRect rect(0, 134, 30, 164);
      Utils::DrawTick(g, rect, colours[i]);
      g.ResetTransform();
      std::unique_ptr<Gdiplus::Bitmap> arrow(Utils::CreateDropDown(colours[i], 16, 12));
      Utils::DrawImage(g, arrow.get(), 640 + 30 * i, 143);
    }
  }

  void DrawStretch(Gdiplus::Graphics& g) {
    Caption(g, 0, 244, L"Three-slice stretch (a 30-pixel strip, caps of 10)");
    Utils::DrawImage(g, strip_.get(), 0, 266);
    CGraphicsHelper helper;
    const int widths[] = {60, 95, 140, 200};
    int x = 40;
    for (int w : widths) {
      Gdiplus::Rect dest(x, 266, w, 12);
      helper.StretchWidthImage(g, strip_.get(), dest, 10.0f);
      x += w + 12;
    }
  }

  void DrawAspectFit(Gdiplus::Graphics& g) {
    Caption(g, 0, 292, L"Aspect-fitted 160 x 90 picture in 80 x 80, 60 x 110, 200 x 110");
    const std::pair<int, int> boxes[] = {{80, 80}, {60, 110}, {200, 110}};
    int x = 0;
    for (const auto& box : boxes) {
      const auto size = Utils::CalculateDrawSize(160, 90, box.first, box.second);
      Utils::DrawRoundRect(&g, Gdiplus::RectF(static_cast<float>(x), 314.0f,
                                              static_cast<float>(box.first),
                                              static_cast<float>(box.second)),
                           Grey(), 0, 1);
      Utils::DrawImage(g, picture_.get(), x + (box.first - size.first) / 2,
                       314 + (box.second - size.second) / 2, size.first, size.second);
      x += box.first + 16;
    }
  }

  void DrawMarkup(Gdiplus::Graphics& g) {
    Caption(g, 470, 182, L"Coloured markup, painted run by run");
    std::wstring plain;
    const auto runs = Utils::PickColorParts(
        L"Build <font color=\"32768\">passed</font>: <font color=\"255\">2 warnings</font> "
        L"and <font color=\"16711680\">5 notes</font>.",
        plain, RGB(40, 40, 40));
    float x = 470.0f;
    Gdiplus::StringFormat format(Gdiplus::StringFormat::GenericTypographic());
    format.SetFormatFlags(format.GetFormatFlags() | Gdiplus::StringFormatFlagsMeasureTrailingSpaces);
    for (const auto& run : runs) {
      if (run.first.empty()) continue;
      Gdiplus::Color colour(0xFF000000u | (GetRValue(run.second) << 16) |
                            (GetGValue(run.second) << 8) | GetBValue(run.second));
      Gdiplus::RectF box;
      g.MeasureString(run.first.c_str(), static_cast<INT>(run.first.size()), label_font_.get(),
                      Gdiplus::PointF(x, 204.0f), &format, &box);
      Utils::DrawTextW(g, box, run.first.c_str(), label_font_.get(), &format, &colour);
      x += box.Width;
    }
    const std::wstring summary =
        L"Plain text: \"" + plain + L"\"   Link label: \"" +
        Utils::PickLinkShowContent(L"Read the <A HREF=\"https://example.com\">release notes</A>.") +
        L"\"";
    Gdiplus::Color ink = Ink();
    Utils::DrawTextInRect(g, Gdiplus::RectF(470, 228, 440, 40), summary.c_str(),
                          label_font_.get(), &ink);
  }

  void DrawPrivateFont(Gdiplus::Graphics& g) {
    Caption(g, 470, 292, L"A private font from the gallery's resources (CFontHelper)");
    Gdiplus::Color ink = Ink();
    if (!private_font_loaded_) {
      Utils::DrawTextInRect(g, Gdiplus::RectF(470, 314, 440, 30), L"(font resource missing)",
                            label_font_.get(), &ink);
      return;
    }
    float y = 314.0f;
    const std::pair<Gdiplus::FontStyle, float> styles[] = {
        {Gdiplus::FontStyleRegular, 14.0f},
        {Gdiplus::FontStyleRegular, 18.0f},
        {Gdiplus::FontStyleBold, 22.0f},
    };
    for (const auto& style : styles) {
      fonts_.SetFontStyle(style.first, style.second);
      Utils::DrawTextInRectVerticalCenter(g, Gdiplus::RectF(470, y, 440, style.second + 12),
                                          L"DejaVu Serif, loaded privately", fonts_.font_, &ink);
      y += style.second + 14;
    }
  }

  std::unique_ptr<Gdiplus::Font> label_font_;
  std::unique_ptr<Gdiplus::Font> caption_font_;
  view::frame::ScopedGdiObject<HFONT> gdi_font_;
  std::unique_ptr<Gdiplus::Bitmap> strip_;
  std::unique_ptr<Gdiplus::Bitmap> picture_;
  CFontHelper fonts_;
  bool private_font_loaded_ = false;
};

LRESULT CALLBACK CanvasProc(HWND wnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  auto* canvas = reinterpret_cast<Canvas*>(GetWindowLongPtrW(wnd, 0));
  switch (msg) {
    case WM_NCCREATE:
      SetWindowLongPtrW(wnd, 0, reinterpret_cast<LONG_PTR>(
                                    reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams));
      break;
    case WM_ERASEBKGND:
      return 1;  // the paint covers everything
    case WM_PAINT: {
      view::frame::PaintScope paint(wnd);
      RECT client = {};
      GetClientRect(wnd, &client);
      if (canvas != nullptr) canvas->Paint(paint.get(), client.right, client.bottom);
      return 0;
    }
    case WM_PRINTCLIENT: {
      RECT client = {};
      GetClientRect(wnd, &client);
      if (canvas != nullptr) canvas->Paint(reinterpret_cast<HDC>(wparam), client.right, client.bottom);
      return 0;
    }
    default:
      break;
  }
  return DefWindowProcW(wnd, msg, wparam, lparam);
}

class DrawingPage : public gallery::Page {
 public:
  void Build(HWND panel) override {
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = CanvasProc;
    wc.cbWndExtra = sizeof(Canvas*);
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    wc.lpszClassName = kCanvasClass;
    RegisterClassExW(&wc);  // fails harmlessly when the page is built again
    CreateWindowExW(0, kCanvasClass, L"", WS_CHILD | WS_VISIBLE, 24, 24, kCanvasWidth,
                    kCanvasHeight, panel, nullptr, wc.hInstance, &canvas_);
  }

 private:
  Canvas canvas_;
};

}  // namespace

VIEW_GALLERY_PAGE(200, L"Drawing services", DrawingPage);

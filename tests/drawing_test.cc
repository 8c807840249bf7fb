// Drawing services: the Utils drawing, measuring and window helpers, the
// GDI+ resource helpers and the window background brush helper. Drawn
// results are read back from bitmaps.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "harness.h"
#include "view/graphics_helpers.h"
#include "view/internal/drawing/drawing_math.h"
#include "view/internal/frame/scoped.h"
#include "view/utils.h"
#include "view/zu_window_bg_brush_helper.h"

namespace {

using view::frame::ScopedGdiObject;
using viewtest::Image;

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kBlack = 0x000000;

// A white ARGB bitmap with a graphics object on it.
struct Canvas {
  Canvas(int width, int height)
      : bitmap(width, height, PixelFormat32bppARGB), graphics(&bitmap) {
    graphics.Clear(Gdiplus::Color(255, 255, 255, 255));
  }
  Image Pixels() { return viewtest::FromBitmap(bitmap); }
  Gdiplus::Bitmap bitmap;
  Gdiplus::Graphics graphics;
};

// A memory canvas with text drawn transparently, for the GDI forms (which
// take the DC as a WTL object).
struct GdiCanvas : viewtest::MemoryCanvas {
  GdiCanvas(int width, int height) : MemoryCanvas(width, height), cdc(dc) {
    cdc.SetBkMode(TRANSPARENT);
  }
  ~GdiCanvas() { cdc.Detach(); }
  WTL::CDCT<true> cdc;
};

// A picture whose pixels tell where they are: red = x, green = y, blue 0x80.
uint32_t At(int x, int y) { return (static_cast<uint32_t>(x) << 16) | (y << 8) | 0x80; }
std::unique_ptr<Gdiplus::Bitmap> CoordinatePicture(int width, int height) {
  auto picture = std::make_unique<Gdiplus::Bitmap>(width, height, PixelFormat32bppARGB);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) picture->SetPixel(x, y, Gdiplus::Color(0xFF000000u | At(x, y)));
  }
  return picture;
}

}  // namespace

TEST(Sizes, AspectFitNeverEnlargesAndFitsBothWays) {
  const struct {
    int w, h, max_w, max_h, fit_w, fit_h;
  } cases[] = {{100, 50, 200, 200, 100, 50}, {400, 200, 100, 100, 100, 50},
               {100, 300, 100, 100, 33, 100}, {0, 500, 100, 100, 0, 100},
               {10, 10, -1, -1, 0, 0}};
  for (const auto& c : cases) {
    EXPECT_EQ(Utils::CalculateDrawSize(c.w, c.h, c.max_w, c.max_h), std::make_pair(c.fit_w, c.fit_h))
        << c.w << " x " << c.h << " in " << c.max_w << " x " << c.max_h;
  }
}

TEST(RoundRect, PathOutlineAndFill) {
  // The path lies one pixel inside the right and bottom edges.
  Gdiplus::GraphicsPath path;
  path.AddRectangle(Gdiplus::Rect(500, 500, 5, 5));  // reset first: this must go
  Utils::CreateRoundRect(path, Gdiplus::RectF(0, 0, 100, 40), 10);
  Gdiplus::RectF bounds;
  path.GetBounds(&bounds);
  EXPECT_TRUE(bounds.Equals(Gdiplus::RectF(0, 0, 99, 39)));

  // An outline of width w grows inward by w pixels on every side and
  // leaves the page unit as it was.
  const Gdiplus::RectF rect(10, 10, 60, 40);  // right edge drawn at 69, bottom at 49
  for (int width : {1, 3}) {
    Canvas canvas(80, 60);
    canvas.graphics.SetPageUnit(Gdiplus::UnitDisplay);
    Utils::DrawRoundRect(&canvas.graphics, rect, Gdiplus::Color(255, 0, 0, 0), 3, width);
    EXPECT_EQ(canvas.graphics.GetPageUnit(), Gdiplus::UnitDisplay);
    const Image img = canvas.Pixels();
    EXPECT_EQ(img.BoundsNot(kWhite), (RECT{10, 10, 70, 50})) << width;
    EXPECT_EQ(img.Count(kBlack, 40, 0, 41, 60), 2 * width) << width;  // top and bottom
    EXPECT_EQ(img.Count(kBlack, 0, 30, 80, 31), 2 * width) << width;  // left and right
  }

  // Filled with the brush inside the border; the rounded corner leaves the
  // corner pixel. Without a brush only the outline.
  Gdiplus::SolidBrush red(Gdiplus::Color(255, 255, 0, 0));
  for (Gdiplus::Brush* brush : {static_cast<Gdiplus::Brush*>(&red), static_cast<Gdiplus::Brush*>(nullptr)}) {
    Canvas canvas(80, 60);
    Utils::FillRoundRect(&canvas.graphics, brush, rect, Gdiplus::Color(255, 0, 0, 255), 4);
    const Image img = canvas.Pixels();
    EXPECT_EQ(img.At(40, 30), brush ? 0xFF0000u : kWhite);
    EXPECT_EQ(img.At(40, 10), 0x0000FFu);
    EXPECT_EQ(img.At(69, 30), 0x0000FFu);
    EXPECT_EQ(img.At(10, 10), kWhite);
  }
  Utils::FillRoundRect(nullptr, &red, rect, Gdiplus::Color(), 2);  // no graphics: no crash
  Utils::DrawRoundRect(nullptr, rect, Gdiplus::Color(), 2, 3);
}

TEST(Text, FitWidthExtentAndWrapping) {
  GdiCanvas canvas(200, 100);
  ScopedGdiObject<HFONT> arial(Utils::GetHFONT(-16, DEFAULT_CHARSET, false, L"Arial"));
  std::wstring text = L"WWWWWWWW";
  SIZE three = {}, word = {}, both = {};
  TEXTMETRICW metrics = {};
  {
    view::frame::SelectObjectScope selected(canvas.dc, arial.get());
    ::GetTextExtentPoint32W(canvas.dc, text.c_str(), 3, &three);
    ::GetTextExtentPoint32W(canvas.dc, L"Alpha", 5, &word);
    ::GetTextExtentPoint32W(canvas.dc, L"Alpha Beta", 10, &both);
    ::GetTextMetricsW(canvas.dc, &metrics);
  }
  // As many characters as fit the width exactly, the DC's font restored.
  const HGDIOBJ before = ::GetCurrentObject(canvas.dc, OBJ_FONT);
  EXPECT_EQ(Utils::numberOfGdiCharactersThatFitWidth(canvas.cdc, three.cx, text, arial.get()), 3);
  EXPECT_EQ(Utils::numberOfGdiCharactersThatFitWidth(canvas.cdc, three.cx - 1, text, arial.get()), 2);
  EXPECT_EQ(::GetCurrentObject(canvas.dc, OBJ_FONT), before);

  // Extents: one line when wide enough, wrapped at the space when not,
  // never wider than the limit.
  view::frame::SelectObjectScope selected(canvas.dc, arial.get());
  const int line = metrics.tmHeight;
  EXPECT_EQ(Utils::GetTextExtent(canvas.cdc, L"Alpha Beta", -1, 1000), std::make_pair(static_cast<int>(both.cx), line));
  const auto wrapped = Utils::GetTextExtent(canvas.cdc, L"Alpha Beta", -1, word.cx + 2);
  EXPECT_EQ(wrapped.second, 2 * line);
  EXPECT_LE(wrapped.first, word.cx + 2);
  EXPECT_EQ(Utils::GetTextExtent(canvas.cdc, nullptr, 5, 100).first, 0);
}

TEST(Helpers, BadInputIsRefusedWithoutACrash) {
  Canvas canvas(10, 10);
  Utils::DrawImage(canvas.graphics, nullptr, 0, 0);
  std::vector<long> untouched = {1, 2};
  EXPECT_FALSE(Utils::StoreGifInternal(nullptr, untouched));
  EXPECT_EQ(untouched, (std::vector<long>{1, 2}));
  EXPECT_EQ(Utils::GetWindowScrollBarThumbWidth(nullptr), 0);
  EXPECT_EQ(Utils::GetEditValue(nullptr), L"");
  CImageHelper images;
  EXPECT_EQ(images.Load_Image(999, L"PNG", ::GetModuleHandleW(nullptr)), nullptr);
  Gdiplus::Image* unreadable = images.Load_Image(L"Z:\\no\\such\\file.png", L"");
  ASSERT_NE(unreadable, nullptr);
  EXPECT_NE(unreadable->GetLastStatus(), Gdiplus::Ok);
  CFontHelper fonts;
  EXPECT_EQ(fonts.SetFontStyle(Gdiplus::FontStyleBold, 20.0f), 0) << "no family yet";
  EXPECT_EQ(fonts.LoadFont(999, L"TTF", ::GetModuleHandleW(nullptr)), 0);
  viewtest::HostWindow host;
  EXPECT_EQ(fonts.FontToHFONT_W(host), nullptr);
}

// ---------------------------------------------------------------------------
// GDI+ resource helpers

TEST(GraphicsHelper, StretchWidthImageSlices) {
  // A 30 x 4 strip: left cap red (columns 0-9), middle green with a black
  // first column (10-19), right cap blue (20-29).
  Gdiplus::Bitmap strip(30, 4, PixelFormat32bppARGB);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 30; ++x) {
      strip.SetPixel(x, y, Gdiplus::Color(x < 10 ? 0xFFFF0000 : x == 10 ? 0xFF000000
                                          : x < 20 ? 0xFF00FF00 : 0xFF0000FF));
    }
  }
  CGraphicsHelper helper;
  // Middle pieces start at x + 10, + 20, + 30; the right cap at x + 40, or
  // at x + 35 after the last middle piece is squeezed into 5 pixels.
  for (int width : {50, 45}) {
    Canvas canvas(80, 20);
    // Exact pixels: the test picks nearest-neighbour sampling and half-pixel
    // offsets; the helper itself leaves the graphics' settings alone.
    canvas.graphics.SetInterpolationMode(Gdiplus::InterpolationModeNearestNeighbor);
    canvas.graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
    Gdiplus::Rect dest(5, 2, width, 15);
    helper.StretchWidthImage(canvas.graphics, &strip, dest, 10.0f);
    const Image img = canvas.Pixels();
    const int right_cap = width == 50 ? 45 : 40;
    EXPECT_EQ(img.Count(0xFF0000, 0, 3, 80, 4), 10) << width;
    EXPECT_EQ(img.BoundsNot(0x00FF00, RECT{15, 3, right_cap, 4}), (RECT{15, 3, 36, 4})) << width;
    EXPECT_EQ(img.Count(kBlack, 0, 3, 80, 4), 3) << width;  // at 15, 25 and 35
    EXPECT_EQ(img.At(35, 3), kBlack) << width;
    EXPECT_EQ(img.Count(0x0000FF, right_cap, 3, right_cap + 10, 4), 10) << width;
    EXPECT_EQ(img.BoundsNot(kWhite), (RECT{5, 2, right_cap + 10, 6})) << "the image's height";
  }
  // Nothing drawn without an image, width or edge.
  Canvas blank(40, 10);
  Gdiplus::Rect dest(0, 0, 30, 4), empty(0, 0, 0, 4);
  helper.StretchWidthImage(blank.graphics, nullptr, dest, 10.0f);
  helper.StretchWidthImage(blank.graphics, &strip, dest, 0.0f);
  helper.StretchWidthImage(blank.graphics, &strip, empty, 10.0f);
  EXPECT_EQ(blank.Pixels().Count(kWhite), 40 * 10);
}

// ---------------------------------------------------------------------------
// Background brushes

TEST(Backgrounds, BlockBehindEachChild) {
  // The parent paints a picture whose pixels tell where they are, and
  // records which background message asked for it.
  viewtest::HostWindow host(true, 300, 200);
  auto picture = CoordinatePicture(256, 200), small_picture = CoordinatePicture(50, 40);
  std::vector<std::pair<UINT, LPARAM>> seen;
  host.on_message = [&](UINT msg, WPARAM wparam, LPARAM lparam, LRESULT& result) {
    if (msg != WM_ERASEBKGND && msg != WM_PRINTCLIENT && msg != WM_PAINT) return false;
    HDC dc = reinterpret_cast<HDC>(wparam);
    if (dc == nullptr || ::GetObjectType(dc) != OBJ_MEMDC) return false;  // real paints
    seen.push_back({msg, lparam});
    Gdiplus::Graphics(dc).DrawImage(picture.get(), 0, 0, 256, 200);
    result = 1;
    return true;
  };
  HWND child = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 10, 20, 100, 30, host,
                                 nullptr, nullptr, nullptr);
  HWND other = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 150, 100, 40, 10,
                                 host, nullptr, nullptr, nullptr);
  // The same picture for the window background helper as a GDI bitmap.
  HBITMAP gdi_picture = nullptr;
  picture->GetHBITMAP(Gdiplus::Color(0, 0, 0), &gdi_picture);
  ScopedGdiObject<HBITMAP> gdi_owner(gdi_picture);
  // The pixels a brush paints into a 100 x 30 bitmap from (0, 0).
  auto painted = [](HBRUSH brush) {
    GdiCanvas canvas(100, 30);
    RECT all = {0, 0, 100, 30};
    ::FillRect(canvas.dc, &all, brush);
    return canvas.Pixels();
  };
  {  // what the platform makes once for the first paint and pattern fill does not count
    CBrushHelper warm_up;
    warm_up.GetBackGroundBrush(child, host.hwnd(), CBrushHelper::BRUSH_TYPE_PAINT);
    ZuWindowBgBrushHelper bg_warm_up;
    bg_warm_up.AddSubWindow(child, picture.get(), 5, 0);
    painted(bg_warm_up.GetHBRUSH(child));
  }
  const int before = viewtest::CountGdiObjects();
  {
    // The texture brush: the parent's block behind the child, asked for
    // with the message the type names.
    CBrushHelper helper;
    EXPECT_EQ(helper.GetBackGroundBrush(nullptr, host.hwnd(), CBrushHelper::BRUSH_TYPE_ERASEBKGND),
              nullptr);
    const struct {
      int type;
      UINT message;
      LPARAM flags;
    } cases[] = {
        {CBrushHelper::BRUSH_TYPE_ERASEBKGND, WM_ERASEBKGND, 0},
        {CBrushHelper::BRUSH_TYPE_PRINTCLIENT, WM_PRINTCLIENT, 14},
        {CBrushHelper::BRUSH_TYPE_PAINT, WM_PAINT, 14},
        {7, WM_ERASEBKGND, 0},  // unknown types ask for the erased background
    };
    for (const auto& c : cases) {
      seen.clear();
      Gdiplus::TextureBrush* brush = helper.GetBackGroundBrush(
          child, host.hwnd(), static_cast<CBrushHelper::GET_BRUSH_TYPE>(c.type));
      ASSERT_NE(brush, nullptr);
      EXPECT_EQ(seen, (std::vector<std::pair<UINT, LPARAM>>{{c.message, c.flags}})) << c.type;
      Canvas canvas(100, 30);
      canvas.graphics.FillRectangle(brush, 0, 0, 100, 30);
      const Image img = canvas.Pixels();
      EXPECT_EQ(img.At(0, 0), At(10, 20)) << c.type;
      EXPECT_EQ(img.At(99, 29), At(109, 49)) << c.type;
    }
    helper.DeleteOldBrush();
    helper.GetBackGroundBrush(child, host.hwnd(), CBrushHelper::BRUSH_TYPE_ERASEBKGND);
  }
  {
    ZuWindowBgBrushHelper helper;
    // Image form: the client origin lies at (5, 0) of the picture.
    helper.AddSubWindow(child, picture.get(), 5, 0);
    const HBRUSH first = helper.GetHBRUSH(child);
    Image img = painted(first);
    EXPECT_EQ(img.At(0, 0), At(15, 20));
    EXPECT_EQ(img.At(99, 29), At(114, 49));
    // Bitmap form for the same child: the block at (10, 20); it replaces
    // the brush, and the first one stays usable.
    helper.AddSubWindow(child, gdi_owner.get());
    ASSERT_NE(helper.GetHBRUSH(child), first);
    EXPECT_EQ(::GetObjectType(first), static_cast<DWORD>(OBJ_BRUSH));
    img = painted(helper.GetHBRUSH(child));
    EXPECT_EQ(img.At(0, 0), At(10, 20));
    EXPECT_EQ(img.At(99, 29), At(109, 49));
    // A child reaching beyond the picture gets the block clipped to it.
    helper.AddSubWindow(other, small_picture.get(), 0, 0);
    EXPECT_NE(helper.GetHBRUSH(other), nullptr);
    helper.AddSubWindow(child, small_picture.get(), 0, 0);
    img = painted(helper.GetHBRUSH(child));
    EXPECT_EQ(img.At(39, 19), At(49, 39));
    EXPECT_EQ(img.BoundsNot(kBlack), (RECT{0, 0, 40, 20}));  // nothing beyond the picture
    // Bad input stores nothing and does not crash.
    helper.AddSubWindow(nullptr, picture.get(), 0, 0);
    helper.AddSubWindow(child, static_cast<Gdiplus::Image*>(nullptr), 0, 0);
    helper.AddSubWindow(nullptr, gdi_owner.get());
    EXPECT_EQ(helper.GetHBRUSH(nullptr), nullptr);
  }
  // Every DC and bitmap released; destroying the window background helper
  // deletes every brush, the replaced ones included.
  EXPECT_EQ(viewtest::CountGdiObjects(), before);
}

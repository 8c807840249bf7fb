// Drawing services: the Utils drawing, measuring and window helpers, the
// GDI+ resource helpers and the window background brush helper. Drawn
// results are read back from bitmaps; geometry is checked against values
// worked out by hand.

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include <shlwapi.h>

#include "harness.h"
#include "view/internal/drawing_math.h"
#include "view/internal/frame/scoped.h"
#include "view/utils.h"

namespace {

using viewtest::Image;
using view::internal::Box;
using view::internal::Line;

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kBlack = 0x000000;

// Resource ids of drawing_test.rc.
constexpr int kPngResource = 101;
constexpr int kGifResource = 102;

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

// A memory DC over a white 32-bit DIB section, for the GDI forms.
struct GdiCanvas {
  GdiCanvas(int width, int height) : dc(::CreateCompatibleDC(nullptr)) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    bitmap.reset(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    old_bitmap = ::SelectObject(dc.m_hDC, bitmap.get());
    RECT all = {0, 0, width, height};
    dc.FillSolidRect(&all, RGB(255, 255, 255));
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(RGB(0, 0, 0));
  }
  ~GdiCanvas() { ::SelectObject(dc.m_hDC, old_bitmap); }
  // GetDIBits wants the bitmap out of any DC while it reads.
  Image Pixels() {
    ::SelectObject(dc.m_hDC, old_bitmap);
    Image image = viewtest::FromHBitmap(bitmap.get());
    ::SelectObject(dc.m_hDC, bitmap.get());
    return image;
  }
  WTL::CDCT<true> dc;
  view::frame::ScopedGdiObject<HBITMAP> bitmap;
  HGDIOBJ old_bitmap = nullptr;
};

// A bitmap decoded from one of this executable's resources.
std::unique_ptr<Gdiplus::Bitmap> ResourceBitmap(int id, const wchar_t* type) {
  HMODULE module = ::GetModuleHandleW(nullptr);
  HRSRC found = ::FindResourceW(module, MAKEINTRESOURCEW(id), type);
  if (found == nullptr) return nullptr;
  const DWORD size = ::SizeofResource(module, found);
  const void* bytes = ::LockResource(::LoadResource(module, found));
  IStream* stream = ::SHCreateMemStream(static_cast<const BYTE*>(bytes), size);
  if (stream == nullptr) return nullptr;
  std::unique_ptr<Gdiplus::Bitmap> bitmap(new Gdiplus::Bitmap(stream, FALSE));
  stream->Release();
  return bitmap;
}

// ---------------------------------------------------------------------------
// Pure arithmetic

TEST(DrawingMath, ColorRefBecomesOpaqueArgb) {
  EXPECT_EQ(view::internal::ArgbFromColorRef(RGB(0x11, 0x22, 0x33)), 0xFF112233u);
  // The top byte of a COLORREF is not an alpha: it is dropped.
  EXPECT_EQ(view::internal::ArgbFromColorRef(0x7F0000FFu), 0xFFFF0000u);
  EXPECT_EQ(view::internal::ColorFromColorRef(RGB(0, 255, 0)).GetValue(), 0xFF00FF00u);
}

TEST(DrawingMath, RoundRectArcBoxes) {
  const auto d10 = view::internal::RoundRectArcBoxes(Gdiplus::RectF(0, 0, 100, 40), 10);
  EXPECT_EQ(d10.arc[0], (Box{0, 0, 10, 10}));
  EXPECT_EQ(d10.arc[1], (Box{89, 0, 10, 10}));
  EXPECT_EQ(d10.arc[2], (Box{89, 29, 10, 10}));
  EXPECT_EQ(d10.arc[3], (Box{0, 29, 10, 10}));

  // Diameter 20: the three later corners use 21-pixel boxes.
  const auto d20 = view::internal::RoundRectArcBoxes(Gdiplus::RectF(0, 0, 100, 40), 20);
  EXPECT_EQ(d20.arc[0], (Box{0, 0, 20, 20}));
  EXPECT_EQ(d20.arc[1], (Box{78, 0, 21, 21}));
  EXPECT_EQ(d20.arc[2], (Box{78, 18, 21, 21}));
  EXPECT_EQ(d20.arc[3], (Box{0, 18, 21, 21}));

  // Clamped to the width (30), then to the height (12).
  const auto clamped = view::internal::RoundRectArcBoxes(Gdiplus::RectF(0, 0, 30, 12), 50);
  EXPECT_EQ(clamped.arc[0], (Box{0, 0, 12, 12}));

  // Fractional positions are truncated toward zero.
  const auto offset = view::internal::RoundRectArcBoxes(Gdiplus::RectF(5.7f, 3.2f, 50, 20), 6);
  EXPECT_EQ(offset.arc[0], (Box{5, 3, 6, 6}));
  EXPECT_EQ(offset.arc[1], (Box{48, 3, 6, 6}));  // trunc(5 + 50 - 6 - 1)
  EXPECT_EQ(offset.arc[2], (Box{48, 16, 6, 6}));  // trunc(20 - 6 - 1 + 3)
}

TEST(DrawingMath, LargestFittingPrefix) {
  int calls = 0;
  // Each character is 7 pixels wide.
  auto fits_in = [&](int width) {
    return [&, width](int n) {
      ++calls;
      return 7 * n <= width;
    };
  };
  EXPECT_EQ(view::internal::LargestFittingPrefix(0, fits_in(100)), 0);
  EXPECT_EQ(view::internal::LargestFittingPrefix(10, fits_in(1000)), 10);
  EXPECT_EQ(view::internal::LargestFittingPrefix(10, fits_in(6)), 0);
  EXPECT_EQ(view::internal::LargestFittingPrefix(10, fits_in(21)), 3);
  EXPECT_EQ(view::internal::LargestFittingPrefix(10, fits_in(27)), 3);
  EXPECT_EQ(view::internal::LargestFittingPrefix(-5, fits_in(27)), 0);
  calls = 0;
  view::internal::LargestFittingPrefix(1000, fits_in(3500));
  EXPECT_LE(calls, 11);  // a binary search, not a scan
}

TEST(DrawingMath, AspectFitNeverEnlargesAndFitsBothWays) {
  EXPECT_EQ(Utils::CalculateDrawSize(100, 50, 200, 200), std::make_pair(100, 50));
  EXPECT_EQ(Utils::CalculateDrawSize(400, 200, 100, 100), std::make_pair(100, 50));
  EXPECT_EQ(Utils::CalculateDrawSize(300, 300, 100, 50), std::make_pair(50, 50));
  EXPECT_EQ(Utils::CalculateDrawSize(100, 300, 100, 100), std::make_pair(33, 100));
  // Degenerate sizes give zeros, never garbage.
  EXPECT_EQ(Utils::CalculateDrawSize(0, 500, 100, 100), std::make_pair(0, 100));
  EXPECT_EQ(Utils::CalculateDrawSize(10, 10, -1, -1), std::make_pair(0, 0));
}

TEST(DrawingMath, GlyphLines) {
  // Menu check 15 x 15 in rows 0..40: base = (40 - 15) / 2 = 12.
  const auto tick = view::internal::TickLines(0, 40, 15, 15);
  EXPECT_EQ(tick.first, (Line{4, 12 + 9, 7, 12 + 11}));
  EXPECT_EQ(tick.second, (Line{7, 23, 15, 12}));
  const auto arrow = view::internal::DropDownLines(12, 8);
  EXPECT_EQ(arrow.first, (Line{2, 4, 6, 6}));
  EXPECT_EQ(arrow.second, (Line{10, 4, 6, 6}));
}

TEST(DrawingMath, FrameIndexWraps) {
  EXPECT_EQ(view::internal::NextFrameIndex(0, 3), 1);
  EXPECT_EQ(view::internal::NextFrameIndex(2, 3), 0);
  EXPECT_EQ(view::internal::NextFrameIndex(7, 3), 0);
  EXPECT_EQ(view::internal::NextFrameIndex(-9, 3), 0);
  EXPECT_EQ(view::internal::NextFrameIndex(0, 0), 0);
}

// ---------------------------------------------------------------------------
// Rounded rectangles

// The path's points, for checking where the figure runs.
std::vector<Gdiplus::PointF> PathPoints(const Gdiplus::GraphicsPath& path) {
  std::vector<Gdiplus::PointF> points(static_cast<size_t>(path.GetPointCount()));
  if (!points.empty()) path.GetPathPoints(points.data(), static_cast<INT>(points.size()));
  return points;
}

bool HasPoint(const std::vector<Gdiplus::PointF>& points, float x, float y) {
  for (const auto& p : points) {
    if (std::abs(p.X - x) < 0.01f && std::abs(p.Y - y) < 0.01f) return true;
  }
  return false;
}

TEST(RoundRect, PathRunsThroughTheArcEnds) {
  Gdiplus::GraphicsPath path;
  path.AddRectangle(Gdiplus::Rect(500, 500, 5, 5));  // reset first: this must go
  Utils::CreateRoundRect(path, Gdiplus::RectF(0, 0, 100, 40), 10);
  auto points = PathPoints(path);
  ASSERT_FALSE(points.empty());
  // Start and end of each quarter arc (box x, y, 10, 10).
  EXPECT_TRUE(HasPoint(points, 0, 5));
  EXPECT_TRUE(HasPoint(points, 5, 0));
  EXPECT_TRUE(HasPoint(points, 94, 0));
  EXPECT_TRUE(HasPoint(points, 99, 5));
  EXPECT_TRUE(HasPoint(points, 99, 34));
  EXPECT_TRUE(HasPoint(points, 94, 39));
  EXPECT_TRUE(HasPoint(points, 5, 39));
  EXPECT_TRUE(HasPoint(points, 0, 34));
  Gdiplus::RectF bounds;
  path.GetBounds(&bounds);
  EXPECT_FLOAT_EQ(bounds.X, 0);
  EXPECT_FLOAT_EQ(bounds.Y, 0);
  EXPECT_FLOAT_EQ(bounds.Width, 99);  // one pixel inside the right edge
  EXPECT_FLOAT_EQ(bounds.Height, 39);
  std::vector<BYTE> types(points.size());
  path.GetPathTypes(types.data(), static_cast<INT>(types.size()));
  EXPECT_EQ(types.front() & Gdiplus::PathPointTypePathTypeMask, Gdiplus::PathPointTypeStart);
  EXPECT_NE(types.back() & Gdiplus::PathPointTypeCloseSubpath, 0);
  for (size_t i = 1; i < types.size(); ++i) {
    EXPECT_NE(types[i] & Gdiplus::PathPointTypePathTypeMask, Gdiplus::PathPointTypeStart)
        << "one figure only, point " << i;
  }

  // Diameter 20: the top-right arc runs in the 21-pixel box at (78, 0).
  Utils::CreateRoundRect(path, Gdiplus::RectF(0, 0, 100, 40), 20);
  points = PathPoints(path);
  EXPECT_TRUE(HasPoint(points, 0, 10));
  EXPECT_TRUE(HasPoint(points, 88.5f, 0));
  EXPECT_TRUE(HasPoint(points, 99, 10.5f));
  EXPECT_TRUE(HasPoint(points, 10.5f, 39));

  // A zero diameter is a plain rectangle with the same inner right/bottom edges.
  Utils::CreateRoundRect(path, Gdiplus::RectF(2, 3, 20, 10), 0);
  path.GetBounds(&bounds);
  EXPECT_FLOAT_EQ(bounds.X, 2);
  EXPECT_FLOAT_EQ(bounds.Y, 3);
  EXPECT_FLOAT_EQ(bounds.Width, 19);
  EXPECT_FLOAT_EQ(bounds.Height, 9);
}

TEST(RoundRect, OutlineGrowsInwardByWidth) {
  const Gdiplus::RectF rect(10, 10, 60, 40);  // right edge drawn at 69, bottom at 49
  for (int width : {1, 3}) {
    Canvas canvas(80, 60);
    canvas.graphics.SetPageUnit(Gdiplus::UnitDisplay);
    Utils::DrawRoundRect(&canvas.graphics, rect, Gdiplus::Color(255, 0, 0, 0), 3, width);
    EXPECT_EQ(canvas.graphics.GetPageUnit(), Gdiplus::UnitDisplay) << "page unit restored";
    Image img = canvas.Pixels();
    SCOPED_TRACE("width " + std::to_string(width));
    for (int k = 0; k < width; ++k) {
      EXPECT_EQ(img.At(40, 10 + k), kBlack) << "top " << k;
      EXPECT_EQ(img.At(40, 49 - k), kBlack) << "bottom " << k;
      EXPECT_EQ(img.At(10 + k, 30), kBlack) << "left " << k;
      EXPECT_EQ(img.At(69 - k, 30), kBlack) << "right " << k;
    }
    // Nothing beyond the border on either side.
    EXPECT_EQ(img.At(40, 10 + width), kWhite);
    EXPECT_EQ(img.At(10 + width, 30), kWhite);
    EXPECT_EQ(img.At(69 - width, 30), kWhite);
    EXPECT_EQ(img.At(40, 9), kWhite);
    EXPECT_EQ(img.At(70, 30), kWhite);
    EXPECT_EQ(img.At(40, 50), kWhite);
    EXPECT_EQ(img.BoundsNot(kWhite).left, 10);
    EXPECT_EQ(img.BoundsNot(kWhite).right, 70);
    if (HasFailure()) viewtest::SaveArtifact(img, "round_rect_width_" + std::to_string(width));
  }
}

TEST(RoundRect, FillThenBorder) {
  Canvas canvas(80, 60);
  Gdiplus::SolidBrush red(Gdiplus::Color(255, 255, 0, 0));
  Utils::FillRoundRect(&canvas.graphics, &red, Gdiplus::RectF(10, 10, 60, 40),
                       Gdiplus::Color(255, 0, 0, 255), 4);
  Image img = canvas.Pixels();
  EXPECT_EQ(img.At(40, 30), 0xFF0000u);  // inside: the brush
  EXPECT_EQ(img.At(40, 10), 0x0000FFu);  // the border on the edge
  EXPECT_EQ(img.At(69, 30), 0x0000FFu);
  EXPECT_EQ(img.At(10, 10), kWhite);     // the rounded corner leaves the corner pixel
  EXPECT_EQ(img.At(5, 5), kWhite);
  if (HasFailure()) viewtest::SaveArtifact(img, "fill_round_rect");

  // No brush: the outline alone. No graphics: nothing, and no crash.
  Canvas outline(80, 60);
  Utils::FillRoundRect(&outline.graphics, nullptr, Gdiplus::RectF(10, 10, 60, 40),
                       Gdiplus::Color(255, 0, 0, 255), 4);
  Image only = outline.Pixels();
  EXPECT_EQ(only.At(40, 30), kWhite);
  EXPECT_EQ(only.At(40, 10), 0x0000FFu);
  Utils::FillRoundRect(nullptr, &red, Gdiplus::RectF(0, 0, 10, 10), Gdiplus::Color(), 2);
  Utils::DrawRoundRect(nullptr, Gdiplus::RectF(0, 0, 10, 10), Gdiplus::Color(), 2, 3);
}

// ---------------------------------------------------------------------------
// Glyphs and images

TEST(Glyphs, TickStartsAtFourWhateverTheLeftEdge) {
  const int cx = ::GetSystemMetrics(SM_CXMENUCHECK);
  const int cy = ::GetSystemMetrics(SM_CYMENUCHECK);
  Canvas canvas(120, 60);
  canvas.graphics.SetSmoothingMode(Gdiplus::SmoothingModeNone);
  canvas.graphics.SetInterpolationMode(Gdiplus::InterpolationModeBilinear);
  WTL::CRect rect(50, 0, 110, 60);
  Utils::DrawTick(canvas.graphics, rect, RGB(0, 0, 0));
  EXPECT_EQ(canvas.graphics.GetSmoothingMode(), Gdiplus::SmoothingModeNone);
  EXPECT_EQ(canvas.graphics.GetInterpolationMode(), Gdiplus::InterpolationModeBilinear);
  Image img = canvas.Pixels();
  const RECT ink = img.BoundsNot(kWhite);
  // The strokes run from x = 4 to x = cx (a 2-pixel pen reaches one pixel
  // further each way), vertically from base to base + cy - 4.
  const int base = (60 - cy) / 2;
  EXPECT_GE(ink.left, 2);
  EXPECT_LE(ink.left, 4);
  EXPECT_GE(ink.right, cx);
  EXPECT_LE(ink.right, cx + 2);
  EXPECT_GE(ink.top, base - 2);
  EXPECT_LE(ink.top, base + 1);
  EXPECT_GE(ink.bottom, base + cy - 4);
  EXPECT_LE(ink.bottom, base + cy - 1);
  if (HasFailure()) viewtest::SaveArtifact(img, "tick");
}

TEST(Glyphs, DropDownArrowOnTransparentBitmap) {
  std::unique_ptr<Gdiplus::Bitmap> arrow(Utils::CreateDropDown(RGB(255, 0, 0), 12, 8));
  ASSERT_NE(arrow, nullptr);
  EXPECT_EQ(arrow->GetWidth(), 12u);
  EXPECT_EQ(arrow->GetHeight(), 8u);
  EXPECT_EQ(arrow->GetPixelFormat(), PixelFormat32bppARGB);
  Image img = viewtest::FromBitmap(*arrow);
  // Transparent away from the strokes: the top corners and above the tip.
  EXPECT_EQ(img.ArgbAt(0, 0) >> 24, 0u);
  EXPECT_EQ(img.ArgbAt(11, 0) >> 24, 0u);
  EXPECT_EQ(img.ArgbAt(6, 1) >> 24, 0u);
  EXPECT_EQ(img.ArgbAt(6, 7) >> 24, 0u) << "nothing below the tip's stroke";
  // The tip (6, 6) and both arms carry the opaque red of the COLORREF.
  for (POINT p : {POINT{6, 6}, POINT{3, 5}, POINT{9, 5}}) {
    const uint32_t argb = img.ArgbAt(p.x, p.y);
    EXPECT_GT(argb >> 24, 0u) << p.x << "," << p.y;
    EXPECT_EQ(argb & 0xFFFF, 0u) << "pure red at " << p.x << "," << p.y;
  }
  if (HasFailure()) viewtest::SaveArtifact(img, "drop_down");
}

TEST(Images, DrawnAtOwnSizeOrStretched) {
  auto png = ResourceBitmap(kPngResource, L"PNG");
  ASSERT_NE(png, nullptr);
  ASSERT_EQ(png->GetWidth(), 40u);  // left half red, right half blue
  Canvas canvas(200, 100);
  Utils::DrawImage(canvas.graphics, png.get(), 5, 5);
  Utils::DrawImage(canvas.graphics, png.get(), 60, 10, 80, 60);
  Utils::DrawImage(canvas.graphics, nullptr, 0, 0);
  Utils::DrawImage(canvas.graphics, nullptr, Gdiplus::Rect(0, 0, 5, 5));
  Image img = canvas.Pixels();
  EXPECT_EQ(img.At(6, 6), 0xFF0000u);
  EXPECT_EQ(img.At(43, 23), 0x0000FFu);
  EXPECT_EQ(img.At(46, 6), kWhite);  // own size: 40 x 20 only
  EXPECT_EQ(img.At(5, 26), kWhite);
  EXPECT_EQ(img.At(62, 12), 0xFF0000u);  // stretched to 80 x 60
  EXPECT_EQ(img.At(137, 67), 0x0000FFu);
  EXPECT_EQ(img.At(90, 67), 0xFF0000u);
  EXPECT_EQ(img.At(110, 67), 0x0000FFu);
  EXPECT_EQ(img.At(100, 72), kWhite);
  if (HasFailure()) viewtest::SaveArtifact(img, "draw_image");
}

TEST(Images, GifFrameDelaysAndStepping) {
  auto gif = ResourceBitmap(kGifResource, L"GIF");
  ASSERT_NE(gif, nullptr);
  std::vector<long> delays = {7};
  ASSERT_TRUE(Utils::StoreGifInternal(gif.get(), delays));
  EXPECT_EQ(delays, (std::vector<long>{7, 100, 200, 300}));  // appended, not cleared

  delays = {100, 200, 300};
  int index = 0;
  EXPECT_EQ(Utils::NextActiveFrameInternal(gif.get(), index, delays), 200);
  EXPECT_EQ(index, 1);
  EXPECT_EQ(viewtest::FromBitmap(*gif).At(0, 0), 0x00FF00u);  // frame 1 is green
  EXPECT_EQ(Utils::NextActiveFrameInternal(gif.get(), index, delays), 300);
  EXPECT_EQ(viewtest::FromBitmap(*gif).At(0, 0), 0x0000FFu);
  EXPECT_EQ(Utils::NextActiveFrameInternal(gif.get(), index, delays), 100);  // wraps
  EXPECT_EQ(index, 0);
  EXPECT_EQ(viewtest::FromBitmap(*gif).At(0, 0), 0xFF0000u);

  auto png = ResourceBitmap(kPngResource, L"PNG");
  ASSERT_NE(png, nullptr);
  std::vector<long> untouched = {1, 2};
  EXPECT_FALSE(Utils::StoreGifInternal(png.get(), untouched));
  EXPECT_EQ(untouched, (std::vector<long>{1, 2}));

  // Bad input: no image, no delays.
  EXPECT_FALSE(Utils::StoreGifInternal(nullptr, untouched));
  std::vector<long> none;
  EXPECT_EQ(Utils::NextActiveFrameInternal(gif.get(), index, none), 0);
}

// ---------------------------------------------------------------------------
// Text

// A font that every prefix measures wider than the one before.
struct GdiFont {
  GdiFont() : font(Utils::GetHFONT(-16, DEFAULT_CHARSET, false, L"Arial")) {}
  view::frame::ScopedGdiObject<HFONT> font;
};

TEST(Text, GdiFitWidthSearch) {
  GdiCanvas canvas(10, 10);
  GdiFont arial;
  ASSERT_TRUE(arial.font);
  std::wstring text = L"WWWWWWWW";
  SIZE three = {};
  {
    view::frame::SelectObjectScope selected(canvas.dc.m_hDC, arial.font.get());
    ::GetTextExtentPoint32W(canvas.dc.m_hDC, text.c_str(), 3, &three);
  }
  ASSERT_GT(three.cx, 0);
  const HGDIOBJ before = ::GetCurrentObject(canvas.dc.m_hDC, OBJ_FONT);
  EXPECT_EQ(Utils::numberOfGdiCharactersThatFitWidth(canvas.dc, three.cx, text,
                                                     arial.font.get()), 3);
  EXPECT_EQ(Utils::numberOfGdiCharactersThatFitWidth(canvas.dc, three.cx - 1, text,
                                                     arial.font.get()), 2);
  EXPECT_EQ(Utils::numberOfGdiCharactersThatFitWidth(canvas.dc, 100000, text,
                                                     arial.font.get()), 8);
  EXPECT_EQ(Utils::numberOfGdiCharactersThatFitWidth(canvas.dc, 1, text, arial.font.get()), 0);
  std::wstring empty;
  EXPECT_EQ(Utils::numberOfGdiCharactersThatFitWidth(canvas.dc, 50, empty, arial.font.get()), 0);
  EXPECT_EQ(::GetCurrentObject(canvas.dc.m_hDC, OBJ_FONT), before) << "previous font restored";
  EXPECT_EQ(text, L"WWWWWWWW");
}

TEST(Text, GdiplusFitWidthSearch) {
  Canvas canvas(10, 10);
  Gdiplus::Font font(L"Arial", 16.0f, Gdiplus::FontStyleRegular, Gdiplus::UnitPixel);
  ASSERT_EQ(font.GetLastStatus(), Gdiplus::Ok);
  std::wstring text = L"MMMMMM";
  Gdiplus::RectF four;
  canvas.graphics.MeasureString(text.c_str(), 4, &font, Gdiplus::RectF(0, 0, 0, 0), nullptr,
                                &four);
  ASSERT_GT(four.Width, 0.0f);
  const int w4 = static_cast<int>(four.Width + 0.999f);  // the smallest int width that holds 4
  EXPECT_EQ(Utils::numberOfGdiplusCharactersThatFitWidth(canvas.graphics, w4, text, &font), 4);
  EXPECT_EQ(Utils::numberOfGdiplusCharactersThatFitWidth(canvas.graphics, 100000, text, &font),
            6);
  EXPECT_EQ(Utils::numberOfGdiplusCharactersThatFitWidth(canvas.graphics, 1, text, &font), 0);
  std::wstring empty;
  EXPECT_EQ(Utils::numberOfGdiplusCharactersThatFitWidth(canvas.graphics, 50, empty, &font), 0);
}

TEST(Text, GdiWrappedTextAndExtent) {
  GdiCanvas canvas(200, 100);
  GdiFont arial;
  view::frame::SelectObjectScope selected(canvas.dc.m_hDC, arial.font.get());
  TEXTMETRICW metrics = {};
  ::GetTextMetricsW(canvas.dc.m_hDC, &metrics);
  const int line = metrics.tmHeight;
  SIZE one_word = {};
  ::GetTextExtentPoint32W(canvas.dc.m_hDC, L"Alpha", 5, &one_word);

  // Wide enough: one line, as wide as the text.
  auto extent = Utils::GetTextExtent(canvas.dc, L"Alpha Beta", -1, 1000);
  EXPECT_EQ(extent.second, line);
  SIZE both = {};
  ::GetTextExtentPoint32W(canvas.dc.m_hDC, L"Alpha Beta", 10, &both);
  EXPECT_EQ(extent.first, both.cx);
  // Narrow: wrapped at the space into two lines, never wider than asked.
  extent = Utils::GetTextExtent(canvas.dc, L"Alpha Beta", -1, one_word.cx + 2);
  EXPECT_EQ(extent.second, 2 * line);
  EXPECT_LE(extent.first, one_word.cx + 2);
  // A word wider than the limit still reports the limit as width.
  extent = Utils::GetTextExtent(canvas.dc, L"Alphabetical", -1, 10);
  EXPECT_EQ(extent.first, 10);
  EXPECT_EQ(Utils::GetTextExtent(canvas.dc, nullptr, 5, 100).first, 0);

  // Drawn wrapped into a rectangle one and a half lines tall: the partly
  // visible second line is not shown, and '&' is drawn as itself.
  Utils::DrawTextInRect(canvas.dc, L"A&lpha Beta", -1,
                        WTL::CRect(0, 0, one_word.cx + 12, line + line / 2));
  Utils::DrawTextInRect(canvas.dc, nullptr, 3, WTL::CRect(0, 0, 10, 10));
  Image img = canvas.Pixels();
  const RECT ink = img.BoundsNot(kWhite);
  EXPECT_GT(ink.bottom, 0);
  EXPECT_LE(ink.bottom, line) << "second line hidden";
  if (HasFailure()) viewtest::SaveArtifact(img, "gdi_text");
}

TEST(Text, GdiplusAlignments) {
  Gdiplus::Font font(L"Arial", 14.0f, Gdiplus::FontStyleRegular, Gdiplus::UnitPixel);
  Gdiplus::Color black(255, 0, 0, 0);
  const Gdiplus::RectF box(20, 10, 160, 80);  // centre (100, 50)
  struct Case {
    const char* name;
    void (*draw)(Gdiplus::Graphics&, Gdiplus::RectF, const wchar_t*, Gdiplus::Font*,
                 Gdiplus::Color*);
    int horizontal;  // -1 near, 0 centre, 1 far
    int vertical;
  };
  const Case cases[] = {
      {"center", &Utils::DrawTextCenter, 0, 0},
      {"right", &Utils::DrawTextRightAlign, 1, -1},
      {"vcenter", &Utils::DrawTextInRectVerticalCenter, -1, 0},
      {"default", &Utils::DrawTextInRect, -1, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Canvas canvas(200, 100);
    c.draw(canvas.graphics, box, L"Hi", &font, &black);
    Image img = canvas.Pixels();
    const RECT ink = img.BoundsNot(kWhite);
    ASSERT_LT(ink.left, ink.right);
    const int mid_x = (ink.left + ink.right) / 2;
    const int mid_y = (ink.top + ink.bottom) / 2;
    if (c.horizontal < 0) {
      EXPECT_LT(ink.left, 20 + 8);
    } else if (c.horizontal == 0) {
      EXPECT_NEAR(mid_x, 100, 4);
    } else {
      EXPECT_GT(ink.right, 180 - 8);
    }
    if (c.vertical < 0) {
      EXPECT_LT(ink.top, 10 + 8);
    } else {
      EXPECT_NEAR(mid_y, 50, 4);
    }
    EXPECT_GE(ink.left, 20);
    EXPECT_LE(ink.right, 180);
    if (HasFailure()) viewtest::SaveArtifact(img, std::string("gdiplus_text_") + c.name);
  }

  // The format-taking form honours the format; no colour or text draws nothing.
  Canvas canvas(200, 100);
  Gdiplus::StringFormat far_bottom;
  far_bottom.SetAlignment(Gdiplus::StringAlignmentFar);
  far_bottom.SetLineAlignment(Gdiplus::StringAlignmentFar);
  Utils::DrawTextW(canvas.graphics, box, L"Hi", &font, &far_bottom, &black);
  Image img = canvas.Pixels();
  EXPECT_GT(img.BoundsNot(kWhite).bottom, 90 - 12);
  EXPECT_GT(img.BoundsNot(kWhite).right, 180 - 8);
  Canvas blank(50, 50);
  Utils::DrawTextW(blank.graphics, box, L"Hi", &font, nullptr, nullptr);
  Utils::DrawTextCenter(blank.graphics, box, nullptr, &font, &black);
  Utils::DrawTextInRect(blank.graphics, box, L"", &font, &black);
  Utils::DrawTextRightAlign(blank.graphics, box, L"Hi", nullptr, &black);
  EXPECT_EQ(blank.Pixels().Count(kWhite), 50 * 50);
}

TEST(Fonts, DescriptionsFromFaceName) {
  view::frame::ScopedGdiObject<HFONT> bold(Utils::GetHFONT(-20, 0x1FF, true, L"Tahoma"));
  ASSERT_TRUE(bold);
  LOGFONTW described = {};
  ASSERT_EQ(::GetObjectW(bold.get(), sizeof(described), &described),
            static_cast<int>(sizeof(described)));
  EXPECT_EQ(described.lfHeight, -20);
  EXPECT_EQ(described.lfWeight, 700);
  EXPECT_EQ(described.lfCharSet, 0xFF);  // the low byte of the character set
  EXPECT_STREQ(described.lfFaceName, L"Tahoma");

  // A face name longer than the field is cut to 31 characters.
  const std::wstring long_name(40, L'x');
  view::frame::ScopedGdiObject<HFONT> cut(Utils::GetHFONT(0, 0, false, long_name.c_str()));
  ASSERT_TRUE(cut);
  ::GetObjectW(cut.get(), sizeof(described), &described);
  EXPECT_EQ(std::wstring(described.lfFaceName), std::wstring(31, L'x'));
  EXPECT_EQ(described.lfWeight, 400);

  HDC screen = ::GetDC(nullptr);
  std::unique_ptr<Gdiplus::Font> font(Utils::GetFont(screen, -20, 0, true, L"Tahoma"));
  std::unique_ptr<Gdiplus::Font> no_face(Utils::GetFont(screen, -12, 0, false, nullptr));
  ::ReleaseDC(nullptr, screen);
  ASSERT_NE(font, nullptr);
  EXPECT_EQ(font->GetLastStatus(), Gdiplus::Ok);
  EXPECT_NE(font->GetStyle() & Gdiplus::FontStyleBold, 0);
  Gdiplus::FontFamily family;
  font->GetFamily(&family);
  wchar_t name[LF_FACESIZE] = {};
  family.GetFamilyName(name);
  EXPECT_STRNE(name, L"");
  EXPECT_NE(no_face, nullptr);
}

// ---------------------------------------------------------------------------
// Windows and strings

TEST(Windows, RectTextScrollBarAndModuleDir) {
  viewtest::HostWindow host;
  HWND child = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 10, 20, 100, 30,
                                 host, nullptr, nullptr, nullptr);
  ASSERT_NE(child, nullptr);
  const RECT rect = Utils::GetWindowRelativeRect(child);
  EXPECT_EQ(rect.left, 10);
  EXPECT_EQ(rect.top, 20);
  EXPECT_EQ(rect.right, 110);
  EXPECT_EQ(rect.bottom, 50);

  EXPECT_EQ(Utils::GetEditValue(child), L"");
  ::SetWindowTextW(child, L"hello, world");
  EXPECT_EQ(Utils::GetEditValue(child), L"hello, world");
  EXPECT_EQ(Utils::GetEditValue(nullptr), L"");

  // Hidden bar: shown for the measurement, hidden again.
  HWND list = ::CreateWindowExW(0, L"LISTBOX", L"", WS_CHILD | WS_VISIBLE, 10, 60, 100, 80, host,
                                nullptr, nullptr, nullptr);
  ASSERT_NE(list, nullptr);
  const int thumb = Utils::GetWindowScrollBarThumbWidth(list);
  EXPECT_GT(thumb, 0);
  EXPECT_EQ(::GetWindowLongW(list, GWL_STYLE) & WS_VSCROLL, 0);
  ::ShowScrollBar(list, SB_VERT, TRUE);
  EXPECT_EQ(Utils::GetWindowScrollBarThumbWidth(list), thumb);
  EXPECT_NE(::GetWindowLongW(list, GWL_STYLE) & WS_VSCROLL, 0) << "a shown bar stays shown";
  EXPECT_EQ(Utils::GetWindowScrollBarThumbWidth(nullptr), 0);

  wchar_t path[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring expected(path);
  expected.erase(expected.find_last_of(L'\\') + 1);
  EXPECT_EQ(Utils::GetDllModuleDir(nullptr), expected);

  ASSERT_NE(Utils::NullToEmpty(nullptr), nullptr);
  EXPECT_STREQ(Utils::NullToEmpty(nullptr), "");
  const char* text = "abc";
  EXPECT_EQ(Utils::NullToEmpty(text), text);
}

}  // namespace

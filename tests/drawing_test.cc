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
#include "view/graphics_helpers.h"
#include "view/internal/drawing/drawing_math.h"
#include "view/internal/frame/scoped.h"
#include "view/utils.h"
#include "view/zu_window_bg_brush_helper.h"

namespace {

using viewtest::Image;
using view::internal::Box;

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kBlack = 0x000000;

// Resource ids of drawing_test.rc.
constexpr int kPngResource = 101;
constexpr int kGifResource = 102;
constexpr int kSerifResource = 103;
constexpr int kSerifBoldResource = 104;
constexpr int kMissingResource = 999;

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

TEST(DrawingMath, ColorsFramesAndArcBoxes) {
  EXPECT_EQ(view::internal::ArgbFromColorRef(RGB(0x11, 0x22, 0x33)), 0xFF112233u);
  // The top byte of a COLORREF is not an alpha: it is dropped.
  EXPECT_EQ(view::internal::ArgbFromColorRef(0x7F0000FFu), 0xFFFF0000u);
  EXPECT_EQ(view::internal::NextFrameIndex(2, 3), 0);
  EXPECT_EQ(view::internal::NextFrameIndex(-9, 3), 0);
  EXPECT_EQ(view::internal::NextFrameIndex(0, 0), 0);

  // Diameter 20 (diameter 10 is checked through the path below): the three later corners use 21-pixel boxes.
  const auto d20 = view::internal::RoundRectArcBoxes(Gdiplus::RectF(0, 0, 100, 40), 20);
  EXPECT_EQ(d20.arc[0], (Box{0, 0, 20, 20}));
  EXPECT_EQ(d20.arc[2], (Box{78, 18, 21, 21}));

  // A negative diameter is none.
  const auto none = view::internal::RoundRectArcBoxes(Gdiplus::RectF(0, 0, 100, 40), -6);
  EXPECT_EQ(none.arc[2], (Box{99, 39, 0, 0}));

  // Clamped to the width (30), then to the height (12).
  const auto clamped = view::internal::RoundRectArcBoxes(Gdiplus::RectF(0, 0, 30, 12), 50);
  EXPECT_EQ(clamped.arc[0], (Box{0, 0, 12, 12}));

  // Fractional positions are truncated toward zero.
  const auto offset = view::internal::RoundRectArcBoxes(Gdiplus::RectF(5.7f, 3.2f, 50, 20), 6);
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
  EXPECT_EQ(view::internal::LargestFittingPrefix(10, fits_in(1000)), 10);
  EXPECT_EQ(view::internal::LargestFittingPrefix(10, fits_in(6)), 0);
  EXPECT_EQ(view::internal::LargestFittingPrefix(10, fits_in(27)), 3);
  EXPECT_EQ(view::internal::LargestFittingPrefix(-5, fits_in(27)), 0);
  calls = 0;
  view::internal::LargestFittingPrefix(1000, fits_in(3500));
  EXPECT_LE(calls, 11);  // a binary search, not a scan
}

TEST(DrawingMath, AspectFitNeverEnlargesAndFitsBothWays) {
  EXPECT_EQ(Utils::CalculateDrawSize(100, 50, 200, 200), std::make_pair(100, 50));
  EXPECT_EQ(Utils::CalculateDrawSize(400, 200, 100, 100), std::make_pair(100, 50));
  EXPECT_EQ(Utils::CalculateDrawSize(100, 300, 100, 100), std::make_pair(33, 100));
  // Degenerate sizes give zeros, never garbage.
  EXPECT_EQ(Utils::CalculateDrawSize(0, 500, 100, 100), std::make_pair(0, 100));
  EXPECT_EQ(Utils::CalculateDrawSize(10, 10, -1, -1), std::make_pair(0, 0));
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
  // The start of each quarter arc (boxes (0, 0), (89, 0), (89, 29), (0, 29)).
  EXPECT_TRUE(HasPoint(points, 0, 5));
  EXPECT_TRUE(HasPoint(points, 94, 0));
  EXPECT_TRUE(HasPoint(points, 99, 34));
  EXPECT_TRUE(HasPoint(points, 5, 39));
  Gdiplus::RectF bounds;
  path.GetBounds(&bounds);
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

  // A zero diameter is a plain rectangle with the same inner right/bottom edges.
  Utils::CreateRoundRect(path, Gdiplus::RectF(2, 3, 20, 10), 0);
  path.GetBounds(&bounds);
  EXPECT_FLOAT_EQ(bounds.X, 2);
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
    EXPECT_EQ(img.At(69 - width, 30), kWhite);
    const RECT ink = img.BoundsNot(kWhite);
    EXPECT_TRUE(ink.left == 10 && ink.top == 10 && ink.right == 70 && ink.bottom == 50);
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
  EXPECT_EQ(img.ArgbAt(6, 1) >> 24, 0u);
  EXPECT_EQ(img.ArgbAt(6, 7) >> 24, 0u) << "nothing below the tip's stroke";
  // The tip (6, 6) and both arms carry the opaque red of the COLORREF.
  for (POINT p : {POINT{6, 6}, POINT{3, 5}, POINT{9, 5}}) {
    const uint32_t argb = img.ArgbAt(p.x, p.y);
    EXPECT_GT(argb >> 24, 0u) << p.x << "," << p.y;
    EXPECT_EQ(argb & 0xFFFF, 0u) << "pure red at " << p.x << "," << p.y;
  }
  if (HasFailure()) viewtest::SaveArtifact(img, "drop_down");
  // No size: a bitmap whose status tells so, and no crash.
  std::unique_ptr<Gdiplus::Bitmap> empty(Utils::CreateDropDown(RGB(0, 0, 0), 0, 0));
  ASSERT_NE(empty, nullptr);
  EXPECT_NE(empty->GetLastStatus(), Gdiplus::Ok);
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
  EXPECT_EQ(img.At(90, 67), 0xFF0000u);  // stretched to 80 x 60
  EXPECT_EQ(img.At(137, 67), 0x0000FFu);
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

TEST(Text, FitWidthSearchesInGdiAndGdiplus) {
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
  EXPECT_EQ(::GetCurrentObject(canvas.dc.m_hDC, OBJ_FONT), before) << "previous font restored";

  Canvas plus(10, 10);
  Gdiplus::Font font(L"Arial", 16.0f, Gdiplus::FontStyleRegular, Gdiplus::UnitPixel);
  ASSERT_EQ(font.GetLastStatus(), Gdiplus::Ok);
  Gdiplus::RectF four;
  plus.graphics.MeasureString(text.c_str(), 4, &font, Gdiplus::RectF(0, 0, 0, 0), nullptr, &four);
  ASSERT_GT(four.Width, 0.0f);
  const int w4 = static_cast<int>(four.Width + 0.999f);  // the smallest int width that holds 4
  EXPECT_EQ(Utils::numberOfGdiplusCharactersThatFitWidth(plus.graphics, w4, text, &font), 4);
  EXPECT_EQ(Utils::numberOfGdiplusCharactersThatFitWidth(plus.graphics, 100000, text, &font), 8);
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
  EXPECT_TRUE(rect.left == 10 && rect.top == 20 && rect.right == 110 && rect.bottom == 50);

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

// ---------------------------------------------------------------------------
// GDI+ resource helpers

TEST(DrawingMath, StretchSlices) {
  using view::internal::Slice;
  auto destinations = [](const std::vector<Slice>& slices) {
    std::vector<std::pair<float, float>> out;
    for (const Slice& s : slices) out.emplace_back(s.dstX, s.dstWidth);
    return out;
  };
  using Spans = std::vector<std::pair<float, float>>;
  // Image 30 wide, edge 10: middle 10. Width 45: the last piece squeezes the middle into 5.
  const auto squeezed = view::internal::StretchWidthSlices(30, 10, 5, 45);
  EXPECT_EQ(destinations(squeezed), (Spans{{5, 10}, {15, 10}, {25, 10}, {35, 5}, {40, 10}}));
  EXPECT_FLOAT_EQ(squeezed[3].srcX, 10);
  EXPECT_FLOAT_EQ(squeezed[3].srcWidth, 10);  // the whole middle
  EXPECT_FLOAT_EQ(squeezed[4].srcX, 20);
  // No middle (image no wider than two edges): the caps alone, and it ends.
  EXPECT_EQ(destinations(view::internal::StretchWidthSlices(20, 10, 0, 100)),
            (Spans{{0, 10}, {90, 10}}));
  EXPECT_EQ(view::internal::StretchWidthSlices(30, 14.7f, 0, 100000).size(), 2u);  // a 0.6-pixel middle
  EXPECT_TRUE(view::internal::StretchWidthSlices(30, 10, 0, 0).empty());
  EXPECT_TRUE(view::internal::StretchWidthSlices(30, 0, 0, 50).empty());
}

// A 30 x 4 strip: left cap red (columns 0-9), middle green with a black first
// column (10-19), right cap blue (20-29).
std::unique_ptr<Gdiplus::Bitmap> ThreeSliceStrip() {
  auto strip = std::make_unique<Gdiplus::Bitmap>(30, 4, PixelFormat32bppARGB);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 30; ++x) {
      Gdiplus::Color c = x < 10 ? Gdiplus::Color(255, 255, 0, 0)
                         : x == 10 ? Gdiplus::Color(255, 0, 0, 0)
                         : x < 20  ? Gdiplus::Color(255, 0, 255, 0)
                                   : Gdiplus::Color(255, 0, 0, 255);
      strip->SetPixel(x, y, c);
    }
  }
  return strip;
}

TEST(GraphicsHelper, StretchWidthImageSlices) {
  auto strip = ThreeSliceStrip();
  CGraphicsHelper helper;
  for (int width : {50, 45}) {
    SCOPED_TRACE("width " + std::to_string(width));
    Canvas canvas(80, 20);
    // Exact pixels: the test picks nearest-neighbour sampling and half-pixel
    // offsets; the helper itself leaves the graphics' settings alone.
    canvas.graphics.SetInterpolationMode(Gdiplus::InterpolationModeNearestNeighbor);
    canvas.graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
    Gdiplus::Rect dest(5, 2, width, 15);
    helper.StretchWidthImage(canvas.graphics, strip.get(), dest, 10.0f);
    Image img = canvas.Pixels();
    EXPECT_EQ(img.At(5, 3), 0xFF0000u);   // left cap at x
    EXPECT_EQ(img.At(14, 3), 0xFF0000u);
    EXPECT_EQ(img.At(15, 3), kBlack);     // middle pieces start at x + 10, + 20, + 30
    EXPECT_EQ(img.At(16, 3), 0x00FF00u);
    EXPECT_EQ(img.At(25, 3), kBlack);
    EXPECT_EQ(img.At(35, 3), kBlack);
    const int right_cap = width == 50 ? 45 : 40;  // x + 40, or x + 35 after a squeeze
    EXPECT_NE(img.At(right_cap - 1, 3), 0x0000FFu);
    EXPECT_EQ(img.At(right_cap, 3), 0x0000FFu);
    EXPECT_EQ(img.At(right_cap + 9, 3), 0x0000FFu);
    EXPECT_EQ(img.At(right_cap + 10, 3), kWhite);
    EXPECT_EQ(img.At(20, 6), kWhite) << "drawn at the image's height, not dest.Height";
    if (HasFailure()) viewtest::SaveArtifact(img, "stretch_" + std::to_string(width));
  }

  // Nothing drawn without an image, width or edge.
  Canvas blank(40, 10);
  Gdiplus::Rect dest(0, 0, 30, 4);
  helper.StretchWidthImage(blank.graphics, nullptr, dest, 10.0f);
  helper.StretchWidthImage(blank.graphics, strip.get(), dest, 0.0f);
  Gdiplus::Rect empty(0, 0, 0, 4);
  helper.StretchWidthImage(blank.graphics, strip.get(), empty, 10.0f);
  EXPECT_EQ(blank.Pixels().Count(kWhite), 40 * 10);
}

TEST(PathHelper, RoundRectOnTheOuterEdges) {
  CPathHelper helper;
  Gdiplus::GraphicsPath* first = helper.CreateRoundRect(Gdiplus::Rect(0, 0, 100, 40), 5);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(helper.path_, first);
  Gdiplus::RectF bounds;
  first->GetBounds(&bounds);
  EXPECT_FLOAT_EQ(bounds.Width, 100);  // right edge on X + Width, unlike Utils::CreateRoundRect
  EXPECT_FLOAT_EQ(bounds.Height, 40);
  const auto points = PathPoints(*first);
  EXPECT_TRUE(HasPoint(points, 0, 5));
  EXPECT_TRUE(HasPoint(points, 95, 0));
  EXPECT_TRUE(HasPoint(points, 100, 35));
  EXPECT_TRUE(HasPoint(points, 5, 40));
  EXPECT_TRUE(first->IsVisible(50, 20));
  EXPECT_FALSE(first->IsVisible(0, 0));  // the corner is cut

  Gdiplus::GraphicsPath* second = helper.CreateRoundRect(Gdiplus::Rect(10, 10, 20, 20), 0);
  ASSERT_NE(second, nullptr);
  second->GetBounds(&bounds);
  EXPECT_FLOAT_EQ(bounds.Width, 20);
  EXPECT_TRUE(second->IsVisible(11, 11));  // radius 0: square corners
  helper.DeleteOldPath();
  EXPECT_EQ(helper.path_, nullptr);
  helper.DeleteOldPath();
}

TEST(ImageHelper, LoadsFromResourcesAndFiles) {
  HMODULE exe = ::GetModuleHandleW(nullptr);
  CImageHelper helper;
  EXPECT_EQ(helper.GetWidth(), 0.0f);
  Gdiplus::Image* png = helper.Load_Image(kPngResource, L"PNG", exe);
  ASSERT_NE(png, nullptr);
  EXPECT_EQ(png->GetLastStatus(), Gdiplus::Ok);
  EXPECT_EQ(helper.GetWidth(), 40.0f);
  EXPECT_EQ(helper.GetHeight(), 20.0f);
  Canvas canvas(40, 20);
  Utils::DrawImage(canvas.graphics, png, 0, 0);
  EXPECT_EQ(canvas.Pixels().At(30, 10), 0x0000FFu);

  // Copies clone: each helper keeps its own image.
  CImageHelper copy(helper);
  ASSERT_NE(copy.image_, nullptr);
  EXPECT_NE(copy.image_, helper.image_);
  CImageHelper assigned;
  assigned = helper;
  EXPECT_NE(assigned.image_, helper.image_);
  assigned = assigned;
  EXPECT_EQ(assigned.GetWidth(), 40.0f);

  // A missing resource: null, and the earlier image is gone.
  EXPECT_EQ(helper.Load_Image(kMissingResource, L"PNG", exe), nullptr);
  EXPECT_EQ(helper.image_, nullptr);
  EXPECT_EQ(helper.GetWidth(), 0.0f);
  // The default module is the library's own; this test links the library
  // statically, so that is this executable.
  EXPECT_NE(helper.Load_Image(kGifResource, L"GIF"), nullptr);
  EXPECT_EQ(helper.GetWidth(), 4.0f);

  // From a file: the helper holds the file open until it lets the image go.
  Image strip;
  strip.width = 6;
  strip.height = 3;
  strip.pixels.assign(18, 0xFF00FF00u);
  const std::wstring path = viewtest::ArtifactDir() + L"\\image_helper_load.png";
  ::CreateDirectoryW(viewtest::ArtifactDir().c_str(), nullptr);
  ASSERT_TRUE(viewtest::SavePng(strip, path));
  Gdiplus::Image* from_file = helper.Load_Image(path.c_str(), L"");
  ASSERT_NE(from_file, nullptr);
  EXPECT_EQ(from_file->GetLastStatus(), Gdiplus::Ok);
  EXPECT_EQ(helper.GetWidth(), 6.0f);
  EXPECT_FALSE(::DeleteFileW(path.c_str())) << "held open by the image";
  EXPECT_EQ(helper.Load_Image(kMissingResource, L"PNG", exe), nullptr);
  // The failed second load deleted the first image and with it the file's lock.
  EXPECT_TRUE(::DeleteFileW(path.c_str()));
  Gdiplus::Image* unreadable = helper.Load_Image(L"Z:\\no\\such\\file.png", L"");
  ASSERT_NE(unreadable, nullptr);
  EXPECT_NE(unreadable->GetLastStatus(), Gdiplus::Ok);
}

TEST(FontHelper, PrivateFontFromResources) {
  HMODULE exe = ::GetModuleHandleW(nullptr);
  CFontHelper helper;
  EXPECT_EQ(helper.SetFontStyle(Gdiplus::FontStyleBold, 20.0f), 0) << "no family yet";
  EXPECT_EQ(helper.font_, nullptr);
  EXPECT_EQ(helper.LoadFont(kMissingResource, L"TTF", exe), 0);

  ASSERT_EQ(helper.LoadFont(kSerifResource, L"TTF", exe), 1);
  ASSERT_NE(helper.font_, nullptr);
  EXPECT_EQ(helper.font_->GetLastStatus(), Gdiplus::Ok);
  EXPECT_FLOAT_EQ(helper.font_->GetSize(), 14.0f);
  EXPECT_EQ(helper.font_->GetUnit(), Gdiplus::UnitPixel);
  Gdiplus::FontFamily family;
  helper.font_->GetFamily(&family);
  wchar_t name[LF_FACESIZE] = {};
  family.GetFamilyName(name);
  EXPECT_STREQ(name, L"DejaVu Serif");

  // The bold face joins the same family; the new style replaces the font.
  ASSERT_EQ(helper.LoadFont(kSerifBoldResource, L"TTF", exe), 1);
  EXPECT_EQ(helper.SetFontStyle(Gdiplus::FontStyleBold, 20.0f), 1);
  EXPECT_FLOAT_EQ(helper.font_->GetSize(), 20.0f);
  EXPECT_EQ(helper.font_->GetStyle(), Gdiplus::FontStyleBold);

  viewtest::HostWindow host;
  view::frame::ScopedGdiObject<HFONT> wide(helper.FontToHFONT_W(host));
  view::frame::ScopedGdiObject<HFONT> narrow(helper.FontToHFONT_A(host));
  ASSERT_TRUE(wide);
  ASSERT_TRUE(narrow);
  LOGFONTW described = {};
  ::GetObjectW(wide.get(), sizeof(described), &described);
  EXPECT_STREQ(described.lfFaceName, L"DejaVu Serif");
  EXPECT_EQ(described.lfQuality, CLEARTYPE_QUALITY);
  EXPECT_GE(described.lfWeight, 700);
  EXPECT_EQ(std::abs(described.lfHeight), 20);
  LOGFONTA described_a = {};
  ::GetObjectA(narrow.get(), sizeof(described_a), &described_a);
  EXPECT_STREQ(described_a.lfFaceName, "DejaVu Serif");
  EXPECT_EQ(helper.FontToHFONT_W(nullptr), nullptr);

  helper.DeleteOldFont();
  EXPECT_EQ(helper.font_, nullptr);
  EXPECT_EQ(helper.FontToHFONT_W(host), nullptr);
  // The collection stays: a new style can still be made.
  EXPECT_EQ(helper.SetFontStyle(Gdiplus::FontStyleRegular, 9.0f), 1);

  // By resource name, with the library's (here: this executable's) module.
  CFontHelper by_name;
  EXPECT_EQ(by_name.LoadFont(L"SERIF", L"TTF"), 1);
  EXPECT_NE(by_name.font_, nullptr);
}

// A parent whose background shows where each pixel is: red = x, green = y
// (client coordinates), blue 0x80. Records the background messages it gets.
struct PatternParent {
  PatternParent() : host(true, 300, 200) {
    host.on_message = [this](UINT msg, WPARAM wparam, LPARAM lparam, LRESULT& result) {
      if (msg != WM_ERASEBKGND && msg != WM_PRINTCLIENT && msg != WM_PAINT) return false;
      HDC dc = reinterpret_cast<HDC>(wparam);
      if (dc == nullptr || ::GetObjectType(dc) != OBJ_MEMDC) return false;  // real paints
      seen.push_back({msg, lparam});
      for (int y = 0; y < 200; ++y) {
        for (int x = 0; x < 256; ++x) ::SetPixelV(dc, x, y, RGB(x, y, 0x80));
      }
      result = 1;
      return true;
    };
  }
  viewtest::HostWindow host;
  std::vector<std::pair<UINT, LPARAM>> seen;
};

// The pixels a brush paints into a w x h bitmap from (0, 0).
Image PaintedBy(HBRUSH brush, int width, int height) {
  GdiCanvas canvas(width, height);
  RECT all = {0, 0, width, height};
  ::FillRect(canvas.dc.m_hDC, &all, brush);
  return canvas.Pixels();
}

uint32_t At(int x, int y) { return (static_cast<uint32_t>(x) << 16) | (y << 8) | 0x80; }

// A picture in the same code: red = x, green = y, blue 0x80.
std::unique_ptr<Gdiplus::Bitmap> CoordinatePicture(int width, int height) {
  auto picture = std::make_unique<Gdiplus::Bitmap>(width, height, PixelFormat32bppARGB);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) picture->SetPixel(x, y, Gdiplus::Color(255, x, y, 0x80));
  }
  return picture;
}

TEST(BrushHelper, TextureOfTheParentBehindTheChild) {
  PatternParent parent;
  HWND child = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 30, 40, 50, 20,
                                 parent.host, nullptr, nullptr, nullptr);
  ASSERT_NE(child, nullptr);
  const int before = viewtest::CountGdiObjects();
  {
    CBrushHelper helper;
    EXPECT_EQ(helper.GetBackGroundBrush(nullptr, parent.host.hwnd(),
                                        CBrushHelper::BRUSH_TYPE_ERASEBKGND),
              nullptr);
    EXPECT_TRUE(parent.seen.empty());

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
      SCOPED_TRACE("type " + std::to_string(c.type));
      parent.seen.clear();
      Gdiplus::TextureBrush* brush = helper.GetBackGroundBrush(
          child, parent.host.hwnd(), static_cast<CBrushHelper::GET_BRUSH_TYPE>(c.type));
      ASSERT_NE(brush, nullptr);
      EXPECT_EQ(helper.brush_, brush);
      ASSERT_EQ(parent.seen.size(), 1u);
      EXPECT_EQ(parent.seen[0].first, c.message);
      EXPECT_EQ(parent.seen[0].second, c.flags);
      ASSERT_NE(helper.bitmap_, nullptr);
      EXPECT_EQ(helper.bitmap_->GetWidth(), 50u);
      EXPECT_EQ(helper.bitmap_->GetHeight(), 20u);
      Canvas canvas(50, 20);
      canvas.graphics.FillRectangle(brush, 0, 0, 50, 20);
      Image img = canvas.Pixels();
      EXPECT_EQ(img.At(0, 0), At(30, 40));
      EXPECT_EQ(img.At(49, 19), At(79, 59));
      EXPECT_EQ(img.At(17, 5), At(47, 45));
    }
    helper.DeleteOldBrush();
    EXPECT_EQ(helper.brush_, nullptr);
    EXPECT_EQ(helper.bitmap_, nullptr);
    helper.GetBackGroundBrush(child, parent.host.hwnd(), CBrushHelper::BRUSH_TYPE_ERASEBKGND);
  }
  EXPECT_EQ(viewtest::CountGdiObjects(), before) << "every DC and bitmap released";
}

// ---------------------------------------------------------------------------
// Window background brushes

TEST(WindowBgBrush, BlocksBehindEachChild) {
  viewtest::HostWindow parent(true, 300, 200);
  HWND child = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 10, 20, 100, 30,
                                 parent, nullptr, nullptr, nullptr);
  HWND other = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 150, 100, 40, 10,
                                 parent, nullptr, nullptr, nullptr);
  ASSERT_NE(child, nullptr);
  ASSERT_NE(other, nullptr);

  // The background picture, as a GDI+ image and as a GDI bitmap.
  auto picture = CoordinatePicture(256, 200);
  HBITMAP gdi_picture = nullptr;
  picture->GetHBITMAP(Gdiplus::Color(0, 0, 0), &gdi_picture);
  view::frame::ScopedGdiObject<HBITMAP> gdi_owner(gdi_picture);
  ASSERT_TRUE(gdi_owner);
  auto small_picture = CoordinatePicture(50, 40);

  const int before = viewtest::CountGdiObjects();
  {
    ZuWindowBgBrushHelper helper;
    EXPECT_EQ(helper.GetHBRUSH(child), nullptr);

    // Image form: the client origin lies at (5, 0) of the picture.
    helper.AddSubWindow(child, picture.get(), 5, 0);
    const HBRUSH first = helper.GetHBRUSH(child);
    ASSERT_NE(first, nullptr);
    Image img = PaintedBy(first, 100, 30);
    EXPECT_EQ(img.At(0, 0), At(15, 20));
    EXPECT_EQ(img.At(99, 29), At(114, 49));
    EXPECT_EQ(img.At(40, 7), At(55, 27));
    if (HasFailure()) viewtest::SaveArtifact(img, "bg_brush_image");

    // Bitmap form for the same child: the block at (10, 20); it replaces
    // the brush, and the first one stays usable.
    helper.AddSubWindow(child, gdi_owner.get());
    const HBRUSH second = helper.GetHBRUSH(child);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(second, first);
    EXPECT_EQ(::GetObjectType(first), static_cast<DWORD>(OBJ_BRUSH));
    img = PaintedBy(second, 100, 30);
    EXPECT_EQ(img.At(0, 0), At(10, 20));
    EXPECT_EQ(img.At(99, 29), At(109, 49));
    if (HasFailure()) viewtest::SaveArtifact(img, "bg_brush_bitmap");

    // A child reaching beyond the picture gets the block clipped to it.
    helper.AddSubWindow(other, small_picture.get(), 0, 0);
    ASSERT_NE(helper.GetHBRUSH(other), nullptr);
    helper.AddSubWindow(child, small_picture.get(), 0, 0);
    img = PaintedBy(helper.GetHBRUSH(child), 100, 30);
    EXPECT_EQ(img.At(0, 0), At(10, 20));
    EXPECT_EQ(img.At(39, 19), At(49, 39));
    EXPECT_EQ(img.At(40, 19), kBlack);  // beyond the picture's right edge
    EXPECT_EQ(img.At(10, 20), kBlack);  // beyond its bottom edge

    // Bad input stores nothing and does not crash.
    helper.AddSubWindow(nullptr, picture.get(), 0, 0);
    helper.AddSubWindow(child, static_cast<Gdiplus::Image*>(nullptr), 0, 0);
    helper.AddSubWindow(nullptr, gdi_owner.get());
    EXPECT_EQ(helper.GetHBRUSH(nullptr), nullptr);
  }
  // Destroying the helper deletes every brush, the replaced ones included.
  EXPECT_EQ(viewtest::CountGdiObjects(), before);
}

}  // namespace

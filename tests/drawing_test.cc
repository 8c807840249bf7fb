// Drawing services: the Utils drawing, measuring and window helpers, the
// GDI+ resource helpers and the window background brush helper. Drawn
// results are read back from bitmaps.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
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

using view::frame::ScopedGdiObject;
using viewtest::Image;

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kBlack = 0x000000;

// Resource ids of drawing_test.rc: a 40 x 20 PNG, left half red and right
// half blue; a 4 x 4 GIF of three frames (red, green, blue); two fonts.
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
  ScopedGdiObject<HBITMAP> bitmap;
  HGDIOBJ old_bitmap = nullptr;
};

// A bitmap decoded from one of this executable's resources.
std::unique_ptr<Gdiplus::Bitmap> ResourceBitmap(int id, const wchar_t* type) {
  HMODULE module = ::GetModuleHandleW(nullptr);
  HRSRC found = ::FindResourceW(module, MAKEINTRESOURCEW(id), type);
  if (found == nullptr) return nullptr;
  const void* bytes = ::LockResource(::LoadResource(module, found));
  IStream* stream = ::SHCreateMemStream(static_cast<const BYTE*>(bytes), ::SizeofResource(module, found));
  std::unique_ptr<Gdiplus::Bitmap> bitmap(new Gdiplus::Bitmap(stream, FALSE));
  stream->Release();
  return bitmap;
}

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
  // The path runs through each quarter arc's start (boxes at (0, 0),
  // (89, 0), (89, 29), (0, 29)), one pixel inside the right and bottom edges.
  Gdiplus::GraphicsPath path;
  path.AddRectangle(Gdiplus::Rect(500, 500, 5, 5));  // reset first: this must go
  Utils::CreateRoundRect(path, Gdiplus::RectF(0, 0, 100, 40), 10);
  std::vector<Gdiplus::PointF> points(static_cast<size_t>(path.GetPointCount()));
  path.GetPathPoints(points.data(), static_cast<INT>(points.size()));
  for (POINT p : {POINT{0, 5}, POINT{94, 0}, POINT{99, 34}, POINT{5, 39}}) {
    EXPECT_TRUE(std::any_of(points.begin(), points.end(), [&](const Gdiplus::PointF& q) {
      return std::abs(q.X - p.x) < 0.01f && std::abs(q.Y - p.y) < 0.01f;
    })) << p.x << "," << p.y;
  }
  Gdiplus::RectF bounds;
  path.GetBounds(&bounds);
  EXPECT_TRUE(bounds.Equals(Gdiplus::RectF(0, 0, 99, 39)));
  // A zero diameter is a plain rectangle with the same inner edges.
  Utils::CreateRoundRect(path, Gdiplus::RectF(2, 3, 20, 10), 0);
  path.GetBounds(&bounds);
  EXPECT_TRUE(bounds.Equals(Gdiplus::RectF(2, 3, 19, 9)));

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

TEST(Glyphs, TickAndDropDownArrow) {
  // The tick's strokes run from x = 4 to x = cx (a 2-pixel pen reaches one
  // pixel further each way), vertically centred on the rectangle; the
  // graphics' modes are restored.
  const int cx = ::GetSystemMetrics(SM_CXMENUCHECK), cy = ::GetSystemMetrics(SM_CYMENUCHECK);
  Canvas canvas(120, 60);
  canvas.graphics.SetSmoothingMode(Gdiplus::SmoothingModeNone);
  canvas.graphics.SetInterpolationMode(Gdiplus::InterpolationModeBilinear);
  WTL::CRect rect(50, 0, 110, 60);
  Utils::DrawTick(canvas.graphics, rect, RGB(0, 0, 0));
  EXPECT_EQ(canvas.graphics.GetSmoothingMode(), Gdiplus::SmoothingModeNone);
  EXPECT_EQ(canvas.graphics.GetInterpolationMode(), Gdiplus::InterpolationModeBilinear);
  const RECT ink = canvas.Pixels().BoundsNot(kWhite);
  const int base = (60 - cy) / 2;
  EXPECT_TRUE(ink.left >= 2 && ink.left <= 4 && ink.right >= cx && ink.right <= cx + 2) << ink.left;
  EXPECT_TRUE(ink.top >= base - 2 && ink.top <= base + 1) << ink.top;
  EXPECT_TRUE(ink.bottom >= base + cy - 4 && ink.bottom <= base + cy - 1) << ink.bottom;

  // The arrow: opaque pure red strokes meeting at (6, 6) on a transparent
  // 12 x 8 bitmap.
  std::unique_ptr<Gdiplus::Bitmap> arrow(Utils::CreateDropDown(RGB(255, 0, 0), 12, 8));
  ASSERT_EQ(arrow->GetWidth(), 12u);
  ASSERT_EQ(arrow->GetHeight(), 8u);
  const Image img = viewtest::FromBitmap(*arrow);
  for (POINT p : {POINT{0, 0}, POINT{6, 1}, POINT{6, 7}}) EXPECT_EQ(img.ArgbAt(p.x, p.y) >> 24, 0u);
  for (POINT p : {POINT{6, 6}, POINT{3, 5}, POINT{9, 5}}) {
    EXPECT_GT(img.ArgbAt(p.x, p.y) >> 24, 0u) << p.x << "," << p.y;
    EXPECT_EQ(img.ArgbAt(p.x, p.y) & 0xFFFF, 0u) << p.x << "," << p.y;
  }
  std::unique_ptr<Gdiplus::Bitmap> empty(Utils::CreateDropDown(RGB(0, 0, 0), 0, 0));
  EXPECT_NE(empty->GetLastStatus(), Gdiplus::Ok);  // no size: a bitmap that says so
}

TEST(Images, DrawnStretchedAndAnimated) {
  auto png = ResourceBitmap(kPngResource, L"PNG");
  ASSERT_NE(png, nullptr);
  Canvas canvas(200, 100);
  Utils::DrawImage(canvas.graphics, png.get(), 5, 5);              // own size: 40 x 20
  Utils::DrawImage(canvas.graphics, png.get(), 60, 10, 80, 60);    // stretched
  Utils::DrawImage(canvas.graphics, nullptr, 0, 0);
  const Image img = canvas.Pixels();
  EXPECT_EQ(img.BoundsNot(kWhite, RECT{0, 0, 60, 100}), (RECT{5, 5, 45, 25}));
  EXPECT_EQ(img.At(6, 6), 0xFF0000u);
  EXPECT_EQ(img.At(43, 23), 0x0000FFu);
  EXPECT_EQ(img.At(90, 67), 0xFF0000u);
  EXPECT_EQ(img.At(137, 67), 0x0000FFu);
  EXPECT_EQ(img.At(100, 72), kWhite);

  // GIF frames: the delays are appended; stepping selects the next frame
  // and wraps.
  auto gif = ResourceBitmap(kGifResource, L"GIF");
  std::vector<long> delays = {7};
  ASSERT_TRUE(Utils::StoreGifInternal(gif.get(), delays));
  EXPECT_EQ(delays, (std::vector<long>{7, 100, 200, 300}));
  delays.erase(delays.begin());
  int index = 0;
  const struct {
    long delay;
    uint32_t colour;
  } frames[] = {{200, 0x00FF00}, {300, 0x0000FF}, {100, 0xFF0000}};
  for (const auto& frame : frames) {
    EXPECT_EQ(Utils::NextActiveFrameInternal(gif.get(), index, delays), frame.delay);
    EXPECT_EQ(viewtest::FromBitmap(*gif).At(0, 0), frame.colour);
  }
  EXPECT_EQ(index, 0);
  std::vector<long> untouched = {1, 2}, none;
  EXPECT_FALSE(Utils::StoreGifInternal(png.get(), untouched));  // not animated
  EXPECT_FALSE(Utils::StoreGifInternal(nullptr, untouched));
  EXPECT_EQ(untouched, (std::vector<long>{1, 2}));
  EXPECT_EQ(Utils::NextActiveFrameInternal(gif.get(), index, none), 0);
}

TEST(Text, FitWidthExtentAndWrapping) {
  GdiCanvas canvas(200, 100);
  ScopedGdiObject<HFONT> arial(Utils::GetHFONT(-16, DEFAULT_CHARSET, false, L"Arial"));
  std::wstring text = L"WWWWWWWW";
  SIZE three = {}, word = {}, both = {};
  TEXTMETRICW metrics = {};
  {
    view::frame::SelectObjectScope selected(canvas.dc.m_hDC, arial.get());
    ::GetTextExtentPoint32W(canvas.dc.m_hDC, text.c_str(), 3, &three);
    ::GetTextExtentPoint32W(canvas.dc.m_hDC, L"Alpha", 5, &word);
    ::GetTextExtentPoint32W(canvas.dc.m_hDC, L"Alpha Beta", 10, &both);
    ::GetTextMetricsW(canvas.dc.m_hDC, &metrics);
  }
  // As many characters as fit the width exactly, the DC's font restored.
  const HGDIOBJ before = ::GetCurrentObject(canvas.dc.m_hDC, OBJ_FONT);
  EXPECT_EQ(Utils::numberOfGdiCharactersThatFitWidth(canvas.dc, three.cx, text, arial.get()), 3);
  EXPECT_EQ(Utils::numberOfGdiCharactersThatFitWidth(canvas.dc, three.cx - 1, text, arial.get()), 2);
  EXPECT_EQ(::GetCurrentObject(canvas.dc.m_hDC, OBJ_FONT), before);
  Canvas plus(10, 10);
  Gdiplus::Font font(L"Arial", 16.0f, Gdiplus::FontStyleRegular, Gdiplus::UnitPixel);
  Gdiplus::RectF four;
  plus.graphics.MeasureString(text.c_str(), 4, &font, Gdiplus::RectF(0, 0, 0, 0), nullptr, &four);
  const int w4 = static_cast<int>(std::ceil(four.Width));
  EXPECT_EQ(Utils::numberOfGdiplusCharactersThatFitWidth(plus.graphics, w4, text, &font), 4);
  EXPECT_EQ(Utils::numberOfGdiplusCharactersThatFitWidth(plus.graphics, 100000, text, &font), 8);

  // Extents: one line when wide enough, wrapped at the space when not,
  // never wider than the limit.
  view::frame::SelectObjectScope selected(canvas.dc.m_hDC, arial.get());
  const int line = metrics.tmHeight;
  EXPECT_EQ(Utils::GetTextExtent(canvas.dc, L"Alpha Beta", -1, 1000), std::make_pair(static_cast<int>(both.cx), line));
  const auto wrapped = Utils::GetTextExtent(canvas.dc, L"Alpha Beta", -1, word.cx + 2);
  EXPECT_EQ(wrapped.second, 2 * line);
  EXPECT_LE(wrapped.first, word.cx + 2);
  EXPECT_EQ(Utils::GetTextExtent(canvas.dc, L"Alphabetical", -1, 10).first, 10);
  EXPECT_EQ(Utils::GetTextExtent(canvas.dc, nullptr, 5, 100).first, 0);
  // Drawn into a rectangle one and a half lines tall: the partly visible
  // second line is not shown.
  Utils::DrawTextInRect(canvas.dc, L"A&lpha Beta", -1, WTL::CRect(0, 0, word.cx + 12, line + line / 2));
  Utils::DrawTextInRect(canvas.dc, nullptr, 3, WTL::CRect(0, 0, 10, 10));
  const RECT ink = canvas.Pixels().BoundsNot(kWhite);
  EXPECT_GT(ink.bottom, 0);
  EXPECT_LE(ink.bottom, line) << "second line hidden";
}

TEST(Text, GdiplusAlignments) {
  Gdiplus::Font font(L"Arial", 14.0f, Gdiplus::FontStyleRegular, Gdiplus::UnitPixel);
  Gdiplus::Color black(255, 0, 0, 0);
  const Gdiplus::RectF box(20, 10, 160, 80);  // centre (100, 50)
  Gdiplus::StringFormat far_bottom;
  far_bottom.SetAlignment(Gdiplus::StringAlignmentFar);
  far_bottom.SetLineAlignment(Gdiplus::StringAlignmentFar);
  const struct {
    const char* name;
    std::function<void(Gdiplus::Graphics&)> draw;
    int horizontal, vertical;  // -1 near, 0 centre, 1 far
  } cases[] = {
      {"center", [&](auto& g) { Utils::DrawTextCenter(g, box, L"Hi", &font, &black); }, 0, 0},
      {"right", [&](auto& g) { Utils::DrawTextRightAlign(g, box, L"Hi", &font, &black); }, 1, -1},
      {"vcenter", [&](auto& g) { Utils::DrawTextInRectVerticalCenter(g, box, L"Hi", &font, &black); }, -1, 0},
      {"default", [&](auto& g) { Utils::DrawTextInRect(g, box, L"Hi", &font, &black); }, -1, -1},
      {"format", [&](auto& g) { Utils::DrawTextW(g, box, L"Hi", &font, &far_bottom, &black); }, 1, 1},
  };
  // Near alignment starts within 8 pixels of the box; far alignment ends
  // within `slack` (a line's descent lies below the ink).
  auto near_edge = [](int where, LONG low, LONG high, int edge_low, int edge_high, int mid,
                      int slack) {
    if (where < 0) return low < edge_low + 8;
    if (where > 0) return high > edge_high - slack;
    return std::abs((low + high) / 2 - mid) <= 4;
  };
  for (const auto& c : cases) {
    Canvas canvas(200, 100);
    c.draw(canvas.graphics);
    const RECT ink = canvas.Pixels().BoundsNot(kWhite);
    ASSERT_LT(ink.left, ink.right) << c.name;
    EXPECT_TRUE(near_edge(c.horizontal, ink.left, ink.right, 20, 180, 100, 8)) << c.name;
    EXPECT_TRUE(near_edge(c.vertical, ink.top, ink.bottom, 10, 90, 50, 12)) << c.name;
    EXPECT_TRUE(ink.left >= 20 && ink.right <= 180) << c.name;
  }
  // No colour, text or font: nothing drawn.
  Canvas blank(50, 50);
  Utils::DrawTextW(blank.graphics, box, L"Hi", &font, nullptr, nullptr);
  Utils::DrawTextCenter(blank.graphics, box, nullptr, &font, &black);
  Utils::DrawTextInRect(blank.graphics, box, L"", &font, &black);
  Utils::DrawTextRightAlign(blank.graphics, box, L"Hi", nullptr, &black);
  EXPECT_EQ(blank.Pixels().Count(kWhite), 50 * 50);
}

TEST(Fonts, DescriptionsAndWindowHelpers) {
  // Only the low byte of the character set counts; a face name longer than
  // the field is cut to 31 characters.
  ScopedGdiObject<HFONT> bold(Utils::GetHFONT(-20, 0x1FF, true, std::wstring(40, L'x').c_str()));
  LOGFONTW described = {};
  ::GetObjectW(bold.get(), sizeof(described), &described);
  EXPECT_EQ(described.lfHeight, -20);
  EXPECT_EQ(described.lfWeight, 700);
  EXPECT_EQ(described.lfCharSet, 0xFF);
  EXPECT_EQ(std::wstring(described.lfFaceName), std::wstring(31, L'x'));

  // A hidden scroll bar is shown for the measurement and hidden again.
  viewtest::HostWindow host;
  HWND list = ::CreateWindowExW(0, L"LISTBOX", L"", WS_CHILD | WS_VISIBLE, 10, 60, 100, 80, host,
                                nullptr, nullptr, nullptr);
  EXPECT_GT(Utils::GetWindowScrollBarThumbWidth(list), 0);
  EXPECT_EQ(::GetWindowLongW(list, GWL_STYLE) & WS_VSCROLL, 0);
  EXPECT_EQ(Utils::GetWindowScrollBarThumbWidth(nullptr), 0);
  EXPECT_EQ(Utils::GetEditValue(nullptr), L"");
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

TEST(PathHelper, RoundRectOnTheOuterEdges) {
  CPathHelper helper;
  Gdiplus::GraphicsPath* path = helper.CreateRoundRect(Gdiplus::Rect(0, 0, 100, 40), 5);
  ASSERT_NE(path, nullptr);
  Gdiplus::RectF bounds;
  path->GetBounds(&bounds);
  EXPECT_TRUE(bounds.Equals(Gdiplus::RectF(0, 0, 100, 40)));  // unlike Utils::CreateRoundRect
  EXPECT_TRUE(path->IsVisible(50, 20));
  EXPECT_FALSE(path->IsVisible(0, 0));  // the corner is cut
  path = helper.CreateRoundRect(Gdiplus::Rect(10, 10, 20, 20), 0);
  EXPECT_TRUE(path->IsVisible(11, 11));  // radius 0: square corners
  helper.DeleteOldPath();
  EXPECT_EQ(helper.path_, nullptr);
}

TEST(ImageHelper, LoadsFromResourcesAndFiles) {
  HMODULE exe = ::GetModuleHandleW(nullptr);
  CImageHelper helper;
  Gdiplus::Image* png = helper.Load_Image(kPngResource, L"PNG", exe);
  ASSERT_NE(png, nullptr);
  EXPECT_EQ(helper.GetWidth(), 40.0f);
  EXPECT_EQ(helper.GetHeight(), 20.0f);
  // Copies clone: each helper keeps its own image.
  CImageHelper copy(helper), assigned;
  assigned = helper;
  EXPECT_NE(copy.image_, helper.image_);
  EXPECT_NE(assigned.image_, helper.image_);
  EXPECT_EQ(assigned.GetWidth(), 40.0f);
  // A missing resource: null, and the earlier image is gone. The default
  // module is the library's own, here this executable.
  EXPECT_EQ(helper.Load_Image(kMissingResource, L"PNG", exe), nullptr);
  EXPECT_EQ(helper.GetWidth(), 0.0f);
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
  ASSERT_NE(helper.Load_Image(path.c_str(), L""), nullptr);
  EXPECT_EQ(helper.GetWidth(), 6.0f);
  EXPECT_FALSE(::DeleteFileW(path.c_str())) << "held open by the image";
  EXPECT_EQ(helper.Load_Image(kMissingResource, L"PNG", exe), nullptr);
  EXPECT_TRUE(::DeleteFileW(path.c_str()));
  Gdiplus::Image* unreadable = helper.Load_Image(L"Z:\\no\\such\\file.png", L"");
  ASSERT_NE(unreadable, nullptr);
  EXPECT_NE(unreadable->GetLastStatus(), Gdiplus::Ok);
}

TEST(FontHelper, PrivateFontFromResources) {
  HMODULE exe = ::GetModuleHandleW(nullptr);
  CFontHelper helper;
  EXPECT_EQ(helper.SetFontStyle(Gdiplus::FontStyleBold, 20.0f), 0) << "no family yet";
  EXPECT_EQ(helper.LoadFont(kMissingResource, L"TTF", exe), 0);
  ASSERT_EQ(helper.LoadFont(kSerifResource, L"TTF", exe), 1);
  EXPECT_FLOAT_EQ(helper.font_->GetSize(), 14.0f);
  EXPECT_EQ(helper.font_->GetUnit(), Gdiplus::UnitPixel);
  // The bold face joins the same family; the new style replaces the font.
  ASSERT_EQ(helper.LoadFont(kSerifBoldResource, L"TTF", exe), 1);
  EXPECT_EQ(helper.SetFontStyle(Gdiplus::FontStyleBold, 20.0f), 1);
  EXPECT_EQ(helper.font_->GetStyle(), Gdiplus::FontStyleBold);

  viewtest::HostWindow host;
  ScopedGdiObject<HFONT> wide(helper.FontToHFONT_W(host));
  LOGFONTW described = {};
  ::GetObjectW(wide.get(), sizeof(described), &described);
  EXPECT_STREQ(described.lfFaceName, L"DejaVu Serif");
  EXPECT_EQ(described.lfQuality, CLEARTYPE_QUALITY);
  EXPECT_GE(described.lfWeight, 700);
  EXPECT_EQ(std::abs(described.lfHeight), 20);
  // Without a font no HFONT; the collection stays for a new style.
  helper.DeleteOldFont();
  EXPECT_EQ(helper.FontToHFONT_W(host), nullptr);
  EXPECT_EQ(helper.SetFontStyle(Gdiplus::FontStyleRegular, 9.0f), 1);
}

// ---------------------------------------------------------------------------
// Background brushes

TEST(BrushHelper, TextureOfTheParentBehindTheChild) {
  // The parent paints a picture whose pixels tell where they are, and
  // records which background message asked for it.
  viewtest::HostWindow host(true, 300, 200);
  std::vector<std::pair<UINT, LPARAM>> seen;
  host.on_message = [&](UINT msg, WPARAM wparam, LPARAM lparam, LRESULT& result) {
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
  HWND child = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 30, 40, 50, 20, host,
                                 nullptr, nullptr, nullptr);
  {
    CBrushHelper warm_up;  // what the platform makes once for the first paint does not count
    warm_up.GetBackGroundBrush(child, host.hwnd(), CBrushHelper::BRUSH_TYPE_PAINT);
  }
  const int before = viewtest::CountGdiObjects();
  {
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
      Canvas canvas(50, 20);
      canvas.graphics.FillRectangle(brush, 0, 0, 50, 20);
      const Image img = canvas.Pixels();
      EXPECT_EQ(img.At(0, 0), At(30, 40)) << c.type;
      EXPECT_EQ(img.At(49, 19), At(79, 59)) << c.type;
      EXPECT_EQ(img.At(17, 5), At(47, 45)) << c.type;
    }
    helper.DeleteOldBrush();
    EXPECT_EQ(helper.brush_, nullptr);
    helper.GetBackGroundBrush(child, host.hwnd(), CBrushHelper::BRUSH_TYPE_ERASEBKGND);
  }
  EXPECT_EQ(viewtest::CountGdiObjects(), before) << "every DC and bitmap released";
}

TEST(WindowBgBrush, BlocksBehindEachChild) {
  viewtest::HostWindow parent(true, 300, 200);
  HWND child = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 10, 20, 100, 30,
                                 parent, nullptr, nullptr, nullptr);
  HWND other = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 150, 100, 40, 10,
                                 parent, nullptr, nullptr, nullptr);
  // The background picture, as a GDI+ image and as a GDI bitmap.
  auto picture = CoordinatePicture(256, 200), small_picture = CoordinatePicture(50, 40);
  HBITMAP gdi_picture = nullptr;
  picture->GetHBITMAP(Gdiplus::Color(0, 0, 0), &gdi_picture);
  ScopedGdiObject<HBITMAP> gdi_owner(gdi_picture);
  // The pixels a brush paints into a 100 x 30 bitmap from (0, 0).
  auto painted = [](HBRUSH brush) {
    GdiCanvas canvas(100, 30);
    RECT all = {0, 0, 100, 30};
    ::FillRect(canvas.dc.m_hDC, &all, brush);
    return canvas.Pixels();
  };

  const int before = viewtest::CountGdiObjects();
  {
    ZuWindowBgBrushHelper helper;
    EXPECT_EQ(helper.GetHBRUSH(child), nullptr);
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
  // Destroying the helper deletes every brush, the replaced ones included.
  EXPECT_EQ(viewtest::CountGdiObjects(), before);
}

// Drawing services: the Utils drawing, measuring, font, image and window
// helpers, the GDI+ resource helpers, the stock images and the window
// background brush helper. Drawn results are read back from bitmaps.

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <fstream>

#include "harness.h"  // and <memory>, <string>, <vector>
#include "robust.h"
#include "view/graphics_helpers.h"
#include "view/internal/frame/scoped.h"
#include "view/stock_images.h"
#include "view/utils.h"
#include "view/zu_window_bg_brush_helper.h"

namespace {

using viewtest::Image;

constexpr uint32_t kWhite = 0xFFFFFF, kBlack = 0, kRed = 0xFF0000, kBlue = 0x0000FF;
constexpr RECT kAll = {0, 0, 1000, 1000};
const HMODULE kTests = ::GetModuleHandleW(nullptr);  // carries drawing_test.rc

// A white ARGB bitmap with a graphics object on it; `exact` picks
// nearest-neighbour sampling and half-pixel offsets, so that a scaled image
// gives exact pixels.
struct Canvas {
  Canvas(int w, int h, bool exact = false) : bitmap(w, h, PixelFormat32bppARGB), graphics(&bitmap) {
    graphics.Clear(0xFFFFFFFF);
    if (exact) graphics.SetInterpolationMode(Gdiplus::InterpolationModeNearestNeighbor);
    if (exact) graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
  }
  Image Pixels() { return viewtest::FromBitmap(bitmap); }
  Gdiplus::Bitmap bitmap;
  Gdiplus::Graphics graphics;
};

// A memory canvas whose DC is also a WTL object, for the GDI forms.
struct GdiCanvas : viewtest::MemoryCanvas {
  GdiCanvas(int width, int height) : MemoryCanvas(width, height), cdc(dc) {}
  ~GdiCanvas() { cdc.Detach(); }
  WTL::CDCT<true> cdc;
};

// A picture whose pixels tell where they are: red = x, green = y, blue 0x80.
uint32_t At(int x, int y) { return (static_cast<uint32_t>(x) << 16) | (y << 8) | 0x80; }
std::unique_ptr<Gdiplus::Bitmap> CoordinatePicture(int w, int h) {
  auto picture = std::make_unique<Gdiplus::Bitmap>(w, h, PixelFormat32bppARGB);
  for (int i = 0; i < w * h; ++i) picture->SetPixel(i % w, i / w, At(i % w, i / w) | 0xFF000000u);
  return picture;
}
// The top left and bottom right pixels of a 100 x 30 piece.
std::pair<uint32_t, uint32_t> Corners(const Image& img) { return {img.At(0, 0), img.At(99, 29)}; }

}  // namespace

TEST(Primitives, RoundRectsGlyphsAndStockImages) {
  // The path lies one pixel inside the right and bottom edges; the helper's
  // path has them on the edges, with corners of radius 10 cut off (a point
  // 8.5 from a corner's centre lies inside, 11.3 not).
  Gdiplus::GraphicsPath path;
  path.AddRectangle(Gdiplus::Rect(500, 500, 5, 5));  // reset first: this must go
  Utils::CreateRoundRect(path, Gdiplus::RectF(0, 0, 100, 40), 10);
  CPathHelper paths;
  Gdiplus::GraphicsPath* rounded = paths.CreateRoundRect(Gdiplus::Rect(0, 0, 100, 40), 10);
  Gdiplus::RectF bounds[2];
  path.GetBounds(&bounds[0]);
  rounded->GetBounds(&bounds[1]);
  EXPECT_TRUE(bounds[0].Equals(Gdiplus::RectF(0, 0, 99, 39)) && bounds[1].Equals(Gdiplus::RectF(0, 0, 100, 40)));
  const int points[][3] = {{2, 2, 0}, {98, 2, 0}, {98, 38, 0}, {2, 38, 0}, {4, 4, 1},
                           {96, 36, 1}, {50, 1, 1}, {98, 20, 1}, {1, 20, 1}, {50, 38, 1}};
  for (const auto& p : points) EXPECT_EQ(rounded->IsVisible(p[0], p[1]), p[2]) << p[0] << ", " << p[1];

  // An outline of width w grows inward by w pixels on every side. A fill
  // takes the brush inside the border and leaves the rounded corner's pixel
  // (without a brush: the outline only). Both leave the page unit as it was.
  const Gdiplus::RectF rect(10, 10, 60, 40);  // right edge drawn at 69, bottom at 49
  for (int width : {1, 3}) {
    Canvas canvas(80, 60);
    canvas.graphics.SetPageUnit(Gdiplus::UnitDisplay);
    Utils::DrawRoundRect(&canvas.graphics, rect, Gdiplus::Color(255, 0, 0, 0), 3, width);
    const Image img = canvas.Pixels();  // the pixels of the top and bottom, of the left and right
    EXPECT_EQ(std::make_tuple(canvas.graphics.GetPageUnit(), img.BoundsNot(kWhite), img.Count(kBlack, 40, 0, 41, 60),
                              img.Count(kBlack, 0, 30, 80, 31)),
              std::make_tuple(Gdiplus::UnitDisplay, RECT{10, 10, 70, 50}, 2 * width, 2 * width)) << width;
  }
  Gdiplus::SolidBrush red(Gdiplus::Color(255, 255, 0, 0));
  for (Gdiplus::Brush* brush : {static_cast<Gdiplus::Brush*>(&red), static_cast<Gdiplus::Brush*>(nullptr)}) {
    Canvas c(80, 60);
    c.graphics.SetPageUnit(Gdiplus::UnitDisplay);
    Utils::FillRoundRect(&c.graphics, brush, rect, Gdiplus::Color(255, 0, 0, 255), 4);
    const Image img = c.Pixels();
    EXPECT_EQ(std::make_tuple(c.graphics.GetPageUnit(), img.At(40, 30), img.At(40, 10), img.At(69, 30), img.At(10, 10)),
              std::make_tuple(Gdiplus::UnitDisplay, brush ? kRed : kWhite, kBlue, kBlue, kWhite));
  }
  Utils::FillRoundRect(nullptr, &red, rect, Gdiplus::Color(), 2);  // no graphics: no crash
  Utils::DrawRoundRect(nullptr, rect, Gdiplus::Color(), 2, 3);

  // Red given as a COLORREF (255) comes out red: no pixel bluer than it is red.
  auto reddish = [](uint32_t p) { return (p >> 16) > (p & 0xFF); };
  auto bluish = [](uint32_t p) { return (p & 0xFF) > (p >> 16); };
  // The arrow: a downward V from (2, 4) and (14, 4) to (8, 8) on a
  // transparent ground; (5, 6) lies on its left stroke.
  const Image v = viewtest::FromBitmap(*std::unique_ptr<Gdiplus::Bitmap>(Utils::CreateDropDown(255, 16, 12)));
  EXPECT_EQ(std::tuple(v.Bounds(reddish, kAll), v.Bounds(bluish, kAll), v.ArgbAt(8, 4), v.ArgbAt(5, 6)),
            std::tuple(v.Bounds(reddish, {1, 3, 15, 10}), RECT{}, 0u, 0xFFFF0000u));
  // The tick: from x = 4 whatever the rectangle's left (50), within its
  // height; the graphics keep their quality settings.
  Canvas canvas(80, 80, true);
  canvas.graphics.SetSmoothingMode(Gdiplus::SmoothingModeNone);
  WTL::CRect box(50, 20, 70, 60);
  Utils::DrawTick(canvas.graphics, box, 255);
  const Image tick = canvas.Pixels();
  EXPECT_EQ(std::make_tuple(canvas.graphics.GetSmoothingMode(), canvas.graphics.GetInterpolationMode(),
                            tick.Bounds(reddish, kAll), tick.Bounds(bluish, kAll), tick.Count(kRed) > 0),
            std::make_tuple(Gdiplus::SmoothingModeNone, Gdiplus::InterpolationModeNearestNeighbor,
                            tick.Bounds(reddish, {3, 20, 50, 60}), RECT{}, true));

  // Stock images: (kind, size, scale, side, x, y, ARGB, x, y, ARGB) on the
  // 16-unit grid: the box fills and transparent corners, the tick, each
  // chevron's stroke where the other has none (collapsed points right,
  // expanded points down), and sizes rounded from the scale.
  using S = view::StockImage;
  const struct { S kind; int size; double scale; int side; uint32_t at[6]; } stock[] = {
      {S::kCheckBoxUnchecked, 16, 1, 16, {8, 8, 0xFFFFFFFF}}, {S::kCheckBoxDisabled, 16, 1, 16, {8, 8, 0xFFDCDCDC}},
      {S::kCheckBoxChecked, 16, 1, 16, {2, 2, 0xFF2B579A, 5, 9, 0xFFFFFFFF}}, {S::kExpanderExpanded, 16, 1.3, 21, {}},
      {S::kExpanderCollapsed, 16, 1, 16, {7, 5, 0xFF505A6E, 5, 7, 0}}, {S::kExpanderCollapsed, 16, 0.72, 12, {}},
      {S::kExpanderExpanded, 16, 1, 16, {5, 7, 0xFF505A6E, 7, 5, 0}},
      {S::kCheckBoxChecked, 20, 1.5, 30, {3, 3, 0xFF2B579A, 10, 17, 0xFFFFFFFF}}};
  for (const auto& s : stock) {
    const Image img = viewtest::FromBitmap(*view::MakeStockImage(s.kind, s.size, s.scale));
    EXPECT_EQ(std::make_tuple(img.width, img.height, img.ArgbAt(s.at[0], s.at[1]), img.ArgbAt(s.at[3], s.at[4])),
              std::make_tuple(s.side, s.side, s.at[2], s.at[5])) << int(s.kind) << " at " << s.side;
  }
  const std::tuple<S, int, double> bad[] = {{S(9), 16, 1}, {S::kCheckBoxChecked, 0, 1}, {S::kCheckBoxChecked, 16, -1}};
  for (auto [kind, size, scale] : bad) EXPECT_EQ(view::MakeStockImage(kind, size, scale), nullptr) << size << scale;
}

TEST(Text, FitWidthExtentAndWrapping) {
  // Arial measured with GDI; `same` is the same font as another object.
  GdiCanvas gdi(200, 100);
  view::frame::ScopedGdiObject<HFONT> arial(Utils::GetHFONT(-16, 1, false, L"Arial"));
  view::frame::ScopedGdiObject<HFONT> same(Utils::GetHFONT(-16, 1, false, L"Arial"));
  view::frame::SelectObjectScope selected(gdi.dc, arial.get());
  auto width = [&](LPCWSTR s) { SIZE z = {}; ::GetTextExtentPoint32W(gdi.dc, s, lstrlenW(s), &z); return int{z.cx}; };
  auto extent = [&](LPCWSTR s, int max_width) { return Utils::GetTextExtent(gdi.cdc, s, -1, max_width); };
  TEXTMETRICW metrics = {};
  ::GetTextMetricsW(gdi.dc, &metrics);
  const int line = metrics.tmHeight, three = width(L"WWW"), word = width(L"Alpha");
  // As many characters as fit the width exactly, the DC's font restored.
  std::wstring text = L"WWWWWWWW";
  EXPECT_EQ(Utils::numberOfGdiCharactersThatFitWidth(gdi.cdc, three, text, same.get()), 3);
  EXPECT_EQ(Utils::numberOfGdiCharactersThatFitWidth(gdi.cdc, three - 1, text, same.get()), 2);
  EXPECT_EQ(::GetCurrentObject(gdi.dc, OBJ_FONT), arial.get());
  // Extents: one line when wide enough, wrapped at the space when not,
  // never wider than the limit, even for a word that fits nowhere.
  EXPECT_EQ(extent(L"Alpha Beta", 1000), std::make_pair(width(L"Alpha Beta"), line));
  EXPECT_EQ(extent(L"Alpha Beta", word + 2), std::make_pair(word, 2 * line));
  EXPECT_EQ(std::make_pair(extent(L"WWW", 5).first, extent(nullptr, 100).first), std::make_pair(5, 0));
  // Drawn, it wraps the same way.
  const RECT wrapped = (Utils::DrawTextInRect(gdi.cdc, L"Alpha Beta", -1, {0, 0, word + 2, 100}), gdi.Pixels().BoundsNot(kWhite));
  EXPECT_EQ(std::pair(wrapped.right <= word, wrapped.bottom > line), std::pair(true, true));
  // A face name keeps 31 characters: the 32nd would leave the terminator
  // no room.
  view::frame::ScopedGdiObject<HFONT> cut(Utils::GetHFONT(20, 0x1EE, true, L"ABCDEFGHIJKLMNOPQRSTUVWXYZ012345"));
  LOGFONTW f = {};
  ::GetObjectW(cut.get(), sizeof(f), &f);
  EXPECT_EQ(std::tuple(f.lfHeight, f.lfWeight, f.lfCharSet, std::wstring(f.lfFaceName, wcsnlen(f.lfFaceName, 32))),
            std::tuple(20L, 700L, BYTE{0xEE}, L"ABCDEFGHIJKLMNOPQRSTUVWXYZ01234"));

  // GDI+ text in a rectangle: the third of its width and of its height
  // (column, row) that the red ink's centre falls in. No colour, no ink.
  std::unique_ptr<Gdiplus::Font> font(Utils::GetFont(gdi.dc, -16, DEFAULT_CHARSET, false, L"Arial"));
  // GDI+ fitting: as many characters as the measured width holds.
  Gdiplus::Graphics plus(gdi.dc); Gdiplus::RectF box; plus.MeasureString(L"WWW", 3, font.get(), {0, 0, 0, 0}, 0, &box);
  auto fit = [&](int width) { return Utils::numberOfGdiplusCharactersThatFitWidth(plus, width, text, font.get()); };
  EXPECT_EQ(std::tuple(fit(1000), fit(int(std::ceil(box.Width))), fit(int(box.Width) - 1)), std::tuple(8, 3, 2));
  const struct { decltype(&Utils::DrawTextCenter) draw; long column, row; } aligned[] = {{Utils::DrawTextInRect, 0, 0},
      {Utils::DrawTextCenter, 1, 1}, {Utils::DrawTextRightAlign, 2, 0}, {Utils::DrawTextInRectVerticalCenter, 0, 1}};
  Gdiplus::Color red(255, 255, 0, 0);
  for (const auto& a : aligned) {
    Canvas c(240, 90);
    a.draw(c.graphics, Gdiplus::RectF(20, 15, 180, 60), L"Ab", font.get(), &red);
    a.draw(c.graphics, Gdiplus::RectF(20, 15, 180, 60), L"Ab", font.get(), nullptr);
    const RECT ink = c.Pixels().BoundsNot(kWhite);
    EXPECT_EQ(std::make_tuple((ink.left + ink.right - 40) * 3 / 360, (ink.top + ink.bottom - 30) * 3 / 120,
                              c.Pixels().Count(kRed) > 0), std::make_tuple(a.column, a.row, true)) << &a - aligned;
  }
}

TEST(Images, FittedLoadedDrawnAndStepped) {
  // Aspect fit: never enlarged, scaled to fit both ways.
  const int cases[][6] = {{100, 50, 200, 200, 100, 50}, {400, 200, 100, 100, 100, 50},
                          {100, 300, 100, 100, 33, 100}, {0, 500, 100, 100, 0, 100}, {10, 10, -1, -1, 0, 0}};
  for (auto& c : cases) EXPECT_EQ(Utils::CalculateDrawSize(c[0], c[1], c[2], c[3]), std::make_pair(c[4], c[5])) << c[0];

  // gradient.png (40 x 20, left half red, right half blue) from its
  // resource and from a file, and copies of both, drawn at its own size at
  // (5, 5) and halved at (50, 0).
  HRSRC png = ::FindResourceW(kTests, MAKEINTRESOURCEW(101), L"PNG");
  std::ofstream("gradient-copy.png", std::ios::binary)
      .write(static_cast<const char*>(::LockResource(::LoadResource(kTests, png))), ::SizeofResource(kTests, png));
  CImageHelper resource, file;
  resource.Load_Image(101, L"PNG", kTests);
  file.Load_Image(L"gradient-copy.png", L"");
  CImageHelper copy(file), assigned;
  assigned = resource;
  for (CImageHelper* h : {&resource, &file, &copy, &assigned}) {
    Canvas canvas(100, 30, true);
    Utils::DrawImage(canvas.graphics, nullptr, 0, 0);
    Utils::DrawImage(canvas.graphics, h->image_, 5, 5);
    Utils::DrawImage(canvas.graphics, h->image_, 50, 0, 20, 10);
    const Image img = canvas.Pixels();
    EXPECT_EQ(std::make_tuple(h->GetWidth(), h->GetHeight(), img.BoundsNot(kWhite), img.Count(kRed, 0, 0, 25),
                              img.Count(kBlue, 25, 0, 50), img.Count(kRed, 50, 0, 60), img.Count(kBlue, 60)),
              std::make_tuple(40.0f, 20.0f, RECT{5, 0, 70, 25}, 400, 400, 100, 100));
  }
  // A single frame, or none, has no delays. A failed load leaves no image
  // (and lets the file go).
  std::vector<long> untouched = {1, 2};
  EXPECT_FALSE(Utils::StoreGifInternal(static_cast<Gdiplus::Bitmap*>(file.image_), untouched) ||
               Utils::StoreGifInternal(nullptr, untouched));
  EXPECT_EQ(file.Load_Image(999, L"PNG", kTests), nullptr);
  EXPECT_EQ(std::make_pair(file.GetWidth(), untouched), std::make_pair(0.0f, std::vector<long>{1, 2}));
  ::DeleteFileW(L"gradient-copy.png");
  Gdiplus::Image* unreadable = resource.Load_Image(L"Z:\\no\\such\\file.png", L"");
  EXPECT_TRUE(unreadable != nullptr && unreadable->GetLastStatus() != Gdiplus::Ok);
  // three.gif: 4 x 4 frames red, green and blue, shown for 10, 20 and 30
  // hundredths of a second. Stepping from frame 0 shows 1, 2, then 0 again.
  auto* frames = static_cast<Gdiplus::Bitmap*>(resource.Load_Image(102, L"GIF", kTests));
  std::vector<long> delays;
  ASSERT_TRUE(Utils::StoreGifInternal(frames, delays) && delays == (std::vector<long>{100, 200, 300}));
  int index = 0;
  for (auto step : {std::make_tuple(1, 200L, 0xFF00FF00u), {2, 300L, 0xFF0000FFu}, {0, 100L, 0xFFFF0000u}}) {
    const long delay = Utils::NextActiveFrameInternal(frames, index, delays);
    EXPECT_EQ(std::make_tuple(index, delay, viewtest::FromBitmap(*frames).ArgbAt(0, 0)), step);
  }

  // A 30 x 4 strip: left cap red (columns 0-9), middle green with a black
  // first column (10-19), right cap blue (20-29).
  Gdiplus::Bitmap strip(30, 4, PixelFormat32bppARGB);
  for (int i = 0, x = 0; i < 120; x = ++i % 30)
    strip.SetPixel(x, i / 30, x < 10 ? 0xFFFF0000 : x == 10 ? 0xFF000000 : x < 20 ? 0xFF00FF00 : 0xFF0000FF);
  CGraphicsHelper helper;
  // Middle pieces start at x + 10, + 20, + 30 (black at 15, 25, 35); the
  // right cap at x + 40, or at x + 35 after the last middle piece is
  // squeezed into 5 pixels. The image's own height is drawn.
  // Nothing is drawn without an image, an edge or a width.
  for (auto [width, cap] : {std::make_pair(50, 45), {45, 40}}) {
    Canvas canvas(80, 20, true);
    Gdiplus::Rect dest(5, 2, width, 15), elsewhere(60, 10, 30, 4), empty(60, 10, 0, 4);
    helper.StretchWidthImage(canvas.graphics, nullptr, elsewhere, 10.0f);
    helper.StretchWidthImage(canvas.graphics, &strip, elsewhere, 0.0f);
    helper.StretchWidthImage(canvas.graphics, &strip, empty, 10.0f);
    helper.StretchWidthImage(canvas.graphics, &strip, dest, 10.0f);
    const Image img = canvas.Pixels();
    EXPECT_EQ(std::make_tuple(img.Count(kRed), img.BoundsNot(0x00FF00, RECT{15, 3, cap, 4}), img.At(35, 3),
                              img.Count(kBlack), img.Count(kBlue), img.BoundsNot(kWhite)),
              std::make_tuple(40, RECT{15, 3, 36, 4}, kBlack, 12, 40, RECT{5, 2, cap + 10, 6})) << width;
  }
}

// A helper built over bytes of 0xAB, so that a member left unset shows.
template <class H>
struct OverGarbage {
  alignas(H) unsigned char raw[sizeof(H)];
  H* h = (std::memset(raw, 0xAB, sizeof(raw)), new (raw) H);
  ~OverGarbage() { h->~H(); }
};

TEST(Helpers, StartEmptyShareWhenAssignedAndLeaveNothingBehind) {
  OverGarbage<CBrushHelper> brush; OverGarbage<CPathHelper> path;
  OverGarbage<CImageHelper> image; OverGarbage<CFontHelper> font;
  CFontHelper& f = *font.h; const HWND desktop = ::GetDesktopWindow();
  // Nothing held at first: no font before one is loaded, nor from a missing
  // resource, and no GDI form of none.
  EXPECT_EQ(std::tuple(!brush.h->brush_, !brush.h->bitmap_, !path.h->path_, !image.h->image_, !f.font_,
                       f.SetFontStyle(Gdiplus::FontStyleBold, 20.0f), f.LoadFont(999, L"TTF", kTests),
                       f.FontToHFONT_W(desktop)), std::tuple(true, true, true, true, true, 0, 0, HFONT{}));
  // The loaded face as GDI fonts, 14 pixels high; none once deleted.
  ASSERT_EQ(f.LoadFont(103, L"TTF", kTests), 1);
  view::frame::ScopedGdiObject<HFONT> wide(f.FontToHFONT_W(desktop)), narrow(f.FontToHFONT_A(desktop));
  LOGFONTW w = {}; LOGFONTA a = {};
  ::GetObjectW(wide.get(), sizeof(w), &w), ::GetObjectA(narrow.get(), sizeof(a), &a), f.DeleteOldFont();
  EXPECT_EQ(std::tuple(w.lfHeight, std::wstring(w.lfFaceName), a.lfHeight, std::string(a.lfFaceName), a.lfQuality,
                       f.font_, f.FontToHFONT_W(desktop)),
            std::tuple(-14L, L"DejaVu Serif", -14L, "DejaVu Serif", BYTE{CLEARTYPE_QUALITY}, nullptr, HFONT{}));
  // Lives of the helpers, an assigned one sharing (and the source letting
  // go), give back every GDI object and heap byte.
  auto life = [] {
    CFontHelper font, shared; CPathHelper path, other; CImageHelper image; font.LoadFont(104, L"TTF", kTests);
    shared = font, font.font_ = nullptr, font.collection_ = nullptr, font.family_ = nullptr;
    path.CreateRoundRect(Gdiplus::Rect(0, 0, 40, 20), 5), other.CreateRoundRect(Gdiplus::Rect(0, 0, 9, 9), 2);
    other = path, path.path_ = nullptr, image.Load_Image(101, L"PNG", kTests);
  };
  auto counts = [] { const auto c = viewtest::SnapshotCounters(); return std::pair(c.gdi_objects, c.private_bytes); };
  const auto before = (life(), counts());
  EXPECT_EQ((life(), life(), life(), counts()), before);
}

// ---------------------------------------------------------------------------
// Background brushes and the window helpers

TEST(Backgrounds, BlockBehindEachChild) {
  // The parent paints a picture whose pixels tell where they are into a
  // memory DC, and records which background message asked for it.
  viewtest::HostWindow host(true, 300, 200);
  auto picture = CoordinatePicture(256, 200), small_picture = CoordinatePicture(50, 40);
  std::vector<std::pair<UINT, LPARAM>> seen;
  host.on_message = [&](UINT m, WPARAM wparam, LPARAM lparam, LRESULT& result) {
    HDC dc = reinterpret_cast<HDC>(wparam);
    if ((m != WM_ERASEBKGND && m != WM_PRINTCLIENT && m != WM_PAINT) || ::GetObjectType(dc) != OBJ_MEMDC) return false;
    seen.push_back({m, lparam});
    Gdiplus::Graphics(dc).DrawImage(picture.get(), 0, 0, 256, 200);
    result = 1;
    return true;
  };
  HWND child = ::CreateWindowExW(0, L"STATIC", L"abc", WS_CHILD | WS_VISIBLE, 10, 20, 100, 30, host, 0, 0, 0);
  HWND other = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 150, 100, 40, 10, host, 0, 0, 0);
  // The thumb of a shown bar; a hidden bar is shown to be measured, then
  // hidden again (Wine measures nothing on it: only its hiding is checked).
  HWND bar = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL, 200, 60, 60, 100, host, 0, 0, 0);
  const int shown = (Utils::GetWindowScrollBarThumbWidth(child), Utils::GetWindowScrollBarThumbWidth(bar));
  // The window helpers: where the child is and its text; no window, nothing;
  // the folder of the program, where the program is.
  EXPECT_EQ(std::tuple(Utils::GetWindowRelativeRect(child), Utils::GetEditValue(child) + Utils::GetEditValue(nullptr),
                       Utils::GetWindowScrollBarThumbWidth(nullptr), shown > 0, viewtest::ClientSize(child).cx),
            std::tuple(RECT{10, 20, 110, 50}, L"abc", 0, true, 100L));
  EXPECT_NE(GetFileAttributesW((Utils::GetDllModuleDir(0) + L"drawing_test.exe").c_str()), INVALID_FILE_ATTRIBUTES);
  // The same picture as a GDI bitmap, and the pixels a brush paints into a
  // 100 x 30 bitmap from (0, 0).
  HBITMAP gdi_picture = nullptr;
  picture->GetHBITMAP(Gdiplus::Color(0, 0, 0), &gdi_picture);
  view::frame::ScopedGdiObject<HBITMAP> gdi_owner(gdi_picture);
  auto painted = [](HBRUSH brush) { GdiCanvas c(100, 30); ::FillRect(c.dc, &kAll, brush); return c.Pixels(); };
  // The window background helper's image form: the client origin lies at
  // (5, 0) of the picture. (What the platform makes once for the first
  // paint and pattern fill is made here, before the count.)
  CBrushHelper().GetBackGroundBrush(child, host.hwnd(), CBrushHelper::BRUSH_TYPE_PAINT);
  {
    ZuWindowBgBrushHelper helper;
    helper.AddSubWindow(child, picture.get(), 5, 0);
    EXPECT_EQ(Corners(painted(helper.GetHBRUSH(child))), std::make_pair(At(15, 20), At(114, 49)));
  }
  const int before = viewtest::CountGdiObjects();
  {
    // The texture brush: the parent's block behind the child, asked for
    // with the message the type names (an unknown type: erase).
    CBrushHelper helper;
    EXPECT_EQ(helper.GetBackGroundBrush(nullptr, host.hwnd(), CBrushHelper::BRUSH_TYPE_ERASEBKGND), nullptr);
    const struct { int type; UINT message; LPARAM flags; } cases[] = {
        {0, WM_ERASEBKGND, 0}, {1, WM_PRINTCLIENT, 14}, {2, WM_PAINT, 14}, {7, WM_ERASEBKGND, 0}};
    for (const auto& c : cases) {
      seen.clear();
      auto* brush = helper.GetBackGroundBrush(child, host.hwnd(), CBrushHelper::GET_BRUSH_TYPE(c.type));
      ASSERT_NE(brush, nullptr);
      Canvas canvas(100, 30);
      canvas.graphics.FillRectangle(brush, 0, 0, 100, 30);
      EXPECT_EQ(std::make_pair(seen, Corners(canvas.Pixels())),
                std::pair(decltype(seen){{c.message, c.flags}}, std::pair(At(10, 20), At(109, 49)))) << c.type;
    }
    helper.DeleteOldBrush();
    helper.GetBackGroundBrush(child, host.hwnd(), CBrushHelper::BRUSH_TYPE_ERASEBKGND);
  }
  {
    // The bitmap form: the block at (10, 20). A later brush for the same
    // child replaces it, the first staying usable; a child reaching beyond
    // the picture gets the block clipped to it, nothing beyond.
    ZuWindowBgBrushHelper helper;
    helper.AddSubWindow(child, gdi_owner.get());
    const HBRUSH first = helper.GetHBRUSH(child);
    EXPECT_EQ(Corners(painted(first)), std::make_pair(At(10, 20), At(109, 49)));
    helper.AddSubWindow(other, small_picture.get(), 0, 0);
    helper.AddSubWindow(child, small_picture.get(), 0, 0);
    const Image img = painted(helper.GetHBRUSH(child));
    EXPECT_EQ(std::make_tuple(img.At(39, 19), img.BoundsNot(kBlack), helper.GetHBRUSH(other) != nullptr,
                              helper.GetHBRUSH(child) != first, ::GetObjectType(first)),
              std::make_tuple(At(49, 39), RECT{0, 0, 40, 20}, true, true, DWORD{OBJ_BRUSH}));
    // Bad input stores nothing and does not crash. Copies share the
    // brushes, which outlive a copy that goes.
    helper.AddSubWindow(nullptr, picture.get(), 0, 0);
    helper.AddSubWindow(child, static_cast<Gdiplus::Image*>(nullptr), 0, 0);
    helper.AddSubWindow(nullptr, gdi_owner.get());
    { ZuWindowBgBrushHelper copy(helper), assigned; assigned = copy; }
    EXPECT_EQ(std::make_pair(helper.GetHBRUSH(nullptr), ::GetObjectType(helper.GetHBRUSH(child))),
              std::make_pair(HBRUSH{}, DWORD{OBJ_BRUSH}));
  }
  // Every DC and bitmap released; destroying the window background helper
  // deletes every brush, the replaced ones included.
  EXPECT_EQ(viewtest::CountGdiObjects(), before);
}

// Utils: text, rounded rectangles, images, glyphs, fonts and text fitting.

#include "view/utils.h"

#include <cwchar>
#include <limits>
#include <memory>

#include "view/internal/drawing/drawing_math.h"
#include "view/internal/drawing/gdiplus_new.h"
#include "view/internal/frame/dpi.h"
#include "view/internal/frame/scoped.h"

using view::internal::ColorFromColorRef;

namespace {

const wchar_t* OrEmpty(const wchar_t* text) { return text != nullptr ? text : L""; }

int TwiceClamped(int radius) {
  const long long twice = 2LL * radius;
  if (twice > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
  if (twice < std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
  return static_cast<int>(twice);
}

// Draws `text` with a solid brush of `color` made for this call only.
void DrawStringWith(Gdiplus::Graphics& graphics, const Gdiplus::RectF& rect, const wchar_t* text,
                    Gdiplus::Font* font, const Gdiplus::StringFormat* format,
                    const Gdiplus::Color* color) {
  if (color == nullptr) return;
  const wchar_t* chars = OrEmpty(text);
  const INT length = static_cast<INT>(std::wcslen(chars));
  if (length == 0) return;
  Gdiplus::SolidBrush brush(*color);
  graphics.DrawString(chars, length, font, rect, format, &brush);
}

void DrawAligned(Gdiplus::Graphics& graphics, const Gdiplus::RectF& rect, const wchar_t* text,
                 Gdiplus::Font* font, const Gdiplus::Color* color,
                 Gdiplus::StringAlignment horizontal, Gdiplus::StringAlignment vertical) {
  Gdiplus::StringFormat format(0, LANG_NEUTRAL);
  format.SetAlignment(horizontal);
  format.SetLineAlignment(vertical);
  DrawStringWith(graphics, rect, text, font, &format, color);
}

// Keeps the page unit of a graphics object at pixels for one drawing call.
class PixelPageUnit {
 public:
  explicit PixelPageUnit(Gdiplus::Graphics& graphics)
      : graphics_(graphics), previous_(graphics.GetPageUnit()) {
    graphics_.SetPageUnit(Gdiplus::UnitPixel);
  }
  ~PixelPageUnit() { graphics_.SetPageUnit(previous_); }
  PixelPageUnit(const PixelPageUnit&) = delete;
  PixelPageUnit& operator=(const PixelPageUnit&) = delete;

 private:
  Gdiplus::Graphics& graphics_;
  Gdiplus::Unit previous_;
};

// The one-pixel pen, centred on the path, that outlines rounded rectangles.
void OutlinePath(Gdiplus::Graphics& graphics, const Gdiplus::GraphicsPath& path,
                 const Gdiplus::Color& color) {
  Gdiplus::Pen pen(color, 1.0f);
  pen.SetAlignment(Gdiplus::PenAlignmentCenter);
  graphics.DrawPath(&pen, &path);
}

LOGFONTW FontDescription(int height, int charSet, bool bold, const wchar_t* face) {
  LOGFONTW font = {};
  font.lfHeight = height;
  font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  font.lfCharSet = static_cast<BYTE>(charSet & 0xFF);
  // The face field holds 31 characters and the terminator; a longer name is
  // cut rather than written past the field.
  const wchar_t* name = OrEmpty(face);
  for (int i = 0; i < LF_FACESIZE - 1 && name[i] != L'\0'; ++i) font.lfFaceName[i] = name[i];
  return font;
}

}  // namespace

Utils& Utils::operator=(const Utils&) { return *this; }
Utils& Utils::operator=(Utils&&) { return *this; }

// ---- Text in a rectangle (GDI+) ---------------------------------------------

void Utils::DrawTextW(Gdiplus::Graphics& graphics, Gdiplus::RectF rect, const wchar_t* text,
                      Gdiplus::Font* font, const Gdiplus::StringFormat* format,
                      Gdiplus::Color* color) {
  DrawStringWith(graphics, rect, text, font, format, color);
}

void Utils::DrawTextCenter(Gdiplus::Graphics& graphics, Gdiplus::RectF rect, const wchar_t* text,
                           Gdiplus::Font* font, Gdiplus::Color* color) {
  DrawAligned(graphics, rect, text, font, color, Gdiplus::StringAlignmentCenter,
              Gdiplus::StringAlignmentCenter);
}

void Utils::DrawTextRightAlign(Gdiplus::Graphics& graphics, Gdiplus::RectF rect,
                               const wchar_t* text, Gdiplus::Font* font, Gdiplus::Color* color) {
  DrawAligned(graphics, rect, text, font, color, Gdiplus::StringAlignmentFar,
              Gdiplus::StringAlignmentNear);
}

void Utils::DrawTextInRectVerticalCenter(Gdiplus::Graphics& graphics, Gdiplus::RectF rect,
                                         const wchar_t* text, Gdiplus::Font* font,
                                         Gdiplus::Color* color) {
  DrawAligned(graphics, rect, text, font, color, Gdiplus::StringAlignmentNear,
              Gdiplus::StringAlignmentCenter);
}

void Utils::DrawTextInRect(Gdiplus::Graphics& graphics, Gdiplus::RectF rect, const wchar_t* text,
                           Gdiplus::Font* font, Gdiplus::Color* color) {
  // The shared generic format belongs to GDI+; it is not deleted.
  DrawStringWith(graphics, rect, text, font, Gdiplus::StringFormat::GenericDefault(), color);
}

// ---- Text in a rectangle (GDI) ----------------------------------------------

void Utils::DrawTextInRect(WTL::CDCT<true>& dc, const wchar_t* text, int length,
                           WTL::CRect rect) {
  if (text == nullptr) return;
  ::DrawTextW(dc.m_hDC, text, length, &rect, DT_WORDBREAK | DT_NOPREFIX | DT_EDITCONTROL);
}

std::pair<int, int> Utils::GetTextExtent(WTL::CDCT<true>& dc, const wchar_t* text, int length,
                                         int maxWidth) {
  if (text == nullptr) {
    text = L"";
    length = 0;
  }
  RECT bounds = {0, 0, maxWidth, 0};
  const int height = ::DrawTextW(dc.m_hDC, text, length, &bounds,
                                 DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EDITCONTROL);
  return {std::min(maxWidth, static_cast<int>(bounds.right - bounds.left)), height};
}

// ---- Fitting text into a width ----------------------------------------------

int Utils::numberOfGdiCharactersThatFitWidth(WTL::CDCT<true>& dc, int width, std::wstring& text,
                                             HFONT font) {
  const view::frame::SelectObjectScope selected(dc.m_hDC, font);
  const int length = static_cast<int>(std::min<std::size_t>(
      text.size(), static_cast<std::size_t>(std::numeric_limits<int>::max())));
  return view::internal::LargestFittingPrefix(length, [&](int count) {
    SIZE size = {0, 0};
    ::GetTextExtentPoint32W(dc.m_hDC, text.c_str(), count, &size);
    return size.cx <= width;
  });
}

int Utils::numberOfGdiplusCharactersThatFitWidth(Gdiplus::Graphics& graphics, int width,
                                                 std::wstring& text, Gdiplus::Font* font) {
  const int length = static_cast<int>(std::min<std::size_t>(
      text.size(), static_cast<std::size_t>(std::numeric_limits<int>::max())));
  const Gdiplus::RectF layout(0.0f, 0.0f, 0.0f, 0.0f);
  return view::internal::LargestFittingPrefix(length, [&](int count) {
    Gdiplus::RectF box(0.0f, 0.0f, 0.0f, 0.0f);
    graphics.MeasureString(text.c_str(), count, font, layout, nullptr, &box);
    return static_cast<float>(width) >= box.Width;
  });
}

// ---- Rounded rectangles -----------------------------------------------------

void Utils::CreateRoundRect(Gdiplus::GraphicsPath& path, Gdiplus::RectF rect, int diameter) {
  const view::internal::RoundRectArcs arcs = view::internal::RoundRectArcBoxes(rect, diameter);
  path.Reset();
  if (arcs.arc[0].width <= 0) {
    // No corner left to round (a zero diameter, or a rectangle clamped to
    // nothing): a plain rectangle with the same right and bottom edges.
    const Gdiplus::Point corners[4] = {
        Gdiplus::Point(arcs.arc[0].x, arcs.arc[0].y),
        Gdiplus::Point(arcs.arc[1].x, arcs.arc[1].y),
        Gdiplus::Point(arcs.arc[2].x, arcs.arc[2].y),
        Gdiplus::Point(arcs.arc[3].x, arcs.arc[3].y),
    };
    path.AddLines(corners, 4);
  } else {
    for (int i = 0; i < 4; ++i) {
      const view::internal::Box& box = arcs.arc[i];
      path.AddArc(box.x, box.y, box.width, box.height, view::internal::kRoundRectStartAngles[i],
                  90.0f);
    }
  }
  path.CloseFigure();
}

void Utils::FillRoundRect(Gdiplus::Graphics* graphics, Gdiplus::Brush* brush,
                          Gdiplus::RectF rect, Gdiplus::Color border, int radius) {
  if (graphics == nullptr) return;
  PixelPageUnit pixels(*graphics);
  Gdiplus::GraphicsPath path(Gdiplus::FillModeAlternate);
  CreateRoundRect(path, rect, TwiceClamped(radius));
  if (brush != nullptr) graphics->FillPath(brush, &path);
  OutlinePath(*graphics, path, border);
}

void Utils::DrawRoundRect(Gdiplus::Graphics* graphics, Gdiplus::RectF rect, Gdiplus::Color color,
                          int radius, int width) {
  if (graphics == nullptr) return;
  PixelPageUnit pixels(*graphics);
  const int diameter = TwiceClamped(radius);
  Gdiplus::GraphicsPath path(Gdiplus::FillModeAlternate);
  CreateRoundRect(path, rect, diameter);
  OutlinePath(*graphics, path, color);
  // Each further round insets the left/right edges, then the top/bottom
  // edges, by one pixel: 2 * width - 1 outlines in all, growing inward. Once
  // the rectangle has collapsed there is nothing left to outline.
  for (int round = 1; round < width; ++round) {
    rect.X += 1.0f;
    rect.Width -= 2.0f;
    if (rect.Width < 0.0f) break;
    CreateRoundRect(path, rect, diameter);
    OutlinePath(*graphics, path, color);
    rect.Y += 1.0f;
    rect.Height -= 2.0f;
    if (rect.Height < 0.0f) break;
    CreateRoundRect(path, rect, diameter);
    OutlinePath(*graphics, path, color);
  }
}

// ---- Images -----------------------------------------------------------------

void Utils::DrawImage(Gdiplus::Graphics& graphics, Gdiplus::Image* image, Gdiplus::Rect dest) {
  if (image == nullptr) return;
  image = view::frame::ImageVariantFor(image, dest.Width);
  graphics.DrawImage(image, dest, 0, 0, static_cast<INT>(image->GetWidth()),
                     static_cast<INT>(image->GetHeight()), Gdiplus::UnitPixel, nullptr);
}

void Utils::DrawImage(Gdiplus::Graphics& graphics, Gdiplus::Image* image, int x, int y, int w,
                      int h) {
  DrawImage(graphics, image, Gdiplus::Rect(x, y, w, h));
}

void Utils::DrawImage(Gdiplus::Graphics& graphics, Gdiplus::Image* image, int x, int y) {
  if (image == nullptr) return;
  DrawImage(graphics, image,
            Gdiplus::Rect(x, y, static_cast<INT>(image->GetWidth()),
                          static_cast<INT>(image->GetHeight())));
}

// ---- Glyphs -----------------------------------------------------------------

void Utils::DrawTick(Gdiplus::Graphics& graphics, WTL::CRect& rect, DWORD color) {
  const int cx = ::GetSystemMetrics(SM_CXMENUCHECK);
  const int cy = ::GetSystemMetrics(SM_CYMENUCHECK);
  const auto lines = view::internal::TickLines(rect.top, rect.bottom, cx, cy);

  const Gdiplus::SmoothingMode smoothing = graphics.GetSmoothingMode();
  const Gdiplus::InterpolationMode interpolation = graphics.GetInterpolationMode();
  graphics.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
  graphics.SetInterpolationMode(Gdiplus::InterpolationModeHighQuality);
  {
    Gdiplus::Pen pen(ColorFromColorRef(color), 2.0f);
    graphics.DrawLine(&pen, lines.first.x1, lines.first.y1, lines.first.x2, lines.first.y2);
    graphics.DrawLine(&pen, lines.second.x1, lines.second.y1, lines.second.x2, lines.second.y2);
  }
  graphics.SetSmoothingMode(smoothing);
  graphics.SetInterpolationMode(interpolation);
}

Gdiplus::Bitmap* Utils::CreateDropDown(DWORD color, int width, int height) {
  Gdiplus::Bitmap* bitmap = view::internal::NewGdiplus<Gdiplus::Bitmap>(
      static_cast<INT>(width), static_cast<INT>(height), PixelFormat32bppARGB);
  if (bitmap == nullptr) return nullptr;
  const auto lines = view::internal::DropDownLines(width, height);
  Gdiplus::Graphics graphics(bitmap);
  graphics.Clear(Gdiplus::Color(0, 0, 0, 0));
  graphics.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
  graphics.SetInterpolationMode(Gdiplus::InterpolationModeHighQuality);
  Gdiplus::Pen pen(ColorFromColorRef(color), 2.0f);
  graphics.DrawLine(&pen, lines.first.x1, lines.first.y1, lines.first.x2, lines.first.y2);
  graphics.DrawLine(&pen, lines.second.x1, lines.second.y1, lines.second.x2, lines.second.y2);
  return bitmap;
}

// ---- Fonts ------------------------------------------------------------------

Gdiplus::Font* Utils::GetFont(HDC dc, int height, int charSet, bool bold, const wchar_t* face) {
  const LOGFONTW description = FontDescription(height, charSet, bold, face);
  return view::internal::NewGdiplus<Gdiplus::Font>(dc, &description);
}

HFONT Utils::GetHFONT(int height, int charSet, bool bold, const wchar_t* face) {
  const LOGFONTW description = FontDescription(height, charSet, bold, face);
  return ::CreateFontIndirectW(&description);
}

// ---- Sizes ------------------------------------------------------------------

std::pair<int, int> Utils::CalculateDrawSize(int width, int height, int maxWidth,
                                             int maxHeight) {
  return view::internal::AspectFit(width, height, maxWidth, maxHeight);
}

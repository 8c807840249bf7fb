#include "view/stock_images.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <map>
#include <memory>

#include "view/internal/drawing/palette_image.h"

namespace view {
namespace {

using Gdiplus::Color;
using Gdiplus::PointF;

// The colours of one drawing of the art.
struct ArtColors {
  Color accent, border, disabled_fill, disabled_border, box, tick, chevron;
};

// The art as it has always been drawn: the base every palette starts from.
const ArtColors kLightArt = {Color(255, 0x2B, 0x57, 0x9A), Color(255, 0x80, 0x88, 0x96),
                             Color(255, 220, 220, 220),     Color(255, 160, 160, 160),
                             Color(255, 255, 255, 255),     Color(255, 255, 255, 255),
                             Color(255, 0x50, 0x5A, 0x6E)};

Color Opaque(COLORREF c) { return Color(255, GetRValue(c), GetGValue(c), GetBValue(c)); }

// The art in a dark or high-contrast palette, by role.
ArtColors PaletteArt(const frame::Palette& p) {
  using R = frame::ColorRole;
  return {Opaque(p[R::kChecked]),      Opaque(p[R::kBorder]), Opaque(p[R::kDisabledFace]),
          Opaque(p[R::kDisabledText]), Opaque(p[R::kWindow]), Opaque(p[R::kWindow]),
          Opaque(p[R::kText])};
}

// Drawn on a 16-unit grid; `u` is one unit in pixels.
void DrawCheckBox(Gdiplus::Graphics& g, StockImage image, float u, const ArtColors& c) {
  const bool checked = image == StockImage::kCheckBoxChecked;
  const bool disabled = image == StockImage::kCheckBoxDisabled;
  Gdiplus::SolidBrush fill(checked ? c.accent : disabled ? c.disabled_fill : c.box);
  g.FillRectangle(&fill, 1 * u, 1 * u, 14 * u, 14 * u);
  if (checked) {
    Gdiplus::Pen tick(c.tick, 2 * u);
    const PointF points[] = {{4 * u, 8 * u}, {7 * u, 11 * u}, {12 * u, 5 * u}};
    g.DrawLines(&tick, points, 3);
  } else {
    Gdiplus::Pen border(disabled ? c.disabled_border : c.border, u);
    g.DrawRectangle(&border, 1.5f * u, 1.5f * u, 13 * u, 13 * u);
  }
}

void DrawExpander(Gdiplus::Graphics& g, bool expanded, float u, const ArtColors& c) {
  Gdiplus::Pen pen(c.chevron, 2 * u);
  if (expanded) {
    const PointF points[] = {{4 * u, 6 * u}, {8 * u, 10 * u}, {12 * u, 6 * u}};
    g.DrawLines(&pen, points, 3);
  } else {
    const PointF points[] = {{6 * u, 4 * u}, {10 * u, 8 * u}, {6 * u, 12 * u}};
    g.DrawLines(&pen, points, 3);
  }
}

// Draws `image` onto a cleared `bitmap`; false for an unknown image.
bool DrawArt(Gdiplus::Bitmap& bitmap, StockImage image, const ArtColors& colors) {
  Gdiplus::Graphics g(&bitmap);
  if (g.GetLastStatus() != Gdiplus::Ok) return false;
  g.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
  g.Clear(Color(0, 0, 0, 0));
  const float unit = static_cast<float>(bitmap.GetWidth()) / 16.0f;
  switch (image) {
    case StockImage::kCheckBoxUnchecked:
    case StockImage::kCheckBoxChecked:
    case StockImage::kCheckBoxDisabled:
      DrawCheckBox(g, image, unit, colors);
      return true;
    case StockImage::kExpanderCollapsed:
    case StockImage::kExpanderExpanded:
      DrawExpander(g, image == StockImage::kExpanderExpanded, unit, colors);
      return true;
    default:
      return false;
  }
}

// A stock image knows what it shows, so that a control can draw it in the
// palette in use: a variant is drawn on first use in a palette at a size
// and kept, owned by the image, until the palette's colours change. One is
// kept for each size asked for (a list's header box and a tree may show the
// same image at two sizes), a few at the most.
class StockBitmap : public Gdiplus::Bitmap {
 public:
  StockBitmap(int side, StockImage image)
      : Gdiplus::Bitmap(side, side, PixelFormat32bppARGB), image_(image) {}

  Gdiplus::Bitmap* For(const frame::Palette& palette, int side) {
    if (palette.kind == frame::PaletteKind::kLight) return this;
    if (side <= 0) side = static_cast<int>(GetWidth());
    const bool same_palette = variant_kind_ == palette.kind &&
                              std::equal(std::begin(variant_colors_), std::end(variant_colors_),
                                         std::begin(palette.colors));
    if (!same_palette || (variants_.size() >= kMostVariants && variants_.count(side) == 0)) {
      variants_.clear();
      variant_kind_ = palette.kind;
      std::copy(std::begin(palette.colors), std::end(palette.colors), std::begin(variant_colors_));
    }
    std::unique_ptr<Gdiplus::Bitmap>& variant = variants_[side];
    if (!variant) {
      auto made = std::make_unique<Gdiplus::Bitmap>(side, side, PixelFormat32bppARGB);
      if (made->GetLastStatus() != Gdiplus::Ok || !DrawArt(*made, image_, PaletteArt(palette))) {
        variants_.erase(side);
        return this;
      }
      variant = std::move(made);
    }
    return variant.get();
  }

 private:
  static constexpr size_t kMostVariants = 4;
  StockImage image_;
  std::map<int, std::unique_ptr<Gdiplus::Bitmap>> variants_;
  frame::PaletteKind variant_kind_ = frame::PaletteKind::kLight;
  COLORREF variant_colors_[frame::kColorRoles] = {};
};

}  // namespace

std::unique_ptr<Gdiplus::Bitmap> MakeStockImage(StockImage image, int size, double scale) {
  if (!(scale > 0) || size <= 0 || size > 4096) return nullptr;
  const double pixels = std::round(size * std::min(scale, 64.0));
  const int side = static_cast<int>(std::max(1.0, std::min(pixels, 4096.0)));
  auto bitmap = std::make_unique<StockBitmap>(side, image);
  if (bitmap->GetLastStatus() != Gdiplus::Ok) return nullptr;
  if (!DrawArt(*bitmap, image, kLightArt)) return nullptr;
  return bitmap;
}

namespace internal {

Gdiplus::Bitmap* PaletteImage(Gdiplus::Bitmap* image, const frame::Palette& palette, int side) {
  auto* stock = dynamic_cast<StockBitmap*>(image);
  return stock != nullptr ? stock->For(palette, side) : image;
}

}  // namespace internal
}  // namespace view

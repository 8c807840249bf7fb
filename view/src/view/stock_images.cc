#include "view/stock_images.h"

#include <cmath>

namespace view {
namespace {

using Gdiplus::Color;
using Gdiplus::PointF;

const Color kAccent(255, 0x2B, 0x57, 0x9A);
const Color kBorder(255, 0x80, 0x88, 0x96);
const Color kDisabledFill(255, 220, 220, 220);
const Color kDisabledBorder(255, 160, 160, 160);
const Color kWhite(255, 255, 255, 255);
const Color kChevron(255, 0x50, 0x5A, 0x6E);

// Drawn on a 16-unit grid; `u` is one unit in pixels.
void DrawCheckBox(Gdiplus::Graphics& g, StockImage image, float u) {
  const bool checked = image == StockImage::kCheckBoxChecked;
  const bool disabled = image == StockImage::kCheckBoxDisabled;
  Gdiplus::SolidBrush fill(checked ? kAccent : disabled ? kDisabledFill : kWhite);
  g.FillRectangle(&fill, 1 * u, 1 * u, 14 * u, 14 * u);
  if (checked) {
    Gdiplus::Pen tick(kWhite, 2 * u);
    const PointF points[] = {{4 * u, 8 * u}, {7 * u, 11 * u}, {12 * u, 5 * u}};
    g.DrawLines(&tick, points, 3);
  } else {
    Gdiplus::Pen border(disabled ? kDisabledBorder : kBorder, u);
    g.DrawRectangle(&border, 1.5f * u, 1.5f * u, 13 * u, 13 * u);
  }
}

void DrawExpander(Gdiplus::Graphics& g, bool expanded, float u) {
  Gdiplus::Pen pen(kChevron, 2 * u);
  if (expanded) {
    const PointF points[] = {{4 * u, 6 * u}, {8 * u, 10 * u}, {12 * u, 6 * u}};
    g.DrawLines(&pen, points, 3);
  } else {
    const PointF points[] = {{6 * u, 4 * u}, {10 * u, 8 * u}, {6 * u, 12 * u}};
    g.DrawLines(&pen, points, 3);
  }
}

}  // namespace

std::unique_ptr<Gdiplus::Bitmap> MakeStockImage(StockImage image, int size, double scale) {
  if (!(scale > 0) || size <= 0 || size > 4096) return nullptr;
  const double pixels = std::round(size * std::min(scale, 64.0));
  const int side = static_cast<int>(std::max(1.0, std::min(pixels, 4096.0)));
  auto bitmap = std::make_unique<Gdiplus::Bitmap>(side, side, PixelFormat32bppARGB);
  if (bitmap->GetLastStatus() != Gdiplus::Ok) return nullptr;
  Gdiplus::Graphics g(bitmap.get());
  if (g.GetLastStatus() != Gdiplus::Ok) return nullptr;
  g.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
  g.Clear(Color(0, 0, 0, 0));
  const float unit = static_cast<float>(side) / 16.0f;
  switch (image) {
    case StockImage::kCheckBoxUnchecked:
    case StockImage::kCheckBoxChecked:
    case StockImage::kCheckBoxDisabled:
      DrawCheckBox(g, image, unit);
      break;
    case StockImage::kExpanderCollapsed:
    case StockImage::kExpanderExpanded:
      DrawExpander(g, image == StockImage::kExpanderExpanded, unit);
      break;
    default:
      return nullptr;
  }
  return bitmap;
}

}  // namespace view

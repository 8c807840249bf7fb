#include "view/internal/drawing/drawing_math.h"

#include <cmath>
#include <limits>

namespace view {
namespace internal {

namespace {

// Truncation toward zero, as a C cast does, but defined for every float:
// NaN gives 0 and values beyond int's range saturate.
int TruncToInt(double value) {
  if (std::isnan(value)) return 0;
  if (value >= static_cast<double>(std::numeric_limits<int>::max())) {
    return std::numeric_limits<int>::max();
  }
  if (value <= static_cast<double>(std::numeric_limits<int>::min())) {
    return std::numeric_limits<int>::min();
  }
  return static_cast<int>(value);
}

}  // namespace

RoundRectArcs RoundRectArcBoxes(const Gdiplus::RectF& rect, int diameter) {
  int d = diameter < 0 ? 0 : diameter;  // a negative diameter rounds nothing
  if (static_cast<float>(d) > rect.Width) d = TruncToInt(rect.Width);
  if (static_cast<float>(d) > rect.Height) d = TruncToInt(rect.Height);

  const int x = TruncToInt(rect.X);
  const int y = TruncToInt(rect.Y);
  float width = rect.Width;
  float height = rect.Height;
  int e = d;
  if (d == 20) {
    e = 21;
    width -= 1.0f;
    height -= 1.0f;
  }
  const float inner_width = width - static_cast<float>(d) - 1.0f;
  const int x2 = TruncToInt(static_cast<float>(x) + inner_width);
  const int y2 = TruncToInt(height - static_cast<float>(d) - 1.0f + static_cast<float>(y));
  const int x3 = TruncToInt(static_cast<float>(x2) - inner_width);

  RoundRectArcs arcs;
  arcs.arc[0] = Box{x, y, d, d};
  arcs.arc[1] = Box{x2, y, e, e};
  arcs.arc[2] = Box{x2, y2, e, e};
  arcs.arc[3] = Box{x3, y2, e, e};
  return arcs;
}

RoundRectOutline RoundRectOutlineOf(const Gdiplus::Rect& rect, int radius) {
  // 64-bit intermediates: out-of-range input must not overflow, only clamp.
  auto clamp = [](long long v) {
    if (v > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
    if (v < std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
    return static_cast<int>(v);
  };
  const long long r = radius;
  const long long d = 2 * r;
  const long long x = rect.X;
  const long long y = rect.Y;
  const long long right = x + rect.Width;
  const long long bottom = y + rect.Height;
  const int di = clamp(d);

  RoundRectOutline out;
  out.arc[0] = Box{clamp(x), clamp(y), di, di};
  out.line[0][0] = POINT{clamp(x + r), clamp(y)};
  out.line[0][1] = POINT{clamp(right - d), clamp(y)};
  out.arc[1] = Box{clamp(right - d), clamp(y), di, di};
  out.line[1][0] = POINT{clamp(right), clamp(y + d)};
  out.line[1][1] = POINT{clamp(right), clamp(bottom - d)};
  out.arc[2] = Box{clamp(right - d), clamp(bottom - d), di, di};
  out.line[2][0] = POINT{clamp(right - d), clamp(bottom)};
  out.line[2][1] = POINT{clamp(x + d), clamp(bottom)};
  out.arc[3] = Box{clamp(x), clamp(bottom - d), di, di};
  out.line[3][0] = POINT{clamp(x), clamp(bottom - d)};
  out.line[3][1] = POINT{clamp(x), clamp(y + d)};
  return out;
}

int LargestFittingPrefix(int length, const std::function<bool(int)>& fits) {
  int lo = 0;
  int hi = length;
  int best = 0;
  if (hi < 0) return 0;
  while (lo <= hi) {
    const int mid = lo + (hi - lo) / 2;
    if (fits(std::min(mid, length))) {
      best = mid;
      lo = mid + 1;
    } else {
      hi = mid - 1;
    }
  }
  return best;
}

std::pair<int, int> AspectFit(int width, int height, int maxWidth, int maxHeight) {
  if (width <= maxWidth && height <= maxHeight) return {width, height};
  const double infinity = std::numeric_limits<double>::infinity();
  const double by_width = width > 0 ? static_cast<double>(maxWidth) / width : infinity;
  const double by_height = height > 0 ? static_cast<double>(maxHeight) / height : infinity;
  double ratio = std::min(by_width, by_height);
  if (!(ratio >= 0.0) || std::isinf(ratio)) ratio = 0.0;
  return {TruncToInt(width * ratio), TruncToInt(height * ratio)};
}

std::pair<Line, Line> TickLines(int top, int bottom, int cx, int cy) {
  const int base = top + (bottom - top - cy) / 2;
  const int ym = base + (3 * cy) / 5;
  const int yb = base + cy - 4;
  const int xm = cx / 2;
  return {Line{4, ym, xm, yb}, Line{xm, yb, cx, base}};
}

std::pair<Line, Line> DropDownLines(int width, int height) {
  const int tip_x = width / 2;
  const int tip_y = height / 2 + 2;
  return {Line{2, 4, tip_x, tip_y}, Line{width - 2, 4, tip_x, tip_y}};
}

int NextFrameIndex(int index, std::size_t count) {
  if (count == 0) return 0;
  const long long next = static_cast<long long>(index) + 1;
  if (next < 0 || static_cast<unsigned long long>(next) >= count) return 0;
  return static_cast<int>(next);
}

std::vector<Slice> StretchWidthSlices(float imageWidth, float edge, float destX, int destWidth) {
  std::vector<Slice> slices;
  if (destWidth <= 0 || !(edge > 0.0f)) return slices;

  const float middle = imageWidth - 2.0f * edge;
  const float x = destX;
  float left = static_cast<float>(destWidth) - 2.0f * edge;
  slices.push_back(Slice{0.0f, edge, x, edge});
  if (!(middle >= 1.0f)) {
    slices.push_back(Slice{imageWidth - edge, edge, x + static_cast<float>(destWidth) - edge, edge});
    return slices;
  }

  float step = std::min(middle, left);
  float pos = x + edge;
  float next = x + edge + step;
  for (;;) {
    if (step > 0.0f) slices.push_back(Slice{edge, middle, pos, step});
    left -= step;
    if (left <= 0.0f) break;
    step = std::min(left, step);
    pos = next;
    next += step;
  }
  slices.push_back(Slice{imageWidth - edge, edge, next, edge});
  return slices;
}

BlockCopy ClipBlock(long long srcX, long long srcY, int width, int height, int pictureWidth,
                    int pictureHeight) {
  const long long x0 = std::max<long long>(srcX, 0);
  const long long y0 = std::max<long long>(srcY, 0);
  const long long x1 = std::min<long long>(srcX + width, pictureWidth);
  const long long y1 = std::min<long long>(srcY + height, pictureHeight);
  BlockCopy block{};
  if (x1 <= x0 || y1 <= y0) return block;
  block.srcX = static_cast<int>(x0);
  block.srcY = static_cast<int>(y0);
  block.dstX = static_cast<int>(x0 - srcX);
  block.dstY = static_cast<int>(y0 - srcY);
  block.width = static_cast<int>(x1 - x0);
  block.height = static_cast<int>(y1 - y0);
  return block;
}

}  // namespace internal
}  // namespace view

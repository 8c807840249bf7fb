#pragma once

// The arithmetic behind the drawing helpers: colour conversion, rounded
// rectangle geometry, the fit-width search, aspect fitting, glyph lines,
// frame stepping and the slices of a three-slice stretch. Everything here is
// a pure function of its arguments, so it is tested by value and the drawing
// members only hand the results to GDI or GDI+.

#include "view/platform.h"

#include <cstddef>
#include <functional>
#include <utility>
#include <vector>

namespace view {
namespace internal {

// COLORREF (0x00BBGGRR) to opaque GDI+ ARGB (0xFFRRGGBB). The top byte of the
// COLORREF is ignored: no translucent colour comes from a COLORREF.
inline Gdiplus::ARGB ArgbFromColorRef(COLORREF color) {
  const Gdiplus::ARGB red = color & 0xFF;
  const Gdiplus::ARGB green = (color >> 8) & 0xFF;
  const Gdiplus::ARGB blue = (color >> 16) & 0xFF;
  return 0xFF000000u | (red << 16) | (green << 8) | blue;
}

inline Gdiplus::Color ColorFromColorRef(COLORREF color) {
  return Gdiplus::Color(ArgbFromColorRef(color));
}

// An axis-aligned box in whole pixels (x, y, width, height).
struct Box {
  int x;
  int y;
  int width;
  int height;
};

inline bool operator==(const Box& a, const Box& b) {
  return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}

// The four corner arcs of a rounded rectangle, in drawing order: top-left
// (start 180°), top-right (270°), bottom-right (0°), bottom-left (90°); each
// sweeps 90°. The figure is closed by straight edges between them.
struct RoundRectArcs {
  Box arc[4];
};

constexpr float kRoundRectStartAngles[4] = {180.0f, 270.0f, 0.0f, 90.0f};

// Arc boxes of the rounded rectangle that fills `rect` with corner diameter
// `diameter`. The diameter is clamped to the width, then to the height; the
// right and bottom arcs end one pixel inside the rectangle so that a 1-pixel
// outline stays within it. A diameter of exactly 20 is drawn with 21-pixel
// boxes for the three later corners and an extent one pixel smaller: the
// controls' 10-pixel-radius corners rely on that shape.
RoundRectArcs RoundRectArcBoxes(const Gdiplus::RectF& rect, int diameter);

// The rounded rectangle built as arcs joined by explicit edges, with the right
// and bottom edges on rect.X + Width and rect.Y + Height and no clamping.
struct RoundRectOutline {
  Box arc[4];          // same order and start angles as RoundRectArcs
  POINT line[4][2];    // top, right, bottom, left edges, after arcs 0..3
};
RoundRectOutline RoundRectOutlineOf(const Gdiplus::Rect& rect, int radius);

// The largest n in [0, length] for which fits(n) holds, assuming fits is
// monotonic (true for short prefixes, false once they grow too wide). Binary
// search: about log2(length) measurements. Negative lengths give 0.
int LargestFittingPrefix(int length, const std::function<bool(int)>& fits);

// Aspect-fit size: (width, height) unchanged when it fits in (maxWidth,
// maxHeight), never enlarged; otherwise scaled by the smaller of the two
// ratios and truncated. Degenerate input (zero or negative bounds) gives a
// size of zero in the affected dimension rather than undefined arithmetic.
std::pair<int, int> AspectFit(int width, int height, int maxWidth, int maxHeight);

// A straight line from (x1, y1) to (x2, y2).
struct Line {
  int x1;
  int y1;
  int x2;
  int y2;
};

inline bool operator==(const Line& a, const Line& b) {
  return a.x1 == b.x1 && a.y1 == b.y1 && a.x2 == b.x2 && a.y2 == b.y2;
}

// The two strokes of a check tick of menu-check size (cx, cy), centred
// vertically in [top, bottom). Horizontal positions are absolute: the tick
// always starts at x = 4.
std::pair<Line, Line> TickLines(int top, int bottom, int cx, int cy);

// The two strokes of a downward "V" arrow in a width × height bitmap.
std::pair<Line, Line> DropDownLines(int width, int height);

// The frame that follows `index` among `count` frames, wrapping to 0. An
// index outside the frames also restarts at 0.
int NextFrameIndex(int index, std::size_t count);

// One piece of a three-slice horizontal stretch: the source columns
// [srcX, srcX + srcWidth) of the image drawn into [dstX, dstX + dstWidth).
struct Slice {
  float srcX;
  float srcWidth;
  float dstX;
  float dstWidth;
};

// The pieces that StretchWidthImage draws, in order: the left cap, the middle
// pieces, the right cap. Empty when nothing is drawn (destination width or
// edge not positive). Full middle pieces copy the middle at its own width and
// the last one squeezes the whole middle into what is left. An image no wider
// than two edges has no middle: only the caps are drawn, the right one ending
// at the destination's right edge; a middle narrower than one pixel counts as
// none, so the number of pieces is bounded by the destination width. Pieces
// of no width are skipped.
std::vector<Slice> StretchWidthSlices(float imageWidth, float edge, float destX, int destWidth);

// The block of a background picture that lies behind a child, clipped to the
// picture: source (srcX, srcY, width, height) copied to (dstX, dstY) of the
// child's bitmap. Width or height 0 when the child lies outside the picture.
struct BlockCopy {
  int srcX;
  int srcY;
  int dstX;
  int dstY;
  int width;
  int height;
};
BlockCopy ClipBlock(long long srcX, long long srcY, int width, int height, int pictureWidth,
                    int pictureHeight);

}  // namespace internal
}  // namespace view

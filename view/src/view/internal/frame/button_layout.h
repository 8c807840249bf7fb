#pragma once

#include <string>

#include "view/platform.h"

namespace view::frame {

// Where a control of size (width, height) goes for a requested position: a
// negative coordinate counts from the parent's right or bottom edge, so -10
// leaves 10 pixels between the control's far edge and the parent's.
POINT AnchoredOrigin(int x, int y, int width, int height, SIZE parent_client);

// The client size of `wnd`'s parent; zero when there is none.
SIZE ParentClientSize(HWND wnd);

// Puts `wnd` at the anchored position of (x, y) with the given size, at the
// top of the sibling order, and lets its frame be recomputed.
bool PlaceAnchored(HWND wnd, int x, int y, int width, int height);

// Resizes `wnd` to (width, height) where it stands now (relative to its
// parent), at the top of the sibling order, recomputing the frame.
bool ResizeInPlace(HWND wnd, int width, int height);

// The bounding box of `text` drawn in `font`, measured with GDI+ on a
// graphics made for `wnd`. A layout width of 0 measures without a width
// limit; otherwise the text wraps at that width. `quality` measures with
// anti-aliasing and high-quality interpolation set, as the image buttons
// paint. Without a font, or when GDI+ fails, the size is zero.
Gdiplus::SizeF MeasureCaption(HWND wnd, const std::wstring& text, Gdiplus::Font* font,
                              float layout_width = 0.0f, bool quality = false);

// The same measurement in a layout area of `layout` (0 leaves a side
// unlimited) with a string format (null: none), returning the bounding box
// itself, whose position reflects the format's alignment.
Gdiplus::RectF MeasureCaptionBox(HWND wnd, const std::wstring& text, Gdiplus::Font* font,
                                 Gdiplus::SizeF layout, const Gdiplus::StringFormat* format,
                                 bool quality = false);

}  // namespace view::frame

#pragma once

#include "view/platform.h"

namespace view::frame {

// The client rectangle a resize asks for: `width`/`height` replace the right
// and bottom edges; -1 keeps the current edge.
RECT ClientResizeTarget(const RECT& client, int width, int height);

// Resizes the window so that its client area becomes width x height (-1
// keeps a dimension), without moving, activating or reordering it; without
// redrawing when `redraw` is false. Returns false when a step fails.
bool ResizeClient(HWND wnd, int width, int height, bool redraw);

// A "tooltips_class32" window (TTS_NOPREFIX) owned by `owner`; null on failure.
HWND CreateTooltipWindow(HWND owner);

// Registers `control` as a tool of `tooltip` showing `text` (copied by the
// tooltip). The tool's owner is the control's parent.
bool AddTooltipTool(HWND tooltip, HWND control, const wchar_t* text);

}  // namespace view::frame

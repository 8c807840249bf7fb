#pragma once

// ZuWindowBgBrushHelper keeps, for each registered child window, a GDI
// pattern brush holding exactly the part of the parent's background picture
// that lies behind the child, so that a child filling its client area from
// (0, 0) with it reproduces the background seamlessly.
//
// The helper owns every brush it makes. A child added again gets a new brush;
// its earlier brush stays alive (handles already handed out stay valid) until
// the helper is destroyed. Copies share one set of brushes (an assigned
// helper lets go of its own first); the brushes live until the last of the
// sharing helpers is destroyed, whichever order they go in.

#include "view/export.h"
#include "view/platform.h"

class VIEW_API ZuWindowBgBrushHelper {
 public:
  ZuWindowBgBrushHelper();
  ZuWindowBgBrushHelper(const ZuWindowBgBrushHelper& other);  // shares
  ~ZuWindowBgBrushHelper();
  ZuWindowBgBrushHelper& operator=(const ZuWindowBgBrushHelper& other);

  // `parent_background` pictures the parent's background with the parent's
  // client origin at (offsetx, offsety). The block behind the child is taken
  // from it, clipped to the picture (a child reaching beyond the picture gets
  // black where the picture has nothing).
  void AddSubWindow(HWND child, Gdiplus::Image* parent_background, int offsetx, int offsety);
  // The same from a GDI bitmap of the parent's client area (origin at the
  // client origin). The bitmap stays the caller's and must not be selected
  // into a device context.
  void AddSubWindow(HWND child, HBITMAP parent_background);
  // The brush stored for `child`, or null when it was never added. The
  // helper keeps ownership.
  HBRUSH GetHBRUSH(HWND child);

 private:
  struct Brushes;
  Brushes* brushes_;
};

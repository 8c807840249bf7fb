#pragma once

// ZuThemedShadowWnd gives a top-level window (typically a borderless dialog)
// a soft drop shadow: a layered, click-through window that is never
// activated, has the parent's size, lies a few pixels right of and below the
// parent and follows it as it moves, resizes, shows and hides.
//
// The shadow hooks the parent's window procedure and keeps its record in a
// window property, so the parent's GWLP_USERDATA stays the application's; a
// parent carries at most one shadow. It hides the moment the parent hides or
// starts to be destroyed. The shadow window is the shadow's own: it is
// destroyed, and the parent's procedure given back, when the last wrapper of
// the shadow goes.
//
// Copies share one shadow; it goes when the last of them is destroyed.
//
// Made in the per-monitor DPI mode (view/dpi.h), the shadow's size, offsets
// and corner are drawn at the factor of the parent's DPI, and follow the
// parent's WM_DPICHANGED.

#include "view/export.h"
#include "view/platform.h"

class CThemedShadowWnd;

class VIEW_API ZuThemedShadowWnd {
 public:
  VIEW_WRAPPER_MEMBERS(ZuThemedShadowWnd);

  // Creates the shadow window for `parent` and hooks the parent. The shadow
  // takes its place at the first AdjustWindowPos or at the parent's next
  // move, size, activation or erase while it is visible. Returns null when
  // `parent` is not a window, already carries a shadow, or the window
  // cannot be made.
  HWND Create(HWND const parent);
  // Follow another window from now on; the hook stays on the window given to
  // Create, so only AdjustWindowPos moves the shadow to the new one.
  void SetThemeParent(HWND parent);
  // Moves the shadow under the parent now; rebuilds its image when its size
  // changed.
  void AdjustWindowPos();

  // The setters store only: they take effect at the next AdjustWindowPos, and
  // reach the image only when the shadow's size next changes, so set them
  // before the first AdjustWindowPos.
  // The shift right and down, and the width of the visible band: 1 to 255
  // pixels, anything else gives 5.
  void SetShadowSize(int size);
  // How far the band reaches under the parent's right and bottom edges:
  // 0 or more pixels, a negative value gives 1.
  void SetRightOffsetArea(int area);
  // Pixels taken off the downward (`y`) and rightward (`x`) shift.
  void SetRoundOffset(int y, int x);

 private:
  CThemedShadowWnd* impl_;
};

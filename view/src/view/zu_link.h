#pragma once

#include "view/atl_types.h"
#include "view/export.h"
#include "view/platform.h"

class BASLink;

// A platform link control ("SysLink") whose painting is replaced by a solid
// black fill of its client area, or, after SetDrawLinks(true), by its text
// with the links in the theme's link colour. Link markup, hit-testing,
// focus, keyboard and the click notifications to the parent (NM_CLICK,
// NM_RETURN) stay the platform's. Made in the per-monitor DPI mode
// (view/dpi.h), the label and the platform's layout use a copy of its font
// at its window's factor, made again at each DPI change.
class VIEW_API ZuLink {
 public:
  VIEW_WRAPPER_MEMBERS(ZuLink);

  // Creates the label as a child of `parent`; `name` is the link text with
  // its <a> markup. Style 0 means a visible child that clips siblings and
  // children, a null rect the default rectangle. Returns the window or null.
  HWND Create(HWND parent, ATL::_U_RECT rect = static_cast<LPRECT>(nullptr),
              const wchar_t* name = nullptr, DWORD style = 0, DWORD exStyle = 0,
              ATL::_U_MENUorID id = 0U, void* createParam = nullptr);

  // Off (the default): the label paints a black fill. On: it paints its text
  // in the theme's window and text colours, each link in the link colour and
  // underlined while the pointer is over it, lines broken between words at
  // the label's width, and the focus cue around the focused link while cues
  // show. Clicks land where the platform lays its links out, which is the
  // same left-to-right flow for a label one line high.
  void SetDrawLinks(bool draw);

 private:
  BASLink* impl_;
};

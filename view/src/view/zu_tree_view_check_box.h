#pragma once

#include <functional>

#include "view/atl_types.h"
#include "view/export.h"
#include "view/platform.h"

class BASTreeViewCheckBox;

// A tree view with a check box on every row. Each row shows, from left to
// right: an expander (for items with children), a check box, an optional
// item image, the text and an optional number in a rounded badge. Rows are
// 40 pixels high; made in the per-monitor DPI mode (view/dpi.h), the rows,
// the images (given for 96 DPI), the margins and the font are drawn at the
// factor of the window's DPI. A click on a check box toggles it and reports the new
// state to the check callback; a click on a parent's expander column expands
// or collapses it; a click elsewhere on a row selects the item and expands a
// parent. Double clicks do nothing. Space toggles the selected item's check
// box as a click on it does; while the tree has the focus and focus cues
// show, the selected item carries the platform's focus rectangle.
//
// The parent window must reflect notifications back to the tree
// (view::ReflectNotification). The four images given to CreateTree stay the caller's and must
// outlive the tree; item images given to AppendItem become the tree's.
class VIEW_API ZuTreeViewCheckBox {
 public:
  VIEW_WRAPPER_MEMBERS(ZuTreeViewCheckBox);

  // Creates the tree window in `parent` at `rect` with the background colour
  // and the expander and check-box images (the checked image's size is the
  // size of every check box). Returns null on failure.
  HWND CreateTree(HWND parent, ATL::_U_MENUorID id, WTL::CRect rect, DWORD backgroundColor,
                  Gdiplus::Bitmap* expandedImage, Gdiplus::Bitmap* collapsedImage,
                  Gdiplus::Bitmap* checkedImage, Gdiplus::Bitmap* uncheckedImage);
  // Replaces the four images of CreateTree (a tree from a dialog template
  // starts without any) and repaints.
  void SetImages(Gdiplus::Bitmap* expandedImage, Gdiplus::Bitmap* collapsedImage,
                 Gdiplus::Bitmap* checkedImage, Gdiplus::Bitmap* uncheckedImage);

  // Adds an unchecked item as the last child of `parent` (null: top level).
  // The tree takes `image` (may be null) and deletes it with the item, also
  // when adding fails. imageWidth/imageHeight 0 draw the image at its own
  // size. `hasChildren` shows an expander before any child is added. A
  // negative `number` shows no badge. Returns null on failure.
  HTREEITEM AppendItem(HTREEITEM parent, unsigned int tag, const wchar_t* text,
                       Gdiplus::Image* image, int imageWidth, int imageHeight, bool hasChildren,
                       int number);
  // Sets the item's user data, badge number and enabled flag (0: grey; a
  // disabled parent ignores row clicks) and, when `text` is not null, its
  // text, and repaints its row when it is on screen. Returns 0 for an item
  // the tree did not add.
  int UpdateItem(HTREEITEM item, const wchar_t* text, int enabled, int number, void* userData);
  // Deletes the item and its descendants with their images. Returns the
  // tree's result.
  int DeleteItem(HTREEITEM item);
  // The badge number; -1 for an item the tree did not add.
  int GetItemNumber(HTREEITEM item);
  // 1 checked, 0 unchecked, -1 no check state or no such item.
  int GetItemCheck(HTREEITEM item);
  // Checks (nonzero) or unchecks the item, repaints its row when it is on
  // screen, and tells the check callback, even when the state does not change.
  void CheckItem(HTREEITEM item, int check);
  // Replaces the callback told of every check change (empty: none).
  void SetCheckItemCallback(const std::function<void(HTREEITEM, bool)>& callback);
  // The gap before each column of a row, in pixels (0 after CreateTree).
  void SetXMargin(int margin);
  // Fill and text colour of the selected row (the system's selection
  // colours after CreateTree).
  void SetHighLightColor(COLORREF back, COLORREF text);

 private:
  BASTreeViewCheckBox* impl_;
};

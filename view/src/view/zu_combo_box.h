#pragma once

#include "view/atl_types.h"
#include "view/export.h"

class BASComboBox;

// A drop-down combo box whose list items carry check boxes. The user checks
// any number of items while the list stays open; the closed box shows the
// checked items' texts joined by the user's list separator.
//
// Create it with an owner-draw style that keeps strings (for example
// CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS) and fill it with
// the combo box messages (CB_ADDSTRING, ...). The check state of an item is
// its item data: do not use item data for anything else. Each check change
// made by the user in the list is reported to the parent as CBN_SELCHANGE.
// The parent must reflect notifications (view::ReflectNotification); the
// box measures its items through the parent while it is being created.
// Made in the per-monitor DPI mode (view/dpi.h), it paints with a copy of its
// font at its window's factor and measures its field and rows in it again
// whenever the font or the DPI changes; WM_GETFONT still answers the font it
// was given.
class VIEW_API ZuComboBox {
 public:
  VIEW_WRAPPER_MEMBERS(ZuComboBox);

  // Style 0 means a visible child that clips siblings and children. Returns
  // null on failure.
  HWND Create(HWND parent, ATL::_U_RECT rect = nullptr, const wchar_t* windowName = nullptr,
              DWORD style = 0, DWORD exStyle = 0, ATL::_U_MENUorID id = 0U,
              void* param = nullptr);

  // Stores `check` as the item's check state (nonzero is checked). Returns
  // CB_ERR for a bad index. Sends no notification.
  int SetCheck(int index, int check);
  // The stored check state, or CB_ERR for a bad index.
  int GetCheck(int index);
  // SetCheck(index, check) for every item. Sends no notification.
  void SelectAll(int check);

 private:
  BASComboBox* impl_;
};

#pragma once

#include <string>
#include <vector>

#include "view/internal/frame/accessible.h"
#include "view/internal/frame/dpi.h"
#include "view/internal/frame/owner_draw.h"
#include "view/internal/frame/paint_buffers.h"
#include "view/internal/frame/window_impl.h"

class BASComboBox;

namespace view::combo {

// Layout and text rules of the check-box combo box, kept free of windows so
// that they can be checked by value.

// The separator placed between checked texts: the user's list separator
// (";" when the locale gives none) without trailing white space, plus one
// space, so that "," becomes ", ".
std::wstring DisplaySeparator(const std::wstring& list_separator);
// The texts joined by `separator`.
std::wstring JoinTexts(const std::vector<std::wstring>& texts, const std::wstring& separator);
// Height of a list row and of the selection field for a font.
int ItemHeightFor(const TEXTMETRICW& tm);
// Width of the check-box column (the text starts there).
int CheckBoxWidthFor(const TEXTMETRICW& tm);
// The check box of a row: from the left edge of the list to `width`, one
// pixel inside the row at the top and at the bottom.
RECT CheckBoxRect(const RECT& item, int width);
// The row under client height `y` of a list whose first visible row is
// `top_index`; -1 when the item height is not positive.
int RowAt(int top_index, int y, int item_height);

// The user's list separator as the locale settings give it now.
std::wstring UserListSeparator();

}  // namespace view::combo

// The implementation of ZuComboBox: a superclassed "COMBOBOX" that draws
// its items with check boxes (the check state is the item data), shows the
// checked texts in its selection field and turns clicks and the space key in
// its drop-down list into check toggles.
class BASComboBox : public view::frame::StandardControl<BASComboBox>,
                    public view::frame::OwnerDraw<BASComboBox>,
                    public view::frame::Accessible {
 public:
  static constexpr const wchar_t* kStandardClass = L"COMBOBOX";
  static constexpr const wchar_t* kPublicClass = view::kComboBoxClass;
  // From a template: a drop-down list (or drop-down) with fixed owner-drawn
  // items that keep their strings, as the checkable items need.
  DWORD AdoptStyle(DWORD style) override {
    if ((style & 3) == CBS_SIMPLE) style = (style & ~3u) | CBS_DROPDOWNLIST;
    return (style & ~static_cast<DWORD>(CBS_OWNERDRAWVARIABLE)) | CBS_OWNERDRAWFIXED |
           CBS_HASSTRINGS | WS_TABSTOP;
  }

  BASComboBox() = default;
  ~BASComboBox() override;

  int SetCheck(int index, int check);
  int GetCheck(int index);
  void SelectAll(int check);

  // The text of the selection field, rebuilt first if a check changed.
  const std::wstring& DisplayText();
  HWND list_box() const { return listBox; }
  // The hook that serves the taken-over drop-down list, if any.
  view::frame::WindowHook* list_hook() const { return list_hook_.get(); }

  bool ProcessWindowMessage(HWND wnd, UINT msg, WPARAM wparam, LPARAM lparam, LRESULT& result,
                            DWORD map_id = 0) override;
  void OnFinalMessage(HWND wnd) override;
  void OnPaletteChanged() override;
  // The font at the new factor, the field and the rows measured in it.
  void OnDpiChanged(float factor) override;

  // Reflected owner-draw requests (through OwnerDraw).
  void DrawItem(LPDRAWITEMSTRUCT dis);
  void MeasureItem(LPMEASUREITEMSTRUCT mis);

  // The closed combo box is the platform's, its value the checked texts.
  view::frame::Accessible* accessible() override { return this; }
  bool DescribeAccessible(long child, view::frame::AccessibleInfo&) override {
    return child == CHILDID_SELF;
  }
  bool AccessibleValue(long child, std::wstring& value) override;
  bool DoAccessibleDefaultAction(long) override { return false; }

 private:
  // The font measured and painted: the application's (WM_GETFONT), or in
  // the per-monitor mode the copy at the factor.
  HFONT PaintedFont();
  // The height of a row in the painted font; 0 when no DC can be had.
  int PaintedItemHeight();
  // In the per-monitor mode, the field's and the rows' height for the font.
  void FitItemHeights();
  view::frame::FollowedFont font_{SYSTEM_FONT};
  view::frame::SolidBrushCache list_brush_;  // the open list's background in dark
  bool platform_dark_ = false;
  bool platform_dark_list_ = false;
  // The messages of the drop-down list, which reach the control through
  // its list hook (map id kListMap).
  static constexpr DWORD kListMap = 1;
  bool ProcessListMessage(HWND list, UINT msg, WPARAM wparam, LPARAM lparam, LRESULT& result);
  // Gives the drop-down list its own procedure back.
  void ReleaseListBox();
  // The row of the list under a client point that a click toggles, or -1.
  int ToggleIndexAt(HWND list, POINT pt);
  void ToggleFromList(HWND list, int index);
  std::wstring ItemText(int index);
  int ItemCount();

  // The drop-down list's items as children of its accessible object
  // (id = index + 1), served through the list hook.
  class DropDownAccessible : public view::frame::Accessible {
   public:
    explicit DropDownAccessible(BASComboBox& combo) : combo_(combo) {}
    ~DropDownAccessible() = default;
    long AccessibleChildCount() override { return combo_.ItemCount(); }
    bool DescribeAccessible(long child, view::frame::AccessibleInfo& info) override;
    bool AccessibleChildRect(long child, RECT& screen) override;
    bool DoAccessibleDefaultAction(long child) override;

   private:
    BASComboBox& combo_;
  };

  // The drop-down list window, hooked or not (null without a window).
  HWND DropDownWindow() const;

  DropDownAccessible drop_down_{*this};
  HWND listBox = nullptr;
  view::frame::ScopedRef<view::frame::WindowHook> list_hook_;
  std::wstring displayText;
  BOOL textValid = FALSE;
  BOOL selectionHeightSet = FALSE;
};

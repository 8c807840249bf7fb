#pragma once

// ZuListView: a checkable report list with a check box in its header.
//
// The list runs in owner-data mode and keeps nothing per row: the application
// says how many rows there are (SetItemCount), answers the texts of columns 1
// and up through LVN_GETDISPINFOW at the parent, and gives each row's check
// state, checkability and photo through the functions below. Column 0 shows
// a check box and the 1-based row number, column 1 a photo with a text beside
// it, every further column a text. The parent must reflect notifications back
// to the list (view::ReflectNotification, which leaves LVN_GETDISPINFOW to
// the parent): rows paint only through the reflected WM_DRAWITEM.
//
// Order of calls: SetDpiScale and SetCheckBoxImage (and optionally
// SetItemHeight) before CreateListView; setFuncHeaderCheck after it; the
// check-state functions before the list has rows. Made in the per-monitor
// DPI mode (view/dpi.h), the list takes its factor from its window instead
// of SetDpiScale, and draws the font it is given (for 96 DPI) from a copy at
// that factor; its header's height follows. With no get-state function
// every row shows unchecked; with no set-state function clicks change nothing.
//
// Keys: Space on the focused row does what a click on its check box does.
// While the list has the focus and focus cues show, the focused row carries
// the platform's focus rectangle.

#include <functional>

#include "view/atl_types.h"
#include "view/export.h"
#include "view/platform.h"

class BASListView;

class VIEW_API ZuListView {
 public:
  ZuListView();
  virtual ~ZuListView();
  // Copies share one control. The window does not go with the wrappers: it
  // lives until it is destroyed (by DestroyWindow or with its parent), and
  // from then on calls on any wrapper do nothing.
  ZuListView(const ZuListView& other);
  ZuListView& operator=(const ZuListView& other);
  // The list in `window` (made by a dialog template or a wrapper), or an
  // empty wrapper on which every call does nothing.
  static ZuListView FromWindow(HWND window);
  operator HWND() const;

  void SetDpiScale(float scale);
  int DpiScale(int v) const;

  // Creates the list window; always returns 0 (the window handle is null
  // when creation failed).
  int CreateListView(HWND parent, ATL::_U_RECT rect, ATL::_U_MENUorID id, bool striped,
                     bool visible, bool single_select);
  void SetItemCount(int count);
  // Inserts a row with one text argument (const wchar_t*) per header column.
  int InsertItemTexts(int index, ...);
  // Appends a row: `first` is column 0's text, then one text per further column.
  int AppendItemTexts(const wchar_t* first, ...);
  // Row height in pixels (not scaled); the list measures its rows again.
  void SetItemHeight(int height);
  // The images stay the caller's. `checked` sets the size of all three; null
  // switches the check boxes off.
  void SetCheckBoxImage(Gdiplus::Bitmap* checked, Gdiplus::Bitmap* unchecked,
                        Gdiplus::Bitmap* disabled);
  void SetDefaultPhoto(Gdiplus::Image* photo);
  // Sets the header check box's state; rows are not touched.
  void SetHeaderCheck(int checked);
  int GetHeaderChecked();
  void RefreshHeaderCheck();
  HWND GetInnerHeader();
  // Gives every row the state `checked`; false without check-box images.
  bool setListViewHeaderCheck(bool checked);
  // Replaces what a click on the header check box does (after CreateListView).
  void setFuncHeaderCheck(std::function<bool(bool)> f);
  void setFuncDrawPhotoColumn(std::function<void(WTL::CDC&, DRAWITEMSTRUCT*, WTL::CRect&, int)> f);
  void SetPhotoGetFunc(std::function<Gdiplus::Image*(int)>& f);
  void SetPhotoGetFunc(const std::function<Gdiplus::Image*(int)>& f);
  void SetRenderFunc(std::function<void(WTL::CDC&, int)>& f);
  void SetRenderFunc(const std::function<void(WTL::CDC&, int)>& f);
  void SetFuncGetCheckState(std::function<bool(int)>& f);
  void SetFuncGetCheckState(const std::function<bool(int)>& f);
  void SetFuncSetCheckState(std::function<void(int, bool)>& f);
  void SetFuncSetCheckState(const std::function<void(int, bool)>& f);
  void SetTestCanCheckFunc(std::function<bool(int)>& f);
  void SetTestCanCheckFunc(const std::function<bool(int)>& f);
  void SetScrollItemScopeFuncCallback(std::function<void(int, int)>& f);
  void SetScrollItemScopeFuncCallback(const std::function<void(int, int)>& f);
  void SetItemCheckedChangeCallback(std::function<void(HWND, int)>& f);
  void SetItemCheckedChangeCallback(const std::function<void(HWND, int)>& f);
  // Check states follow the selection.
  void SetSelectedChecked();
  // Checks, selects, focuses and shows one row (-1: selects all, checks none).
  int SelectItem(int index);
  void RefreshCell(int column, int row);
  void RefreshRangeCell(int first_column, int last_column, int row);
  void RefreshColumn(int column);

 private:
  BASListView* impl_;
};

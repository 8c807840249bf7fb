#pragma once

// The checkable list: an owner-data report list that paints every row itself
// (check box and row number, a photo column, text columns, stripes, hover and
// selection colours, frame lines). It keeps nothing per row: check states,
// checkability and photos come from the application's functions when a row
// is painted or clicked, texts from the platform list's item-text query
// (LVN_GETDISPINFOW at the parent). A check box in the header checks or
// unchecks all rows.

#include <cstdarg>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "view/atl_types.h"
#include "view/internal/controls/bas_list_view_header.h"
#include "view/internal/frame/dpi.h"
#include "view/internal/frame/owner_draw.h"
#include "view/internal/frame/paint_buffers.h"
#include "view/internal/frame/palette.h"
#include "view/internal/frame/window_impl.h"

namespace view::internal {

// Where a photo of w x h goes in a cell of the photo column, in the cell's
// own coordinates, and where the text beside it starts.
struct PhotoPlacement {
  int x;          // left of the photo
  int y;          // top of the photo
  int width;      // shown width
  int height;     // shown height
  int text_left;  // left edge of the text beside the photo
};
PhotoPlacement PlacePhoto(int photo_width, int photo_height, int cell_width, int cell_height,
                          float scale);

// The rows (first, last) around the viewport that the scroll-scope callback
// reports: one page above the top row to three pages below it, clamped to
// the list.
std::pair<int, int> ScrollScope(int top_row, int page, int row_count);

// Left edge of the row number in column 0: after the scaled check box and
// the indents (5*s before the box, 10*s after it).
int RowNumberLeft(int check_image_width, float scale);

// The background colour of a row; the first rule that applies wins.
// What a row's background is for: selected, under the pointer, striped, or
// plain (the row's own colour).
frame::ColorRole RowRole(bool selected, int row, int hover_row, int last_hover_row, bool striped);
COLORREF RowBackground(bool selected, int row, int hover_row, int last_hover_row, bool striped,
                       COLORREF row_color);

constexpr COLORREF kListSelectedColor = 0xEEDBA1;
constexpr COLORREF kListHoverColor = 0xF5ECCD;
constexpr COLORREF kListStripeColor = 0xFAFAFA;
constexpr COLORREF kListFrameColor = 0xDCDCDC;

}  // namespace view::internal

class BASListView : public view::frame::WindowImpl,
                    public view::frame::OwnerDraw<BASListView>,
                    public view::frame::Accessible {
 public:
  static view::frame::ClassRecord& GetClassRecord();
  // From a template: the styles, header and header box of CreateListView
  // (not striped; LVS_SINGLESEL as the template says).
  DWORD AdoptStyle(DWORD style) override;
  void AdoptCreated() override;
  // The extended styles, header box and stripes of a new list window.
  void ConfigureCreated(HWND wnd, bool striped);

  BASListView();
  ~BASListView() override;

  // Scroll bars in the platform's dark look while the palette is dark.
  void OnPaletteChanged() override;
  void OnDpiChanged(float factor) override;
  bool ProcessWindowMessage(HWND wnd, UINT msg, WPARAM wparam, LPARAM lparam, LRESULT& result,
                            DWORD map_id = 0) override;

  // Default painting of the photo column; `cell` is in row coordinates.
  virtual void DrawPhotoColumn(WTL::CDC& dc, DRAWITEMSTRUCT* dis, WTL::CRect& cell, int column);
  // Paints the cells of one row into the row's buffer.
  virtual void DrawItemCells(WTL::CDC& dc, DRAWITEMSTRUCT* dis);

  void DrawItem(LPDRAWITEMSTRUCT dis);
  void MeasureItem(LPMEASUREITEMSTRUCT mis);

  int CreateListView(HWND parent, ATL::_U_RECT rect, ATL::_U_MENUorID id, bool striped,
                     bool visible, bool single_select);
  void SetItemCount(int count);
  int InsertItemTextsV(int index, va_list texts);
  int AppendItemTextsV(const wchar_t* first, va_list rest);
  // Sets the texts of columns [first_column, columns) of `row`, one
  // const wchar_t* argument each.
  void SetCellTextsV(int row, int first_column, int columns, va_list texts);
  void SetItemHeight(int height);
  void SetCheckBoxImage(Gdiplus::Bitmap* checked, Gdiplus::Bitmap* unchecked,
                        Gdiplus::Bitmap* disabled);
  void SetDefaultPhoto(Gdiplus::Image* photo) { default_photo_ = photo; }
  void SetHeaderCheck(int checked);
  int GetHeaderChecked() const { return header_.GetChecked() ? 1 : 0; }
  void RefreshHeaderCheck() { header_.Refresh(); }
  HWND GetInnerHeader() const { return header_.m_hWnd; }
  bool setListViewHeaderCheck(bool checked);
  void setFuncHeaderCheck(std::function<bool(bool)> f) { header_.SetCheckFunc(std::move(f)); }
  void setFuncDrawPhotoColumn(std::function<void(WTL::CDC&, DRAWITEMSTRUCT*, WTL::CRect&, int)> f) {
    draw_photo_column_func_ = std::move(f);
  }
  void SetPhotoGetFunc(const std::function<Gdiplus::Image*(int)>& f) { photo_get_func_ = f; }
  void SetRenderFunc(const std::function<void(WTL::CDC&, int)>& f) { render_func_ = f; }
  void SetFuncGetCheckState(const std::function<bool(int)>& f) { get_check_state_func_ = f; }
  void SetFuncSetCheckState(const std::function<void(int, bool)>& f) {
    set_check_state_func_ = f;
  }
  void SetTestCanCheckFunc(const std::function<bool(int)>& f) { test_can_check_func_ = f; }
  void SetScrollItemScopeFuncCallback(const std::function<void(int, int)>& f) {
    scroll_item_scope_callback_ = f;
  }
  void SetItemCheckedChangeCallback(const std::function<void(HWND, int)>& f) {
    item_checked_change_callback_ = f;
  }
  void SetSelectedChecked();
  int SelectItem(int index);
  void RefreshCell(int column, int row);
  void RefreshRangeCell(int first_column, int last_column, int row);
  void RefreshColumn(int column);

  void SetScale(float scale) { scale_ = scale; }
  float scale() const { return scale_; }
  int item_height() const { return item_height_; }
  int hover_item() const { return hover_item_; }
  int last_hover_item() const { return last_hover_item_; }
  BASListViewHeader& header() { return header_; }

  // Rows are the children of the list's accessible object (id = row + 1).
  view::frame::Accessible* accessible() override { return this; }
  long AccessibleChildCount() override { return ItemCount(); }
  bool DescribeAccessible(long child, view::frame::AccessibleInfo& info) override;
  bool AccessibleChildRect(long child, RECT& screen) override;
  bool DoAccessibleDefaultAction(long child) override;

 private:
  bool platform_dark_ = false;
  // One column's cells as LVM_GETSUBITEMRECT gives them: left and right in
  // client coordinates and the height; `known` is false where it failed.
  struct CellBounds {
    bool known;
    int left;
    int right;
    int height;
  };
  // What the rows of one paint share (defined in the source file).
  class PaintPass;

  int Scaled(int v) const;
  int ItemCount() const;
  bool GetCheckState(int row) const;
  bool CanCheck(int row) const;
  // Stores a row's state through the application and repaints the row.
  void SetCheckState(int row, bool checked);
  void InvalidateRow(int row);
  // Clears the selection of every selected row, one by one (the list's
  // "all rows" form costs time per row on some platforms).
  void ClearSelection();
  std::wstring ItemText(int row, int column) const;
  // The cells of `row`, one entry per column for which LVM_GETCOLUMNW
  // succeeds.
  std::vector<CellBounds> ReadCellBounds(int row) const;
  void DrawTextLine(HDC dc, const std::wstring& text, RECT rect) const;
  // Steps of a row's paint: the background and frame lines of a row
  // `width` x `height` in row coordinates, the first column's check box and
  // row number, and a text column.
  void PaintRowFrame(HDC dc, int row, bool selected, int width, int height,
                     const view::frame::Palette& palette);
  void DrawCheckCell(HDC dc, int row, const RECT& cell);
  void DrawTextCell(HDC dc, int row, int column, const RECT& cell);

  bool OnCheckBoxClick(LPARAM lparam);
  // A click's toggle of a row's check: the application stores it, the
  // selection and the header box follow, the callback hears of it.
  void ToggleRowCheck(int row);
  void OnMouseMove(LPARAM lparam);
  void OnScroll();
  void EraseBackground(HDC dc);
  // WM_PAINT and WM_PRINTCLIENT (the platform paints, the rows come back
  // as owner draws), and WM_ERASEBKGND around the rows.
  LRESULT OnPaintMessage(UINT msg, WPARAM wparam, LPARAM lparam);
  // The header's custom draw (WM_NOTIFY) and reflected column clicks.
  bool OnNotify(UINT msg, WPARAM wparam, LPARAM lparam, LRESULT& result);
  LRESULT RouteHeaderCustomDraw(WPARAM wparam, LPARAM lparam);

  std::function<void(WTL::CDC&, DRAWITEMSTRUCT*, WTL::CRect&, int)> draw_photo_column_func_;
  Gdiplus::Bitmap* checked_image_ = nullptr;
  Gdiplus::Bitmap* unchecked_image_ = nullptr;
  Gdiplus::Bitmap* disabled_check_image_ = nullptr;
  Gdiplus::Image* default_photo_ = nullptr;
  static constexpr COLORREF kRowColorDefault = 0xFFFFFF;
  COLORREF row_bkg_color_ = kRowColorDefault;
  int row_origin_x_ = 0;
  std::function<void(int, int)> scroll_item_scope_callback_;
  std::function<void(HWND, int)> item_checked_change_callback_;
  std::function<Gdiplus::Image*(int)> photo_get_func_;
  std::function<void(WTL::CDC&, int)> render_func_;
  std::function<bool(int)> test_can_check_func_;
  std::function<bool(int)> get_check_state_func_;
  std::function<void(int, bool)> set_check_state_func_;
  BASListViewHeader header_;
  int item_height_ = 0;
  bool striped_rows_ = false;
  int hover_item_ = -1;
  int last_hover_item_ = -1;
  float scale_ = 1.0f;
  // The list's font (and so its header's) in the per-monitor mode.
  view::frame::FollowedFont font_{DEFAULT_GUI_FONT};
  // Whether the parent has reflected a notification to the list yet (it does
  // at creation, when the list measures its rows).
  bool parent_reflects_ = false;
  // The paint under way, while the platform list paints (null otherwise).
  PaintPass* paint_pass_ = nullptr;
};

#pragma once

#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "view/internal/controls/bas_tree_view_section.h"
#include "view/internal/frame/palette.h"

// What the tree keeps for each item it adds; its address is the item's lParam.
struct TreeItemData {
  unsigned int tag = 0;  // the application's, never read here
  int enabled = 1;       // 0: grey, never highlighted, a parent ignores row clicks
  std::unique_ptr<Gdiplus::Image> image;  // optional item image, owned
  int imageWidth = 0;   // 0: the image's own width
  int imageHeight = 0;  // 0: the image's own height
  int indentX = 0;      // x of the expander column at the last paint
  int number = -1;      // badge number; negative: no badge
  void* userData = nullptr;
  RECT checkRect = {0, 0, 0, 0};  // check box at the last paint, for hit-testing
};

namespace view::tree {

// The fixed height of every row.
constexpr int kRowHeight = 40;
// Text of an item longer than this is painted cut.
constexpr int kMaxPaintedText = 259;
// Text colour of a disabled item.
constexpr COLORREF kDisabledTextColor = 0xC8C8C8;

// Sizes a row is laid out from.
struct RowMetrics {
  int margin = 0;           // gap before each column
  SIZE expander = {0, 0};   // the expanded expander image
  int collapsed_width = 0;  // the collapsed expander image: one indent step
  SIZE check = {0, 0};      // the checked image: the size of every check box
  SIZE image = {0, 0};      // the item image as drawn; 0 x 0 when there is none
  bool has_image = false;
  int line = 15;            // the text's line height (clipped one pixel below)
};

// Where the parts of one row go, in client coordinates.
struct RowGeometry {
  int indent_x = 0;         // start of the expander column
  POINT expander = {0, 0};  // top-left of the expander image
  RECT check = {0, 0, 0, 0};
  RECT image = {0, 0, 0, 0};  // empty when the item has no image
  RECT text = {0, 0, 0, 0};
};

// Lays out the row `row` of an item `depth` levels below the top level.
// Each level indents by the margin plus the collapsed expander's width.
RowGeometry LayoutRow(const RECT& row, int depth, const RowMetrics& metrics);

// The badge outline for a number whose text measures `text` at the right end
// of `row` (its paddings, 16 and 8 pixels at 1x, scaled by `factor`), and the
// rectangle its number is drawn in.
RECT BadgeRect(const RECT& row, SIZE text, float factor = 1.0f);
RECT BadgeTextRect(const RECT& badge, int text_width);

// Whether x lies on the expander column that starts at `indent_x`, both ends
// included. The distance is taken unsigned, so points left of the column
// are not on it.
bool OnExpanderColumn(int x, int indent_x, int collapsed_width);

// Whether the standard tree may change its items, their order, expansion,
// states, texts or the selection while it handles `msg`. Queries, painting,
// scrolling, sizing, pointer moves and reflected notifications cannot;
// anything else is assumed to.
bool MayChangeItems(UINT msg);
// Whether a key (pressed or released) only moves the selection (and
// scrolls): the standard tree's items, their expansion and checks stay as
// they were.
bool MovesOnlyTheSelection(WPARAM key);

// What painting needs of one item, as the standard tree last reported it.
struct RowInfo {
  HTREEITEM next = nullptr;  // the next visible item; null: the last row
  UINT state = 0;            // TVIS_SELECTED, TVIS_EXPANDED and the state image
  bool has_children = false;
  int integral = 1;  // rows the item spans
  int depth = 0;     // 0 for a top-level item
  TreeItemData* record = nullptr;
  std::wstring text;  // at most kMaxPaintedText characters
};

}  // namespace view::tree

// A tree view whose rows it paints itself (expander, check box, item image,
// text, number badge) and whose left clicks it handles itself: a click on
// the check box toggles it, a click on a parent's expander column expands or
// collapses it, a click elsewhere on a row selects it (and expands a parent).
class BASTreeViewCheckBox : public BASTreeViewSection {
 public:
  using CheckCallback = std::function<void(HTREEITEM, bool)>;
  static constexpr DWORD kTreeStyle = WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES |
                                      TVS_LINESATROOT | TVS_SHOWSELALWAYS | TVS_NOTOOLTIPS |
                                      TVS_CHECKBOXES | TVS_FULLROWSELECT;

  // From a template: the styles and row height of CreateTree, white, no images.
  DWORD AdoptStyle(DWORD style) override;
  void AdoptCreated() override;
  void SetImages(Gdiplus::Bitmap* expanded, Gdiplus::Bitmap* collapsed, Gdiplus::Bitmap* checked,
                 Gdiplus::Bitmap* unchecked) {
    expandedImage_ = expanded;
    collapsedImage_ = collapsed;
    checkedImage_ = checked;
    uncheckedImage_ = unchecked;
    rows_.clear();
    if (m_hWnd != nullptr) InvalidateRect(m_hWnd, nullptr, FALSE);
  }

  HWND CreateTree(HWND parent, HMENU id, const RECT& rect, DWORD backgroundColor,
                  Gdiplus::Bitmap* expandedImage, Gdiplus::Bitmap* collapsedImage,
                  Gdiplus::Bitmap* checkedImage, Gdiplus::Bitmap* uncheckedImage);

  HTREEITEM AppendItem(HTREEITEM parent, unsigned int tag, const wchar_t* text,
                       Gdiplus::Image* image, int imageWidth, int imageHeight, bool hasChildren,
                       int number);
  int UpdateItem(HTREEITEM item, const wchar_t* text, int enabled, int number, void* userData);
  int DeleteItem(HTREEITEM item);
  int GetItemNumber(HTREEITEM item);
  int GetItemCheck(HTREEITEM item);
  void CheckItem(HTREEITEM item, int check);
  void SetCheckItemCallback(const CheckCallback& callback) { checkItemCallback_ = callback; }
  void SetXMargin(int margin) { xMargin_ = margin; }
  void SetHighLightColor(COLORREF back, COLORREF text) {
    highlightBackColor_ = back;
    highlightTextColor_ = text;
    highlightSet_ = true;
  }

  // The record of `item`; null for items the tree did not add or does not know.
  TreeItemData* GetRecord(HTREEITEM item) const;
  // How many item records the tree holds.
  size_t record_count() const { return records_.size(); }

  // Scroll bars in the platform's dark look while the palette is dark.
  void OnPaletteChanged() override;
  void OnDpiChanged(float factor) override;
  bool ProcessWindowMessage(HWND wnd, UINT msg, WPARAM wparam, LPARAM lparam, LRESULT& result,
                            DWORD map_id = 0) override;
  void OnFinalMessage(HWND wnd) override;

 private:
  bool platform_dark_ = false;
  // Paints the whole client area into `target` through one memory bitmap.
  void Paint(HDC target);
  void DrawRow(HDC dc, Gdiplus::Graphics& graphics, const view::tree::RowInfo& info,
               const RECT& row, bool focused, const view::frame::Palette& palette);
  // Steps of a row's paint: where its parts go (remembered in the item's
  // record for hit tests), its images, and its number badge.
  view::tree::RowGeometry PlaceRow(const view::tree::RowInfo& info, const RECT& row,
                                   view::tree::RowMetrics& metrics);
  // A size given for 96 DPI at the tree's factor.
  SIZE Scaled(SIZE size) const {
    return {view::frame::DpiScaleInt(size.cx, dpi_factor()),
            view::frame::DpiScaleInt(size.cy, dpi_factor())};
  }
  void DrawRowImages(Gdiplus::Graphics& graphics, const view::tree::RowInfo& info,
                     const view::tree::RowGeometry& geometry, SIZE check,
                     const view::frame::Palette& palette);
  void DrawRowBadge(HDC dc, const RECT& row, int number, COLORREF text_color);
  // The row facts of `item`, asked of the standard tree on first use after
  // any change to the items. Null when the tree does not know the item.
  const view::tree::RowInfo* Row(HTREEITEM item);
  bool HandleMessage(HWND wnd, UINT msg, WPARAM wparam, LPARAM lparam, LRESULT& result,
                       DWORD map_id);
  bool OnLButtonDown(LPARAM lparam, LRESULT& result);
  // Marks the remembered rows selected or not as the tree's selection is now.
  void SyncSelection();
  // Repaints the row of `item` when it is on screen.
  void InvalidateRow(HTREEITEM item);
  // Deletes `item` (TVI_ROOT or null: every item) from the standard tree and
  // frees the records of the items that went with it.
  LRESULT DeleteWithRecords(WPARAM wparam, LPARAM lparam);
  void CollectRecords(HTREEITEM first, std::vector<TreeItemData*>& out) const;

  Gdiplus::Bitmap* collapsedImage_ = nullptr;  // borrowed
  Gdiplus::Bitmap* expandedImage_ = nullptr;   // borrowed
  Gdiplus::Bitmap* checkedImage_ = nullptr;    // borrowed
  Gdiplus::Bitmap* uncheckedImage_ = nullptr;  // borrowed
  int xMargin_ = 0;
  COLORREF backgroundColor_ = 0;
  COLORREF highlightBackColor_ = 0;
  COLORREF highlightTextColor_ = 0;
  bool highlightSet_ = false;  // the application chose the selection colours
  // A background given as white follows the palette; any other is the
  // application's own.
  static constexpr COLORREF kBackgroundDefault = 0xFFFFFF;
  CheckCallback checkItemCallback_;
  RECT clientRect_ = {0, 0, 0, 0};
  std::unordered_map<const TreeItemData*, std::unique_ptr<TreeItemData>> records_;
  // Row facts of the items painted since the items last changed. With many
  // items every query of the standard tree about one item can cost time in
  // proportion to the item count (Wine looks each handle up in a list), so a
  // repaint without changes asks it nothing per row.
  std::unordered_map<HTREEITEM, view::tree::RowInfo> rows_;
};

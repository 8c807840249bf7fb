#include "view/internal/controls/bas_tree_view_check_box.h"

#include <cstring>
#include <cwchar>
#include <string>

#include "view/internal/drawing/palette_image.h"
#include "view/internal/frame/dpi.h"
#include "view/internal/frame/paint_buffers.h"
#include "view/internal/frame/scoped.h"

using view::frame::MemoryDcBuffer;
using view::frame::ScopedGdiObject;

namespace view::tree {

RowGeometry LayoutRow(const RECT& row, int depth, const RowMetrics& m) {
  const int height = row.bottom - row.top;
  RowGeometry g;
  g.indent_x = row.left + m.margin + depth * (m.margin + m.collapsed_width);
  g.expander = {g.indent_x, row.top + (height - m.expander.cy) / 2};
  // The expander column is reserved whether or not the item has children.
  int x = g.indent_x + m.margin + m.expander.cx;
  const int check_top = row.top + (height - m.check.cy) / 2;
  g.check = {x, check_top, x + m.check.cx, check_top + m.check.cy};
  x += m.margin + m.check.cx;
  if (m.has_image) {
    const int image_top = row.top + (height - m.image.cy) / 2;
    g.image = {x, image_top, x + m.image.cx, image_top + m.image.cy};
    x += m.margin + m.image.cx;
  }
  // One line of text, placed for its line height and clipped one below.
  const int text_top = row.top + (height - m.line) / 2;
  g.text = {x, text_top, row.right, text_top + m.line + 1};
  return g;
}

RECT BadgeRect(const RECT& row, SIZE text, float factor) {
  const int top = row.top + (row.bottom - row.top - text.cy) / 2;
  using view::frame::DpiScaleInt;
  return {row.right - text.cx - DpiScaleInt(16, factor), top, row.right - DpiScaleInt(8, factor),
          top + text.cy};
}

RECT BadgeTextRect(const RECT& badge, int text_width) {
  return {badge.left + (badge.right - badge.left - text_width) / 2, badge.top, badge.right,
          badge.bottom};
}

bool OnExpanderColumn(int x, int indent_x, int collapsed_width) {
  const auto distance = static_cast<UINT>(x) - static_cast<UINT>(indent_x);
  return distance <= static_cast<UINT>(collapsed_width);
}

bool MovesOnlyTheSelection(WPARAM key) {
  switch (key) {
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_HOME:
    case VK_END:
      return true;
    default:
      return false;
  }
}

bool MayChangeItems(UINT msg) {
  // A notification reflected back gets only its default answer here; a
  // parent that changes items while it handles one does so by messages to
  // the tree, which count on their own.
  if (view::frame::IsReflectedMessage(msg)) return false;
  switch (msg) {
    case WM_PAINT:
    case WM_PRINTCLIENT:
    case WM_ERASEBKGND:
    case WM_NCPAINT:
    case WM_NCHITTEST:
    case WM_SETCURSOR:
    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE:
    case WM_MOUSELEAVE:
    case WM_NCMOUSELEAVE:
    case WM_MOUSEHOVER:
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL:
    case WM_VSCROLL:
    case WM_HSCROLL:
    case WM_SETFONT:
    case WM_GETFONT:
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH:
    case WM_GETDLGCODE:
    case WM_GETOBJECT:
    case WM_NOTIFYFORMAT:
    case WM_WINDOWPOSCHANGING:
    case WM_WINDOWPOSCHANGED:
    case WM_MOVE:
    case WM_SIZE:
    case WM_NCCALCSIZE:
    case WM_GETMINMAXINFO:
    case TVM_GETITEMW:
    case TVM_GETITEMA:
    case TVM_GETNEXTITEM:
    case TVM_GETITEMRECT:
    case TVM_GETITEMSTATE:
    case TVM_GETITEMHEIGHT:
    case TVM_GETCOUNT:
    case TVM_GETVISIBLECOUNT:
    case TVM_GETINDENT:
    case TVM_HITTEST:
      return false;
    default:
      return true;
  }
}

}  // namespace view::tree

namespace {

using namespace view::tree;

SIZE ImageSize(Gdiplus::Image* image) {
  if (image == nullptr) return {0, 0};
  return {static_cast<LONG>(image->GetWidth()), static_cast<LONG>(image->GetHeight())};
}

// TVI_ROOT, TVI_FIRST, TVI_LAST and TVI_SORT name positions, not items.
bool IsPositionValue(HTREEITEM item) {
  const auto value = reinterpret_cast<INT_PTR>(item);
  return value >= reinterpret_cast<INT_PTR>(TVI_ROOT) &&
         value <= reinterpret_cast<INT_PTR>(TVI_SORT);
}

bool IsItemHandle(HTREEITEM item) { return item != nullptr && !IsPositionValue(item); }

// The whole row of `item` (TVM_GETITEMRECT: the item goes in where the
// rectangle comes out); false when the row is not on screen.
bool ItemRowRect(HWND tree, HTREEITEM item, RECT& row) {
  if (item == nullptr) return false;
  row = {};
  std::memcpy(&row, &item, sizeof(item));
  return SendMessageW(tree, TVM_GETITEMRECT, FALSE, reinterpret_cast<LPARAM>(&row)) != 0;
}

HTREEITEM NextItem(HWND tree, HTREEITEM item, UINT relation) {
  return reinterpret_cast<HTREEITEM>(
      SendMessageW(tree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
}

UINT StateImageIndex(UINT state) { return (state & TVIS_STATEIMAGEMASK) >> 12; }

}  // namespace

HWND BASTreeViewCheckBox::CreateTree(HWND parent, HMENU id, const RECT& rect,
                                     DWORD backgroundColor, Gdiplus::Bitmap* expandedImage,
                                     Gdiplus::Bitmap* collapsedImage,
                                     Gdiplus::Bitmap* checkedImage,
                                     Gdiplus::Bitmap* uncheckedImage) {
  expandedImage_ = expandedImage;
  collapsedImage_ = collapsedImage;
  checkedImage_ = checkedImage;
  uncheckedImage_ = uncheckedImage;
  backgroundColor_ = backgroundColor;
  HWND wnd = CreateTreeWindow(parent, id, rect, WS_CHILD | WS_VISIBLE | kTreeStyle);
  if (wnd == nullptr) return nullptr;
  AdoptCreated();
  return wnd;
}

DWORD BASTreeViewCheckBox::AdoptStyle(DWORD style) {
  backgroundColor_ = RGB(255, 255, 255);
  return (style & ~0xFFFFu) | kTreeStyle;
}

void BASTreeViewCheckBox::AdoptCreated() {
  HWND wnd = m_hWnd;
  // Rows are 40 pixels, at the window's DPI when the tree follows it.
  const float factor = follows_dpi() ? view::frame::WindowDpiFactor(wnd) : 1.0f;
  SetDpiFactor(factor);
  SendMessageW(wnd, TVM_SETITEMHEIGHT, view::frame::DpiScaleInt(kRowHeight, factor), 0);
  xMargin_ = 0;
  // The system's selection colours until the application sets its own.
  highlightBackColor_ = GetSysColor(COLOR_HIGHLIGHT);
  highlightTextColor_ = GetSysColor(COLOR_HIGHLIGHTTEXT);
}

void BASTreeViewCheckBox::OnDpiChanged(float factor) {
  SetDpiFactor(factor);
  SendMessageW(m_hWnd, TVM_SETITEMHEIGHT, view::frame::DpiScaleInt(kRowHeight, factor), 0);
  InvalidateRect(m_hWnd, nullptr, TRUE);
}

HTREEITEM BASTreeViewCheckBox::AppendItem(HTREEITEM parent, unsigned int tag,
                                          const wchar_t* text, Gdiplus::Image* image,
                                          int imageWidth, int imageHeight, bool hasChildren,
                                          int number) {
  // The record owns the image from here on, also when the insertion fails.
  auto record = std::make_unique<TreeItemData>();
  record->tag = tag;
  record->image.reset(image);
  record->imageWidth = imageWidth;
  record->imageHeight = imageHeight;
  record->number = number;
  if (m_hWnd == nullptr) return nullptr;

  TVINSERTSTRUCTW insert = {};
  insert.hParent = parent != nullptr ? parent : TVI_ROOT;
  insert.hInsertAfter = TVI_LAST;
  insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_STATE;
  insert.item.pszText = const_cast<wchar_t*>(text != nullptr ? text : L"");
  insert.item.lParam = reinterpret_cast<LPARAM>(record.get());
  // Every item starts unchecked, whatever the tree did when it was created.
  insert.item.stateMask = TVIS_STATEIMAGEMASK;
  insert.item.state = INDEXTOSTATEIMAGEMASK(1);
  if (hasChildren) {
    insert.item.mask |= TVIF_CHILDREN;
    insert.item.cChildren = 1;
  }
  auto item = reinterpret_cast<HTREEITEM>(
      SendMessageW(m_hWnd, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
  if (item == nullptr) return nullptr;
  const TreeItemData* key = record.get();
  records_.emplace(key, std::move(record));
  return item;
}

TreeItemData* BASTreeViewCheckBox::GetRecord(HTREEITEM item) const {
  if (m_hWnd == nullptr || !IsItemHandle(item)) return nullptr;
  TVITEMW tv = {};
  tv.mask = TVIF_HANDLE | TVIF_PARAM;
  tv.hItem = item;
  if (!SendMessageW(m_hWnd, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&tv))) return nullptr;
  // Only records this tree made count: an lParam set by anyone else is not one.
  auto found = records_.find(reinterpret_cast<const TreeItemData*>(tv.lParam));
  return found != records_.end() ? found->second.get() : nullptr;
}

int BASTreeViewCheckBox::UpdateItem(HTREEITEM item, const wchar_t* text, int enabled, int number,
                                    void* userData) {
  TreeItemData* record = GetRecord(item);
  if (record == nullptr) return 0;
  record->userData = userData;
  record->number = number;
  record->enabled = enabled;
  if (text != nullptr) {
    TVITEMW tv = {};
    tv.mask = TVIF_HANDLE | TVIF_TEXT;
    tv.hItem = item;
    tv.pszText = const_cast<wchar_t*>(text);
    SendMessageW(m_hWnd, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&tv));
  }
  // The badge and the disabled look come from the record, which the
  // standard tree knows nothing of: repaint the row here.
  InvalidateRow(item);
  return 1;
}

void BASTreeViewCheckBox::InvalidateRow(HTREEITEM item) {
  RECT row = {};
  if (!ItemRowRect(m_hWnd, item, row)) return;
  const int row_height = static_cast<int>(SendMessageW(m_hWnd, TVM_GETITEMHEIGHT, 0, 0));
  if (row_height > row.bottom - row.top) row.bottom = row.top + row_height;
  InvalidateRect(m_hWnd, &row, FALSE);
}

int BASTreeViewCheckBox::DeleteItem(HTREEITEM item) {
  // A null item would ask the standard tree to delete every item.
  if (m_hWnd == nullptr || item == nullptr) return 0;
  return static_cast<int>(
      SendMessageW(m_hWnd, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(item)));
}

int BASTreeViewCheckBox::GetItemNumber(HTREEITEM item) {
  const TreeItemData* record = GetRecord(item);
  return record != nullptr ? record->number : -1;
}

int BASTreeViewCheckBox::GetItemCheck(HTREEITEM item) {
  if (m_hWnd == nullptr || !IsItemHandle(item)) return -1;
  const auto state = static_cast<UINT>(
      SendMessageW(m_hWnd, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item), TVIS_STATEIMAGEMASK));
  return static_cast<int>(StateImageIndex(state)) - 1;
}

void BASTreeViewCheckBox::CheckItem(HTREEITEM item, int check) {
  if (m_hWnd == nullptr || !IsItemHandle(item)) return;
  TVITEMW tv = {};
  tv.mask = TVIF_HANDLE | TVIF_STATE;
  tv.hItem = item;
  tv.stateMask = TVIS_STATEIMAGEMASK;
  tv.state = INDEXTOSTATEIMAGEMASK(check != 0 ? 2 : 1);
  // An item the tree does not know has no check to report.
  if (!SendMessageW(m_hWnd, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&tv))) return;
  InvalidateRow(item);
  if (checkItemCallback_) {
    // A copy, so that a callback that replaces the callback runs to its end.
    const CheckCallback callback = checkItemCallback_;
    callback(item, check != 0);
  }
}

void BASTreeViewCheckBox::CollectRecords(HTREEITEM first, std::vector<TreeItemData*>& out) const {
  std::vector<HTREEITEM> chains;
  if (first != nullptr) chains.push_back(first);
  while (!chains.empty()) {
    HTREEITEM item = chains.back();
    chains.pop_back();
    for (; item != nullptr; item = NextItem(m_hWnd, item, TVGN_NEXT)) {
      if (TreeItemData* record = GetRecord(item)) out.push_back(record);
      if (HTREEITEM child = NextItem(m_hWnd, item, TVGN_CHILD)) chains.push_back(child);
    }
  }
}

LRESULT BASTreeViewCheckBox::DeleteWithRecords(WPARAM wparam, LPARAM lparam) {
  auto item = reinterpret_cast<HTREEITEM>(lparam);
  std::vector<TreeItemData*> doomed;
  if (item == nullptr || item == TVI_ROOT) {
    CollectRecords(NextItem(m_hWnd, nullptr, TVGN_ROOT), doomed);
  } else if (IsItemHandle(item)) {
    if (TreeItemData* record = GetRecord(item)) doomed.push_back(record);
    CollectRecords(NextItem(m_hWnd, item, TVGN_CHILD), doomed);
  }
  // The records stay valid while the standard tree deletes the items, so
  // its deletion notifications carry live lParams.
  const LRESULT result = DefWindowProc(TVM_DELETEITEM, wparam, lparam);
  if (result != 0) {
    for (TreeItemData* record : doomed) records_.erase(record);
  }
  return result;
}

void BASTreeViewCheckBox::OnFinalMessage(HWND) {
  // The standard tree has deleted its items with the window.
  rows_.clear();
  records_.clear();
}

bool BASTreeViewCheckBox::ProcessWindowMessage(HWND wnd, UINT msg, WPARAM wparam, LPARAM lparam,
                                               LRESULT& result, DWORD map_id) {
  if (!MayChangeItems(msg)) return HandleMessage(wnd, msg, wparam, lparam, result, map_id);
  if ((msg == WM_KEYDOWN || msg == WM_KEYUP) && view::tree::MovesOnlyTheSelection(wparam)) {
    // The row facts stay: the paint takes the selection afresh (the tree's
    // answers about single items can cost time in proportion to the item
    // count, so a step of the selection must not ask about every row).
    if (!HandleMessage(wnd, msg, wparam, lparam, result, map_id)) {
      result = DefWindowProc(msg, wparam, lparam);
    }
    return true;
  }
  // Forget the row facts before the change, and again after it: a paint
  // that runs inside the change (a notification handler may update the
  // window) sees a half-made change.
  rows_.clear();
  if (!HandleMessage(wnd, msg, wparam, lparam, result, map_id)) {
    result = DefWindowProc(msg, wparam, lparam);
  }
  rows_.clear();
  return true;
}

bool BASTreeViewCheckBox::HandleMessage(HWND wnd, UINT msg, WPARAM wparam, LPARAM lparam,
                                        LRESULT& result, DWORD map_id) {
  if (view::frame::HandlePaintMessage(wnd, msg, wparam, result,
                                      [this](HDC dc) { Paint(dc); })) {
    return true;
  }
  switch (msg) {
    case WM_LBUTTONDOWN:
      return OnLButtonDown(lparam, result);
    case WM_LBUTTONDBLCLK:
      result = 0;  // no expand, collapse or toggle on a double click
      return true;
    case WM_KEYDOWN:
    case WM_CHAR:
      // Space toggles the selected item's check as a click on its box does
      // (the standard tree's own toggle and its search by letter stay out).
      if (wparam != VK_SPACE) {
        return BASTreeViewSection::ProcessWindowMessage(wnd, msg, wparam, lparam, result, map_id);
      }
      if (msg == WM_KEYDOWN) {
        HTREEITEM item = NextItem(m_hWnd, nullptr, TVGN_CARET);
        if (item != nullptr) {
          const auto state = static_cast<UINT>(SendMessageW(
              m_hWnd, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item), TVIS_STATEIMAGEMASK));
          CheckItem(item, StateImageIndex(state) == 1 ? 1 : 0);
        }
      }
      result = 0;
      return true;
    case TVM_DELETEITEM:
      result = DeleteWithRecords(wparam, lparam);
      return true;
    default:
      return BASTreeViewSection::ProcessWindowMessage(wnd, msg, wparam, lparam, result, map_id);
  }
}

bool BASTreeViewCheckBox::OnLButtonDown(LPARAM lparam, LRESULT& result) {
  TVHITTESTINFO hit = {};
  hit.pt = {GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
  SendMessageW(m_hWnd, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
  HTREEITEM item = hit.hItem;
  result = 0;
  if (item == nullptr) return true;

  TVITEMW tv = {};
  tv.mask = TVIF_HANDLE | TVIF_CHILDREN | TVIF_STATE;
  tv.hItem = item;
  tv.stateMask = TVIS_STATEIMAGEMASK;
  SendMessageW(m_hWnd, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&tv));
  const bool has_children = tv.cChildren != 0;
  const TreeItemData* record = GetRecord(item);

  if (record != nullptr && PtInRect(&record->checkRect, hit.pt)) {
    CheckItem(item, StateImageIndex(tv.state) == 1 ? 1 : 0);
    // The callback may have deleted the item or destroyed the window.
    if (!IsWindow(m_hWnd) || records_.count(record) == 0) return true;
  }

  if (!has_children) {
    result = 1;
    // Refused selections go on to the standard tree's own click handling.
    return SendMessageW(m_hWnd, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item)) != 0;
  }
  if (record != nullptr && record->enabled == 0) return true;

  result = 1;
  const int indent = record != nullptr ? record->indentX : 0;
  if (OnExpanderColumn(hit.pt.x, indent, Scaled(ImageSize(collapsedImage_)).cx)) {
    const auto state = static_cast<UINT>(
        SendMessageW(m_hWnd, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item), TVIS_EXPANDED));
    const WPARAM action = (state & TVIS_EXPANDED) != 0 ? TVE_COLLAPSE : TVE_EXPAND;
    SendMessageW(m_hWnd, TVM_EXPAND, action, reinterpret_cast<LPARAM>(item));
    return true;
  }
  // Right of the expander a click never collapses.
  SendMessageW(m_hWnd, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
  SendMessageW(m_hWnd, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
  return true;
}

const RowInfo* BASTreeViewCheckBox::Row(HTREEITEM item) {
  auto cached = rows_.find(item);
  if (cached != rows_.end()) return &cached->second;

  RowInfo info;
  wchar_t text[kMaxPaintedText + 1] = {};
  TVITEMEXW tv = {};
  tv.mask = TVIF_HANDLE | TVIF_TEXT | TVIF_STATE | TVIF_PARAM | TVIF_CHILDREN | TVIF_INTEGRAL;
  tv.hItem = item;
  tv.stateMask = TVIS_SELECTED | TVIS_EXPANDED | TVIS_STATEIMAGEMASK;
  tv.pszText = text;
  tv.cchTextMax = kMaxPaintedText + 1;
  if (!SendMessageW(m_hWnd, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&tv))) return nullptr;
  // The tree may hand back its own buffer instead of filling ours.
  if (tv.pszText != nullptr && tv.pszText != LPSTR_TEXTCALLBACKW) {
    info.text.assign(tv.pszText, wcsnlen(tv.pszText, kMaxPaintedText));
  }
  info.state = tv.state;
  info.has_children = tv.cChildren != 0;
  info.integral = tv.iIntegral > 0 ? tv.iIntegral : 1;
  auto found = records_.find(reinterpret_cast<const TreeItemData*>(tv.lParam));
  info.record = found != records_.end() ? found->second.get() : nullptr;
  info.next = NextItem(m_hWnd, item, TVGN_NEXTVISIBLE);
  // Count the levels up to the first ancestor already known.
  for (HTREEITEM p = NextItem(m_hWnd, item, TVGN_PARENT); p != nullptr;
       p = NextItem(m_hWnd, p, TVGN_PARENT)) {
    auto known = rows_.find(p);
    if (known != rows_.end()) {
      info.depth += known->second.depth + 1;
      break;
    }
    ++info.depth;
  }
  return &rows_.emplace(item, std::move(info)).first->second;
}

void BASTreeViewCheckBox::SyncSelection() {
  // The tree answers this without looking the item up.
  const HTREEITEM selected = NextItem(m_hWnd, nullptr, TVGN_CARET);
  for (auto& [item, info] : rows_) {
    info.state = item == selected ? info.state | TVIS_SELECTED : info.state & ~TVIS_SELECTED;
  }
}

void BASTreeViewCheckBox::Paint(HDC target) {
  if (target == nullptr) return;
  GetClientRect(m_hWnd, &clientRect_);
  MemoryDcBuffer buffer(target, clientRect_);
  if (!buffer.ok()) return;
  HDC dc = buffer.dc();
  const view::frame::Palette palette = view::frame::CurrentPalette();
  view::frame::FillSolidRect(dc, clientRect_,
                             view::frame::ThemeColor(view::frame::ColorRole::kWindow,
                                                     backgroundColor_, kBackgroundDefault, palette));
  // Scrolling through a large tree without changing it keeps adding rows.
  constexpr size_t kMaxRememberedRows = 4096;
  if (rows_.size() > kMaxRememberedRows) rows_.clear();
  {
    Gdiplus::Graphics graphics(dc);
    // Pixel centres at half coordinates: scaled images cover exactly their
    // destination rectangle.
    graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
    int row_height = static_cast<int>(SendMessageW(m_hWnd, TVM_GETITEMHEIGHT, 0, 0));
    if (row_height <= 0) row_height = kRowHeight;
    const bool focused = GetFocus() == m_hWnd;
    // Rows on a light background the application chose keep their light
    // text and art in dark, so that they stay readable on it.
    const view::frame::Palette& rows_palette =
        backgroundColor_ != kBackgroundDefault
            ? view::frame::PaletteForBackground(palette, backgroundColor_)
            : palette;
    // The focused item carries the platform's focus rectangle when cues show.
    HTREEITEM cue_item =
        view::frame::ShowsFocusCue(m_hWnd) ? NextItem(m_hWnd, nullptr, TVGN_CARET) : nullptr;
    SyncSelection();
    // The tree gives the first row's rectangle (which takes in the
    // horizontal scrolling); every row below follows at the fixed height.
    HTREEITEM item = NextItem(m_hWnd, nullptr, TVGN_FIRSTVISIBLE);
    RECT row = {};
    if (!ItemRowRect(m_hWnd, item, row)) item = nullptr;
    // Rows below the client area cannot be seen: a paint costs the same
    // however many items are expanded.
    while (item != nullptr && row.top < clientRect_.bottom) {
      const RowInfo* info = Row(item);
      if (info == nullptr) break;
      row.bottom = row.top + row_height * info->integral;
      DrawRow(dc, graphics, *info, row, focused, rows_palette);
      if (item == cue_item) view::frame::DrawFocusRectBlackOnWhite(dc, row);
      row.top = row.bottom;
      item = info->next;
    }
  }
  buffer.Present();
}

void BASTreeViewCheckBox::DrawRow(HDC dc, Gdiplus::Graphics& graphics, const RowInfo& info,
                                  const RECT& row, bool focused,
                                  const view::frame::Palette& palette) {
  using view::frame::ColorRole;
  using view::frame::ThemeColor;
  TreeItemData* record = info.record;
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(m_hWnd, GWL_STYLE));
  const bool highlighted =
      (info.state & TVIS_SELECTED) != 0 && (focused || (style & TVS_SHOWSELALWAYS) != 0);
  const bool enabled = record == nullptr || record->enabled != 0;

  const view::frame::SaveDcScope saved(dc);
  SetBkMode(dc, TRANSPARENT);
  COLORREF text_color = ThemeColor(ColorRole::kWindowText, RGB(0, 0, 0), RGB(0, 0, 0), palette);
  if (!enabled) {
    text_color = ThemeColor(ColorRole::kDisabledText, kDisabledTextColor, kDisabledTextColor,
                            palette);
  } else if (highlighted) {
    // The system's selection colours are the defaults until the application
    // sets its own.
    const bool own = highlightSet_;
    view::frame::FillSolidRect(
        dc, row, ThemeColor(ColorRole::kSelection, highlightBackColor_,
                            own ? CLR_INVALID : highlightBackColor_, palette));
    text_color = ThemeColor(ColorRole::kSelectionText, highlightTextColor_,
                            own ? CLR_INVALID : highlightTextColor_, palette);
  }
  SetTextColor(dc, text_color);

  RowMetrics metrics;
  const RowGeometry geometry = PlaceRow(info, row, metrics);
  DrawRowImages(graphics, info, geometry, ImageSize(checkedImage_), palette);
  // GDI draws the text next; GDI+ must have put its pixels down first.
  graphics.Flush(Gdiplus::FlushIntentionSync);

  const view::frame::SelectObjectScope font_scope(dc, font());
  RECT text_rect = geometry.text;
  DrawTextW(dc, info.text.c_str(), static_cast<int>(info.text.size()), &text_rect,
            DT_END_ELLIPSIS);
  if (record != nullptr && record->number >= 0) DrawRowBadge(dc, row, record->number, text_color);
}

RowGeometry BASTreeViewCheckBox::PlaceRow(const RowInfo& info, const RECT& row,
                                          RowMetrics& metrics) {
  TreeItemData* record = info.record;
  // Lengths and images given for 96 DPI, at the tree's factor.
  metrics.margin = view::frame::DpiScaleInt(xMargin_, dpi_factor());
  metrics.expander = Scaled(ImageSize(expandedImage_));
  metrics.collapsed_width = Scaled(ImageSize(collapsedImage_)).cx;
  metrics.check = Scaled(ImageSize(checkedImage_));
  metrics.line = view::frame::DpiScaleInt(metrics.line, dpi_factor());
  Gdiplus::Image* image = record != nullptr ? record->image.get() : nullptr;
  if (image != nullptr) {
    const SIZE natural = ImageSize(image);
    metrics.has_image = true;
    metrics.image = Scaled({record->imageWidth != 0 ? record->imageWidth : natural.cx,
                            record->imageHeight != 0 ? record->imageHeight : natural.cy});
  }
  const RowGeometry geometry = LayoutRow(row, info.depth, metrics);
  if (record != nullptr) {
    record->indentX = geometry.indent_x;
    record->checkRect = geometry.check;
  }
  return geometry;
}

void BASTreeViewCheckBox::DrawRowImages(Gdiplus::Graphics& graphics, const RowInfo& info,
                                        const RowGeometry& geometry, SIZE check,
                                        const view::frame::Palette& palette) {
  using view::frame::ImageVariantFor;
  using view::internal::PaletteImage;
  // Each image at the tree's factor x its size: a registered variant for
  // that size where there is one, drawn whole; stock art in the dark and
  // high-contrast palettes drawn at that size.
  const bool at_factor = dpi_factor() != 1.0f;
  if (info.has_children) {
    Gdiplus::Bitmap* base = (info.state & TVIS_EXPANDED) != 0 ? expandedImage_ : collapsedImage_;
    const SIZE size = Scaled(ImageSize(base));
    Gdiplus::Image* expander = PaletteImage(base, palette, at_factor ? size.cx : 0);
    if (expander != nullptr) {
      graphics.DrawImage(ImageVariantFor(expander, size.cx),
                         Gdiplus::Rect(geometry.expander.x, geometry.expander.y, size.cx, size.cy));
    }
  }
  const RECT& c = geometry.check;
  Gdiplus::Image* box =
      PaletteImage(StateImageIndex(info.state) == 1 ? uncheckedImage_ : checkedImage_, palette,
                   at_factor ? c.right - c.left : 0);
  if (box != nullptr) {
    Gdiplus::Image* drawn = ImageVariantFor(box, c.right - c.left);
    if (at_factor || drawn != box) check = ImageSize(drawn);
    graphics.DrawImage(drawn, Gdiplus::Rect(c.left, c.top, c.right - c.left, c.bottom - c.top), 0,
                       0, check.cx, check.cy, Gdiplus::UnitPixel);
  }
  Gdiplus::Image* image = info.record != nullptr ? info.record->image.get() : nullptr;
  if (image == nullptr) return;
  // Scaling samples past the image's edges; mirrored edges keep the border
  // pixels from fading into transparency.
  Gdiplus::ImageAttributes edges;
  edges.SetWrapMode(Gdiplus::WrapModeTileFlipXY);
  const RECT& r = geometry.image;
  image = ImageVariantFor(image, r.right - r.left);
  const SIZE natural = ImageSize(image);
  graphics.DrawImage(image, Gdiplus::Rect(r.left, r.top, r.right - r.left, r.bottom - r.top), 0, 0,
                     natural.cx, natural.cy, Gdiplus::UnitPixel, &edges);
}

void BASTreeViewCheckBox::DrawRowBadge(HDC dc, const RECT& row, int number, COLORREF text_color) {
  const std::wstring digits = std::to_wstring(number);
  const int count = static_cast<int>(digits.size());
  SIZE extent = {0, 0};
  GetTextExtentPoint32W(dc, digits.c_str(), count, &extent);
  const RECT badge = BadgeRect(row, extent, dpi_factor());
  // The outline takes the row's text colour, like the number in it.
  ScopedGdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, text_color));
  const view::frame::SelectObjectScope pen_scope(dc, pen.get());
  const view::frame::SelectObjectScope brush_scope(dc, GetStockObject(NULL_BRUSH));
  const int corner = view::frame::DpiScaleInt(8, dpi_factor());
  RoundRect(dc, badge.left, badge.top, badge.right, badge.bottom, corner, corner);
  RECT number_rect = BadgeTextRect(badge, extent.cx);
  DrawTextW(dc, digits.c_str(), count, &number_rect, DT_END_ELLIPSIS);
}

void BASTreeViewCheckBox::OnPaletteChanged() {
  view::frame::ApplyPlatformTheme(m_hWnd, L"DarkMode_Explorer", view::frame::CurrentPaletteKind(),
                                  platform_dark_);
  WindowImpl::OnPaletteChanged();
}

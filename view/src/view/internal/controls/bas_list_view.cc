#include "view/internal/controls/bas_list_view.h"

#include <optional>
#include <string>

#include "view/internal/drawing/palette_image.h"
#include "view/internal/frame/dpi.h"
#include "view/internal/frame/paint_buffers.h"
#include "view/internal/frame/scoped.h"
#include "view/utils.h"

using view::frame::DpiScaleInt;
using view::frame::ReusableDcBuffer;
using view::frame::ScopedGdiObject;

namespace view::internal {

PhotoPlacement PlacePhoto(int photo_width, int photo_height, int cell_width, int cell_height,
                          float scale) {
  PhotoPlacement p = {};
  const int shown_height =
      std::min(static_cast<int>(static_cast<float>(photo_height) * scale),
               cell_height - DpiScaleInt(4, scale));
  double shown_width = photo_height > 0 ? static_cast<double>(photo_width) * shown_height /
                                              static_cast<double>(photo_height)
                                        : 0.0;
  // A photo too wide for its cell is shown square.
  if (shown_width > cell_width) shown_width = shown_height;
  p.x = DpiScaleInt(2, scale);
  p.y = static_cast<int>((cell_height - shown_height) * 0.5);
  p.width = static_cast<int>(shown_width);
  p.height = shown_height;
  p.text_left = p.x + p.width + DpiScaleInt(10, scale);
  return p;
}

std::pair<int, int> ScrollScope(int top_row, int page, int row_count) {
  const int first = std::max(top_row - page, 0);
  const int below = top_row + 3 * page;
  return {first, below < row_count ? below : row_count - 1};
}

int RowNumberLeft(int check_image_width, float scale) {
  return static_cast<int>(static_cast<float>(check_image_width) * scale) + DpiScaleInt(5, scale) +
         DpiScaleInt(10, scale);
}

frame::ColorRole RowRole(bool selected, int row, int hover_row, int last_hover_row,
                         bool striped) {
  using frame::ColorRole;
  if (selected) return ColorRole::kSelection;
  // The row the pointer has just left goes back to the plain colour, also
  // where it would be striped.
  if (row == last_hover_row) return ColorRole::kWindow;
  if (row == hover_row) return ColorRole::kHover;
  if (striped && (row % 2) != 0) return ColorRole::kStripe;
  return ColorRole::kWindow;
}

COLORREF RowBackground(bool selected, int row, int hover_row, int last_hover_row, bool striped,
                       COLORREF row_color) {
  switch (RowRole(selected, row, hover_row, last_hover_row, striped)) {
    case frame::ColorRole::kSelection: return kListSelectedColor;
    case frame::ColorRole::kHover: return kListHoverColor;
    case frame::ColorRole::kStripe: return kListStripeColor;
    default: return row_color;
  }
}

}  // namespace view::internal

namespace {

// Hands a borrowed DC to code that takes the managed wrapper, and takes it
// back (so that the wrapper does not delete it) on every path.
class BorrowedCdc {
 public:
  explicit BorrowedCdc(HDC dc) : dc_(dc) {}
  ~BorrowedCdc() { dc_.Detach(); }
  BorrowedCdc(const BorrowedCdc&) = delete;
  BorrowedCdc& operator=(const BorrowedCdc&) = delete;
  WTL::CDC& get() { return dc_; }

 private:
  WTL::CDC dc_;
};

RECT SubItemRect(HWND list, int row, int column, int code) {
  RECT rect = {};
  rect.top = column;
  rect.left = code;
  if (!::SendMessageW(list, LVM_GETSUBITEMRECT, static_cast<WPARAM>(row),
                      reinterpret_cast<LPARAM>(&rect))) {
    return RECT{};
  }
  return rect;
}

int TextHeight(HDC dc, const std::wstring& text) {
  SIZE size = {};
  ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  return size.cy;
}

constexpr UINT kCellTextFormat = DT_END_ELLIPSIS | DT_VCENTER;

}  // namespace

// The platform list asks for its visible rows one by one while it paints.
// They share one row buffer (a memory DC and bitmap for each row cost more
// than painting the row) and one reading of the cells' bounds: columns and
// horizontal scrolling do not change within a paint, only the row does, and
// asking the list about every column of every row costs two messages per
// cell.
class BASListView::PaintPass {
 public:
  explicit PaintPass(BASListView& list) : list_(list), outer_(list.paint_pass_) {
    list_.paint_pass_ = this;
  }
  ~PaintPass() { list_.paint_pass_ = outer_; }
  PaintPass(const PaintPass&) = delete;
  PaintPass& operator=(const PaintPass&) = delete;

  ReusableDcBuffer& buffer() { return buffer_; }
  // The cells as the first row painted in this pass found them.
  const std::vector<CellBounds>& Cells(int row) {
    if (!cells_read_) {
      cells_ = list_.ReadCellBounds(row);
      cells_read_ = true;
    }
    return cells_;
  }
  // Whether a row is being painted into the buffer right now.
  bool busy() const { return busy_; }
  // The palette of this paint, read once for all its rows.
  const view::frame::Palette& palette() const { return palette_; }

  // Marks the buffer as taken while one row is painted into it.
  class RowScope {
   public:
    explicit RowScope(PaintPass& pass) : pass_(pass) { pass_.busy_ = true; }
    ~RowScope() { pass_.busy_ = false; }
    RowScope(const RowScope&) = delete;
    RowScope& operator=(const RowScope&) = delete;

   private:
    PaintPass& pass_;
  };

 private:
  BASListView& list_;
  PaintPass* outer_;
  ReusableDcBuffer buffer_;
  std::vector<CellBounds> cells_;
  bool cells_read_ = false;
  bool busy_ = false;
  const view::frame::Palette palette_ = view::frame::CurrentPalette();
};

view::frame::ClassRecord& BASListView::GetClassRecord() {
  return view::frame::PublicSuperclassRecord<BASListView>(WC_LISTVIEWW, view::kListViewClass);
}

BASListView::BASListView() {
  // The header object lives inside this one: hold a reference so that the
  // count never frees it when its window goes.
  header_.AddRef();
}

BASListView::~BASListView() {
  // The header window normally goes with the list window; should it outlive
  // this object, give it its own procedure back.
  if (header_.m_hWnd != nullptr) header_.UnsubclassWindow();
}

int BASListView::Scaled(int v) const { return DpiScaleInt(v, scale_); }

int BASListView::ItemCount() const {
  if (m_hWnd == nullptr) return 0;
  return static_cast<int>(::SendMessageW(m_hWnd, LVM_GETITEMCOUNT, 0, 0));
}

bool BASListView::GetCheckState(int row) const {
  return get_check_state_func_ ? get_check_state_func_(row) : false;
}

bool BASListView::CanCheck(int row) const {
  return !test_can_check_func_ || test_can_check_func_(row);
}

void BASListView::SetCheckState(int row, bool checked) {
  if (!set_check_state_func_) return;
  const bool was = GetCheckState(row);
  set_check_state_func_(row, checked);
  InvalidateRow(row);
  if (was != checked) view::frame::NotifyAccessible(EVENT_OBJECT_STATECHANGE, m_hWnd, row + 1);
}

void BASListView::InvalidateRow(int row) {
  if (m_hWnd == nullptr) return;
  const RECT rect = SubItemRect(m_hWnd, row, 0, LVIR_BOUNDS);
  ::InvalidateRect(m_hWnd, &rect, TRUE);
}

void BASListView::ClearSelection() {
  if (m_hWnd == nullptr) return;
  if (::SendMessageW(m_hWnd, LVM_GETSELECTEDCOUNT, 0, 0) == 0) return;
  LVITEMW state = {};
  state.stateMask = LVIS_SELECTED;
  state.state = 0;
  int row = static_cast<int>(::SendMessageW(m_hWnd, LVM_GETNEXTITEM, static_cast<WPARAM>(-1),
                                            MAKELPARAM(LVNI_SELECTED, 0)));
  while (row >= 0) {
    ::SendMessageW(m_hWnd, LVM_SETITEMSTATE, static_cast<WPARAM>(row),
                   reinterpret_cast<LPARAM>(&state));
    const int next = static_cast<int>(::SendMessageW(m_hWnd, LVM_GETNEXTITEM,
                                                     static_cast<WPARAM>(row),
                                                     MAKELPARAM(LVNI_SELECTED, 0)));
    if (next <= row) break;  // the search only moves forward
    row = next;
  }
}

std::wstring BASListView::ItemText(int row, int column) const {
  if (m_hWnd == nullptr) return std::wstring();
  std::wstring buffer(256, L'\0');
  for (;;) {
    LVITEMW item = {};
    item.iSubItem = column;
    item.pszText = &buffer[0];
    item.cchTextMax = static_cast<int>(buffer.size());
    const auto length = static_cast<size_t>(::SendMessageW(
        m_hWnd, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)));
    if (length + 1 < buffer.size() || buffer.size() >= 32768) {
      buffer.resize(std::min(length, buffer.size() - 1));
      return buffer;
    }
    buffer.assign(buffer.size() * 2, L'\0');
  }
}

void BASListView::DrawTextLine(HDC dc, const std::wstring& text, RECT rect) const {
  ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, kCellTextFormat);
}

std::vector<BASListView::CellBounds> BASListView::ReadCellBounds(int row) const {
  std::vector<CellBounds> cells;
  if (m_hWnd == nullptr) return cells;
  for (int column = 0;; ++column) {
    LVCOLUMNW info = {};
    info.mask = LVCF_FMT | LVCF_WIDTH;
    if (!::SendMessageW(m_hWnd, LVM_GETCOLUMNW, static_cast<WPARAM>(column),
                        reinterpret_cast<LPARAM>(&info))) {
      break;
    }
    const RECT bounds = SubItemRect(m_hWnd, row, column, LVIR_BOUNDS);
    cells.push_back({!::IsRectEmpty(&bounds), static_cast<int>(bounds.left),
                     static_cast<int>(bounds.right), static_cast<int>(bounds.bottom - bounds.top)});
  }
  return cells;
}

// ---- Creation and configuration ----------------------------------------------

namespace {
constexpr DWORD kListStyle = WS_CHILD | WS_CLIPCHILDREN | WS_TABSTOP | LVS_OWNERDATA |
                             LVS_ALIGNLEFT | LVS_OWNERDRAWFIXED | LVS_REPORT;  // 0x42011C01
}  // namespace

DWORD BASListView::AdoptStyle(DWORD style) {
  if (item_height_ == 0) item_height_ = Scaled(60);
  return (style & (WS_VISIBLE | WS_DISABLED | WS_GROUP | WS_BORDER | LVS_SINGLESEL)) | kListStyle;
}

void BASListView::AdoptCreated() { ConfigureCreated(m_hWnd, false); }

int BASListView::CreateListView(HWND parent, ATL::_U_RECT rect, ATL::_U_MENUorID id, bool striped,
                                bool visible, bool single_select) {
  scale_ = view::frame::CreationDpiFactor(parent, scale_);
  if (item_height_ == 0) item_height_ = Scaled(60);
  DWORD style = kListStyle;
  if (visible) style |= WS_VISIBLE;
  if (single_select) style |= LVS_SINGLESEL;
  HWND wnd = CreateWindowOfClass<BASListView>(parent, rect.m_lpRect, nullptr, style, 0,
                                              id.m_hMenu, nullptr);
  if (wnd == nullptr) return 0;
  ConfigureCreated(wnd, striped);
  return 0;
}

void BASListView::ConfigureCreated(HWND wnd, bool striped) {
  ::SendMessageW(wnd, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
                 LVS_EX_DOUBLEBUFFER | LVS_EX_FULLROWSELECT | LVS_EX_CHECKBOXES);
  HWND header = reinterpret_cast<HWND>(::SendMessageW(wnd, LVM_GETHEADER, 0, 0));
  header_.SetImages(checked_image_, unchecked_image_);
  if (header != nullptr && header_.m_hWnd == nullptr) header_.SubclassWindow(header);
  header_.SetScale(scale_, follows_dpi());
  header_.SetCheckFunc([this](bool checked) { return setListViewHeaderCheck(checked); });
  striped_rows_ = striped;
}

void BASListView::SetItemCount(int count) {
  if (m_hWnd == nullptr) return;
  ::SendMessageW(m_hWnd, LVM_SETITEMCOUNT, static_cast<WPARAM>(count), 0);
}

int BASListView::InsertItemTextsV(int index, va_list texts) {
  HWND header = m_hWnd != nullptr
                    ? reinterpret_cast<HWND>(::SendMessageW(m_hWnd, LVM_GETHEADER, 0, 0))
                    : nullptr;
  const int columns =
      header != nullptr ? static_cast<int>(::SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
  wchar_t empty[1] = {L'\0'};
  LVITEMW item = {};
  item.mask = LVIF_TEXT;
  item.iItem = index;
  item.pszText = empty;
  const int row = m_hWnd != nullptr ? static_cast<int>(::SendMessageW(
                                          m_hWnd, LVM_INSERTITEMW, 0,
                                          reinterpret_cast<LPARAM>(&item)))
                                    : -1;
  SetCellTextsV(row, 0, columns, texts);
  return row;
}

int BASListView::AppendItemTextsV(const wchar_t* first, va_list rest) {
  if (m_hWnd == nullptr) return -1;
  HWND header = reinterpret_cast<HWND>(::SendMessageW(m_hWnd, LVM_GETHEADER, 0, 0));
  const int columns =
      header != nullptr ? static_cast<int>(::SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
  LVITEMW item = {};
  item.mask = LVIF_TEXT;
  item.iItem = ItemCount();
  item.pszText = const_cast<wchar_t*>(first != nullptr ? first : L"");
  const int row =
      static_cast<int>(::SendMessageW(m_hWnd, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
  SetCellTextsV(row, 1, columns, rest);
  return row;
}

void BASListView::SetCellTextsV(int row, int first_column, int columns, va_list texts) {
  for (int c = first_column; c < columns; ++c) {
    LVITEMW cell = {};
    cell.mask = LVIF_TEXT;
    cell.iItem = row;
    cell.iSubItem = c;
    cell.pszText = const_cast<wchar_t*>(va_arg(texts, const wchar_t*));
    ::SendMessageW(m_hWnd, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&cell));
  }
}

void BASListView::OnDpiChanged(float factor) {
  using view::frame::RescaleLength;
  const float from = scale_;
  scale_ = factor;
  {
    // One layout and one repaint for the whole change, not one per step;
    // the list's redraw comes back on on every path.
    struct RedrawOff {
      HWND wnd;
      ~RedrawOff() { ::SendMessageW(wnd, WM_SETREDRAW, TRUE, 0); }
    } redraw_off{m_hWnd};
    ::SendMessageW(m_hWnd, WM_SETREDRAW, FALSE, 0);
    header_.SetScale(factor, true);
    font_.Rescale(*this, factor);  // the header's height follows the font
    HWND header = reinterpret_cast<HWND>(::SendMessageW(m_hWnd, LVM_GETHEADER, 0, 0));
    const int columns =
        header != nullptr ? static_cast<int>(::SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
    for (int c = 0; c < columns; ++c) {
      const int width = static_cast<int>(::SendMessageW(m_hWnd, LVM_GETCOLUMNWIDTH, c, 0));
      ::SendMessageW(m_hWnd, LVM_SETCOLUMNWIDTH, c,
                     MAKELPARAM(RescaleLength(width, from, factor), 0));
    }
    SetItemHeight(RescaleLength(item_height_, from, factor));
  }
  ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void BASListView::SetItemHeight(int height) {
  item_height_ = height;
  if (m_hWnd == nullptr) return;
  RECT window = {};
  ::GetWindowRect(m_hWnd, &window);
  // A fixed-height owner-drawn list measures its rows again when its
  // position changes: it asks the parent (WM_MEASUREITEM, reflected back).
  WINDOWPOS pos = {};
  pos.hwnd = m_hWnd;
  pos.cx = window.right - window.left;
  pos.cy = window.bottom - window.top;
  pos.flags = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER;
  ::SendMessageW(m_hWnd, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&pos));
  // Setting the same count again, without invalidating or scrolling, makes
  // the list recompute its scroll page for the new height (some platform
  // versions keep the old page until then).
  ::SendMessageW(m_hWnd, LVM_SETITEMCOUNT, static_cast<WPARAM>(ItemCount()),
                 LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
}

void BASListView::SetCheckBoxImage(Gdiplus::Bitmap* checked, Gdiplus::Bitmap* unchecked,
                                   Gdiplus::Bitmap* disabled) {
  checked_image_ = checked;
  unchecked_image_ = unchecked;
  disabled_check_image_ = disabled;
}

void BASListView::SetHeaderCheck(int checked) {
  header_.SetChecked(checked != 0);
  header_.Refresh();
}

// ---- Check states ---------------------------------------------------------------

bool BASListView::setListViewHeaderCheck(bool checked) {
  if (checked_image_ == nullptr) return false;
  const int count = ItemCount();
  // Only rows on screen need repainting; off-screen invalidation is a no-op,
  // and asking for each row's rectangle would cost a message per row.
  int top = 0;
  int last_visible = -1;
  if (m_hWnd != nullptr) {
    top = static_cast<int>(::SendMessageW(m_hWnd, LVM_GETTOPINDEX, 0, 0));
    last_visible = top + static_cast<int>(::SendMessageW(m_hWnd, LVM_GETCOUNTPERPAGE, 0, 0)) + 1;
  }
  for (int row = 0; row < count; ++row) {
    if (GetCheckState(row) == checked) continue;
    if (set_check_state_func_) set_check_state_func_(row, checked);
    // Rows off screen change without an event each: a client reads them when
    // it comes to them, and a long list would flood it.
    if (row >= top && row <= last_visible) {
      InvalidateRow(row);
      view::frame::NotifyAccessible(EVENT_OBJECT_STATECHANGE, m_hWnd, row + 1);
    }
  }
  return true;
}

void BASListView::SetSelectedChecked() {
  if (m_hWnd == nullptr) return;
  const int count = ItemCount();
  int checked_selected = 0;
  // The selected rows in ascending order, found without a message per row.
  int next_selected = static_cast<int>(::SendMessageW(
      m_hWnd, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), MAKELPARAM(LVNI_SELECTED, 0)));
  for (int row = 0; row < count; ++row) {
    const bool selected = row == next_selected;
    if (selected) {
      const int next = static_cast<int>(::SendMessageW(
          m_hWnd, LVM_GETNEXTITEM, static_cast<WPARAM>(row), MAKELPARAM(LVNI_SELECTED, 0)));
      next_selected = next > row ? next : -1;
    }
    const bool checked = GetCheckState(row);
    if (!CanCheck(row)) continue;
    if (selected) {
      if (!checked) SetCheckState(row, true);
      ++checked_selected;
    } else if (checked) {
      SetCheckState(row, false);
    }
  }
  const bool all = checked_selected == count;
  if (all != header_.GetChecked()) {
    header_.SetChecked(all);
    header_.Refresh();
  }
}

int BASListView::SelectItem(int index) {
  if (m_hWnd == nullptr) return 0;
  if (index > -1) SetCheckState(index, true);
  if ((::GetWindowLongPtrW(m_hWnd, GWL_STYLE) & LVS_SINGLESEL) == 0) ClearSelection();
  LVITEMW state = {};
  state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  state.state = LVIS_SELECTED | LVIS_FOCUSED;
  if (!::SendMessageW(m_hWnd, LVM_SETITEMSTATE, static_cast<WPARAM>(index),
                      reinterpret_cast<LPARAM>(&state))) {
    return 0;
  }
  return static_cast<int>(
      ::SendMessageW(m_hWnd, LVM_ENSUREVISIBLE, static_cast<WPARAM>(index), FALSE));
}

// ---- Refresh ------------------------------------------------------------------

void BASListView::RefreshCell(int column, int row) {
  if (m_hWnd == nullptr) return;
  const RECT rect = SubItemRect(m_hWnd, row, column, LVIR_BOUNDS);
  ::InvalidateRect(m_hWnd, &rect, TRUE);
}

void BASListView::RefreshRangeCell(int first_column, int last_column, int row) {
  if (m_hWnd == nullptr) return;
  const RECT first = SubItemRect(m_hWnd, row, first_column, LVIR_BOUNDS);
  const RECT last = SubItemRect(m_hWnd, row, last_column, LVIR_BOUNDS);
  const RECT rect = {first.left, last.top, last.right, last.bottom};
  ::InvalidateRect(m_hWnd, &rect, TRUE);
}

void BASListView::RefreshColumn(int column) {
  if (m_hWnd == nullptr) return;
  int left = 0;
  for (int c = 0; c < column; ++c) {
    left += static_cast<int>(::SendMessageW(m_hWnd, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(c), 0));
  }
  const int width =
      static_cast<int>(::SendMessageW(m_hWnd, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0));
  RECT client = {};
  ::GetClientRect(m_hWnd, &client);
  const RECT rect = {left, client.top, left + width, client.bottom};
  ::InvalidateRect(m_hWnd, &rect, TRUE);
}

// ---- Messages -----------------------------------------------------------------

bool BASListView::ProcessWindowMessage(HWND wnd, UINT msg, WPARAM wparam, LPARAM lparam,
                                       LRESULT& result, DWORD) {
  if (view::frame::IsReflectedMessage(msg)) parent_reflects_ = true;
  // (The font's creation takes the standard class's WM_CREATE over.)
  if (msg == WM_CREATE && follows_dpi()) ::ShowScrollBar(wnd, SB_BOTH, FALSE);
  if (font_.Process(*this, msg, wparam, lparam, result)) return true;
  switch (msg) {
    case WM_PAINT:
    case WM_PRINTCLIENT:
    case WM_ERASEBKGND:
      result = OnPaintMessage(msg, wparam, lparam);
      return true;
    case WM_LBUTTONDOWN:
      if (OnCheckBoxClick(lparam)) {
        result = 0;
        return true;
      }
      break;
    case WM_KEYDOWN: {
      // Space on the focused row goes the way of a click on its check box.
      const int row = wparam == VK_SPACE && checked_image_ != nullptr
                          ? static_cast<int>(::SendMessageW(wnd, LVM_GETNEXTITEM,
                                                            static_cast<WPARAM>(-1), LVNI_FOCUSED))
                          : -1;
      if (row < 0) break;
      if (CanCheck(row)) ToggleRowCheck(row);
      result = 0;
      return true;
    }
    case WM_CREATE:
      ::ShowScrollBar(wnd, SB_BOTH, FALSE);
      break;
    case WM_MOUSEWHEEL:
    case WM_VSCROLL:
      OnScroll();
      break;
    case WM_MOUSEMOVE:
      OnMouseMove(lparam);
      result = 0;
      return true;
    case WM_NOTIFY:
    case view::frame::OCM_NOTIFY_:
      if (OnNotify(msg, wparam, lparam, result)) return true;
      break;
    case view::frame::OCM_COMPAREITEM_:
    case view::frame::OCM_DELETEITEM_:
      result = 1;
      return true;
    default:
      break;
  }
  if (ProcessOwnerDraw(msg, wparam, lparam, result)) return true;
  return view::frame::DefaultReflectionHandler(wnd, msg, wparam, lparam, result);
}

LRESULT BASListView::OnPaintMessage(UINT msg, WPARAM wparam, LPARAM lparam) {
  if (msg == WM_ERASEBKGND) {
    EraseBackground(reinterpret_cast<HDC>(wparam));
    return 1;
  }
  // The rows that the platform list draws while it paints share one pass
  // (see PaintPass).
  PaintPass pass(*this);
  return DefWindowProc(msg, wparam, lparam);
}

bool BASListView::OnNotify(UINT msg, WPARAM wparam, LPARAM lparam, LRESULT& result) {
  const auto* hdr = reinterpret_cast<const NMHDR*>(lparam);
  if (hdr == nullptr) return false;
  if (msg == WM_NOTIFY && header_.m_hWnd != nullptr && hdr->hwndFrom == header_.m_hWnd &&
      hdr->code == static_cast<UINT>(NM_CUSTOMDRAW)) {
    result = RouteHeaderCustomDraw(wparam, lparam);
    return true;
  }
  if (msg == view::frame::OCM_NOTIFY_ && hdr->code == static_cast<UINT>(LVN_COLUMNCLICK)) {
    result = 0;  // no sorting or other reaction to a column click
    return true;
  }
  return false;
}

LRESULT BASListView::RouteHeaderCustomDraw(WPARAM wparam, LPARAM lparam) {
  // Where the platform list passes its header's custom draw on to the parent,
  // the parent reflects it to the header object. Where it does not (Wine's
  // list keeps it), hand it to the header object here, so that the check box
  // is painted either way -- but only under a parent that reflects, as
  // without reflection none of the list's own drawing runs.
  const unsigned seen = header_.custom_draws_seen();
  LRESULT result = DefWindowProc(WM_NOTIFY, wparam, lparam);
  if (parent_reflects_ && header_.custom_draws_seen() == seen && header_.m_hWnd != nullptr) {
    result = ::SendMessageW(header_.m_hWnd, view::frame::OCM_NOTIFY_, wparam, lparam);
  }
  return result;
}

void BASListView::MeasureItem(LPMEASUREITEMSTRUCT mis) {
  if (mis != nullptr) mis->itemHeight = static_cast<UINT>(item_height_);
}

bool BASListView::OnCheckBoxClick(LPARAM lparam) {
  if (checked_image_ == nullptr) return false;
  LVHITTESTINFO hit = {};
  hit.pt = {GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
  const int row =
      static_cast<int>(::SendMessageW(m_hWnd, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
  if (row < 0 || (hit.flags & LVHT_ONITEM) == 0) return false;
  // A row that may not be checked ignores the click entirely.
  if (!CanCheck(row)) return true;

  RECT zone = SubItemRect(m_hWnd, row, 0, LVIR_SELECTBOUNDS);
  zone.right = zone.left + static_cast<int>(::SendMessageW(m_hWnd, LVM_GETCOLUMNWIDTH, 0, 0));
  if (!::PtInRect(&zone, hit.pt)) return false;
  ToggleRowCheck(row);
  return true;
}

void BASListView::ToggleRowCheck(int row) {
  // Without a function to store the state the click changes nothing.
  if (!set_check_state_func_) return;

  const bool was = GetCheckState(row);
  SetCheckState(row, !was);
  LVITEMW state = {};
  state.stateMask = LVIS_SELECTED;
  state.state = was ? 0 : LVIS_SELECTED;
  ::SendMessageW(m_hWnd, LVM_SETITEMSTATE, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(&state));

  const int count = ItemCount();
  int reported = row;
  if (was) {
    header_.SetChecked(false);
    header_.Refresh();
    int lowest = -1;
    for (int j = 0; j < count; ++j) {
      if (GetCheckState(j)) {
        lowest = j;
        break;
      }
    }
    reported = (lowest != -1 && lowest != row) ? lowest : 0;
  } else {
    int j = 0;
    while (j < count && GetCheckState(j)) ++j;
    if (j == count) {
      header_.SetChecked(true);
      header_.Refresh();
    }
  }
  if (item_checked_change_callback_) item_checked_change_callback_(m_hWnd, reported);
}

bool BASListView::DescribeAccessible(long child, view::frame::AccessibleInfo& info) {
  if (child == CHILDID_SELF) {
    info.role = ROLE_SYSTEM_LIST;
    return true;
  }
  const int row = static_cast<int>(child - 1);
  if (m_hWnd == nullptr || row < 0 || row >= ItemCount()) return false;
  info.role = ROLE_SYSTEM_LISTITEM;
  const auto list_state = static_cast<UINT>(::SendMessageW(
      m_hWnd, LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_SELECTED | LVIS_FOCUSED));
  const bool checked = GetCheckState(row);
  info.state = STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE;
  if (checked) info.state |= STATE_SYSTEM_CHECKED;
  if ((list_state & LVIS_SELECTED) != 0) info.state |= STATE_SYSTEM_SELECTED;
  if ((list_state & LVIS_FOCUSED) != 0 && ::GetFocus() == m_hWnd) {
    info.state |= STATE_SYSTEM_FOCUSED;
  }
  if (checked_image_ != nullptr) info.action = checked ? L"Uncheck" : L"Check";
  info.has_name = true;
  if (info.want_name) info.name = ItemText(row, 0);
  return true;
}

bool BASListView::AccessibleChildRect(long child, RECT& screen) {
  const int row = static_cast<int>(child - 1);
  if (m_hWnd == nullptr || row < 0 || row >= ItemCount()) return false;
  screen = view::frame::ClientToScreenRect(m_hWnd, SubItemRect(m_hWnd, row, 0, LVIR_BOUNDS));
  return true;
}

bool BASListView::DoAccessibleDefaultAction(long child) {
  const int row = static_cast<int>(child - 1);
  if (m_hWnd == nullptr || checked_image_ == nullptr || row < 0 || row >= ItemCount()) {
    return false;
  }
  // As a click on the row's check box: a row that may not be checked stays.
  if (CanCheck(row)) ToggleRowCheck(row);
  return true;
}

void BASListView::OnMouseMove(LPARAM lparam) {
  LVHITTESTINFO hit = {};
  hit.pt = {GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
  const int row =
      static_cast<int>(::SendMessageW(m_hWnd, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
  const int hovered = row >= 0 ? row : -1;
  if (hovered == hover_item_) return;
  last_hover_item_ = hover_item_;
  hover_item_ = hovered;
  const bool selected =
      hovered != -1 && (::SendMessageW(m_hWnd, LVM_GETITEMSTATE, static_cast<WPARAM>(hovered),
                                       LVIS_SELECTED) &
                        LVIS_SELECTED) != 0;
  if (hovered != -1 && (hit.flags & LVHT_ONITEM) != 0 && !selected) {
    RECT area = SubItemRect(m_hWnd, hovered, 0, LVIR_BOUNDS);
    if (last_hover_item_ != -1) {
      const RECT last = SubItemRect(m_hWnd, last_hover_item_, 0, LVIR_BOUNDS);
      ::UnionRect(&area, &area, &last);
    }
    ::InvalidateRect(m_hWnd, &area, TRUE);
  } else if (last_hover_item_ != -1) {
    const RECT last = SubItemRect(m_hWnd, last_hover_item_, 0, LVIR_BOUNDS);
    ::InvalidateRect(m_hWnd, &last, TRUE);
  }
}

void BASListView::OnScroll() {
  const int count = ItemCount();
  if (count <= 0 || !scroll_item_scope_callback_) return;
  SCROLLINFO info = {};
  info.cbSize = sizeof(info);
  info.fMask = SIF_ALL;
  if (!::GetScrollInfo(m_hWnd, SB_VERT, &info)) info = SCROLLINFO{};
  const auto scope = view::internal::ScrollScope(info.nPos, static_cast<int>(info.nPage), count);
  scroll_item_scope_callback_(scope.first, scope.second);
}

void BASListView::EraseBackground(HDC dc) {
  if (dc == nullptr) return;
  RECT client = {};
  ::GetClientRect(m_hWnd, &client);
  if (header_.m_hWnd != nullptr) {
    RECT header = {};
    ::GetWindowRect(header_.m_hWnd, &header);
    client.top += header.bottom - header.top;
  }
  ScopedGdiObject<HBRUSH> brush(::CreateSolidBrush(view::frame::PaintColor(
      view::frame::ColorRole::kWindow,
      static_cast<COLORREF>(::SendMessageW(m_hWnd, LVM_GETBKCOLOR, 0, 0)), kRowColorDefault)));
  const int count = ItemCount();
  if (count == 0) {
    ::FillRect(dc, &client, brush.get());
    return;
  }
  POINT position = {};
  ::SendMessageW(m_hWnd, LVM_GETITEMPOSITION, static_cast<WPARAM>(count - 1),
                 reinterpret_cast<LPARAM>(&position));
  RECT last = {};
  last.left = LVIR_BOUNDS;
  if (!::SendMessageW(m_hWnd, LVM_GETITEMRECT, static_cast<WPARAM>(count - 1),
                      reinterpret_cast<LPARAM>(&last))) {
    last = RECT{};
  }
  const RECT rows = {position.x, client.top, last.right, last.bottom};
  if (::IsRectEmpty(&rows)) {
    ::FillRect(dc, &client, brush.get());
    return;
  }
  if (rows.bottom < client.bottom) {
    const RECT below = {0, rows.bottom, client.right, client.bottom};
    ::FillRect(dc, &below, brush.get());
  }
  if (rows.right < client.right) {
    const RECT right = {rows.right, client.top, client.right, client.bottom};
    ::FillRect(dc, &right, brush.get());
  }
}

// ---- Painting -----------------------------------------------------------------

void BASListView::PaintRowFrame(HDC dc, int row, bool selected, int width, int height,
                                const view::frame::Palette& palette) {
  using view::frame::ColorRole;
  const int p = Scaled(1);
  const ColorRole role =
      view::internal::RowRole(selected, row, hover_item_, last_hover_item_, striped_rows_);
  const COLORREF light = view::internal::RowBackground(selected, row, hover_item_,
                                                       last_hover_item_, striped_rows_,
                                                       row_bkg_color_);
  // The row's own colour is the application's unless it is the default
  // white; the list's hover, stripe and selection colours are the palette's.
  const COLORREF background = view::frame::ThemeColor(
      role, light, role == ColorRole::kWindow ? kRowColorDefault : light, palette);
  // Text on a light row colour the application chose stays as in light.
  const bool own_row = role == ColorRole::kWindow && row_bkg_color_ != kRowColorDefault &&
                       &view::frame::PaletteForBackground(palette, row_bkg_color_) !=
                           &palette;
  if (palette.kind != view::frame::PaletteKind::kLight && !own_row) {
    ::SetTextColor(dc, palette[role == ColorRole::kSelection ? ColorRole::kSelectionText
                                                               : ColorRole::kWindowText]);
  }
  {
    ScopedGdiObject<HBRUSH> brush(::CreateSolidBrush(background));
    const RECT all = {0, 0, width, height};
    ::FillRect(dc, &all, brush.get());
  }
  ::MoveToEx(dc, 0, 0, nullptr);
  ::LineTo(dc, 0, height);
  ::MoveToEx(dc, width - p, 0, nullptr);
  ::LineTo(dc, width - p, height - p);
  ::MoveToEx(dc, 0, 0, nullptr);
  ::LineTo(dc, width - p, 0);
  if (row == ItemCount() - 1) {
    ::MoveToEx(dc, 0, height - p, nullptr);
    ::LineTo(dc, width - p, height - p);
  }
  ::SetBkMode(dc, TRANSPARENT);
}

void BASListView::DrawItem(LPDRAWITEMSTRUCT dis) {
  if (dis == nullptr || dis->hDC == nullptr || m_hWnd == nullptr) return;
  const RECT item = dis->rcItem;
  const int row = static_cast<int>(dis->itemID);
  SCROLLINFO horz = {};
  horz.cbSize = sizeof(horz);
  horz.fMask = SIF_RANGE | SIF_POS;
  row_origin_x_ = ::GetScrollInfo(m_hWnd, SB_HORZ, &horz) ? -horz.nPos : 0;

  // A row drawn outside a paint of the platform list (or while another row
  // of the same paint is being drawn) gets a pass of its own.
  std::optional<PaintPass> own_pass;
  PaintPass* pass = paint_pass_;
  if (pass == nullptr || pass->busy()) pass = &own_pass.emplace(*this);

  // The row is painted into the pass's buffer, whose (0, 0) is the row's
  // top-left corner, then copied in one step.
  const int width = item.right - item.left;
  const int height = item.bottom - item.top;
  HDC dc = pass->buffer().Prepare(dis->hDC, width, height);
  if (dc == nullptr) return;
  const PaintPass::RowScope taken(*pass);
  const view::frame::Palette& palette = pass->palette();
  ScopedGdiObject<HPEN> pen(::CreatePen(
      PS_SOLID, Scaled(1),
      view::frame::ThemeColor(view::frame::ColorRole::kGrid, view::internal::kListFrameColor,
                              view::internal::kListFrameColor, palette)));
  {
    // Each row starts from the state of a fresh memory DC, whatever the row
    // before it (or an application's drawing function) selected or set.
    const view::frame::SaveDcScope saved(dc);
    const view::frame::SelectObjectScope pen_scope(dc, pen.get());
    const view::frame::SelectObjectScope font_scope(
        dc, follows_dpi() ? font_.painted()
                          : reinterpret_cast<HGDIOBJ>(::SendMessageW(m_hWnd, WM_GETFONT, 0, 0)));
    PaintRowFrame(dc, row, (dis->itemState & ODS_SELECTED) != 0, width, height, palette);
    BorrowedCdc cdc(dc);
    if (render_func_) render_func_(cdc.get(), row);
    DrawItemCells(cdc.get(), dis);
  }
  // The platform's focus rectangle on the focused row while the list has
  // the focus and focus cues are shown.
  if (view::frame::ShowsFocusCue(m_hWnd) &&
      ::SendMessageW(m_hWnd, LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_FOCUSED) != 0) {
    const RECT cue = {0, 0, width, height};
    view::frame::DrawFocusRectBlackOnWhite(dc, cue);
  }
  pass->buffer().Present(item);
}

void BASListView::DrawItemCells(WTL::CDC& dc, DRAWITEMSTRUCT* dis) {
  if (dis == nullptr || m_hWnd == nullptr) return;
  const int row = static_cast<int>(dis->itemID);
  // Within a paint every row has the same cells; a call from elsewhere
  // reads them for this row.
  std::vector<CellBounds> own_cells;
  const std::vector<CellBounds>& cells =
      paint_pass_ != nullptr ? paint_pass_->Cells(row) : (own_cells = ReadCellBounds(row));
  for (int column = 0; column < static_cast<int>(cells.size()); ++column) {
    const CellBounds& bounds = cells[static_cast<size_t>(column)];
    if (!bounds.known) continue;
    WTL::CRect cell(bounds.left - row_origin_x_, 0, bounds.right - row_origin_x_, bounds.height);
    if (column == 0) {
      DrawCheckCell(dc, row, cell);
    } else if (column == 1 && draw_photo_column_func_) {
      draw_photo_column_func_(dc, dis, cell, 1);
    } else if (column == 1) {
      DrawPhotoColumn(dc, dis, cell, 1);
    } else {
      DrawTextCell(dc, row, column, cell);
    }
  }
}

void BASListView::DrawCheckCell(HDC dc, int row, const RECT& cell) {
  const int height = cell.bottom - cell.top;
  const int check_width = checked_image_ != nullptr ? static_cast<int>(checked_image_->GetWidth()) : 0;
  if (checked_image_ != nullptr) {
    const int check_height = static_cast<int>(checked_image_->GetHeight());
    const int box_width = static_cast<int>(static_cast<float>(check_width) * scale_);
    const int box_height = static_cast<int>(static_cast<float>(check_height) * scale_);
    Gdiplus::Bitmap* image = !CanCheck(row) ? disabled_check_image_
                             : GetCheckState(row) ? checked_image_
                                                  : unchecked_image_;
    // Sharper art registered for the size drawn is drawn whole.
    Gdiplus::Bitmap* art = image != nullptr ? static_cast<Gdiplus::Bitmap*>(
                                                  view::frame::ImageVariantFor(image, box_width))
                                            : nullptr;
    // Stock art in the dark and high-contrast palettes is drawn afresh at
    // the size shown when the list follows its window's DPI.
    if (paint_pass_ != nullptr) {
      art = view::internal::PaletteImage(art, paint_pass_->palette(),
                                         follows_dpi() ? box_width : 0);
    }
    const bool variant = art != image;
    if (art != nullptr) {
      // Every state is drawn at the checked image's size.
      Gdiplus::Graphics graphics(dc);
      graphics.DrawImage(art, Gdiplus::Rect(Scaled(5), (height - box_height) / 2, box_width,
                                            box_height),
                         0, 0, variant ? static_cast<int>(art->GetWidth()) : check_width,
                         variant ? static_cast<int>(art->GetHeight()) : check_height,
                         Gdiplus::UnitPixel);
    }
  }
  const std::wstring text = std::to_wstring(row + 1);
  const RECT rect = {view::internal::RowNumberLeft(check_width, scale_),
                     (height - TextHeight(dc, text)) / 2, cell.right, height};
  DrawTextLine(dc, text, rect);
}

void BASListView::DrawTextCell(HDC dc, int row, int column, const RECT& cell) {
  const std::wstring text = ItemText(row, column);
  if (text.empty()) return;
  const int height = cell.bottom - cell.top;
  const RECT rect = {cell.left + Scaled(10), (height - TextHeight(dc, text)) / 2, cell.right,
                     height};
  DrawTextLine(dc, text, rect);
}

void BASListView::DrawPhotoColumn(WTL::CDC& dc, DRAWITEMSTRUCT* dis, WTL::CRect& cell,
                                  int column) {
  if (dis == nullptr) return;
  const int row = static_cast<int>(dis->itemID);
  Gdiplus::Image* photo = photo_get_func_ ? photo_get_func_(row) : nullptr;
  if (photo == nullptr) photo = default_photo_;
  WTL::CRect text_rect = cell;
  if (photo != nullptr) {
    const auto place =
        view::internal::PlacePhoto(static_cast<int>(photo->GetWidth()),
                                   static_cast<int>(photo->GetHeight()), cell.Width(),
                                   cell.Height(), scale_);
    if (place.height > 0 && place.width > 0) {
      Gdiplus::Graphics graphics(dc.m_hDC);
      Utils::DrawImage(graphics, photo,
                       Gdiplus::Rect(cell.left + place.x, cell.top + place.y, place.width,
                                     place.height));
    }
    text_rect.left = cell.left + place.text_left;
  }
  const std::wstring text = ItemText(row, column);
  if (!text.empty()) {
    text_rect.top = cell.top + (cell.bottom - TextHeight(dc, text) - cell.top) / 2;
    DrawTextLine(dc, text, text_rect);
  }
}

void BASListView::OnPaletteChanged() {
  view::frame::ApplyPlatformTheme(m_hWnd, L"DarkMode_Explorer", view::frame::CurrentPaletteKind(),
                                  platform_dark_);
  WindowImpl::OnPaletteChanged();
}

#include "view/internal/controls/bas_combo_box.h"

#include <cwctype>

#include "view/internal/frame/scoped.h"

namespace view::combo {

std::wstring DisplaySeparator(const std::wstring& list_separator) {
  std::wstring separator = list_separator.empty() ? std::wstring(L";") : list_separator;
  while (!separator.empty() && std::iswspace(separator.back())) separator.pop_back();
  separator += L' ';
  return separator;
}

std::wstring JoinTexts(const std::vector<std::wstring>& texts, const std::wstring& separator) {
  std::wstring joined;
  for (const auto& text : texts) {
    if (!joined.empty()) joined += separator;
    joined += text;
  }
  return joined;
}

int ItemHeightFor(const TEXTMETRICW& tm) { return tm.tmHeight + tm.tmExternalLeading + 2; }

int CheckBoxWidthFor(const TEXTMETRICW& tm) { return tm.tmHeight + tm.tmExternalLeading + 6; }

RECT CheckBoxRect(const RECT& item, int width) {
  return RECT{0, item.top + 1, width, item.bottom - 1};
}

int RowAt(int top_index, int y, int item_height) {
  if (item_height <= 0) return -1;
  return top_index + y / item_height;
}

std::wstring UserListSeparator() {
  const int size = GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SLIST, nullptr, 0);
  if (size <= 1) return std::wstring();
  std::wstring separator(static_cast<size_t>(size), L'\0');
  const int copied = GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SLIST, &separator[0], size);
  separator.resize(copied > 0 ? static_cast<size_t>(copied - 1) : 0);
  return separator;
}

}  // namespace view::combo

BASComboBox::~BASComboBox() { ReleaseListBox(); }

int BASComboBox::SetCheck(int index, int check) {
  // A negative index is refused here: the list box would apply index -1 to
  // every item.
  if (m_hWnd == nullptr || index < 0) return CB_ERR;
  const bool was = GetCheck(index) > 0;
  const auto result = SendMessageW(m_hWnd, CB_SETITEMDATA, static_cast<WPARAM>(index),
                                   static_cast<LPARAM>(check));
  if (result < 0) return static_cast<int>(result);
  textValid = FALSE;
  InvalidateRect(m_hWnd, nullptr, FALSE);
  // An open list shows the new check too (an application may check items
  // from its CBN_SELCHANGE handler while the user works in the list).
  if (listBox != nullptr && IsWindowVisible(listBox)) InvalidateRect(listBox, nullptr, FALSE);
  if (was != (check != 0)) {
    view::frame::NotifyAccessible(EVENT_OBJECT_STATECHANGE, DropDownWindow(), index + 1);
    view::frame::NotifyAccessible(EVENT_OBJECT_VALUECHANGE, m_hWnd);
  }
  return static_cast<int>(result);
}

int BASComboBox::GetCheck(int index) {
  if (m_hWnd == nullptr || index < 0) return CB_ERR;
  return static_cast<int>(SendMessageW(m_hWnd, CB_GETITEMDATA, static_cast<WPARAM>(index), 0));
}

void BASComboBox::SelectAll(int check) {
  const int count = ItemCount();
  for (int index = 0; index < count; ++index) SetCheck(index, check);
}

int BASComboBox::ItemCount() {
  if (m_hWnd == nullptr) return 0;
  const auto count = SendMessageW(m_hWnd, CB_GETCOUNT, 0, 0);
  return count > 0 ? static_cast<int>(count) : 0;
}

std::wstring BASComboBox::ItemText(int index) {
  const auto length = SendMessageW(m_hWnd, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length <= 0) return std::wstring();
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const auto copied = SendMessageW(m_hWnd, CB_GETLBTEXT, static_cast<WPARAM>(index),
                                   reinterpret_cast<LPARAM>(&text[0]));
  text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
  return text;
}

const std::wstring& BASComboBox::DisplayText() {
  if (textValid || m_hWnd == nullptr) return displayText;
  const std::wstring separator = view::combo::DisplaySeparator(view::combo::UserListSeparator());
  std::vector<std::wstring> checked;
  const int count = ItemCount();
  for (int index = 0; index < count; ++index) {
    if (SendMessageW(m_hWnd, CB_GETITEMDATA, static_cast<WPARAM>(index), 0) != 0) {
      checked.push_back(ItemText(index));
    }
  }
  displayText = view::combo::JoinTexts(checked, separator);
  textValid = TRUE;
  return displayText;
}

bool BASComboBox::ProcessWindowMessage(HWND wnd, UINT msg, WPARAM wparam, LPARAM lparam,
                                       LRESULT& result, DWORD map_id) {
  if (map_id == kListMap) return ProcessListMessage(wnd, msg, wparam, lparam, result);
  if (font_.Process(*this, msg, wparam, lparam, result)) {
    if (msg != WM_GETFONT) FitItemHeights();
    return true;
  }
  switch (msg) {
    case WM_CTLCOLORLISTBOX: {
      // The drop-down list asks its combo box for colours before it first
      // paints: the moment to take it over. The platform still answers.
      const auto list = reinterpret_cast<HWND>(lparam);
      if (listBox == nullptr && list != nullptr && list != wnd && IsWindow(list)) {
        view::frame::WindowHook::Install(list_hook_, list, this, kListMap);
        if (list_hook_) {
          listBox = list;
          list_hook_->SetAccessible(&drop_down_);
        }
      }
      if (view::frame::CurrentPaletteKind() == view::frame::PaletteKind::kDark) {
        // Where the items do not reach, the list shows the palette's window.
        const COLORREF window = view::frame::PaletteColor(view::frame::ColorRole::kWindow);
        SetBkColor(reinterpret_cast<HDC>(wparam), window);
        result = reinterpret_cast<LRESULT>(list_brush_.Get(window));
        return true;
      }
      return false;
    }
    case WM_GETTEXT: {
      const std::wstring& text = DisplayText();
      auto* buffer = reinterpret_cast<wchar_t*>(lparam);
      if (buffer == nullptr) {
        result = 0;
        return true;
      }
      if (wparam > 0) {
        const size_t copied = std::min(text.size(), static_cast<size_t>(wparam) - 1);
        text.copy(buffer, copied);
        buffer[copied] = L'\0';
      }
      result = static_cast<LRESULT>(text.size());
      return true;
    }
    case WM_GETTEXTLENGTH:
      result = static_cast<LRESULT>(DisplayText().size());
      return true;
    default:
      break;
  }
  if (ProcessOwnerDraw(msg, wparam, lparam, result)) return true;
  return view::frame::DefaultReflectionHandler(wnd, msg, wparam, lparam, result);
}

void BASComboBox::OnFinalMessage(HWND) {
  ReleaseListBox();
  // A new window starts with new items and must set its field height again.
  textValid = FALSE;
  selectionHeightSet = FALSE;
  displayText.clear();
}

namespace {

using view::frame::ColorRole;

// The platform's colour `system` in light and high contrast (the system
// colours), the palette's in dark.
COLORREF Colour(ColorRole role, int system) {
  return view::frame::CurrentPaletteKind() == view::frame::PaletteKind::kDark
             ? view::frame::DarkPalette()[role]
             : GetSysColor(system);
}

// The platform's check box is light whatever the palette: in dark the box
// is drawn in the palette's colours, its tick as two strokes (pens and
// strokes x the factor).
void DrawDarkCheckBox(HDC dc, const RECT& box, bool checked, float factor) {
  const view::frame::Palette& palette = view::frame::DarkPalette();
  view::frame::FillSolidRect(dc, box, palette[checked ? ColorRole::kChecked : ColorRole::kWindow]);
  view::frame::ScopedGdiObject<HPEN> pen(
      CreatePen(PS_SOLID, view::frame::DpiScaleInt(1, factor), palette[checked ? ColorRole::kWindow : ColorRole::kBorder]));
  const view::frame::SelectObjectScope pen_scope(dc, pen.get());
  if (!checked) {
    const view::frame::SelectObjectScope brush_scope(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, box.left, box.top, box.right, box.bottom);
    return;
  }
  const int w = box.right - box.left, h = box.bottom - box.top;
  for (int thick = 0; thick < view::frame::DpiScaleInt(2, factor); ++thick) {
    MoveToEx(dc, box.left + w / 4, box.top + h / 2 + thick, nullptr);
    LineTo(dc, box.left + w * 2 / 5, box.top + h * 2 / 3 + thick);
    LineTo(dc, box.left + w * 3 / 4, box.top + h / 3 + thick);
  }
}

}  // namespace

void BASComboBox::OnPaletteChanged() {
  view::frame::ApplyPlatformTheme(m_hWnd, L"DarkMode_CFD", view::frame::CurrentPaletteKind(),
                                  platform_dark_);
  if (listBox != nullptr) {
    view::frame::ApplyPlatformTheme(listBox, L"DarkMode_Explorer",
                                    view::frame::CurrentPaletteKind(), platform_dark_list_);
    InvalidateRect(listBox, nullptr, TRUE);
  }
  WindowImpl::OnPaletteChanged();
}

HFONT BASComboBox::PaintedFont() {
  if (follows_dpi()) return font_.painted();
  return reinterpret_cast<HFONT>(SendMessageW(m_hWnd, WM_GETFONT, 0, 0));
}

int BASComboBox::PaintedItemHeight() {
  const view::frame::ScopedWindowDc dc(m_hWnd);
  if (dc.get() == nullptr) return 0;
  const view::frame::SelectObjectScope select(dc.get(), PaintedFont());
  TEXTMETRICW tm = {};
  GetTextMetricsW(dc.get(), &tm);
  return view::combo::ItemHeightFor(tm);
}

void BASComboBox::FitItemHeights() {
  if (m_hWnd == nullptr) return;
  const int height = PaintedItemHeight();
  if (height == 0) return;
  SendMessageW(m_hWnd, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), height);
  SendMessageW(m_hWnd, CB_SETITEMHEIGHT, 0, height);
}

void BASComboBox::OnDpiChanged(float factor) {
  font_.Rescale(*this, factor);
  FitItemHeights();
}

void BASComboBox::DrawItem(LPDRAWITEMSTRUCT dis) {
  if (dis == nullptr || dis->hDC == nullptr || m_hWnd == nullptr) return;
  HDC dc = dis->hDC;
  const view::frame::SaveDcScope saved(dc);
  RECT text_rect = dis->rcItem;
  const int index = static_cast<int>(dis->itemID);
  std::wstring text;
  if (index < 0) {
    text = DisplayText();  // the selection field without a current item
  } else {
    text = ItemText(index);
    TEXTMETRICW tm = {};
    GetTextMetricsW(dc, &tm);
    const int width = view::combo::CheckBoxWidthFor(tm);
    RECT box = view::combo::CheckBoxRect(dis->rcItem, width);
    text_rect.left = width;
    SetBkColor(dc, Colour(ColorRole::kWindow, COLOR_WINDOW));
    SetTextColor(dc, Colour(ColorRole::kWindowText, COLOR_WINDOWTEXT));
    const bool checked =
        SendMessageW(m_hWnd, CB_GETITEMDATA, static_cast<WPARAM>(index), 0) != 0;
    if (view::frame::CurrentPaletteKind() == view::frame::PaletteKind::kDark) {
      DrawDarkCheckBox(dc, box, checked, font_.factor());
    } else {
      DrawFrameControl(dc, &box, DFC_BUTTON, DFCS_BUTTONCHECK | (checked ? DFCS_CHECKED : 0));
    }
  }

  const bool selected = (dis->itemState & ODS_SELECTED) != 0;
  SetBkColor(dc, selected ? Colour(ColorRole::kSelection, COLOR_HIGHLIGHT)
                          : Colour(ColorRole::kWindow, COLOR_WINDOW));
  SetTextColor(dc, selected ? Colour(ColorRole::kSelectionText, COLOR_HIGHLIGHTTEXT)
                            : Colour(ColorRole::kWindowText, COLOR_WINDOWTEXT));
  ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &text_rect, nullptr, 0, nullptr);
  const std::wstring shown = L" " + text;
  DrawTextW(dc, shown.c_str(), static_cast<int>(shown.size()), &text_rect,
            DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
  if (selected && (dis->itemState & ODS_FOCUS) != 0) DrawFocusRect(dc, &text_rect);
}

void BASComboBox::MeasureItem(LPMEASUREITEMSTRUCT mis) {
  if (mis == nullptr || m_hWnd == nullptr) return;
  const int height = PaintedItemHeight();
  if (height == 0) return;
  mis->itemHeight = static_cast<UINT>(height);
  if (!selectionHeightSet) {
    selectionHeightSet = TRUE;
    SendMessageW(m_hWnd, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), height);
  }
}

void BASComboBox::ReleaseListBox() {
  drop_down_.DisconnectAccessible();
  if (list_hook_) list_hook_->Detach();
  list_hook_.reset();
  listBox = nullptr;
}

int BASComboBox::ToggleIndexAt(HWND list, POINT pt) {
  RECT client = {};
  GetClientRect(list, &client);
  if (!PtInRect(&client, pt)) return -1;
  const auto top = static_cast<int>(SendMessageW(list, LB_GETTOPINDEX, 0, 0));
  const auto height = static_cast<int>(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
  const int index = view::combo::RowAt(top, pt.y, height);
  if (index < 0 || index >= ItemCount()) return -1;
  RECT item = {};
  if (SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(index),
                   reinterpret_cast<LPARAM>(&item)) == LB_ERR ||
      !PtInRect(&item, pt)) {
    return -1;
  }
  return index;
}

void BASComboBox::ToggleFromList(HWND list, int index) {
  RECT item = {};
  if (SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(index),
                   reinterpret_cast<LPARAM>(&item)) != LB_ERR) {
    InvalidateRect(list, &item, FALSE);
  }
  SetCheck(index, GetCheck(index) == 0 ? 1 : 0);
  HWND combo = m_hWnd;
  if (combo == nullptr) return;
  const auto id = static_cast<WORD>(GetDlgCtrlID(combo) & 0xFFFF);
  SendMessageW(GetParent(combo), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(combo));
}

bool BASComboBox::ProcessListMessage(HWND list, UINT msg, WPARAM wparam, LPARAM lparam,
                                     LRESULT& result) {
  if (!list_hook_) return false;
  // The list's own procedure; kept here since a toggle may let go of the hook.
  const WNDPROC previous = list_hook_->super_proc();
  switch (msg) {
    case LB_GETCURSEL:
      // Nobody sees a selection in the list, so the combo box never takes
      // a row as its current item when the list closes.
      result = LB_ERR;
      return true;
    case WM_LBUTTONDOWN: {
      const POINT pt = {GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
      const int index = ToggleIndexAt(list, pt);
      if (index >= 0) ToggleFromList(list, index);
      // The parent may have destroyed the combo box meanwhile.
      result = IsWindow(list) ? CallWindowProcW(previous, list, msg, wparam, lparam) : 0;
      return true;
    }
    case WM_LBUTTONUP:
      // Swallowed: the list would close after the click.
      result = 0;
      return true;
    case WM_CHAR: {
      if (wparam != L' ') return false;
      const auto current = static_cast<int>(CallWindowProcW(previous, list, LB_GETCURSEL, 0, 0));
      if (current < 0 || current >= ItemCount()) return false;
      ToggleFromList(list, current);
      result = 0;
      return true;
    }
    case WM_NCDESTROY:
      // The list goes: the frame gives it its procedure back.
      list_hook_.reset();
      listBox = nullptr;
      return false;
    default:
      return false;
  }
}

HWND BASComboBox::DropDownWindow() const {
  if (listBox != nullptr) return listBox;
  COMBOBOXINFO info = {};
  info.cbSize = sizeof(info);
  if (m_hWnd == nullptr || !GetComboBoxInfo(m_hWnd, &info)) return nullptr;
  return info.hwndList;
}

bool BASComboBox::AccessibleValue(long child, std::wstring& value) {
  if (child != CHILDID_SELF || m_hWnd == nullptr) return false;
  value = DisplayText();
  return true;
}

bool BASComboBox::DropDownAccessible::DescribeAccessible(long child,
                                                         view::frame::AccessibleInfo& info) {
  if (child == CHILDID_SELF) return true;  // the list itself is the platform's
  const int index = static_cast<int>(child - 1);
  if (index < 0 || index >= combo_.ItemCount()) return false;
  const bool checked = combo_.GetCheck(index) > 0;
  info.role = ROLE_SYSTEM_LISTITEM;
  info.state = STATE_SYSTEM_SELECTABLE | (checked ? STATE_SYSTEM_CHECKED : 0);
  info.action = checked ? L"Uncheck" : L"Check";
  info.has_name = true;
  if (info.want_name) info.name = combo_.ItemText(index);
  return true;
}

bool BASComboBox::DropDownAccessible::AccessibleChildRect(long child, RECT& screen) {
  const int index = static_cast<int>(child - 1);
  HWND list = combo_.listBox;
  if (list == nullptr || index < 0 || index >= combo_.ItemCount() ||
      SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(index),
                   reinterpret_cast<LPARAM>(&screen)) == LB_ERR) {
    return false;
  }
  screen = view::frame::ClientToScreenRect(list, screen);
  return true;
}

bool BASComboBox::DropDownAccessible::DoAccessibleDefaultAction(long child) {
  const int index = static_cast<int>(child - 1);
  if (combo_.listBox == nullptr || index < 0 || index >= combo_.ItemCount()) return false;
  // As a click on the item: toggled, repainted, reported to the parent.
  combo_.ToggleFromList(combo_.listBox, index);
  return true;
}

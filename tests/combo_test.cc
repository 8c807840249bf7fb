// The check-box combo box: joined text of the checked items, the check
// state in the item data, owner drawing of rows and of the selection field,
// and the taken-over drop-down list that toggles checks on clicks and space.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "harness.h"
#include "view/internal/controls/bas_combo_box.h"
#include "view/zu_combo_box.h"

using viewtest::HostWindow;

namespace {

constexpr int kComboId = 100;
constexpr DWORD kStyle = WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST |
                         CBS_OWNERDRAWFIXED | CBS_HASSTRINGS;

// Sets the user's list separator for the scope and puts the old one back.
class ListSeparatorScope {
 public:
  explicit ListSeparatorScope(const wchar_t* separator)
      : saved_(view::combo::UserListSeparator()) {
    Set(separator);
  }
  ~ListSeparatorScope() { Set(saved_.c_str()); }
  ListSeparatorScope(const ListSeparatorScope&) = delete;
  ListSeparatorScope& operator=(const ListSeparatorScope&) = delete;
  static void Set(const wchar_t* separator) {
    SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SLIST, separator);
  }

 private:
  std::wstring saved_;
};

std::wstring TextOf(HWND wnd) {
  wchar_t buffer[256] = {};
  SendMessageW(wnd, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(buffer));
  return buffer;
}

void AddItems(HWND combo, const std::vector<std::wstring>& items) {
  for (const auto& item : items) {
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
  }
}

bool HasUpdate(HWND wnd) { return GetUpdateRect(wnd, nullptr, FALSE) != FALSE; }

// The implementation bound to a combo box window (the frame keeps it in the
// window's extra bytes).
BASComboBox* ImplOf(HWND combo) {
  auto* impl = reinterpret_cast<view::frame::WindowImpl*>(
      GetWindowLongPtrW(combo, BASComboBox::GetClassRecord().object_offset));
  return static_cast<BASComboBox*>(impl);
}

// Whether the control still holds a hook on a drop-down list.
bool HooksAList(const BASComboBox* impl) {
  return impl->list_hook() != nullptr || impl->list_box() != nullptr;
}

// Widths that the control's drawing derives from a font: one space, and the
// check-box column.
struct FontWidths {
  int space = 0;
  int column = 0;
};
FontWidths WidthsOf(HFONT font) {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  SIZE size = {};
  GetTextExtentPoint32W(dc, L" ", 1, &size);
  TEXTMETRICW tm = {};
  GetTextMetricsW(dc, &tm);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return {size.cx, view::combo::CheckBoxWidthFor(tm)};
}

HFONT GuiFont() { return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

// A combo box with the fruit items in a reflecting host; the host records
// the field's draw rectangle.
struct Fixture {
  explicit Fixture(int width = 200) : host(true, 400, 300) {
    host.on_message = [this](UINT msg, WPARAM, LPARAM lparam, LRESULT&) {
      if (msg == WM_DRAWITEM) {
        const auto* dis = reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
        // The selection field is drawn on the combo box's own DC.
        if (dis->hwndItem == combo && WindowFromDC(dis->hDC) == static_cast<HWND>(combo)) {
          field = dis->rcItem;
          field_item = static_cast<int>(dis->itemID);
        }
      }
      return false;
    };
    RECT rect = {20, 20, 20 + width, 220};
    combo.Create(host, rect, nullptr, kStyle, 0, kComboId);
    SendMessageW(combo, WM_SETFONT, reinterpret_cast<WPARAM>(GuiFont()), TRUE);
    AddItems(combo, {L"Apple", L"Pear", L"Plum"});
    viewtest::PumpUntilIdle();
  }
  ~Fixture() {
    if (IsWindow(combo)) DestroyWindow(combo);
  }

  HostWindow host;
  ZuComboBox combo;
  RECT field = {0, 0, 0, 0};  // where the selection field was last drawn
  int field_item = -2;        // and which item it showed
};

// The bounding box of what is not the window colour within `area`.
RECT InkOf(const viewtest::Image& image, const RECT& area) {
  const uint32_t window = viewtest::Rgb(GetSysColor(COLOR_WINDOW));
  RECT ink = {area.right, area.bottom, area.left, area.top};
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) {
      if (image.At(x, y) == window) continue;
      ink.left = std::min<LONG>(ink.left, x);
      ink.top = std::min<LONG>(ink.top, y);
      ink.right = std::max<LONG>(ink.right, x + 1);
      ink.bottom = std::max<LONG>(ink.bottom, y + 1);
    }
  }
  return ink;
}

int InkCount(const viewtest::Image& image, int x0, int y0, int x1, int y1) {
  const uint32_t window = viewtest::Rgb(GetSysColor(COLOR_WINDOW));
  return (x1 - x0) * (y1 - y0) - image.Count(window, x0, y0, x1, y1);
}

// The pixels of one rectangle of an image, for comparing two areas.
std::vector<uint32_t> Pixels(const viewtest::Image& image, const RECT& r) {
  std::vector<uint32_t> out;
  for (int y = r.top; y < r.bottom; ++y) {
    for (int x = r.left; x < r.right; ++x) out.push_back(image.At(x, y));
  }
  return out;
}

}  // namespace

TEST(ComboLayout, SeparatorJoinAndRowArithmetic) {
  EXPECT_EQ(view::combo::DisplaySeparator(L", \t"), L", ");
  EXPECT_EQ(view::combo::DisplaySeparator(L" ;"), L" ; ");  // only trailing space goes
  EXPECT_EQ(view::combo::JoinTexts({}, L", "), L"");
  EXPECT_EQ(view::combo::JoinTexts({L"Apple", L"Plum"}, L", "), L"Apple, Plum");

  TEXTMETRICW tm = {};
  tm.tmHeight = 16;
  tm.tmExternalLeading = 1;
  EXPECT_EQ(view::combo::ItemHeightFor(tm), 19);
  EXPECT_EQ(view::combo::CheckBoxWidthFor(tm), 23);
  const RECT box = view::combo::CheckBoxRect(RECT{4, 20, 150, 39}, 23);
  EXPECT_TRUE(box.left == 0 && box.top == 21 && box.right == 23 && box.bottom == 38);

  EXPECT_EQ(view::combo::RowAt(0, 19, 19), 1);
  EXPECT_EQ(view::combo::RowAt(3, 40, 19), 5);
  EXPECT_EQ(view::combo::RowAt(3, 40, 0), -1);
}

TEST(ComboBox, JoinedTextFollowsChecksAndTheListSeparator) {
  ListSeparatorScope comma(L",");
  Fixture f;
  HWND combo = f.combo;
  ASSERT_NE(combo, nullptr);

  // Nothing checked: an empty field.
  EXPECT_EQ(TextOf(combo), L"");
  EXPECT_EQ(f.combo.GetCheck(0), 0);  // new items start unchecked

  EXPECT_GE(f.combo.SetCheck(0, 1), 0);
  EXPECT_GE(f.combo.SetCheck(2, 1), 0);
  EXPECT_EQ(TextOf(combo), L"Apple, Plum");
  EXPECT_EQ(GetWindowTextLengthW(combo), 11);

  // A short buffer gets what fits and a terminating zero; the answer is the
  // full length. A null buffer gets 0.
  wchar_t small[4] = {L'x', L'x', L'x', L'x'};
  EXPECT_EQ(SendMessageW(combo, WM_GETTEXT, 4, reinterpret_cast<LPARAM>(small)), 11);
  EXPECT_STREQ(small, L"App");
  EXPECT_EQ(SendMessageW(combo, WM_GETTEXT, 4, 0), 0);

  // The text is cached: a new separator shows only after the next check
  // change, and a failed SetCheck is no change.
  ListSeparatorScope::Set(L"|");
  ValidateRect(combo, nullptr);
  EXPECT_EQ(f.combo.SetCheck(3, 1), CB_ERR);
  EXPECT_EQ(f.combo.SetCheck(-1, 1), CB_ERR);
  EXPECT_EQ(f.combo.GetCheck(3), CB_ERR);
  EXPECT_FALSE(HasUpdate(combo));
  EXPECT_EQ(TextOf(combo), L"Apple, Plum");
  EXPECT_EQ(f.combo.GetCheck(1), 0);

  // Any nonzero value is stored as it is and counts as checked.
  EXPECT_GE(f.combo.SetCheck(1, 7), 0);
  EXPECT_TRUE(HasUpdate(combo));
  EXPECT_EQ(f.combo.GetCheck(1), 7);
  EXPECT_EQ(TextOf(combo), L"Apple| Pear| Plum");

  // An empty list separator means ";".
  ListSeparatorScope::Set(L"");
  f.host.ClearSeen();
  f.combo.SelectAll(0);
  EXPECT_EQ(TextOf(combo), L"");
  f.combo.SelectAll(1);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(f.combo.GetCheck(i), 1);
  EXPECT_EQ(TextOf(combo), L"Apple; Pear; Plum");
  viewtest::PumpUntilIdle();
  EXPECT_EQ(f.host.CountCommands(combo, CBN_SELCHANGE), 0);  // SetCheck and SelectAll are silent

  // Items added later do not make the cached text stale.
  AddItems(combo, {L"Fig"});
  EXPECT_EQ(TextOf(combo), L"Apple; Pear; Plum");

  // Without a window every call fails quietly.
  ZuComboBox unborn;
  EXPECT_EQ(unborn.SetCheck(0, 1), CB_ERR);
  EXPECT_EQ(unborn.GetCheck(0), CB_ERR);
  unborn.SelectAll(1);
}

TEST(ComboBox, ClosedBoxDrawsTheJoinedTextOrTheCurrentItem) {
  ListSeparatorScope comma(L",");
  const FontWidths widths = WidthsOf(GuiFont());
  const int space = widths.space;
  ASSERT_GT(space, 0);
  {
    Fixture wide(200);
    wide.combo.SetCheck(0, 1);
    wide.combo.SetCheck(2, 1);
    viewtest::PumpUntilIdle();
    ASSERT_EQ(wide.field_item, -1);
    const RECT field = wide.field;
    const viewtest::Image image = viewtest::CaptureClient(wide.combo);
    const RECT ink = InkOf(image, field);
    // " Apple, Plum": the text starts one space in.
    EXPECT_GE(ink.left, field.left + space);
    EXPECT_LE(ink.left, field.left + space + 2);
    EXPECT_LT(ink.right, field.right - 10);  // fits with room to spare
    // The last glyph is the "m" of Plum: taller than a dot.
    const RECT last = InkOf(image, RECT{ink.right - 1, field.top, ink.right, field.bottom});
    EXPECT_GT(last.bottom - last.top, 3);
    if (HasFailure()) viewtest::SaveArtifact(image, "combo_field_wide");

    // Narrow: the same text ends in an ellipsis inside the field.
    Fixture narrow(80);
    narrow.combo.SetCheck(0, 1);
    narrow.combo.SetCheck(2, 1);
    viewtest::PumpUntilIdle();
    ASSERT_EQ(narrow.field_item, -1);
    const viewtest::Image small = viewtest::CaptureClient(narrow.combo);
    const RECT cut = InkOf(small, narrow.field);
    EXPECT_LE(cut.right, narrow.field.right);
    const RECT dot = InkOf(small, RECT{cut.right - 1, narrow.field.top, cut.right,
                                       narrow.field.bottom});
    EXPECT_LE(dot.bottom - dot.top, 3) << "the text does not end in a dot";
    EXPECT_EQ(TextOf(narrow.combo), L"Apple, Plum");  // the text itself is whole
    if (HasFailure()) viewtest::SaveArtifact(small, "combo_field_narrow");

    // With a current item the field is drawn like that item's row: its
    // check box at the left, then the item's text one space after the box.
    Fixture current(200);
    current.combo.SetCheck(1, 1);
    SendMessageW(current.combo, CB_SETCURSEL, 1, 0);
    InvalidateRect(current.combo, nullptr, FALSE);
    viewtest::PumpUntilIdle();
    EXPECT_EQ(current.field_item, 1);
    const RECT f = current.field;
    const int column = widths.column;
    const viewtest::Image row = viewtest::CaptureClient(current.combo);
    EXPECT_GT(InkCount(row, f.left, f.top, column, f.bottom), 0) << "no check box";
    EXPECT_EQ(InkCount(row, column, f.top, column + space, f.bottom), 0);
    EXPECT_GT(InkCount(row, column + space, f.top, f.right, f.bottom), 0) << "no text";
    if (HasFailure()) viewtest::SaveArtifact(row, "combo_field_current");

    // Focused, the field is drawn selected: the text part in the highlight.
    viewtest::BringToFront(current.host);
    SetFocus(current.combo);
    viewtest::PumpUntilIdle();
    const viewtest::Image focused = viewtest::CaptureClient(current.combo);
    const uint32_t highlight = viewtest::Rgb(GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_GT(focused.Count(highlight, column, f.top, f.right, f.bottom),
              (f.right - column) * (f.bottom - f.top) / 2);
    EXPECT_EQ(focused.Count(highlight, f.left, f.top, column, f.bottom), 0);
    // Leaks of painting and measuring: the soak in robustness_test.
  }
}

TEST(ComboBox, ClicksAndSpaceInTheOpenListToggleChecks) {
  ListSeparatorScope comma(L",");
  Fixture f;
  HWND combo = f.combo;
  ASSERT_NE(combo, nullptr);
  BASComboBox* impl = ImplOf(combo);
  ASSERT_NE(impl, nullptr);

  // Colour requests that name no list, or the combo box itself, take
  // nothing over.
  HDC dc = GetDC(combo);
  SendMessageW(combo, WM_CTLCOLORLISTBOX, reinterpret_cast<WPARAM>(dc),
               reinterpret_cast<LPARAM>(combo));
  SendMessageW(combo, WM_CTLCOLORLISTBOX, reinterpret_cast<WPARAM>(dc), 0);
  ReleaseDC(combo, dc);
  EXPECT_EQ(impl->list_box(), nullptr);

  // Open the list with a click on the closed box, as a user does.
  viewtest::BringToFront(f.host);
  RECT box;
  GetClientRect(combo, &box);
  viewtest::Click(combo, {box.right - 8, box.bottom / 2});
  ASSERT_TRUE(viewtest::PumpUntil(
      [&] { return SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0) != 0; }));
  HWND list = impl->list_box();
  ASSERT_NE(list, nullptr) << "the list was not taken over";
  ASSERT_NE(impl->list_hook(), nullptr);
  EXPECT_EQ(impl->list_hook()->m_hWnd, list);
  EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(list, GWLP_WNDPROC)),
            &view::frame::WindowImpl::SubclassProc);

  RECT rows[3];
  for (int i = 0; i < 3; ++i) {
    SendMessageW(list, LB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&rows[i]));
  }
  // Two clicks in a row count as a double click, which toggles nothing:
  // alternate between two points of a row farther apart than that.
  const int apart = 2 * GetSystemMetrics(SM_CXDOUBLECLK) + 4;
  int clicks = 0;
  auto click_row = [&](int index) {
    const RECT& r = rows[index];
    const int x = (clicks++ % 2 == 0) ? r.left + 30 : r.left + 30 + apart;
    viewtest::Click(list, {x, (r.top + r.bottom) / 2});
  };
  const int column = WidthsOf(reinterpret_cast<HFONT>(SendMessageW(list, WM_GETFONT, 0, 0))).column;
  auto check_box_of = [&](int index) {
    const RECT& r = rows[index];
    return Pixels(viewtest::CaptureClient(list), RECT{0, r.top + 1, column, r.bottom - 1});
  };

  const auto unchecked = check_box_of(1);
  f.host.ClearSeen();
  click_row(1);
  EXPECT_EQ(f.combo.GetCheck(1), 1);
  EXPECT_EQ(f.host.CountCommands(combo, CBN_SELCHANGE), 1);
  EXPECT_NE(SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0), 0) << "the list closed";
  EXPECT_EQ(TextOf(combo), L"Pear");
  const auto checked = check_box_of(1);
  EXPECT_NE(checked, unchecked) << "the row was not repainted";
  for (const auto& m : f.host.seen()) {  // the notification names the control's id
    if (m.message == WM_COMMAND) {
      EXPECT_EQ(LOWORD(m.wparam), kComboId);
    }
  }

  click_row(1);
  EXPECT_EQ(f.combo.GetCheck(1), 0);
  EXPECT_EQ(f.host.CountCommands(combo, CBN_SELCHANGE), 2);
  EXPECT_EQ(TextOf(combo), L"");
  EXPECT_EQ(check_box_of(1), unchecked);

  // A stored 7 is drawn checked; clicks then store 0 and 1.
  f.combo.SetCheck(2, 7);
  viewtest::PumpUntilIdle();
  EXPECT_EQ(check_box_of(2), checked);
  click_row(2);
  EXPECT_EQ(f.combo.GetCheck(2), 0);
  click_row(2);
  EXPECT_EQ(f.combo.GetCheck(2), 1);
  EXPECT_EQ(f.host.CountCommands(combo, CBN_SELCHANGE), 4);
  EXPECT_NE(SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0), 0);

  // The list tells nobody its current row, though it has one.
  EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), LB_ERR);
  EXPECT_EQ(SendMessageW(list, LB_GETCARETINDEX, 0, 0), 2);

  // Space toggles the highlighted row: first the one under the pointer,
  // then the one the arrow keys moved to.
  viewtest::TypeText(L" ");
  EXPECT_EQ(f.combo.GetCheck(2), 0);
  EXPECT_EQ(f.host.CountCommands(combo, CBN_SELCHANGE), 5);
  viewtest::PressKey(VK_UP);  // the platform reports the move itself
  EXPECT_EQ(SendMessageW(list, LB_GETCARETINDEX, 0, 0), 1);
  f.host.ClearSeen();
  viewtest::TypeText(L" ");
  EXPECT_EQ(f.combo.GetCheck(1), 1);
  EXPECT_EQ(f.host.CountCommands(combo, CBN_SELCHANGE), 1);
  EXPECT_EQ(TextOf(combo), L"Pear");
  EXPECT_NE(SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0), 0);
  if (HasFailure()) viewtest::SaveArtifact(viewtest::CaptureClient(list), "combo_list");

  // Other characters reach the list: a letter moves the highlight to the
  // first row that starts with it and checks nothing. Whether the list then
  // stays open is the platform's affair (Wine closes it, as after a choice).
  viewtest::TypeText(L"a");
  EXPECT_EQ(SendMessageW(list, LB_GETCARETINDEX, 0, 0), 0);
  EXPECT_EQ(f.combo.GetCheck(0), 0);

  // Closing the list selects nothing: the field keeps the joined text.
  SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0);
  viewtest::PumpUntilIdle();
  EXPECT_EQ(SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0), 0);
  InvalidateRect(combo, nullptr, FALSE);
  viewtest::PumpUntilIdle();
  EXPECT_EQ(f.field_item, -1);
  EXPECT_EQ(TextOf(combo), L"Pear");

  // Destroyed: the control holds nothing of the list any more.
  DestroyWindow(combo);
  EXPECT_FALSE(IsWindow(list));
  EXPECT_FALSE(HooksAList(impl));

  // The same wrapper makes a new combo box whose list is taken over anew.
  RECT rect = {20, 20, 220, 220};
  combo = f.combo.Create(f.host, rect, nullptr, kStyle, 0, kComboId);
  ASSERT_NE(combo, nullptr);
  AddItems(combo, {L"One", L"Two"});
  EXPECT_EQ(TextOf(combo), L"");
  SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
  viewtest::PumpUntilIdle();
  HWND second = impl->list_box();
  ASSERT_NE(second, nullptr);
  ASSERT_NE(impl->list_hook(), nullptr);
  EXPECT_EQ(impl->list_hook()->m_hWnd, second);
  SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0);
  DestroyWindow(combo);
  EXPECT_FALSE(HooksAList(impl));
}

TEST(ComboBox, ListProcedureOfAnUnknownListDoesNothing) {
  HostWindow host;
  HWND list = CreateWindowExW(0, L"LISTBOX", L"", WS_CHILD | WS_VISIBLE, 0, 0, 100, 100, host,
                              nullptr, nullptr, nullptr);
  ASSERT_NE(list, nullptr);
  SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"x"));
  SendMessageW(list, LB_SETCURSEL, 0, 0);
  EXPECT_EQ(view::frame::WindowImpl::SubclassProc(list, LB_GETCURSEL, 0, 0), 0);
  EXPECT_EQ(view::frame::WindowImpl::SubclassProc(list, LB_GETCOUNT, 0, 0), 0);
  EXPECT_EQ(view::frame::WindowImpl::SubclassProc(nullptr, WM_LBUTTONDOWN, 0, 0), 0);
  EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), 0);  // the list itself is untouched
  DestroyWindow(list);
}

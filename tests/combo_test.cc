// The check-box combo box: joined text of the checked items, the check
// state in the item data, owner drawing of the rows,
// and the taken-over drop-down list that toggles checks on clicks and space.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "harness.h"
#include "view/internal/controls/bas_combo_box.h"
#include "view/zu_combo_box.h"

using viewtest::Image;
using viewtest::TextOf;

namespace {

constexpr DWORD kStyle =
    WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS;

// Sets the user's list separator for the scope and puts the old one back.
struct ListSeparatorScope {
  explicit ListSeparatorScope(const wchar_t* separator) { Set(separator); }
  ~ListSeparatorScope() { Set(saved.c_str()); }
  static void Set(const wchar_t* separator) { SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SLIST, separator); }
  const std::wstring saved = view::combo::UserListSeparator();  // taken before the first Set
};

// A combo box (id 100) with three items in a reflecting host that
// records which item the selection field last showed.
struct Fixture {
  Fixture() : host(true, 400, 300) {
    host.on_message = [this](UINT msg, WPARAM, LPARAM lparam, LRESULT&) {
      const auto* dis = reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
      if (msg == WM_DRAWITEM && dis->hwndItem == combo &&
          WindowFromDC(dis->hDC) == static_cast<HWND>(combo))
        field_item = static_cast<int>(dis->itemID);
      return false;
    };
    RECT rect = {20, 20, 220, 220};
    combo.Create(host, rect, nullptr, kStyle, 0, 100);
    SendMessageW(combo, WM_SETFONT, WPARAM(GetStockObject(DEFAULT_GUI_FONT)), TRUE);
    for (const wchar_t* item : {L"Apple", L"Pear", L"Plum"})
      SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    viewtest::PumpUntilIdle();
  }
  ~Fixture() { if (IsWindow(combo)) DestroyWindow(combo); }

  viewtest::HostWindow host;
  ZuComboBox combo;
  int field_item = -2;
};

// In the default GUI font: the width of the check-box column, or of `text`.
int Measure(const wchar_t* text = nullptr) {
  viewtest::MemoryCanvas canvas(1, 1);
  SelectObject(canvas.dc, GetStockObject(DEFAULT_GUI_FONT));
  TEXTMETRICW tm = {};
  GetTextMetricsW(canvas.dc, &tm);
  SIZE size = {};
  if (text != nullptr) GetTextExtentPoint32W(canvas.dc, text, lstrlenW(text), &size);
  return text != nullptr ? size.cx : view::combo::CheckBoxWidthFor(tm);
}

// How wide the text in the closed box's field is, as the box painted it by
// itself: the ink darker than mid-grey inside the frame, left of the button.
int FieldInk(HWND combo) {
  viewtest::PumpUntilIdle();
  const Image image = viewtest::CaptureClient(combo);
  const RECT ink = image.BoundsNot(0xFFFFFF, {4, 4, image.width - 22, image.height - 4});
  return ink.right - ink.left;
}

BASComboBox* ImplOf(HWND combo) {
  return static_cast<BASComboBox*>(reinterpret_cast<view::frame::WindowImpl*>(
      GetWindowLongPtrW(combo, BASComboBox::GetClassRecord().object_offset)));
}

}  // namespace

TEST(ComboBox, JoinedTextFollowsChecksAndTheListSeparatorClicksAndSpaceToggleThem) {
  ListSeparatorScope comma(L",");
  Fixture f;
  HWND combo = f.combo;
  // The closed box shows the joined text as it repaints by itself.
  const auto shows = [&](const wchar_t* text) { EXPECT_NEAR(FieldInk(combo), Measure(text), 3) << text; };
  EXPECT_EQ(TextOf(combo), L"");
  EXPECT_EQ(f.combo.GetCheck(0), 0);  // new items start unchecked
  EXPECT_GE(f.combo.SetCheck(0, 1), 0);
  EXPECT_GE(f.combo.SetCheck(2, 1), 0);
  shows(L"Apple, Plum");
  EXPECT_EQ(TextOf(combo), L"Apple, Plum");
  // A short buffer gets what fits and a terminating zero; the answer is the
  // full length. A null buffer gets 0.
  wchar_t small[4] = {L'x', L'x', L'x', L'x'};
  EXPECT_EQ(SendMessageW(combo, WM_GETTEXT, 4, reinterpret_cast<LPARAM>(small)), 11);
  EXPECT_STREQ(small, L"App");
  EXPECT_EQ(SendMessageW(combo, WM_GETTEXT, 4, 0), 0);
  EXPECT_EQ(GetWindowTextLengthW(combo), 11);

  // The text is cached: a new separator shows only after the next check
  // change; a failed SetCheck is no change and repaints nothing.
  ListSeparatorScope::Set(L"|");
  ValidateRect(combo, nullptr);
  EXPECT_EQ(f.combo.SetCheck(3, 1), CB_ERR);
  EXPECT_EQ(f.combo.SetCheck(-1, 1), CB_ERR);
  EXPECT_EQ(f.combo.GetCheck(3), CB_ERR);
  EXPECT_FALSE(GetUpdateRect(combo, nullptr, FALSE));
  EXPECT_EQ(TextOf(combo), L"Apple, Plum");
  // Any nonzero value is stored as it is and counts as checked.
  EXPECT_GE(f.combo.SetCheck(1, 7), 0);
  shows(L"Apple| Pear| Plum");
  EXPECT_EQ(f.combo.GetCheck(1), 7);
  EXPECT_EQ(f.combo.GetCheck(0), 1);
  EXPECT_EQ(TextOf(combo), L"Apple| Pear| Plum");
  // An empty list separator means ";"; SetCheck and SelectAll are silent.
  ListSeparatorScope::Set(L"");
  f.combo.SelectAll(0);
  shows(L"");
  EXPECT_EQ(TextOf(combo), L"");
  f.combo.SelectAll(1);
  EXPECT_EQ(TextOf(combo), L"Apple; Pear; Plum");
  viewtest::PumpUntilIdle();
  EXPECT_EQ(f.host.CountCommands(combo, CBN_SELCHANGE), 0);
  // Without a window every call fails quietly.
  ZuComboBox unborn;
  EXPECT_EQ(unborn.SetCheck(0, 1), CB_ERR);
  EXPECT_EQ(unborn.GetCheck(0), CB_ERR);
  unborn.SelectAll(1);

  // The open list: clicks and space toggle checks.
  ListSeparatorScope::Set(L",");
  f.combo.SelectAll(0);
  BASComboBox* impl = ImplOf(combo);
  ASSERT_NE(impl, nullptr);
  // Colour requests that name no list, or the combo box itself, take nothing over.
  SendMessageW(combo, WM_CTLCOLORLISTBOX, 0, reinterpret_cast<LPARAM>(combo));
  SendMessageW(combo, WM_CTLCOLORLISTBOX, 0, 0);
  EXPECT_EQ(impl->list_box(), nullptr);

  for (int i = 3; i < 60; ++i)  // more rows than the open list shows
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"More"));
  // Open the list with a click on the closed box, as a user does.
  viewtest::BringToFront(f.host);
  const SIZE box = viewtest::ClientSize(combo);
  viewtest::Click(combo, {box.cx - 8, box.cy / 2});
  ASSERT_TRUE(viewtest::PumpUntil([&] { return SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0) != 0; }));
  HWND list = impl->list_box();
  ASSERT_NE(list, nullptr) << "the list was not taken over";

  // Two clicks in a row count as a double click, which toggles nothing:
  // alternate between two points of a row farther apart than that.
  const int apart = 2 * GetSystemMetrics(SM_CXDOUBLECLK) + 4;
  int clicks = 0;
  const auto click_row = [&](int index) {
    RECT r = {};
    SendMessageW(list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r));
    viewtest::Click(list, {r.left + 30 + (clicks++ % 2) * apart, (r.top + r.bottom) / 2});
  };
  // The check box of a row as the open list shows it now.
  const int column = Measure();
  const auto check_box_of = [&](int index) {
    RECT r = {};
    SendMessageW(list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r));
    viewtest::PumpUntilIdle();
    const Image image = viewtest::CaptureClient(list);
    std::vector<uint32_t> pixels;
    for (int y = r.top + 1; y < r.bottom - 1; ++y)
      for (int x = 0; x < column; ++x) pixels.push_back(image.At(x, y));
    return pixels;
  };
  const auto unchecked = check_box_of(1);
  f.host.ClearSeen();
  click_row(1);
  EXPECT_EQ(f.combo.GetCheck(1), 1);
  EXPECT_EQ(f.host.CountCommands(combo, CBN_SELCHANGE), 1);
  for (const auto& m : f.host.seen()) EXPECT_TRUE(m.message != WM_COMMAND || LOWORD(m.wparam) == 100);
  EXPECT_NE(SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0), 0) << "the list closed";
  EXPECT_EQ(TextOf(combo), L"Pear");
  const auto checked = check_box_of(1);
  EXPECT_NE(checked, unchecked) << "the row was not repainted";
  click_row(1);
  EXPECT_EQ(f.combo.GetCheck(1), 0);
  EXPECT_EQ(TextOf(combo), L"");
  EXPECT_EQ(check_box_of(1), unchecked);
  // A stored 7 is drawn checked, also when set while the list is open;
  // clicks then store 0 and 1.
  f.combo.SetCheck(2, 7);
  EXPECT_EQ(check_box_of(2), checked);
  click_row(2);
  EXPECT_EQ(f.combo.GetCheck(2), 0);
  click_row(2);
  EXPECT_EQ(f.combo.GetCheck(2), 1);
  EXPECT_EQ(f.host.CountCommands(combo, CBN_SELCHANGE), 4);
  // The list tells nobody its current row, though it has one.
  EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), LB_ERR);
  EXPECT_EQ(SendMessageW(list, LB_GETCARETINDEX, 0, 0), 2);
  // Space toggles the highlighted row: first the one under the pointer,
  // then the one the arrow keys moved to.
  viewtest::TypeText(L" ");
  EXPECT_EQ(f.combo.GetCheck(2), 0);
  EXPECT_EQ(f.host.CountCommands(combo, CBN_SELCHANGE), 5);
  viewtest::PressKey(VK_UP);  // the platform reports the move itself
  f.host.ClearSeen();
  viewtest::TypeText(L" ");
  EXPECT_EQ(f.combo.GetCheck(1), 1);
  EXPECT_EQ(f.host.CountCommands(combo, CBN_SELCHANGE), 1);
  EXPECT_NE(SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0), 0);
  // Scrolled down, a click toggles the row under the pointer.
  SendMessageW(list, LB_SETTOPINDEX, 20, 0);
  click_row(24);
  EXPECT_EQ(std::vector<int>({f.combo.GetCheck(4), f.combo.GetCheck(24)}), std::vector<int>({0, 1}));
  // Other characters reach the list: a letter moves the highlight and
  // checks nothing (whether the list then stays open is the platform's
  // affair: Wine closes it). Closing selects nothing.
  viewtest::TypeText(L"a");
  EXPECT_EQ(SendMessageW(list, LB_GETCARETINDEX, 0, 0), 0);
  EXPECT_EQ(f.combo.GetCheck(0), 0);
  SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0);
  InvalidateRect(combo, nullptr, FALSE);
  viewtest::PumpUntilIdle();
  EXPECT_EQ(f.field_item, -1);
  EXPECT_EQ(TextOf(combo), L"Pear, More");
  // The list procedure does nothing for a list it does not know.
  HWND other = CreateWindowExW(0, L"LISTBOX", L"", WS_CHILD, 0, 0, 99, 99, f.host, nullptr, nullptr, nullptr);
  SendMessageW(other, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"x"));
  EXPECT_EQ(view::frame::WindowImpl::SubclassProc(other, LB_GETCOUNT, 0, 0), 0);
  EXPECT_EQ(view::frame::WindowImpl::SubclassProc(nullptr, WM_LBUTTONDOWN, 0, 0), 0);
  EXPECT_EQ(SendMessageW(other, LB_GETCOUNT, 0, 0), 1);
}

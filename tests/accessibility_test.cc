// What assistive technology reads from the controls and hears from them:
// the accessible objects through AccessibleObjectFromWindow, the events
// through an out-of-context WinEvent hook, Space through real key input.
// Wine's standard objects report every window as a plain client with no
// items, so all that is checked here comes from the library's own objects.

#include <gtest/gtest.h>
#include <oleacc.h>

#include <memory>
#include <thread>
#include <tuple>
#include <vector>

#include "harness.h"
#include "view/view.h"

namespace {

using Event = std::tuple<DWORD, HWND, LONG>;  // event, window, child
std::vector<Event> g_events;

void CALLBACK OnEvent(HWINEVENTHOOK, DWORD event, HWND wnd, LONG object, LONG child, DWORD,
                      DWORD) {
  if (object == OBJID_CLIENT) g_events.emplace_back(event, wnd, child);
}

// COM for the test's thread and a hook on this process's object events.
struct Session {
  Session() {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    hook = SetWinEventHook(EVENT_OBJECT_SELECTION, EVENT_OBJECT_VALUECHANGE, nullptr, OnEvent,
                           GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
  }
  ~Session() {
    UnhookWinEvent(hook);
    CoUninitialize();
  }
  // The events raised since the last call, once they have been delivered.
  std::vector<Event> Events() {
    viewtest::PumpUntilIdle();
    return std::exchange(g_events, {});
  }
  HWINEVENTHOOK hook;
};

using Acc = std::unique_ptr<IAccessible, void (*)(IAccessible*)>;
Acc Open(HWND wnd) {
  IAccessible* acc = nullptr;
  AccessibleObjectFromWindow(wnd, OBJID_CLIENT, IID_IAccessible, reinterpret_cast<void**>(&acc));
  return Acc(acc, [](IAccessible* a) { if (a) a->Release(); });
}
VARIANT Child(long id) {
  VARIANT v;
  v.vt = VT_I4;
  v.lVal = id;
  return v;
}
LONG Role(IAccessible* acc, long child = CHILDID_SELF) {
  VARIANT v = {};
  return SUCCEEDED(acc->get_accRole(Child(child), &v)) && v.vt == VT_I4 ? v.lVal : -1;
}
LONG State(IAccessible* acc, long child = CHILDID_SELF) {
  VARIANT v = {};
  return SUCCEEDED(acc->get_accState(Child(child), &v)) && v.vt == VT_I4 ? v.lVal : -1;
}
std::wstring Text(IAccessible* acc, HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, BSTR*),
                  long child = CHILDID_SELF) {
  BSTR text = nullptr;
  if (FAILED((acc->*get)(Child(child), &text)) || text == nullptr) return L"<none>";
  std::wstring out(text, SysStringLen(text));
  SysFreeString(text);
  return out;
}
std::wstring Name(IAccessible* acc, long child = CHILDID_SELF) {
  return Text(acc, &IAccessible::get_accName, child);
}

constexpr LONG kChecked = STATE_SYSTEM_CHECKED, kSelected = STATE_SYSTEM_SELECTED;
constexpr DWORD kState = EVENT_OBJECT_STATECHANGE, kSelection = EVENT_OBJECT_SELECTION;

}  // namespace

// Every owner-drawn button kind: role, name and state as read back, the
// events of a click, of a setter and of a setter that changes nothing.
TEST(Accessibility, ButtonsTellWhatTheyAreAndReportEachChange) {
  Session session;
  viewtest::HostWindow host(true, 640, 200);
  Gdiplus::Font font(L"Arial", 12.0f, Gdiplus::FontStyleRegular, Gdiplus::UnitPixel);
  auto image = viewtest::SolidBitmap(20, 20, 0xFF0000);
  ZuImgButton plain, check;
  ZuSwitchButton radio, push;
  ZuSwitchImageButton tile;
  ZuSectionButton tab, section;
  plain.CreateButton(host, 1, true);
  plain.Init(image.get(), 10, 10, image.get(), nullptr, 0, 0, 0, 0);
  plain.SetTooltip(L"Tip only");
  check.CreateButton(host, 2, true);
  check.setFont(&font);
  check.Init(image.get(), 40, 10, image.get(), L"Check", kBASImgButtonTextRight, 0, 0, 1);
  for (ZuSwitchButton* s : {&radio, &push}) s->CreateButton(host, &font, 3);
  radio.Init(10, 50, L"Radio", 0xFFFFFF, 0, 0xFF0000, 0);
  push.SetRadio(false).Init(110, 50, L"Push", 0xFFFFFF, 0, 0xFF0000, 0);
  tile.CreateButton(host, &font, 4);
  tile.Init(210, 50, L"Tile", 0xFFFFFF, 0, image.get(), 0xFF0000, 0, image.get());
  RECT r1 = {10, 120, 90, 150}, r2 = {110, 120, 190, 150};
  tab.Create(host, &r1, L"", 0, 0, 5);
  section.Create(host, &r2, L"", 0, 0, 6);
  tab.SetCheckStyle(true).SetText(L"Tab");
  section.SetText(L"Section");

  struct Case {
    HWND wnd;
    LONG role;
    const wchar_t* name;
    LONG chosen;                   // the state a click leaves
    std::vector<DWORD> on_click;   // its events
  } cases[] = {
      {plain, ROLE_SYSTEM_PUSHBUTTON, L"Tip only", 0, {}},
      {check, ROLE_SYSTEM_CHECKBUTTON, L"Check", kChecked, {kState}},
      {radio, ROLE_SYSTEM_RADIOBUTTON, L"Radio", kChecked, {kState, kSelection}},
      {push, ROLE_SYSTEM_PUSHBUTTON, L"Push", 0, {}},
      {tile, ROLE_SYSTEM_RADIOBUTTON, L"Tile", kChecked, {kState, kSelection}},
      {tab, ROLE_SYSTEM_PAGETAB, L"Tab", kSelected, {kState, kSelection}},
      {section, ROLE_SYSTEM_PUSHBUTTON, L"Section", 0, {}},
  };
  session.Events();
  for (const Case& c : cases) {
    SCOPED_TRACE(viewtest::Narrow(c.name));
    Acc acc = Open(c.wnd);
    ASSERT_TRUE(acc);
    EXPECT_EQ(Role(acc.get()), c.role);
    EXPECT_EQ(Name(acc.get()), c.name);
    EXPECT_EQ(State(acc.get()) & (kChecked | kSelected), 0);
    viewtest::Click(c.wnd, POINT{3, 3});
    EXPECT_EQ(State(acc.get()) & (kChecked | kSelected), c.chosen);
    std::vector<Event> expected;
    for (DWORD e : c.on_click) expected.emplace_back(e, c.wnd, CHILDID_SELF);
    EXPECT_EQ(session.Events(), expected);
  }

  // Setters: one event per change, none for a call that changes nothing.
  const std::vector<Event> none;
  check.SetChecked(false);
  EXPECT_EQ(session.Events(), (std::vector<Event>{{kState, check, 0}}));
  check.SetChecked(false);
  radio.ResetStatus();
  EXPECT_EQ(session.Events(), (std::vector<Event>{{kState, radio, 0}}));
  radio.ResetStatus();
  EXPECT_EQ(session.Events(), none);
  tab.ResetStatus().SetPressedStatus();
  EXPECT_EQ(session.Events(),
            (std::vector<Event>{{kState, tab, 0}, {kState, tab, 0}, {kSelection, tab, 0}}));
  tile.SetText(L"Renamed");
  EXPECT_EQ(session.Events(), (std::vector<Event>{{EVENT_OBJECT_NAMECHANGE, tile, 0}}));
  EXPECT_EQ(Name(Open(tile).get()), L"Renamed");
  push.EnableWindow(FALSE);
  push.EnableWindow(FALSE);
  EXPECT_EQ(session.Events(), (std::vector<Event>{{kState, push, 0}}));
  EXPECT_NE(State(Open(push).get()) & STATE_SYSTEM_UNAVAILABLE, 0);

  // The default action is the click: the check box toggles, the parent hears.
  host.ClearSeen();
  EXPECT_EQ(Open(check)->accDoDefaultAction(Child(CHILDID_SELF)), S_OK);
  EXPECT_TRUE(check.IsChecked());
  EXPECT_EQ(host.CountCommands(check, BN_CLICKED), 1);

  // Space on the focused button: the check box toggles, the switch latches.
  viewtest::BringToFront(host);
  SetFocus(check);
  viewtest::PressKey(VK_SPACE);
  EXPECT_FALSE(check.IsChecked());
  SetFocus(radio);
  viewtest::PressKey(VK_SPACE);
  EXPECT_NE(State(Open(radio).get()) & kChecked, 0);
  EXPECT_EQ(host.CountCommands(check, BN_CLICKED), 2);
  EXPECT_EQ(host.CountCommands(radio, BN_CLICKED), 1);
}

// The list's rows and the header's check box are children; their default
// action is the click's path, so the can-check function and the callback
// run; the drop-down items of the combo box likewise; the closed combo's
// value is its checked texts; an edit without a name takes its tip.
TEST(Accessibility, ListHeaderComboAndEditExposeTheirItems) {
  Session session;
  viewtest::HostWindow host(true, 700, 400);
  host.on_message = [](UINT msg, WPARAM, LPARAM lparam, LRESULT& result) {
    auto* info = reinterpret_cast<NMLVDISPINFOW*>(lparam);
    if (msg != WM_NOTIFY || info->hdr.code != LVN_GETDISPINFOW) return false;
    if ((info->item.mask & LVIF_TEXT) != 0) {
      lstrcpynW(info->item.pszText, (L"row" + std::to_wstring(info->item.iItem)).c_str(),
                info->item.cchTextMax);
    }
    result = 0;
    return true;
  };
  auto box = viewtest::SolidBitmap(12, 12, 0x00FF00);
  std::vector<int> checked(4, 0), reports;
  ZuListView list;
  list.SetCheckBoxImage(box.get(), box.get(), box.get());
  RECT area = {10, 10, 400, 300};
  list.CreateListView(host, area, 7, false, true, false);
  LVCOLUMNW column = {};
  column.mask = LVCF_WIDTH;
  column.cx = 120;
  SendMessageW(list, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
  list.SetFuncGetCheckState([&](int row) { return checked[row] != 0; });
  list.SetFuncSetCheckState([&](int row, bool on) { checked[row] = on; });
  list.SetTestCanCheckFunc([](int row) { return row != 3; });
  list.SetItemCheckedChangeCallback([&](HWND, int row) { reports.push_back(row); });
  list.SetItemCount(4);
  checked[0] = 1;
  session.Events();

  Acc rows = Open(list);
  ASSERT_TRUE(rows);
  long count = 0;
  EXPECT_EQ(rows->get_accChildCount(&count), S_OK);
  EXPECT_EQ(count, 4);
  EXPECT_EQ(Role(rows.get()), ROLE_SYSTEM_LIST);
  EXPECT_EQ(Role(rows.get(), 2), ROLE_SYSTEM_LISTITEM);
  EXPECT_EQ(Name(rows.get(), 2), L"row1");
  EXPECT_EQ(State(rows.get(), 1) & kChecked, kChecked);
  EXPECT_EQ(rows->accDoDefaultAction(Child(2)), S_OK);
  EXPECT_EQ(rows->accDoDefaultAction(Child(4)), S_OK);  // refused by the can-check function
  EXPECT_EQ(checked, (std::vector<int>{1, 1, 0, 0}));
  EXPECT_EQ(reports, std::vector<int>{1});
  EXPECT_EQ(State(rows.get(), 2) & (kChecked | kSelected), kChecked | kSelected);
  EXPECT_EQ(session.Events(), (std::vector<Event>{{kState, list, 2}}));
  VARIANT role = {};
  EXPECT_EQ(rows->get_accRole(Child(5), &role), E_INVALIDARG);

  HWND header = list.GetInnerHeader();
  Acc head = Open(header);
  ASSERT_TRUE(head);
  EXPECT_EQ(Role(head.get(), 1), ROLE_SYSTEM_CHECKBUTTON);
  EXPECT_EQ(Name(head.get(), 1), L"Select all");
  EXPECT_EQ(head->accDoDefaultAction(Child(1)), S_OK);
  EXPECT_EQ(State(head.get(), 1) & kChecked, kChecked);
  EXPECT_EQ(checked, (std::vector<int>{1, 1, 1, 1}));
  const std::vector<Event> all = session.Events();
  EXPECT_EQ(std::count(all.begin(), all.end(), Event{kState, header, 1}), 1);
  EXPECT_EQ(std::count(all.begin(), all.end(), Event{kState, list, 3}), 1);
  list.SetHeaderCheck(1);
  EXPECT_EQ(session.Events(), std::vector<Event>{});

  ZuComboBox combo;
  RECT rect = {420, 10, 620, 200};
  combo.Create(host, rect, nullptr,
               WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS, 0, 8);
  for (const wchar_t* item : {L"Apple", L"Pear", L"Plum"})
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
  combo.SetCheck(0, 1);
  combo.SetCheck(2, 1);
  SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
  session.Events();
  COMBOBOXINFO info = {};
  info.cbSize = sizeof(info);
  GetComboBoxInfo(combo, &info);
  Acc items = Open(info.hwndList);
  ASSERT_TRUE(items);
  EXPECT_EQ(Name(items.get(), 2), L"Pear");
  EXPECT_EQ(Role(items.get(), 2), ROLE_SYSTEM_LISTITEM);
  EXPECT_EQ(State(items.get(), 3) & kChecked, kChecked);
  EXPECT_EQ(items->accDoDefaultAction(Child(2)), S_OK);
  EXPECT_EQ(combo.GetCheck(1), 1);
  EXPECT_EQ(host.CountCommands(combo, CBN_SELCHANGE), 1);
  combo.SetCheck(1, 1);  // no change
  combo.SetCheck(0, 0);
  EXPECT_EQ(session.Events(), (std::vector<Event>{{kState, info.hwndList, 2},
                                                  {EVENT_OBJECT_VALUECHANGE, combo, 0},
                                                  {kState, info.hwndList, 1},
                                                  {EVENT_OBJECT_VALUECHANGE, combo, 0}}));
  SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0);
  const std::wstring value = Text(Open(combo).get(), &IAccessible::get_accValue);
  EXPECT_EQ(value, viewtest::TextOf(combo));
  EXPECT_NE(value.find(L"Pear"), std::wstring::npos);
  EXPECT_EQ(value.find(L"Apple"), std::wstring::npos);

  ZuEdit edit;
  RECT field = {420, 250, 620, 280};
  edit.Create(host, field);
  edit.setTipValue(L"Search");
  EXPECT_EQ(Name(Open(edit).get()), L"Search");
}

// From another apartment the object answers through COM's proxies while the
// window's thread pumps; once the window is gone, a client still holding
// the object gets errors.
TEST(Accessibility, WorkerThreadReadsAndDestroyedWindowFailsCleanly) {
  Session session;
  viewtest::HostWindow host;
  ZuSwitchButton radio;
  radio.CreateButton(host, nullptr, 1);
  radio.Init(10, 10, L"Radio", 0xFFFFFF, 0, 0xFF0000, 0);
  radio.SetPressedStatus();
  HWND wnd = radio;
  LONG role = 0, state = 0;
  std::wstring name;
  bool done = false;
  std::thread worker([&] {
    CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    if (Acc acc = Open(wnd)) {
      role = Role(acc.get());
      state = State(acc.get());
      name = Name(acc.get());
    }
    CoUninitialize();
    done = true;
  });
  viewtest::PumpUntil([&] { return done; }, 10000);
  worker.join();
  EXPECT_EQ(role, ROLE_SYSTEM_RADIOBUTTON);
  EXPECT_EQ(state & kChecked, kChecked);
  EXPECT_EQ(name, L"Radio");

  Acc held = Open(wnd);
  ASSERT_TRUE(held);
  DestroyWindow(wnd);
  VARIANT v = {};
  EXPECT_TRUE(FAILED(held->get_accRole(Child(CHILDID_SELF), &v)));
  EXPECT_TRUE(FAILED(held->accDoDefaultAction(Child(CHILDID_SELF))));
  BSTR text = nullptr;
  EXPECT_TRUE(FAILED(held->get_accName(Child(CHILDID_SELF), &text)));
}

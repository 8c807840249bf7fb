// What assistive technology reads from the controls and hears from them:
// the accessible objects through AccessibleObjectFromWindow, the events
// through an out-of-context WinEvent hook, Space through real key input.
// Wine's standard objects report every window as a plain client with no
// items, so all that is checked here comes from the library's own objects.

#include <gtest/gtest.h>
#include <oleacc.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <thread>
#include <tuple>
#include <vector>

#include "harness.h"
#include "view/internal/frame/palette.h"
#include "view/view.h"

namespace {

using Event = std::tuple<DWORD, HWND, LONG>;  // event, window, child
std::vector<Event> g_events;

void CALLBACK OnEvent(HWINEVENTHOOK, DWORD event, HWND wnd, LONG object, LONG child, DWORD, DWORD) {
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
  return Acc(acc, [](IAccessible* a) {
    if (a) a->Release();
  });
}
VARIANT Child(long id) {
  VARIANT v;
  v.vt = VT_I4;
  v.lVal = id;
  return v;
}
// get_accRole or get_accState of `child`; -1 on failure.
LONG Number(IAccessible* acc, HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, VARIANT*),
            long child = CHILDID_SELF) {
  VARIANT v = {};
  return SUCCEEDED((acc->*get)(Child(child), &v)) && v.vt == VT_I4 ? v.lVal : -1;
}
std::wstring Name(
    IAccessible* acc, long child = CHILDID_SELF,
    HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, BSTR*) = &IAccessible::get_accName) {
  BSTR text = nullptr;
  if (FAILED((acc->*get)(Child(child), &text)) || text == nullptr) return L"<none>";
  std::wstring out(text, SysStringLen(text));
  SysFreeString(text);
  return out;
}

constexpr LONG kChecked = STATE_SYSTEM_CHECKED, kSelected = STATE_SYSTEM_SELECTED;
constexpr DWORD kState = EVENT_OBJECT_STATECHANGE, kSelection = EVENT_OBJECT_SELECTION;

// Role, the checked/selected bits of the state, and name of `child`.
using Look = std::tuple<LONG, LONG, std::wstring>;
Look Read(IAccessible* acc, long child = CHILDID_SELF) {
  if (acc == nullptr) return {-1, -1, L"<no object>"};
  return {Number(acc, &IAccessible::get_accRole, child),
          Number(acc, &IAccessible::get_accState, child) & (kChecked | kSelected),
          Name(acc, child)};
}
Look Read(HWND wnd, long child = CHILDID_SELF) { return Read(Open(wnd).get(), child); }

std::vector<Event> Events(HWND wnd, std::initializer_list<DWORD> events, LONG child = 0) {
  std::vector<Event> out;
  for (DWORD e : events) out.emplace_back(e, wnd, child);
  return out;
}

}  // namespace

// Every owner-drawn button kind: role, name and state as read back (also
// from another apartment), the events of a click, of a setter and of a
// setter that changes nothing, Space, and an object that outlives its window.
TEST(Accessibility, ButtonsTellWhatTheyAreAndReportEachChange) {
  Session session;
  viewtest::HostWindow host(true, 640, 200);
  Gdiplus::Font font(L"Arial", 12.0f, Gdiplus::FontStyleRegular, Gdiplus::UnitPixel);
  auto image = viewtest::SolidBitmap(20, 20, 0xFF0000);
  ZuImgButton plain, check;
  ZuSwitchButton radio, push;
  ZuSwitchImageButton tile;
  ZuSectionButton tab;
  plain.CreateButton(host, 1, true);
  plain.Init(image.get(), 10, 10, image.get(), nullptr, 0, 0, 0, 0);
  plain.SetTooltip(L"Tip only");
  check.CreateButton(host, 2, true);
  check.Init(image.get(), 40, 10, image.get(), L"&Check", kBASImgButtonTextRight, 0, 0, 1);
  for (ZuSwitchButton* s : {&radio, &push}) s->CreateButton(host, &font, 3);
  radio.Init(10, 50, L"Radio", 0xFFFFFF, 0, 0xFF0000, 0);
  push.SetRadio(false).Init(110, 50, L"&Push", 0xFFFFFF, 0, 0xFF0000, 0);  // named without '&'
  tile.CreateButton(host, &font, 4);
  tile.Init(210, 50, L"Tile", 0xFFFFFF, 0, image.get(), 0xFF0000, 0, image.get());
  RECT r1 = {10, 120, 90, 150};
  tab.Create(host, &r1, L"", 0, 0, 5);
  tab.SetCheckStyle(true).SetText(L"Tab");

  // The state while the press is held, then after the release: a tile is
  // chosen only once released.
  struct {
    HWND wnd;
    LONG role;
    const wchar_t* name;
    LONG held, chosen;
    std::vector<Event> on_click;
  } cases[] = {
      {plain, ROLE_SYSTEM_PUSHBUTTON, L"Tip only", 0, 0, {}},
      {check, ROLE_SYSTEM_CHECKBUTTON, L"Check", kChecked, kChecked, Events(check, {kState})},
      {radio, ROLE_SYSTEM_RADIOBUTTON, L"Radio", kChecked, kChecked, Events(radio, {kState, kSelection})},
      {push, ROLE_SYSTEM_PUSHBUTTON, L"Push", 0, 0, {}},
      {tile, ROLE_SYSTEM_RADIOBUTTON, L"Tile", 0, kChecked, Events(tile, {kState, kSelection})},
      {tab, ROLE_SYSTEM_PAGETAB, L"Tab", kSelected, kSelected, Events(tab, {kState, kSelection})},
  };
  session.Events();
  for (const auto& c : cases) {
    EXPECT_EQ(Read(c.wnd), Look(c.role, 0, c.name));
    viewtest::MouseDown(c.wnd, POINT{3, 3});
    EXPECT_EQ(Read(c.wnd), Look(c.role, c.held, c.name));
    viewtest::MouseUp(c.wnd, POINT{3, 3});
    EXPECT_EQ(Read(c.wnd), Look(c.role, c.chosen, c.name));
    EXPECT_EQ(session.Events(), c.on_click) << c.name;
  }

  // Setters: one event per change, none for a call that changes nothing.
  check.SetChecked(false);
  EXPECT_EQ(session.Events(), Events(check, {kState}));
  check.SetChecked(false);
  radio.ResetStatus();
  radio.ResetStatus();
  EXPECT_EQ(session.Events(), Events(radio, {kState}));
  tab.ResetStatus().SetPressedStatus();
  EXPECT_EQ(session.Events(), Events(tab, {kState, kState, kSelection}));
  tile.SetText(L"Renamed");
  EXPECT_EQ(session.Events(), Events(tile, {EVENT_OBJECT_NAMECHANGE}));
  EXPECT_EQ(Read(tile), Look(ROLE_SYSTEM_RADIOBUTTON, kChecked, L"Renamed"));
  push.EnableWindow(FALSE);
  push.EnableWindow(FALSE);
  EXPECT_EQ(session.Events(), Events(push, {kState}));
  EXPECT_NE(Number(Open(push).get(), &IAccessible::get_accState) & STATE_SYSTEM_UNAVAILABLE, 0);

  // The default action is the click: the check box toggles, the parent hears.
  host.ClearSeen();
  EXPECT_EQ(Open(check)->accDoDefaultAction(Child(CHILDID_SELF)), S_OK);
  EXPECT_EQ(Name(Open(check).get(), CHILDID_SELF, &IAccessible::get_accDefaultAction), L"Uncheck");

  // Space on the focused button: the check box toggles, the switch latches;
  // a release without a press does nothing.
  viewtest::BringToFront(host);
  SetFocus(check);
  viewtest::KeyUp(VK_SPACE);
  viewtest::PressKey(VK_SPACE);
  EXPECT_FALSE(check.IsChecked());
  SetFocus(radio);
  viewtest::PressKey(VK_SPACE);
  EXPECT_EQ(std::get<1>(Read(radio)), kChecked);
  EXPECT_EQ(host.CountCommands(check, BN_CLICKED), 2);
  EXPECT_EQ(host.CountCommands(radio, BN_CLICKED), 1);

  // From another apartment the object answers through COM's proxies while
  // the window's thread pumps.
  HWND wnd = radio;
  Look seen;
  std::atomic<bool> done{false};
  std::thread worker([&] {
    CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    seen = Read(wnd);
    CoUninitialize();
    done = true;
  });
  viewtest::PumpUntil([&] { return done.load(); }, 10000);
  worker.join();
  EXPECT_EQ(seen, Look(ROLE_SYSTEM_RADIOBUTTON, kChecked, L"Radio"));

  // Once the window is gone, a client still holding its object gets errors.
  Acc held = Open(wnd);
  DestroyWindow(wnd);
  VARIANT v = {};
  BSTR text = nullptr;
  EXPECT_TRUE(FAILED(held->get_accRole(Child(CHILDID_SELF), &v)));
  EXPECT_TRUE(FAILED(held->get_accName(Child(CHILDID_SELF), &text)));
  EXPECT_TRUE(FAILED(held->accDoDefaultAction(Child(CHILDID_SELF))));
}

// The list's rows and the header's check box are children; their default
// action is the click's path, so the can-check function and the callback
// run; the drop-down items of the combo box likewise; the closed combo's
// value is its checked texts; an edit without a name takes its tip.
TEST(Accessibility, ListHeaderComboAndEditExposeTheirItems) {
  Session session;
  viewtest::HostWindow host(true, 700, 400);
  host.on_message = [](UINT msg, WPARAM, LPARAM lparam, LRESULT&) {
    auto* info = reinterpret_cast<NMLVDISPINFOW*>(lparam);
    if (msg == WM_NOTIFY && info->hdr.code == LVN_GETDISPINFOW && (info->item.mask & LVIF_TEXT))
      lstrcpynW(info->item.pszText, std::to_wstring(info->item.iItem).c_str(), 8);
    return false;
  };
  auto box = viewtest::SolidBitmap(12, 12, 0x00FF00);
  std::vector<int> checked(4, 0), reports;
  ZuListView list;
  list.SetCheckBoxImage(box.get(), box.get(), box.get());
  RECT area = {10, 10, 400, 300};
  list.CreateListView(host, area, 7, false, true, false);
  list.SetFuncGetCheckState([&](int row) { return checked[row] != 0; });
  list.SetFuncSetCheckState([&](int row, bool on) { checked[row] = on; });
  list.SetTestCanCheckFunc([](int row) { return row != 3; });
  list.SetItemCheckedChangeCallback([&](HWND, int row) { reports.push_back(row); });
  list.SetItemCount(4);
  checked[0] = 1;
  session.Events();

  Acc rows = Open(list);
  long count = 0;
  EXPECT_TRUE(rows->get_accChildCount(&count) == S_OK && count == 4);
  EXPECT_EQ(Read(rows.get()), Look(ROLE_SYSTEM_LIST, 0, L"<none>"));
  EXPECT_EQ(Read(rows.get(), 1), Look(ROLE_SYSTEM_LISTITEM, kChecked, L"0"));
  EXPECT_EQ(rows->accDoDefaultAction(Child(2)), S_OK);
  EXPECT_EQ(rows->accDoDefaultAction(Child(4)), S_OK);  // refused by the can-check function
  EXPECT_EQ(checked, (std::vector<int>{1, 1, 0, 0}));
  EXPECT_EQ(reports, std::vector<int>{1});
  EXPECT_EQ(Read(rows.get(), 2), Look(ROLE_SYSTEM_LISTITEM, kChecked | kSelected, L"1"));
  EXPECT_EQ(session.Events(), Events(list, {kState}, 2));

  HWND header = list.GetInnerHeader();
  EXPECT_EQ(Read(header, 1), Look(ROLE_SYSTEM_CHECKBUTTON, 0, L"Select all"));
  EXPECT_EQ(Open(header)->accDoDefaultAction(Child(1)), S_OK);
  EXPECT_EQ(Read(header, 1), Look(ROLE_SYSTEM_CHECKBUTTON, kChecked, L"Select all"));
  EXPECT_EQ(checked, (std::vector<int>{1, 1, 1, 1}));
  // Each row the check-all changed (all on screen), then the box itself.
  EXPECT_EQ(session.Events(),
            (std::vector<Event>{{kState, list, 3}, {kState, list, 4}, {kState, header, 1}}));
  // Unchecking a row clears the box and checking the last row ticks it:
  // the row's event, then the box's.
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(rows->accDoDefaultAction(Child(2)), S_OK);
    EXPECT_EQ(session.Events(), (std::vector<Event>{{kState, list, 2}, {kState, header, 1}}));
  }
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
  COMBOBOXINFO info = {sizeof(info), {}, {}, 0, nullptr, nullptr, nullptr};
  GetComboBoxInfo(combo, &info);
  HWND drop = info.hwndList;
  EXPECT_EQ(Read(drop, 2), Look(ROLE_SYSTEM_LISTITEM, 0, L"Pear"));
  EXPECT_EQ(Read(drop, 3), Look(ROLE_SYSTEM_LISTITEM, kChecked, L"Plum"));
  EXPECT_EQ(Open(drop)->accDoDefaultAction(Child(2)), S_OK);
  EXPECT_EQ(combo.GetCheck(1), 1);
  EXPECT_EQ(host.CountCommands(combo, CBN_SELCHANGE), 1);
  combo.SetCheck(1, 1);  // no change
  EXPECT_EQ(session.Events(),
            (std::vector<Event>{{kState, drop, 2}, {EVENT_OBJECT_VALUECHANGE, combo, 0}}));
  SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0);
  const std::wstring value = Name(Open(combo).get(), CHILDID_SELF, &IAccessible::get_accValue);
  EXPECT_EQ(value, viewtest::TextOf(combo));
  EXPECT_NE(value.find(L"Pear"), std::wstring::npos);

  ZuEdit edit;
  RECT field = {420, 250, 620, 280};
  edit.Create(host, field);
  edit.setTipValue(L"Search");
  EXPECT_EQ(Name(Open(edit).get()), L"Search");
}

// One button of each owner-drawn kind in a row, normal surfaces red.
struct ButtonRow {
  viewtest::HostWindow host{true, 400, 100};
  Gdiplus::Font font{L"Arial", 12.0f, Gdiplus::FontStyleRegular, Gdiplus::UnitPixel};
  std::unique_ptr<Gdiplus::Bitmap> image = viewtest::SolidBitmap(40, 30, 0x3060C0);
  ZuImgButton plain;
  ZuSwitchButton radio;
  ZuSwitchImageButton tile;
  ZuSectionButton tab;
  ButtonRow() {
    plain.CreateButton(host, 1, true);
    plain.Init(image.get(), 10, 10, image.get(), nullptr, 0, 0, 0, 0);
    radio.CreateButton(host, &font, 2);
    radio.Init(80, 10, L"Radio", RGB(255, 0, 0), 0, RGB(0, 255, 0), 0);
    tile.CreateButton(host, &font, 3);
    tile.Init(180, 10, L"Tile", RGB(255, 0, 0), 0, image.get(), RGB(0, 255, 0), 0, image.get());
    RECT rect = {300, 10, 380, 50};
    tab.Create(host, &rect, L"Tab", 0, 0, 4);
    tab.SetFont(&font).SetColorOfNormalStatus(RGB(255, 0, 0), 0, 0).Load(true);
    viewtest::BringToFront(host);
    viewtest::PumpUntilIdle();
  }
};

// A focused button shows its focus cue, a dotted frame inset 2 pixels, only
// while the window's focus cues are on; with them off (the state after mouse
// use) its pixels are exactly those it shows unfocused.
//
// While high contrast is on, the buttons paint with the system's colours;
// the setting's change message repaints them. Wine cannot switch high
// contrast on (SPI_SETHIGHCONTRAST fails), so the test sets the library's
// own answer to "is it on" and sends the message as a window passes it on.
// A face kept from before a change of contrast or of height is never shown
// again, even at a repaint that no message announced (the window uncovered).
TEST(ButtonLooks, FocusCueAndHighContrastFollowTheirSettings) {
  ButtonRow row;
  auto cues = [&](WORD action) {
    SendMessageW(row.host, WM_CHANGEUISTATE, MAKEWPARAM(action, UISF_HIDEFOCUS), 0);
    viewtest::PumpUntilIdle();
  };
  for (HWND wnd : std::vector<HWND>{row.plain, row.radio, row.tile, row.tab}) {
    const viewtest::Image unfocused = viewtest::CaptureClient(wnd);
    SetFocus(wnd);
    viewtest::PumpUntilIdle();
    EXPECT_EQ(viewtest::CaptureClient(wnd).pixels, unfocused.pixels);
    cues(UIS_CLEAR);  // the window's children repaint at once
    const viewtest::Image cue = viewtest::CaptureClient(wnd);
    int on_frame = 0, elsewhere = 0;
    for (int i = 0; i < cue.width * cue.height; ++i) {
      const int x = i % cue.width, y = i / cue.width;  // the frame is where the least is 0
      const int inset = std::min({x - 2, y - 2, cue.width - 3 - x, cue.height - 3 - y});
      if (cue.pixels[i] != unfocused.pixels[i]) ++(inset == 0 ? on_frame : elsewhere);
    }
    EXPECT_GT(on_frame, cue.width / 2);
    EXPECT_EQ(elsewhere, 0);
    cues(UIS_SET);
    EXPECT_EQ(viewtest::CaptureClient(wnd).pixels, unfocused.pixels);
    cues(UIS_CLEAR);
    SetFocus(row.host);
    viewtest::PumpUntilIdle();
    EXPECT_EQ(viewtest::CaptureClient(wnd).pixels, unfocused.pixels);
    cues(UIS_SET);
  }

  const uint32_t face = viewtest::Rgb(GetSysColor(COLOR_BTNFACE));
  ASSERT_NE(face, 0xFF0000u);
  const struct { int contrast; UINT msg; } steps[] = {
      {0, WM_PAINT}, {1, WM_SETTINGCHANGE}, {0, WM_PAINT}, {0, WM_SIZE}, {1, WM_SYSCOLORCHANGE}};
  for (HWND wnd : std::vector<HWND>{row.radio, row.tile, row.tab}) {  // the image button's is its image
    for (const auto& step : steps) {
      view::frame::SetHighContrastForTesting(step.contrast);
      const SIZE size = viewtest::ClientSize(wnd);
      if (step.msg == WM_PAINT) RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE);
      if (step.msg == WM_SIZE) SetWindowPos(wnd, nullptr, 0, 0, size.cx, size.cy + 9, SWP_NOMOVE);
      if (step.msg != WM_PAINT && step.msg != WM_SIZE) SendMessageW(wnd, step.msg, SPI_SETHIGHCONTRAST, 0);
      viewtest::PumpUntilIdle();
      EXPECT_EQ(viewtest::CaptureClient(wnd).At(3, viewtest::ClientSize(wnd).cy - 3),
                step.contrast ? face : 0xFF0000u) << step.msg;
    }
  }
  view::frame::SetHighContrastForTesting(-1);
}

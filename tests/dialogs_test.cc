// Controls made from a dialog template by class name and driven with real
// keys through a dialog message loop (IsDialogMessage).
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "harness.h"
#include "robust.h"
#include "view/internal/frame/button_layout.h"
#include "view/internal/frame/window_impl.h"
#include "view/view.h"

namespace {

std::vector<int> g_clicks;  // ids of the BN_CLICKED the dialog heard

INT_PTR CALLBACK DialogProc(HWND dlg, UINT msg, WPARAM wparam, LPARAM lparam) {
  if (msg == WM_COMMAND && HIWORD(wparam) == BN_CLICKED) g_clicks.push_back(LOWORD(wparam));
  LRESULT result = 0;
  if (view::ReflectNotification(dlg, msg, wparam, lparam, &result)) {
    SetWindowLongPtrW(dlg, DWLP_MSGRESULT, result);
    return TRUE;
  }
  return msg == WM_INITDIALOG;
}

// Presses each key through the dialog loop; returns the focused ids after each.
std::vector<int> Keys(HWND dlg, std::vector<WORD> keys) {
  std::vector<int> focus;
  for (WORD key : keys) {
    keybd_event(static_cast<BYTE>(key), 0, 0, 0);  // real input; the harness's pump has no
    keybd_event(static_cast<BYTE>(key), 0, KEYEVENTF_KEYUP, 0);  // dialog loop
    MSG m;
    for (DWORD end = GetTickCount() + 60; GetTickCount() < end; Sleep(5)) {
      while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
        if (!IsDialogMessageW(dlg, &m)) {
          TranslateMessage(&m);
          DispatchMessageW(&m);
        }
      }
    }
    focus.push_back(GetDlgCtrlID(GetFocus()));
  }
  return focus;
}

TEST(Dialogs, TemplateControlsWorkFromTheKeyboard) {
  ASSERT_TRUE(view::RegisterWindowClasses());
  ASSERT_TRUE(view::RegisterWindowClasses());  // a second call is harmless
  const std::vector<WORD> tmpl = viewtest::EveryControlTemplate(WS_POPUP | WS_VISIBLE);
  const int count = reinterpret_cast<const DLGTEMPLATE*>(tmpl.data())->cdit;
  HWND dlg = CreateDialogIndirectParamW(GetModuleHandleW(nullptr),
                                        reinterpret_cast<const DLGTEMPLATE*>(tmpl.data()),
                                        nullptr, DialogProc, 0);
  ASSERT_NE(dlg, nullptr);
  viewtest::BringToFront(dlg);
  auto item = [&](int id) { return GetDlgItem(dlg, id); };

  // Each window is its wrapper's kind and no other; the list got its header box.
  EXPECT_EQ(HWND(ZuEdit::FromWindow(item(1))), item(1));
  EXPECT_EQ(HWND(ZuComboBox::FromWindow(item(5))), item(5));
  EXPECT_EQ(HWND(ZuLink::FromWindow(item(6))), item(6));
  EXPECT_EQ(HWND(ZuImgButton::FromWindow(item(7))), nullptr);
  EXPECT_EQ(HWND(ZuSwitchButton::FromWindow(item(9))), nullptr);
  EXPECT_EQ(HWND(ZuTreeViewCheckBox::FromWindow(nullptr)), nullptr);
  EXPECT_EQ(ZuEdit::FromWindow(dlg).Create(dlg), nullptr);  // an empty wrapper stays empty
  ZuListView list = ZuListView::FromWindow(item(3));
  EXPECT_TRUE(view::frame::IsLibraryWindow(list.GetInnerHeader()));
  EXPECT_EQ(GetWindowLongPtrW(item(5), GWL_STYLE) & 0xFF, CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED);

  // Configured as usual after creation.
  int enters = 0;
  ZuEdit::FromWindow(item(1)).setFuncEnterCallback([&] { ++enters; });
  auto box = view::MakeStockImage(view::StockImage::kCheckBoxChecked);
  list.SetCheckBoxImage(box.get(), box.get(), box.get());
  std::vector<bool> checks(3, false);
  list.SetFuncGetCheckState([&](int row) { return bool(checks[row]); });
  list.SetFuncSetCheckState([&](int row, bool on) { checks[row] = on; });
  list.SetTestCanCheckFunc([](int row) { return row != 1; });
  LVCOLUMNW column = {LVCF_WIDTH, 0, 50, nullptr, 0, 0, 0, 0, 0, 0, 0};
  SendMessageW(item(3), LVM_INSERTCOLUMNW, 0, LPARAM(&column));
  list.SetItemHeight(20);
  list.SetItemCount(3);
  ZuTreeViewCheckBox tree = ZuTreeViewCheckBox::FromWindow(item(4));
  HTREEITEM leaf = tree.AppendItem(nullptr, 0, L"leaf", nullptr, 0, 0, false, -1);
  SendMessageW(item(4), TVM_SELECTITEM, TVGN_CARET, LPARAM(leaf));
  ZuSectionButton::FromWindow(item(10)).SetCheckStyle(true);
  view::ExclusiveGroup group;
  std::vector<int> latched;
  group.SetCallback([&](int index) { latched.push_back(index); });
  group.Add(ZuSwitchButton::FromWindow(item(7)));
  group.Add(ZuSwitchButton::FromWindow(item(8)));
  group.Add(ZuSwitchImageButton::FromWindow(item(9)));
  group.Add(ZuSectionButton::FromWindow(item(10)));

  // Tab visits every control in template order.
  SetFocus(item(1));
  EXPECT_EQ(Keys(dlg, std::vector<WORD>(count, VK_TAB)),
            (std::vector<int>{2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 1}));
  // Enter in the edit runs its callback; elsewhere it clicks the default button.
  Keys(dlg, {VK_RETURN});
  EXPECT_EQ(enters, 1);
  SetFocus(item(5));
  Keys(dlg, {VK_RETURN});
  EXPECT_EQ(g_clicks, std::vector<int>{2});
  // Escape reaches the dialog (IDCANCEL, which is 2 as well) from the edit too.
  SetFocus(item(1));
  Keys(dlg, {VK_ESCAPE});
  EXPECT_EQ(g_clicks, (std::vector<int>{2, IDCANCEL}));

  // Space toggles the focused list row through the click path (row 1 refuses).
  SetFocus(item(3));
  ListView_SetItemState(item(3), 0, LVIS_FOCUSED, LVIS_FOCUSED);
  Keys(dlg, {VK_SPACE, VK_DOWN, VK_SPACE, VK_DOWN, VK_SPACE});
  EXPECT_EQ(checks, (std::vector<bool>{true, false, true}));
  // A tree from a template takes its images afterwards: the ticked box shows.
  auto empty = view::MakeStockImage(view::StockImage::kCheckBoxUnchecked);
  tree.SetImages(nullptr, nullptr, box.get(), empty.get());
  SetFocus(item(4));
  Keys(dlg, {VK_SPACE});
  EXPECT_EQ(tree.GetItemCheck(leaf), 1);
  EXPECT_GT(viewtest::CaptureClient(item(4)).Count(0x2B579A), 20);
  // The focused row of the list and of the tree shows a focus cue (Wine keeps
  // no UI state, so a dialog there always shows cues).
  for (int id : {3, 4}) {
    SetFocus(item(id));
    const viewtest::Image focused = (Keys(dlg, {VK_SHIFT}), viewtest::CaptureClient(item(id)));
    SetFocus(item(1));
    Keys(dlg, {VK_SHIFT});
    EXPECT_NE(focused.pixels, viewtest::CaptureClient(item(id)).pixels) << id;
  }
  // The default image button draws its frame.
  EXPECT_EQ(viewtest::CaptureClient(item(2)).At(0, 0), viewtest::Rgb(GetSysColor(COLOR_WINDOWFRAME)));

  // Arrows move and latch within the group and stop at its edges; the group
  // keeps one latched through keys and clicks.
  SetFocus(item(7));
  EXPECT_EQ(Keys(dlg, {VK_SPACE, VK_RIGHT, VK_DOWN, VK_RIGHT, VK_RIGHT, VK_LEFT, VK_UP, VK_UP,
                       VK_LEFT}),
            (std::vector<int>{7, 8, 9, 10, 10, 9, 8, 7, 7}));
  EXPECT_EQ(latched, (std::vector<int>{0, 1, 2, 3, 2, 1, 0}));
  viewtest::Click(item(9), {5, 5});
  std::vector<LRESULT> states;
  for (int id = 7; id <= 10; ++id) states.push_back(SendMessageW(item(id), BM_GETCHECK, 0, 0));
  EXPECT_EQ(states, (std::vector<LRESULT>{0, 0, 1, 0}));
  EXPECT_EQ(group.Latched(), 2);
  {  // A button added to a second group leaves the first.
    view::ExclusiveGroup second;
    EXPECT_EQ(second.Add(ZuSwitchButton::FromWindow(item(1))), -1);  // an empty wrapper
    EXPECT_EQ(second.Add(ZuSwitchButton::FromWindow(item(8))), 0);
    viewtest::Click(item(8), {5, 5});
    EXPECT_EQ(group.Latched(), 2);
  }
  viewtest::Click(item(7), {5, 5});  // the second group is gone: nothing dangles
  // Lives of a group holding a button give every heap byte back.
  auto lives = [&] {
    for (int i = 0; i < 200; ++i) view::ExclusiveGroup().Add(ZuSwitchButton::FromWindow(item(8)));
    return viewtest::SnapshotCounters().private_bytes;
  };
  const auto bytes = lives();
  EXPECT_EQ(lives(), bytes);

  // A caption's ampersand is not drawn: its letter is underlined while cues
  // show (always on Wine), and Alt + the letter clicks the button.
  Gdiplus::Font font(L"Tahoma", 14.0f, Gdiplus::FontStyleRegular, Gdiplus::UnitPixel);
  ZuSectionButton go = ZuSectionButton::FromWindow(item(11));
  auto shot = [&](const wchar_t* text) {
    SetWindowTextW(item(11), text);
    go.SetFont(&font).SetColorOfNormalStatus(RGB(255, 255, 255), 0, RGB(255, 255, 255)).Load(true);
    RedrawWindow(item(11), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);  // the application's part
    return viewtest::CaptureClient(item(11));
  };
  const viewtest::Image plain = shot(L"Go"), marked = shot(L"&Go");
  ASSERT_EQ(marked.width, plain.width);  // measured without the ampersand
  int rows = 0;  // the rows the underline changed
  for (int y = 0; y < plain.height; ++y) {
    rows += !std::equal(&plain.pixels[y * plain.width], &plain.pixels[(y + 1) * plain.width],
                        &marked.pixels[y * plain.width]);
  }
  EXPECT_TRUE(rows >= 1 && rows <= 2) << rows;
  const view::frame::MnemonicCaption shown = view::frame::ParseMnemonic(L"a&&b&c&d&");
  EXPECT_EQ(shown.text + L"|" + std::to_wstring(shown.index), L"a&bcd|3");  // the first mark counts
  g_clicks.clear();
  ZuSwitchButton::FromWindow(item(8)).SetText(L"&Ok");  // where the dialog looks: window text
  ZuSwitchImageButton::FromWindow(item(9)).SetText(L"&Tile");
  for (BYTE key : {'G', 'O', 'T'}) {
    keybd_event(VK_MENU, 0, 0, 0);
    Keys(dlg, {key});
    keybd_event(VK_MENU, 0, KEYEVENTF_KEYUP, 0);
    Keys(dlg, {VK_SHIFT});
  }
  EXPECT_EQ(g_clicks, (std::vector<int>{11, 8, 9}));  // a tile's click is reported too

  // The wrappers' create calls make tab stops too (the windows outlive the wrappers).
  for (HWND made : {ZuImgButton().CreateButton(dlg, 50, true),
                    ZuSwitchButton().CreateButton(dlg, nullptr, 51),
                    ZuSwitchImageButton().CreateButton(dlg, nullptr, 52), ZuSectionButton().Create(dlg),
                    ZuTreeViewCheckBox().CreateTree(dlg, 53, {0, 0, 9, 9}, 0, nullptr, nullptr,
                                                    nullptr, nullptr)}) {
    EXPECT_NE(GetWindowLongPtrW(made, GWL_STYLE) & WS_TABSTOP, 0);
  }
  DestroyWindow(dlg);
}

}  // namespace

// A drop-down list whose items carry check boxes. The check state of an item
// is its item data; each check the user makes reaches the parent as
// CBN_SELCHANGE. The owner-drawn box measures its items while it is being
// created, which reaches it through view::ReflectNotification too.
#include "example.h"

#include <string>

namespace {

struct ComboBoxExample : example::Content {
  HFONT font = CreateFontW(-13, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0,
                           L"Tahoma");
  ZuComboBox combo;

  void Build(HWND wnd) {
    RECT rect = {20, 20, 240, 220};  // the height is the open list's
    combo.Create(wnd, &rect, nullptr,
                 WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED |
                     CBS_HASSTRINGS,
                 0, 1);
    SendMessageW(combo, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);  // borrowed
    for (const wchar_t* fruit : {L"Apple", L"Banana", L"Cherry", L"Grape", L"Pear"}) {
      SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(fruit));
    }
    combo.SetCheck(0, 1);
    combo.SetCheck(2, 1);  // the closed box shows "Apple, Cherry"
  }
  ~ComboBoxExample() { DeleteObject(font); }  // the window is gone by now
};

}  // namespace

int main(int argc, char** argv) {
  return example::Run<ComboBoxExample>(argc, argv, L"Combo box", 260, 70,
                                       example::ReflectingProc);
}

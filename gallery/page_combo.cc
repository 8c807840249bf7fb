// Combo boxes whose items carry check boxes: one open with several rows
// checked, one closed and too narrow for the joined text of its checks.

#include <string>

#include "gallery.h"

namespace {

const wchar_t* const kFruits[] = {L"Apple",  L"Apricot", L"Banana", L"Cherry",
                                  L"Fig",    L"Grape",   L"Kiwi",   L"Lemon",
                                  L"Mango",  L"Pear",    L"Plum",   L"Quince"};
constexpr DWORD kStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST |
                         CBS_OWNERDRAWFIXED | CBS_HASSTRINGS;

class ComboPage : public gallery::Page {
 public:
  void Build(HWND panel) override {
    gallery::AddLabel(panel,
                      L"Each row carries a check box. Clicks and the space key check rows "
                      L"while the list stays open; the closed box shows the checked rows "
                      L"joined by the user's list separator.",
                      24, 20, 900, 40);
    gallery::AddLabel(panel, L"Open, twelve items, five checked", 24, 72, 300, 20);
    gallery::AddLabel(panel, L"Closed and narrow: the text ends in an ellipsis", 380, 72, 400,
                      20);
    Make(open_, panel, 24, 96, 280, 1);
    Make(closed_, panel, 380, 96, 180, 2);
    for (int index : {0, 3, 5, 9, 10}) open_.SetCheck(index, 1);
    closed_.SelectAll(1);
    closed_.SetCheck(1, 0);
    text_ = gallery::AddLabel(panel, L"", 380, 140, 560, 40);
    Describe();
  }

  void Shown(HWND) override {
    SendMessageW(open_, CB_SHOWDROPDOWN, TRUE, 0);
  }

 private:
  static void Make(ZuComboBox& combo, HWND panel, int x, int y, int width, int id) {
    RECT rect = {x, y, x + width, y + 320};
    combo.Create(panel, rect, nullptr, kStyle, 0, id);
    SendMessageW(combo, WM_SETFONT, reinterpret_cast<WPARAM>(gallery::LabelFont()), FALSE);
    for (const wchar_t* fruit : kFruits) {
      SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(fruit));
    }
  }

  void Describe() {
    const int length = GetWindowTextLengthW(closed_);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    GetWindowTextW(closed_, &text[0], length + 1);
    text.resize(static_cast<size_t>(length));
    const std::wstring label = L"Its text (" + std::to_wstring(length) + L" characters): " + text;
    SetWindowTextW(text_, label.c_str());
  }

  ZuComboBox open_;
  ZuComboBox closed_;
  HWND text_ = nullptr;
};

}  // namespace

VIEW_GALLERY_PAGE(600, L"Combo box with check boxes", ComboPage);

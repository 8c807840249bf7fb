// A segmented choice: three switch buttons side by side, one selected. In
// radio mode (the default) a clicked button stays pressed until ResetStatus.
#include "example.h"

namespace {

struct SwitchButtonExample : example::Content {
  Gdiplus::Font font{L"Tahoma", 13.0f, Gdiplus::FontStyleRegular, Gdiplus::UnitPixel};
  ZuSwitchButton buttons[3];

  void Build(HWND wnd) {
    const wchar_t* captions[] = {L"Day", L"Week", L"Month"};
    int x = 20;
    for (int i = 0; i < 3; ++i) {
      HWND button = buttons[i].CreateButton(wnd, &font, 100 + i);  // the font is borrowed
      buttons[i].SetHMargin(18).SetVMargin(7);
      buttons[i].Init(x, 20, captions[i], RGB(0xE8, 0xEE, 0xF6), RGB(0x2B, 0x57, 0x9A),
                      RGB(0x2B, 0x57, 0x9A), RGB(255, 255, 255));
      RECT rect;
      GetWindowRect(button, &rect);
      x += rect.right - rect.left + 1;
    }
    buttons[1].SetPressedStatus();
  }
};

}  // namespace

int main(int argc, char** argv) {
  return example::Run<SwitchButtonExample>(argc, argv, L"Switch button", 260, 80,
                                           example::ReflectingProc);
}

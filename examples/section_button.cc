// Two tab-like section buttons: check style keeps the pressed one pressed.
// Setters neither lay out nor repaint: reload() sizes each button at the end.
#include "example.h"

namespace {

struct SectionButtonExample : example::Content {
  Gdiplus::Font font{L"Tahoma", 13.0f, Gdiplus::FontStyleRegular, Gdiplus::UnitPixel};
  ZuSectionButton sections[2];

  void Build(HWND wnd) {
    const wchar_t* captions[] = {L"General", L"Advanced"};
    int x = 20;
    for (int i = 0; i < 2; ++i) {
      RECT rect = {x, 20, x + 100, 52};
      sections[i].Create(wnd, &rect, captions[i], 0, 0, 10 + i);
      sections[i].SetFont(&font).SetCheckStyle(true).SetHMargin(14).SetVMargin(6);
      sections[i].SetColorOfNormalStatus(RGB(255, 255, 255), RGB(0x30, 0x30, 0x30),
                                         RGB(0xC0, 0xC8, 0xD0));
      sections[i].SetColorOfPressedStatus(RGB(0x2B, 0x57, 0x9A), RGB(255, 255, 255),
                                          RGB(0x2B, 0x57, 0x9A));
      sections[i].SetColorOfHoverStatus(RGB(0xE8, 0xEE, 0xF6), RGB(0x30, 0x30, 0x30),
                                        RGB(0x2B, 0x57, 0x9A));
      x += sections[i].reload(0, 0).cx + 8;
    }
    sections[0].SetPressedStatus();
    InvalidateRect(sections[0], nullptr, TRUE);
  }
};

}  // namespace

int main(int argc, char** argv) {
  return example::Run<SectionButtonExample>(argc, argv, L"Section button", 260, 80,
                                            example::ReflectingProc);
}

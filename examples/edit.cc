// A text box with a tip shown while it is empty and a callback for Enter. Its
// white background is its answer to the reflected WM_CTLCOLOREDIT.
#include "example.h"

namespace {

struct EditExample : example::Content {
  HFONT font = CreateFontW(-15, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0,
                           L"Tahoma");
  ZuEdit search, name;

  void Build(HWND wnd) {
    RECT rect = {20, 20, 260, 46};
    search.Create(wnd, &rect, nullptr, 0, WS_EX_CLIENTEDGE, 1);
    search.SetFont(font);  // an HFONT, borrowed
    search.setTipValue(L"Search");
    search.setFuncEnterCallback([this] { SetWindowTextW(search, L""); });

    rect = {20, 60, 260, 86};
    name.Create(wnd, &rect, L"Ada Lovelace", 0, WS_EX_CLIENTEDGE, 2);
    name.SetFont(font);
  }
  ~EditExample() { DeleteObject(font); }
};

}  // namespace

int main(int argc, char** argv) {
  return example::Run<EditExample>(argc, argv, L"Edit", 280, 110, example::ReflectingProc);
}

// A soft drop shadow under a borderless window. The shadow is a window of
// its own that follows the parent; it goes with the last wrapper.
#include "example.h"

namespace {

struct ThemedShadowExample : example::Content {
  static constexpr int kShadowMargin = 12;  // the snapshot looks beside the window
  ZuThemedShadowWnd shadow;

  void Build(HWND wnd) {
    shadow.SetShadowSize(8);
    shadow.Create(wnd);  // hooks the parent's window procedure
    shadow.AdjustWindowPos();
  }
};

}  // namespace

int main(int argc, char** argv) {
  return example::Run<ThemedShadowExample>(argc, argv, L"Drop shadow", 240, 140,
                                           example::ReflectingProc);
}

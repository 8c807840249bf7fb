// Closing a top-level window that carries a drop shadow, against closing the
// same window without one: the shadow must leave with its window and add no
// round of waiting of its own. Two reference rows measure what the platform
// itself charges for a second top-level window that goes with its owner, so
// that the shadow's row can be read against that floor.

#include <algorithm>
#include <vector>

#include "bench.h"
#include "view/zu_themed_shadow_wnd.h"

namespace {

constexpr int kPairs = 21;

enum class Companion {
  kNone,          // the window alone
  kShadow,        // the library's drop shadow
  kHiddenPopup,   // an owned popup of the platform's STATIC class, never shown
  kLayeredPopup,  // the same popup layered and shown, hidden when its owner starts to go
};

// Hides an owned popup when its owner starts to go, as the shadow does.
LRESULT CALLBACK HideOwnedPopup(HWND wnd, UINT msg, WPARAM wparam, LPARAM lparam, UINT_PTR,
                                DWORD_PTR popup) {
  if (msg == WM_WINDOWPOSCHANGING &&
      (reinterpret_cast<const WINDOWPOS*>(lparam)->flags & SWP_HIDEWINDOW) != 0) {
    ShowWindow(reinterpret_cast<HWND>(popup), SW_HIDE);
  }
  return DefSubclassProc(wnd, msg, wparam, lparam);
}

// Seconds that DestroyWindow of a fresh 400 x 300 window takes, with the
// messages it leaves behind handled.
double CloseSeconds(Companion companion) {
  HWND host = bench::CreateReflectingHost(400, 300, 100, 100);
  ZuThemedShadowWnd shadow;
  if (companion == Companion::kShadow) {
    shadow.SetShadowSize(8);
    shadow.Create(host);
    shadow.AdjustWindowPos();
  } else if (companion != Companion::kNone) {
    const bool layered = companion == Companion::kLayeredPopup;
    HWND popup = CreateWindowExW(layered ? WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_NOACTIVATE : 0,
                                 L"STATIC", L"", WS_POPUP | (layered ? WS_VISIBLE : 0), 108, 108,
                                 400, 300, host, nullptr, nullptr, nullptr);
    if (layered) {
      SetLayeredWindowAttributes(popup, 0, 128, LWA_ALPHA);
      SetWindowSubclass(host, HideOwnedPopup, 1, reinterpret_cast<DWORD_PTR>(popup));
    }
  }
  bench::PumpUntilIdle();
  return bench::MedianSeconds(
      [host] {
        DestroyWindow(host);
        bench::PumpUntilIdle();
      },
      1, 0);
}

// The median ratio of closing with `companion` to closing alone, over pairs
// whose order alternates, as in the paired rows; the first two pairs warm up.
bench::Ratio CloseRatio(Companion companion) {
  std::vector<double> ratios;
  for (int i = 0; i < kPairs + 2; ++i) {
    const bool companion_first = i % 2 == 0;
    const double first = CloseSeconds(companion_first ? companion : Companion::kNone);
    const double second = CloseSeconds(companion_first ? Companion::kNone : companion);
    if (i >= 2) ratios.push_back(companion_first ? first / second : second / first);
  }
  std::sort(ratios.begin(), ratios.end());
  return bench::Ratio(ratios[ratios.size() / 2], ratios.front(), ratios.back());
}

void ShadowBenchmark(std::vector<bench::Row>& rows) {
  rows.push_back({"close a top-level window with a drop shadow", "the same window without one",
                  CloseRatio(Companion::kShadow), bench::Target::kAtMost, 1.2});
  rows.push_back({"close it with an owned platform popup, never shown",
                  "the same window without one", CloseRatio(Companion::kHiddenPopup),
                  bench::Target::kReport, 0});
  rows.push_back({"close it with an owned layered popup, hidden first",
                  "the same window without one", CloseRatio(Companion::kLayeredPopup),
                  bench::Target::kReport, 0});
}

}  // namespace

VIEW_BENCHMARK(shadow, ShadowBenchmark);

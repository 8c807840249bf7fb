// Closing a top-level window that carries a drop shadow, against closing the
// same window without one: the shadow must leave with its window and add no
// round of waiting of its own.

#include <algorithm>
#include <vector>

#include "bench.h"
#include "view/zu_themed_shadow_wnd.h"

namespace {

constexpr int kPairs = 21;

// Seconds that DestroyWindow of a fresh 400 x 300 window takes, with the
// messages it leaves behind handled.
double CloseSeconds(bool with_shadow) {
  HWND host = bench::CreateReflectingHost(400, 300, 100, 100);
  ZuThemedShadowWnd shadow;
  if (with_shadow) {
    shadow.SetShadowSize(8);
    shadow.Create(host);
    shadow.AdjustWindowPos();
  }
  bench::PumpUntilIdle();
  return bench::MedianSeconds(
      [host] {
        DestroyWindow(host);
        bench::PumpUntilIdle();
      },
      1, 0);
}

void ShadowBenchmark(std::vector<bench::Row>& rows) {
  std::vector<double> ratios;
  for (int i = 0; i < kPairs + 2; ++i) {
    // The order alternates, as in the paired rows; the first two pairs warm up.
    const bool shadow_first = i % 2 == 0;
    const double first = CloseSeconds(shadow_first), second = CloseSeconds(!shadow_first);
    if (i >= 2) ratios.push_back(shadow_first ? first / second : second / first);
  }
  std::sort(ratios.begin(), ratios.end());
  rows.push_back({"close a top-level window with a drop shadow", "the same window without one",
                  bench::Ratio(ratios[ratios.size() / 2], ratios.front(), ratios.back()),
                  bench::Target::kAtMost, 1.2});
}

}  // namespace

VIEW_BENCHMARK(shadow, ShadowBenchmark);

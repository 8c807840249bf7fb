#pragma once

// A small benchmark harness: each row times a piece of work against a baseline
// measured in the same run and reports the ratio. Times are medians of
// repeated runs after a warm-up; only ratios are compared with targets.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "view/platform.h"
#include "view/reflect.h"

namespace bench {

// Median seconds of `reps` runs of `work` after `warmup` unmeasured runs.
// `setup` (optional) runs before each repetition, outside the timing.
double MedianSeconds(const std::function<void()>& work, int reps = 15, int warmup = 2,
                     const std::function<void()>& setup = nullptr);

// A ratio with the spread of the repetitions it came from.
struct Ratio {
  Ratio() = default;
  Ratio(double v) : value(v), lo(v), hi(v) {}  // a single figure: no spread
  Ratio(double v, double low, double high) : value(v), lo(low), hi(high) {}
  double value = 0;  // the median of the repetitions' ratios
  double lo = 0;     // the lowest and highest of them
  double hi = 0;
};

// Times `work` and `base` by turns: `reps` pairs after `warmup` unmeasured
// ones, the one that runs first alternating from pair to pair. Each pair
// gives work time / base time; the ratio is their median, with their
// extremes as the spread. Timing the two back to back keeps the machine's
// load, which drifts between two separate series more than the work
// itself differs, out of the figure. `after_pair` (optional) runs after
// each pair, outside the timing.
Ratio PairedRatio(const std::function<void()>& work, const std::function<void()>& base,
                  int reps = 31, int warmup = 3, const std::function<void()>& after_pair = nullptr);
// The same figure as a rate: base time / work time, spread inverted.
Ratio Inverse(const Ratio& r);

// A `width` x `height` bitmap of one colour, for images the controls borrow.
std::unique_ptr<Gdiplus::Bitmap> Solid(int width, int height, Gdiplus::ARGB colour);

enum class Target { kAtMost, kAtLeast, kReport };

struct Row {
  std::string work;      // what was measured
  std::string baseline;  // what it was measured against
  Ratio ratio;           // work time / baseline time (or rate ratio, as the row says)
  Target target;
  double limit;          // the target value for kAtMost / kAtLeast
  std::string unit = "ratio";
};

// A registered benchmark: runs its measurements and appends rows.
using Benchmark = void (*)(std::vector<Row>& rows);
bool Register(const char* name, Benchmark run);

// Pumps messages until `done` or `timeout_ms`.
bool PumpUntil(const std::function<bool()>& done, DWORD timeout_ms = 60000);
void PumpUntilIdle();

// A visible top-level window at (x, y) with a client area of `width` x
// `height` that reflects its children's notifications back to them through
// view::ReflectNotification, as an application's window does. The caller destroys it. Windows that are
// timed against each other must not overlap: a covered window paints less.
HWND CreateReflectingHost(int width, int height, int x = 50, int y = 50);

}  // namespace bench

#define VIEW_BENCHMARK(name, fn) static const bool bench_registered_##name = ::bench::Register(#name, fn)

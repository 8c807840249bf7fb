// Runs every registered benchmark, prints a table of ratios with their
// targets and writes the same rows as CSV (--csv FILE).

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "bench.h"

namespace bench {
namespace {

struct Entry {
  const char* name;
  Benchmark run;
};

std::vector<Entry>& Entries() {
  static std::vector<Entry> entries;
  return entries;
}

const char* TargetText(const Row& row, char* buffer, size_t size) {
  switch (row.target) {
    case Target::kAtMost: std::snprintf(buffer, size, "<= %.2f", row.limit); break;
    case Target::kAtLeast: std::snprintf(buffer, size, ">= %.2f", row.limit); break;
    case Target::kReport: std::snprintf(buffer, size, "report"); break;
  }
  return buffer;
}

bool Met(const Row& row) {
  switch (row.target) {
    case Target::kAtMost: return row.ratio.value <= row.limit;
    case Target::kAtLeast: return row.ratio.value >= row.limit;
    default: return true;
  }
}

}  // namespace

bool Register(const char* name, Benchmark run) {
  Entries().push_back({name, run});
  return true;
}

double MedianSeconds(const std::function<void()>& work, int reps, int warmup,
                     const std::function<void()>& setup) {
  for (int i = 0; i < warmup; ++i) {
    if (setup) setup();
    work();
  }
  std::vector<double> times;
  for (int i = 0; i < reps; ++i) {
    if (setup) setup();
    const auto start = std::chrono::steady_clock::now();
    work();
    times.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

Ratio PairedRatio(const std::function<void()>& work, const std::function<void()>& base,
                  int reps, int warmup, const std::function<void()>& after_pair) {
  const auto seconds = [](const std::function<void()>& run) {
    const auto start = std::chrono::steady_clock::now();
    run();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  };
  for (int i = 0; i < warmup; ++i) {
    base();
    work();
    if (after_pair) after_pair();
  }
  std::vector<double> ratios;
  for (int i = 0; i < reps; ++i) {
    double b = 0, w = 0;
    if (i % 2 == 0) {
      b = seconds(base);
      w = seconds(work);
    } else {
      w = seconds(work);
      b = seconds(base);
    }
    if (after_pair) after_pair();
    if (b > 0) ratios.push_back(w / b);
  }
  if (ratios.empty()) return Ratio();
  std::sort(ratios.begin(), ratios.end());
  return Ratio(ratios[ratios.size() / 2], ratios.front(), ratios.back());
}

Ratio Inverse(const Ratio& r) {
  const auto inv = [](double v) { return v > 0 ? 1 / v : 0; };
  return Ratio(inv(r.value), inv(r.hi), inv(r.lo));
}

std::unique_ptr<Gdiplus::Bitmap> Solid(int width, int height, Gdiplus::ARGB colour) {
  auto bitmap = std::make_unique<Gdiplus::Bitmap>(width, height, PixelFormat32bppARGB);
  Gdiplus::Graphics graphics(bitmap.get());
  graphics.Clear(Gdiplus::Color(colour));
  return bitmap;
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeout_ms) {
  const DWORD start = GetTickCount();
  while (!done()) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
      if (done()) return true;
    }
    if (GetTickCount() - start > timeout_ms) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
  return true;
}

void PumpUntilIdle() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

namespace {

LRESULT CALLBACK ReflectingHostProc(HWND wnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  LRESULT result = 0;
  if (view::ReflectNotification(wnd, msg, wparam, lparam, &result)) return result;
  return DefWindowProcW(wnd, msg, wparam, lparam);
}

}  // namespace

HWND CreateReflectingHost(int width, int height, int x, int y) {
  static const bool registered = [] {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = ReflectingHostProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"ViewBenchReflectingHost";
    return RegisterClassW(&wc) != 0;
  }();
  if (!registered) return nullptr;
  RECT rect = {0, 0, width, height};
  AdjustWindowRectEx(&rect, WS_POPUP, FALSE, 0);
  HWND host = CreateWindowExW(0, L"ViewBenchReflectingHost", L"", WS_POPUP | WS_VISIBLE, x, y,
                              rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
  PumpUntilIdle();
  return host;
}

}  // namespace bench

int main(int argc, char** argv) {
  const char* csv_path = nullptr;
  const char* only = nullptr;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--csv") == 0 && i + 1 < argc) csv_path = argv[++i];
    if (std::strcmp(argv[i], "--only") == 0 && i + 1 < argc) only = argv[++i];
  }
  INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES | ICC_LINK_CLASS | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);
  Gdiplus::GdiplusStartupInput input;
  ULONG_PTR token = 0;
  if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok) return 2;

  std::vector<bench::Row> rows;
  for (const auto& entry : bench::Entries()) {
    if (only != nullptr && std::strstr(entry.name, only) == nullptr) continue;
    std::fprintf(stderr, "running %s\n", entry.name);
    entry.run(rows);
  }

  std::printf("%-58s %-44s %10s %-17s %10s %s\n", "work", "baseline", "value", "spread", "target",
              "met");
  int missed = 0;
  char target[32];
  for (const auto& row : rows) {
    const bool met = bench::Met(row);
    if (!met) ++missed;
    char spread[32];
    std::snprintf(spread, sizeof(spread), "%.3g-%.3g", row.ratio.lo, row.ratio.hi);
    std::printf("%-58s %-44s %10.4g %-17s %10s %s\n", row.work.c_str(), row.baseline.c_str(),
                row.ratio.value, spread, bench::TargetText(row, target, sizeof(target)),
                met ? "yes" : "NO");
  }
  if (csv_path != nullptr) {
    if (FILE* f = std::fopen(csv_path, "w")) {
      std::fprintf(f, "work,baseline,value,low,high,unit,target,met\n");
      for (const auto& row : rows) {
        std::fprintf(f, "\"%s\",\"%s\",%.6f,%.6f,%.6f,%s,%s,%s\n", row.work.c_str(),
                     row.baseline.c_str(), row.ratio.value, row.ratio.lo, row.ratio.hi,
                     row.unit.c_str(), bench::TargetText(row, target, sizeof(target)),
                     bench::Met(row) ? "yes" : "no");
      }
      std::fclose(f);
    }
  }
  Gdiplus::GdiplusShutdown(token);
  std::printf("%zu rows, %d targets missed\n", rows.size(), missed);
  return 0;
}

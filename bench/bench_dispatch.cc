// The dispatch queue against bare posted messages: 25,000 items from four
// threads, run on the UI thread. Both sides start the same worker threads
// and drain through the same receiving loop until every item arrived; the
// pairs run by turns, since the scheduling of five threads on a small
// machine varies more between two series than the two sides differ.

#include <atomic>
#include <functional>
#include <thread>
#include <vector>

#include "bench.h"
#include "view/dispatch_queue.h"

namespace {

constexpr int kThreads = 4;
constexpr int kItems = 25000;
constexpr UINT kBare = WM_APP + 1;

long g_received = 0;

LRESULT CALLBACK Proc(HWND wnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  if (msg == DispatchQueue::kMainQueueMessage) {
    auto* work = reinterpret_cast<std::function<void()>*>(wparam);
    (*work)();
    delete work;
    return 0;
  }
  if (msg == kBare) {
    ++g_received;
    return 0;
  }
  return DefWindowProcW(wnd, msg, wparam, lparam);
}

// Posts from worker threads while the UI thread drains, until all arrived.
void Run(HWND wnd, bool through_queue) {
  g_received = 0;
  std::vector<std::thread> workers;
  for (int t = 0; t < kThreads; ++t) {
    workers.emplace_back([wnd, through_queue] {
      for (int i = 0; i < kItems / kThreads; ++i) {
        if (through_queue) {
          DispatchQueue::DispatchAsync(DispatchQueue::DispatchGetMainQueue(),
                                       new std::function<void()>([] { ++g_received; }));
        } else {
          while (!PostMessageW(wnd, kBare, 0, 0)) Sleep(0);  // queue full: retry
        }
      }
    });
  }
  bench::PumpUntil([] { return g_received == kItems; });
  for (auto& w : workers) w.join();
}

void DispatchBenchmark(std::vector<bench::Row>& rows) {
  WNDCLASSW wc = {};
  wc.lpfnWndProc = Proc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"ViewBenchDispatch";
  RegisterClassW(&wc);
  HWND wnd = CreateWindowW(wc.lpszClassName, L"", 0, 0, 0, 10, 10, HWND_MESSAGE, nullptr,
                           wc.hInstance, nullptr);
  DispatchQueue::DispatchQueueInit(wnd);
  // A rate ratio: the queue's items per second over bare messages per second.
  const bench::Ratio rate =
      bench::Inverse(bench::PairedRatio([wnd] { Run(wnd, true); }, [wnd] { Run(wnd, false); }, 21, 2));
  DestroyWindow(wnd);
  rows.push_back({"dispatch queue: 25k items from 4 threads, rate", "bare PostMessageW, rate",
                  rate, bench::Target::kAtLeast, 0.9});
}

}  // namespace

VIEW_BENCHMARK(dispatch, DispatchBenchmark);

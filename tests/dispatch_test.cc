// The core an application leans on: work from any thread runs on the UI
// thread (the raw queue and the owned one), and exceptions from the
// application's callbacks reach its handler and never break a control.

#include <gtest/gtest.h>
#include <malloc.h>

#include <atomic>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "harness.h"
#include "view/dispatch_queue.h"
#include "view/exceptions.h"
#include "view/zu_section_button.h"
#include "view/zu_tree_view_check_box.h"

// Blocks of the C runtime heap in use: records that were never freed show.
static int HeapBlocksInUse() {
  _HEAPINFO info = {};
  int used = 0;
  while (_heapwalk(&info) == _HEAPOK) used += info._useflag == _USEDENTRY;
  return used;
}

// An exception handler that records what each exception says.
static std::function<void(std::exception_ptr)> Recorder(std::vector<std::string>& caught) {
  return [&caught](std::exception_ptr e) {
    try { std::rethrow_exception(e); } catch (const std::exception& x) { caught.push_back(x.what()); }
  };
}

// Runs first: nothing is stored before the queue is initialised.
// Both queues, raw and owned: 4 threads post 500 items each; every item runs
// once on the UI thread, in each thread's order, and is freed.
TEST(DispatchQueue, WorkFromManyThreadsRunsOnTheUiThreadInOrder) {
  EXPECT_FALSE(view::PostToUi([] {}));  // before the queue is initialised
  viewtest::HostWindow host;
  DispatchQueue::DispatchQueueInit(host);
  constexpr int kThreads = 4;
  constexpr int kItems = 500;
  const DWORD ui = GetCurrentThreadId();
  std::vector<std::vector<int>> order(kThreads);
  int wrong_thread = 0;
  int ran = 0;
  auto post_all = [&](bool owned) {
    for (auto& o : order) o.clear();
    ran = 0;
    std::vector<std::thread> workers;
    for (int t = 0; t < kThreads; ++t) {
      workers.emplace_back([&, t] {
        for (int i = 0; i < kItems; ++i) {
          const DWORD main_seen = DispatchQueue::GetMainThreadId();  // as the poster sees it
          std::function<void()> work = [&, t, i, main_seen] {
            wrong_thread += GetCurrentThreadId() != ui || main_seen != ui;
            order[t].push_back(i);
            ++ran;
          };
          if (owned) {
            EXPECT_TRUE(view::PostToUi(std::move(work)));
          } else {
            DispatchQueue::DispatchAsync(DispatchQueue::DispatchGetMainQueue(),
                                         new std::function<void()>(std::move(work)));
          }
        }
      });
    }
    for (auto& w : workers) w.join();
    ASSERT_TRUE(viewtest::PumpUntil([&] { return ran == kThreads * kItems; }, 10000));
  };
  for (bool owned : {false, true}) {
    SCOPED_TRACE(owned ? "PostToUi" : "DispatchAsync");
    post_all(owned);  // warm-up: the heap and the queue reach their working size
    const int blocks = HeapBlocksInUse();
    post_all(owned);
    // Every record and work item was freed (a leak would leave 2000 blocks).
    EXPECT_LT(HeapBlocksInUse() - blocks, 50);
    EXPECT_EQ(wrong_thread, 0);
    std::vector<int> expected(kItems);
    for (int i = 0; i < kItems; ++i) expected[i] = i;
    for (int t = 0; t < kThreads; ++t) EXPECT_TRUE(order[t] == expected) << "thread " << t;
  }
}

// Owned work that can no longer run is destroyed, never run and never leaked:
// a null function, work still queued when the queue ends, posts after it
// ended or after the UI thread is gone.
TEST(DispatchQueue, PostToUiDestroysWorkThatCannotRun) {
  viewtest::HostWindow host;
  auto token = std::make_shared<int>(0);
  int ran = 0;
  const auto work = [&ran, token] { ++ran; };
  const long held = token.use_count();  // here and in `work`
  EXPECT_FALSE(view::PostToUi(nullptr));
  DispatchQueue::DispatchQueueInit(host);
  for (int i = 0; i < 10; ++i) EXPECT_TRUE(view::PostToUi(work));
  EXPECT_EQ(token.use_count(), held + 10);
  // Ended (here from another thread), the queue destroys what waits at once.
  std::thread([] { DispatchQueue::FreeDispatchMainQueue(nullptr); }).join();
  EXPECT_EQ(token.use_count(), held);
  const int blocks = HeapBlocksInUse();
  for (int i = 0; i < 10000; ++i) EXPECT_FALSE(view::PostToUi(work));
  EXPECT_LT(HeapBlocksInUse() - blocks, 10);
  std::thread([] { DispatchQueue::DispatchQueueInit(nullptr); }).join();
  EXPECT_FALSE(view::PostToUi(work));  // its thread ended, and its window with it
  viewtest::PumpFor(50);
  EXPECT_EQ(ran, 0);
  EXPECT_EQ(token.use_count(), held);
  // An exception from posted work goes to the handler; the work after it runs.
  DispatchQueue::DispatchQueueInit(host);
  std::vector<std::string> caught;
  view::SetExceptionHandler(Recorder(caught));
  // Each posted alone: a lone post must wake the queue.
  view::PostToUi([] { throw std::runtime_error("work"); });
  EXPECT_TRUE(viewtest::PumpUntil([&] { return !caught.empty(); }));
  view::PostToUi(work);
  EXPECT_TRUE(viewtest::PumpUntil([&] { return ran == 1; }));
  EXPECT_EQ(caught, std::vector<std::string>{"work"});
  view::SetExceptionHandler(nullptr);
}

// A callback that throws inside a click, inside a nested dispatch (a paint
// the click's callback forces) and inside a paint: the handler hears of each
// exception once, the controls keep painting and taking clicks, and their
// lives leave no GDI object behind.
TEST(Exceptions, CallbacksThatThrowReachTheHandlerOnce) {
  std::vector<std::string> caught;
  using Texts = std::vector<std::string>;
  // `seen` is what the handler should hear of in turn (nothing when unset).
  auto life = [&caught](bool seen) {
    viewtest::HostWindow host;
    auto image = viewtest::SolidBitmap(16, 16, 0xFF0000FF);
    ZuSectionButton section;
    RECT rect = {300, 10, 400, 50};
    section.Create(host, &rect, L"S");
    section.SetColorOfNormalStatus(RGB(0, 160, 0), 0, RGB(0, 160, 0));
    bool throw_paint = true, throw_click = true;
    section.setFuncDrawTextAndImage([&](HWND, Gdiplus::Graphics&, RECT&, int) {
      if (throw_paint) throw std::runtime_error("paint");
    });
    ZuTreeViewCheckBox tree;
    HWND wnd = tree.CreateTree(host, nullptr, RECT{10, 10, 210, 210}, RGB(255, 255, 255),
                               image.get(), image.get(), image.get(), image.get());
    HTREEITEM item = tree.AppendItem(nullptr, 0, L"Item", nullptr, 0, 0, false, -1);
    int checks = 0;
    tree.SetCheckItemCallback([&](HTREEITEM, bool) {
      ++checks;
      if (!throw_click) return;
      RedrawWindow(section, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
      throw std::runtime_error("click");
    });
    viewtest::PumpUntilIdle();
    EXPECT_EQ(caught, seen ? Texts{"paint"} : Texts{});
    caught.clear();
    // Clicks on the check box's column, each far enough from the last not
    // to make a double click.
    viewtest::Click(wnd, {18, 14});
    EXPECT_EQ(caught, seen ? (Texts{"paint", "click"}) : Texts{});
    // The same controls, without throwing: a click checks, a paint paints.
    throw_click = throw_paint = false;
    viewtest::Click(wnd, {30, 26});
    EXPECT_EQ(checks, 2);
    EXPECT_EQ(tree.GetItemCheck(item), 0);
    RedrawWindow(section, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_GT(viewtest::CaptureClient(section).Count(0x00A000), 100);
    // A handler that throws falls back to the default report.
    throw_click = true;
    view::SetExceptionHandler([](std::exception_ptr) { throw 1; });
    viewtest::Click(wnd, {18, 14});
    EXPECT_EQ(checks, 3);
  };
  const auto record = Recorder(caught);
  view::SetExceptionHandler(record);
  life(true);  // warm-up: shared drawing objects are made on first use
  const int gdi = viewtest::CountGdiObjects();
  caught.clear();
  view::SetExceptionHandler(record);
  life(true);
  viewtest::PumpUntilIdle();
  EXPECT_EQ(viewtest::CountGdiObjects(), gdi);
  // Unset, nothing reaches the old handler.
  view::SetExceptionHandler(nullptr);
  caught.clear();
  life(false);
}

TEST(DispatchQueue, ThreadTargetsAndFailedPosts) {
  std::atomic<DWORD> thread_id{0};
  MSG received = {};
  std::thread receiver([&] {
    MSG msg;
    PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);  // makes the thread's queue
    thread_id = GetCurrentThreadId();
    // Waits at most 5 s, so that a post that goes elsewhere fails the test
    // instead of hanging it.
    for (DWORD start = GetTickCount(); GetTickCount() - start < 5000 && received.message == 0;)
      if (!PeekMessageW(&received, nullptr, 0, 0, PM_REMOVE)) Sleep(1);
  });
  while (thread_id == 0) Sleep(1);
  auto* queue = static_cast<DispatchQueueObject1*>(malloc(sizeof(DispatchQueueObject1)));
  *queue = {thread_id, nullptr, WM_APP + 7};
  std::function<void()> work([] {});
  DispatchQueue::DispatchAsync(queue, &work);  // frees the record
  receiver.join();
  EXPECT_EQ(received.hwnd, nullptr);
  EXPECT_EQ(received.message, static_cast<UINT>(WM_APP + 7));
  EXPECT_EQ(received.wParam, reinterpret_cast<WPARAM>(&work));

  // A destroyed window cannot receive: the work is lost, the record freed.
  HWND gone = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  DestroyWindow(gone);
  DispatchQueue::DispatchQueueInit(gone);
  const int blocks = HeapBlocksInUse();
  for (int i = 0; i < 100; ++i) DispatchQueue::DispatchAsync(DispatchQueue::DispatchGetMainQueue(), &work);
  for (int i = 0; i < 100; ++i) DispatchQueue::FreeDispatchMainQueue(DispatchQueue::DispatchGetMainQueue());
  EXPECT_LT(HeapBlocksInUse() - blocks, 10);
  DispatchQueue::DispatchAsync(nullptr, &work);  // no record: nothing happens
}

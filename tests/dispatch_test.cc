// The dispatch queue: work from any thread runs on the UI thread.

#include <gtest/gtest.h>
#include <malloc.h>

#include <atomic>
#include <thread>
#include <vector>

#include "harness.h"
#include "view/dispatch_queue.h"

// Blocks of the C runtime heap in use: records that were never freed show.
static int HeapBlocksInUse() {
  _HEAPINFO info = {};
  int used = 0;
  while (_heapwalk(&info) == _HEAPOK) used += info._useflag == _USEDENTRY;
  return used;
}

// Runs first: nothing is stored before the queue is initialised.
TEST(DispatchQueue, WorkFromManyThreadsRunsOnTheUiThreadInOrder) {
  viewtest::HostWindow host;
  DispatchQueue::DispatchQueueInit(host);
  constexpr int kThreads = 4;
  constexpr int kItems = 500;
  const DWORD ui = GetCurrentThreadId();
  std::vector<std::vector<int>> order(kThreads);
  int wrong_thread = 0;
  int ran = 0;
  auto post_all = [&] {
    std::vector<std::thread> workers;
    for (int t = 0; t < kThreads; ++t) {
      workers.emplace_back([&, t] {
        for (int i = 0; i < kItems; ++i) {
          const DWORD main_seen = DispatchQueue::GetMainThreadId();  // as the poster sees it
          DispatchQueue::DispatchAsync(DispatchQueue::DispatchGetMainQueue(),
                                       new std::function<void()>([&, t, i, main_seen] {
                                         wrong_thread += GetCurrentThreadId() != ui || main_seen != ui;
                                         order[t].push_back(i);
                                         ++ran;
                                       }));
        }
      });
    }
    for (auto& w : workers) w.join();
    ASSERT_TRUE(viewtest::PumpUntil([&] { return ran == kThreads * kItems; }, 10000));
  };
  post_all();  // warm-up: the heap and the queue reach their working size
  for (auto& o : order) o.clear();
  ran = 0;
  const int blocks = HeapBlocksInUse();
  post_all();
  // Every record and work item was freed (a leak would leave 2000 blocks).
  EXPECT_LT(HeapBlocksInUse() - blocks, 50);
  EXPECT_EQ(wrong_thread, 0);
  std::vector<int> expected(kItems);
  for (int i = 0; i < kItems; ++i) expected[i] = i;
  for (int t = 0; t < kThreads; ++t) EXPECT_TRUE(order[t] == expected) << "thread " << t;
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

#pragma once

#include <functional>

#include "view/export.h"
#include "view/platform.h"

// Names one target of the dispatch queue. Allocate with malloc (the C
// runtime's heap) when filling one yourself: DispatchAsync frees it.
struct DispatchQueueObject1 {
  DWORD thread_id;  // non-zero: post to this thread's queue
  HWND window;      // used when thread_id is 0
  UINT message;     // the message that carries the work
};

// Hands work from any thread to the user-interface thread. The work is a heap
// std::function<void()> whose address travels in a posted message's wParam;
// the receiver (the main window, for message 2024) runs it and frees it.
class VIEW_API DispatchQueue {
 public:
  static constexpr UINT kMainQueueMessage = WM_USER + 1000;  // 2024

  // Remembers the main window and the calling thread. Call once on the UI
  // thread before other threads dispatch.
  static void DispatchQueueInit(HWND mainWindow);
  static DWORD GetMainThreadId();
  // A new record naming the main window's queue; the caller owns it.
  static DispatchQueueObject1* DispatchGetMainQueue();
  // Posts `work` to `queue` and frees `queue`, whatever the post returned.
  static void DispatchAsync(DispatchQueueObject1* queue, std::function<void()>* work);
  static void FreeDispatchMainQueue(DispatchQueueObject1* queue);

  DispatchQueue& operator=(const DispatchQueue&) { return *this; }
  DispatchQueue& operator=(DispatchQueue&&) { return *this; }
};

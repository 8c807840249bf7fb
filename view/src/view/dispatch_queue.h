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

namespace view {

// Hands `work` to the user-interface thread, the one that called
// DispatchQueue::DispatchQueueInit: the usual way to update controls from a
// worker. Any thread may call it. The work runs once, on that thread, inside
// its message loop, in the order each posting thread posted; the library
// owns it until then and needs no code in the application's window
// procedure. Returns true when the work was queued. Work that can no longer
// run is destroyed (with its captures) and never run: a null function, a
// post before DispatchQueueInit or after the UI thread or its queue ended,
// and work still queued when the queue ends (FreeDispatchMainQueue(nullptr),
// or a new DispatchQueueInit). An exception the work throws goes to the
// handler of view/exceptions.h.
VIEW_API bool PostToUi(std::function<void()> work);

}  // namespace view

// Hands work from any thread to the user-interface thread. The work is a heap
// std::function<void()> whose address travels in a posted message's wParam;
// the receiver (the main window, for message 2024) runs it and frees it.
class VIEW_API DispatchQueue {
 public:
  static constexpr UINT kMainQueueMessage = WM_USER + 1000;  // 2024

  // Remembers the main window and the calling thread. Call once on the UI
  // thread before other threads dispatch. Also starts the queue that
  // view::PostToUi uses: a message-only window of the library's on this
  // thread (a second call starts it anew, dropping work not yet run).
  static void DispatchQueueInit(HWND mainWindow);
  static DWORD GetMainThreadId();
  // A new record naming the main window's queue; the caller owns it.
  static DispatchQueueObject1* DispatchGetMainQueue();
  // Posts `work` to `queue` and frees `queue`, whatever the post returned.
  static void DispatchAsync(DispatchQueueObject1* queue, std::function<void()>* work);
  // Frees a record that was not given to DispatchAsync. A null record ends
  // the queue of view::PostToUi instead: its window goes (call this on the
  // UI thread, before that thread ends) and work not yet run is destroyed.
  static void FreeDispatchMainQueue(DispatchQueueObject1* queue);

  DispatchQueue& operator=(const DispatchQueue&) { return *this; }
  DispatchQueue& operator=(DispatchQueue&&) { return *this; }
};

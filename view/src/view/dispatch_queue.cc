#include "view/dispatch_queue.h"

#include <cstdlib>

namespace {
HWND g_main_window = nullptr;
DWORD g_main_thread_id = 0;
}  // namespace

void DispatchQueue::DispatchQueueInit(HWND mainWindow) {
  g_main_window = mainWindow;
  g_main_thread_id = GetCurrentThreadId();
}

DWORD DispatchQueue::GetMainThreadId() { return g_main_thread_id; }

DispatchQueueObject1* DispatchQueue::DispatchGetMainQueue() {
  auto* queue = static_cast<DispatchQueueObject1*>(std::malloc(sizeof(DispatchQueueObject1)));
  if (queue != nullptr) {
    queue->thread_id = 0;
    queue->window = g_main_window;
    queue->message = kMainQueueMessage;
  }
  return queue;
}

void DispatchQueue::DispatchAsync(DispatchQueueObject1* queue, std::function<void()>* work) {
  if (queue == nullptr) return;
  const auto wparam = reinterpret_cast<WPARAM>(work);
  if (queue->thread_id != 0) {
    PostThreadMessageW(queue->thread_id, queue->message, wparam, 0);
  } else {
    PostMessageW(queue->window, queue->message, wparam, 0);
  }
  std::free(queue);
}

void DispatchQueue::FreeDispatchMainQueue(DispatchQueueObject1* queue) { std::free(queue); }

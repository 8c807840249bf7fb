#include "view/dispatch_queue.h"

#include <cstdlib>
#include <deque>
#include <mutex>
#include <utility>

#include "view/internal/frame/exceptions.h"
#include "view/internal/frame/window_impl.h"

namespace {
HWND g_main_window = nullptr;
DWORD g_main_thread_id = 0;

using Work = std::function<void()>;

// The queue behind view::PostToUi: work waits here, owned, and a message-only
// window on the UI thread runs it. A wake message is posted only when the
// queue goes from empty to non-empty, so the thread's message queue never
// fills however much work waits.
class UiQueue : public view::frame::WindowImpl {
 public:
  static constexpr UINT kWake = WM_APP + 0x3A1;

  static view::frame::ClassRecord& GetClassRecord() {
    static view::frame::ClassRecord record([] {
      WNDCLASSEXW desc = {};
      desc.cbSize = sizeof(desc);
      desc.lpszClassName = L"view.UiQueue";
      return desc;
    }());
    return record;
  }

  bool Create() {
    HWND wnd = CreateWindowOfClass<UiQueue>(HWND_MESSAGE, nullptr, L"", 0, 0, nullptr, nullptr);
    std::lock_guard<std::mutex> guard(lock_);
    window_ = wnd;
    return wnd != nullptr;
  }

  // Queues the work, or leaves it with the caller (who destroys it) and
  // returns false when the window is gone or the wake cannot be posted.
  bool Post(Work& work) {
    std::lock_guard<std::mutex> guard(lock_);
    if (window_ == nullptr || !IsWindow(window_)) return false;
    const bool wake = work_.empty();
    work_.push_back(std::move(work));
    if (wake && !PostMessageW(window_, kWake, 0, 0)) {
      work = std::move(work_.back());
      work_.pop_back();
      return false;
    }
    return true;
  }

  // Ends the queue from any thread: the window goes (from its own thread)
  // and the work not yet run is destroyed.
  void End() {
    HWND wnd = nullptr;
    {
      std::lock_guard<std::mutex> guard(lock_);
      wnd = std::exchange(window_, nullptr);
    }
    if (wnd != nullptr) {
      if (GetWindowThreadProcessId(wnd, nullptr) == GetCurrentThreadId()) {
        DestroyWindow(wnd);
      } else {
        PostMessageW(wnd, WM_CLOSE, 0, 0);
      }
    }
    TakeAll();
  }

  bool ProcessWindowMessage(HWND wnd, UINT msg, WPARAM, LPARAM, LRESULT& result,
                            DWORD) override {
    switch (msg) {
      case kWake: {
        std::deque<Work> batch = TakeAll();
        for (Work& work : batch) {
          if (!Running()) break;  // a work item ended the queue: the rest is dropped
          try {
            work();
          } catch (...) {
            view::frame::ReportCurrentException();
          }
          work = nullptr;  // its captures go now, not after the whole batch
        }
        break;
      }
      case WM_CLOSE:
        DestroyWindow(wnd);
        break;
      case WM_NCDESTROY: {
        {
          std::lock_guard<std::mutex> guard(lock_);
          window_ = nullptr;
        }
        TakeAll();
        return false;
      }
      default:
        return false;
    }
    result = 0;
    return true;
  }

 private:
  bool Running() {
    std::lock_guard<std::mutex> guard(lock_);
    return window_ != nullptr;
  }

  // Takes the work out, to be run or destroyed by the caller outside the
  // lock (a capture's destructor may post again).
  std::deque<Work> TakeAll() {
    std::lock_guard<std::mutex> guard(lock_);
    return std::exchange(work_, {});
  }

  std::mutex lock_;
  HWND window_ = nullptr;
  std::deque<Work> work_;
};

// The current queue; replaced by DispatchQueueInit, ended by
// FreeDispatchMainQueue(nullptr).
std::mutex g_queue_lock;
view::frame::ScopedRef<UiQueue> g_queue;

view::frame::ScopedRef<UiQueue>& TakeQueue(view::frame::ScopedRef<UiQueue>& out, bool clear) {
  std::lock_guard<std::mutex> guard(g_queue_lock);
  out.reset(g_queue.get());
  if (clear) g_queue.reset();
  return out;
}

void EndQueue() {
  view::frame::ScopedRef<UiQueue> queue;
  if (TakeQueue(queue, true)) queue->End();
}

}  // namespace

void DispatchQueue::DispatchQueueInit(HWND mainWindow) {
  g_main_window = mainWindow;
  g_main_thread_id = GetCurrentThreadId();
  EndQueue();
  view::frame::ScopedRef<UiQueue> queue(new UiQueue());
  if (!queue->Create()) return;
  std::lock_guard<std::mutex> guard(g_queue_lock);
  g_queue.reset(queue.get());
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

void DispatchQueue::FreeDispatchMainQueue(DispatchQueueObject1* queue) {
  if (queue == nullptr) {
    EndQueue();
    return;
  }
  std::free(queue);
}

bool view::PostToUi(std::function<void()> work) {
  if (!work) return false;
  view::frame::ScopedRef<UiQueue> queue;
  // On failure `work` is destroyed here, unrun, as it goes out of scope.
  return TakeQueue(queue, false) && queue->Post(work);
}

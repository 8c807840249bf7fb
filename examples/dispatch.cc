// Work from a worker thread that must touch controls: the worker posts it to
// the main queue, and the main window runs it on the user-interface thread.
// The window receives DispatchQueue::kMainQueueMessage with the address of a
// heap std::function<void()> in wParam; it runs the function and deletes it.
#include "example.h"

#include <thread>

namespace {

LRESULT CALLBACK Proc(HWND wnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  LRESULT result = 0;
  if (view::ReflectNotification(wnd, msg, wparam, lparam, &result)) return result;
  if (msg == DispatchQueue::kMainQueueMessage) {
    std::unique_ptr<std::function<void()>> work(reinterpret_cast<std::function<void()>*>(wparam));
    if (work && *work) (*work)();
    return 0;
  }
  if (msg == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcW(wnd, msg, wparam, lparam);
}

struct DispatchExample : example::Content {
  ZuEdit status;
  std::thread worker;

  void Build(HWND wnd) {
    DispatchQueue::DispatchQueueInit(wnd);  // on the UI thread, before any worker posts
    RECT rect = {20, 20, 300, 46};
    status.Create(wnd, &rect, L"Loading...", 0, WS_EX_CLIENTEDGE, 1);
    worker = std::thread([this] {
      Sleep(100);  // the slow part, away from the UI thread
      DispatchQueue::DispatchAsync(DispatchQueue::DispatchGetMainQueue(),
                                   new std::function<void()>([this] {
                                     SetWindowTextW(status, L"Loaded 42 records");
                                   }));
    });
  }
  ~DispatchExample() { worker.join(); }
};

}  // namespace

int main(int argc, char** argv) {
  return example::Run<DispatchExample>(argc, argv, L"Dispatch queue", 320, 66, Proc);
}

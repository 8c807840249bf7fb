// Work from a worker thread that must touch controls: the worker hands it to
// view::PostToUi, and the library runs it on the user-interface thread (the
// thread that called DispatchQueueInit). The window procedure needs no code
// for it; work that can no longer run is destroyed, never leaked.
#include "example.h"

#include <thread>

namespace {

struct DispatchExample : example::Content {
  ZuEdit status;
  std::thread worker;

  void Build(HWND wnd) {
    DispatchQueue::DispatchQueueInit(wnd);  // on the UI thread, before any worker posts
    RECT rect = {20, 20, 300, 46};
    status.Create(wnd, &rect, L"Loading...", 0, WS_EX_CLIENTEDGE, 1);
    worker = std::thread([this] {
      Sleep(100);  // the slow part, away from the UI thread
      view::PostToUi([this] { SetWindowTextW(status, L"Loaded 42 records"); });
    });
  }
  ~DispatchExample() {
    worker.join();
    DispatchQueue::FreeDispatchMainQueue(nullptr);  // work not yet run is destroyed
  }
};

}  // namespace

int main(int argc, char** argv) {
  return example::Run<DispatchExample>(argc, argv, L"Dispatch queue", 320, 66,
                                       example::ReflectingProc);
}

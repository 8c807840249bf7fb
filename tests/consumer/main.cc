// Uses the installed headers and import library: posts work through the
// dispatch queue to its own window and checks that it ran on this thread.
#include <view/view.h>

#include <cstdio>

namespace {
int g_ran = 0;

LRESULT CALLBACK Proc(HWND wnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  if (msg == DispatchQueue::kMainQueueMessage) {
    auto* work = reinterpret_cast<std::function<void()>*>(wparam);
    (*work)();
    delete work;
    return 0;
  }
  return DefWindowProcW(wnd, msg, wparam, lparam);
}
}  // namespace

int main() {
  WNDCLASSW wc = {};
  wc.lpfnWndProc = Proc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"ViewConsumer";
  RegisterClassW(&wc);
  HWND main_window = CreateWindowW(L"ViewConsumer", L"consumer", WS_OVERLAPPEDWINDOW, 0, 0, 100,
                                   100, nullptr, nullptr, wc.hInstance, nullptr);
  DispatchQueue::DispatchQueueInit(main_window);
  const DWORD ui_thread = GetCurrentThreadId();
  DWORD ran_on = 0;
  DispatchQueue::DispatchAsync(DispatchQueue::DispatchGetMainQueue(),
                               new std::function<void()>([&] {
                                 ran_on = GetCurrentThreadId();
                                 ++g_ran;
                               }));
  MSG msg;
  while (g_ran == 0 && GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
  DestroyWindow(main_window);
  const bool ok = g_ran == 1 && ran_on == ui_thread && DispatchQueue::GetMainThreadId() == ui_thread;
  std::printf("consumer: %s\n", ok ? "ok" : "FAILED");
  return ok ? 0 : 1;
}

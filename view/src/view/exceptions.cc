#include "view/exceptions.h"

#include <memory>
#include <mutex>
#include <string>

#include "view/internal/frame/exceptions.h"
#include "view/platform.h"

namespace {

using Handler = std::function<void(std::exception_ptr)>;

std::mutex g_handler_lock;
// Shared, so that a handler replaced while it runs on another thread lives
// until that call returns.
std::shared_ptr<const Handler> g_handler;

void WriteToDebugger(const std::exception_ptr& error) noexcept {
  std::wstring text = L"view: an application callback threw";
  try {
    std::rethrow_exception(error);
  } catch (const std::exception& e) {
    text += L": ";
    for (const char* c = e.what(); c != nullptr && *c != '\0'; ++c) {
      text += static_cast<wchar_t>(static_cast<unsigned char>(*c));
    }
  } catch (...) {
    text += L" (not a std::exception)";
  }
  text += L"\n";
  OutputDebugStringW(text.c_str());
}

}  // namespace

namespace view {

void SetExceptionHandler(std::function<void(std::exception_ptr)> handler) {
  std::shared_ptr<const Handler> next;
  if (handler) next = std::make_shared<const Handler>(std::move(handler));
  std::lock_guard<std::mutex> guard(g_handler_lock);
  g_handler.swap(next);
  // `next` now holds the old handler; it is destroyed after the lock is
  // released (locals go in reverse order), so its captures' destructors may
  // set a handler again.
}

namespace frame {

void ReportCurrentException() noexcept {
  const std::exception_ptr error = std::current_exception();
  if (!error) return;
  std::shared_ptr<const Handler> handler;
  try {
    std::lock_guard<std::mutex> guard(g_handler_lock);
    handler = g_handler;
  } catch (...) {
  }
  if (handler) {
    try {
      (*handler)(error);
      return;
    } catch (...) {
      // A handler that throws falls back to the default report.
    }
  }
  WriteToDebugger(error);
}

}  // namespace frame
}  // namespace view

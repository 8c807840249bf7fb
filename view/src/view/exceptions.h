#pragma once

#include <exception>
#include <functional>

#include "view/export.h"

namespace view {

// What happens to an exception that an application callback throws while a
// control handles a message (a click, a paint, a notification) or an
// assistive tool's action, and to one thrown by work posted with PostToUi.
//
// No exception ever unwinds through the system's window procedure caller:
// the library catches it where the control's message handling began,
// restores the control's state, gives the message the platform's default
// handling, and hands the exception to the handler, once. The control keeps
// working afterwards.
//
// With no handler set (the default), the library writes the exception's
// what() with OutputDebugStringW. A null handler restores that default. A
// handler that throws is caught, and the default reports the original
// exception. The handler runs on the thread of the message, synchronously;
// it may be set from any thread.
VIEW_API void SetExceptionHandler(std::function<void(std::exception_ptr)> handler);

}  // namespace view

// The main of every test executable: starts GDI+ and the common controls the
// way an application would, then runs the tests.
#include <gtest/gtest.h>

#include <cstdio>

#include "view/platform.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  // A crash ends the program at once with a failure (Wine would otherwise
  // wait for a debugger until the run's timeout).
  SetUnhandledExceptionFilter([](EXCEPTION_POINTERS* e) -> LONG {
    std::fprintf(stderr, "crashed: exception 0x%08lx\n", e->ExceptionRecord->ExceptionCode);
    std::fflush(stderr);
    TerminateProcess(GetCurrentProcess(), 3);
    return EXCEPTION_EXECUTE_HANDLER;
  });
  INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES | ICC_LINK_CLASS | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);
  Gdiplus::GdiplusStartupInput input;
  ULONG_PTR token = 0;
  if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok) return 2;
  const int result = RUN_ALL_TESTS();
  Gdiplus::GdiplusShutdown(token);
  return result;
}

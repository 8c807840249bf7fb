#pragma once

// The Windows headers every part of view uses, included in one order with
// one set of options: wide-character APIs, Windows 7 as the oldest target,
// and no min/max macros (GDI+ still needs the names, so they come from <algorithm>).
// Each option is set only when the application has not set it already. An
// application may define WIN32_LEAN_AND_MEAN: the COM declarations that GDI+
// needs (IStream, PROPID) are included here either way.

#ifndef UNICODE
#define UNICODE
#endif
#ifndef _UNICODE
#define _UNICODE
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef _WIN32_WINNT
#define _WIN32_WINNT 0x0601
#endif

#include <windows.h>

#include <algorithm>
namespace Gdiplus {
using std::max;
using std::min;
}  // namespace Gdiplus

#include <commctrl.h>
#include <objidl.h>
#include <gdiplus.h>

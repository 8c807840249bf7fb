#pragma once

// Allocation of GDI+ objects that reports failure as null.
//
// GDI+ classes allocate through GdiplusBase::operator new, which returns null
// when GdipAlloc fails (for instance when the host has not started GDI+).
// A plain `new Gdiplus::Font(...)` would then run the constructor on a null
// pointer, because the compiler may assume operator new never returns null.
// NewGdiplus allocates first, constructs only into real memory, and returns
// null otherwise. The object is deleted with plain `delete` (or a
// std::unique_ptr), which goes back through GdiplusBase::operator delete.

#include "view/platform.h"

#include <memory>
#include <new>
#include <utility>

namespace view {
namespace internal {

template <typename T, typename... Args>
T* NewGdiplus(Args&&... args) {
  void* memory = Gdiplus::DllExports::GdipAlloc(sizeof(T));
  if (memory == nullptr) return nullptr;
  return ::new (memory) T(std::forward<Args>(args)...);
}

template <typename T, typename... Args>
std::unique_ptr<T> MakeGdiplus(Args&&... args) {
  return std::unique_ptr<T>(NewGdiplus<T>(std::forward<Args>(args)...));
}

}  // namespace internal
}  // namespace view

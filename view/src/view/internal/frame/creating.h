#pragma once

#include "view/platform.h"

namespace view::frame {

class WindowImpl;

// Marks the window that `object` is creating on this thread for the scope of
// its CreateWindowEx call. A child's first notifications (an owner-drawn
// combo box's WM_MEASUREITEM) reach the parent before CreateWindowEx returns,
// when the parent may not find the child by its id yet.
class CreationScope {
 public:
  explicit CreationScope(WindowImpl* object);
  ~CreationScope();
  CreationScope(const CreationScope&) = delete;
  CreationScope& operator=(const CreationScope&) = delete;
};

// The innermost window this thread is creating as a child of `parent` with
// control id `id` (compared in its low 32 bits), or null.
HWND FindCreatingChild(HWND parent, UINT id);

}  // namespace view::frame

#include "view/internal/frame/creating.h"

#include "view/internal/frame/window_impl.h"

namespace view::frame {
namespace {

// Creations nest (a control may create children while it is created); deeper
// ones than this are counted but not searched.
constexpr int kMaxDepth = 16;
thread_local WindowImpl* t_creating[kMaxDepth];
thread_local int t_depth = 0;

}  // namespace

CreationScope::CreationScope(WindowImpl* object) {
  if (t_depth < kMaxDepth) t_creating[t_depth] = object;
  ++t_depth;
}

CreationScope::~CreationScope() { --t_depth; }

HWND FindCreatingChild(HWND parent, UINT id) {
  for (int i = std::min(t_depth, kMaxDepth) - 1; i >= 0; --i) {
    HWND wnd = t_creating[i]->m_hWnd;  // bound at the window's first message
    if (wnd != nullptr && ::GetParent(wnd) == parent &&
        static_cast<UINT>(::GetWindowLongPtrW(wnd, GWLP_ID)) == id) {
      return wnd;
    }
  }
  return nullptr;
}

}  // namespace view::frame

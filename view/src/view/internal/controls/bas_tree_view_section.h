#pragma once

#include "view/internal/frame/window_impl.h"

// The tree window of the check-box tree: a superclass of the standard tree
// control that keeps its own font. The font given by WM_SETFONT is the one
// the rows are painted in; the standard tree never sees it.
class BASTreeViewSection : public view::frame::WindowImpl {
 public:
  static view::frame::ClassRecord& GetClassRecord();

  // Creates the tree window at `rect` in `parent`. An id of 0 gives a child
  // the frame's default id.
  HWND CreateTreeWindow(HWND parent, HMENU id, const RECT& rect, DWORD style);

  HFONT font() const { return font_; }

  // WM_SETFONT and WM_GETFONT, then the default reflection handling.
  bool ProcessWindowMessage(HWND wnd, UINT msg, WPARAM wparam, LPARAM lparam, LRESULT& result,
                            DWORD map_id = 0) override;

 private:
  HFONT font_ = nullptr;  // borrowed from the application
};

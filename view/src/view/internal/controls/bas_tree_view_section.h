#pragma once

#include "view/internal/frame/dpi.h"
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

  // The font the rows are painted in: the application's, at the tree's DPI
  // factor when the tree follows its window's DPI.
  HFONT font() { return scaled_font_.Get(font_, follows_dpi() ? dpi_scale_ : 1.0f); }
  void SetDpiFactor(float factor) { dpi_scale_ = factor; }
  // The factor the rows are laid out at (1 but in the per-monitor mode).
  float dpi_factor() const { return dpi_scale_; }

  // WM_SETFONT and WM_GETFONT, then the default reflection handling.
  bool ProcessWindowMessage(HWND wnd, UINT msg, WPARAM wparam, LPARAM lparam, LRESULT& result,
                            DWORD map_id = 0) override;

 private:
  HFONT font_ = nullptr;  // borrowed from the application
  float dpi_scale_ = 1.0f;
  view::frame::ScaledHFont scaled_font_;
};

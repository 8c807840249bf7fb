#pragma once

// The check box at the left end of a checkable list's header. The object is
// bound by subclassing to the header window that the platform list made; the
// header's items, dividers and colours stay the platform's. It paints its box
// after the platform has painted the header (custom draw, post-paint), takes
// clicks on the box away from the platform header, flips its state and asks
// a function whether the flip may stand.

#include <functional>

#include "view/internal/frame/accessible.h"
#include "view/internal/frame/owner_draw.h"
#include "view/internal/frame/window_impl.h"
#include "view/platform.h"

namespace view::internal {

// The header check box's place in header client coordinates: left 5*s, the
// image's size scaled, centred vertically in the client area.
RECT HeaderCheckBoxRect(const RECT& client, int image_width, int image_height, float scale);
// Whether a click at header client x lands on the check box horizontally
// (both edges included; y is not tested).
bool HeaderCheckBoxHitX(int x, int image_width, float scale);

}  // namespace view::internal

class BASListViewHeader : public view::frame::WindowImpl,
                          public view::frame::CustomDraw<BASListViewHeader>,
                          public view::frame::Accessible {
 public:
  BASListViewHeader() = default;

  bool ProcessWindowMessage(HWND wnd, UINT msg, WPARAM wparam, LPARAM lparam, LRESULT& result,
                            DWORD map_id = 0) override;

  DWORD OnPrePaint(NMCUSTOMDRAW* cd);
  DWORD OnPostPaint(NMCUSTOMDRAW* cd);
  // In the dark palette the header paints its items itself; in light and
  // high contrast (system colours) the platform paints them.
  DWORD OnItemPrePaint(NMCUSTOMDRAW* cd);

  void SetChecked(bool checked) {
    const bool changed = checked != checked_;
    checked_ = checked;
    if (changed) view::frame::NotifyAccessible(EVENT_OBJECT_STATECHANGE, m_hWnd, kCheckBoxChild);
  }
  bool GetChecked() const { return checked_; }
  // Repaints the check box's part of the header (the platform header paints
  // under it, the post-paint stage draws the box in its current state).
  void Refresh();
  void SetCheckFunc(std::function<bool(bool)> f) { header_check_func_ = std::move(f); }
  void SetImages(Gdiplus::Bitmap* checked, Gdiplus::Bitmap* unchecked) {
    checked_image_ = checked;
    unchecked_image_ = unchecked;
  }
  // `art_at_scale`: stock art in the dark and high-contrast palettes is
  // drawn at the scale (the list follows its window's DPI), not scaled from
  // its own size.
  void SetScale(float scale, bool art_at_scale = false) {
    scale_ = scale;
    art_at_scale_ = art_at_scale;
  }
  float scale() const { return scale_; }

  // How many custom-draw notifications reached the object; the list uses it
  // to tell whether the platform list passed them on to a reflecting parent.
  unsigned custom_draws_seen() const { return custom_draws_seen_; }

  // The check box is the one child of the header's accessible object.
  static constexpr long kCheckBoxChild = 1;
  view::frame::Accessible* accessible() override { return this; }
  long AccessibleChildCount() override { return checked_image_ != nullptr ? 1 : 0; }
  bool DescribeAccessible(long child, view::frame::AccessibleInfo& info) override;
  bool AccessibleChildRect(long child, RECT& screen) override;
  bool DoAccessibleDefaultAction(long child) override;

 private:
  // Returns whether the click hit the check box (and so was taken).
  bool OnClick(LPARAM lparam);
  // A click's flip of the check box, kept only if the check function agrees.
  void Toggle();
  RECT CheckBoxRect() const;
  int Scaled(int v) const;
  // Fills the part right of the last item in the header's colour.
  void FillPastLastItem(HDC dc);

  std::function<bool(bool)> header_check_func_;
  Gdiplus::Bitmap* checked_image_ = nullptr;
  Gdiplus::Bitmap* unchecked_image_ = nullptr;
  bool checked_ = false;
  float scale_ = 1.0f;
  bool art_at_scale_ = false;
  unsigned custom_draws_seen_ = 0;
};

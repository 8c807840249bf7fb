#pragma once

// The section button behind ZuSectionButton: a plain push button of the
// standard class whose paint message this object answers itself. Hover
// comes from the standard button's hot-item notification, reflected back by
// the parent.

#include <functional>
#include <string>

#include "view/button_status.h"
#include "view/internal/frame/accessible.h"
#include "view/internal/frame/dpi.h"
#include "view/internal/frame/hover_press.h"
#include "view/internal/frame/scoped.h"
#include "view/internal/frame/window_impl.h"
#include "view/zu_section_button.h"

namespace view::internal {

// What the layout of a section button depends on besides the caption.
struct SectionMetrics {
  int layout = 0;  // ImgButtonImgAndTextLayoutType1; other values lay out nothing
  int image_width = 0;   // IW: the image box, already scaled
  int image_height = 0;  // IH
  int h_margin = 0;
  int v_margin = 0;
  float gap = 0;
};

// Where image and caption go and the client size they need.
struct SectionPlacement {
  int image_x = 0;
  int image_y = 0;
  float text_x = 0;
  float text_y = 0;
  int width = 0;
  int height = 0;
};

// Load: the layout rectangle the caption is measured in (0: unlimited). A
// fixed height or width limits the caption to what the margins (and, when
// stacked in that direction, the image and gap) leave of the client area.
Gdiplus::SizeF SectionLoadMeasureArea(const SectionMetrics& m, int client_width,
                                      int client_height, bool fix_width, bool fix_height);
// Load: positions and size from the measured caption; fixed dimensions keep
// the client size. Other layouts keep `previous` and the client size.
SectionPlacement SectionLoadPlace(const SectionMetrics& m, float text_width, float text_height,
                                  int client_width, int client_height, bool fix_width,
                                  bool fix_height, bool center, const SectionPlacement& previous);
// reload: the layout rectangle within max_width x max_height (0: unlimited).
Gdiplus::SizeF SectionReloadMeasureArea(const SectionMetrics& m, int max_width, int max_height);
// reload: the size that fits the content (rounded up) and the positions.
// Other layouts return `start` unchanged.
SectionPlacement SectionReloadPlace(const SectionMetrics& m, float text_width, float text_height,
                                    const SectionPlacement& start);

}  // namespace view::internal

class ZuSectionImgButton : public view::frame::StandardControl<ZuSectionImgButton>,
                           public view::frame::ButtonControl<ZuSectionImgButton>,
                           public view::frame::Latchable {
 public:
  bool Latches() const override { return check_style_; }
  bool IsLatched() const override { return check_style_ && status_ == kStatusPressed; }
  // Unlike ResetStatus, which leaves the repaint to the application.
  void Unlatch() override {
    status_ = kStatusNormal;
    if (m_hWnd != nullptr) InvalidateRect(m_hWnd, nullptr, FALSE);
    ReportAccessibleChanges();
  }
  HWND LatchWindow() const override { return m_hWnd; }
  using DrawFunc = std::function<void(HWND, Gdiplus::Graphics&, RECT&, int)>;

  static constexpr const wchar_t* kStandardClass = L"BUTTON";
  static constexpr const wchar_t* kPublicClass = view::kSectionButtonClass;
  // From a template: a push button whatever button type the template names.
  DWORD AdoptStyle(DWORD style) override { return (style & ~BS_TYPEMASK) | WS_TABSTOP; }

  ZuSectionImgButton() = default;
  ~ZuSectionImgButton() override = default;

  bool ProcessWindowMessage(HWND wnd, UINT msg, WPARAM wparam, LPARAM lparam, LRESULT& result,
                            DWORD map_id = 0) override;

  // Without a window the status stays; with one it repaints at once.
  BOOL EnableWindow(BOOL enable);
  void Load(bool take_window_text);
  WTL::CSize reload(int max_width, int max_height);
  void SetTooltip(const wchar_t* text);

  view::frame::Accessible* accessible() override { return this; }
  bool DescribeAccessible(long child, view::frame::AccessibleInfo& info) override;
  void OnDpiChanged(float factor) override;

  // Paints the button as it looks now into `dc` (client coordinates).
  void Paint(HDC dc);
  // Draws the whole client area, `client` in size, onto `graphics`.
  void Draw(Gdiplus::Graphics& graphics, const RECT& client);
  HWND tooltip() const { return tooltip_.get(); }

  // The control's state, for the wrapper's setters to store into: since the
  // look may change, the faces painted so far are dropped.
  ZuSectionImgButton& Look() {
    faces_.Clear();
    return *this;
  }

  // The control's state; the wrapper's setters store into it through Look().
  std::wstring text_;
  Gdiplus::Font* font_ = nullptr;
  // Colours left at 0 (black) are the defaults, which follow the palette.
  COLORREF fill_colors_[4] = {0, 0, 0, 0};
  COLORREF text_colors_[4] = {0, 0, 0, 0};
  COLORREF border_colors_[4] = {0, 0, 0, 0};
  Gdiplus::Bitmap* images_[4] = {nullptr, nullptr, nullptr, nullptr};
  Gdiplus::Rect image_rect_ = Gdiplus::Rect(0, 0, 0, 0);
  Gdiplus::RectF text_rect_ = Gdiplus::RectF(0, 0, 0, 0);
  int h_margin_ = 0;
  int v_margin_ = 0;
  bool check_style_ = false;
  bool round_rect_ = false;
  POINT round_rect_point_ = {6, 6};
  COLORREF round_bkg_color_ = 0;
  float scale_ = 1.0f;
  bool fix_width_ = false;
  bool fix_height_ = false;
  float image_text_gap_ = 0;
  bool center_ = false;
  ImgButtonImgAndTextLayoutType1 layout_type_ = kImgAboveText;
  DrawFunc draw_func_;

 private:
  // The hot-item rule: entering shows hover, leaving normal, except on a
  // disabled button and on a pressed section with the check style.
  void OnHotItemChange(DWORD flags);
  // Wine's button never sends the hot-item notification: until one arrives,
  // pointer moves and leave reports stand in for it.
  void HotFromPointer(UINT msg);
  void UpdateImageBox();
  Gdiplus::RectF MeasureCaption(const Gdiplus::SizeF& area);
  // The font to measure and paint with: the application's, at the factor
  // when the button follows its window's DPI.
  Gdiplus::Font* Font();
  view::internal::SectionMetrics Metrics() const;
  void ApplyPlacement(const view::internal::SectionPlacement& p);

  view::frame::TooltipFont tooltip_font_;  // outlives the tooltip
  view::frame::ScopedWindow tooltip_;
  view::frame::ScaledFont scaled_font_;
  // How the button was last laid out, to lay it out again at a DPI change:
  // by reload (with its limits) or by Load.
  bool reloaded_ = false;
  SIZE reload_limits_ = {0, 0};
  bool hot_notified_ = false;  // a reflected hot-item notification has arrived
  bool pointer_hot_ = false;   // the stand-in has entered and awaits the leave
};

#pragma once

#include <string>

#include "view/button_status.h"
#include "view/internal/frame/accessible.h"
#include "view/internal/frame/dpi.h"
#include "view/internal/frame/hover_press.h"
#include "view/internal/frame/owner_draw.h"
#include "view/internal/frame/window_impl.h"

namespace view::internal {

// Size of a switch button: the caption plus a margin on each side, each
// doubled margin turned to float before the addition and the sum truncated.
SIZE SwitchButtonSize(int h_margin, int v_margin, float tw, float th);

// The fill and caption colours a switch button paints with in `status`.
struct SwitchColors {
  COLORREF fill;
  COLORREF text;
};
SwitchColors ChooseSwitchColors(ButtonStatus status, SwitchColors normal, SwitchColors pressed,
                                SwitchColors disable);

// Whether a leave report returns a switch button to normal: a latched
// (pressed, radio mode) or a disabled push button keeps its status.
bool SwitchResetsOnLeave(bool radio, ButtonStatus status);

}  // namespace view::internal

// The implementation behind ZuSwitchButton: an owner-drawn standard button
// that paints its shape and caption into one off-screen ARGB bitmap.
class BASSwitchButton : public view::frame::OwnerDrawnButton<BASSwitchButton>,
                        public view::frame::Latchable {
 public:
  bool Latches() const override { return radio_; }
  bool IsLatched() const override { return radio_ && status_ == kStatusPressed; }
  void Unlatch() override { ResetStatus(); }
  HWND LatchWindow() const override { return m_hWnd; }
  static constexpr const wchar_t* kPublicClass = view::kSwitchButtonClass;
  void AdoptCreated() override { SetCreateDefaults(::GetParent(m_hWnd), nullptr); }
  // What CreateButton sets before the window exists.
  void SetCreateDefaults(HWND parent, Gdiplus::Font* font);

  BASSwitchButton() = default;

  bool ProcessWindowMessage(HWND wnd, UINT msg, WPARAM wparam, LPARAM lparam, LRESULT& result,
                            DWORD map_id) override;
  void DrawItem(LPDRAWITEMSTRUCT dis);

  bool DescribeAccessible(long child, view::frame::AccessibleInfo& info) override;
  void OnDpiChanged(float factor) override;

  void SetDpiScale(float scale) {
    scale_ = scale;
    faces_.Clear();
  }
  int DpiScale(int value) const;
  void SetInitVisible(bool visible) { init_visible_ = visible; }
  HWND CreateButton(HWND parent, Gdiplus::Font* font, HMENU id);
  int Init(int x, int y, const wchar_t* text, COLORREF normal_color, COLORREF normal_text_color,
           COLORREF pressed_color, COLORREF pressed_text_color);
  void SetText(const wchar_t* text);
  void SetFont(Gdiplus::Font* font) {
    font_ = font;
    faces_.Clear();
  }
  void SetRadio(bool radio) {
    radio_ = radio;
    ReportAccessibleChanges();
  }
  void SetHMargin(int margin) { h_margin_ = margin; }
  void SetVMargin(int margin) { v_margin_ = margin; }
  void SetColorDisable(COLORREF color, COLORREF text_color);
  void SetBackgroundColor(COLORREF color) {
    background_color_ = color;
    faces_.Clear();
  }
  void SetRoundRectPoint(POINT point) {
    round_rect_point_ = point;
    faces_.Clear();
  }
  void SetRoundRect(bool round) {
    round_rect_ = round;
    faces_.Clear();
  }
  void SetColorBorder(COLORREF color) {
    border_color_ = color;
    faces_.Clear();
  }
  void ResetStatus();
  void SetPressedStatus();

  // State as the control keeps it, for inspection.
  ButtonStatus status() const { return status_; }
  bool tracking_mouse() const { return tracking_mouse_; }
  int h_margin() const { return h_margin_; }
  int v_margin() const { return v_margin_; }
  int width() const { return width_; }
  int height() const { return height_; }

 private:
  // Caption, size and placement at the anchor (Init and SetText).
  void SetCaptionAndPlace(const wchar_t* text);
  bool OnLButtonUp(HWND wnd, LPARAM lparam, LRESULT& result);
  void Paint(Gdiplus::Graphics& graphics, int client_width, int client_height);
  // The font to measure and paint with: the application's, at the factor
  // when the control follows its window's DPI.
  Gdiplus::Font* Font();

  std::wstring text_;
  Gdiplus::Font* font_ = nullptr;
  int x_ = 0;
  int y_ = 0;
  bool radio_ = true;
  // The defaults; a colour that differs is the application's own.
  static constexpr view::internal::SwitchColors kNormalDefault = {RGB(0xFF, 0xFF, 0xFF), RGB(0, 0, 0)};
  static constexpr view::internal::SwitchColors kDisableDefault = {RGB(0x7F, 0x7F, 0x7F),
                                                                  RGB(0xFF, 0xFF, 0xFF)};
  static constexpr COLORREF kBackgroundDefault = RGB(0xFF, 0xFF, 0xFF);
  COLORREF normal_color_ = kNormalDefault.fill;
  COLORREF normal_text_color_ = kNormalDefault.text;
  COLORREF pressed_color_ = kNormalDefault.fill;
  COLORREF pressed_text_color_ = kNormalDefault.text;
  COLORREF disable_color_ = kDisableDefault.fill;
  COLORREF disable_text_color_ = kDisableDefault.text;
  int h_margin_ = 0;
  int v_margin_ = 0;
  int width_ = 0;
  int height_ = 0;
  bool round_rect_ = false;
  POINT round_rect_point_ = {0, 0};
  COLORREF border_color_ = 0xFFFFFFFF;
  COLORREF background_color_ = kBackgroundDefault;
  bool init_visible_ = true;
  float scale_ = 1.0f;
  view::frame::ScaledFont scaled_font_;
};

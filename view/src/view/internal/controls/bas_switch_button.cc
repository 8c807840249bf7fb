#include "view/internal/controls/bas_switch_button.h"

#include "view/internal/drawing/drawing_math.h"
#include "view/internal/frame/button_layout.h"
#include "view/internal/frame/dpi.h"
#include "view/internal/frame/paint_buffers.h"
#include "view/utils.h"

namespace view::internal {

SIZE SwitchButtonSize(int h_margin, int v_margin, float tw, float th) {
  const float width = static_cast<float>(2 * h_margin) + tw;
  const float height = static_cast<float>(2 * v_margin) + th;
  return SIZE{static_cast<LONG>(width), static_cast<LONG>(height)};
}

SwitchColors ChooseSwitchColors(ButtonStatus status, SwitchColors normal, SwitchColors pressed,
                                SwitchColors disable) {
  switch (status) {
    case kStatusPressed:
    case kStatusHover:
      return pressed;
    case kStatusDisable:
      return disable;
    default:
      return normal;
  }
}

bool SwitchResetsOnLeave(bool radio, ButtonStatus status) {
  return radio ? status != kStatusPressed : status != kStatusDisable;
}

}  // namespace view::internal

bool BASSwitchButton::ProcessWindowMessage(HWND wnd, UINT msg, WPARAM wparam, LPARAM lparam,
                                           LRESULT& result, DWORD) {
  if (HandleButtonMessages(msg, wparam, result)) return true;
  switch (msg) {
    case WM_CREATE:
      result = 0;
      return true;
    case WM_LBUTTONUP:
      return OnLButtonUp(wnd, lparam, result);
    case WM_MOUSEHOVER:
      // A latched radio button keeps its pressed look under the pointer.
      if (!(radio_ && status_ == kStatusPressed)) {
        status_ = kStatusHover;
        InvalidateRect(wnd, nullptr, FALSE);
      }
      result = 0;
      return true;
    case WM_MOUSELEAVE:
      if (tracking_mouse_) {
        if (view::internal::SwitchResetsOnLeave(radio_, status_)) {
          status_ = kStatusNormal;
          InvalidateRect(wnd, nullptr, TRUE);
        }
        tracking_mouse_ = false;
      }
      result = 0;
      return true;
    default:
      break;
  }
  // Moves, presses, BM_CLICK and erasing as every owner-drawn button; the
  // switch button has no tooltip.
  if (view::frame::HandleHoverPress(wnd, nullptr, *this, msg, wparam, lparam, result)) {
    return true;
  }
  if (ProcessOwnerDraw(msg, wparam, lparam, result)) return true;
  return view::frame::DefaultReflectionHandler(wnd, msg, wparam, lparam, result);
}

bool BASSwitchButton::OnLButtonUp(HWND wnd, LPARAM lparam, LRESULT& result) {
  result = 0;
  // The release keeps the status: a radio button stays latched, a push
  // button returns to normal on the next leave.
  if (status_ != kStatusPressed) {
    // No click for a button that is not pressed (a hover report came in
    // while it was held). The standard button never sees this release, so
    // its capture is given back here rather than left stuck.
    if (GetCapture() == wnd) ReleaseCapture();
    return true;
  }
  view::frame::RepaintNow(wnd);
  return view::frame::ReleasedOutside(wnd, lparam);
}

int BASSwitchButton::DpiScale(int value) const {
  return view::frame::DpiScaleInt(value, scale_);
}

HWND BASSwitchButton::CreateButton(HWND parent, Gdiplus::Font* font, HMENU id) {
  SetCreateDefaults(parent, font);
  const DWORD style = WS_CHILD | WS_TABSTOP | BS_OWNERDRAW | (init_visible_ ? WS_VISIBLE : 0);
  return CreateWindowOfClass<BASSwitchButton>(parent, nullptr, L"BUTTON", style, 0, id, nullptr);
}

void BASSwitchButton::SetCreateDefaults(HWND parent, Gdiplus::Font* font) {
  font_ = font;
  scale_ = view::frame::CreationDpiFactor(parent, scale_);
  h_margin_ = DpiScale(10);
  v_margin_ = DpiScale(10);
  round_rect_point_ = POINT{DpiScale(6), DpiScale(6)};
  status_ = kStatusNormal;
  tracking_mouse_ = false;
}

int BASSwitchButton::Init(int x, int y, const wchar_t* text, COLORREF normal_color,
                          COLORREF normal_text_color, COLORREF pressed_color,
                          COLORREF pressed_text_color) {
  faces_.Clear();
  normal_color_ = normal_color;
  normal_text_color_ = normal_text_color;
  pressed_color_ = pressed_color;
  pressed_text_color_ = pressed_text_color;
  x_ = x;
  y_ = y;
  SetCaptionAndPlace(text);
  return 0;
}

void BASSwitchButton::SetText(const wchar_t* text) { SetCaptionAndPlace(text); }

void BASSwitchButton::SetCaptionAndPlace(const wchar_t* text) {
  faces_.Clear();
  if (text == nullptr) return;  // a caption is required; keep the old one
  text_ = text;
  view::frame::SetCaptionWindowText(m_hWnd, text_);
  const Gdiplus::SizeF caption = view::frame::MeasureCaption(m_hWnd, text_, Font());
  const SIZE size =
      view::internal::SwitchButtonSize(h_margin_, v_margin_, caption.Width, caption.Height);
  width_ = size.cx;
  height_ = size.cy;
  view::frame::PlaceAnchored(m_hWnd, x_, y_, width_, height_);
  ReportAccessibleChanges();
}

Gdiplus::Font* BASSwitchButton::Font() {
  return scaled_font_.Get(font_, follows_dpi() ? scale_ : 1.0f);
}

void BASSwitchButton::OnDpiChanged(float factor) {
  view::frame::RescaleLengths(scale_, factor, h_margin_, v_margin_, round_rect_point_.x,
                              round_rect_point_.y);
  SetDpiScale(factor);
  // Measured again in place: the application moves its children itself.
  if (!text_.empty()) {
    const Gdiplus::SizeF caption = view::frame::MeasureCaption(m_hWnd, text_, Font());
    const SIZE size =
        view::internal::SwitchButtonSize(h_margin_, v_margin_, caption.Width, caption.Height);
    width_ = size.cx;
    height_ = size.cy;
    view::frame::ResizeInPlace(m_hWnd, width_, height_);
  }
  InvalidateRect(m_hWnd, nullptr, FALSE);
}

void BASSwitchButton::SetColorDisable(COLORREF color, COLORREF text_color) {
  faces_.Clear();
  disable_color_ = color;
  disable_text_color_ = text_color;
}

void BASSwitchButton::ResetStatus() {
  status_ = kStatusNormal;
  if (m_hWnd != nullptr) InvalidateRect(m_hWnd, nullptr, FALSE);
  ReportAccessibleChanges();
}

void BASSwitchButton::SetPressedStatus() {
  status_ = kStatusPressed;
  if (m_hWnd != nullptr) InvalidateRect(m_hWnd, nullptr, FALSE);
  ReportAccessibleChanges();
}

bool BASSwitchButton::DescribeAccessible(long child, view::frame::AccessibleInfo& info) {
  if (!DescribeButton(child, info, radio_, ROLE_SYSTEM_RADIOBUTTON, text_)) return false;
  if (radio_ && status_ == kStatusPressed) info.state = STATE_SYSTEM_CHECKED;
  return true;
}

void BASSwitchButton::DrawItem(LPDRAWITEMSTRUCT dis) {
  if (dis == nullptr || m_hWnd == nullptr) return;
  faces_.Paint(m_hWnd, dis->hDC, status_, [this](Gdiplus::Graphics& graphics, int width,
                                                 int height) { Paint(graphics, width, height); });
}

void BASSwitchButton::Paint(Gdiplus::Graphics& graphics, int client_width, int client_height) {
  const Gdiplus::RectF whole(0.0f, 0.0f, static_cast<float>(client_width),
                             static_cast<float>(client_height));
  using view::frame::ColorRole;
  using view::frame::PaintColor;
  Gdiplus::SolidBrush background(
      view::internal::ColorFromColorRef(
          PaintColor(ColorRole::kWindow, background_color_, kBackgroundDefault)));
  graphics.FillRectangle(&background, whole);
  graphics.SetTextRenderingHint(Gdiplus::TextRenderingHintSystemDefault);
  graphics.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);

  view::internal::SwitchColors colors = view::internal::ChooseSwitchColors(
      status_, {normal_color_, normal_text_color_}, {pressed_color_, pressed_text_color_},
      {disable_color_, disable_text_color_});
  const view::internal::SwitchColors defaults = view::internal::ChooseSwitchColors(
      status_, kNormalDefault, kNormalDefault, kDisableDefault);
  colors = {PaintColor(view::frame::FaceRole(status_), colors.fill, defaults.fill),
            PaintColor(view::frame::TextRole(status_), colors.text, defaults.text)};

  Gdiplus::GraphicsPath path;
  if (round_rect_) {
    Utils::CreateRoundRect(path, whole, round_rect_point_.x);
  } else {
    path.AddRectangle(whole);
  }
  Gdiplus::SolidBrush fill(view::internal::ColorFromColorRef(colors.fill));
  graphics.FillPath(&fill, &path);
  if (border_color_ != 0xFFFFFFFF) {
    Gdiplus::Pen pen(view::internal::ColorFromColorRef(PaintColor(ColorRole::kText, border_color_)),
                     1.0f);
    graphics.DrawPath(&pen, &path);
  }
  if (!text_.empty() && font_ != nullptr) {
    view::frame::DrawCaption(m_hWnd, graphics, whole, text_, Font(), Gdiplus::StringAlignmentCenter,
                             Gdiplus::StringAlignmentCenter,
                             view::internal::ColorFromColorRef(colors.text));
  }
}

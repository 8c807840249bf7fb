#include "view/internal/controls/zu_section_img_button.h"

#include <cmath>

#include "view/internal/drawing/drawing_math.h"
#include "view/internal/frame/button_layout.h"
#include "view/internal/frame/hover_press.h"
#include "view/internal/frame/paint_buffers.h"
#include "view/internal/frame/window_ops.h"
#include "view/utils.h"

namespace view::internal {

Gdiplus::SizeF SectionLoadMeasureArea(const SectionMetrics& m, int client_width,
                                      int client_height, bool fix_width, bool fix_height) {
  Gdiplus::SizeF area(0, 0);
  if (fix_height) {
    area.Height = static_cast<float>(client_height - 2 * m.v_margin);
    if (m.layout == kImgAboveText && m.image_height != 0) {
      area.Height -= static_cast<float>(m.image_height) + m.gap;
    }
  }
  if (fix_width) {
    area.Width = static_cast<float>(client_width - 2 * m.h_margin);
    if ((m.layout == kImgLeftOfText || m.layout == kImgRightOfText) && m.image_width != 0) {
      area.Width -= static_cast<float>(m.image_width) + m.gap;
    }
  }
  return area;
}

namespace {

// What the placement of either layout family reads.
struct LoadInput {
  const SectionMetrics& m;
  float tw;
  float th;
  bool fix_width;
  bool fix_height;
  bool center;
};

void PlaceImageAboveText(const LoadInput& in, SectionPlacement& p) {
  const SectionMetrics& m = in.m;
  const int iw = m.image_width, ih = m.image_height;
  const float IW = static_cast<float>(iw), IH = static_cast<float>(ih);
  const float hm = static_cast<float>(m.h_margin), vm = static_cast<float>(m.v_margin);
  const bool both = ih != 0 && in.th != 0;
  const float g = both ? m.gap : 0.0f;
  if (!in.fix_width) p.width = static_cast<int>(2 * hm + std::max(in.tw, IW));
  if (!in.fix_height) p.height = static_cast<int>(2 * vm + IH + g + in.th);
  const int W = p.width, H = p.height;
  if (!in.center) {
    p.image_x = iw != 0 ? m.h_margin : 0;
    p.image_y = ih != 0 ? m.v_margin : 0;
    p.text_y = both ? static_cast<float>(p.image_y) + IH + m.gap : vm;
  } else {
    const bool no_image = iw == 0 || ih == 0;
    p.image_x = no_image ? 0 : (W - iw) / 2;
    p.image_y = no_image ? 0 : static_cast<int>((static_cast<float>(H) - (IH + g + in.th)) * 0.5f);
    p.text_y = both ? static_cast<float>(p.image_y) + IH + m.gap
                    : (static_cast<float>(H) - in.th) * 0.5f;
  }
  p.text_x = hm;
}

void PlaceImageBesideText(const LoadInput& in, SectionPlacement& p) {
  const SectionMetrics& m = in.m;
  const int iw = m.image_width, ih = m.image_height;
  const float IW = static_cast<float>(iw), IH = static_cast<float>(ih);
  const float hm = static_cast<float>(m.h_margin), vm = static_cast<float>(m.v_margin);
  const float tw = in.tw;
  const bool both = iw != 0 && tw != 0;
  const float g = both ? m.gap : 0.0f;
  if (!in.fix_width) p.width = static_cast<int>(2 * hm + IW + g + tw);
  if (!in.fix_height) p.height = static_cast<int>(2 * vm + std::max(IH, in.th));
  const int W = p.width, H = p.height;
  p.text_y = (static_cast<float>(H) - in.th) * 0.5f;
  if (m.layout == kImgRightOfText) {
    p.text_x = in.center && both ? (static_cast<float>(W) - (IW + g + tw)) * 0.5f : hm;
    p.image_x = static_cast<int>(p.text_x + tw + m.gap);
    p.image_y = (H - ih) / 2;
  } else if (!in.center) {
    p.image_x = iw != 0 ? m.h_margin : 0;
    p.image_y = ih != 0 ? m.v_margin : 0;
    p.text_x = both ? static_cast<float>(p.image_x) + IW + m.gap : hm;
  } else {
    const bool no_image = iw == 0 || ih == 0;
    p.image_x = no_image ? 0 : static_cast<int>((static_cast<float>(W) - (IW + g + tw)) * 0.5f);
    p.image_y = (H - ih) / 2;
    p.text_x = both ? static_cast<float>(p.image_x) + IW + m.gap
                    : (static_cast<float>(W) - tw) * 0.5f;
  }
}

}  // namespace

SectionPlacement SectionLoadPlace(const SectionMetrics& m, float tw, float th, int client_width,
                                  int client_height, bool fix_width, bool fix_height, bool center,
                                  const SectionPlacement& previous) {
  SectionPlacement p = previous;
  p.width = client_width;
  p.height = client_height;
  const LoadInput in = {m, tw, th, fix_width, fix_height, center};
  if (m.layout == kImgAboveText) PlaceImageAboveText(in, p);
  if (m.layout == kImgLeftOfText || m.layout == kImgRightOfText) PlaceImageBesideText(in, p);
  return p;
}

Gdiplus::SizeF SectionReloadMeasureArea(const SectionMetrics& m, int max_width, int max_height) {
  // A limit that leaves no room still limits: the caption then wraps as
  // narrowly as it can instead of running unlimited.
  auto limit = [](int max, float value) { return max == 0 ? 0.0f : std::max(value, 1.0f); };
  const float IW = static_cast<float>(m.image_width), IH = static_cast<float>(m.image_height);
  const float hm = static_cast<float>(m.h_margin), vm = static_cast<float>(m.v_margin);
  if (m.layout == kImgAboveText) {
    return Gdiplus::SizeF(limit(max_width, static_cast<float>(max_width) - 2 * hm),
                          limit(max_height, static_cast<float>(max_height) - (IH + 2 * vm + m.gap)));
  }
  return Gdiplus::SizeF(limit(max_width, static_cast<float>(max_width) - 2 * hm - IW - m.gap),
                        limit(max_height, static_cast<float>(max_height) - 2 * vm));
}

SectionPlacement SectionReloadPlace(const SectionMetrics& m, float tw, float th,
                                    const SectionPlacement& start) {
  SectionPlacement p = start;
  const int iw = m.image_width, ih = m.image_height;
  const float IW = static_cast<float>(iw), IH = static_cast<float>(ih);
  const float hm = static_cast<float>(m.h_margin), vm = static_cast<float>(m.v_margin);
  switch (m.layout) {
    case kImgAboveText:
      p.width = static_cast<int>(std::ceil(2 * hm + std::max(IW, tw)));
      p.height = static_cast<int>(std::ceil(IH + 2 * vm + m.gap + th));
      p.image_x = (p.width - iw) / 2;
      p.image_y = m.v_margin;
      p.text_x = (static_cast<float>(p.width) - tw) * 0.5f;
      p.text_y = IH + vm + m.gap;
      break;
    case kImgLeftOfText:
    case kImgRightOfText:
      p.width = static_cast<int>(std::ceil(IW + 2 * hm + m.gap + tw));
      p.height = static_cast<int>(std::ceil(2 * vm + std::max(IH, th)));
      p.image_y = (p.height - ih) / 2;
      p.text_y = (static_cast<float>(p.height) - th) * 0.5f;
      if (m.layout == kImgLeftOfText) {
        p.image_x = m.h_margin;
        p.text_x = IW + hm + m.gap;
      } else {
        p.image_x = p.width - iw - m.h_margin;
        p.text_x = hm;
      }
      break;
    default:
      break;
  }
  return p;
}

}  // namespace view::internal

using view::internal::ColorFromColorRef;
using view::internal::SectionMetrics;
using view::internal::SectionPlacement;

BOOL ZuSectionImgButton::EnableWindow(BOOL enable) {
  if (m_hWnd == nullptr) return FALSE;
  const BOOL result = ButtonControl::EnableWindow(enable);
  view::frame::RepaintNow(m_hWnd);
  return result;
}

SectionMetrics ZuSectionImgButton::Metrics() const {
  SectionMetrics m;
  m.layout = layout_type_;
  m.image_width = image_rect_.Width;
  m.image_height = image_rect_.Height;
  m.h_margin = h_margin_;
  m.v_margin = v_margin_;
  m.gap = image_text_gap_;
  return m;
}

void ZuSectionImgButton::UpdateImageBox() {
  Gdiplus::Bitmap* normal = images_[kStatusNormal];
  if (normal == nullptr) return;
  image_rect_ = Gdiplus::Rect(0, 0, static_cast<int>(static_cast<float>(normal->GetWidth()) * scale_),
                              static_cast<int>(static_cast<float>(normal->GetHeight()) * scale_));
}

Gdiplus::RectF ZuSectionImgButton::MeasureCaption(const Gdiplus::SizeF& area) {
  // Side-by-side captions are measured vertically centred only; stacked
  // ones centred both ways, as each is drawn.
  Gdiplus::StringFormat format;
  format.SetLineAlignment(Gdiplus::StringAlignmentCenter);
  if (layout_type_ != kImgLeftOfText && layout_type_ != kImgRightOfText) {
    format.SetAlignment(Gdiplus::StringAlignmentCenter);
  }
  return view::frame::MeasureCaptionBox(m_hWnd, text_, Font(), area, &format, true);
}

Gdiplus::Font* ZuSectionImgButton::Font() {
  return scaled_font_.Get(font_, follows_dpi() ? scale_ : 1.0f);
}

void ZuSectionImgButton::OnDpiChanged(float factor) {
  using view::frame::RescaleLength;
  const float from = scale_;
  view::frame::RescaleLengths(from, factor, h_margin_, v_margin_, round_rect_point_.x,
                              round_rect_point_.y);
  image_text_gap_ = image_text_gap_ / from * factor;
  scale_ = factor;
  // Laid out again as the application last did, its limits or the
  // window's size (which Load fits into) at the new factor.
  if (reloaded_) {
    reload(RescaleLength(reload_limits_.cx, from, factor),
           RescaleLength(reload_limits_.cy, from, factor));
  } else {
    RECT client = {0, 0, 0, 0};
    ::GetClientRect(m_hWnd, &client);
    view::frame::ResizeClient(m_hWnd, RescaleLength(client.right, from, factor),
                              RescaleLength(client.bottom, from, factor), false);
    Load(false);
  }
  tooltip_font_.Apply(tooltip_.get(), factor);
  ::InvalidateRect(m_hWnd, nullptr, FALSE);
}

void ZuSectionImgButton::ApplyPlacement(const SectionPlacement& p) {
  image_rect_.X = p.image_x;
  image_rect_.Y = p.image_y;
  text_rect_.X = p.text_x;
  text_rect_.Y = p.text_y;
}

void ZuSectionImgButton::Load(bool take_window_text) {
  faces_.Clear();
  if (m_hWnd == nullptr) return;
  reloaded_ = false;
  UpdateImageBox();
  if (take_window_text) text_ = Utils::GetEditValue(m_hWnd);
  ReportAccessibleChanges();
  RECT client = {0, 0, 0, 0};
  ::GetClientRect(m_hWnd, &client);
  const SectionMetrics m = Metrics();
  text_rect_ = Gdiplus::RectF(0, 0, 0, 0);
  if (!text_.empty()) {
    const Gdiplus::SizeF area =
        view::internal::SectionLoadMeasureArea(m, client.right, client.bottom, fix_width_, fix_height_);
    text_rect_ = MeasureCaption(area);
    // Stacked captions span the whole fixed width, so that they centre in it.
    if (layout_type_ == kImgAboveText) text_rect_.Width = std::max(text_rect_.Width, area.Width);
  }
  SectionPlacement previous;
  previous.image_x = image_rect_.X;
  previous.image_y = image_rect_.Y;
  previous.text_x = text_rect_.X;
  previous.text_y = text_rect_.Y;
  const SectionPlacement p = view::internal::SectionLoadPlace(
      m, text_rect_.Width, text_rect_.Height, client.right, client.bottom, fix_width_,
      fix_height_, center_, previous);
  ApplyPlacement(p);
  if (p.width != client.right || p.height != client.bottom) {
    view::frame::ResizeClient(m_hWnd, p.width, p.height, true);
  }
}

WTL::CSize ZuSectionImgButton::reload(int max_width, int max_height) {
  faces_.Clear();
  if (m_hWnd == nullptr) return WTL::CSize(0, 0);
  reloaded_ = true;
  reload_limits_ = {max_width, max_height};
  RECT client = {0, 0, 0, 0};
  ::GetClientRect(m_hWnd, &client);
  SectionPlacement start;
  start.image_x = image_rect_.X;
  start.image_y = image_rect_.Y;
  start.text_x = text_rect_.X;
  start.text_y = text_rect_.Y;
  start.width = client.right;
  start.height = client.bottom;
  UpdateImageBox();
  if (images_[kStatusNormal] != nullptr) {
    start.width = image_rect_.Width + 2 * h_margin_;
    start.height = image_rect_.Height + 2 * v_margin_;
  }
  text_ = Utils::GetEditValue(m_hWnd);
  ReportAccessibleChanges();
  SectionPlacement p = start;
  if (text_.empty()) {
    if (p.width != client.right || p.height != client.bottom) {
      view::frame::ResizeClient(m_hWnd, p.width, p.height, false);
    }
    return WTL::CSize(p.width, p.height);
  }
  const SectionMetrics m = Metrics();
  if (layout_type_ == kImgAboveText || layout_type_ == kImgLeftOfText ||
      layout_type_ == kImgRightOfText) {
    text_rect_ = MeasureCaption(view::internal::SectionReloadMeasureArea(m, max_width, max_height));
    p = view::internal::SectionReloadPlace(m, text_rect_.Width, text_rect_.Height, start);
    ApplyPlacement(p);
  }
  if (p.width != client.right || p.height != client.bottom) {
    view::frame::ResizeClient(m_hWnd, p.width, p.height, true);
  }
  return WTL::CSize(p.width, p.height);
}

void ZuSectionImgButton::SetTooltip(const wchar_t* text) {
  if (m_hWnd == nullptr) return;
  if (!tooltip_) {
    tooltip_.reset(view::frame::CreateTooltipWindow(m_hWnd));
    if (follows_dpi()) tooltip_font_.Apply(tooltip_.get(), scale_);
  }
  if (!tooltip_) return;
  if (::SendMessageW(tooltip_.get(), TTM_GETTOOLCOUNT, 0, 0) > 0) {
    TTTOOLINFOW info = {};
    info.cbSize = sizeof(info);
    info.hwnd = ::GetParent(m_hWnd);
    info.uId = reinterpret_cast<UINT_PTR>(m_hWnd);
    ::SendMessageW(tooltip_.get(), TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
  }
  view::frame::AddTooltipTool(tooltip_.get(), m_hWnd, text != nullptr ? text : L"");
}

bool ZuSectionImgButton::DescribeAccessible(long child, view::frame::AccessibleInfo& info) {
  if (!DescribeButton(child, info, check_style_, ROLE_SYSTEM_PAGETAB, text_)) return false;
  if (check_style_) {
    info.state = STATE_SYSTEM_SELECTABLE;
    if (status_ == kStatusPressed) info.state |= STATE_SYSTEM_SELECTED;
  }
  return true;
}

void ZuSectionImgButton::Paint(HDC dc) {
  // An application's drawing function may paint something new each time:
  // only faces the control draws itself are kept.
  faces_.Paint(
      m_hWnd, dc, status_,
      [this](Gdiplus::Graphics& graphics, int width, int height) {
        Draw(graphics, RECT{0, 0, width, height});
      },
      !draw_func_);
}

void ZuSectionImgButton::Draw(Gdiplus::Graphics& graphics, const RECT& client) {
  using view::frame::PaintColor;
  graphics.SetTextRenderingHint(Gdiplus::TextRenderingHintSystemDefault);
  graphics.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
  graphics.SetInterpolationMode(Gdiplus::InterpolationModeHighQuality);
  const int status = status_ >= kStatusNormal && status_ <= kStatusDisable ? status_ : 0;
  const float cw = static_cast<float>(client.right), ch = static_cast<float>(client.bottom);

  Gdiplus::GraphicsPath shape;
  if (round_rect_) {
    Gdiplus::SolidBrush outside(
        ColorFromColorRef(PaintColor(view::frame::ColorRole::kWindow, round_bkg_color_, 0)));
    graphics.FillRectangle(&outside, 0.0f, 0.0f, cw, ch);
    Utils::CreateRoundRect(shape, Gdiplus::RectF(0, 0, cw, ch), round_rect_point_.x);
  } else {
    shape.AddRectangle(Gdiplus::RectF(0, 0, cw - 1, ch - 1));
  }
  Gdiplus::SolidBrush fill(
      ColorFromColorRef(PaintColor(view::frame::FaceRole(status), fill_colors_[status], 0)));
  graphics.FillPath(&fill, &shape);
  Gdiplus::Pen border(
      ColorFromColorRef(PaintColor(view::frame::ColorRole::kBorder, border_colors_[status], 0)),
      scale_);
  graphics.DrawPath(&border, &shape);

  if (draw_func_) {
    RECT area = client;  // the application's function may write to it
    draw_func_(m_hWnd, graphics, area, status_);
  } else {
    Gdiplus::Bitmap* image = images_[status] != nullptr ? images_[status] : images_[kStatusNormal];
    if (image != nullptr) Utils::DrawImage(graphics, image, image_rect_);
    if (!text_.empty()) {
      Gdiplus::Color color =
          ColorFromColorRef(PaintColor(view::frame::TextRole(status), text_colors_[status], 0));
      if (layout_type_ == kImgAboveText) {
        view::frame::DrawCaption(m_hWnd, graphics, text_rect_, text_, Font(),
                                 Gdiplus::StringAlignmentCenter, Gdiplus::StringAlignmentCenter,
                                 color);
      } else if (layout_type_ == kImgLeftOfText || layout_type_ == kImgRightOfText) {
        view::frame::DrawCaption(m_hWnd, graphics, text_rect_, text_, Font(),
                                 Gdiplus::StringAlignmentNear, Gdiplus::StringAlignmentCenter,
                                 color);
      }
    }
  }
}

void ZuSectionImgButton::OnHotItemChange(DWORD flags) {
  if (status_ == kStatusDisable) return;
  if (check_style_ && status_ == kStatusPressed) return;
  if (flags & HICF_ENTERING) {
    status_ = kStatusHover;
    if (tooltip_) {
      MSG relay = {m_hWnd, WM_MOUSEMOVE, 0, 0, 0, {0, 0}};
      ::SendMessageW(tooltip_.get(), TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relay));
    }
  } else if (flags & HICF_LEAVING) {
    status_ = kStatusNormal;
  }
}

void ZuSectionImgButton::HotFromPointer(UINT msg) {
  if (hot_notified_) return;
  const ButtonStatus before = status_;
  if (msg == WM_MOUSEMOVE && !pointer_hot_) {
    TRACKMOUSEEVENT tme = {};
    tme.cbSize = sizeof(tme);
    tme.dwFlags = TME_LEAVE;
    tme.hwndTrack = m_hWnd;
    if (!_TrackMouseEvent(&tme)) return;
    pointer_hot_ = true;
    OnHotItemChange(HICF_ENTERING | HICF_MOUSE);
  } else if (msg == WM_MOUSELEAVE && pointer_hot_) {
    pointer_hot_ = false;
    OnHotItemChange(HICF_LEAVING | HICF_MOUSE);
  }
  // The standard button's own hot-state redraw need not come here.
  if (status_ != before) ::InvalidateRect(m_hWnd, nullptr, FALSE);
}

bool ZuSectionImgButton::ProcessWindowMessage(HWND wnd, UINT msg, WPARAM wparam, LPARAM lparam,
                                              LRESULT& result, DWORD) {
  if (HandleButtonMessages(msg, wparam, result)) return true;
  if (view::frame::HandlePaintMessage(wnd, msg, wparam, result,
                                      [this](HDC dc) { Paint(dc); })) {
    return true;
  }
  switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:  // the standard push button takes a double click as a press
      status_ = kStatusPressed;
      return false;
    case WM_LBUTTONUP:
      if (!check_style_) status_ = kStatusNormal;
      return false;
    case WM_MOUSEMOVE:
    case WM_MOUSELEAVE:
      // The standard button sees the message first, so that a hot-item
      // notification it sends arrives before the stand-in is considered.
      result = DefWindowProc(msg, wparam, lparam);
      if (m_hWnd != nullptr) HotFromPointer(msg);
      return true;
    case WM_DESTROY:
      tooltip_.reset();
      return false;
    case view::frame::OCM_NOTIFY_: {
      const auto* header = reinterpret_cast<const NMHDR*>(lparam);
      if (header != nullptr && header->code == BCN_HOTITEMCHANGE) {
        hot_notified_ = true;
        OnHotItemChange(reinterpret_cast<const NMBCHOTITEM*>(lparam)->dwFlags);
        result = 0;
        return true;
      }
      break;
    }
    default:
      break;
  }
  return view::frame::DefaultReflectionHandler(wnd, msg, wparam, lparam, result);
}

#include "view/internal/controls/bas_switch_image_button.h"

#include "view/internal/drawing/drawing_math.h"
#include "view/internal/frame/button_layout.h"
#include "view/internal/frame/dpi.h"
#include "view/internal/frame/paint_buffers.h"
#include "view/internal/drawing/gdiplus_new.h"
#include "view/utils.h"

namespace view::internal {

SwitchImageLayout LayOutSwitchImage(unsigned align, float text_width, float text_height,
                                    float image_width, float image_height, int h_margin,
                                    int v_margin, int gap, const SwitchImageLayout& previous) {
  SwitchImageLayout out = previous;
  const float tw = text_width, th = text_height, iw = image_width, ih = image_height;
  float content_width = iw;
  float content_height = ih;
  out.image_y = v_margin;
  if (align == 1) {
    // Image above the caption, both centred horizontally on the wider one.
    if (tw > iw) {
      out.image_x = static_cast<int>((tw - iw) * 0.5f + static_cast<float>(h_margin));
      out.text_x = h_margin;
      content_width = tw;
    } else {
      out.image_x = h_margin;
      out.text_x = static_cast<int>((iw - tw) * 0.5f + static_cast<float>(h_margin));
      content_width = iw;
    }
    out.text_y = static_cast<int>(static_cast<float>(v_margin) + ih + static_cast<float>(gap));
    content_height = ih + static_cast<float>(gap) + th;
  } else if (align == 2) {
    // Image left of the caption; the shorter one is centred vertically,
    // except that a taller caption leaves the image at the top margin.
    out.image_x = h_margin;
    out.text_x = static_cast<int>(static_cast<float>(h_margin) + iw + static_cast<float>(gap));
    content_width = iw + static_cast<float>(gap) + tw;
    if (th > ih) {
      out.text_y = v_margin;
      content_height = th;
    } else {
      out.text_y = static_cast<int>((ih - th) * 0.5f + static_cast<float>(v_margin));
      content_height = ih;
    }
  }
  out.width = static_cast<float>(2 * h_margin) + content_width;
  out.height = static_cast<float>(2 * v_margin) + content_height;
  return out;
}

RECT SwitchImageDeleteRect(float tile_width, int mark_width, int mark_height, float scale) {
  RECT rect;
  rect.left = static_cast<int>(tile_width - static_cast<float>(mark_width) - 4.0f * scale);
  rect.top = static_cast<int>(2.0f * scale);
  rect.right = rect.left + mark_width;
  rect.bottom = rect.top + mark_height;
  return rect;
}

std::unique_ptr<Gdiplus::Bitmap> MakeGreyCopy(Gdiplus::Bitmap* image) {
  if (image == nullptr) return nullptr;
  const int width = static_cast<int>(image->GetWidth());
  const int height = static_cast<int>(image->GetHeight());
  if (width <= 0 || height <= 0) return nullptr;
  // GDI+ cannot draw into an indexed bitmap; those get a 32-bit ARGB copy.
  Gdiplus::PixelFormat format = image->GetPixelFormat();
  if (Gdiplus::IsIndexedPixelFormat(format) || format == PixelFormatUndefined) {
    format = PixelFormat32bppARGB;
  }
  auto grey = MakeGdiplus<Gdiplus::Bitmap>(width, height, format);
  if (!grey || grey->GetLastStatus() != Gdiplus::Ok) return nullptr;
  Gdiplus::Graphics graphics(grey.get());
  // Each output colour channel is the BT.601 luma of the input; alpha is kept.
  Gdiplus::ColorMatrix matrix = {{
      {0.299f, 0.299f, 0.299f, 0.0f, 0.0f},
      {0.587f, 0.587f, 0.587f, 0.0f, 0.0f},
      {0.114f, 0.114f, 0.114f, 0.0f, 0.0f},
      {0.0f, 0.0f, 0.0f, 1.0f, 0.0f},
      {0.0f, 0.0f, 0.0f, 0.0f, 1.0f},
  }};
  Gdiplus::ImageAttributes attributes;
  attributes.SetColorMatrix(&matrix);
  graphics.DrawImage(image, Gdiplus::Rect(0, 0, width, height), 0, 0, width, height,
                     Gdiplus::UnitPixel, &attributes);
  return grey;
}

}  // namespace view::internal

using view::internal::ColorFromColorRef;

HWND BASSwitchImageButton::CreateButton(HWND parent, Gdiplus::Font* font, HMENU id) {
  SetCreateDefaults(parent, font);
  const DWORD style = (init_visible_ ? 0x5000000Bu : 0x4000000Bu) | WS_TABSTOP;
  return CreateWindowOfClass<BASSwitchImageButton>(parent, nullptr, L"BUTTON", style, 0, id,
                                                   nullptr);
}

void BASSwitchImageButton::SetCreateDefaults(HWND parent, Gdiplus::Font* font) {
  font_ = font;
  scale_ = view::frame::CreationDpiFactor(parent, scale_);
  text_align_ = 1;
  do_hover_ = true;
  status_ = kStatusNormal;
  tracking_mouse_ = false;
  h_margin_ = view::frame::DpiScaleInt(10, scale_);
  v_margin_ = view::frame::DpiScaleInt(10, scale_);
  round_rect_point_.x = view::frame::DpiScaleInt(6, scale_);
  round_rect_point_.y = view::frame::DpiScaleInt(6, scale_);
  image_text_gap_ = view::frame::DpiScaleInt(4, scale_);
}

void BASSwitchImageButton::LayOut(const wchar_t* text) {
  faces_.Clear();
  text_ = text != nullptr ? text : L"";
  view::frame::SetCaptionWindowText(m_hWnd, text_);
  const Gdiplus::SizeF box = view::frame::MeasureCaption(m_hWnd, text_, Font(), 0.0f, true);
  text_width_ = box.Width;
  text_height_ = box.Height;
  const float iw = image_ != nullptr ? static_cast<float>(image_->GetWidth()) * scale_ : 0.0f;
  const float ih = image_ != nullptr ? static_cast<float>(image_->GetHeight()) * scale_ : 0.0f;
  view::internal::SwitchImageLayout previous;
  previous.image_x = image_x_;
  previous.text_x = text_x_;
  previous.text_y = text_y_;
  const view::internal::SwitchImageLayout layout = view::internal::LayOutSwitchImage(
      text_align_, text_width_, text_height_, iw, ih, h_margin_, v_margin_, image_text_gap_,
      previous);
  image_x_ = layout.image_x;
  image_y_ = layout.image_y;
  text_x_ = layout.text_x;
  text_y_ = layout.text_y;
  width_ = layout.width;
  height_ = layout.height;
  if (delete_normal_image_ != nullptr) {
    // A tile that follows its window's DPI places and hits its mark at the
    // size the mark is drawn, inside the corner.
    const float mark_scale = follows_dpi() ? scale_ : 1.0f;
    delete_rect_ = view::internal::SwitchImageDeleteRect(
        width_,
        view::frame::DpiScaleInt(static_cast<int>(delete_normal_image_->GetWidth()), mark_scale),
        view::frame::DpiScaleInt(static_cast<int>(delete_normal_image_->GetHeight()), mark_scale),
        scale_);
  }
}

int BASSwitchImageButton::Init(int x, int y, const wchar_t* text, COLORREF normal_color,
                               COLORREF normal_text_color, Gdiplus::Bitmap* image,
                               COLORREF pressed_color, COLORREF pressed_text_color,
                               Gdiplus::Bitmap* pressed_image) {
  faces_.Clear();
  normal_color_ = normal_color;
  normal_text_color_ = normal_text_color;
  image_ = image;
  pressed_color_ = pressed_color;
  pressed_text_color_ = pressed_text_color;
  pressed_image_ = pressed_image;
  disable_image_ = view::internal::MakeGreyCopy(image);
  LayOut(text);
  if (m_hWnd == nullptr) return 0;
  // Negative coordinates count from the parent's right and bottom edges.
  RECT parent = {0, 0, 0, 0};
  ::GetClientRect(::GetParent(m_hWnd), &parent);
  if (x < 0) x = static_cast<int>(static_cast<float>(parent.right + x) - width_);
  if (y < 0) y = static_cast<int>(static_cast<float>(parent.bottom + y) - height_);
  ::SetWindowPos(m_hWnd, HWND_TOP, x, y, static_cast<int>(width_), static_cast<int>(height_),
                 SWP_FRAMECHANGED);
  return 0;
}

Gdiplus::Font* BASSwitchImageButton::Font() {
  return scaled_font_.Get(font_, follows_dpi() ? scale_ : 1.0f);
}

void BASSwitchImageButton::OnDpiChanged(float factor) {
  view::frame::RescaleLengths(scale_, factor, h_margin_, v_margin_, image_text_gap_,
                              round_rect_point_.x, round_rect_point_.y);
  scale_ = factor;
  const std::wstring text = text_;
  SetText(text.c_str());
  Invalidate(false);
}

void BASSwitchImageButton::SetText(const wchar_t* text) {
  LayOut(text);
  view::frame::ResizeInPlace(m_hWnd, static_cast<int>(width_), static_cast<int>(height_));
  ReportAccessibleChanges();
}

void BASSwitchImageButton::Invalidate(bool erase) {
  if (m_hWnd != nullptr) ::InvalidateRect(m_hWnd, nullptr, erase ? TRUE : FALSE);
}

void BASSwitchImageButton::ResetStatus() {
  status_ = kStatusNormal;
  Invalidate(false);
  ReportAccessibleChanges();
}

void BASSwitchImageButton::SetPressedStatus() {
  status_ = kStatusPressed;
  latched_ = true;
  Invalidate(false);
  ReportAccessibleChanges();
}

bool BASSwitchImageButton::DescribeAccessible(long child, view::frame::AccessibleInfo& info) {
  if (!DescribeButton(child, info, radio_, ROLE_SYSTEM_RADIOBUTTON, text_)) return false;
  // Selected once the press is released (a held press is not yet a choice).
  if (radio_ && latched_ && status_ == kStatusPressed) info.state = STATE_SYSTEM_CHECKED;
  return true;
}

void BASSwitchImageButton::DrawItem(LPDRAWITEMSTRUCT dis) {
  if (dis == nullptr) return;
  Paint(dis->hDC);
}

void BASSwitchImageButton::Paint(HDC dc) {
  faces_.Paint(m_hWnd, dc, status_, [this](Gdiplus::Graphics& graphics, int width, int height) {
    Draw(graphics, RECT{0, 0, width, height});
  });
}

void BASSwitchImageButton::DrawShape(Gdiplus::Graphics& graphics, const RECT& client,
                                     COLORREF fill) {
  const Gdiplus::RectF whole(0, 0, static_cast<Gdiplus::REAL>(client.right),
                             static_cast<Gdiplus::REAL>(client.bottom));
  Gdiplus::GraphicsPath shape;
  if (round_rect_) {
    Utils::CreateRoundRect(shape, whole, round_rect_point_.x);
  } else {
    shape.AddRectangle(whole);
    shape.CloseFigure();
  }
  Gdiplus::SolidBrush fill_brush(ColorFromColorRef(fill));
  graphics.FillPath(&fill_brush, &shape);
  const COLORREF outline = border_color_ == 0xFFFFFFFF
                               ? fill
                               : view::frame::PaintColor(view::frame::ColorRole::kText, border_color_);
  Gdiplus::Pen outline_pen(ColorFromColorRef(outline), border_width_);
  graphics.DrawPath(&outline_pen, &shape);
}

void BASSwitchImageButton::Draw(Gdiplus::Graphics& graphics, const RECT& client) {
  graphics.Clear(ColorFromColorRef(view::frame::PaintColor(
      view::frame::ColorRole::kWindow, background_color_, kBackgroundDefault)));
  graphics.SetTextRenderingHint(Gdiplus::TextRenderingHintSystemDefault);
  graphics.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);

  COLORREF fill = normal_color_;
  COLORREF text_color = normal_text_color_;
  // Init's colours have no default (no colour equals CLR_INVALID): they stay
  // the application's in dark.
  COLORREF fill_default = CLR_INVALID;
  COLORREF text_default = CLR_INVALID;
  Gdiplus::Bitmap* image = image_;
  Gdiplus::Bitmap* mark = delete_normal_image_;
  if (status_ == kStatusPressed || status_ == kStatusHover) {
    fill = pressed_color_;
    text_color = pressed_text_color_;
    image = pressed_image_;
    mark = delete_pressed_image_;
  } else if (status_ == kStatusDisable) {
    fill = disable_color_;
    text_color = disable_text_color_;
    fill_default = kDisableDefault;
    text_default = kDisableTextDefault;
    image = disable_image_.get();
  }

  fill = view::frame::PaintColor(view::frame::FaceRole(status_), fill, fill_default);
  text_color = view::frame::PaintColor(view::frame::TextRole(status_), text_color, text_default);
  DrawShape(graphics, client, fill);

  if (image != nullptr) {
    Utils::DrawImage(graphics, image, image_x_, image_y_,
                     static_cast<int>(static_cast<float>(image->GetWidth()) * scale_),
                     static_cast<int>(static_cast<float>(image->GetHeight()) * scale_));
  }
  if (!text_.empty() && font_ != nullptr) {
    view::frame::DrawCaption(m_hWnd, graphics,
                             Gdiplus::RectF(static_cast<Gdiplus::REAL>(text_x_),
                                            static_cast<Gdiplus::REAL>(text_y_), text_width_,
                                            text_height_),
                             text_, Font(), nullptr, ColorFromColorRef(text_color));
  }
  if (mark != nullptr) {
    // Drawn at its scaled size; the hit rectangle keeps the unscaled one
    // unless the tile follows its window's DPI.
    Utils::DrawImage(graphics, mark, delete_rect_.left, delete_rect_.top,
                     static_cast<int>(static_cast<float>(mark->GetWidth()) * scale_),
                     static_cast<int>(static_cast<float>(mark->GetHeight()) * scale_));
  }
  if (dot_right_) {
    const float s = scale_;
    Gdiplus::Pen white(Gdiplus::Color(0xFFFFFFFF), s);
    graphics.DrawLine(&white, width_ - 2 * s, s, width_ - 2 * s, height_ - 2 * s);
  }
}

bool BASSwitchImageButton::OnLButtonDown(HWND wnd, LPARAM lparam, LRESULT& result) {
  const POINT pt = {GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
  delete_hit_ = delete_normal_image_ != nullptr && ::PtInRect(&delete_rect_, pt) != FALSE;
  if (status_ == kStatusPressed) {
    // A selected tile reports a further press only on its delete mark.
    if (delete_hit_) return false;
    result = 0;
    return true;
  }
  latched_ = false;
  status_ = kStatusPressed;
  view::frame::RepaintNow(wnd);
  return false;
}

bool BASSwitchImageButton::ProcessWindowMessage(HWND wnd, UINT msg, WPARAM wparam, LPARAM lparam,
                                                LRESULT& result, DWORD) {
  if (HandleButtonMessages(msg, wparam, result)) return true;
  switch (msg) {
    case WM_CREATE:
      result = 0;
      return true;
    case WM_LBUTTONDOWN:
      return OnLButtonDown(wnd, lparam, result);
    case WM_LBUTTONUP: {
      result = 0;
      if (status_ != kStatusPressed) return true;
      if (!radio_) status_ = kStatusNormal;
      latched_ = true;
      view::frame::RepaintNow(wnd);
      return view::frame::ReleasedOutside(wnd, lparam);
    }
    case WM_MOUSEMOVE:
      result = 0;
      if (!do_hover_) return true;
      return view::frame::HandleHoverPress(wnd, nullptr, *this, msg, wparam, lparam, result);
    case WM_MOUSEHOVER:
      if (do_hover_ && status_ == kStatusNormal) {
        status_ = kStatusHover;
        view::frame::RepaintNow(wnd);
      }
      result = 0;
      return true;
    case WM_MOUSELEAVE:
      tracking_mouse_ = false;
      if (status_ == kStatusHover || ((status_ == kStatusNormal || status_ == kStatusPressed) &&
                                      !(radio_ && latched_))) {
        status_ = kStatusNormal;
        Invalidate(true);
      }
      result = 0;
      return true;
    case WM_ERASEBKGND:
      return view::frame::HandleHoverPress(wnd, nullptr, *this, msg, wparam, lparam, result);
    case BM_CLICK:
      // The standard button presses and releases the tile as the mouse
      // does, and the press (OnLButtonDown) decides: a tile already chosen
      // takes no further click, any other is pressed, latched and reported.
      return false;
    default:
      break;
  }
  if (ProcessOwnerDraw(msg, wparam, lparam, result)) return true;
  return view::frame::DefaultReflectionHandler(wnd, msg, wparam, lparam, result);
}

#include "view/internal/frame/button_layout.h"

namespace view::frame {

POINT AnchoredOrigin(int x, int y, int width, int height, SIZE parent_client) {
  POINT origin = {x, y};
  if (x < 0) origin.x = x + (parent_client.cx - width);
  if (y < 0) origin.y = y + (parent_client.cy - height);
  return origin;
}

SIZE ParentClientSize(HWND wnd) {
  SIZE size = {0, 0};
  RECT client = {};
  HWND parent = wnd != nullptr ? GetParent(wnd) : nullptr;
  if (parent != nullptr && GetClientRect(parent, &client)) {
    size.cx = client.right - client.left;
    size.cy = client.bottom - client.top;
  }
  return size;
}

bool PlaceAnchored(HWND wnd, int x, int y, int width, int height) {
  if (wnd == nullptr) return false;
  const POINT origin = AnchoredOrigin(x, y, width, height, ParentClientSize(wnd));
  return SetWindowPos(wnd, HWND_TOP, origin.x, origin.y, width, height, SWP_FRAMECHANGED) !=
         FALSE;
}

bool ResizeInPlace(HWND wnd, int width, int height) {
  if (wnd == nullptr) return false;
  RECT rect = {};
  if (!GetWindowRect(wnd, &rect)) return false;
  POINT origin = {rect.left, rect.top};
  HWND parent = GetParent(wnd);
  if (parent != nullptr) ScreenToClient(parent, &origin);
  return SetWindowPos(wnd, HWND_TOP, origin.x, origin.y, width, height, SWP_FRAMECHANGED) !=
         FALSE;
}

Gdiplus::SizeF MeasureCaption(HWND wnd, const std::wstring& text, Gdiplus::Font* font,
                              float layout_width, bool quality) {
  const Gdiplus::RectF box = MeasureCaptionBox(wnd, text, font, Gdiplus::SizeF(layout_width, 0.0f),
                                               nullptr, quality);
  return Gdiplus::SizeF(box.Width, box.Height);
}

Gdiplus::RectF MeasureCaptionBox(HWND wnd, const std::wstring& text, Gdiplus::Font* font,
                                 Gdiplus::SizeF layout, const Gdiplus::StringFormat* format,
                                 bool quality) {
  Gdiplus::RectF box(0.0f, 0.0f, 0.0f, 0.0f);
  if (font == nullptr || wnd == nullptr) return box;
  Gdiplus::Graphics graphics(wnd);
  if (quality) {
    graphics.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
    graphics.SetInterpolationMode(Gdiplus::InterpolationModeHighQuality);
  }
  const Gdiplus::RectF area(0.0f, 0.0f, layout.Width, layout.Height);
  graphics.MeasureString(text.c_str(), static_cast<INT>(text.size()), font, area, format, &box);
  return box;
}

}  // namespace view::frame

#include "view/internal/frame/button_layout.h"

#include <algorithm>
#include <cmath>

#include "view/utils.h"

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
  // A caption is measured as shown, without its marking ampersands.
  const MnemonicCaption shown = ParseMnemonic(text);
  graphics.MeasureString(shown.text.c_str(), static_cast<INT>(shown.text.size()), font, area,
                         format, &box);
  return box;
}

MnemonicCaption ParseMnemonic(const std::wstring& caption) {
  MnemonicCaption shown;
  shown.text.reserve(caption.size());
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == L'&') {
      if (++i == caption.size()) break;  // a trailing ampersand marks nothing
      if (caption[i] != L'&' && shown.index < 0) shown.index = static_cast<int>(shown.text.size());
    }
    shown.text += caption[i];
  }
  return shown;
}

bool ShowsAcceleratorCues(HWND wnd) {
  // The UI state belongs to the top-level window, as for the focus cue.
  return wnd != nullptr &&
         (SendMessageW(GetAncestor(wnd, GA_ROOT), WM_QUERYUISTATE, 0, 0) & UISF_HIDEACCEL) == 0;
}

void DrawCaption(HWND wnd, Gdiplus::Graphics& graphics, const Gdiplus::RectF& box,
                 const std::wstring& caption, Gdiplus::Font* font,
                 const Gdiplus::StringFormat* format, Gdiplus::Color color) {
  if (format == nullptr) format = Gdiplus::StringFormat::GenericDefault();
  const MnemonicCaption shown = ParseMnemonic(caption);
  const INT length = static_cast<INT>(shown.text.size());
  Utils::DrawTextW(graphics, box, shown.text.c_str(), font, format, &color);
  if (shown.index < 0 || font == nullptr || !ShowsAcceleratorCues(wnd)) return;
  // The underline is drawn here rather than left to the format's hotkey
  // prefix, which not every GDI+ draws: under the marked character's cell,
  // one pixel (more in large fonts) below the baseline.
  Gdiplus::StringFormat ranged(format);
  const Gdiplus::CharacterRange range(shown.index, 1);
  ranged.SetMeasurableCharacterRanges(1, &range);
  Gdiplus::Region region;
  Gdiplus::RectF cell;
  if (graphics.MeasureCharacterRanges(shown.text.c_str(), length, font, box, &ranged, 1,
                                      &region) != Gdiplus::Ok ||
      region.GetBounds(&cell, &graphics) != Gdiplus::Ok) {
    return;
  }
  Gdiplus::FontFamily family;
  font->GetFamily(&family);
  const INT style = font->GetStyle();
  const float spacing = static_cast<float>(family.GetLineSpacing(style));
  if (spacing <= 0.0f) return;
  const float line = font->GetHeight(&graphics);
  const float baseline = cell.Y + line * static_cast<float>(family.GetCellAscent(style)) / spacing;
  const float thickness = std::max(1.0f, std::floor(line / 16.0f));
  Gdiplus::SolidBrush brush(color);
  graphics.FillRectangle(&brush, std::floor(cell.X), std::floor(baseline) + 1.0f,
                         std::ceil(cell.Width), thickness);
}

void DrawCaption(HWND wnd, Gdiplus::Graphics& graphics, const Gdiplus::RectF& box,
                 const std::wstring& caption, Gdiplus::Font* font,
                 Gdiplus::StringAlignment horizontal, Gdiplus::StringAlignment vertical,
                 Gdiplus::Color color) {
  Gdiplus::StringFormat format(0, LANG_NEUTRAL);
  format.SetAlignment(horizontal);
  format.SetLineAlignment(vertical);
  DrawCaption(wnd, graphics, box, caption, font, &format, color);
}

void SetCaptionWindowText(HWND wnd, const std::wstring& caption) {
  if (wnd == nullptr) return;
  std::wstring now(static_cast<size_t>(GetWindowTextLengthW(wnd)) + 1, L'\0');
  now.resize(static_cast<size_t>(GetWindowTextW(wnd, &now[0], static_cast<int>(now.size()))));
  if (now != caption) SetWindowTextW(wnd, caption.c_str());
}

}  // namespace view::frame

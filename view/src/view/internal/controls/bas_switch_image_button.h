#pragma once

// The tile behind ZuSwitchImageButton: an owner-drawn button holding an
// image and a caption, with an optional delete mark in its top-right corner,
// an optional separator line on its right edge and a latching (radio) mode.

#include <memory>
#include <string>

#include "view/button_status.h"
#include "view/internal/frame/accessible.h"
#include "view/internal/frame/dpi.h"
#include "view/internal/frame/hover_press.h"
#include "view/internal/frame/owner_draw.h"
#include "view/internal/frame/window_impl.h"

namespace view::internal {

// Where the image and the caption go and how large the tile is. Text and
// image sizes are device pixels (images already scaled, not truncated).
struct SwitchImageLayout {
  int image_x = 0;
  int image_y = 0;
  int text_x = 0;
  int text_y = 0;
  float width = 0;
  float height = 0;
};

// Image above the caption (align 1) or left of it (align 2); any other
// alignment sizes the tile to the image and keeps the caption position
// given in `previous`.
SwitchImageLayout LayOutSwitchImage(unsigned align, float text_width, float text_height,
                                    float image_width, float image_height, int h_margin,
                                    int v_margin, int gap, const SwitchImageLayout& previous);

// The hit rectangle of a mark_width x mark_height delete mark in the
// top-right corner of a tile `tile_width` wide.
RECT SwitchImageDeleteRect(float tile_width, int mark_width, int mark_height, float scale);

// A grey copy of `image` (BT.601 luma, alpha kept) of the same size and, for
// non-indexed images, the same pixel format. Null for a null image.
std::unique_ptr<Gdiplus::Bitmap> MakeGreyCopy(Gdiplus::Bitmap* image);

}  // namespace view::internal

// status_ and tracking_mouse_ come from HoverPressState, so that the shared
// hover/press handling works on them directly.
class BASSwitchImageButton : public view::frame::OwnerDrawnButton<BASSwitchImageButton>,
                             public view::frame::Latchable {
 public:
  bool Latches() const override { return radio_; }
  bool IsLatched() const override { return radio_ && latched_ && status_ == kStatusPressed; }
  void Unlatch() override { ResetStatus(); }
  HWND LatchWindow() const override { return m_hWnd; }
  static constexpr const wchar_t* kPublicClass = view::kSwitchImageButtonClass;
  void AdoptCreated() override { SetCreateDefaults(::GetParent(m_hWnd), nullptr); }
  // What CreateButton sets before the window exists.
  void SetCreateDefaults(HWND parent, Gdiplus::Font* font);

  BASSwitchImageButton() = default;
  ~BASSwitchImageButton() override = default;

  bool ProcessWindowMessage(HWND wnd, UINT msg, WPARAM wparam, LPARAM lparam, LRESULT& result,
                            DWORD map_id = 0) override;
  void DrawItem(LPDRAWITEMSTRUCT dis);

  bool DescribeAccessible(long child, view::frame::AccessibleInfo& info) override;
  void OnDpiChanged(float factor) override;

  HWND CreateButton(HWND parent, Gdiplus::Font* font, HMENU id);
  int Init(int x, int y, const wchar_t* text, COLORREF normal_color, COLORREF normal_text_color,
           Gdiplus::Bitmap* image, COLORREF pressed_color, COLORREF pressed_text_color,
           Gdiplus::Bitmap* pressed_image);
  void SetText(const wchar_t* text);
  void ResetStatus();
  void SetPressedStatus();

  // Paints the tile as it looks now into `dc` (client coordinates).
  void Paint(HDC dc);
  // Draws the whole client area, `client` in size, onto `graphics`.
  void Draw(Gdiplus::Graphics& graphics, const RECT& client);
  // The filled, outlined shape (rounded or not) over the whole client area.
  void DrawShape(Gdiplus::Graphics& graphics, const RECT& client, COLORREF fill);
  // A press: on the delete mark, or selecting the tile.
  bool OnLButtonDown(HWND wnd, LPARAM lparam, LRESULT& result);

  // The control's state, for the wrapper's setters to store into: since the
  // look may change, the faces painted so far are dropped.
  BASSwitchImageButton& Look() {
    faces_.Clear();
    return *this;
  }

  // The control's state; the wrapper's setters store into it through Look().
  std::wstring text_;
  Gdiplus::Font* font_ = nullptr;
  unsigned int text_align_ = 1;
  bool radio_ = true;
  bool do_hover_ = true;
  COLORREF normal_color_ = 0;
  COLORREF normal_text_color_ = 0;
  COLORREF pressed_color_ = 0;
  COLORREF pressed_text_color_ = 0;
  // The defaults; a colour that differs is the application's own (the
  // normal and pressed colours come with Init and are always its own).
  static constexpr COLORREF kDisableDefault = 0x7F7F7F;
  static constexpr COLORREF kDisableTextDefault = 0x595959;
  static constexpr COLORREF kBackgroundDefault = 0xFFFFFF;
  COLORREF disable_color_ = kDisableDefault;
  COLORREF disable_text_color_ = kDisableTextDefault;
  COLORREF background_color_ = kBackgroundDefault;
  COLORREF border_color_ = 0xFFFFFFFF;  // no border colour: outline in the fill colour
  float border_width_ = 1.0f;
  bool round_rect_ = false;
  POINT round_rect_point_ = {0, 0};
  bool dot_right_ = false;
  Gdiplus::Bitmap* image_ = nullptr;
  Gdiplus::Bitmap* pressed_image_ = nullptr;
  std::unique_ptr<Gdiplus::Bitmap> disable_image_;
  Gdiplus::Bitmap* delete_normal_image_ = nullptr;
  Gdiplus::Bitmap* delete_pressed_image_ = nullptr;
  int image_text_gap_ = 0;
  int h_margin_ = 0;
  int v_margin_ = 0;
  float width_ = 0;
  float height_ = 0;
  int image_x_ = 0;
  int image_y_ = 0;
  int text_x_ = 0;
  int text_y_ = 0;
  float text_width_ = 0;
  float text_height_ = 0;
  RECT delete_rect_ = {0, 0, 0, 0};
  bool latched_ = false;
  bool delete_hit_ = false;
  float scale_ = 1.0f;
  bool init_visible_ = true;

 private:
  // Measures the caption and recomputes positions, size and delete rectangle.
  void LayOut(const wchar_t* text);
  // The font to measure and paint with: the application's, at the factor
  // when the tile follows its window's DPI.
  Gdiplus::Font* Font();
  view::frame::ScaledFont scaled_font_;
  void Invalidate(bool erase);
};

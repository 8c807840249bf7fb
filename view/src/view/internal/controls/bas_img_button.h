#pragma once

#include <string>

#include "view/button_status.h"
#include "view/internal/frame/accessible.h"
#include "view/internal/frame/dpi.h"
#include "view/internal/frame/hover_press.h"
#include "view/internal/frame/owner_draw.h"
#include "view/internal/frame/scoped.h"
#include "view/internal/frame/window_impl.h"
#include "view/zu_img_button.h"

namespace view::internal {

// ---- Layout arithmetic of the image button (pure, tested by value) -------

// Control width for a caption tw wide and a scaled image iw wide. Centred:
// the wider of image and caption plus both paddings. Caption right: image,
// gaps, logo box, caption and paddings summed in single precision and
// truncated once.
int ImgButtonWidth(int align, int iw, float tw, int left_padding, int right_padding,
                   int logo_width, int check_logo_gap, int logo_text_gap);

// Control height: the taller of image, logo box and caption, truncated.
int ImgButtonHeight(int ih, float th, int logo_height = 0);

// Where the check (or main) image sits in the caption-right layout: at the
// left edge, vertically centred in a control `height` tall.
RECT ImgButtonCheckRect(int height, int iw, int ih);

// The logo box (x, y, width, height): after the image and the first gap,
// vertically centred.
RECT ImgButtonLogoBox(int height, int iw, int check_logo_gap, int logo_width, int logo_height);

// Where the caption starts: after the image and the caption gap, and after
// the logo and its gap when a logo is drawn.
int ImgButtonCaptionX(int iw, int logo_text_gap, bool logo_drawn, int check_logo_gap,
                      int logo_width);

// The width left for the caption when the control must fit `width`.
int ImgButtonCaptionRoom(int width, int iw, int left_padding, int right_padding,
                         int logo_text_gap, int check_logo_gap, int logo_width);

// What a paint shows for a mode, status and check state.
enum class ImgChoice { kNormal, kPressed, kDisable };
enum class LogoChoice { kNone, kUnchecked, kChecked };
struct ImgButtonLook {
  ImgChoice image;  // kDisable falls back to the normal image when none is set
  LogoChoice logo;
  ImgChoice text_color;
};
ImgButtonLook ChooseImgButtonLook(bool check_box_mode, ButtonStatus status, bool checked);

}  // namespace view::internal

// The implementation behind ZuImgButton: an owner-drawn standard button that
// paints its images and caption into one off-screen ARGB bitmap per paint.
class BASImgButton : public view::frame::OwnerDrawnButton<BASImgButton> {
 public:

  static constexpr const wchar_t* kPublicClass = view::kImgButtonClass;

  BASImgButton() = default;
  ~BASImgButton() override;

  // From a template: an owner-drawn button; BS_DEFPUSHBUTTON makes it the
  // dialog's default button.
  DWORD AdoptStyle(DWORD style) override;

  bool ProcessWindowMessage(HWND wnd, UINT msg, WPARAM wparam, LPARAM lparam, LRESULT& result,
                            DWORD map_id) override;
  void DrawItem(LPDRAWITEMSTRUCT dis);

  bool DescribeAccessible(long child, view::frame::AccessibleInfo& info) override;
  void OnDpiChanged(float factor) override;

  HWND CreateButton(HWND parent, HMENU id, bool visible);
  int Init(Gdiplus::Bitmap* normal, int x, int y, Gdiplus::Bitmap* pressed, const wchar_t* text,
           int align, int left_padding, int right_padding, int check_box);
  void SetText(const wchar_t* text);
  void setFont(Gdiplus::Font* font) {
    font_ = font;
    faces_.Clear();
  }
  void SetTextColor(COLORREF normal, COLORREF pressed, COLORREF disable);
  void SetBkgColor(COLORREF color);
  void SetNormalImage(Gdiplus::Bitmap* image) {
    normal_image_ = image;
    faces_.Clear();
  }
  void SetPressedImage(Gdiplus::Bitmap* image) {
    pressed_image_ = image;
    faces_.Clear();
  }
  void SetDisableImage(Gdiplus::Bitmap* image);
  void SetDpiScale(float scale) {
    scale_ = scale;
    faces_.Clear();
  }
  int DpiScale(int value) const;
  void SetChecked(bool checked) {
    checked_ = checked;
    ReportAccessibleChanges();
  }
  bool IsChecked() const { return checked_; }
  void RefreshCheckRect();
  void SetCheckBoxCheckLogoGapAndLogoTextGap(int check_logo_gap, int logo_text_gap);
  void SetCheckBoxLogoImage(Gdiplus::Bitmap* logo, Gdiplus::Bitmap* checked_logo, int width,
                            int height);
  void SetTooltip(const wchar_t* text);
  void resizeWithFixWidth(int width);

  // State as the control keeps it, for inspection.
  ButtonStatus status() const { return status_; }
  bool tracking_mouse() const { return tracking_mouse_; }
  const RECT& check_rect() const { return check_rect_; }
  int width() const { return width_; }
  int height() const { return height_; }
  HWND tooltip() const { return tooltip_.get(); }
  Gdiplus::Bitmap* disable_image() const { return disable_image_; }

 private:
  // The scaled size of the normal image (0 x 0 without one).
  int ScaledImageWidth() const;
  int ScaledImageHeight() const;
  Gdiplus::SizeF MeasureText(float layout_width = 0.0f);
  // The font to measure and paint with: the application's, at the factor
  // when the control follows its window's DPI.
  Gdiplus::Font* Font();
  void Paint(Gdiplus::Graphics& graphics, int client_width, int client_height);
  // The caption-right layout: image (or check box), logo, then the caption.
  void PaintCaptionRight(Gdiplus::Graphics& graphics, Gdiplus::Bitmap* image,
                         Gdiplus::Bitmap* logo, Gdiplus::Color color, int client_width,
                         int client_height);

  std::wstring text_;
  static constexpr COLORREF kTextDefault = RGB(0, 0, 0);
  static constexpr COLORREF kDisabledTextDefault = RGB(0x78, 0x78, 0x78);
  COLORREF normal_text_color_ = kTextDefault;
  COLORREF pressed_text_color_ = kTextDefault;
  COLORREF disable_text_color_ = kDisabledTextDefault;
  Gdiplus::Bitmap* normal_image_ = nullptr;
  Gdiplus::Bitmap* pressed_image_ = nullptr;
  Gdiplus::Bitmap* disable_image_ = nullptr;
  Gdiplus::Bitmap* check_logo_image_ = nullptr;
  Gdiplus::Bitmap* check_logo_checked_image_ = nullptr;
  int logo_width_ = 0;
  int logo_height_ = 0;
  int check_logo_gap_ = 0;
  int logo_text_gap_ = 0;
  int left_padding_ = 0;
  int right_padding_ = 0;
  int align_ = kBASImgButtonTextCenter;
  int width_ = 0;
  int height_ = 0;
  bool has_bkg_color_ = false;
  COLORREF bkg_color_ = RGB(0, 0, 0);
  bool checked_ = false;
  bool default_ = false;  // the dialog's default push button
  int check_box_mode_ = 0;
  RECT check_rect_ = {0, 0, 0, 0};
  view::frame::TooltipFont tooltip_font_;  // outlives the tooltip
  view::frame::ScopedWindow tooltip_;
  float scale_ = 1.0f;
  Gdiplus::Font* font_ = nullptr;
  view::frame::ScaledFont scaled_font_;
};

#pragma once

#include "view/atl_types.h"
#include "view/export.h"
#include "view/platform.h"

class BASImgButton;

// How an image button lays out its image and caption.
enum BASImgButtonTextAlign {
  // The image is stretched between the two paddings as a background and
  // the caption is centred on it.
  kBASImgButtonTextCenter = 0,
  // The image (or check box) at the left edge, vertically centred, then the
  // optional logo, then the caption, left-aligned and vertically centred;
  // the paddings are room after the caption. Any non-zero alignment
  // behaves like this one.
  kBASImgButtonTextRight = 1,
};

// A push button painted from the application's GDI+ bitmaps with an optional
// caption, or, in check-box mode, a check box whose check state flips on each
// press. It sizes itself from its images and its measured caption; a negative
// position counts from the parent's right or bottom edge. An ampersand in the
// caption marks its mnemonic, as in the platform's buttons ("&Save": S is
// underlined while keyboard cues show, Alt + S clicks it in a dialog; "&&" is
// an ampersand); the caption is also the window's text.
//
// Order of calls: construct, SetDpiScale, CreateButton, setFont, Init, then
// the other setters. Only Init, SetText, SetCheckBoxLogoImage and
// resizeWithFixWidth measure, with the values stored at that moment.
// Bitmaps and the font stay the application's and must outlive the control.
// The parent must reflect notifications back to the button
// (view::ReflectNotification); without that the button paints nothing.
class VIEW_API ZuImgButton {
 public:
  VIEW_WRAPPER_MEMBERS(ZuImgButton);

  // An owner-drawn "BUTTON" child of `parent`, hidden unless `visible`; a
  // tab stop. In push mode it can be its dialog's default button
  // (DM_SETDEFID, or BS_DEFPUSHBUTTON in a dialog template): Enter anywhere
  // in the dialog then clicks it, and it draws a one-pixel frame in the
  // window-frame colour.
  HWND CreateButton(HWND parent, ATL::_U_MENUorID id, bool visible);
  // Stores the images and caption, sizes the control and places it at
  // (x, y). `normal` must not be null. With a null text the control is the
  // scaled normal image and the earlier caption settings stay. `check_box`
  // 1 selects check-box mode. Returns 0.
  //
  // `left_padding` and `right_padding` are pixels (not scaled: pass
  // DpiScale(n)) of room inside the control, painted only in the SetBkgColor
  // colour (otherwise what is behind shows):
  //   centred:  |left_padding|image, as wide as max(image, caption)|right_padding|
  //     the image starts at x + left_padding, stretched to the wider of the
  //     image and the caption, so a 150-pixel image with paddings 16, 16
  //     makes a 182-pixel control; pass 0, 0 for one exactly the image.
  //   caption right:  |image|gaps, logo|caption|left_padding + right_padding|
  //     the image starts at x; both paddings only add room after the
  //     caption, so left_padding moves nothing.
  // The guide's ZuImgButton section has a picture of both.
  int Init(Gdiplus::Bitmap* normal, int x, int y, Gdiplus::Bitmap* pressed, const wchar_t* text,
           int align, int left_padding, int right_padding, int check_box);
  // Replaces the caption (null keeps it), recomputes the width and sets the
  // window to the stored size where it stands.
  void SetText(const wchar_t* text);
  void setFont(Gdiplus::Font* font);
  void SetTextColor(COLORREF normal, COLORREF pressed, COLORREF disable);
  // An opaque background; cleared again by CreateButton.
  void SetBkgColor(COLORREF color);
  void SetNormalImage(Gdiplus::Bitmap* image);
  void SetPressedImage(Gdiplus::Bitmap* image);
  // Only the first disabled image is kept.
  void SetDisableImage(Gdiplus::Bitmap* image);
  void SetDpiScale(float scale);
  int DpiScale(int value);
  BOOL MoveWindow(const RECT* rect, BOOL repaint);
  BOOL EnableWindow(BOOL enable);
  void SetChecked(bool checked);
  bool IsChecked();
  // Repaints the check image so that a SetChecked shows.
  void RefreshCheckRect();
  void SetCheckBoxCheckLogoGapAndLogoTextGap(int check_logo_gap, int logo_text_gap);
  // A logo between the check image and the caption (check-box layout with
  // the caption at the right only; refused in the centred layout). A width
  // or height of 0 takes the logo's scaled size.
  void SetCheckBoxLogoImage(Gdiplus::Bitmap* logo, Gdiplus::Bitmap* checked_logo, int width,
                            int height);
  // Adds a tooltip tool with `text` over the whole button.
  void SetTooltip(const wchar_t* text);
  // Fits the caption into `width` less the image, the gaps, the logo and
  // both paddings: never widens, grows taller when the caption wraps into
  // more lines.
  void resizeWithFixWidth(int width);

 private:
  BASImgButton* impl_;
};

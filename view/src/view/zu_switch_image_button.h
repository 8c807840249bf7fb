#pragma once

// ZuSwitchImageButton: a selectable tile holding an image and a caption
// (image above or left of the caption), for lists of removable choices. An
// optional delete mark in the top-right corner reports its presses as clicks
// that IsDelete() tells apart; in radio mode (the default) a clicked tile
// stays selected until ResetStatus(), or until another tile of its
// view::ExclusiveGroup (groups.h) is selected. The tile sizes itself in Init
// and SetText. In a dialog, arrow keys move among the controls of its
// WS_GROUP group and select the tile they reach. An ampersand in the caption
// marks its mnemonic, as for ZuImgButton; the caption is also the window's
// text.
//
// Calling order: SetDpiScale, SetInitVisible, CreateButton; then the
// alignment, margins, gap and delete mark (read by the layout); then Init.

#include <string>

#include "view/atl_types.h"
#include "view/export.h"
#include "view/platform.h"

class BASSwitchImageButton;

namespace view {
class ExclusiveGroup;
}

class VIEW_API ZuSwitchImageButton {
 public:
  VIEW_WRAPPER_MEMBERS(ZuSwitchImageButton);

  void SetDpiScale(float scale);
  // v x the DPI factor, not rounded.
  float DpiScale(int v);
  void SetInitVisible(bool visible);

  // Creates the owner-drawn button window; resets the alignment (1), hover
  // (on), margins (10), gap (4) and corner diameter (6), scaled.
  HWND CreateButton(HWND parent, Gdiplus::Font* font, ATL::_U_MENUorID id);
  // Stores colours and images, makes the grey disabled image, lays out and
  // places the tile at (x, y); a negative coordinate counts from the
  // parent's right or bottom edge. Returns 0.
  int Init(int x, int y, const wchar_t* text, COLORREF normal_color, COLORREF normal_text_color,
           Gdiplus::Bitmap* image, COLORREF pressed_color, COLORREF pressed_text_color,
           Gdiplus::Bitmap* pressed_image);
  // A new caption: lays out again and resizes in place.
  void SetText(const wchar_t* text);
  std::wstring GetText();
  void SetFont(Gdiplus::Font* font);
  int GetTextX();
  float GetWidth();
  float GetHeight();
  // Whether the last press fell on the delete mark.
  bool IsDelete();

  ZuSwitchImageButton& SetImageDeleteNormal(Gdiplus::Bitmap* image);
  ZuSwitchImageButton& SetImageDeletePressed(Gdiplus::Bitmap* image);
  // 1: image above the caption; 2: image left of the caption.
  ZuSwitchImageButton& SetTextAlign(unsigned int align);
  ZuSwitchImageButton& SetImageAndTextGap(int gap);
  ZuSwitchImageButton& SetHMargin(int margin);
  ZuSwitchImageButton& SetVMargin(int margin);
  ZuSwitchImageButton& SetRadio(bool radio);
  ZuSwitchImageButton& SetDoHover(bool hover);
  ZuSwitchImageButton& SetDotRight(bool dot);
  ZuSwitchImageButton& SetColorDisable(COLORREF color, COLORREF text_color);
  ZuSwitchImageButton& SetBackgroundColor(COLORREF color);
  // 0xFFFFFFFF: outline in the fill colour.
  ZuSwitchImageButton& SetColorBorder(COLORREF color);
  ZuSwitchImageButton& SetBorderWidth(float width);
  ZuSwitchImageButton& SetRoundRect(bool round);
  ZuSwitchImageButton& SetRoundRectPoint(POINT point);

  void ResetStatus();
  void SetPressedStatus();
  BOOL EnableWindow(BOOL enable);
  BOOL MoveWindow(const RECT* rect, BOOL repaint);

 private:
  friend class view::ExclusiveGroup;
  BASSwitchImageButton* impl_;
};

#pragma once

// ZuSectionButton: a tab-like push button with a border, an image and a
// caption, and a fill, caption colour, border colour and image per visual
// status. With the check style a pressed section stays pressed until
// ResetStatus(), as a tab does, or until another section of its
// view::ExclusiveGroup (groups.h) is pressed; in a dialog, arrow keys move
// among the controls of its WS_GROUP group and press the check-style
// section they reach. The button sizes itself to its content
// (Load, reload) or keeps a fixed width or height and wraps its caption
// inside it; an application callback may draw image and caption instead.
//
// An ampersand in the caption marks its mnemonic, as for ZuImgButton. The
// dialog manager reads it from the window's text (Create's `text`, or the
// template's), which SetText leaves alone.
//
// Calling order: construct, Create, the setters, then Load or reload.
// Setters and SetText neither lay out nor repaint.

#include <functional>

#include "view/atl_types.h"
#include "view/export.h"
#include "view/platform.h"

// How image and caption are arranged.
enum ImgButtonImgAndTextLayoutType1 {
  kImgAboveText = 0,    // caption centred both ways below the image
  kImgLeftOfText = 1,   // caption left-aligned, vertically centred, right of the image
  kImgRightOfText = 2,  // caption as for kImgLeftOfText, image on the right
};

class ZuSectionImgButton;

namespace view {
class ExclusiveGroup;
}

class VIEW_API ZuSectionButton {
 public:
  VIEW_WRAPPER_MEMBERS(ZuSectionButton);

  // A push button with `text` as its window text; style 0 means a visible
  // child that clips siblings and children. A null rect: the default one.
  HWND Create(HWND parent, ATL::_U_RECT rect = nullptr, const wchar_t* text = nullptr,
              DWORD style = 0, DWORD ex_style = 0, ATL::_U_MENUorID id = 0U,
              void* param = nullptr);

  void SetText(const wchar_t* text);
  ZuSectionButton& SetFont(Gdiplus::Font* font);
  ZuSectionButton& SetHMargin(int margin);
  ZuSectionButton& SetVMargin(int margin);
  ZuSectionButton& SetCheckStyle(bool check);
  ZuSectionButton& SetImgAndTextLayoutType(ImgButtonImgAndTextLayoutType1 type);
  ZuSectionButton& SetColorOfNormalStatus(COLORREF fill, COLORREF text, COLORREF border);
  ZuSectionButton& SetColorOfPressedStatus(COLORREF fill, COLORREF text, COLORREF border);
  ZuSectionButton& SetColorOfHoverStatus(COLORREF fill, COLORREF text, COLORREF border);
  ZuSectionButton& SetColorOfDisableStatus(COLORREF fill, COLORREF text, COLORREF border);
  ZuSectionButton& SetImages(Gdiplus::Bitmap* normal, Gdiplus::Bitmap* pressed,
                             Gdiplus::Bitmap* hover, Gdiplus::Bitmap* disable);
  ZuSectionButton& SetRoundRect(bool round);
  // x is the corner diameter.
  ZuSectionButton& SetRoundRectPoint(WTL::CPoint point);
  ZuSectionButton& SetRoundBkgColorOutsideBorder(COLORREF color);
  ZuSectionButton& SetFixWidth(bool fix);
  ZuSectionButton& SetFixHeight(bool fix);
  ZuSectionButton& SetImageAndTextGap(float gap);
  ZuSectionButton& Center(bool center);
  ZuSectionButton& SetDpiScale(float scale);
  // Status changes without a repaint.
  ZuSectionButton& ResetStatus();
  ZuSectionButton& SetPressedStatus();
  BOOL EnableWindow(BOOL enable);

  // Lays out within the current client size, resizing the dimensions that
  // are not fixed; with `take_window_text` the caption is the window text.
  ZuSectionButton& Load(bool take_window_text);
  // Fits the window to the window text and image (0: no limit) and returns
  // the new client size.
  WTL::CSize reload(int max_width, int max_height);

  // Replaces the tooltip text. Needs the window.
  ZuSectionButton& SetTooltip(const wchar_t* text);
  // Draws image and caption instead of the button (window, off-screen
  // graphics, client rectangle, status); an empty function switches it off.
  void setFuncDrawTextAndImage(std::function<void(HWND, Gdiplus::Graphics&, RECT&, int)>& func);
  void setFuncDrawTextAndImage(const std::function<void(HWND, Gdiplus::Graphics&, RECT&, int)>& func);
  BOOL MoveWindow(const RECT* rect, BOOL repaint);

 private:
  friend class view::ExclusiveGroup;
  ZuSectionImgButton* impl_;
};

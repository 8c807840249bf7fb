#pragma once

#include "view/atl_types.h"
#include "view/export.h"
#include "view/platform.h"

class BASSwitchButton;

// A text button drawn as a filled rectangle or rounded rectangle with a
// centred caption, for groups of mutually exclusive choices. In radio mode
// (the default) a clicked button stays pressed until ResetStatus or
// EnableWindow, or until another button of its view::ExclusiveGroup
// (groups.h) is pressed; in a dialog, arrow keys move among the controls of
// its WS_GROUP group and press the radio button they reach; with radio mode off it is a push button with a hover look.
// It sizes itself from its caption and margins and keeps its anchor: a
// negative position counts from the parent's right or bottom edge, also
// after a later SetText. An ampersand in the caption marks its mnemonic, as
// for ZuImgButton; the caption is also the window's text.
//
// Order of calls: construct, SetDpiScale, SetInitVisible, CreateButton
// (which sets the margins and corner size to their scaled defaults), then
// the margin, corner and colour setters, then Init. The font stays the
// application's. The parent must reflect notifications back to the button.
namespace view {
class ExclusiveGroup;
}

class VIEW_API ZuSwitchButton {
 public:
  VIEW_WRAPPER_MEMBERS(ZuSwitchButton);

  void SetDpiScale(float scale);
  int DpiScale(int value);
  void SetInitVisible(bool visible);
  HWND CreateButton(HWND parent, Gdiplus::Font* font, ATL::_U_MENUorID id);
  // Stores the colours and the anchor, measures `text` (not null) and
  // places the control. Returns 0.
  int Init(int x, int y, const wchar_t* text, COLORREF normal_color, COLORREF normal_text_color,
           COLORREF pressed_color, COLORREF pressed_text_color);
  // A new caption (not null); the control is resized and put back at its
  // anchor.
  void SetText(const wchar_t* text);
  void SetFont(Gdiplus::Font* font);
  ZuSwitchButton& SetRadio(bool radio);
  ZuSwitchButton& SetHMargin(int margin);
  ZuSwitchButton& SetVMargin(int margin);
  ZuSwitchButton& SetColorDisable(COLORREF color, COLORREF text_color);
  // The colour behind the shape, seen at rounded corners.
  ZuSwitchButton& SetBackgroundColor(COLORREF color);
  // The corner diameter is the point's x; its y is not used.
  ZuSwitchButton& SetRoundRectPoint(POINT point);
  ZuSwitchButton& SetRoundRect(bool round);
  // 0xFFFFFFFF draws no border.
  ZuSwitchButton& SetColorBorder(COLORREF color);
  void ResetStatus();
  // Selects the button from code, without a click notification.
  void SetPressedStatus();
  BOOL EnableWindow(BOOL enable);
  BOOL MoveWindow(const RECT* rect, BOOL repaint);

 private:
  friend class view::ExclusiveGroup;
  BASSwitchButton* impl_;
};

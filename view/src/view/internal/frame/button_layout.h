#pragma once

#include <string>

#include "view/platform.h"

namespace view::frame {

// Where a control of size (width, height) goes for a requested position: a
// negative coordinate counts from the parent's right or bottom edge, so -10
// leaves 10 pixels between the control's far edge and the parent's.
POINT AnchoredOrigin(int x, int y, int width, int height, SIZE parent_client);

// The client size of `wnd`'s parent; zero when there is none.
SIZE ParentClientSize(HWND wnd);

// Puts `wnd` at the anchored position of (x, y) with the given size, at the
// top of the sibling order, and lets its frame be recomputed.
bool PlaceAnchored(HWND wnd, int x, int y, int width, int height);

// Resizes `wnd` to (width, height) where it stands now (relative to its
// parent), at the top of the sibling order, recomputing the frame.
bool ResizeInPlace(HWND wnd, int width, int height);

// The bounding box of `text` drawn in `font`, measured with GDI+ on a
// graphics made for `wnd`. A layout width of 0 measures without a width
// limit; otherwise the text wraps at that width. `quality` measures with
// anti-aliasing and high-quality interpolation set, as the image buttons
// paint. Without a font, or when GDI+ fails, the size is zero.
Gdiplus::SizeF MeasureCaption(HWND wnd, const std::wstring& text, Gdiplus::Font* font,
                              float layout_width = 0.0f, bool quality = false);

// The same measurement in a layout area of `layout` (0 leaves a side
// unlimited) with a string format (null: none), returning the bounding box
// itself, whose position reflects the format's alignment.
Gdiplus::RectF MeasureCaptionBox(HWND wnd, const std::wstring& text, Gdiplus::Font* font,
                                 Gdiplus::SizeF layout, const Gdiplus::StringFormat* format,
                                 bool quality = false);

// ---- Mnemonics ----------------------------------------------------------
// An ampersand in a button's caption marks the next character as its
// mnemonic, as in the platform's buttons: the ampersand is not drawn, the
// character is underlined while the window shows keyboard cues, and Alt +
// that character clicks the button in a dialog ("&&" is one ampersand).
// A caption without an ampersand is measured and drawn exactly as before.

// A caption as shown: its text without the marking ampersands, and the
// index in that text of the first marked character (-1: none; an ampersand
// at the very end marks nothing).
struct MnemonicCaption {
  std::wstring text;
  int index = -1;
};
MnemonicCaption ParseMnemonic(const std::wstring& caption);

// Whether keyboard cues (mnemonic underlines) show in `wnd`'s window now.
bool ShowsAcceleratorCues(HWND wnd);

// Draws a button's caption in `box`, laid out by `format` (null: the
// generic default format), with the mnemonic handling above.
void DrawCaption(HWND wnd, Gdiplus::Graphics& graphics, const Gdiplus::RectF& box,
                 const std::wstring& caption, Gdiplus::Font* font,
                 const Gdiplus::StringFormat* format, Gdiplus::Color color);
// The same laid out by a format of these alignments.
void DrawCaption(HWND wnd, Gdiplus::Graphics& graphics, const Gdiplus::RectF& box,
                 const std::wstring& caption, Gdiplus::Font* font,
                 Gdiplus::StringAlignment horizontal, Gdiplus::StringAlignment vertical,
                 Gdiplus::Color color);

// Gives `wnd` its caption as window text, which is where the dialog manager
// looks for a control's mnemonic (and where tools read its name); a text
// that is already there is left alone.
void SetCaptionWindowText(HWND wnd, const std::wstring& caption);

}  // namespace view::frame

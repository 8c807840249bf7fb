#pragma once

#include <string>
#include <vector>

#include "view/internal/frame/dpi.h"
#include "view/internal/frame/window_impl.h"

namespace view::link {

// A piece of a link label's text: plain (link -1) or the label of the
// link-th <a> element.
struct Run {
  std::wstring text;
  int link;
};
// Splits link markup into runs: "<a ...>label</a>" (any attributes, any
// case) is a link; everything else, a stray tag included, is plain text.
std::vector<Run> ParseLinkMarkup(const std::wstring& markup);

}  // namespace view::link

// The implementation behind ZuLink: a superclassed "SysLink" window. By
// default its paint is a black fill through a memory DC; with SetDrawLinks it
// paints its text and links in the palette's colours. Everything else is the
// platform link control's.
class BASLink : public view::frame::StandardControl<BASLink> {
 public:
  static constexpr const wchar_t* kStandardClass = L"SysLink";
  static constexpr const wchar_t* kPublicClass = view::kLinkClass;

  bool ProcessWindowMessage(HWND wnd, UINT msg, WPARAM wparam, LPARAM lparam, LRESULT& result,
                            DWORD map_id) override;

  // The font at the new factor.
  void OnDpiChanged(float factor) override { font_.Rescale(*this, factor); }

  void SetDrawLinks(bool draw);
  // Fills the client area black on `dc` (or paints the text and links with
  // SetDrawLinks), through an off-screen bitmap so that the screen changes in
  // one step.
  void Paint(HDC dc);

 private:
  // The text and its links on the buffer `dc`: lines broken between words
  // at the client width, a link underlined while the pointer is over it,
  // the focus cue around the focused link.
  void PaintLinks(HDC dc, const RECT& client);
  // The link the platform finds under `point` (client coordinates), or -1.
  int LinkAt(POINT point) const;
  int FocusedLink(int links) const;
  void SetHoverLink(int link);

  view::frame::FollowedFont font_{DEFAULT_GUI_FONT};
  bool draw_links_ = false;
  int hover_link_ = -1;
};

#include "view/internal/controls/bas_link.h"

#include <cwctype>

#include "view/internal/frame/paint_buffers.h"
#include "view/internal/frame/palette.h"
#include "view/internal/frame/scoped.h"

namespace view::link {

namespace {

bool StartsWithTag(const std::wstring& s, size_t at, const wchar_t* tag) {
  for (size_t i = 0; tag[i] != L'\0'; ++i) {
    if (at + i >= s.size() || std::towlower(s[at + i]) != tag[i]) return false;
  }
  return true;
}

}  // namespace

std::vector<Run> ParseLinkMarkup(const std::wstring& markup) {
  std::vector<Run> runs;
  auto add = [&runs](std::wstring text, int link) {
    if (text.empty()) return;
    if (!runs.empty() && runs.back().link == link) {
      runs.back().text += text;
    } else {
      runs.push_back({std::move(text), link});
    }
  };
  int links = 0;
  size_t at = 0;
  while (at < markup.size()) {
    // "<a>" or "<a " opens a link that a later "</a>" closes.
    const bool opens = StartsWithTag(markup, at, L"<a>") || StartsWithTag(markup, at, L"<a ");
    const size_t open_end = opens ? markup.find(L'>', at) : std::wstring::npos;
    size_t close = std::wstring::npos;
    if (open_end != std::wstring::npos) {
      for (size_t i = open_end + 1; i < markup.size(); ++i) {
        if (StartsWithTag(markup, i, L"</a>")) {
          close = i;
          break;
        }
      }
    }
    if (close == std::wstring::npos) {
      add(std::wstring(1, markup[at]), -1);
      ++at;
      continue;
    }
    add(markup.substr(open_end + 1, close - open_end - 1), links);
    // An empty label is still a link of the platform's.
    ++links;
    at = close + 4;
  }
  return runs;
}

}  // namespace view::link

void BASLink::SetDrawLinks(bool draw) {
  draw_links_ = draw;
  if (m_hWnd != nullptr) InvalidateRect(m_hWnd, nullptr, TRUE);
}

void BASLink::Paint(HDC dc) {
  RECT client = {};
  if (dc == nullptr || !GetClientRect(m_hWnd, &client)) return;
  view::frame::MemoryDcBuffer buffer(dc, client);
  if (!buffer.ok()) return;
  if (draw_links_) {
    PaintLinks(buffer.dc(), client);
    buffer.Present();
    return;
  }
  const COLORREF old = SetBkColor(buffer.dc(), RGB(0, 0, 0));
  if (old != CLR_INVALID) {
    ExtTextOutW(buffer.dc(), 0, 0, ETO_OPAQUE, &client, nullptr, 0, nullptr);
    SetBkColor(buffer.dc(), old);
  }
  buffer.Present();
}

void BASLink::PaintLinks(HDC dc, const RECT& client) {
  using view::frame::ColorRole;
  const view::frame::Palette palette = view::frame::CurrentPalette();
  view::frame::FillSolidRect(dc, client, palette[ColorRole::kWindow]);
  const int length = GetWindowTextLengthW(m_hWnd);
  std::wstring markup(static_cast<size_t>(length) + 1, L'\0');
  markup.resize(static_cast<size_t>(GetWindowTextW(m_hWnd, markup.data(), length + 1)));
  const std::vector<view::link::Run> runs = view::link::ParseLinkMarkup(markup);

  auto font = reinterpret_cast<HFONT>(SendMessageW(m_hWnd, WM_GETFONT, 0, 0));
  if (font == nullptr) font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  if (follows_dpi()) font = font_.painted();
  // The underlined copy is made only while a link is under the pointer.
  view::frame::ScopedGdiObject<HFONT> underlined;
  if (hover_link_ >= 0) {
    LOGFONTW underlined_desc = {};
    GetObjectW(font, sizeof(underlined_desc), &underlined_desc);
    underlined_desc.lfUnderline = TRUE;
    underlined.reset(CreateFontIndirectW(&underlined_desc));
  }

  const view::frame::SaveDcScope saved(dc);
  SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  TEXTMETRICW metrics = {};
  GetTextMetricsW(dc, &metrics);
  const int line_height = metrics.tmHeight;
  const int focused = view::frame::ShowsFocusCue(m_hWnd) ? FocusedLink(static_cast<int>(runs.size()))
                                                          : -1;
  RECT focus_rect = {0, 0, 0, 0};
  int x = 0, y = 0;
  for (const view::link::Run& run : runs) {
    const bool hovered = run.link >= 0 && run.link == hover_link_;
    SelectObject(dc, hovered && underlined ? underlined.get() : font);
    SetTextColor(dc, palette[run.link < 0    ? ColorRole::kWindowText
                             : hovered       ? ColorRole::kLinkHover
                                             : ColorRole::kLink]);
    // Words go on the line while they fit; a word wider than the whole line
    // starts a line of its own.
    size_t at = 0;
    while (at < run.text.size()) {
      size_t end = run.text.find(L' ', at);
      end = end == std::wstring::npos ? run.text.size() : end + 1;
      const wchar_t* word = run.text.c_str() + at;
      const int count = static_cast<int>(end - at);
      SIZE extent = {0, 0};
      GetTextExtentPoint32W(dc, word, count, &extent);
      if (x > 0 && x + extent.cx > client.right) {
        x = 0;
        y += line_height;
      }
      TextOutW(dc, x, y, word, count);
      if (focused >= 0 && run.link == focused) {
        const RECT piece = {x, y, x + extent.cx, y + line_height};
        if (IsRectEmpty(&focus_rect)) {
          focus_rect = piece;
        } else {
          UnionRect(&focus_rect, &focus_rect, &piece);
        }
      }
      x += extent.cx;
      at = end;
    }
  }
  if (!IsRectEmpty(&focus_rect)) {
    SetTextColor(dc, palette[ColorRole::kWindowText]);
    DrawFocusRect(dc, &focus_rect);
  }
}

int BASLink::LinkAt(POINT point) const {
  LHITTESTINFO hit = {};
  hit.pt = point;
  if (!SendMessageW(m_hWnd, LM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit))) return -1;
  return hit.item.iLink;
}

int BASLink::FocusedLink(int links) const {
  for (int i = 0; i < links; ++i) {
    LITEM item = {};
    item.mask = LIF_ITEMINDEX | LIF_STATE;
    item.iLink = i;
    item.stateMask = LIS_FOCUSED;
    if (SendMessageW(m_hWnd, LM_GETITEM, 0, reinterpret_cast<LPARAM>(&item)) &&
        (item.state & LIS_FOCUSED) != 0) {
      return i;
    }
  }
  return -1;
}

void BASLink::SetHoverLink(int link) {
  if (link == hover_link_) return;
  hover_link_ = link;
  InvalidateRect(m_hWnd, nullptr, FALSE);
}

bool BASLink::ProcessWindowMessage(HWND wnd, UINT msg, WPARAM wparam, LPARAM lparam,
                                   LRESULT& result, DWORD) {
  if (font_.Process(*this, msg, wparam, lparam, result)) return true;
  // One painter for the screen and for printing, so that a printed or
  // captured label looks as on screen; erasing stays the platform's.
  if (view::frame::HandlePaintMessage(wnd, msg, wparam, result, [this](HDC dc) { Paint(dc); },
                                      true)) {
    return true;
  }
  if (draw_links_) {
    // The pointer's link is underlined; the platform goes on handling the
    // pointer (its cursor, its clicks) as before.
    if (msg == WM_MOUSEMOVE) {
      TRACKMOUSEEVENT track = {sizeof(track), TME_LEAVE, wnd, 0};
      TrackMouseEvent(&track);
      SetHoverLink(LinkAt({GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)}));
    } else if (msg == WM_MOUSELEAVE) {
      SetHoverLink(-1);
    } else if (msg == WM_SETFOCUS || msg == WM_KILLFOCUS || msg == WM_KEYUP ||
               msg == WM_UPDATEUISTATE) {
      InvalidateRect(wnd, nullptr, FALSE);  // the focus cue moves or goes
    }
  }
  return view::frame::DefaultReflectionHandler(wnd, msg, wparam, lparam, result);
}

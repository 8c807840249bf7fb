// Borderless top-level windows over a light background, each with the drop
// shadow that follows it.

#include <memory>
#include <vector>

#include "gallery.h"

namespace {

// A borderless window with a title band and a line of text, painted by
// itself (it leaves GWLP_USERDATA to the shadow's hook).
LRESULT CALLBACK CardProc(HWND wnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(wnd, &ps);
      RECT rc;
      GetClientRect(wnd, &rc);
      // The card takes the gallery's colours: a white card on light, the
      // panel's dark on dark, the system's window in high contrast.
      FillRect(dc, &rc, gallery::WindowBrush());
      RECT band = {0, 0, rc.right, gallery::AtDpi(36)};
      HBRUSH title = CreateSolidBrush(RGB(46, 104, 196));
      FillRect(dc, &band, title);
      DeleteObject(title);
      const bool light = gallery::Window() == RGB(255, 255, 255);
      HBRUSH frame = CreateSolidBrush(light                ? RGB(200, 204, 212)
                                      : view::IsDarkTheme() ? RGB(0x50, 0x50, 0x50)
                                                            : gallery::WindowText());
      FrameRect(dc, &rc, frame);
      DeleteObject(frame);
      wchar_t text[128] = {};
      GetWindowTextW(wnd, text, 128);
      HGDIOBJ old = SelectObject(dc, gallery::ScaledLabelFont());
      SetBkMode(dc, TRANSPARENT);
      SetTextColor(dc, RGB(255, 255, 255));
      RECT caption = {gallery::AtDpi(12), 0, rc.right - gallery::AtDpi(12), gallery::AtDpi(36)};
      DrawTextW(dc, L"Borderless window", -1, &caption, DT_SINGLELINE | DT_VCENTER);
      SetTextColor(dc, light ? RGB(40, 40, 40) : gallery::WindowText());
      RECT line = {gallery::AtDpi(12), gallery::AtDpi(48), rc.right - gallery::AtDpi(12),
                   rc.bottom - gallery::AtDpi(8)};
      DrawTextW(dc, text, -1, &line, DT_WORDBREAK);
      SelectObject(dc, old);
      EndPaint(wnd, &ps);
      return 0;
    }
    default:
      return DefWindowProcW(wnd, msg, wparam, lparam);
  }
}

HWND CreateCard(HWND owner, int x, int y, int width, int height, const wchar_t* text) {
  static const bool registered = [] {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = CardProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = L"ViewGalleryCard";
    return RegisterClassW(&wc) != 0;
  }();
  if (!registered) return nullptr;
  return CreateWindowExW(0, L"ViewGalleryCard", text, WS_POPUP, x, y, width, height, owner,
                         nullptr, GetModuleHandleW(nullptr), nullptr);
}

class ShadowPage : public gallery::Page {
 public:
  ~ShadowPage() override {
    // The shadows go first: each destroys its window and unhooks its card.
    for (auto& shadow : shadows_) shadow.reset();
    for (HWND card : cards_) {
      if (IsWindow(card)) DestroyWindow(card);
    }
  }

  void Build(HWND panel) override {
    gallery::AddLabel(panel,
                      L"Each borderless window below carries a ZuThemedShadowWnd: a layered, "
                      L"click-through window that lies a few pixels right of and below it and "
                      L"follows it.",
                      24, 24, 900, 40);
    gallery::AddLabel(panel, L"Shadow size 5 (the default)", 80, 130, 300, 24);
    gallery::AddLabel(panel, L"Shadow size 16", 520, 130, 340, 24);
    HWND owner = GetAncestor(panel, GA_ROOT);
    POINT origin = {0, 0};
    ClientToScreen(panel, &origin);
    AddCard(owner, origin.x + 80, origin.y + 170, L"Moves, resizes, hides and shows with its shadow.",
            5, 0);
    AddCard(owner, origin.x + 520, origin.y + 170,
            L"A larger shadow size widens the band and its shift.", 16, 0);
  }

 private:
  void AddCard(HWND owner, int x, int y, const wchar_t* text, int size, int round) {
    HWND card = CreateCard(owner, x, y, 320, 200, text);
    if (card == nullptr) return;
    cards_.push_back(card);
    auto shadow = std::make_unique<ZuThemedShadowWnd>();
    shadow->SetShadowSize(size);
    shadow->SetRoundOffset(round, round);
    if (shadow->Create(card) != nullptr) {
      ShowWindow(card, SW_SHOWNA);
      shadow->AdjustWindowPos();
    }
    shadows_.push_back(std::move(shadow));
  }

  std::vector<HWND> cards_;
  std::vector<std::unique_ptr<ZuThemedShadowWnd>> shadows_;
};

}  // namespace

VIEW_GALLERY_PAGE(800, L"Themed shadow window", ShadowPage);

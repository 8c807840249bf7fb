// The gallery: a window that shows view's controls page by page. Page Down
// and Page Up walk through the pages; the Theme menu (or Ctrl+1, Ctrl+2,
// Ctrl+3) switches the controls between light, dark and the user's app mode.
// With --screenshots DIR it shows each page in turn, writes DIR/NN-name.png
// and DIR/contact-sheet.png, then the documentation's figures as
// DIR/<figure>.png; then every page again in dark (DIR/dark/,
// DIR/contact-sheet-dark.png) and in high contrast (DIR/high-contrast/,
// DIR/contact-sheet-high-contrast.png), and exits. With --per-monitor its
// controls follow the window's DPI, and F7 sends the window a DPI change
// (96, 144, 192 and round again) to watch them follow; --dpi N (with
// per-monitor mode) shows every page at N DPI. The screenshots end with every
// page at 144 and 192 DPI in per-monitor mode (DIR/150/, DIR/200/,
// DIR/contact-sheet-150.png and -200.png).

#include <cstdio>
#include <cwchar>
#include <functional>
#include <string>
#include <vector>

#include "gallery.h"
#include "view/internal/frame/palette.h"

namespace gallery {
namespace {

struct PageEntry {
  int order;
  const wchar_t* title;
  PageFactory make;
};

std::vector<PageEntry>& Pages() {
  static std::vector<PageEntry> pages;
  return pages;
}

struct FigureEntry {
  const wchar_t* file;
  int width, height;
  PageFactory make;
};

std::vector<FigureEntry>& Figures() {
  static std::vector<FigureEntry> figures;
  return figures;
}

constexpr int kWidth = 960;
constexpr int kHeight = 640;
constexpr int kTitleHeight = 40;

HFONT g_label_font = nullptr;         // for 96 DPI: the library's controls scale it
HFONT g_scaled_label_font = nullptr;  // the labels' at g_dpi
HFONT g_title_font = nullptr;
// The DPI the pages are shown at.
int g_dpi = 96;
constexpr DWORD kMainStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

HFONT LabelFontAt(int height) {
  return CreateFontW(-height, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, CLEARTYPE_QUALITY,
                     0, L"Segoe UI");
}

// The fonts the gallery itself draws with, at g_dpi.
void MakeFonts() {
  if (g_title_font != nullptr) DeleteObject(g_title_font);
  g_title_font = CreateFontW(-AtDpi(20), 0, 0, 0, FW_SEMIBOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0,
                             CLEARTYPE_QUALITY, 0, L"Segoe UI");
}
HBRUSH g_window_brush = nullptr;
COLORREF g_window_brush_color = 0;
std::wstring g_title;

// The menu commands that choose the theme.
constexpr UINT kThemeLight = 101, kThemeDark = 102, kThemeSystem = 103;

bool FillWithWindow(HWND wnd, HDC dc) {
  RECT rc;
  GetClientRect(wnd, &rc);
  FillRect(dc, &rc, WindowBrush());
  return true;
}

LRESULT CALLBACK PanelProc(HWND wnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  LRESULT result = 0;
  if (view::ReflectNotification(wnd, msg, wparam, lparam, &result)) return result;
  if (msg == WM_ERASEBKGND) return FillWithWindow(wnd, reinterpret_cast<HDC>(wparam));
  if (msg == WM_CTLCOLORSTATIC) {
    SetBkMode(reinterpret_cast<HDC>(wparam), TRANSPARENT);
    SetTextColor(reinterpret_cast<HDC>(wparam), WindowText());
    return reinterpret_cast<LRESULT>(WindowBrush());
  }
  return DefWindowProcW(wnd, msg, wparam, lparam);
}

void ShowCurrentPageAgain();
void CheckThemeMenu(HWND main);

// What the main window does with a message it does not handle itself: its
// children's notifications go back to them.
LRESULT Reflect(HWND wnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  LRESULT result = 0;
  if (view::ReflectNotification(wnd, msg, wparam, lparam, &result)) return result;
  return DefWindowProcW(wnd, msg, wparam, lparam);
}

LRESULT CALLBACK MainProc(HWND wnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  switch (msg) {
    case DispatchQueue::kMainQueueMessage: {
      auto* work = reinterpret_cast<std::function<void()>*>(wparam);
      if (work != nullptr && *work) (*work)();
      delete work;
      return 0;
    }
    case WM_ERASEBKGND:
      return FillWithWindow(wnd, reinterpret_cast<HDC>(wparam));
    case WM_COMMAND: {
      const UINT id = LOWORD(wparam);
      if (lparam != 0 || id < kThemeLight || id > kThemeSystem) return Reflect(wnd, msg, wparam, lparam);
      view::SetTheme(id == kThemeLight  ? view::Theme::kLight
                     : id == kThemeDark ? view::Theme::kDark
                                        : view::Theme::kSystem);
      CheckThemeMenu(wnd);
      // The pages choose the colours around their controls as they build.
      ShowCurrentPageAgain();
      return 0;
    }
    case WM_SETTINGCHANGE: {
      // The controls hear of a new app mode through the reflection; the
      // page's own colours follow it by building the page again.
      LRESULT result = 0;
      if (view::ReflectNotification(wnd, msg, wparam, lparam, &result)) return result;
      const auto* area = reinterpret_cast<const wchar_t*>(lparam);
      if (area != nullptr && wcscmp(area, L"ImmersiveColorSet") == 0 &&
          view::GetTheme() == view::Theme::kSystem) {
        ShowCurrentPageAgain();
      }
      return DefWindowProcW(wnd, msg, wparam, lparam);
    }
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(wnd, &ps);
      RECT band = {0, 0, AtDpi(kWidth), AtDpi(kTitleHeight)};
      const bool contrast = view::frame::HighContrastOn();
      HBRUSH brush = CreateSolidBrush(contrast ? GetSysColor(COLOR_HIGHLIGHT) : RGB(0x2B, 0x57, 0x9A));
      FillRect(dc, &band, brush);
      DeleteObject(brush);
      HGDIOBJ old = SelectObject(dc, g_title_font);
      SetBkMode(dc, TRANSPARENT);
      SetTextColor(dc, contrast ? GetSysColor(COLOR_HIGHLIGHTTEXT) : RGB(255, 255, 255));
      RECT text = {AtDpi(16), 0, AtDpi(kWidth), AtDpi(kTitleHeight)};
      DrawTextW(dc, g_title.c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
      SelectObject(dc, old);
      EndPaint(wnd, &ps);
      return 0;
    }
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return Reflect(wnd, msg, wparam, lparam);
  }
}

void Pump(DWORD ms) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < ms) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

bool PngEncoder(CLSID* clsid) {
  UINT count = 0, size = 0;
  Gdiplus::GetImageEncodersSize(&count, &size);
  if (size == 0) return false;
  std::vector<BYTE> buffer(size);
  auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
  Gdiplus::GetImageEncoders(count, size, codecs);
  for (UINT i = 0; i < count; ++i) {
    if (wcscmp(codecs[i].MimeType, L"image/png") == 0) {
      *clsid = codecs[i].Clsid;
      return true;
    }
  }
  return false;
}

// What the screen shows over the window's client area.
std::unique_ptr<Gdiplus::Bitmap> CaptureClient(HWND wnd) {
  RECT rc;
  GetClientRect(wnd, &rc);
  POINT origin = {0, 0};
  ClientToScreen(wnd, &origin);
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, rc.right, rc.bottom);
  HGDIOBJ old = SelectObject(mem, bitmap);
  BitBlt(mem, 0, 0, rc.right, rc.bottom, screen, origin.x, origin.y, SRCCOPY);
  SelectObject(mem, old);
  // A copy that owns its pixels, so that the GDI bitmap can go now.
  std::unique_ptr<Gdiplus::Bitmap> copy;
  {
    Gdiplus::Bitmap image(bitmap, nullptr);
    copy.reset(image.Clone(0, 0, rc.right, rc.bottom, PixelFormat32bppARGB));
  }
  DeleteObject(bitmap);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
  return copy;
}

bool SavePng(Gdiplus::Bitmap* image, const std::wstring& path) {
  CLSID png;
  return image != nullptr && PngEncoder(&png) && image->Save(path.c_str(), &png, nullptr) == Gdiplus::Ok;
}

// The colours of a contact sheet: its ground, the page titles, the frames.
struct SheetColors {
  Gdiplus::Color ground, text, frame;
};

// The sheet's colours for the palette the controls paint in now.
SheetColors CurrentSheetColors() {
  const auto gdiplus = [](COLORREF c) { return Gdiplus::Color(255, GetRValue(c), GetGValue(c), GetBValue(c)); };
  if (view::frame::HighContrastOn()) {
    return {gdiplus(GetSysColor(COLOR_WINDOW)), gdiplus(GetSysColor(COLOR_WINDOWTEXT)),
            gdiplus(GetSysColor(COLOR_WINDOWTEXT))};
  }
  if (view::IsDarkTheme()) {
    return {Gdiplus::Color(255, 0x14, 0x16, 0x1A), Gdiplus::Color(255, 0xE6, 0xE8, 0xEC),
            Gdiplus::Color(255, 0x4A, 0x50, 0x5A)};
  }
  return {Gdiplus::Color(255, 0xE8, 0xEC, 0xF2), Gdiplus::Color(255, 0x22, 0x2B, 0x38),
          Gdiplus::Color(255, 0xB0, 0xB8, 0xC4)};
}

// All pages on one sheet, half size, three to a row, each under its title.
bool SaveContactSheet(const std::vector<std::unique_ptr<Gdiplus::Bitmap>>& pages,
                      const std::vector<std::wstring>& titles, const std::wstring& path) {
  const SheetColors colors = CurrentSheetColors();
  if (pages.empty()) return false;
  constexpr int kColumns = 3;
  const int kCellW = AtDpi(kWidth) / 2;
  const int kCellH = AtDpi(kHeight) / 2;
  const int kGap = AtDpi(16);
  const int kCaption = AtDpi(28);
  const int rows = static_cast<int>((pages.size() + kColumns - 1) / kColumns);
  const int width = kColumns * kCellW + (kColumns + 1) * kGap;
  const int height = rows * (kCellH + kCaption) + (rows + 1) * kGap;
  Gdiplus::Bitmap sheet(width, height, PixelFormat32bppARGB);
  {
    Gdiplus::Graphics g(&sheet);
    g.Clear(colors.ground);
    g.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
    Gdiplus::Font font(L"Segoe UI", static_cast<Gdiplus::REAL>(AtDpi(14)), Gdiplus::FontStyleBold,
                       Gdiplus::UnitPixel);
    Gdiplus::SolidBrush text(colors.text);
    Gdiplus::Pen frame(colors.frame);
    for (size_t i = 0; i < pages.size(); ++i) {
      const int x = kGap + static_cast<int>(i % kColumns) * (kCellW + kGap);
      const int y = kGap + static_cast<int>(i / kColumns) * (kCellH + kCaption + kGap);
      g.DrawString(titles[i].c_str(), -1, &font,
                   Gdiplus::PointF(static_cast<Gdiplus::REAL>(x), static_cast<Gdiplus::REAL>(y + 4)),
                   &text);
      if (pages[i]) g.DrawImage(pages[i].get(), x, y + kCaption, kCellW, kCellH);
      g.DrawRectangle(&frame, x, y + kCaption, kCellW - 1, kCellH - 1);
    }
  }
  return SavePng(&sheet, path);
}

std::wstring FileName(int index, const wchar_t* title) {
  std::wstring name;
  for (const wchar_t* p = title; *p != 0; ++p) {
    const wchar_t c = *p;
    if ((c >= L'a' && c <= L'z') || (c >= L'0' && c <= L'9')) {
      name += c;
    } else if (c >= L'A' && c <= L'Z') {
      name += static_cast<wchar_t>(c - L'A' + L'a');
    } else if (!name.empty() && name.back() != L'-') {
      name += L'-';
    }
  }
  while (!name.empty() && name.back() == L'-') name.pop_back();
  wchar_t prefix[8];
  std::swprintf(prefix, 8, L"%02d-", index + 1);
  return prefix + name + L".png";
}

class Gallery {
 public:
  explicit Gallery(HWND main) : main_(main) {}
  ~Gallery() { Close(); }

  void Show(size_t index) {
    current_ = index;
    Show(Pages()[index].title, Pages()[index].make);
  }
  size_t current() const { return current_; }

  void Show(const wchar_t* title, PageFactory make) {
    Close();
    g_title = std::wstring(L"view gallery \x2014 ") + title;
    InvalidateRect(main_, nullptr, TRUE);
    // Laid out for 96 DPI, then moved to the gallery's DPI as a live change.
    const int dpi = g_dpi;
    g_dpi = 96;
    g_label_font = LabelFontAt(14);
  MakeFonts();
    FitMainWindow();
    if (g_scaled_label_font != nullptr) DeleteObject(g_scaled_label_font);
    g_scaled_label_font = nullptr;
    panel_ = CreatePanel(main_, 0, kTitleHeight, kWidth, kHeight - kTitleHeight);
    page_ = make();
    page_->Build(panel_);
    if (dpi != 96) ChangeDpi(dpi);
    ShowWindow(panel_, SW_SHOW);
    UpdateWindow(main_);
    Pump(150);
    page_->Shown(panel_);
    Pump(150);
  }

  // The window's DPI change as the system sends it: the controls follow it
  // (through the reflection), and the gallery, as an application must, makes
  // its fonts and window anew and places its children: each at its place x
  // the change, in the size a control gave itself, else its size x the change.
  void ChangeDpi(int dpi) {
    struct Placed {
      HWND wnd;
      RECT rect;
    };
    std::vector<Placed> children, popups;
    for (HWND c = GetWindow(panel_, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
      children.push_back({c, PanelRect(c)});
    }
    // The top-level windows a page shows (the shadow page's cards).
    std::vector<HWND> owned;
    EnumThreadWindows(GetCurrentThreadId(), [](HWND wnd, LPARAM list) {
      auto* windows = reinterpret_cast<std::vector<HWND>*>(list);
      if (IsWindowVisible(wnd) && GetWindow(wnd, GW_OWNER) == windows->front()) windows->push_back(wnd);
      return TRUE;
    }, reinterpret_cast<LPARAM>(&(owned = {main_})));
    for (size_t i = 1; i < owned.size(); ++i) popups.push_back({owned[i], PanelRect(owned[i])});
    const int from = g_dpi;
    const HFONT label_font = g_scaled_label_font;  // kept until the labels have the new one
    g_dpi = dpi;
    RECT suggested = {};
    GetWindowRect(main_, &suggested);
    SendMessageW(main_, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    MakeFonts();
    g_scaled_label_font = LabelFontAt(AtDpi(14));
    FitMainWindow();
    SetWindowPos(panel_, nullptr, 0, AtDpi(kTitleHeight), AtDpi(kWidth),
                 AtDpi(kHeight - kTitleHeight), SWP_NOZORDER | SWP_NOACTIVATE);
    for (const Placed& p : children) {
      const RECT now = PanelRect(p.wnd);
      const auto at = [&](LONG v) { return MulDiv(v, dpi, from); };
      const LONG w = p.rect.right - p.rect.left, h = p.rect.bottom - p.rect.top;
      SetWindowPos(p.wnd, nullptr, at(p.rect.left), at(p.rect.top),
                   now.right - now.left != w ? now.right - now.left : at(w),
                   now.bottom - now.top != h ? now.bottom - now.top : at(h),
                   SWP_NOZORDER | SWP_NOACTIVATE);
      // The labels are the gallery's to scale.
      wchar_t name[16] = {};
      GetClassNameW(p.wnd, name, 16);
      if (_wcsicmp(name, L"Static") == 0) {
        SendMessageW(p.wnd, WM_SETFONT, reinterpret_cast<WPARAM>(g_scaled_label_font), TRUE);
      }
    }
    if (label_font != nullptr) DeleteObject(label_font);
    // Each top-level window gets the change itself, and its place and size
    // from the gallery.
    for (const Placed& p : popups) {
      POINT at = {MulDiv(p.rect.left, dpi, from), MulDiv(p.rect.top, dpi, from)};
      ClientToScreen(panel_, &at);
      RECT next = {at.x, at.y, at.x + MulDiv(p.rect.right - p.rect.left, dpi, from),
                   at.y + MulDiv(p.rect.bottom - p.rect.top, dpi, from)};
      SendMessageW(p.wnd, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&next));
      SetWindowPos(p.wnd, nullptr, next.left, next.top, next.right - next.left,
                   next.bottom - next.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    RedrawWindow(main_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
  }

  void Close() {
    if (panel_ != nullptr) DestroyWindow(panel_);  // the controls go with it
    panel_ = nullptr;
    page_.reset();
  }

 private:
  // A child's window rectangle in the panel; for a combo box with its list
  // (the height it was placed with).
  RECT PanelRect(HWND child) const {
    RECT r = {};
    GetWindowRect(child, &r);
    wchar_t name[64] = {};
    GetClassNameW(child, name, 64);
    RECT dropped = {};
    CharLowerW(name);
    if (wcsstr(name, L"combo") != nullptr &&
        SendMessageW(child, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped))) {
      r.bottom = dropped.bottom;
    }
    MapWindowPoints(nullptr, panel_, reinterpret_cast<POINT*>(&r), 2);
    return r;
  }
  // The main window's client area: the page and its title band at g_dpi.
  void FitMainWindow() {
    RECT rect = {0, 0, AtDpi(kWidth), AtDpi(kHeight)};
    AdjustWindowRect(&rect, kMainStyle, GetMenu(main_) != nullptr);
    SetWindowPos(main_, nullptr, 0, 0, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }

  HWND main_;
  size_t current_ = 0;
  HWND panel_ = nullptr;
  std::unique_ptr<Page> page_;
};

Gallery* g_gallery = nullptr;

void ShowCurrentPageAgain() {
  if (g_gallery != nullptr && !Pages().empty()) g_gallery->Show(g_gallery->current());
}

void CheckThemeMenu(HWND main) {
  const view::Theme theme = view::GetTheme();
  const UINT id = theme == view::Theme::kLight  ? kThemeLight
                  : theme == view::Theme::kDark ? kThemeDark
                                                : kThemeSystem;
  HMENU menu = GetMenu(main);
  if (menu != nullptr) CheckMenuRadioItem(menu, kThemeLight, kThemeSystem, id, MF_BYCOMMAND);
}

HMENU MakeThemeMenu() {
  HMENU themes = CreatePopupMenu();
  AppendMenuW(themes, MF_STRING, kThemeLight, L"&Light\tCtrl+1");
  AppendMenuW(themes, MF_STRING, kThemeDark, L"&Dark\tCtrl+2");
  AppendMenuW(themes, MF_STRING, kThemeSystem, L"&System (the app mode)\tCtrl+3");
  HMENU bar = CreateMenu();
  AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(themes), L"&Theme");
  return bar;
}

// Shows every page in turn and writes each as DIR/NN-name.png, then all of
// them on one sheet as `sheet`. False if a file could not be written.
bool ShootPages(Gallery& gallery, HWND main, const std::wstring& dir, const std::wstring& sheet) {
  bool ok = true;
  CreateDirectoryW(dir.c_str(), nullptr);
  std::vector<std::unique_ptr<Gdiplus::Bitmap>> shots_taken;
  std::vector<std::wstring> titles;
  for (size_t i = 0; i < Pages().size(); ++i) {
    gallery.Show(i);
    const std::wstring path = dir + L"\\" + FileName(static_cast<int>(i), Pages()[i].title);
    shots_taken.push_back(CaptureClient(main));
    titles.push_back(Pages()[i].title);
    if (!SavePng(shots_taken.back().get(), path)) {
      std::fwprintf(stderr, L"could not write %ls\n", path.c_str());
      ok = false;
    }
  }
  if (!SaveContactSheet(shots_taken, titles, sheet)) ok = false;
  return ok;
}

}  // namespace

COLORREF Window() {
  if (view::frame::HighContrastOn()) return GetSysColor(COLOR_WINDOW);
  return view::IsDarkTheme() ? RGB(0x20, 0x20, 0x20) : RGB(0xFF, 0xFF, 0xFF);
}

COLORREF WindowText() {
  if (view::frame::HighContrastOn()) return GetSysColor(COLOR_WINDOWTEXT);
  return view::IsDarkTheme() ? RGB(0xF0, 0xF0, 0xF0) : RGB(0, 0, 0);
}

HBRUSH WindowBrush() {
  const COLORREF color = Window();
  if (g_window_brush == nullptr || g_window_brush_color != color) {
    if (g_window_brush != nullptr) DeleteObject(g_window_brush);
    g_window_brush = CreateSolidBrush(color);
    g_window_brush_color = color;
  }
  return g_window_brush;
}

bool RegisterPage(int order, const wchar_t* title, PageFactory make) {
  Pages().push_back({order, title, make});
  return true;
}

bool RegisterFigure(const wchar_t* file, int width, int height, PageFactory make) {
  Figures().push_back({file, width, height, make});
  return true;
}

HWND CreatePanel(HWND parent, int x, int y, int width, int height) {
  static const bool registered = [] {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = PanelProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = L"ViewGalleryPanel";
    return RegisterClassW(&wc) != 0;
  }();
  if (!registered) return nullptr;
  return CreateWindowExW(0, L"ViewGalleryPanel", nullptr,
                         WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, x, y, width, height,
                         parent, nullptr, GetModuleHandleW(nullptr), nullptr);
}

HWND AddLabel(HWND panel, const wchar_t* text, int x, int y, int width, int height) {
  HWND label = CreateWindowExW(0, L"STATIC", text, WS_CHILD | WS_VISIBLE | SS_LEFT, x, y, width,
                               height, panel, nullptr, GetModuleHandleW(nullptr), nullptr);
  SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(LabelFont()), FALSE);
  return label;
}

HFONT LabelFont() { return g_label_font; }

int AtDpi(int v) { return MulDiv(v, g_dpi, 96); }

HFONT ScaledLabelFont() { return g_scaled_label_font != nullptr ? g_scaled_label_font : g_label_font; }

}  // namespace gallery

int wmain(int argc, wchar_t** argv) {
  using namespace gallery;
  std::wstring shots;
  int dpi = 96;
  for (int i = 1; i < argc; ++i) {
    if (wcscmp(argv[i], L"--screenshots") == 0 && i + 1 < argc) shots = argv[++i];
    if (wcscmp(argv[i], L"--per-monitor") == 0) view::SetDpiMode(view::DpiMode::kPerMonitor);
    if (wcscmp(argv[i], L"--dpi") == 0 && i + 1 < argc) {
      view::SetDpiMode(view::DpiMode::kPerMonitor);
      dpi = std::max(96, std::min(_wtoi(argv[++i]), 768));
    }
  }

  INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES | ICC_LINK_CLASS | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);
  Gdiplus::GdiplusStartupInput input;
  ULONG_PTR token = 0;
  if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok) return 2;
  MakeFonts();

  std::stable_sort(Pages().begin(), Pages().end(),
                   [](const PageEntry& a, const PageEntry& b) { return a.order < b.order; });

  WNDCLASSW wc = {};
  wc.lpfnWndProc = MainProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  wc.lpszClassName = L"ViewGallery";
  RegisterClassW(&wc);
  RECT rect = {0, 0, kWidth, kHeight};
  const DWORD style = kMainStyle;
  // The screenshots show the client area alone: only the interactive
  // gallery has the Theme menu.
  HMENU menu = shots.empty() ? MakeThemeMenu() : nullptr;
  AdjustWindowRect(&rect, style, menu != nullptr);
  HWND main = CreateWindowW(L"ViewGallery", L"view gallery", style, 20, 20,
                            rect.right - rect.left, rect.bottom - rect.top, nullptr, menu,
                            wc.hInstance, nullptr);
  CheckThemeMenu(main);
  DispatchQueue::DispatchQueueInit(main);
  ShowWindow(main, SW_SHOW);
  SetForegroundWindow(main);

  int status = 0;
  {
    Gallery gallery(main);
    g_gallery = &gallery;
    if (!shots.empty()) {
      if (!ShootPages(gallery, main, shots, shots + L"\\contact-sheet.png")) status = 1;
      for (const FigureEntry& figure : Figures()) {
        gallery.Show(figure.file, figure.make);
        const std::unique_ptr<Gdiplus::Bitmap> client = CaptureClient(main);
        std::unique_ptr<Gdiplus::Bitmap> cut(
            client ? client->Clone(0, kTitleHeight, figure.width, figure.height,
                                   PixelFormat32bppARGB)
                   : nullptr);
        const std::wstring path = shots + L"\\" + figure.file + L".png";
        if (!SavePng(cut.get(), path)) {
          std::fwprintf(stderr, L"could not write %ls\n", path.c_str());
          status = 1;
        }
      }
      // The same pages in dark, then in high contrast (turned on for this
      // process alone, as the tests do: the system colours stay the user's).
      view::SetTheme(view::Theme::kDark);
      if (!ShootPages(gallery, main, shots + L"\\dark", shots + L"\\contact-sheet-dark.png")) {
        status = 1;
      }
      view::SetTheme(view::Theme::kLight);
      view::frame::SetHighContrastForTesting(1);
      if (!ShootPages(gallery, main, shots + L"\\high-contrast",
                      shots + L"\\contact-sheet-high-contrast.png")) {
        status = 1;
      }
      view::frame::SetHighContrastForTesting(-1);
      // Every page at 150% and 200%, following the window's DPI.
      view::SetDpiMode(view::DpiMode::kPerMonitor);
      for (const int at : {144, 192}) {
        g_dpi = at;
        const std::wstring percent = at == 144 ? L"150" : L"200";
        if (!ShootPages(gallery, main, shots + L"\\" + percent,
                        shots + L"\\contact-sheet-" + percent + L".png")) {
          status = 1;
        }
      }
      g_dpi = 96;
      gallery.Close();
      DestroyWindow(main);
    } else {
      g_dpi = dpi;
      if (!Pages().empty()) gallery.Show(0);
      MSG msg;
      while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        // Page Down / Page Up walk through the pages.
        if (msg.message == WM_KEYDOWN && !Pages().empty() &&
            (msg.wParam == VK_NEXT || msg.wParam == VK_PRIOR)) {
          const size_t n = Pages().size(), current = gallery.current();
          gallery.Show(msg.wParam == VK_NEXT ? (current + 1) % n : (current + n - 1) % n);
          continue;
        }
        // Ctrl+1, Ctrl+2, Ctrl+3: the Theme menu's light, dark and system.
        if (msg.message == WM_KEYDOWN && msg.wParam >= '1' && msg.wParam <= '3' &&
            (GetKeyState(VK_CONTROL) & 0x8000) != 0) {
          SendMessageW(main, WM_COMMAND, kThemeLight + (msg.wParam - '1'), 0);
          continue;
        }
        if (msg.message == WM_KEYDOWN && msg.wParam == VK_F7) {
          gallery.ChangeDpi(g_dpi >= 192 ? 96 : g_dpi + 48);
          continue;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
      }
    }
  }
  g_gallery = nullptr;
  Pump(50);
  if (g_window_brush != nullptr) DeleteObject(g_window_brush);
  DeleteObject(g_label_font);
  if (g_scaled_label_font != nullptr) DeleteObject(g_scaled_label_font);
  DeleteObject(g_title_font);
  Gdiplus::GdiplusShutdown(token);
  return status;
}

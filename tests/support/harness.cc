#include "harness.h"

#include <winternl.h>

#include "view/classes.h"
#include "view/reflect.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <memory>

namespace viewtest {

HostWindow::HostWindow(bool reflect, int client_width, int client_height, int x, int y)
    : reflect_(reflect) {
  static const ATOM atom = [] {
    // DefWindowProc until the window exists; the extra bytes hold the
    // HostWindow, so GWLP_USERDATA stays free.
    WNDCLASSEXW wc = {sizeof(wc), 0, DefWindowProcW, 0, sizeof(LONG_PTR), GetModuleHandleW(nullptr),
                      nullptr, LoadCursorW(nullptr, IDC_ARROW), nullptr, nullptr, L"ViewTestHost", nullptr};
    return RegisterClassExW(&wc);
  }();
  RECT rect = {0, 0, client_width, client_height};
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  AdjustWindowRectEx(&rect, style, FALSE, 0);
  hwnd_ = CreateWindowExW(0, MAKEINTATOM(atom), L"view test host", style, x, y, rect.right - rect.left,
                          rect.bottom - rect.top, nullptr, nullptr, GetModuleHandleW(nullptr),
                          nullptr);
  SetWindowLongPtrW(hwnd_, 0, reinterpret_cast<LONG_PTR>(this));
  SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Proc));
  // Focus cues hidden, as a dialog starts after mouse use: the controls'
  // pixels are then those of the mouse-driven look.
  SendMessageW(hwnd_, WM_CHANGEUISTATE, MAKEWPARAM(UIS_SET, UISF_HIDEFOCUS), 0);
  ShowWindow(hwnd_, SW_SHOW);
  BringToFront(hwnd_);
  PumpUntilIdle();
}

HostWindow::~HostWindow() {
  if (IsWindow(hwnd_)) DestroyWindow(hwnd_);
  PumpUntilIdle();
}

int HostWindow::Count(UINT message, HWND control, UINT code) const {
  return static_cast<int>(std::count_if(seen_.begin(), seen_.end(), [&](const SeenMessage& m) {
    return m.message == message && m.from == control && m.code == code;
  }));
}

LRESULT CALLBACK HostWindow::Proc(HWND wnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  auto* self = reinterpret_cast<HostWindow*>(GetWindowLongPtrW(wnd, 0));
  if (self == nullptr) return DefWindowProcW(wnd, msg, wparam, lparam);
  return self->Handle(msg, wparam, lparam);
}

LRESULT HostWindow::Handle(UINT msg, WPARAM wparam, LPARAM lparam) {
  LRESULT own = 0;
  if (on_message && on_message(msg, wparam, lparam, own)) return own;

  if (msg == WM_USER + 1000) {  // a work item of the main dispatch queue
    std::unique_ptr<std::function<void()>> work(reinterpret_cast<std::function<void()>*>(wparam));
    if (work && *work) (*work)();
    return 0;
  }
  // A test host has no menus: context menus and system commands (which
  // would start modal menu, move or size loops) are not run.
  if (msg == WM_CONTEXTMENU || msg == WM_SYSCOMMAND) return 0;
  // Wine keeps no UI state (WM_QUERYUISTATE answers 0 whatever was set), so
  // the host keeps it as Windows does for a top-level window: a change
  // updates it and is passed down to every descendant.
  if (msg == WM_QUERYUISTATE) return ui_state_;
  if (msg == WM_CHANGEUISTATE) {
    const WORD flags = HIWORD(wparam);
    ui_state_ = LOWORD(wparam) == UIS_SET ? (ui_state_ | flags) : (ui_state_ & ~flags);
    EnumChildWindows(hwnd_, [](HWND child, LPARAM change) {
      SendMessageW(child, WM_UPDATEUISTATE, static_cast<WPARAM>(change), 0);
      return TRUE;
    }, static_cast<LPARAM>(wparam));
    return 0;
  }
  if (msg == WM_ERASEBKGND) {
    RECT rc;
    GetClientRect(hwnd_, &rc);
    FillRect(reinterpret_cast<HDC>(wparam), &rc, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    return 1;
  }

  HWND source = view::NotificationSource(hwnd_, msg, wparam, lparam);
  if (source != nullptr || msg == WM_COMMAND || msg == WM_NOTIFY || msg == WM_DRAWITEM) {
    SeenMessage seen = {msg, wparam, lparam, 0, source};
    if (msg == WM_COMMAND) seen.code = HIWORD(wparam);
    if (msg == WM_NOTIFY && lparam != 0) seen.code = reinterpret_cast<NMHDR*>(lparam)->code;
    seen_.push_back(seen);
    LRESULT result = 0;
    if (reflect_ && view::ReflectNotification(hwnd_, msg, wparam, lparam, &result)) return result;
  }
  return DefWindowProcW(hwnd_, msg, wparam, lparam);
}

// ---------------------------------------------------------------------------

bool SendDpiChange(HWND top, int dpi) {
  RECT suggested = {0, 0, 640, 480};
  const auto wparam = static_cast<WPARAM>(MAKEWPARAM(dpi, dpi));
  const auto lparam = reinterpret_cast<LPARAM>(&suggested);
  SendMessageW(top, WM_DPICHANGED, wparam, lparam);
  const bool answered = view::ReflectNotification(top, WM_DPICHANGED, wparam, lparam, nullptr);
  PumpUntilIdle();
  return answered;
}

void PumpUntilIdle() {
  // Idle: two rounds in a row that dispatched nothing but timers. Timers do
  // not count, since a tracked mouse keeps a polling timer running; a cap
  // keeps a control that posts to itself forever from hanging the test.
  const DWORD start = GetTickCount();
  int quiet = 0;
  while (quiet < 2 && GetTickCount() - start < 3000) {
    MSG msg;
    bool any = false;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message != WM_TIMER && msg.message != 0x0118 /* WM_SYSTIMER */) any = true;
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    quiet = any ? 0 : quiet + 1;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 15, QS_ALLINPUT);
  }
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeout_ms) {
  const DWORD start = GetTickCount();
  for (;;) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    if (done()) return true;
    if (GetTickCount() - start >= timeout_ms) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

void PumpFor(DWORD ms) { PumpUntil([] { return false; }, ms); }

// ---------------------------------------------------------------------------

namespace {

INPUT MouseInput(POINT screen, DWORD flags, DWORD data = 0) {
  INPUT in = {INPUT_MOUSE, {}};
  // Absolute coordinates are 0..65535 across the primary screen; round to
  // the centre of the target pixel.
  in.mi = {static_cast<LONG>((screen.x * 65536LL + 32768) / GetSystemMetrics(SM_CXSCREEN)),
           static_cast<LONG>((screen.y * 65536LL + 32768) / GetSystemMetrics(SM_CYSCREEN)), data,
           flags | MOUSEEVENTF_ABSOLUTE, 0, 0};
  return in;
}

// Sends the input, then lets the windows handle it.
void Send(std::vector<INPUT> inputs) {
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  PumpUntilIdle();
}

// Moves the pointer to `client_pt` of `wnd`, then sends `buttons` there
// (with `data` for the wheel).
void Mouse(HWND wnd, POINT client_pt, std::initializer_list<DWORD> buttons, DWORD data = 0) {
  POINT pt = client_pt;
  ClientToScreen(wnd, &pt);
  std::vector<INPUT> inputs = {MouseInput(pt, MOUSEEVENTF_MOVE)};
  for (DWORD b : buttons) inputs.push_back(MouseInput(pt, b, data));
  Send(inputs);
}

}  // namespace

void MoveMouseTo(HWND wnd, POINT pt) { Mouse(wnd, pt, {}); }
void MouseDown(HWND wnd, POINT pt) { Mouse(wnd, pt, {MOUSEEVENTF_LEFTDOWN}); }
void MouseUp(HWND wnd, POINT pt) { Mouse(wnd, pt, {MOUSEEVENTF_LEFTUP}); }
void Click(HWND wnd, POINT pt) { Mouse(wnd, pt, {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP}); }
void DoubleClick(HWND wnd, POINT pt) {
  Mouse(wnd, pt, {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP});
}
void Wheel(HWND wnd, POINT pt, int delta) {
  Mouse(wnd, pt, {MOUSEEVENTF_WHEEL}, static_cast<DWORD>(delta));
}

namespace {
// A key of virtual key `vk`, or (vk 0) the character `scan`.
INPUT KeyInput(WORD vk, DWORD flags, WORD scan = 0) {
  INPUT in = {INPUT_KEYBOARD, {}};
  in.ki = {vk, vk != 0 ? static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC)) : scan, flags, 0, 0};
  return in;
}
}  // namespace

void KeyDown(WORD vk) { Send({KeyInput(vk, 0)}); }
void KeyUp(WORD vk) { Send({KeyInput(vk, KEYEVENTF_KEYUP)}); }
void PressKey(WORD vk) { Send({KeyInput(vk, 0), KeyInput(vk, KEYEVENTF_KEYUP)}); }

void TypeText(const std::wstring& text) {
  std::vector<INPUT> inputs;
  for (wchar_t ch : text) {
    inputs.push_back(KeyInput(0, KEYEVENTF_UNICODE, ch));
    inputs.push_back(KeyInput(0, KEYEVENTF_UNICODE | KEYEVENTF_KEYUP, ch));
  }
  Send(inputs);
}

void BringToFront(HWND top_level) {
  SetWindowPos(top_level, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
  SetForegroundWindow(top_level);
  SetActiveWindow(top_level);
  SetFocus(top_level);
}

// ---------------------------------------------------------------------------

uint32_t Image::At(int x, int y) const { return ArgbAt(x, y) & 0x00FFFFFFu; }

uint32_t Image::ArgbAt(int x, int y) const {
  if (x < 0 || y < 0 || x >= width || y >= height) return 0xDEADBEEFu;
  return pixels[static_cast<size_t>(y) * width + x];
}

int Image::Count(uint32_t rgb, int x0, int y0, int x1, int y1) const {
  int n = 0;
  for (int y = std::max(0, y0); y < std::min(height, y1); ++y) {
    for (int x = std::max(0, x0); x < std::min(width, x1); ++x) {
      if (At(x, y) == (rgb & 0x00FFFFFFu)) ++n;
    }
  }
  return n;
}

RECT Image::BoundsNot(uint32_t rgb, const RECT& area) const {
  return Bounds([rgb](uint32_t p) { return p != (rgb & 0x00FFFFFFu); }, area);
}

RECT Image::Bounds(const std::function<bool(uint32_t)>& match, const RECT& area) const {
  RECT r = {area.right, area.bottom, area.left, area.top};
  for (int y = std::max<LONG>(0, area.top); y < std::min<LONG>(height, area.bottom); ++y) {
    for (int x = std::max<LONG>(0, area.left); x < std::min<LONG>(width, area.right); ++x) {
      if (match(At(x, y))) r = {std::min<LONG>(r.left, x), std::min<LONG>(r.top, y),
                                std::max<LONG>(r.right, x + 1), std::max<LONG>(r.bottom, y + 1)};
    }
  }
  if (r.right <= r.left) r = {0, 0, 0, 0};
  return r;
}

Image FromDc(HDC src, int width, int height) {
  Image image;
  if (width <= 0 || height <= 0) return image;
  BITMAPINFO bmi = {{sizeof(bmi.bmiHeader), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};  // top-down
  void* bits = nullptr;
  HDC mem = CreateCompatibleDC(src);
  HBITMAP dib = CreateDIBSection(src, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (mem != nullptr && dib != nullptr) {
    HGDIOBJ old = SelectObject(mem, dib);
    BitBlt(mem, 0, 0, width, height, src, 0, 0, SRCCOPY);
    GdiFlush();
    image = {width, height, {}};
    const auto* p = static_cast<const uint32_t*>(bits);
    image.pixels.assign(p, p + static_cast<size_t>(width) * height);
    for (auto& px : image.pixels) px |= 0xFF000000u;  // screen pixels are opaque
    SelectObject(mem, old);
  }
  if (dib != nullptr) DeleteObject(dib);
  if (mem != nullptr) DeleteDC(mem);
  return image;
}

Image CaptureClient(HWND wnd) {
  RECT rc = {};
  GetClientRect(wnd, &rc);
  HDC dc = GetDC(wnd);
  Image image = FromDc(dc, rc.right, rc.bottom);
  ReleaseDC(wnd, dc);
  return image;
}

Image FromBitmap(Gdiplus::Bitmap& bitmap) {
  Image image = {static_cast<int>(bitmap.GetWidth()), static_cast<int>(bitmap.GetHeight()), {}};
  Gdiplus::BitmapData data = {};
  Gdiplus::Rect rect(0, 0, image.width, image.height);
  if (bitmap.LockBits(&rect, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, &data) !=
      Gdiplus::Ok) {
    return Image();
  }
  image.pixels.resize(static_cast<size_t>(image.width) * image.height);
  for (int y = 0; y < image.height; ++y) {
    const auto* row = reinterpret_cast<const uint32_t*>(static_cast<const BYTE*>(data.Scan0) +
                                                        static_cast<ptrdiff_t>(y) * data.Stride);
    std::copy(row, row + image.width, image.pixels.begin() + static_cast<ptrdiff_t>(y) * image.width);
  }
  bitmap.UnlockBits(&data);
  return image;
}

std::unique_ptr<Gdiplus::Bitmap> SolidBitmap(int width, int height, uint32_t argb) {
  if ((argb >> 24) == 0) argb |= 0xFF000000u;
  auto bitmap = std::make_unique<Gdiplus::Bitmap>(width, height, PixelFormat32bppARGB);
  Gdiplus::Graphics(bitmap.get()).Clear(Gdiplus::Color(argb));
  return bitmap;
}

void SaveArtifact(const Image& image, const std::string& name) {
  if (image.empty()) return;
  // VIEW_TEST_ARTIFACTS names the folder, else "test-artifacts".
  const wchar_t* dir = _wgetenv(L"VIEW_TEST_ARTIFACTS");
  const std::wstring folder = dir != nullptr && *dir != 0 ? dir : L"test-artifacts";
  CreateDirectoryW(folder.c_str(), nullptr);
  const std::wstring path = folder + L"\\" + std::wstring(name.begin(), name.end()) + L".png";
  // The PNG encoder's class id, the same in every GDI+.
  const CLSID png = {0x557CF406, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
  Gdiplus::Bitmap bitmap(image.width, image.height, image.width * 4, PixelFormat32bppARGB,
                         reinterpret_cast<BYTE*>(const_cast<uint32_t*>(image.pixels.data())));
  if (bitmap.Save(path.c_str(), &png, nullptr) == Gdiplus::Ok) {
    std::fprintf(stderr, "artifact: %ls\n", path.c_str());
  }
}

// ---------------------------------------------------------------------------

int CountGdiObjects() {
  // The shared GDI handle table the PEB points to lists every object with its
  // owning process; it exists on Windows and on Wine.
  struct Entry {
    UINT64 object;
    ULONG owner;  // low 16 bits: process id
    USHORT unique;
    UCHAR type, flags;
    UINT64 user;
  };
  static_assert(sizeof(Entry) == 24, "GDI handle table entry");
  PROCESS_BASIC_INFORMATION info = {};
  if (NtQueryInformationProcess(GetCurrentProcess(), ProcessBasicInformation, &info, sizeof(info),
                                nullptr) != 0) {
    return -1;
  }
  auto* peb = reinterpret_cast<BYTE*>(info.PebBaseAddress);
  auto* table = *reinterpret_cast<const Entry* const*>(peb + 0xF8);
  if (table == nullptr) return -1;
  const USHORT pid = static_cast<USHORT>(GetCurrentProcessId());
  int n = 0;
  for (int i = 0; i < 0x10000; ++i) {
    // Windows shares the table between processes and names the owner; Wine's
    // table is the process's own and leaves the owner 0 (as it is for stock
    // objects on Windows, which never change in number).
    const auto owner = static_cast<USHORT>(table[i].owner & 0xFFFF);
    if (table[i].type != 0 && (owner == pid || owner == 0)) ++n;
  }
  return n;
}

RECT RectInParent(HWND wnd) {
  RECT rect = {};
  GetWindowRect(wnd, &rect);
  MapWindowPoints(nullptr, GetParent(wnd), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

std::vector<std::string> ChangesNotRepainted(HWND wnd, const std::vector<NamedChange>& changes) {
  std::vector<std::string> unchanged;
  for (const NamedChange& c : changes) {
    RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    const Image before = CaptureClient(wnd);
    c.change();
    RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    if (CaptureClient(wnd).pixels == before.pixels) unchanged.push_back(c.name);
  }
  return unchanged;
}

SIZE ClientSize(HWND wnd) {
  RECT rect = {};
  GetClientRect(wnd, &rect);
  return {rect.right, rect.bottom};
}

void FillStockTree(HWND tree, int children) {
  TVINSERTSTRUCTW insert = {TVI_ROOT, TVI_LAST, {}};
  insert.item.mask = TVIF_TEXT;
  insert.item.pszText = const_cast<wchar_t*>(L"Root");
  HTREEITEM root = insert.hParent = TreeView_InsertItem(tree, &insert);
  insert.item.pszText = const_cast<wchar_t*>(L"Child");
  for (int i = 0; i < children; ++i) TreeView_InsertItem(tree, &insert);
  TreeView_Expand(tree, root, TVE_EXPAND);
}

std::wstring TextOf(HWND wnd) {
  wchar_t buffer[1024] = {};
  GetWindowTextW(wnd, buffer, 1024);
  return buffer;
}

}  // namespace viewtest

namespace viewtest {

std::vector<WORD> EveryControlTemplate(DWORD style, bool standard_classes) {
  struct Item {
    const wchar_t* cls;
    const wchar_t* standard;  // the platform's class the library's sits on
    DWORD style;  // beyond WS_CHILD | WS_VISIBLE
    const wchar_t* text;
  };
  static const Item kItems[] = {
      {view::kEditClass, L"Edit", WS_BORDER, L""},
      {view::kImgButtonClass, L"Button", BS_DEFPUSHBUTTON, L""},
      {view::kListViewClass, WC_LISTVIEWW, 0, L""},
      {view::kTreeViewClass, WC_TREEVIEWW, 0, L""},
      {view::kComboBoxClass, L"ComboBox", CBS_SIMPLE, L""},
      {view::kLinkClass, WC_LINK, 0, L"<a>x</a>"},
      {view::kSwitchButtonClass, L"Button", WS_GROUP, L""},
      {view::kSwitchButtonClass, L"Button", 0, L""},
      {view::kSwitchImageButtonClass, L"Button", 0, L""},
      {view::kSectionButtonClass, L"Button", BS_CHECKBOX, L""},
      {view::kSectionButtonClass, L"Button", WS_GROUP, L"&Go"},
  };
  constexpr int kCount = sizeof(kItems) / sizeof(kItems[0]);
  std::vector<WORD> t(sizeof(DLGTEMPLATE) / 2 + 3, 0);  // no menu, class, title
  auto* head = reinterpret_cast<DLGTEMPLATE*>(t.data());
  head->style = style | DS_SETFONT;
  head->cdit = kCount;
  head->cx = 300;
  head->cy = 220;
  for (const wchar_t* s = L"\x8" L"Tahoma"; *s; ++s) t.push_back(*s);  // size, face
  t.push_back(0);
  for (int i = 0; i < kCount; ++i) {
    t.resize((t.size() + 1) & ~size_t{1});  // DWORD aligned
    DLGITEMTEMPLATE item = {WS_CHILD | WS_VISIBLE | kItems[i].style, 0, short(4 + 50 * (i % 5)),
                            short(4 + 70 * (i / 5)), 40, 60, WORD(i + 1)};
    const WORD* raw = reinterpret_cast<const WORD*>(&item);
    t.insert(t.end(), raw, raw + sizeof(item) / 2);
    for (const wchar_t* s : {standard_classes ? kItems[i].standard : kItems[i].cls, kItems[i].text})
      t.insert(t.end(), s, s + wcslen(s) + 1);
    t.push_back(0);  // no creation data
  }
  return t;
}

}  // namespace viewtest

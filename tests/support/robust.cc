#include "robust.h"

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <random>

#include "harness.h"
#include "view/reflect.h"

namespace viewtest {
namespace {

constexpr UINT kReflect = view::kReflectOffset;

// Notifications a parent reflects back to the control that sent them.
const UINT kReflected[] = {WM_COMMAND, WM_NOTIFY, WM_PARENTNOTIFY, WM_DRAWITEM, WM_MEASUREITEM,
                           WM_COMPAREITEM, WM_DELETEITEM, WM_VKEYTOITEM, WM_CHARTOITEM, WM_HSCROLL,
                           WM_VSCROLL, WM_CTLCOLORMSGBOX, WM_CTLCOLOREDIT, WM_CTLCOLORLISTBOX,
                           WM_CTLCOLORBTN, WM_CTLCOLORDLG, WM_CTLCOLORSCROLLBAR, WM_CTLCOLORSTATIC};

const UINT kMouse[] = {WM_MOUSEMOVE,   WM_LBUTTONDOWN, WM_LBUTTONUP,   WM_LBUTTONDBLCLK,
                       WM_MOUSEWHEEL,  WM_MOUSEHOVER,  WM_MOUSELEAVE,  WM_SETCURSOR,
                       WM_NCHITTEST,   WM_CAPTURECHANGED};

const UINT kKeyboard[] = {WM_KEYDOWN, WM_KEYUP, WM_CHAR, WM_SETFOCUS, WM_KILLFOCUS};

const WORD kKeys[] = {VK_RETURN, VK_SPACE, VK_TAB, VK_ESCAPE, VK_LEFT,  VK_RIGHT, VK_UP,
                      VK_DOWN,   VK_HOME,  VK_END, VK_PRIOR,  VK_NEXT,  VK_DELETE, VK_BACK,
                      VK_F4,     'A',      'Z',    '1',       VK_ADD,   VK_SUBTRACT};

const UINT kNotifyCodes[] = {
    NM_CUSTOMDRAW,      NM_CLICK,          NM_DBLCLK,          NM_RCLICK,
    NM_RETURN,          NM_SETFOCUS,       NM_KILLFOCUS,       NM_HOVER,
    LVN_GETDISPINFOW,   LVN_ODCACHEHINT,   LVN_ITEMCHANGED,    LVN_COLUMNCLICK,
    HDN_ITEMCLICKW,     HDN_BEGINTRACKW,   HDN_ENDTRACKW,      HDN_DIVIDERDBLCLICKW,
    TVN_SELCHANGEDW,    TVN_ITEMEXPANDINGW, TVN_ITEMEXPANDEDW, TVN_GETDISPINFOW,
    TTN_GETDISPINFOW,   BCN_HOTITEMCHANGE, CBN_SELCHANGE,      CBN_DROPDOWN,
    CBN_CLOSEUP,        NM_FIRST - 99,     LVN_BEGINSCROLL,    LVN_ENDSCROLL};

}  // namespace

ProcessCounters SnapshotCounters() {
  ProcessCounters c;
  c.gdi_objects = CountGdiObjects();
  // This thread's top-level windows and all their descendants.
  EnumThreadWindows(GetCurrentThreadId(), [](HWND top, LPARAM n) -> BOOL {
    const WNDENUMPROC count = [](HWND, LPARAM n) -> BOOL { return ++*reinterpret_cast<int*>(n); };
    count(top, n);
    return EnumChildWindows(top, count, n), TRUE;
  }, reinterpret_cast<LPARAM>(&c.user_windows));
  PROCESS_MEMORY_COUNTERS_EX pmc = {};
  pmc.cb = sizeof(pmc);
  if (GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&pmc),
                           sizeof(pmc))) {
    c.private_bytes = pmc.PrivateUsage;
  }
  if (c.private_bytes == 0) {
    // Wine reports no private usage: count what the process's heaps hold.
    HANDLE heaps[64];
    const DWORD n = GetProcessHeaps(64, heaps);
    for (DWORD i = 0; i < n && i < 64; ++i) {
      if (!HeapLock(heaps[i])) continue;
      PROCESS_HEAP_ENTRY entry = {};
      while (HeapWalk(heaps[i], &entry)) {
        if ((entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) != 0) c.private_bytes += entry.cbData;
      }
      HeapUnlock(heaps[i]);
    }
  }
  return c;
}

std::string Describe(const ProcessCounters& c) {
  char text[128];
  std::snprintf(text, sizeof(text), "gdi %d, windows %d, private %zu KB", c.gdi_objects,
                c.user_windows, static_cast<size_t>(c.private_bytes / 1024));
  return text;
}

namespace {

// True for messages never sent as plain numbers, since their parameters
// are pointers or they end the window's life.
bool IsUnsafeForRandomParameters(UINT msg) {
  // Control-class messages (many take pointers) and the reflected range, which
  // is sent only with proper structures.
  if (msg >= WM_USER && msg < 0x8000) return true;
  // The standard controls' own messages below WM_USER (edit, button, static,
  // combo box and list box) take strings and structures too.
  if ((msg >= 0x00B0 && msg <= 0x00FF) || (msg >= 0x0140 && msg <= 0x01FF)) return true;
  // Non-client mouse messages start modal move, size and menu loops; system
  // keys and the context menu open menus; MDI, IME and drag-and-drop
  // messages carry handles and pointers of their own.
  if (msg >= WM_NCMOUSEMOVE && msg <= WM_NCXBUTTONDBLCLK) return true;
  if (msg >= WM_SYSKEYDOWN && msg <= WM_SYSDEADCHAR) return true;
  if (msg >= WM_IME_STARTCOMPOSITION && msg <= WM_IME_KEYLAST) return true;
  if (msg >= WM_MDICREATE && msg <= WM_DROPFILES) return true;
  if (msg >= WM_IME_SETCONTEXT && msg <= WM_IME_KEYUP) return true;
  if (msg >= WM_INITMENU && msg <= WM_MENUCOMMAND) return true;
  if (msg == WM_CONTEXTMENU || msg == WM_ENTERMENULOOP || msg == WM_EXITMENULOOP) return true;
  // Right and middle buttons open the standard controls' context menus or
  // start their drag tracking, both modal loops that wait for real input.
  if (msg >= WM_RBUTTONDOWN && msg <= WM_MBUTTONDBLCLK) return true;
  if (msg >= 0xC000) {
    // Registered messages: their meaning (and parameters) belong to someone.
    wchar_t name[64];
    if (GetClipboardFormatNameW(msg, name, 64) > 0) return true;
  }
  switch (msg) {
    // The window's life: creation, destruction, closing, system commands.
    case WM_CREATE: case WM_NCCREATE: case WM_DESTROY: case WM_NCDESTROY: case WM_CLOSE:
    case WM_QUIT: case WM_SYSCOMMAND: case WM_QUERYENDSESSION: case WM_ENDSESSION:
    // Pointer parameters.
    case WM_SETTEXT: case WM_GETTEXT: case WM_GETMINMAXINFO: case WM_DRAWITEM:
    case WM_MEASUREITEM: case WM_DELETEITEM: case WM_COMPAREITEM: case WM_WINDOWPOSCHANGING:
    case WM_WINDOWPOSCHANGED: case WM_COPYDATA: case WM_NOTIFY: case WM_HELP:
    case WM_STYLECHANGING: case WM_STYLECHANGED: case WM_NCCALCSIZE: case WM_GETDLGCODE:
    case WM_SETTINGCHANGE: case WM_DEVMODECHANGE: case WM_SIZING: case WM_MOVING:
    case WM_NEXTMENU: case WM_MDICREATE: case WM_ASKCBFORMATNAME: case WM_PAINTCLIPBOARD:
    case WM_SIZECLIPBOARD: case WM_MENUGETOBJECT: case WM_DEVICECHANGE: case WM_POWERBROADCAST:
    case WM_IME_REQUEST: case WM_IME_CONTROL: case WM_INPUT: case WM_TOUCH: case 0x0119:
    case 0x033F: case WM_CHANGECBCHAIN: case WM_DRAWCLIPBOARD:
    case WM_PARENTNOTIFY: case WM_QUERYNEWPALETTE: case WM_PALETTECHANGED:
    // Timers carry a procedure address that a sent message must not invent.
    case WM_TIMER: case 0x0118:
    // Keep the window shown and redrawing; the fuzzer restores these itself.
    case WM_SHOWWINDOW: case WM_SETREDRAW:
      return true;
    default:
      return false;
  }
}

// Sends seeded random messages: the random numbers, a memory DC for the
// messages that carry one, and the message sent last.
class Fuzzer {
 public:
  explicit Fuzzer(uint32_t seed) : rng_(seed) {}

  void SendOne(HWND control, const std::vector<UINT>& handled) {
    switch (rng_() % 8) {
      case 0: case 1: {  // a message the control handles
        if (handled.empty()) break;
        SendWithStruct(control, handled[rng_() % handled.size()]);
        return;
      }
      case 2:  // a reflected notification
        SendWithStruct(control, kReflect + kReflected[rng_() % std::size(kReflected)]);
        return;
      case 3: case 4: {  // the mouse
        const UINT msg = kMouse[rng_() % std::size(kMouse)];
        WPARAM wparam = rng_() % 2 ? MK_LBUTTON : 0;
        if (msg == WM_MOUSEWHEEL) wparam = MAKEWPARAM(0, static_cast<short>((rng_() % 7) * 120 - 360));
        if (msg == WM_SETCURSOR) wparam = reinterpret_cast<WPARAM>(control);
        // A press starts the standard controls' drag detection, which waits
        // for the release in the queue: put one there first.
        if (msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK) {
          PostMessageW(control, WM_LBUTTONUP, 0, RandomPoint(control));
        }
        Send(control, msg, wparam, RandomPoint(control));
        return;
      }
      case 5: {  // the keyboard
        const UINT msg = kKeyboard[rng_() % std::size(kKeyboard)];
        const WPARAM key = kKeys[rng_() % std::size(kKeys)];
        Send(control, msg, msg == WM_SETFOCUS || msg == WM_KILLFOCUS ? 0 : key, rng_() % 2 ? 1 : 0x40000001);
        return;
      }
      default:
        break;
    }
    // Any message number whose parameters are plain numbers.
    UINT msg = 0;
    do msg = rng_() % 0x10000; while (IsUnsafeForRandomParameters(msg));
    SendWithStruct(control, msg);
  }

  UINT last_ = 0;

 private:
  void Send(HWND control, UINT msg, WPARAM wparam, LPARAM lparam) {
    last_ = msg;
    SendMessageW(control, msg, wparam, lparam);
  }

  WPARAM RandomParam() {
    switch (rng_() % 4) {
      case 0: return 0;
      case 1: return rng_() % 16;
      case 2: return static_cast<WPARAM>(static_cast<int32_t>(rng_()));  // any 32-bit value
      default: return static_cast<WPARAM>(rng_()) | (static_cast<WPARAM>(rng_()) << 32);
    }
  }

  LPARAM RandomPoint(HWND control) {
    RECT rc = {};
    GetClientRect(control, &rc);
    const int w = std::max<int>(rc.right, 1), h = std::max<int>(rc.bottom, 1);
    const int x = static_cast<int>(rng_() % (2 * w)) - w / 2;
    const int y = static_cast<int>(rng_() % (2 * h)) - h / 2;
    return MAKELPARAM(static_cast<short>(x), static_cast<short>(y));
  }

  void SendWithStruct(HWND control, UINT msg) {
    // A buffer of random bytes, large enough for any notification record, in
    // which every 16th character is a terminator so that no string runs off.
    alignas(16) static BYTE buffer[8192];
    for (size_t i = 0; i < sizeof(buffer); i += 4) {
      const uint32_t r = rng_();
      std::memcpy(buffer + i, &r, 4);
    }
    for (size_t i = 30; i < sizeof(buffer); i += 32) buffer[i] = buffer[i + 1] = 0;
    static wchar_t text[512];
    for (int i = 0; i < 511; ++i) text[i] = static_cast<wchar_t>(L'a' + rng_() % 26);
    text[511] = 0;
    const UINT base = msg >= kReflect && msg < kReflect + 0x400 ? msg - kReflect : msg;
    HWND child = GetWindow(control, GW_CHILD);

    switch (base) {
      case WM_NOTIFY: {
        auto* hdr = reinterpret_cast<NMHDR*>(buffer);
        hdr->hwndFrom = (child != nullptr && rng_() % 2 == 0) ? child : control;
        hdr->idFrom = rng_() % 4;
        hdr->code = kNotifyCodes[rng_() % std::size(kNotifyCodes)];
        switch (hdr->code) {
          case NM_CUSTOMDRAW: {
            auto* cd = reinterpret_cast<NMLVCUSTOMDRAW*>(buffer);
            cd->nmcd.hdc = dc_;
            const DWORD stages[] = {CDDS_PREPAINT,     CDDS_POSTPAINT,     CDDS_PREERASE,
                                    CDDS_ITEMPREPAINT, CDDS_ITEMPOSTPAINT, CDDS_ITEMPREPAINT | CDDS_SUBITEM};
            if (rng_() % 4 != 0) cd->nmcd.dwDrawStage = stages[rng_() % 6];
            if (rng_() % 2 == 0) cd->nmcd.dwItemSpec = rng_() % 8;
            cd->nmcd.rc = {static_cast<LONG>(rng_() % 200), static_cast<LONG>(rng_() % 200),
                           static_cast<LONG>(rng_() % 400), static_cast<LONG>(rng_() % 400)};
            break;
          }
          case LVN_GETDISPINFOW: {
            auto* di = reinterpret_cast<NMLVDISPINFOW*>(buffer);
            di->item.pszText = text;
            di->item.cchTextMax = 512;
            if (rng_() % 2 == 0) di->item.iItem = static_cast<int>(rng_() % 64);
            if (rng_() % 2 == 0) di->item.iSubItem = static_cast<int>(rng_() % 6);
            break;
          }
          case TVN_GETDISPINFOW: case TVN_SELCHANGEDW: case TVN_ITEMEXPANDINGW: case TVN_ITEMEXPANDEDW: {
            // Item handles are the tree's own pointers; a notification names
            // either one of them or none.
            auto* tv = reinterpret_cast<NMTREEVIEWW*>(buffer);
            tv->itemOld.hItem = tv->itemNew.hItem = nullptr;
            tv->itemOld.pszText = tv->itemNew.pszText = text;
            tv->itemOld.cchTextMax = tv->itemNew.cchTextMax = 512;
            break;
          }
          case TTN_GETDISPINFOW: {
            auto* tt = reinterpret_cast<NMTTDISPINFOW*>(buffer);
            tt->lpszText = text;
            tt->hinst = nullptr;
            break;
          }
          case HDN_ITEMCLICKW: case HDN_BEGINTRACKW: case HDN_ENDTRACKW: case HDN_DIVIDERDBLCLICKW: {
            auto* hd = reinterpret_cast<NMHEADERW*>(buffer);
            hd->iItem = static_cast<int>(rng_() % 6);
            hd->pitem = nullptr;
            break;
          }
          default:
            // NMITEMACTIVATE, NMLINK and the like hold no pointers besides
            // the header; strings in them are terminated.
            break;
        }
        Send(control, msg, hdr->idFrom, reinterpret_cast<LPARAM>(buffer));
        return;
      }
      case WM_DRAWITEM: {
        auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(buffer);
        const UINT types[] = {ODT_BUTTON, ODT_COMBOBOX, ODT_LISTBOX, ODT_LISTVIEW, ODT_MENU, ODT_STATIC};
        dis->CtlType = types[rng_() % 6];
        dis->CtlID = GetDlgCtrlID(control);
        if (rng_() % 2 == 0) dis->itemID = rng_() % 16;
        dis->hwndItem = control;
        dis->hDC = dc_;
        dis->rcItem = {static_cast<LONG>(rng_() % 100) - 50, static_cast<LONG>(rng_() % 100) - 50,
                       static_cast<LONG>(rng_() % 500), static_cast<LONG>(rng_() % 500)};
        Send(control, msg, dis->CtlID, reinterpret_cast<LPARAM>(dis));
        return;
      }
      case WM_MEASUREITEM: case WM_COMPAREITEM: case WM_DELETEITEM: {
        // Each record starts with its control type and id; a window member,
        // where it has one, names the control.
        if (base == WM_COMPAREITEM) reinterpret_cast<COMPAREITEMSTRUCT*>(buffer)->hwndItem = control;
        if (base == WM_DELETEITEM) reinterpret_cast<DELETEITEMSTRUCT*>(buffer)->hwndItem = control;
        Send(control, msg, GetDlgCtrlID(control), reinterpret_cast<LPARAM>(buffer));
        return;
      }
      case WM_CTLCOLORMSGBOX: case WM_CTLCOLOREDIT: case WM_CTLCOLORLISTBOX: case WM_CTLCOLORBTN:
      case WM_CTLCOLORDLG: case WM_CTLCOLORSCROLLBAR: case WM_CTLCOLORSTATIC:
        Send(control, msg, WPARAM(dc_), LPARAM(rng_() % 2 ? control : child));
        return;
      case WM_COMMAND: case WM_HSCROLL: case WM_VSCROLL: case WM_VKEYTOITEM: case WM_CHARTOITEM:
      case WM_PARENTNOTIFY:
        Send(control, msg, RandomParam(), reinterpret_cast<LPARAM>(rng_() % 2 ? control : child));
        return;
      case WM_SETTEXT:
        text[rng_() % 512] = 0;
        Send(control, msg, 0, reinterpret_cast<LPARAM>(text));
        return;
      case WM_GETTEXT:
        Send(control, msg, rng_() % 513, reinterpret_cast<LPARAM>(text));
        return;
      case WM_WINDOWPOSCHANGING: case WM_WINDOWPOSCHANGED: {
        auto* pos = reinterpret_cast<WINDOWPOS*>(buffer);
        *pos = {control, nullptr, pos->x, pos->y, static_cast<int>(rng_() % 1200),
                static_cast<int>(rng_() % 900), pos->flags};
        Send(control, msg, 0, reinterpret_cast<LPARAM>(pos));
        return;
      }
      case WM_PAINT: case WM_PRINTCLIENT: case WM_PRINT: case WM_ERASEBKGND:
        Send(control, msg, base == WM_PAINT && rng_() % 2 ? 0 : reinterpret_cast<WPARAM>(dc_), rng_() % 64);
        return;
      case WM_GETMINMAXINFO: case WM_NCCALCSIZE: case WM_SIZING: case WM_MOVING:
      case WM_STYLECHANGING: case WM_STYLECHANGED: case WM_GETDLGCODE:
        Send(control, msg, base == WM_NCCALCSIZE ? FALSE : RandomParam() & 0xFF,
                     base == WM_GETDLGCODE && rng_() % 2 ? 0 : reinterpret_cast<LPARAM>(buffer));
        return;
      default:
        Send(control, msg, RandomParam(), static_cast<LPARAM>(RandomParam()));
        return;
    }
  }

  std::mt19937 rng_;
  MemoryCanvas canvas_{64, 64};
  const HDC dc_ = canvas_.dc;
};

}  // namespace

int FuzzMessages(HWND control, const std::vector<UINT>& handled, int count, uint32_t seed,
                 UINT* last) {
  Fuzzer fuzzer(seed);
  int sent = 0;
  for (; sent < count && IsWindow(control); ++sent) {
    fuzzer.SendOne(control, handled);
    if (sent % 256 == 255) {
      // Let posted follow-ups (repaints, timers) run now and then.
      MSG msg;
      while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
      if (GetCapture() != nullptr) ReleaseCapture();
    }
  }
  *last = fuzzer.last_;
  return sent;
}

}  // namespace viewtest

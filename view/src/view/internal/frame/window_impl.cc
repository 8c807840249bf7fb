#include "view/internal/frame/window_impl.h"

#include <cstdio>

#include "view/internal/frame/accessible.h"
#include "view/internal/frame/creating.h"
#include "view/internal/frame/dpi.h"
#include "view/internal/frame/exceptions.h"
#include "view/internal/frame/palette.h"

namespace view::frame {
namespace {

// The property that names the object of a window the frame subclassed.
ATOM ObjectProperty() {
  static const ATOM atom = GlobalAddAtomW(L"view.frame.object");
  return atom;
}

WindowImpl* SubclassedObject(HWND wnd) {
  return static_cast<WindowImpl*>(GetPropW(wnd, MAKEINTATOM(ObjectProperty())));
}

}  // namespace

bool IsLibraryWindow(HWND wnd) {
  DWORD process = 0;
  GetWindowThreadProcessId(wnd, &process);
  if (process != GetCurrentProcessId()) return false;
  {
    ModuleLock guard;
    if (Module::Get().HasAtom(static_cast<ATOM>(GetClassLongPtrW(wnd, GCW_ATOM)))) return true;
  }
  return SubclassedObject(wnd) != nullptr;
}

void SendToLibraryChildren(HWND top, UINT msg, WPARAM wparam) {
  struct Send {
    UINT msg;
    WPARAM wparam;
  } send = {msg, wparam};
  ::EnumChildWindows(top, [](HWND wnd, LPARAM param) -> BOOL {
    const auto* s = reinterpret_cast<const Send*>(param);
    if (IsLibraryWindow(wnd)) ::SendMessageW(wnd, s->msg, s->wparam, 0);
    return TRUE;
  }, reinterpret_cast<LPARAM>(&send));
}

bool IsReflectedMessage(UINT msg) {
  switch (msg) {
    case kReflectBase + WM_COMMAND:
    case kReflectBase + WM_NOTIFY:
    case kReflectBase + WM_PARENTNOTIFY:
    case kReflectBase + WM_DRAWITEM:
    case kReflectBase + WM_MEASUREITEM:
    case kReflectBase + WM_COMPAREITEM:
    case kReflectBase + WM_DELETEITEM:
    case kReflectBase + WM_VKEYTOITEM:
    case kReflectBase + WM_CHARTOITEM:
    case kReflectBase + WM_HSCROLL:
    case kReflectBase + WM_VSCROLL:
    case kReflectBase + WM_CTLCOLORMSGBOX:
    case kReflectBase + WM_CTLCOLOREDIT:
    case kReflectBase + WM_CTLCOLORLISTBOX:
    case kReflectBase + WM_CTLCOLORBTN:
    case kReflectBase + WM_CTLCOLORDLG:
    case kReflectBase + WM_CTLCOLORSCROLLBAR:
    case kReflectBase + WM_CTLCOLORSTATIC:
      return true;
    default:
      return false;
  }
}

bool DefaultReflectionHandler(HWND wnd, UINT msg, WPARAM wparam, LPARAM lparam,
                              LRESULT& result) {
  if (!IsReflectedMessage(msg)) return false;
  result = ::DefWindowProcW(wnd, msg - kReflectBase, wparam, lparam);
  return true;
}

ATOM RegisterClassRecord(ClassRecord& record, WNDPROC start_proc) {
  if (record.atom != 0) return record.atom;
  Module& module = Module::Get();
  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof(wc);
  if (record.std_class != nullptr) {
    if (!GetClassInfoExW(nullptr, record.std_class, &wc) &&
        !GetClassInfoExW(module.instance(), record.std_class, &wc)) {
      return 0;
    }
    record.std_proc = wc.lpfnWndProc;
    std::swprintf(record.name, sizeof(record.name) / sizeof(record.name[0]), L"ATL:%p",
                  static_cast<void*>(&record));
    if (record.public_name != nullptr) {
      std::swprintf(record.name, sizeof(record.name) / sizeof(record.name[0]), L"%ls",
                    record.public_name);
    }
    wc.lpszClassName = record.name;
    wc.style &= ~CS_GLOBALCLASS;
    // A public class is found by name from any module's dialog template.
    if (record.public_name != nullptr) wc.style |= CS_GLOBALCLASS;
  } else {
    wc = record.own_class;
    wc.cbSize = sizeof(wc);
    record.std_proc = ::DefWindowProcW;
  }
  wc.lpfnWndProc = start_proc;
  wc.hInstance = module.instance();
  // One pointer behind the standard class's own extra bytes names the object.
  record.object_offset = wc.cbWndExtra;
  wc.cbWndExtra += static_cast<int>(sizeof(LONG_PTR));
  record.wc = wc;

  WNDCLASSEXW existing = {};
  existing.cbSize = sizeof(existing);
  ATOM atom = static_cast<ATOM>(GetClassInfoExW(module.instance(), wc.lpszClassName, &existing));
  if (atom == 0) {
    atom = RegisterClassExW(&record.wc);
    if (atom != 0) module.AddAtom(atom);
  }
  record.atom = atom;
  return atom;
}

namespace {
std::atomic<long> g_live_objects{0};
}  // namespace

WindowImpl::WindowImpl() { g_live_objects.fetch_add(1, std::memory_order_relaxed); }

WindowImpl::~WindowImpl() { g_live_objects.fetch_sub(1, std::memory_order_relaxed); }

long WindowImpl::LiveObjects() { return g_live_objects.load(std::memory_order_relaxed); }

// Every control made by class name takes input: a tab stop, as the
// wrappers' create calls make it.
DWORD WindowImpl::AdoptStyle(DWORD style) { return style | WS_TABSTOP; }

void WindowImpl::ReportAccessibleChanges() {
  if (Accessible* described = accessible()) described->ReportChanges(m_hWnd, true);
}

void WindowImpl::AfterMessageAccessible(HWND wnd, UINT msg) {
  Accessible* described = accessible();
  if (described == nullptr) return;
  if (msg == WM_NCDESTROY) {
    described->DisconnectAccessible();
    return;
  }
  // A window turned on or off changes its state (Wine's user32 raises
  // nothing for it).
  if (msg == WM_ENABLE) NotifyAccessible(EVENT_OBJECT_STATECHANGE, wnd);
  described->ReportChanges(wnd, msg == WM_SETTEXT);
}

void WindowImpl::WrapperRelease() {
  if (wrappers_.fetch_sub(1, std::memory_order_acq_rel) == 1) OnLastWrapperReleased();
  Release();
}

HWND WindowImpl::CreateBound(ClassRecord& record, WNDPROC start_proc, WNDPROC bound_proc,
                             HWND parent, const RECT* rect, const wchar_t* name, DWORD style,
                             DWORD ex_style, HMENU menu_or_id, void* create_param) {
  if (m_hWnd != nullptr || inert_) return nullptr;  // already bound, or never to be
  ActivationScope activation;
  Module& module = Module::Get();
  {
    ModuleLock guard;
    if (RegisterClassRecord(record, start_proc) == 0) return nullptr;
    super_proc_ = record.std_proc;
    module.PushPending(this);
  }
  bound_proc_ = bound_proc;
  follows_dpi_ = PerMonitorDpi();
  RECT area = {CW_USEDEFAULT, CW_USEDEFAULT, 0, 0};
  if (rect != nullptr) area = *rect;
  // A child without an id reports the object's address as its id.
  if (menu_or_id == nullptr && (style & WS_CHILD) != 0) {
    menu_or_id = reinterpret_cast<HMENU>(this);
  }
  // Sizes in 32-bit wrap-around arithmetic: the default rectangle passes
  // 0 - CW_USEDEFAULT, which is CW_USEDEFAULT again.
  const auto width = static_cast<int>(static_cast<UINT>(area.right) - static_cast<UINT>(area.left));
  const auto height = static_cast<int>(static_cast<UINT>(area.bottom) - static_cast<UINT>(area.top));
  CreationScope creating(this);
  HWND wnd = CreateWindowExW(ex_style, MAKEINTATOM(record.atom), name, style, area.left, area.top,
                             width, height, parent, menu_or_id, module.instance(), create_param);
  if (wnd == nullptr) {
    // Nothing bound: forget the entry so that nothing refers to this object.
    ModuleLock guard;
    module.DropPending(this);
  }
  return wnd;
}

void WindowImpl::Bind(HWND wnd, WNDPROC proc) {
  m_hWnd = wnd;
  state_ = 0;
  bound_proc_ = proc;
  AddRef();  // the window's reference, given back after its final message
}

LRESULT WindowImpl::Start(ClassRecord& record, HWND wnd, UINT msg, WPARAM wparam, LPARAM lparam,
                          WNDPROC bound_proc) noexcept {
  WindowImpl* self = nullptr;
  {
    ModuleLock guard;
    self = static_cast<WindowImpl*>(Module::Get().TakePending());
  }
  if (self == nullptr && record.make != nullptr) {
    // Created by class name: the window makes its own object, held by the
    // window's reference alone until a wrapper asks for it (FromWindow).
    self = record.make();
    self->adopted_ = true;
    self->follows_dpi_ = PerMonitorDpi();
    self->super_proc_ = record.std_proc;
  }
  if (self == nullptr) return ::CallWindowProcW(record.std_proc, wnd, msg, wparam, lparam);
  self->Bind(wnd, bound_proc);
  SetWindowLongPtrW(wnd, record.object_offset, reinterpret_cast<LONG_PTR>(self));
  SetWindowLongPtrW(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(bound_proc));
  if (self->adopted_ && msg == WM_NCCREATE && lparam != 0) {
    // Only once the object is bound: a new style reaches the window as
    // messages of its own (WM_STYLECHANGING, WM_STYLECHANGED), which must
    // find this object rather than make a second one.
    auto* cs = reinterpret_cast<CREATESTRUCTW*>(lparam);
    cs->style = static_cast<LONG>(self->AdoptStyle(static_cast<DWORD>(cs->style)));
    SetWindowLongPtrW(wnd, GWL_STYLE, cs->style);
    // A child without an id gets the object's address, as from a wrapper:
    // owner-draw measuring finds its control by id.
    if ((cs->style & WS_CHILD) != 0 && cs->hMenu == nullptr) {
      cs->hMenu = reinterpret_cast<HMENU>(self);
      SetWindowLongPtrW(wnd, GWLP_ID, reinterpret_cast<LONG_PTR>(self));
    }
  }
  return Bound(record, wnd, msg, wparam, lparam);
}

LRESULT WindowImpl::Bound(ClassRecord& record, HWND wnd, UINT msg, WPARAM wparam,
                          LPARAM lparam) noexcept {
  auto* self = reinterpret_cast<WindowImpl*>(GetWindowLongPtrW(wnd, record.object_offset));
  if (self == nullptr) return ::CallWindowProcW(record.std_proc, wnd, msg, wparam, lparam);
  try {
    return self->Dispatch(msg, wparam, lparam);
  } catch (...) {
    // No exception may unwind through the system's window procedure caller
    // (the message handlers' own are caught inside Dispatch; this is the
    // frame's last line).
    ReportCurrentException();
    return 0;
  }
}

LRESULT CALLBACK WindowImpl::SubclassProc(HWND wnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  WindowImpl* self = SubclassedObject(wnd);
  if (self == nullptr) return ::DefWindowProcW(wnd, msg, wparam, lparam);
  try {
    return self->Dispatch(msg, wparam, lparam);
  } catch (...) {
    ReportCurrentException();
    return 0;
  }
}

bool WindowImpl::SubclassWindow(HWND wnd) {
  if (m_hWnd != nullptr || !IsWindow(wnd) || SubclassedObject(wnd) != nullptr) return false;
  if (!SetPropW(wnd, MAKEINTATOM(ObjectProperty()), this)) return false;
  auto old = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SubclassProc)));
  if (old == nullptr) {
    RemovePropW(wnd, MAKEINTATOM(ObjectProperty()));
    return false;
  }
  super_proc_ = old;
  subclassed_ = true;
  Bind(wnd, &SubclassProc);
  return true;
}

HWND WindowImpl::UnsubclassWindow() {
  if (m_hWnd == nullptr || !subclassed_) return nullptr;
  HWND wnd = m_hWnd;
  if (reinterpret_cast<WNDPROC>(GetWindowLongPtrW(wnd, GWLP_WNDPROC)) != &SubclassProc) {
    return nullptr;
  }
  SetWindowLongPtrW(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(super_proc_));
  RemovePropW(wnd, MAKEINTATOM(ObjectProperty()));
  // super_proc_ stays: a dispatch still running for the window passes its
  // message on to it.
  subclassed_ = false;
  m_hWnd = nullptr;
  Release();
  return wnd;
}

void WindowHook::Install(ScopedRef<WindowHook>& hook, HWND wnd, WindowImpl* owner,
                         DWORD map_id) {
  hook.reset(new WindowHook(owner, map_id));
  if (!hook->SubclassWindow(wnd)) hook.reset();
}

void WindowHook::Detach() {
  owner_ = nullptr;
  if (m_hWnd != nullptr) UnsubclassWindow();
}

bool WindowHook::ProcessWindowMessage(HWND wnd, UINT msg, WPARAM wparam, LPARAM lparam,
                                      LRESULT& result, DWORD) {
  if (owner_ == nullptr) {
    // Detached while another procedure sat on top: leave once on top again.
    const WNDPROC previous = super_proc();
    if (UnsubclassWindow() == nullptr) return false;
    result = ::CallWindowProcW(previous, wnd, msg, wparam, lparam);
    return true;
  }
  ScopedRef<WindowImpl> owner(owner_);
  return owner->ProcessWindowMessage(wnd, msg, wparam, lparam, result, map_id_);
}

void WindowImpl::OnPaletteChanged() {
  ::RedrawWindow(m_hWnd, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

LRESULT WindowImpl::Dispatch(UINT msg, WPARAM wparam, LPARAM lparam) {
  AddRef();  // a handler may drop the last wrapper; the object lives until we return
  HWND wnd = m_hWnd;
  MSG current = {wnd, msg, wparam, lparam, 0, {0, 0}};
  const MSG* outer = current_msg_;
  current_msg_ = &current;
  const bool outer_handled = handled_;

  LRESULT result = 0;
  handled_ = true;
  bool handled = false;
  bool passed_on = false;  // the standard class has had this message
  const auto pass_on = [&] {
    passed_on = true;
    result = ::CallWindowProcW(super_proc_, wnd, msg, wparam, lparam);
  };
  try {
    handled = msg == WM_GETOBJECT && accessible() != nullptr &&
              accessible()->AnswerGetObject(wnd, wparam, lparam, result);
    if (msg == PaletteChangedMessage()) {
      OnPaletteChanged();
      handled = true;
    }
    if (adopted_ && msg == WM_CREATE) {
      // The standard class creates its parts first (a list's header), then
      // the object configures them as the wrapper's create call does.
      CreationScope creating(this);
      handled = ProcessWindowMessage(wnd, msg, wparam, lparam, result, 0);
      if (!handled) pass_on();
      handled = true;
      if (result != -1) AdoptCreated();
    }
    if (msg == DpiChangedMessage() || msg == kWmDpiChangedAfterParent) {
      if (follows_dpi_) {
        OnDpiChanged(msg == kWmDpiChangedAfterParent ? WindowDpiFactor(wnd)
                                                      : DpiFactorOf(static_cast<int>(wparam)));
      }
      handled = msg != kWmDpiChangedAfterParent;
    }
    if (!handled) handled = ProcessWindowMessage(wnd, msg, wparam, lparam, result, 0);
    if (msg == WM_CREATE && CurrentPaletteKind() == PaletteKind::kDark) {
      // A control made while the palette is dark starts dark, once the
      // platform has made its parts.
      if (!handled) pass_on();
      handled = true;
      if (result != -1) OnPaletteChanged();
    }
  } catch (...) {
    // An application callback threw: the application hears of it once, and
    // the message gets the standard class's answer below, as if no handler
    // had taken it (the answer it gave already, when it had the message
    // before the throw: a window is never created twice); the rest of this
    // dispatch runs as on every other path.
    ReportCurrentException();
    handled = passed_on;
    if (!passed_on) result = 0;
  }
  handled_ = outer_handled;
  AfterMessageAccessible(wnd, msg);

  if (msg == WM_NCDESTROY) {
    auto installed = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(wnd, GWLP_WNDPROC));
    if (!handled) result = ::CallWindowProcW(super_proc_, wnd, msg, wparam, lparam);
    // Give the window its own procedure back unless someone hooked it since.
    if (reinterpret_cast<WNDPROC>(GetWindowLongPtrW(wnd, GWLP_WNDPROC)) == installed &&
        installed == bound_proc_ && super_proc_ != ::DefWindowProcW) {
      SetWindowLongPtrW(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(super_proc_));
    }
    state_ |= kDestroyed;
  } else if (!handled) {
    result = ::CallWindowProcW(super_proc_, wnd, msg, wparam, lparam);
  }

  current_msg_ = outer;
  if ((state_ & kDestroyed) != 0 && outer == nullptr && m_hWnd == wnd) {
    state_ = 0;
    if (subclassed_) {
      RemovePropW(wnd, MAKEINTATOM(ObjectProperty()));
      subclassed_ = false;
    }
    m_hWnd = nullptr;
    OnFinalMessage(wnd);
    Release();  // the window's reference
  }
  Release();
  return result;
}

}  // namespace view::frame

#pragma once

#include <atomic>
#include <cwchar>
#include <utility>

#include "view/atl_types.h"
#include "view/classes.h"
#include "view/internal/frame/module.h"

// The signed coordinates packed in a mouse message's lParam (as
// <windowsx.h> reads them; that header is not included because its macros
// clash with member names such as SubclassWindow).
#ifndef GET_X_LPARAM
#define GET_X_LPARAM(lp) (static_cast<int>(static_cast<short>(LOWORD(lp))))
#define GET_Y_LPARAM(lp) (static_cast<int>(static_cast<short>(HIWORD(lp))))
#endif

namespace view::frame {

// Reflected notifications: what the parent sends back to the control that
// caused a notification (message number + 0x2000).
constexpr UINT kReflectBase = 0x2000;
constexpr UINT OCM_NOTIFY_ = kReflectBase + WM_NOTIFY;
constexpr UINT OCM_DRAWITEM_ = kReflectBase + WM_DRAWITEM;
constexpr UINT OCM_MEASUREITEM_ = kReflectBase + WM_MEASUREITEM;
constexpr UINT OCM_COMPAREITEM_ = kReflectBase + WM_COMPAREITEM;
constexpr UINT OCM_DELETEITEM_ = kReflectBase + WM_DELETEITEM;
constexpr UINT OCM_CTLCOLOREDIT_ = kReflectBase + WM_CTLCOLOREDIT;
constexpr UINT OCM_CTLCOLORSTATIC_ = kReflectBase + WM_CTLCOLORSTATIC;

// True for the messages that a parent reflects (WM_COMMAND + 0x2000, ...).
bool IsReflectedMessage(UINT msg);

// The last entry of every control's handler chain: a reflected notification
// that nothing consumed gets the default processing of the original message.
bool DefaultReflectionHandler(HWND wnd, UINT msg, WPARAM wparam, LPARAM lparam,
                              LRESULT& result);

class WindowImpl;
class Accessible;

// Whether `wnd` is a window of this library in this process: of a class the
// library registered, or one the frame subclassed.
bool IsLibraryWindow(HWND wnd);
// Sends `msg` with `wparam` to every window of the library among the
// descendants of `top` (a change the controls below a window must follow).
void SendToLibraryChildren(HWND top, UINT msg, WPARAM wparam);

// The default style of the library's controls: a visible child that clips
// its siblings and children.
constexpr DWORD kDefaultControlStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
// The controls that take input are tab stops by default, as the platform's are.
constexpr DWORD kDefaultInputStyle = kDefaultControlStyle | WS_TABSTOP;

// One per implementation class: how its window class is made and the atom
// once it is registered. A record either superclasses a standard class
// (std_class set) or describes a class of its own (own_class filled in).
struct ClassRecord {
  const wchar_t* std_class = nullptr;
  WNDCLASSEXW own_class = {};
  WNDCLASSEXW wc = {};
  WNDPROC std_proc = ::DefWindowProcW;
  ATOM atom = 0;
  int object_offset = 0;  // where the window's extra bytes hold the object
  wchar_t name[40] = {};
  // A public class: registered under `public_name` for every module of the
  // process (dialog templates name it), and a window created by that name
  // without an object of ours gets a new one from `make`.
  const wchar_t* public_name = nullptr;
  WindowImpl* (*make)() = nullptr;

  explicit ClassRecord(const wchar_t* standard_class) : std_class(standard_class) {}
  // A class of its own: name, style, cursor and background come from `desc`.
  explicit ClassRecord(const WNDCLASSEXW& desc) : own_class(desc) {}
};

// The base of every control implementation: owns the binding of one object to
// one window and dispatches that window's messages to ProcessWindowMessage
// before the standard class's procedure sees them.
//
// The object finds its window's messages without generated code: for a class
// that the frame registers, the object pointer lives in the window's extra
// bytes; for a window it subclasses, in a window property.
//
// Lifetime: counted. Each wrapper holds one reference, a bound window holds
// one until its final message, and a running dispatch holds one, so a handler
// may destroy its window or its last wrapper safely.
class WindowImpl {
 public:
  HWND m_hWnd = nullptr;

  WindowImpl();
  WindowImpl(const WindowImpl&) = delete;
  WindowImpl& operator=(const WindowImpl&) = delete;

  // Returns whether the message was handled; `result` is its answer.
  virtual bool ProcessWindowMessage(HWND wnd, UINT msg, WPARAM wparam, LPARAM lparam,
                                    LRESULT& result, DWORD map_id = 0) = 0;
  virtual ~WindowImpl();
  // How many objects of the frame live in the process (a leak check).
  static long LiveObjects();
  // Called with the old handle after the window's final message.
  virtual void OnFinalMessage(HWND) {}
  // Called when the last wrapper lets go of the object.
  virtual void OnLastWrapperReleased() {}
  // Called when the palette the controls paint with changed (theme, high
  // contrast): the window and its children are repainted; a control that
  // keeps something made from the palette (a brush, a platform colour) adds
  // that first.
  virtual void OnPaletteChanged();
  // A window created by class name (a dialog template's control, a plain
  // CreateWindowExW) with no wrapper behind it: AdoptStyle corrects the
  // style before the standard class sees it (the nearest style the control
  // works with), AdoptCreated does what the wrapper's create call does after
  // the window exists.
  virtual DWORD AdoptStyle(DWORD style);
  virtual void AdoptCreated() {}
  // Called, for a control created in the per-monitor DPI mode, when its
  // window's DPI changed to `factor` (already clamped): the control takes
  // the factor, lays itself out again and repaints.
  virtual void OnDpiChanged(float /*factor*/) {}
  // Whether the control was created in the per-monitor DPI mode and so
  // follows its window's DPI.
  bool follows_dpi() const { return follows_dpi_; }
  // What the control tells assistive technology (accessible.h); null for a
  // window that leaves it all to the platform.
  virtual Accessible* accessible() { return nullptr; }
  // Raises the accessibility events for what a setter changed.
  void ReportAccessibleChanges();

  // The counts are atomic: wrappers of one control may be copied and dropped
  // on several threads at once (calls that touch the window still belong on
  // its thread).
  void AddRef() { refs_.fetch_add(1, std::memory_order_relaxed); }
  void Release() {
    if (refs_.fetch_sub(1, std::memory_order_acq_rel) == 1) delete this;
  }
  void WrapperAcquire() {
    wrappers_.fetch_add(1, std::memory_order_relaxed);
    AddRef();
  }
  void WrapperRelease();

  // The message being dispatched (null outside a dispatch).
  const MSG* GetCurrentMessage() const { return current_msg_; }
  bool IsMsgHandled() const { return handled_; }
  void SetMsgHandled(bool handled) { handled_ = handled; }

  // The standard class's answer to a message.
  LRESULT DefWindowProc(UINT msg, WPARAM wparam, LPARAM lparam) {
    return ::CallWindowProcW(super_proc_, m_hWnd, msg, wparam, lparam);
  }
  LRESULT DefWindowProc() {
    const MSG* m = current_msg_;
    return m ? DefWindowProc(m->message, m->wParam, m->lParam) : 0;
  }
  WNDPROC super_proc() const { return super_proc_; }

  // Binds this object to an existing window by replacing its procedure.
  bool SubclassWindow(HWND wnd);
  // Gives the window its previous procedure back; null when another
  // procedure has been installed on top of ours since.
  HWND UnsubclassWindow();

 protected:
  // Creates a window of the record's class (registered on first use) bound
  // to this object. A null rect means the default rectangle.
  HWND CreateBound(ClassRecord& record, WNDPROC start_proc, WNDPROC bound_proc, HWND parent,
                   const RECT* rect, const wchar_t* name, DWORD style, DWORD ex_style,
                   HMENU menu_or_id, void* create_param);

  template <class T>
  HWND CreateWindowOfClass(HWND parent, const RECT* rect, const wchar_t* name, DWORD style,
                           DWORD ex_style, HMENU menu_or_id, void* create_param);
  // The same with style 0 meaning the default control style.
  template <class T>
  HWND CreateControl(HWND parent, const RECT* rect, const wchar_t* name, DWORD style,
                     DWORD ex_style, HMENU id, void* create_param) {
    return CreateWindowOfClass<T>(parent, rect, name, style != 0 ? style : kDefaultInputStyle,
                                  ex_style, id, create_param);
  }

 public:
  // Window procedures; public so that the templates below can name them.
  static LRESULT Start(ClassRecord& record, HWND wnd, UINT msg, WPARAM wparam, LPARAM lparam,
                       WNDPROC bound_proc) noexcept;
  // An object that never binds: what FromWindow gives for a window of
  // another kind, so that every call on that wrapper does nothing.
  void MakeInert() { inert_ = true; }
  bool inert() const { return inert_; }
  static LRESULT Bound(ClassRecord& record, HWND wnd, UINT msg, WPARAM wparam,
                       LPARAM lparam) noexcept;
  static LRESULT CALLBACK SubclassProc(HWND wnd, UINT msg, WPARAM wparam, LPARAM lparam);

 private:
  LRESULT Dispatch(UINT msg, WPARAM wparam, LPARAM lparam);
  void Bind(HWND wnd, WNDPROC proc);
  // Disconnects the accessible object when the window goes; otherwise
  // raises the events for what the message changed.
  void AfterMessageAccessible(HWND wnd, UINT msg);

  static constexpr DWORD kDestroyed = 1;

  const MSG* current_msg_ = nullptr;
  DWORD state_ = 0;
  WNDPROC super_proc_ = ::DefWindowProcW;
  WNDPROC bound_proc_ = nullptr;
  bool handled_ = true;
  bool subclassed_ = false;
  bool adopted_ = false;  // made for a window created by class name
  bool inert_ = false;
  bool follows_dpi_ = false;
  std::atomic<long> refs_{0};
  std::atomic<long> wrappers_{0};
};

// A counted reference to a frame object: the object lives while it is held.
template <class T>
class ScopedRef {
 public:
  explicit ScopedRef(T* object = nullptr) : object_(object) {
    if (object_ != nullptr) object_->AddRef();
  }
  ~ScopedRef() { reset(); }
  ScopedRef(const ScopedRef&) = delete;
  ScopedRef& operator=(const ScopedRef&) = delete;
  T* get() const { return object_; }
  T* operator->() const { return object_; }
  explicit operator bool() const { return object_ != nullptr; }
  void reset(T* object = nullptr) {
    if (object != nullptr) object->AddRef();
    T* old = std::exchange(object_, object);
    if (old != nullptr) old->Release();
  }

 private:
  T* object_;
};

// A window that another frame object serves without owning it (the drop-down
// list of a combo box, the parent a shadow follows), bound through the
// frame's subclassing. Each message goes first to the owner's
// ProcessWindowMessage with the hook's map id (the owner answers through
// the hook's DefWindowProc), then, unless handled, to the window's previous
// procedure. The owner is held for the length of each message.
//
// Detach() lets go of the owner: the window gets its previous procedure back
// at once, or, when another procedure has been installed on top of the hook
// since, the hook passes messages on until it is on top again and then takes
// itself out.
class WindowHook : public WindowImpl {
 public:
  WindowHook(WindowImpl* owner, DWORD map_id) : owner_(owner), map_id_(map_id) {}

  // A new hook on `wnd` for `owner`, held by the returned reference; empty
  // when `wnd` is not a window or is already bound by the frame.
  static void Install(ScopedRef<WindowHook>& hook, HWND wnd, WindowImpl* owner, DWORD map_id);
  void Detach();
  // What the owner tells assistive technology about the hooked window.
  void SetAccessible(Accessible* accessible) { accessible_ = accessible; }
  Accessible* accessible() override { return owner_ != nullptr ? accessible_ : nullptr; }

  bool ProcessWindowMessage(HWND wnd, UINT msg, WPARAM wparam, LPARAM lparam, LRESULT& result,
                            DWORD map_id = 0) override;

 private:
  WindowImpl* owner_;
  DWORD map_id_;
  Accessible* accessible_ = nullptr;
};

// The record of implementation class T, which superclasses the standard
// class `name`: `static ClassRecord& GetClassRecord()` returns this.
template <class T>
ClassRecord& SuperclassRecord(const wchar_t* name) {
  static ClassRecord record(name);
  return record;
}

// The record of T as a public class named `name` over the standard class
// `standard`; a window created by that name gets a new T.
template <class T>
ClassRecord& PublicSuperclassRecord(const wchar_t* standard, const wchar_t* name) {
  static ClassRecord record = [&] {
    ClassRecord made(standard);
    made.public_name = name;
    made.make = []() -> WindowImpl* { return new T(); };
    return made;
  }();
  return record;
}

// An implementation that superclasses the standard class T::kStandardClass
// and is created with the usual arguments (style 0: the default style).
template <class T>
class StandardControl : public WindowImpl {
 public:
  static ClassRecord& GetClassRecord() {
    return PublicSuperclassRecord<T>(T::kStandardClass, T::kPublicClass);
  }
  HWND Create(HWND parent, const RECT* rect, const wchar_t* name, DWORD style, DWORD ex_style,
              HMENU id, void* create_param) {
    return CreateControl<T>(parent, rect, name, style, ex_style, id, create_param);
  }
};

// Registers the record's class if it is not yet registered; returns the atom
// or 0. Used under the module lock by creation.
ATOM RegisterClassRecord(ClassRecord& record, WNDPROC start_proc);

// The procedures of one implementation class T, which names its record with
// `static ClassRecord& GetClassRecord()`.
template <class T>
struct ClassProcs {
  static LRESULT CALLBACK Start(HWND wnd, UINT msg, WPARAM wparam, LPARAM lparam) {
    return WindowImpl::Start(T::GetClassRecord(), wnd, msg, wparam, lparam, &Bound);
  }
  static LRESULT CALLBACK Bound(HWND wnd, UINT msg, WPARAM wparam, LPARAM lparam) {
    return WindowImpl::Bound(T::GetClassRecord(), wnd, msg, wparam, lparam);
  }
};

template <class T>
HWND WindowImpl::CreateWindowOfClass(HWND parent, const RECT* rect, const wchar_t* name,
                                     DWORD style, DWORD ex_style, HMENU menu_or_id,
                                     void* create_param) {
  return CreateBound(T::GetClassRecord(), &ClassProcs<T>::Start, &ClassProcs<T>::Bound, parent,
                     rect, name, style, ex_style, menu_or_id, create_param);
}

// The object of class T bound to `wnd`, or null when `wnd` is not a live
// window of T's class in this process. Lets code that only holds a window
// handle (an exported wrapper's `operator HWND`, a test) reach the object.
template <class T>
T* BoundObject(HWND wnd) {
  const ClassRecord& record = T::GetClassRecord();
  if (wnd == nullptr || record.atom == 0 || !::IsWindow(wnd)) return nullptr;
  DWORD process = 0;
  ::GetWindowThreadProcessId(wnd, &process);
  if (process != ::GetCurrentProcessId()) return nullptr;
  if (static_cast<ATOM>(::GetClassLongPtrW(wnd, GCW_ATOM)) != record.atom) return nullptr;
  return static_cast<T*>(
      reinterpret_cast<WindowImpl*>(::GetWindowLongPtrW(wnd, record.object_offset)));
}

// Wrapper helpers: a wrapper holds one counted reference to its implementation.
template <class T>
T* NewImpl() {
  T* impl = new T();
  impl->WrapperAcquire();
  return impl;
}
inline void ReleaseImpl(WindowImpl* impl) {
  if (impl != nullptr) impl->WrapperRelease();
}
template <class T>
void AssignImpl(T*& target, T* source) {
  if (source != nullptr) source->WrapperAcquire();
  ReleaseImpl(target);
  target = source;
}
template <class T>
T* ShareImpl(T* source) {
  if (source != nullptr) source->WrapperAcquire();
  return source;
}

}  // namespace view::frame

// The definitions of the members VIEW_WRAPPER_MEMBERS declares, for a
// wrapper whose `impl_` points to an Impl.
#define VIEW_WRAPPER_DEFINITIONS(Wrapper, Impl)                                          \
  Wrapper::Wrapper() : impl_(view::frame::NewImpl<Impl>()) {}                            \
  Wrapper::~Wrapper() { view::frame::ReleaseImpl(impl_); }                               \
  Wrapper::Wrapper(const Wrapper& other) : impl_(view::frame::ShareImpl(other.impl_)) {} \
  Wrapper& Wrapper::operator=(const Wrapper& other) {                                   \
    view::frame::AssignImpl(impl_, other.impl_);                                         \
    return *this;                                                                        \
  }                                                                                      \
  Wrapper::operator HWND() const { return impl_->m_hWnd; }                              \
  Wrapper Wrapper::FromWindow(HWND window) {                                             \
    Wrapper wrapper;                                                                     \
    if (Impl* found = view::frame::BoundObject<Impl>(window)) {                          \
      view::frame::AssignImpl(wrapper.impl_, found);                                     \
    } else {                                                                             \
      wrapper.impl_->MakeInert();                                                        \
    }                                                                                    \
    return wrapper;                                                                      \
  }

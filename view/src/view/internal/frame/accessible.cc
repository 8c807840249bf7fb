#include "view/internal/frame/accessible.h"

#include <cwchar>

#include "view/internal/frame/exceptions.h"

namespace view::frame {
namespace {

// The child a VARIANT names: CHILDID_SELF for an empty one, -1 for one that
// is not a number.
long ChildOf(const VARIANT& child) {
  if (child.vt == VT_EMPTY) return CHILDID_SELF;
  if (child.vt == VT_I4) return child.lVal;
  return -1;
}

HRESULT ReturnString(const std::wstring& text, BSTR* out) {
  *out = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

}  // namespace

// The object handed to clients for one window: the platform's standard
// object underneath, the control's description on top. Clients in other
// apartments reach it through COM's proxies, so every call runs on the
// window's thread. Disconnect() leaves a shell that fails every call.
class AccessibleObject final : public IAccessible, public IOleWindow {
 public:
  AccessibleObject(Accessible* source, HWND wnd, IAccessible* standard)
      : source_(source), wnd_(wnd), standard_(standard) {}

  void Disconnect() {
    source_ = nullptr;
    if (standard_ != nullptr) standard_->Release();
    standard_ = nullptr;
    ::CoDisconnectObject(static_cast<IAccessible*>(this), 0);
  }

  // IUnknown
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == IID_IAccessible) {
      *out = static_cast<IAccessible*>(this);
    } else if (iid == IID_IOleWindow) {
      *out = static_cast<IOleWindow*>(this);
    } else {
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override {
    return static_cast<ULONG>(::InterlockedIncrement(&refs_));
  }
  STDMETHODIMP_(ULONG) Release() override {
    const LONG left = ::InterlockedDecrement(&refs_);
    if (left == 0) {
      if (standard_ != nullptr) standard_->Release();
      delete this;
    }
    return static_cast<ULONG>(left);
  }

  // IOleWindow
  STDMETHODIMP GetWindow(HWND* wnd) override {
    if (wnd == nullptr) return E_POINTER;
    *wnd = source_ != nullptr ? wnd_ : nullptr;
    return source_ != nullptr ? S_OK : RPC_E_DISCONNECTED;
  }
  STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

  // IDispatch: the standard object's.
  STDMETHODIMP GetTypeInfoCount(UINT* count) override {
    return standard_ != nullptr ? standard_->GetTypeInfoCount(count) : RPC_E_DISCONNECTED;
  }
  STDMETHODIMP GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override {
    return standard_ != nullptr ? standard_->GetTypeInfo(index, lcid, info) : RPC_E_DISCONNECTED;
  }
  STDMETHODIMP GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID lcid,
                             DISPID* ids) override {
    return standard_ != nullptr ? standard_->GetIDsOfNames(iid, names, count, lcid, ids)
                                : RPC_E_DISCONNECTED;
  }
  STDMETHODIMP Invoke(DISPID id, REFIID iid, LCID lcid, WORD flags, DISPPARAMS* params,
                      VARIANT* result, EXCEPINFO* info, UINT* arg_error) override {
    return standard_ != nullptr
               ? standard_->Invoke(id, iid, lcid, flags, params, result, info, arg_error)
               : RPC_E_DISCONNECTED;
  }

  // IAccessible
  STDMETHODIMP get_accParent(IDispatch** parent) override {
    return standard_ != nullptr ? standard_->get_accParent(parent) : RPC_E_DISCONNECTED;
  }
  STDMETHODIMP get_accChildCount(long* count) override {
    if (source_ == nullptr) return RPC_E_DISCONNECTED;
    if (count == nullptr) return E_POINTER;
    const long own = source_->AccessibleChildCount();
    if (own > 0) {
      *count = own;
      return S_OK;
    }
    return standard_->get_accChildCount(count);
  }
  STDMETHODIMP get_accChild(VARIANT child, IDispatch** out) override {
    if (source_ == nullptr) return RPC_E_DISCONNECTED;
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    switch (Classify(child)) {
      case kOwnChild:
        return S_FALSE;  // a simple element, no object of its own
      case kPlatform:
        return standard_->get_accChild(child, out);
      default:
        return E_INVALIDARG;
    }
  }
  STDMETHODIMP get_accName(VARIANT child, BSTR* name) override {
    Kind kind = kInvalid;
    if (const HRESULT refused = Begin(child, name, kind); refused != S_OK) return refused;
    AccessibleInfo info;
    if (kind == kPlatform || !Describe(child, info) || !info.has_name) {
      return kind == kOwnChild ? S_FALSE : standard_->get_accName(child, name);
    }
    if (info.name_if_none) {
      const HRESULT hr = standard_->get_accName(child, name);
      if (SUCCEEDED(hr) && *name != nullptr && ::SysStringLen(*name) > 0) return hr;
      ::SysFreeString(*name);
      *name = nullptr;
      if (info.name.empty()) return S_FALSE;
    }
    return ReturnString(info.name, name);
  }
  STDMETHODIMP get_accValue(VARIANT child, BSTR* value) override {
    Kind kind = kInvalid;
    if (const HRESULT refused = Begin(child, value, kind); refused != S_OK) return refused;
    std::wstring text;
    if (kind != kPlatform && source_->AccessibleValue(ChildOf(child), text)) {
      return ReturnString(text, value);
    }
    return kind == kOwnChild ? S_FALSE : standard_->get_accValue(child, value);
  }
  STDMETHODIMP get_accDescription(VARIANT child, BSTR* text) override {
    return Simple(child, text, &IAccessible::get_accDescription);
  }
  STDMETHODIMP get_accRole(VARIANT child, VARIANT* role) override {
    Kind kind = kInvalid;
    if (const HRESULT refused = Begin(child, role, kind); refused != S_OK) return refused;
    AccessibleInfo info;
    info.want_name = false;
    if (kind == kPlatform || !Describe(child, info) || info.role == 0) {
      return standard_->get_accRole(child, role);
    }
    role->vt = VT_I4;
    role->lVal = info.role;
    return S_OK;
  }
  STDMETHODIMP get_accState(VARIANT child, VARIANT* state) override {
    Kind kind = kInvalid;
    if (const HRESULT refused = Begin(child, state, kind); refused != S_OK) return refused;
    if (kind == kPlatform) return standard_->get_accState(child, state);
    AccessibleInfo info;
    info.want_name = false;
    if (!Describe(child, info)) return E_INVALIDARG;
    LONG bits = info.state;
    if (kind == kSelf) {
      VARIANT platform;
      ::VariantInit(&platform);
      if (SUCCEEDED(standard_->get_accState(child, &platform)) && platform.vt == VT_I4) {
        bits |= platform.lVal;
      }
      ::VariantClear(&platform);
    }
    state->vt = VT_I4;
    state->lVal = bits;
    return S_OK;
  }
  STDMETHODIMP get_accHelp(VARIANT child, BSTR* text) override {
    return Simple(child, text, &IAccessible::get_accHelp);
  }
  STDMETHODIMP get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
    if (source_ == nullptr) return RPC_E_DISCONNECTED;
    return standard_->get_accHelpTopic(file, child, topic);
  }
  STDMETHODIMP get_accKeyboardShortcut(VARIANT child, BSTR* text) override {
    return Simple(child, text, &IAccessible::get_accKeyboardShortcut);
  }
  STDMETHODIMP get_accFocus(VARIANT* focus) override {
    return standard_ != nullptr ? standard_->get_accFocus(focus) : RPC_E_DISCONNECTED;
  }
  STDMETHODIMP get_accSelection(VARIANT* selection) override {
    return standard_ != nullptr ? standard_->get_accSelection(selection) : RPC_E_DISCONNECTED;
  }
  STDMETHODIMP get_accDefaultAction(VARIANT child, BSTR* action) override {
    Kind kind = kInvalid;
    if (const HRESULT refused = Begin(child, action, kind); refused != S_OK) return refused;
    AccessibleInfo info;
    info.want_name = false;
    if (kind == kPlatform || !Describe(child, info) || info.action == nullptr) {
      return kind == kOwnChild ? S_FALSE : standard_->get_accDefaultAction(child, action);
    }
    return ReturnString(info.action, action);
  }
  STDMETHODIMP accSelect(long flags, VARIANT child) override {
    if (source_ == nullptr) return RPC_E_DISCONNECTED;
    const Kind kind = Classify(child);
    if (kind == kInvalid) return E_INVALIDARG;
    return kind == kOwnChild ? DISP_E_MEMBERNOTFOUND : standard_->accSelect(flags, child);
  }
  STDMETHODIMP accLocation(long* left, long* top, long* width, long* height,
                           VARIANT child) override {
    if (source_ == nullptr) return RPC_E_DISCONNECTED;
    const Kind kind = Classify(child);
    if (kind == kInvalid) return E_INVALIDARG;
    if (kind != kOwnChild) return standard_->accLocation(left, top, width, height, child);
    if (left == nullptr || top == nullptr || width == nullptr || height == nullptr) {
      return E_POINTER;
    }
    RECT rect = {};
    if (!source_->AccessibleChildRect(child.lVal, rect)) return DISP_E_MEMBERNOTFOUND;
    *left = rect.left;
    *top = rect.top;
    *width = rect.right - rect.left;
    *height = rect.bottom - rect.top;
    return S_OK;
  }
  STDMETHODIMP accNavigate(long direction, VARIANT start, VARIANT* end) override {
    if (source_ == nullptr) return RPC_E_DISCONNECTED;
    const Kind kind = Classify(start);
    if (kind == kInvalid) return E_INVALIDARG;
    return kind == kOwnChild ? DISP_E_MEMBERNOTFOUND
                             : standard_->accNavigate(direction, start, end);
  }
  STDMETHODIMP accHitTest(long x, long y, VARIANT* child) override {
    return standard_ != nullptr ? standard_->accHitTest(x, y, child) : RPC_E_DISCONNECTED;
  }
  STDMETHODIMP accDoDefaultAction(VARIANT child) override {
    if (source_ == nullptr) return RPC_E_DISCONNECTED;
    const Kind kind = Classify(child);
    if (kind == kInvalid) return E_INVALIDARG;
    if (kind != kPlatform) {
      // The action may destroy the window and with it this object's source:
      // keep the object alive and report success either way.
      AddRef();
      bool done = true;
      try {
        done = source_->DoAccessibleDefaultAction(ChildOf(child));
      } catch (...) {
        // No exception crosses into the client's COM call.
        ReportCurrentException();
      }
      const bool standard = !done && kind == kSelf && standard_ != nullptr;
      HRESULT hr = done ? S_OK : DISP_E_MEMBERNOTFOUND;
      if (standard) hr = standard_->accDoDefaultAction(child);
      Release();
      return hr;
    }
    return standard_->accDoDefaultAction(child);
  }
  STDMETHODIMP put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
  STDMETHODIMP put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

 private:
  // Whom a child id belongs to: the control itself, one of the simple
  // elements it adds, the platform (a child window, when the control adds
  // none), or nobody.
  enum Kind { kSelf, kOwnChild, kPlatform, kInvalid };
  Kind Classify(const VARIANT& child) const {
    const long id = ChildOf(child);
    if (id == CHILDID_SELF) return kSelf;
    if (id < 0) return kInvalid;
    const long own = source_->AccessibleChildCount();
    if (own == 0) return kPlatform;
    return id <= own ? kOwnChild : kInvalid;
  }
  bool Describe(const VARIANT& child, AccessibleInfo& info) {
    return source_->DescribeAccessible(ChildOf(child), info);
  }
  // The checks every property of a child starts with: a live object, a
  // place for the answer (emptied), and a child that exists. S_OK to go on,
  // with the child's kind; else the answer to give.
  static void Empty(BSTR* out) { *out = nullptr; }
  static void Empty(VARIANT* out) { ::VariantInit(out); }
  template <class Out>
  HRESULT Begin(const VARIANT& child, Out* out, Kind& kind) {
    if (source_ == nullptr) return RPC_E_DISCONNECTED;
    if (out == nullptr) return E_POINTER;
    Empty(out);
    kind = Classify(child);
    return kind == kInvalid ? E_INVALIDARG : S_OK;
  }
  // Texts the control leaves to the platform; its own children have none.
  HRESULT Simple(VARIANT child, BSTR* text,
                 HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, BSTR*)) {
    Kind kind = kInvalid;
    if (const HRESULT refused = Begin(child, text, kind); refused != S_OK) return refused;
    return kind == kOwnChild ? S_FALSE : (standard_->*get)(child, text);
  }

  LONG refs_ = 1;
  Accessible* source_;
  HWND wnd_;
  IAccessible* standard_;
};

Accessible::~Accessible() { DisconnectAccessible(); }

bool Accessible::AnswerGetObject(HWND wnd, WPARAM wparam, LPARAM lparam, LRESULT& result) {
  if (static_cast<LONG>(lparam) != OBJID_CLIENT) return false;
  // Calls must arrive on the window's thread: serve clients only from a
  // single-threaded apartment, where COM brings every call here.
  APTTYPE type = APTTYPE_CURRENT;
  APTTYPEQUALIFIER qualifier = APTTYPEQUALIFIER_NONE;
  if (FAILED(::CoGetApartmentType(&type, &qualifier)) ||
      (type != APTTYPE_STA && type != APTTYPE_MAINSTA)) {
    return false;
  }
  if (object_ == nullptr) {
    IAccessible* standard = nullptr;
    if (FAILED(::CreateStdAccessibleObject(wnd, OBJID_CLIENT, IID_IAccessible,
                                           reinterpret_cast<void**>(&standard))) ||
        standard == nullptr) {
      return false;
    }
    object_ = new AccessibleObject(this, wnd, standard);
  }
  const LRESULT answer =
      ::LresultFromObject(IID_IAccessible, wparam, static_cast<IAccessible*>(object_));
  if (FAILED(static_cast<HRESULT>(answer))) return false;
  result = answer;
  return true;
}

void Accessible::DisconnectAccessible() {
  reported_ = false;
  if (object_ == nullptr) return;
  AccessibleObject* object = object_;
  object_ = nullptr;
  object->Disconnect();
  object->Release();
}

void Accessible::ReportChanges(HWND wnd, bool names) {
  if (wnd == nullptr) return;
  AccessibleInfo info;
  info.want_name = names || !reported_;
  if (!DescribeAccessible(CHILDID_SELF, info)) return;
  if (!reported_) {
    // The first look only takes note of where things stand.
    reported_ = true;
    reported_state_ = info.state;
    reported_name_ = info.name;
    return;
  }
  const LONG before = reported_state_;
  if (info.state != before) {
    reported_state_ = info.state;
    NotifyAccessible(EVENT_OBJECT_STATECHANGE, wnd);
    constexpr LONG kChosen = STATE_SYSTEM_CHECKED | STATE_SYSTEM_SELECTED;
    if (info.latching && (info.state & kChosen) != 0 && (before & kChosen) == 0) {
      NotifyAccessible(EVENT_OBJECT_SELECTION, wnd);
    }
  }
  if (names && info.has_name && info.name != reported_name_) {
    reported_name_ = info.name;
    NotifyAccessible(EVENT_OBJECT_NAMECHANGE, wnd);
  }
}

void NotifyAccessible(DWORD event, HWND wnd, LONG child) {
  if (wnd != nullptr) ::NotifyWinEvent(event, wnd, OBJID_CLIENT, child);
}

std::wstring TooltipText(HWND tooltip, HWND control) {
  if (tooltip == nullptr || control == nullptr) return std::wstring();
  std::wstring text(1024, L'\0');
  TTTOOLINFOW info = {};
  info.cbSize = sizeof(info);
  info.hwnd = ::GetParent(control);
  info.uId = reinterpret_cast<UINT_PTR>(control);
  info.lpszText = &text[0];
  ::SendMessageW(tooltip, TTM_GETTEXTW, text.size(), reinterpret_cast<LPARAM>(&info));
  text.resize(::wcsnlen(text.c_str(), text.size()));
  return text;
}

RECT ClientToScreenRect(HWND wnd, RECT rect) {
  ::MapWindowPoints(wnd, nullptr, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

bool PressButton(HWND wnd) {
  if (wnd == nullptr || !::IsWindowEnabled(wnd)) return false;
  ::SendMessageW(wnd, BM_CLICK, 0, 0);
  return true;
}

}  // namespace view::frame

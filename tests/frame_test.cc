// The window frame every control sits on: class registration, binding,
// dispatch, reflection defaults, lifetime, DPI, resize, tooltips, the shared
// hover/press handling and the painting buffers.

#include <gtest/gtest.h>

#include <cwchar>
#include <functional>
#include <string>
#include <vector>

#include "harness.h"
#include "view/internal/frame/dpi.h"
#include "view/internal/frame/hover_press.h"
#include "view/internal/frame/owner_draw.h"
#include "view/internal/frame/paint_buffers.h"
#include "view/internal/frame/window_impl.h"
#include "view/internal/frame/window_ops.h"
#include "view/reflect.h"

using namespace view::frame;
using viewtest::HostWindow;

namespace {

int g_destroyed_impls = 0;

// A minimal control over the standard button: records what it sees and lets
// a test answer messages. Owner-drawn requests go to `draw`.
class TestButton : public WindowImpl, public OwnerDraw<TestButton> {
 public:
  static ClassRecord& GetClassRecord() {
    static ClassRecord record(L"BUTTON");
    return record;
  }
  ~TestButton() override { ++g_destroyed_impls; }

  HWND Create(HWND parent, RECT* rect, DWORD style, HMENU id = nullptr) {
    return CreateWindowOfClass<TestButton>(parent, rect, L"BUTTON",
                                           style != 0 ? style : kDefaultControlStyle, 0, id,
                                           nullptr);
  }

  bool ProcessWindowMessage(HWND wnd, UINT msg, WPARAM wparam, LPARAM lparam, LRESULT& result,
                            DWORD) override {
    seen.push_back(msg);
    if (handler && handler(msg, wparam, lparam, result)) return true;
    if (track && HandleHoverPress(wnd, nullptr, state, msg, wparam, lparam, result)) return true;
    if (ProcessOwnerDraw(msg, wparam, lparam, result)) return true;
    return DefaultReflectionHandler(wnd, msg, wparam, lparam, result);
  }
  void OnFinalMessage(HWND wnd) override { final_handles.push_back(wnd); }

  void DrawItem(LPDRAWITEMSTRUCT dis) {
    ++draws;
    HBRUSH brush = CreateSolidBrush(RGB(200, 0, 0));
    FillRect(dis->hDC, &dis->rcItem, brush);
    DeleteObject(brush);
  }

  bool Seen(UINT msg) const { return std::find(seen.begin(), seen.end(), msg) != seen.end(); }

  std::vector<UINT> seen;
  std::vector<HWND> final_handles;
  std::function<bool(UINT, WPARAM, LPARAM, LRESULT&)> handler;
  bool track = false;
  HoverPressState state;
  int draws = 0;
};

// A second class of control, over the standard edit box.
class TestEdit : public WindowImpl {
 public:
  static ClassRecord& GetClassRecord() {
    static ClassRecord record(L"EDIT");
    return record;
  }
  HWND Create(HWND parent) {
    RECT rect = {0, 0, 100, 24};
    return CreateWindowOfClass<TestEdit>(parent, &rect, L"", kDefaultControlStyle, 0, nullptr,
                                         nullptr);
  }
  bool ProcessWindowMessage(HWND wnd, UINT msg, WPARAM wparam, LPARAM lparam, LRESULT& result,
                            DWORD) override {
    return DefaultReflectionHandler(wnd, msg, wparam, lparam, result);
  }
};

std::wstring ClassNameOf(HWND wnd) {
  wchar_t name[64] = {};
  GetClassNameW(wnd, name, 64);
  return name;
}

// A wrapper holds one counted reference, as the exported wrappers do.
struct Wrapper {
  TestButton* impl = NewImpl<TestButton>();
  Wrapper() = default;
  Wrapper(const Wrapper& other) : impl(ShareImpl(other.impl)) {}
  Wrapper& operator=(const Wrapper& other) {
    AssignImpl(impl, other.impl);
    return *this;
  }
  ~Wrapper() { ReleaseImpl(impl); }
};

}  // namespace

TEST(Frame, CreateBindDestroyAndCreateAgain) {
  HostWindow host;
  Wrapper control;
  TestButton& button = *control.impl;
  EXPECT_EQ(button.m_hWnd, nullptr);

  HWND wnd = button.Create(host, nullptr, 0);
  ASSERT_NE(wnd, nullptr);
  EXPECT_EQ(button.m_hWnd, wnd);
  EXPECT_TRUE(button.Seen(WM_NCCREATE));  // the object sees the window's first messages
  EXPECT_TRUE(button.Seen(WM_CREATE));

  // Default style, the private class, the library's module as instance.
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrW(wnd, GWL_STYLE)), 0x56000000u);
  wchar_t expected_class[40];
  std::swprintf(expected_class, 40, L"ATL:%p", static_cast<void*>(&TestButton::GetClassRecord()));
  EXPECT_EQ(ClassNameOf(wnd), expected_class);
  EXPECT_EQ(reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(wnd, GWLP_HINSTANCE)),
            Module::Get().instance());

  // Without an id a child reports the object's address (its low 32 bits in
  // a WM_COMMAND) as its id.
  const auto address = reinterpret_cast<UINT_PTR>(&button);
  EXPECT_EQ(static_cast<UINT_PTR>(GetWindowLongPtrW(wnd, GWLP_ID)), address);
  host.ClearSeen();
  SendMessageW(host, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(wnd), BN_CLICKED),
               reinterpret_cast<LPARAM>(wnd));
  ASSERT_EQ(host.seen().size(), 1u);
  EXPECT_EQ(LOWORD(host.seen()[0].wparam), address & 0xFFFF);

  // The default rectangle gives a child no size.
  RECT rect;
  GetClientRect(wnd, &rect);
  EXPECT_TRUE(rect.right == 0 && rect.bottom == 0);

  DestroyWindow(wnd);
  EXPECT_EQ(button.m_hWnd, nullptr);
  ASSERT_EQ(button.final_handles.size(), 1u);
  EXPECT_EQ(button.final_handles[0], wnd);
  EXPECT_FALSE(IsWindow(wnd));

  // The same object binds a new window.
  RECT area = {10, 20, 110, 50};
  HWND again = button.Create(host, &area, 0, reinterpret_cast<HMENU>(77));
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(button.m_hWnd, again);
  EXPECT_EQ(GetDlgCtrlID(again), 77);
  GetWindowRect(again, &rect);
  MapWindowPoints(nullptr, host, reinterpret_cast<POINT*>(&rect), 2);
  EXPECT_TRUE(rect.left == 10 && rect.top == 20 && rect.right == 110 && rect.bottom == 50);
  DestroyWindow(again);
  EXPECT_EQ(button.final_handles.size(), 2u);
}

TEST(Frame, OneClassPerImplementationAndBoundObjectsOfTheirOwnClassOnly) {
  HostWindow host;
  Wrapper control, second;
  TestEdit edit;
  edit.AddRef();  // lives on the stack: keep the count from deleting it
  HWND wnd = control.impl->Create(host, nullptr, 0);
  ASSERT_NE(wnd, nullptr);
  const size_t atoms = Module::Get().atom_count();
  ASSERT_NE(second.impl->Create(host, nullptr, 0), nullptr);
  EXPECT_EQ(Module::Get().atom_count(), atoms);  // nothing registered for the second
  EXPECT_EQ(ClassNameOf(wnd), ClassNameOf(second.impl->m_hWnd));
  ASSERT_NE(edit.Create(host), nullptr);
  EXPECT_NE(ClassNameOf(edit.m_hWnd), ClassNameOf(wnd));
  DestroyWindow(second.impl->m_hWnd);

  EXPECT_EQ(BoundObject<TestButton>(wnd), control.impl);
  EXPECT_EQ(BoundObject<TestEdit>(edit.m_hWnd), &edit);
  EXPECT_EQ(BoundObject<TestButton>(edit.m_hWnd), nullptr);  // another class
  EXPECT_EQ(BoundObject<TestButton>(host), nullptr);         // not the frame's
  EXPECT_EQ(BoundObject<TestButton>(nullptr), nullptr);
  DestroyWindow(wnd);
  EXPECT_EQ(BoundObject<TestButton>(wnd), nullptr);  // gone
  DestroyWindow(edit.m_hWnd);
}

TEST(Frame, DispatchOrderAndReflectionDefaults) {
  HostWindow host;
  Wrapper control;
  TestButton& button = *control.impl;
  RECT rect = {0, 0, 80, 24};
  HWND wnd = button.Create(host, &rect, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON);
  ASSERT_NE(wnd, nullptr);

  // The test executable carries no application manifest, so its own buttons
  // are version 5; the library's are version 6 from its own activation context.
  SIZE ideal = {0, 0};
  EXPECT_TRUE(SendMessageW(wnd, BCM_GETIDEALSIZE, 0, reinterpret_cast<LPARAM>(&ideal)));
  EXPECT_GT(ideal.cx, 0);

  // Unhandled messages reach the standard button after the object saw them.
  button.seen.clear();
  SendMessageW(wnd, BM_SETSTATE, TRUE, 0);
  EXPECT_TRUE(button.Seen(BM_SETSTATE));
  EXPECT_TRUE(SendMessageW(wnd, BM_GETSTATE, 0, 0) & BST_PUSHED);

  // A handled message never reaches the standard class.
  button.handler = [](UINT msg, WPARAM, LPARAM, LRESULT& result) {
    if (msg != BM_GETSTATE) return false;
    result = 0x1234;
    return true;
  };
  EXPECT_EQ(SendMessageW(wnd, BM_GETSTATE, 0, 0), 0x1234);
  button.handler = nullptr;

  // A reflected notification nobody consumed gets DefWindowProc of the
  // original message: for a colour request that is the system's brush.
  HDC dc = GetDC(wnd);
  const LRESULT direct =
      DefWindowProcW(wnd, WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(wnd));
  const LRESULT reflected =
      SendMessageW(wnd, 0x2135, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(wnd));
  EXPECT_NE(direct, 0);
  EXPECT_EQ(reflected, direct);
  ReleaseDC(wnd, dc);

  const UINT table[] = {0x2111, 0x2114, 0x204E, 0x2115, 0x2210, 0x2132, 0x202B, 0x2133, 0x202C,
                        0x2134, 0x202D, 0x2135, 0x202E, 0x2136, 0x202F, 0x2137, 0x2039, 0x2138};
  for (UINT msg : table) EXPECT_TRUE(IsReflectedMessage(msg)) << std::hex << msg;
  for (UINT msg : {view::kReflectOffset + WM_PAINT, view::kReflectOffset + WM_SETTEXT, view::kReflectOffset, 0x2139u, 0x2131u, 0x0111u}) {
    EXPECT_FALSE(IsReflectedMessage(msg)) << std::hex << msg;
  }
  // A message outside the table is left to the standard class (which does
  // not know it either).
  LRESULT result = 99;
  EXPECT_FALSE(DefaultReflectionHandler(wnd, view::kReflectOffset + WM_PAINT, 0, 0, result));
  EXPECT_EQ(result, 99);

  // Reflected measure, compare and delete requests get the standard answers.
  MEASUREITEMSTRUCT menu = {ODT_MENU, 0, 0, 0, 0, 0};
  EXPECT_EQ(SendMessageW(wnd, 0x202C, 0, reinterpret_cast<LPARAM>(&menu)), 1);
  EXPECT_EQ(menu.itemHeight, static_cast<UINT>(GetSystemMetrics(SM_CYMENU)));
  MEASUREITEMSTRUCT item = {ODT_LISTBOX, 12345, 0, 0, 0, 0};
  EXPECT_EQ(SendMessageW(wnd, 0x202C, 0, reinterpret_cast<LPARAM>(&item)), 1);
  EXPECT_GT(item.itemHeight, 5u);
  EXPECT_EQ(SendMessageW(wnd, 0x2039, 0, 0), 0);
  EXPECT_EQ(SendMessageW(wnd, 0x202D, 0, 0), 1);
  DestroyWindow(wnd);
}

TEST(Frame, NestedDispatchKeepsTheOuterHandledFlagAndMessage) {
  HostWindow host;
  Wrapper control;
  TestButton& button = *control.impl;
  ASSERT_NE(button.Create(host, nullptr, 0), nullptr);
  bool outer_flag_after_nested = false;
  UINT outer_msg_after_nested = 0;
  UINT inner_msg = 0;
  button.handler = [&](UINT msg, WPARAM, LPARAM, LRESULT&) {
    if (msg == WM_APP + 2) {
      inner_msg = button.GetCurrentMessage()->message;
      button.SetMsgHandled(false);  // the inner handler declines
      return true;
    }
    if (msg == WM_APP + 1) {
      button.SetMsgHandled(true);
      SendMessageW(button.m_hWnd, WM_APP + 2, 0, 0);
      outer_flag_after_nested = button.IsMsgHandled();
      outer_msg_after_nested = button.GetCurrentMessage()->message;
      return true;
    }
    return false;
  };
  SendMessageW(button.m_hWnd, WM_APP + 1, 0, 0);
  EXPECT_EQ(inner_msg, static_cast<UINT>(WM_APP + 2));
  EXPECT_TRUE(outer_flag_after_nested);
  EXPECT_EQ(outer_msg_after_nested, static_cast<UINT>(WM_APP + 1));
  EXPECT_EQ(button.GetCurrentMessage(), nullptr);
  DestroyWindow(button.m_hWnd);
}

TEST(Frame, LifetimeOfSharedAndDestroyedObjects) {
  HostWindow host;
  g_destroyed_impls = 0;
  {
    // Copies share one object, counted: destroying every copy frees it once.
    Wrapper a;
    Wrapper b(a);
    Wrapper c;
    c = a;
    const Wrapper& same = c;
    c = same;  // self-assignment
    EXPECT_EQ(a.impl, b.impl);
    EXPECT_EQ(a.impl, c.impl);
    EXPECT_EQ(g_destroyed_impls, 1);  // c's own object went when it was assigned over
  }
  EXPECT_EQ(g_destroyed_impls, 2);

  // A handler that destroys its own window is safe, and the handle is
  // cleared once the outermost dispatch returns.
  g_destroyed_impls = 0;
  HWND wnd = nullptr;
  {
    Wrapper w;
    wnd = w.impl->Create(host, nullptr, 0);
    ASSERT_NE(wnd, nullptr);
    TestButton* impl = w.impl;
    impl->handler = [impl](UINT msg, WPARAM, LPARAM, LRESULT&) {
      if (msg != WM_APP) return false;
      DestroyWindow(impl->m_hWnd);
      return true;
    };
    SendMessageW(wnd, WM_APP, 0, 0);
    EXPECT_FALSE(IsWindow(wnd));
    EXPECT_EQ(impl->m_hWnd, nullptr);
  }
  EXPECT_EQ(g_destroyed_impls, 1);

  // A wrapper dropped while its window lives: the object stays until the
  // window is gone, so late messages never reach freed memory.
  g_destroyed_impls = 0;
  {
    auto* w = new Wrapper;
    wnd = w->impl->Create(host, nullptr, 0);
    delete w;
  }
  EXPECT_EQ(g_destroyed_impls, 0);
  SendMessageW(wnd, BM_SETSTATE, TRUE, 0);
  DestroyWindow(wnd);
  EXPECT_EQ(g_destroyed_impls, 1);
}

TEST(Frame, FailedCreationLeavesNothingBehind) {
  Wrapper control;
  const size_t pending = Module::Get().pending_count();
  const int gdi = viewtest::CountGdiObjects();
  // A child needs a parent: the platform refuses before any message.
  EXPECT_EQ(control.impl->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE), nullptr);
  EXPECT_EQ(control.impl->m_hWnd, nullptr);
  EXPECT_EQ(Module::Get().pending_count(), pending);
  EXPECT_EQ(viewtest::CountGdiObjects(), gdi);

  // The creation of an unknown standard class fails in registration.
  struct Unknown : WindowImpl {
    static ClassRecord& GetClassRecord() {
      static ClassRecord record(L"NoSuchStandardClass");
      return record;
    }
    bool ProcessWindowMessage(HWND, UINT, WPARAM, LPARAM, LRESULT&, DWORD) override {
      return false;
    }
    HWND Create(HWND parent) {
      return CreateWindowOfClass<Unknown>(parent, nullptr, L"", kDefaultControlStyle, 0, nullptr,
                                          nullptr);
    }
  } unknown;
  unknown.AddRef();
  HostWindow host;
  EXPECT_EQ(unknown.Create(host), nullptr);
  EXPECT_EQ(Unknown::GetClassRecord().atom, 0);
  EXPECT_EQ(Module::Get().pending_count(), pending);

  // The object that failed can still be created properly.
  HWND wnd = control.impl->Create(host, nullptr, 0);
  EXPECT_NE(wnd, nullptr);
  DestroyWindow(wnd);
}

TEST(Frame, SubclassedWindowIsDispatchedAndReleased) {
  HostWindow host;
  HWND label = CreateWindowExW(0, L"STATIC", L"text", WS_CHILD | WS_VISIBLE, 0, 0, 50, 20, host,
                               nullptr, nullptr, nullptr);
  const auto original = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(label, GWLP_WNDPROC));
  Wrapper control;
  TestButton& object = *control.impl;
  ASSERT_TRUE(object.SubclassWindow(label));
  EXPECT_FALSE(object.SubclassWindow(label));  // already bound
  object.seen.clear();
  wchar_t text[16] = {};
  SendMessageW(label, WM_GETTEXT, 16, reinterpret_cast<LPARAM>(text));
  EXPECT_TRUE(object.Seen(WM_GETTEXT));
  EXPECT_STREQ(text, L"text");  // the standard procedure still answers

  EXPECT_EQ(object.UnsubclassWindow(), label);
  EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(label, GWLP_WNDPROC)), original);
  object.seen.clear();
  SendMessageW(label, WM_GETTEXT, 16, reinterpret_cast<LPARAM>(text));
  EXPECT_FALSE(object.Seen(WM_GETTEXT));

  // Bound again, then destroyed with the window.
  ASSERT_TRUE(object.SubclassWindow(label));
  DestroyWindow(label);
  EXPECT_EQ(object.m_hWnd, nullptr);
  EXPECT_EQ(object.final_handles.size(), 1u);
}

TEST(Frame, OwnerDrawRunsOnlyThroughReflection) {
  for (bool reflect : {true, false}) {
    HostWindow host(reflect);
    Wrapper control;
    RECT rect = {10, 10, 70, 40};
    HWND wnd = control.impl->Create(host, &rect, WS_CHILD | WS_VISIBLE | BS_OWNERDRAW);
    ASSERT_NE(wnd, nullptr);
    InvalidateRect(wnd, nullptr, TRUE);
    viewtest::PumpUntilIdle();
    const viewtest::Image image = viewtest::CaptureClient(wnd);
    if (reflect) {
      EXPECT_GT(control.impl->draws, 0);
      EXPECT_EQ(image.Count(0xC80000), 60 * 30);
    } else {
      EXPECT_EQ(control.impl->draws, 0);
      EXPECT_EQ(image.Count(0xC80000), 0);
    }
    DestroyWindow(wnd);
  }
}

TEST(Frame, HoverAndPressWithRealInput) {
  HostWindow host;
  Wrapper control;
  TestButton& button = *control.impl;
  button.track = true;
  RECT rect = {40, 40, 140, 80};
  HWND wnd = button.Create(host, &rect, WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, reinterpret_cast<HMENU>(5));
  ASSERT_NE(wnd, nullptr);
  viewtest::MoveMouseTo(host, {5, 5});

  // Resting on the button: hover after 10 ms; leaving: normal again.
  viewtest::MoveMouseTo(wnd, {20, 20});
  EXPECT_TRUE(button.state.tracking_mouse_);
  EXPECT_TRUE(viewtest::PumpUntil([&] { return button.state.status_ == kStatusHover; }, 1000));
  viewtest::MoveMouseTo(host, {300, 300});
  EXPECT_TRUE(viewtest::PumpUntil([&] { return button.state.status_ == kStatusNormal; }, 1000));
  EXPECT_FALSE(button.state.tracking_mouse_);

  // Press and release inside: one click. (Hover is reported first, so that
  // it does not arrive while the button is held.)
  viewtest::MoveMouseTo(wnd, {20, 20});
  EXPECT_TRUE(viewtest::PumpUntil([&] { return button.state.status_ == kStatusHover; }, 1000));
  host.ClearSeen();
  viewtest::MouseDown(wnd, {20, 20});
  EXPECT_EQ(button.state.status_, kStatusPressed);
  EXPECT_EQ(GetCapture(), wnd);
  viewtest::MouseUp(wnd, {20, 20});
  EXPECT_EQ(host.CountCommands(wnd, BN_CLICKED), 1);
  EXPECT_EQ(button.state.status_, kStatusNormal);

  // Press inside, release outside: no click and the capture is gone.
  host.ClearSeen();
  viewtest::MouseDown(wnd, {20, 20});
  viewtest::MouseUp(host, {300, 300});
  EXPECT_EQ(host.CountCommands(wnd, BN_CLICKED), 0);
  EXPECT_NE(GetCapture(), wnd);
  EXPECT_EQ(button.state.status_, kStatusNormal);

  // Erasing is left to the paint.
  HDC dc = GetDC(wnd);
  EXPECT_EQ(SendMessageW(wnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0), 1);
  ReleaseDC(wnd, dc);
  DestroyWindow(wnd);
}

TEST(Frame, DpiScalingClientResizeAndTooltip) {
  EXPECT_EQ(DpiScaleInt(15, 1.5f), 22);
  EXPECT_FLOAT_EQ(DpiScaleFloat(15, 1.5f), 22.5f);
  EXPECT_EQ(DpiScaleInt(3, 1.25f), 3);  // 3.75 truncates toward zero
  EXPECT_EQ(DpiScaleInt(-3, 1.25f), -3);

  HostWindow host;
  HWND child = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | WS_BORDER, 5, 5, 20, 20,
                               host, nullptr, nullptr, nullptr);
  ASSERT_TRUE(ResizeClient(child, 120, 40, true));
  RECT rc;
  ASSERT_TRUE(ResizeClient(child, -1, 70, false));  // -1 keeps the width
  GetClientRect(child, &rc);
  EXPECT_EQ(rc.right, 120);
  EXPECT_EQ(rc.bottom, 70);
  GetWindowRect(child, &rc);
  MapWindowPoints(nullptr, host, reinterpret_cast<POINT*>(&rc), 2);
  EXPECT_EQ(rc.left, 5);  // not moved
  EXPECT_FALSE(ResizeClient(nullptr, 10, 10, true));

  HWND tip = CreateTooltipWindow(child);
  ASSERT_NE(tip, nullptr);
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrW(tip, GWL_STYLE)) & TTS_NOPREFIX, 2u);
  // A child cannot own a window: the platform makes its top-level window the owner.
  EXPECT_EQ(GetWindow(tip, GW_OWNER), host.hwnd());
  std::wstring text = L"A tip";
  ASSERT_TRUE(AddTooltipTool(tip, child, text.c_str()));
  text = L"changed";  // the tooltip keeps its own copy
  EXPECT_EQ(SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0), 1);
  wchar_t buffer[32] = {};
  TTTOOLINFOW info = {};
  info.cbSize = sizeof(info);
  info.hwnd = host;
  info.uId = reinterpret_cast<UINT_PTR>(child);
  info.lpszText = buffer;
  SendMessageW(tip, TTM_GETTEXTW, 32, reinterpret_cast<LPARAM>(&info));
  EXPECT_STREQ(buffer, L"A tip");
  DestroyWindow(tip);
  DestroyWindow(child);
}

TEST(Frame, PaintBuffersCopyWhatWasDrawn) {
  HDC screen = GetDC(nullptr);
  HDC target = CreateCompatibleDC(screen);
  HBITMAP canvas = CreateCompatibleBitmap(screen, 40, 30);
  HGDIOBJ old = SelectObject(target, canvas);
  PatBlt(target, 0, 0, 40, 30, WHITENESS);
  const int gdi = viewtest::CountGdiObjects();
  {
    ArgbBuffer buffer(20, 10);
    ASSERT_TRUE(buffer.ok());
    Gdiplus::SolidBrush red(Gdiplus::Color(255, 255, 0, 0));
    buffer.graphics().FillRectangle(&red, 0, 0, 20, 10);
    buffer.Present(target, 5, 5);
  }
  {
    // Client coordinates: drawing at (30, 20) lands at (30, 20) of the target.
    const RECT area = {25, 15, 40, 30};
    MemoryDcBuffer buffer(target, area);
    ASSERT_TRUE(buffer.ok());
    RECT blue = {30, 20, 35, 25};
    HBRUSH brush = CreateSolidBrush(RGB(0, 0, 255));
    FillRect(buffer.dc(), &area, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    FillRect(buffer.dc(), &blue, brush);
    DeleteObject(brush);
    buffer.Present();
  }
  EXPECT_EQ(viewtest::CountGdiObjects(), gdi);  // both buffers freed what they made
  SelectObject(target, old);
  const viewtest::Image image = viewtest::FromHBitmap(canvas);
  EXPECT_EQ(image.At(5, 5), 0xFF0000u);
  EXPECT_EQ(image.At(24, 14), 0xFF0000u);
  EXPECT_EQ(image.At(4, 5), 0xFFFFFFu);
  EXPECT_EQ(image.At(30, 20), 0x0000FFu);
  EXPECT_EQ(image.At(35, 25), 0xFFFFFFu);
  DeleteObject(canvas);
  DeleteDC(target);
  ReleaseDC(nullptr, screen);
}

TEST(Frame, ReusableBufferServesPiecesInTurnAndFreesItsObjects) {
  HDC screen = GetDC(nullptr);
  HDC target = CreateCompatibleDC(screen);
  HBITMAP canvas = CreateCompatibleBitmap(screen, 60, 40);
  HGDIOBJ old = SelectObject(target, canvas);
  PatBlt(target, 0, 0, 60, 40, WHITENESS);
  const auto fill = [](HDC dc, int width, int height, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    const RECT all = {0, 0, width, height};
    FillRect(dc, &all, brush);
    DeleteObject(brush);
  };
  const int gdi = viewtest::CountGdiObjects();
  {
    ReusableDcBuffer buffer;
    EXPECT_EQ(buffer.Prepare(target, 0, 10), nullptr);
    HDC first = buffer.Prepare(target, 20, 10);
    ASSERT_NE(first, nullptr);
    fill(first, 20, 10, RGB(255, 0, 0));
    const RECT red = {0, 0, 20, 10};
    buffer.Present(red);
    EXPECT_EQ(viewtest::CountGdiObjects(), gdi + 2);  // one memory DC, one bitmap
    // A smaller piece reuses the DC; only its own size is copied, not what
    // the piece before left beside it.
    HDC second = buffer.Prepare(target, 10, 10);
    EXPECT_EQ(second, first);
    fill(second, 10, 10, RGB(0, 0, 255));
    const RECT blue = {30, 0, 40, 10};
    buffer.Present(blue);
    // A larger piece replaces the bitmap; the old one is freed.
    HDC third = buffer.Prepare(target, 30, 20);
    ASSERT_NE(third, nullptr);
    EXPECT_EQ(viewtest::CountGdiObjects(), gdi + 2);
    fill(third, 30, 20, RGB(0, 255, 0));
    const RECT green = {0, 15, 30, 35};
    buffer.Present(green);
  }
  EXPECT_EQ(viewtest::CountGdiObjects(), gdi);
  SelectObject(target, old);
  const viewtest::Image image = viewtest::FromHBitmap(canvas);
  EXPECT_EQ(image.At(0, 0), 0xFF0000u);
  EXPECT_EQ(image.At(19, 9), 0xFF0000u);
  EXPECT_EQ(image.At(20, 5), 0xFFFFFFu);
  EXPECT_EQ(image.At(30, 0), 0x0000FFu);
  EXPECT_EQ(image.At(39, 9), 0x0000FFu);
  EXPECT_EQ(image.At(40, 5), 0xFFFFFFu);
  EXPECT_EQ(image.At(30, 10), 0xFFFFFFu);
  EXPECT_EQ(image.At(0, 15), 0x00FF00u);
  EXPECT_EQ(image.At(29, 34), 0x00FF00u);
  EXPECT_EQ(image.At(30, 20), 0xFFFFFFu);
  EXPECT_EQ(image.At(10, 36), 0xFFFFFFu);
  DeleteObject(canvas);
  DeleteDC(target);
  ReleaseDC(nullptr, screen);
}

TEST(Harness, GdiCounterSeesOneLeakedBrush) {
  const int before = viewtest::CountGdiObjects();
  ASSERT_GT(before, 0);
  HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
  EXPECT_EQ(viewtest::CountGdiObjects(), before + 1);
  DeleteObject(brush);
  EXPECT_EQ(viewtest::CountGdiObjects(), before);
}

TEST(Frame, ScopedWindowDestroysWhatItOwns) {
  HostWindow host;
  HWND first = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 10, 10, host, nullptr, nullptr,
                               nullptr);
  HWND second = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 10, 10, host, nullptr,
                                nullptr, nullptr);
  {
    ScopedWindow owner(first);
    EXPECT_EQ(owner.get(), first);
    owner.reset(second);  // the first goes, the second is owned now
    EXPECT_FALSE(IsWindow(first));
    EXPECT_TRUE(IsWindow(second));
    DestroyWindow(second);  // destroyed elsewhere: the owner lets it be
  }
  EXPECT_FALSE(IsWindow(second));
}

TEST(Frame, ReflectNotificationAnswersOnlyForTheLibrarysControls) {
  HostWindow host(false);
  Wrapper control;
  TestButton& button = *control.impl;
  // A plain button holds the id that the control is created with.
  HWND plain = CreateWindowExW(0, L"BUTTON", L"", WS_CHILD, 0, 0, 10, 10, host,
                               reinterpret_cast<HMENU>(7), nullptr, nullptr);
  MEASUREITEMSTRUCT mis = {ODT_BUTTON, 7, 0, 0, 0, 0};
  bool reflected_while_created = false;
  button.handler = [&](UINT msg, WPARAM, LPARAM lparam, LRESULT& result) {
    if (msg == WM_CREATE) {
      // Below the plain button, so that a search by id alone finds that one.
      SetWindowPos(button.m_hWnd, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
      LRESULT answer = 0;
      reflected_while_created = view::ReflectNotification(
          host, WM_MEASUREITEM, 7, reinterpret_cast<LPARAM>(&mis), &answer);
      return false;
    }
    if (msg == view::kReflectOffset + WM_MEASUREITEM) {
      reinterpret_cast<MEASUREITEMSTRUCT*>(lparam)->itemHeight = 33;
      result = TRUE;
      return true;
    }
    if (msg != view::kReflectOffset + WM_COMMAND && msg != view::kReflectOffset + WM_NOTIFY) {
      return false;
    }
    result = 0x55;
    return true;
  };
  HWND wnd = button.Create(host, nullptr, 0, reinterpret_cast<HMENU>(7));
  ASSERT_NE(wnd, nullptr);
  EXPECT_TRUE(reflected_while_created);
  EXPECT_EQ(mis.itemHeight, 33u);

  LRESULT result = 0;
  EXPECT_TRUE(view::ReflectNotification(host, WM_COMMAND, MAKEWPARAM(7, BN_CLICKED),
                                        reinterpret_cast<LPARAM>(wnd), &result));
  EXPECT_EQ(result, 0x55);
  EXPECT_FALSE(view::ReflectNotification(host, WM_COMMAND, MAKEWPARAM(7, BN_CLICKED),
                                         reinterpret_cast<LPARAM>(plain), &result));
  // The owner-data list's questions stay with the parent; other notifications go.
  NMHDR hdr = {wnd, 7, LVN_GETDISPINFOW};
  EXPECT_FALSE(view::ReflectNotification(host, WM_NOTIFY, 7, reinterpret_cast<LPARAM>(&hdr), &result));
  hdr.code = static_cast<UINT>(NM_CLICK);
  result = 0;
  EXPECT_TRUE(view::ReflectNotification(host, WM_NOTIFY, 7, reinterpret_cast<LPARAM>(&hdr), nullptr));
  EXPECT_TRUE(view::ReflectNotification(host, WM_NOTIFY, 7, reinterpret_cast<LPARAM>(&hdr), &result));
  EXPECT_EQ(result, 0x55);
  EXPECT_FALSE(view::ReflectNotification(host, WM_PAINT, 0, 0, &result));
}

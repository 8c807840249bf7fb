// The window frame every control sits on: class registration, binding,
// dispatch, reflection defaults, lifetime, resize, the shared
// hover/press handling and the painting buffers.

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <stdexcept>
#include <thread>
#include <vector>

#include "harness.h"
#include "view/internal/frame/palette.h"
#include "view/internal/frame/dpi.h"
#include "view/internal/frame/hover_press.h"
#include "view/internal/frame/owner_draw.h"
#include "view/internal/frame/paint_buffers.h"
#include "view/internal/frame/window_impl.h"
#include "view/internal/frame/window_ops.h"
#include "view/exceptions.h"
#include "view/reflect.h"

using namespace view::frame;
using viewtest::HostWindow;

namespace {

int g_destroyed_impls = 0;

// A minimal control over the standard button: records what it sees and lets
// a test answer messages. Owner-drawn requests fill it red.
class TestButton : public WindowImpl, public OwnerDraw<TestButton> {
 public:
  static ClassRecord& GetClassRecord() {
    static ClassRecord record(L"BUTTON");
    return record;
  }
  ~TestButton() override { ++g_destroyed_impls; }
  HWND Create(HWND parent, RECT* rect = nullptr, DWORD style = 0, HMENU id = nullptr) {
    return CreateWindowOfClass<TestButton>(parent, rect, L"BUTTON", style != 0 ? style : kDefaultControlStyle,
                                           0, id, nullptr);
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
  void DrawItem(LPDRAWITEMSTRUCT dis) { FillRect(dis->hDC, &dis->rcItem, red.get()); }

  std::vector<UINT> seen;
  std::vector<HWND> final_handles;
  std::function<bool(UINT, WPARAM, LPARAM, LRESULT&)> handler;
  bool track = false;
  HoverPressState state;
  ScopedGdiObject<HBRUSH> red{CreateSolidBrush(RGB(200, 0, 0))};
};

void Fill(HDC dc, RECT rect, COLORREF colour) {
  FillRect(dc, &rect, ScopedGdiObject<HBRUSH>(CreateSolidBrush(colour)).get());
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

TEST(Frame, BindDispatchLifetimeAndResize) {
  HostWindow host;
  g_destroyed_impls = 0;
  {
    // Copies share one counted object: destroying every copy frees it once.
    Wrapper a, b(a), c;
    c = a;
    const Wrapper& same = c;
    c = same;  // self-assignment
    EXPECT_EQ(g_destroyed_impls, 1);  // c's own object went when it was assigned over
    // Unhandled messages reach the standard button; a handled one does not.
    HWND wnd = a.impl->Create(host);
    EXPECT_EQ(BoundObject<TestButton>(wnd), a.impl);
    SendMessageW(wnd, BM_SETSTATE, TRUE, 0);
    EXPECT_TRUE(SendMessageW(wnd, BM_GETSTATE, 0, 0) & BST_PUSHED);
    // A reflected notification nobody consumed gets DefWindowProc of the
    // original message (for a colour request, the system's brush); anything
    // else is left to the standard class.
    LRESULT unused = 99;
    EXPECT_FALSE(DefaultReflectionHandler(wnd, view::kReflectOffset + WM_PAINT, 0, 0, unused));
    HDC dc = GetDC(wnd);
    const LRESULT direct = DefWindowProcW(wnd, WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc),
                                          reinterpret_cast<LPARAM>(wnd));
    EXPECT_NE(direct, 0);
    EXPECT_EQ(SendMessageW(wnd, view::kReflectOffset + WM_CTLCOLORBTN,
                           reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(wnd)),
              direct);
    ReleaseDC(wnd, dc);
    // A message sent from inside a handler leaves the outer one's handled
    // flag and current message as they were.
    TestButton* impl = a.impl;
    bool outer_flag = false;
    UINT outer_msg = 0;
    impl->handler = [&](UINT msg, WPARAM, LPARAM, LRESULT&) {
      if (msg == WM_APP + 2) impl->SetMsgHandled(false);  // the inner handler declines
      if (msg != WM_APP + 1) return msg == WM_APP + 2;
      impl->SetMsgHandled(true);
      SendMessageW(wnd, WM_APP + 2, 0, 0);
      outer_flag = impl->IsMsgHandled();
      outer_msg = impl->GetCurrentMessage()->message;
      return true;
    };
    SendMessageW(wnd, WM_APP + 1, 0, 0);
    EXPECT_TRUE(outer_flag);
    EXPECT_EQ(outer_msg, static_cast<UINT>(WM_APP + 1));
    EXPECT_EQ(impl->GetCurrentMessage(), nullptr);
    // A handler that destroys its own window is safe; the handle is cleared.
    impl->handler = [impl](UINT msg, WPARAM, LPARAM, LRESULT& result) {
      if (msg == WM_APP) DestroyWindow(impl->m_hWnd);
      result = 0x1234;
      return msg == WM_APP || msg == BM_GETSTATE;
    };
    EXPECT_EQ(SendMessageW(wnd, BM_GETSTATE, 0, 0), 0x1234);
    SendMessageW(wnd, WM_APP, 0, 0);
    EXPECT_EQ(impl->m_hWnd, nullptr);
    EXPECT_EQ(impl->final_handles, std::vector<HWND>{wnd});
  }
  EXPECT_EQ(g_destroyed_impls, 2);

  // A wrapper dropped while its window lives: the object stays until the
  // window is gone, so late messages never reach freed memory.
  auto* w = new Wrapper;
  HWND wnd = w->impl->Create(host);
  delete w;
  // Freed too early: cut the window off from it, so the test fails instead of hanging.
  if (g_destroyed_impls != 2) SetWindowLongPtrW(wnd, TestButton::GetClassRecord().object_offset, 0);
  SendMessageW(wnd, BM_SETSTATE, TRUE, 0);
  EXPECT_EQ(g_destroyed_impls, 2);
  DestroyWindow(wnd);
  EXPECT_EQ(g_destroyed_impls, 3);

  // A creation that fails before its window exists (the parent is gone)
  // leaves no pending entry that a later window would bind to.
  Wrapper failed;
  EXPECT_EQ(failed.impl->Create(wnd), nullptr);
  EXPECT_EQ(Module::Get().pending_count(), 0u);

  // A subclassed standard window is dispatched and released with its window.
  Wrapper other;
  HWND label = CreateWindowExW(0, L"STATIC", L"text", WS_CHILD, 0, 0, 50, 20, host, nullptr,
                               nullptr, nullptr);
  TestButton& object = *other.impl;
  ASSERT_TRUE(object.SubclassWindow(label));
  EXPECT_EQ(viewtest::TextOf(label), L"text");  // the standard procedure still answers
  EXPECT_NE(std::find(object.seen.begin(), object.seen.end(), WM_GETTEXT), object.seen.end());
  DestroyWindow(label);
  EXPECT_EQ(object.m_hWnd, nullptr);

  // Resizing sets the client size and leaves the position.
  HWND child = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | WS_BORDER, 5, 5, 20, 20,
                               host, nullptr, nullptr, nullptr);
  ASSERT_TRUE(ResizeClient(child, 120, 40, true));
  ASSERT_TRUE(ResizeClient(child, -1, 70, false));  // -1 keeps the width
  EXPECT_EQ(viewtest::ClientSize(child), (SIZE{120, 70}));
  EXPECT_EQ(viewtest::RectInParent(child).left, 5);  // not moved
  EXPECT_FALSE(ResizeClient(nullptr, 10, 10, true));
}

TEST(Frame, HoverAndPressWithRealInput) {
  HostWindow host;
  Wrapper control;
  TestButton& button = *control.impl;
  button.track = true;
  RECT rect = {40, 40, 140, 80};
  HWND wnd = button.Create(host, &rect, WS_CHILD | WS_VISIBLE | BS_OWNERDRAW,
                           reinterpret_cast<HMENU>(5));
  viewtest::MoveMouseTo(host, {5, 5});
  auto status_becomes = [&](ButtonStatus status) {
    return viewtest::PumpUntil([&] { return button.state.status_ == status; }, 1000);
  };

  // Resting on the button: hover after 10 ms; leaving: normal again, twice.
  for (int round = 0; round < 2; ++round) {
    viewtest::MoveMouseTo(wnd, {20, 20});
    EXPECT_TRUE(status_becomes(kStatusHover)) << round;
    viewtest::MoveMouseTo(host, {300, 300});
    EXPECT_TRUE(status_becomes(kStatusNormal)) << round;
  }

  // Press and release inside: one click.
  viewtest::MoveMouseTo(wnd, {20, 20});
  EXPECT_TRUE(status_becomes(kStatusHover));
  host.ClearSeen();
  viewtest::MouseDown(wnd, {20, 20});
  EXPECT_EQ(button.state.status_, kStatusPressed);
  viewtest::MouseUp(wnd, {20, 20});
  EXPECT_EQ(host.CountCommands(wnd, BN_CLICKED), 1);
  // Press inside, release outside: no click and the capture is gone.
  viewtest::MouseDown(wnd, {30, 20});
  EXPECT_EQ(GetCapture(), wnd);
  viewtest::MouseUp(host, {300, 300});
  EXPECT_EQ(host.CountCommands(wnd, BN_CLICKED), 1);
  EXPECT_NE(GetCapture(), wnd);
  EXPECT_EQ(button.state.status_, kStatusNormal);
}

TEST(Frame, PaintBuffersCopyWhatWasDrawnAndFreeTheirObjects) {
  viewtest::MemoryCanvas target(60, 40);  // where the buffers paint
  const int gdi = viewtest::CountGdiObjects();
  {
    ArgbBuffer buffer(20, 10);
    ASSERT_TRUE(buffer.ok());
    Gdiplus::SolidBrush red(Gdiplus::Color(255, 255, 0, 0));
    buffer.graphics().FillRectangle(&red, 0, 0, 20, 10);
    buffer.Present(target.dc, 5, 5);
  }
  {
    // Client coordinates: drawing at (30, 20) lands at (30, 20) of the target.
    MemoryDcBuffer buffer(target.dc, RECT{25, 15, 40, 30});
    ASSERT_TRUE(buffer.ok());
    Fill(buffer.dc(), RECT{25, 15, 40, 30}, RGB(255, 255, 255));
    Fill(buffer.dc(), RECT{30, 20, 35, 25}, RGB(0, 0, 255));
    buffer.Present();
  }
  EXPECT_EQ(viewtest::CountGdiObjects(), gdi);  // both buffers freed what they made
  const viewtest::Image image = target.Pixels();
  EXPECT_EQ(image.BoundsNot(0xFFFFFF, RECT{0, 0, 25, 40}), (RECT{5, 5, 25, 15}));
  EXPECT_EQ(image.Count(0xFF0000), 20 * 10);
  EXPECT_EQ(image.BoundsNot(0xFFFFFF, RECT{25, 15, 60, 40}), (RECT{30, 20, 35, 25}));
  EXPECT_EQ(image.Count(0x0000FF), 5 * 5);
  // Kept faces are stored as runs of one colour, (count, colour) pairs.
  const std::vector<Gdiplus::ARGB> face = {1, 1, 1, 2, 3, 3}, runs = {3, 1, 1, 2, 2, 3};
  EXPECT_EQ(EncodeRuns(face), runs);
  std::vector<Gdiplus::ARGB> back = {9};
  DecodeRuns(runs, back);
  EXPECT_EQ(back, face);
}

TEST(Frame, ReusableBufferServesPiecesInTurn) {
  // Each piece is filled over its whole size and copied to its place; a
  // piece wider, taller or both than any before must get room for all of it.
  const struct {
    int width, height;
    RECT place;
    COLORREF colour;
  } pieces[] = {
      {20, 10, {0, 0, 20, 10}, RGB(255, 0, 0)},
      {10, 10, {30, 0, 40, 10}, RGB(0, 0, 255)},      // smaller
      {10, 25, {45, 0, 55, 25}, RGB(255, 0, 255)},    // taller but not wider
      {30, 12, {0, 15, 30, 27}, RGB(0, 255, 0)},      // wider but not taller
      {8, 8, {0, 30, 8, 38}, RGB(0, 255, 255)},
  };
  viewtest::MemoryCanvas target(60, 40);  // where the buffers paint
  const int gdi = viewtest::CountGdiObjects();
  {
    ReusableDcBuffer buffer;
    EXPECT_EQ(buffer.Prepare(target.dc, 0, 10), nullptr);
    HDC first = nullptr;
    for (const auto& piece : pieces) {
      HDC dc = buffer.Prepare(target.dc, piece.width, piece.height);
      ASSERT_NE(dc, nullptr);
      if (first == nullptr) first = dc;
      if (piece.width == 10 && piece.height == 10) {
        EXPECT_EQ(dc, first);  // a smaller piece reuses the DC
      }
      Fill(dc, RECT{0, 0, piece.width, piece.height}, piece.colour);
      buffer.Present(piece.place);
      EXPECT_EQ(viewtest::CountGdiObjects(), gdi + 2);  // one memory DC, one bitmap
    }
  }
  EXPECT_EQ(viewtest::CountGdiObjects(), gdi);
  const viewtest::Image image = target.Pixels();
  int painted = 0;
  for (const auto& piece : pieces) {
    const RECT& r = piece.place;
    EXPECT_EQ(image.Count(viewtest::Rgb(piece.colour), r.left, r.top, r.right, r.bottom),
              piece.width * piece.height)
        << piece.width << " x " << piece.height;
    painted += piece.width * piece.height;
  }
  // Nothing that one piece left beside it is copied with the next.
  EXPECT_EQ(image.Count(0xFFFFFF), 60 * 40 - painted);
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
    if (msg != view::kReflectOffset + WM_COMMAND && msg != view::kReflectOffset + WM_NOTIFY) return false;
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

TEST(Frame, HighContrastPaintsEachRoleInItsSystemColour) {
  using view::frame::ColorRole;
  // The roles in order, from kFace to kWindowText, take the fields in order.
  const view::frame::SystemColors system = {1, 2, 3, 4, 5, 6, 7};
  for (COLORREF colour = 1; colour <= 7; ++colour) {
    const auto role = static_cast<ColorRole>(colour - 1);
    EXPECT_EQ(view::frame::ContrastColor(role, 0xABCDEF, false, system), 0xABCDEFu);
    EXPECT_EQ(view::frame::ContrastColor(role, 0xABCDEF, true, system), colour);
  }
  const std::tuple<ButtonStatus, ColorRole, ColorRole> statuses[] = {
      {kStatusNormal, ColorRole::kFace, ColorRole::kText},
      {kStatusHover, ColorRole::kChosenFace, ColorRole::kChosenText},
      {kStatusPressed, ColorRole::kChosenFace, ColorRole::kChosenText},
      {kStatusDisable, ColorRole::kFace, ColorRole::kDisabledText}};
  for (const auto& [status, face, text] : statuses) {
    EXPECT_EQ(view::frame::FaceRole(status), face);
    EXPECT_EQ(view::frame::TextRole(status), text);
  }
}

// Wrappers of one control copied and dropped on 4 threads at once share one
// count; a handler that throws, also inside a nested message, is reported
// once and leaves the dispatch's state and reference as they were: the
// object goes exactly once, with its window.
TEST(Frame, CountsSharedByThreadsAndDispatchKeptAcrossExceptions) {
  HostWindow host;
  g_destroyed_impls = 0;
  Wrapper control;
  TestButton* impl = control.impl;
  HWND wnd = impl->Create(host);
  std::vector<std::thread> threads;
  std::atomic<int> started{0};
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&control, &started] {
      // All four start copying together, or one may finish before the next starts.
      for (++started; started < 4;) std::this_thread::yield();
      for (int i = 0; i < 100000; ++i) Wrapper copy(control);
    });
  }
  for (auto& t : threads) t.join();
  int reported = 0;
  view::SetExceptionHandler([&reported](std::exception_ptr) { ++reported; });
  UINT outer_msg = 0;
  impl->handler = [&](UINT msg, WPARAM, LPARAM, LRESULT&) -> bool {
    if (msg == WM_APP + 1) throw std::runtime_error("inner");
    if (msg != WM_APP) return false;
    impl->SetMsgHandled(true);
    EXPECT_EQ(SendMessageW(wnd, WM_APP + 1, 0, 0), 0);  // the standard button's answer
    outer_msg = impl->GetCurrentMessage()->message;
    EXPECT_TRUE(impl->IsMsgHandled());
    throw std::runtime_error("outer");
  };
  SendMessageW(wnd, WM_APP, 0, 0);
  view::SetExceptionHandler(nullptr);
  EXPECT_EQ(reported, 2);
  EXPECT_EQ(outer_msg, static_cast<UINT>(WM_APP));
  EXPECT_EQ(impl->GetCurrentMessage(), nullptr);
  impl->handler = nullptr;
  DestroyWindow(wnd);
  EXPECT_EQ(g_destroyed_impls, 0);  // the wrapper still holds it
  control = Wrapper();
  EXPECT_EQ(g_destroyed_impls, 1);
}

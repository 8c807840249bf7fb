// The edit box with tip text and the link label: real windows in a host
// that reflects notifications, real keyboard and mouse input, pixels read
// back from the screen.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "harness.h"
#include "view/internal/controls/bas_edit.h"
#include "view/internal/controls/bas_link.h"
#include "view/internal/frame/scoped.h"
#include "view/zu_edit.h"
#include "view/zu_link.h"

using viewtest::HostWindow;
using viewtest::Image;

namespace {

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kBlack = 0x000000;

std::wstring TextOf(HWND wnd) {
  wchar_t text[256] = {};
  GetWindowTextW(wnd, text, 256);
  return text;
}

// Records what reaches the standard edit control's own procedure behind
// every BASEdit window created while the spy lives, so that a test can tell
// a consumed message from one passed on.
class StandardEditSpy {
 public:
  struct Reached {
    UINT message;
    WPARAM wparam;
  };

  StandardEditSpy() {
    view::frame::ClassRecord& record = BASEdit::GetClassRecord();
    if (record.atom == 0) {
      // Register the class first: registration takes the standard procedure.
      HostWindow host;
      ZuEdit edit;
      DestroyWindow(edit.Create(host));
    }
    real_ = record.std_proc;
    record.std_proc = &Proc;
    reached_.clear();
  }
  ~StandardEditSpy() { BASEdit::GetClassRecord().std_proc = real_; }
  StandardEditSpy(const StandardEditSpy&) = delete;
  StandardEditSpy& operator=(const StandardEditSpy&) = delete;

  static int Count(UINT message, WPARAM key) {
    int n = 0;
    for (const Reached& r : reached_) {
      if (r.message == message && LOWORD(r.wparam) == key) ++n;
    }
    return n;
  }
  static void Clear() { reached_.clear(); }

 private:
  static LRESULT CALLBACK Proc(HWND wnd, UINT msg, WPARAM wparam, LPARAM lparam) {
    if (msg == WM_KEYDOWN || msg == WM_KEYUP || msg == WM_CHAR) reached_.push_back({msg, wparam});
    return CallWindowProcW(real_, wnd, msg, wparam, lparam);
  }
  static WNDPROC real_;
  static std::vector<Reached> reached_;
};
WNDPROC StandardEditSpy::real_ = nullptr;
std::vector<StandardEditSpy::Reached> StandardEditSpy::reached_;

// The key-down messages posted to the thread, with their lParam: shows which
// were auto-repeats (bit 30, the key was already down).
class KeyDownLog {
 public:
  KeyDownLog() {
    log_ = &entries_;
    hook_ = SetWindowsHookExW(WH_GETMESSAGE, &Hook, nullptr, GetCurrentThreadId());
  }
  ~KeyDownLog() {
    if (hook_ != nullptr) UnhookWindowsHookEx(hook_);
    log_ = nullptr;
  }
  KeyDownLog(const KeyDownLog&) = delete;
  KeyDownLog& operator=(const KeyDownLog&) = delete;
  const std::vector<MSG>& entries() const { return entries_; }

 private:
  static LRESULT CALLBACK Hook(int code, WPARAM wparam, LPARAM lparam) {
    const MSG* msg = reinterpret_cast<const MSG*>(lparam);
    if (code == HC_ACTION && wparam == PM_REMOVE && log_ != nullptr && msg->message == WM_KEYDOWN) {
      log_->push_back(*msg);
    }
    return CallNextHookEx(nullptr, code, wparam, lparam);
  }
  static std::vector<MSG>* log_;
  HHOOK hook_ = nullptr;
  std::vector<MSG> entries_;
};
std::vector<MSG>* KeyDownLog::log_ = nullptr;

HFONT MakeFont(int height) {
  return CreateFontW(-height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY,
                     DEFAULT_PITCH, L"Tahoma");
}

// What the box shows, without the blinking caret.
Image CaptureWithoutCaret(HWND edit) {
  HideCaret(edit);
  viewtest::PumpUntilIdle();
  Image image = viewtest::CaptureClient(edit);
  ShowCaret(edit);
  return image;
}

void FocusControl(HWND host, HWND control) {
  viewtest::BringToFront(host);
  SetFocus(control);
  viewtest::PumpUntilIdle();
}

}  // namespace

TEST(Edit, WrapperBeforeAndAfterItsWindow) {
  ZuEdit edit;
  // Setters before Create talk to no window and do nothing.
  edit.SetReadOnly(1);
  edit.SetFont(nullptr);
  edit.setTipValue(L"tip");
  edit.setTipValue(nullptr);

  HostWindow host;
  HWND wnd = edit.Create(host, nullptr, L"start");
  ASSERT_NE(wnd, nullptr);
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrW(wnd, GWL_STYLE)), 0x56000000u);
  EXPECT_EQ(TextOf(wnd), L"start");
  EXPECT_EQ(GetWindowLongPtrW(wnd, GWL_STYLE) & ES_READONLY, 0);  // the early setter did nothing

  ZuEdit alias;
  alias = edit;  // both address one box
  alias.SetReadOnly(1);
  EXPECT_NE(GetWindowLongPtrW(wnd, GWL_STYLE) & ES_READONLY, 0);
  edit.SetReadOnly(0);
  EXPECT_EQ(GetWindowLongPtrW(wnd, GWL_STYLE) & ES_READONLY, 0);

  // A null tip leaves the one set before.
  edit.setTipValue(L"Name");
  edit.setTipValue(nullptr);
  wchar_t tip[32] = {};
  EXPECT_TRUE(SendMessageW(wnd, EM_GETCUEBANNER, reinterpret_cast<WPARAM>(tip), 32));
  EXPECT_STREQ(tip, L"Name");

  DestroyWindow(wnd);
  EXPECT_EQ(static_cast<HWND>(edit), nullptr);
  EXPECT_EQ(static_cast<HWND>(alias), nullptr);
}

TEST(Edit, TipShowsWhileEmptyWithAndWithoutFocus) {
  HostWindow host;
  view::frame::ScopedGdiObject<HFONT> font(MakeFont(16));
  ZuEdit edit;
  RECT rect = {20, 20, 280, 50};
  HWND wnd = edit.Create(host, rect, L"", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL);
  ASSERT_NE(wnd, nullptr);
  edit.SetFont(font.get());
  viewtest::PumpUntilIdle();
  const Image blank = CaptureWithoutCaret(wnd);
  EXPECT_EQ(blank.Count(kWhite), blank.width * blank.height);

  edit.setTipValue(L"Search the library");
  InvalidateRect(wnd, nullptr, TRUE);
  viewtest::PumpUntilIdle();
  ASSERT_NE(GetFocus(), wnd);
  const Image unfocused = CaptureWithoutCaret(wnd);
  const RECT tip_bounds = unfocused.BoundsNot(kWhite);
  EXPECT_GT(tip_bounds.right - tip_bounds.left, 60) << "the tip is drawn across the box";

  // With the keyboard focus the tip stays.
  FocusControl(host, wnd);
  ASSERT_EQ(GetFocus(), wnd);
  const Image focused = CaptureWithoutCaret(wnd);
  const RECT focused_bounds = focused.BoundsNot(kWhite);
  EXPECT_GT(focused_bounds.right - focused_bounds.left, 60);

  // One typed character hides it: what is left is the narrow character.
  viewtest::TypeText(L"i");
  EXPECT_EQ(TextOf(wnd), L"i");
  const Image typed = CaptureWithoutCaret(wnd);
  const RECT typed_bounds = typed.BoundsNot(kWhite);
  EXPECT_GT(typed_bounds.right, typed_bounds.left) << "the character shows";
  EXPECT_LT(typed_bounds.right - typed_bounds.left, 12);
  EXPECT_EQ(typed.Count(kWhite, tip_bounds.left + 20, 0, typed.width, typed.height),
            (typed.width - tip_bounds.left - 20) * typed.height);

  // Empty again: the tip is back.
  viewtest::PressKey(VK_BACK);
  EXPECT_EQ(TextOf(wnd), L"");
  const Image emptied = CaptureWithoutCaret(wnd);
  const RECT emptied_bounds = emptied.BoundsNot(kWhite);
  EXPECT_GT(emptied_bounds.right - emptied_bounds.left, 60);
  if (HasFailure()) {
    viewtest::SaveArtifact(unfocused, "edit_tip_unfocused");
    viewtest::SaveArtifact(focused, "edit_tip_focused");
    viewtest::SaveArtifact(typed, "edit_tip_typed");
  }
  DestroyWindow(wnd);
}

TEST(Edit, EnterCallsTheCallbackAndIsConsumed) {
  StandardEditSpy spy;
  HostWindow host;
  ZuEdit edit;
  int calls = 0;
  std::function<void()> count = [&calls] { ++calls; };
  edit.setFuncEnterCallback(count);  // stored before the window exists
  RECT rect = {20, 20, 220, 44};
  HWND wnd = edit.Create(host, rect, L"", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL);
  ASSERT_NE(wnd, nullptr);
  FocusControl(host, wnd);
  ASSERT_EQ(GetFocus(), wnd);

  // A held key: one press and two auto-repeats, each a key-down of its own.
  {
    KeyDownLog log;
    StandardEditSpy::Clear();
    viewtest::KeyDown(VK_RETURN);
    viewtest::KeyDown(VK_RETURN);
    viewtest::KeyDown(VK_RETURN);
    viewtest::KeyUp(VK_RETURN);
    EXPECT_EQ(calls, 3);
    ASSERT_EQ(log.entries().size(), 3u);
    EXPECT_EQ(log.entries()[0].lParam & 0x40000000, 0);
    EXPECT_NE(log.entries()[1].lParam & 0x40000000, 0) << "an auto-repeat";
    EXPECT_NE(log.entries()[2].lParam & 0x40000000, 0);
    EXPECT_EQ(StandardEditSpy::Count(WM_KEYDOWN, VK_RETURN), 0);
    EXPECT_EQ(StandardEditSpy::Count(WM_KEYUP, VK_RETURN), 1);  // the release is not ours
  }

  // Other keys reach the edit control.
  StandardEditSpy::Clear();
  viewtest::PressKey(VK_TAB);
  viewtest::PressKey(VK_ESCAPE);
  viewtest::PressKey('A');
  EXPECT_EQ(StandardEditSpy::Count(WM_KEYDOWN, VK_TAB), 1);
  EXPECT_EQ(StandardEditSpy::Count(WM_KEYDOWN, VK_ESCAPE), 1);
  EXPECT_EQ(StandardEditSpy::Count(WM_KEYDOWN, 'A'), 1);
  EXPECT_EQ(TextOf(wnd), L"a");
  EXPECT_EQ(calls, 3);

  // An empty function clears the callback; Enter is still consumed.
  std::function<void()> none;
  edit.setFuncEnterCallback(none);
  StandardEditSpy::Clear();
  viewtest::PressKey(VK_RETURN);
  EXPECT_EQ(calls, 3);
  EXPECT_EQ(StandardEditSpy::Count(WM_KEYDOWN, VK_RETURN), 0);

  // A callback that talks to its own box (a nested dispatch that is not
  // consumed) and then replaces itself: the outer Enter stays consumed and
  // the next Enter runs the replacement.
  int replaced_calls = 0;
  std::function<void()> replacement = [&replaced_calls] { ++replaced_calls; };
  std::function<void()> first = [&] {
    ++calls;
    SendMessageW(wnd, WM_KEYDOWN, 'B', 0);
    edit.setFuncEnterCallback(replacement);
  };
  edit.setFuncEnterCallback(first);
  StandardEditSpy::Clear();
  viewtest::PressKey(VK_RETURN);
  EXPECT_EQ(calls, 4);
  EXPECT_EQ(StandardEditSpy::Count(WM_KEYDOWN, 'B'), 1);
  EXPECT_EQ(StandardEditSpy::Count(WM_KEYDOWN, VK_RETURN), 0);
  viewtest::PressKey(VK_RETURN);
  EXPECT_EQ(calls, 4);
  EXPECT_EQ(replaced_calls, 1);

  // A callback may destroy the box it runs in.
  std::function<void()> close = [&edit] { DestroyWindow(edit); };
  edit.setFuncEnterCallback(close);
  viewtest::PressKey(VK_RETURN);
  EXPECT_FALSE(IsWindow(wnd));
  EXPECT_EQ(static_cast<HWND>(edit), nullptr);
}

TEST(Edit, WhiteBackgroundThroughReflectionAndReadOnlyBackground) {
  HostWindow host;
  ZuEdit edit;
  RECT rect = {20, 20, 220, 44};
  HWND wnd = edit.Create(host, rect, L"", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL);
  ASSERT_NE(wnd, nullptr);

  // The reflected colour request is answered with the stock white brush and
  // leaves the DC's text colours alone.
  HDC dc = GetDC(wnd);
  SetTextColor(dc, RGB(1, 2, 3));
  SetBkColor(dc, RGB(4, 5, 6));
  EXPECT_EQ(SendMessageW(wnd, 0x2133, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(wnd)),
            reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH)));
  EXPECT_EQ(GetTextColor(dc), RGB(1, 2, 3));
  EXPECT_EQ(GetBkColor(dc), RGB(4, 5, 6));
  ReleaseDC(wnd, dc);

  // The platform asks the parent, the parent reflects, the box is white.
  host.ClearSeen();
  InvalidateRect(wnd, nullptr, TRUE);
  viewtest::PumpUntilIdle();
  int asked = 0;
  for (const auto& m : host.seen()) asked += (m.message == WM_CTLCOLOREDIT && m.from == wnd);
  EXPECT_GT(asked, 0);
  Image image = viewtest::CaptureClient(wnd);
  EXPECT_EQ(image.Count(kWhite), image.width * image.height);

  // Read-only: the platform asks for the static colours instead, which the
  // box leaves to the platform.
  edit.SetReadOnly(1);
  viewtest::PumpUntilIdle();
  const uint32_t face = viewtest::Rgb(GetSysColor(COLOR_BTNFACE));
  ASSERT_NE(face, kWhite);
  image = viewtest::CaptureClient(wnd);
  EXPECT_EQ(image.Count(face), image.width * image.height);
  if (image.Count(face) != image.width * image.height) viewtest::SaveArtifact(image, "edit_read_only");

  edit.SetReadOnly(0);
  viewtest::PumpUntilIdle();
  image = viewtest::CaptureClient(wnd);
  EXPECT_EQ(image.Count(kWhite), image.width * image.height);
  DestroyWindow(wnd);
}

namespace {

constexpr wchar_t kLinkText[] =
    L"Read the <a id=\"terms\" href=\"https://example.com/terms\">terms</a> or ask for "
    L"<a id=\"help\" href=\"https://example.com/help\">help</a>";

// A point of `link`'s client area where the platform laid out the link with
// id `id`; (-1, -1) when there is none.
POINT FindLink(HWND link, const wchar_t* id) {
  RECT client;
  GetClientRect(link, &client);
  for (int y = 1; y < client.bottom; y += 2) {
    for (int x = 1; x < client.right; x += 2) {
      LHITTESTINFO hit = {};
      hit.pt = {x, y};
      if (SendMessageW(link, LM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)) &&
          wcscmp(hit.item.szID, id) == 0) {
        return {x + 2, y + 2};  // a little inside the link
      }
    }
  }
  return {-1, -1};
}

struct LinkEvent {
  UINT code;
  std::wstring id;
  std::wstring url;
};

}  // namespace

TEST(Link, PaintsItsClientAreaBlackAtAnySize) {
  HostWindow host;
  ZuLink link;
  RECT rect = {10, 10, 210, 34};
  HWND wnd = link.Create(host, rect, kLinkText);
  ASSERT_NE(wnd, nullptr);
  const ZuLink alias(link);
  EXPECT_EQ(static_cast<HWND>(alias), wnd);
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrW(wnd, GWL_STYLE)), 0x56000000u);
  viewtest::PumpUntilIdle();
  Image image = viewtest::CaptureClient(wnd);
  ASSERT_EQ(image.width, 200);
  EXPECT_EQ(image.Count(kBlack), 200 * 24);

  // Larger: the new client area is black as well (repaint leaks: the soak).
  SetWindowPos(wnd, nullptr, 0, 0, 340, 70, SWP_NOMOVE | SWP_NOZORDER);
  viewtest::PumpUntilIdle();
  image = viewtest::CaptureClient(wnd);
  ASSERT_EQ(image.width, 340);
  EXPECT_EQ(image.Count(kBlack), 340 * 70);
  if (image.Count(kBlack) != 340 * 70) viewtest::SaveArtifact(image, "link_resized");

  // Printing shows the same as the screen.
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP canvas = CreateCompatibleBitmap(screen, 340, 70);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(memory, canvas);
  PatBlt(memory, 0, 0, 340, 70, WHITENESS);
  SendMessageW(wnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);
  SelectObject(memory, old);
  EXPECT_EQ(viewtest::FromHBitmap(canvas).Count(kBlack), 340 * 70);
  DeleteObject(canvas);
  DeleteDC(memory);

  // A label without a size paints nothing and survives its paints.
  ZuLink empty;
  HWND tiny = empty.Create(host, nullptr, L"<a>x</a>");
  ASSERT_NE(tiny, nullptr);
  RedrawWindow(tiny, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  DestroyWindow(tiny);
  DestroyWindow(wnd);
  EXPECT_EQ(static_cast<HWND>(link), nullptr);
  EXPECT_EQ(static_cast<HWND>(alias), nullptr);
}

TEST(Link, PlatformReportsClicksAndEnterOnItsLinks) {
  HostWindow host;
  ZuLink link;
  RECT rect = {20, 20, 420, 44};
  HWND wnd = link.Create(host, rect, kLinkText, 0, 0, 31);
  ASSERT_NE(wnd, nullptr);
  std::vector<LinkEvent> events;
  host.on_message = [&](UINT msg, WPARAM, LPARAM lparam, LRESULT&) {
    const auto* hdr = reinterpret_cast<const NMHDR*>(lparam);
    if (msg == WM_NOTIFY && hdr->hwndFrom == wnd && (hdr->code == NM_CLICK || hdr->code == NM_RETURN)) {
      // iLink is not trusted (Wine fills it wrongly); the id and URL are.
      const auto* nm = reinterpret_cast<const NMLINK*>(lparam);
      events.push_back({hdr->code, nm->item.szID, nm->item.szUrl});
    }
    return false;  // reflect as usual
  };
  viewtest::PumpUntilIdle();

  const POINT help = FindLink(wnd, L"help");
  const POINT terms = FindLink(wnd, L"terms");
  ASSERT_GE(help.x, 0) << "the platform lays out the link under the black paint";
  ASSERT_GE(terms.x, 0);
  EXPECT_LT(terms.x, help.x);

  viewtest::Click(wnd, help);
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].code, static_cast<UINT>(NM_CLICK));
  EXPECT_EQ(events[0].id, L"help");
  EXPECT_EQ(events[0].url, L"https://example.com/help");
  EXPECT_EQ(host.CountNotifies(wnd, NM_CLICK), 1);

  // Outside every link: nothing.
  events.clear();
  viewtest::Click(wnd, {2, 2});
  EXPECT_TRUE(events.empty());

  // Enter on the focused link.
  viewtest::Click(wnd, terms);
  FocusControl(host, wnd);
  events.clear();
  viewtest::PressKey(VK_RETURN);
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].code, static_cast<UINT>(NM_RETURN));
  EXPECT_EQ(events[0].id, L"terms");

  // Still black after all of it.
  const Image image = viewtest::CaptureClient(wnd);
  EXPECT_EQ(image.Count(kBlack), image.width * image.height);
  DestroyWindow(wnd);
}

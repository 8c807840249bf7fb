// The edit box with tip text and the link label: real windows in a host
// that reflects notifications, real keyboard input, pixels read back from
// the screen.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "harness.h"
#include "view/internal/controls/bas_edit.h"
#include "view/internal/frame/scoped.h"
#include "view/zu_edit.h"
#include "view/zu_link.h"

using viewtest::Image;
using viewtest::TextOf;

namespace {

constexpr uint32_t kWhite = 0xFFFFFF;

// Counts the key messages that reach the standard edit control's own
// procedure behind every edit box while the spy lives, so that a test can
// tell a consumed key from one passed on.
class StandardEditSpy {
 public:
  StandardEditSpy() {
    view::frame::ClassRecord& record = BASEdit::GetClassRecord();
    // Registration, with the first box, takes the standard procedure.
    if (record.atom == 0) DestroyWindow(ZuEdit().Create(viewtest::HostWindow()));
    real_ = record.std_proc;
    record.std_proc = &Proc;
  }
  ~StandardEditSpy() { BASEdit::GetClassRecord().std_proc = real_; }
  // How many `message`s for `key` arrived since the last call.
  static int Take(UINT message, WPARAM key) {
    const int n = static_cast<int>(std::count(reached_.begin(), reached_.end(), std::make_pair(message, key)));
    reached_.clear();
    return n;
  }

 private:
  static LRESULT CALLBACK Proc(HWND wnd, UINT msg, WPARAM wparam, LPARAM lparam) {
    reached_.emplace_back(msg, wparam);
    return CallWindowProcW(real_, wnd, msg, wparam, lparam);
  }
  static inline WNDPROC real_ = nullptr;
  static inline std::vector<std::pair<UINT, WPARAM>> reached_;
};

// What the box shows, without the blinking caret.
Image Shot(HWND edit) {
  HideCaret(edit);
  viewtest::PumpUntilIdle();
  Image image = viewtest::CaptureClient(edit);
  ShowCaret(edit);
  return image;
}

int InkWidth(const Image& image) {
  const RECT ink = image.BoundsNot(kWhite);
  return std::max<int>(0, ink.right - ink.left);
}

}  // namespace

TEST(Edit, TipShowsWhileEmptyWithAndWithoutFocus) {
  viewtest::HostWindow host;
  view::frame::ScopedGdiObject<HFONT> font(
      CreateFontW(-16, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, NONANTIALIASED_QUALITY, 0, L"Tahoma"));
  ZuEdit edit;
  edit.SetReadOnly(1);  // setters before Create talk to no window
  edit.setTipValue(L"tip");
  RECT rect = {20, 20, 280, 50};
  HWND wnd = edit.Create(host, rect, L"", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL);
  edit.SetFont(font.get());
  EXPECT_EQ(SendMessageW(wnd, WM_GETFONT, 0, 0), reinterpret_cast<LRESULT>(font.get()));
  edit.setTipValue(L"Search the library");
  edit.setTipValue(nullptr);  // refused, as the platform refuses it: the tip stays
  InvalidateRect(wnd, nullptr, TRUE);
  EXPECT_GT(InkWidth(Shot(wnd)), 60) << "the tip is drawn across the box";
  // With the keyboard focus the tip stays; one typed character hides it,
  // and it is back when the box is empty again.
  viewtest::BringToFront(host);
  SetFocus(wnd);
  ASSERT_EQ(GetFocus(), wnd);
  EXPECT_GT(InkWidth(Shot(wnd)), 60);
  viewtest::TypeText(L"i");
  EXPECT_LT(InkWidth(Shot(wnd)), 12);
  viewtest::PressKey(VK_BACK);
  EXPECT_GT(InkWidth(Shot(wnd)), 60);
}

TEST(Edit, EnterCallsTheCallbackAndIsConsumed) {
  StandardEditSpy spy;
  viewtest::HostWindow host;
  ZuEdit edit;
  int calls = 0;
  std::function<void()> count = [&calls] { ++calls; };
  edit.setFuncEnterCallback(count);  // stored before the window exists
  RECT rect = {20, 20, 220, 44};
  HWND wnd = edit.Create(host, rect, L"start", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL);
  viewtest::BringToFront(host);
  SetFocus(wnd);
  ASSERT_EQ(GetFocus(), wnd);
  // A held key: a press and two auto-repeats, each a call; only the release
  // reaches the edit control.
  for (int i = 0; i < 3; ++i) viewtest::KeyDown(VK_RETURN);
  viewtest::KeyUp(VK_RETURN);
  EXPECT_EQ(calls, 3);
  EXPECT_EQ(StandardEditSpy::Take(WM_KEYDOWN, VK_RETURN), 0);
  // Other keys reach the edit control.
  viewtest::PressKey(VK_ESCAPE);
  EXPECT_EQ(StandardEditSpy::Take(WM_KEYDOWN, VK_ESCAPE), 1);
  viewtest::TypeText(L"a");  // at the caret, before the text the box was made with
  EXPECT_EQ(TextOf(wnd), L"astart");
  // An empty function clears the callback; Enter is still consumed.
  edit.setFuncEnterCallback(nullptr);
  viewtest::PressKey(VK_RETURN);
  EXPECT_EQ(calls, 3);
  EXPECT_EQ(StandardEditSpy::Take(WM_KEYDOWN, VK_RETURN), 0);
  // Through reflection the box is white; read-only, it has the platform's
  // static colour, which the box leaves to the platform.
  SetWindowTextW(wnd, L"");
  Image image = Shot(wnd);
  EXPECT_EQ(image.Count(kWhite), image.width * image.height);
  edit.SetReadOnly(1);
  image = Shot(wnd);
  const uint32_t face = viewtest::Rgb(GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(image.Count(face), image.width * image.height) << std::hex << face;
  EXPECT_NE(face, kWhite);
  edit.SetReadOnly(0);
  // A callback may destroy its box.
  std::function<void()> close = [&edit] { DestroyWindow(edit); };
  edit.setFuncEnterCallback(close);
  viewtest::PressKey(VK_RETURN);
  EXPECT_FALSE(IsWindow(wnd));
}

TEST(Link, PaintsItsClientAreaBlackAtAnySizeAndWhenPrinted) {
  viewtest::HostWindow host;
  ZuLink link;
  RECT rect = {10, 10, 210, 34};
  HWND wnd = link.Create(host, rect, L"Read the <a href=\"https://example.com\">terms</a>");
  ASSERT_NE(wnd, nullptr);
  SetWindowPos(wnd, nullptr, 0, 0, 340, 70, SWP_NOMOVE | SWP_NOZORDER);
  viewtest::PumpUntilIdle();
  EXPECT_EQ(viewtest::RectInParent(wnd), (RECT{10, 10, 350, 80}));
  EXPECT_EQ(viewtest::CaptureClient(wnd).Count(0), 340 * 70);
  // Printing shows the same, onto a white page.
  viewtest::MemoryCanvas page(340, 70);
  SendMessageW(wnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(page.dc), PRF_CLIENT);
  EXPECT_EQ(page.Pixels().Count(0), 340 * 70);
  // A label without a size paints nothing and survives its paints.
  ZuLink empty;
  RedrawWindow(empty.Create(host, nullptr, L"<a>x</a>"), nullptr, nullptr,
               RDW_INVALIDATE | RDW_UPDATENOW);
}

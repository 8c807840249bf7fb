// A link label: the platform's SysLink (markup, keyboard, NM_CLICK) showing
// its text and link. The parent opens the link on NM_CLICK.
#include "example.h"

#include <shellapi.h>

namespace {

LRESULT CALLBACK Proc(HWND wnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  if (msg == WM_NOTIFY) {
    const auto* link = reinterpret_cast<const NMLINK*>(lparam);
    if (link->hdr.code == NM_CLICK || link->hdr.code == NM_RETURN) {
      ShellExecuteW(nullptr, L"open", link->item.szUrl, nullptr, nullptr, SW_SHOWNORMAL);
    }
  }
  LRESULT result = 0;
  if (view::ReflectNotification(wnd, msg, wparam, lparam, &result)) return result;
  if (msg == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcW(wnd, msg, wparam, lparam);
}

struct LinkExample : example::Content {
  ZuLink link;

  void Build(HWND wnd) {
    RECT rect = {20, 20, 300, 44};
    link.Create(wnd, &rect, L"Read the <a href=\"https://example.com/\">guide</a>", 0, 0, 1);
    link.SetDrawLinks(true);  // show the text and its link (off: a black fill)
  }
};

}  // namespace

int main(int argc, char** argv) {
  return example::Run<LinkExample>(argc, argv, L"Link", 320, 64, Proc);
}

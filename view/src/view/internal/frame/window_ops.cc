#include "view/internal/frame/window_ops.h"

#include "view/internal/frame/module.h"

namespace view::frame {

RECT ClientResizeTarget(const RECT& client, int width, int height) {
  RECT target = client;
  if (width != -1) target.right = width;
  if (height != -1) target.bottom = height;
  return target;
}

bool ResizeClient(HWND wnd, int width, int height, bool redraw) {
  RECT client = {};
  if (!IsWindow(wnd) || !GetClientRect(wnd, &client)) return false;
  RECT target = ClientResizeTarget(client, width, height);
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(wnd, GWL_STYLE));
  const auto ex_style = static_cast<DWORD>(GetWindowLongPtrW(wnd, GWL_EXSTYLE));
  const BOOL menu = (style & WS_CHILD) == 0 && GetMenu(wnd) != nullptr;
  if (!AdjustWindowRectEx(&target, style, menu, ex_style)) return false;
  UINT flags = SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE;
  if (!redraw) flags |= SWP_NOREDRAW;
  return SetWindowPos(wnd, nullptr, 0, 0, target.right - target.left, target.bottom - target.top,
                      flags) != FALSE;
}

HWND CreateTooltipWindow(HWND owner) {
  ActivationScope activation;
  return CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                         CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, Module::Get().instance(),
                         nullptr);
}

bool AddTooltipTool(HWND tooltip, HWND control, const wchar_t* text) {
  if (tooltip == nullptr || control == nullptr) return false;
  TTTOOLINFOW info = {};
  info.cbSize = sizeof(info);  // the larger record of common controls 6
  info.uFlags = TTF_IDISHWND;
  info.hwnd = GetParent(control);
  info.uId = reinterpret_cast<UINT_PTR>(control);
  info.hinst = Module::Get().instance();
  info.lpszText = const_cast<wchar_t*>(text);
  return SendMessageW(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info)) != 0;
}

}  // namespace view::frame

#pragma once

#include "view/internal/frame/window_impl.h"

// The implementation behind ZuLink: a superclassed "SysLink" window whose
// paint is a black fill through a memory DC; everything else is the
// platform link control's.
class BASLink : public view::frame::StandardControl<BASLink> {
 public:
  static constexpr const wchar_t* kStandardClass = L"SysLink";
  static constexpr const wchar_t* kPublicClass = view::kLinkClass;

  bool ProcessWindowMessage(HWND wnd, UINT msg, WPARAM wparam, LPARAM lparam, LRESULT& result,
                            DWORD map_id) override;

  // Fills the client area black on `dc`, through an off-screen
  // bitmap so that the screen changes in one step.
  void Paint(HDC dc);
};

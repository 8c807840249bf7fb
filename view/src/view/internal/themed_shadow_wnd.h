#pragma once

// The drop shadow of a top-level window: a layered, click-through window that
// is never activated, of its parent's size, placed a few pixels right of and
// below the parent, painted with a per-pixel-alpha image of a soft rounded
// band along its right and bottom edges. It follows the parent by hooking the
// parent's window procedure.

#include <memory>

#include "view/graphics_helpers.h"
#include "view/internal/frame/scoped.h"
#include "view/internal/frame/window_impl.h"

class CThemedShadowWnd;

// Links a hooked parent to its shadow. Its address sits in the parent's
// GWLP_USERDATA while the hook is installed (the parent must leave that slot
// to it), so a parent carries at most one shadow.
struct ShadowHookRecord {
  WNDPROC previous_proc = nullptr;  // the parent's procedure before the hook
  CThemedShadowWnd* shadow = nullptr;  // null once the shadow has let go
  HWND parent = nullptr;
  LONG_PTR previous_user_data = 0;  // given back with the procedure
  int running = 0;        // ShadowParentProc calls in progress for the parent
  bool released = false;  // nothing leads here any more; freed when running is 0
};

// The hooked parent's window procedure: moves, shows and hides the shadow,
// then passes every message on to the parent's previous procedure.
LRESULT CALLBACK ShadowParentProc(HWND wnd, UINT msg, WPARAM wparam, LPARAM lparam);

namespace view {
namespace internal {

// Where the shadow window goes for a parent window rectangle (screen
// coordinates): shifted right and down by the shadow size less the round
// offsets, with the parent's size.
struct ShadowPlacement {
  int x;
  int y;
  int width;
  int height;
};
ShadowPlacement PlaceShadow(const RECT& parent_window, int shadow_size, int round_offset_x,
                            int round_offset_y);

// The part of the shadow image left unpainted because the parent covers it:
// the rectangle at the client's top-left corner whose width and height fall
// short of the client's by shadow_size + right_offset_area (never negative).
RECT ShadowExcludedRect(const RECT& client, int shadow_size, int right_offset_area);

// The setters' rules: a shadow size outside 1..255 and a negative offset area
// fall back to the defaults.
constexpr int kDefaultShadowSize = 5;
constexpr int kDefaultRightOffsetArea = 1;
int ValidShadowSize(int size);
int ValidRightOffsetArea(int area);

// The corner radius of the shadow's rounded rectangle, and the constant
// opacity the whole shadow image is shown with.
constexpr int kShadowCornerRadius = 10;
constexpr BYTE kShadowOpacity = 128;

// How many hook records are alive (installed, or waiting for a running hook
// call to return).
size_t LiveShadowHookRecords();

}  // namespace internal
}  // namespace view

class CThemedShadowWnd : public view::frame::WindowImpl {
 public:
  static view::frame::ClassRecord& GetClassRecord();

  CThemedShadowWnd() = default;
  ~CThemedShadowWnd() override;

  // Creates the shadow window for `parent` (visible, 0 x 0 at (1, 1), owned
  // by `parent`) and hooks the parent. Null when `parent` is not a window,
  // when it already carries a shadow, or when the window cannot be made.
  HWND Create(HWND parent);
  // The window followed from now on; the hook stays on the window given to
  // Create.
  void SetThemeParent(HWND parent) { themeParent = parent; }
  // Moves the shadow under the theme parent and rebuilds the image when the
  // shadow's size changed.
  void AdjustWindowPos();
  void SetShadowSize(int size) { shadowSize = view::internal::ValidShadowSize(size); }
  void SetRightOffsetArea(int area) {
    rightOffsetArea = view::internal::ValidRightOffsetArea(area);
  }
  void SetRoundOffset(int y, int x) {
    roundOffsetY = y;
    roundOffsetX = x;
  }

  bool ProcessWindowMessage(HWND wnd, UINT msg, WPARAM wparam, LPARAM lparam, LRESULT& result,
                            DWORD map_id = 0) override;
  void OnFinalMessage(HWND wnd) override;
  void OnLastWrapperReleased() override;

  // Read access to the state, for diagnostics and tests.
  HWND theme_parent() const { return themeParent; }
  HWND hooked_parent() const { return hook_ != nullptr ? hook_->parent : nullptr; }
  int shadow_size() const { return shadowSize; }
  int right_offset_area() const { return rightOffsetArea; }
  int round_offset_x() const { return roundOffsetX; }
  int round_offset_y() const { return roundOffsetY; }
  const RECT& client_rect() const { return clientRect; }
  Gdiplus::Bitmap* shadow_image() const { return shadowImage.get(); }
  HBITMAP shadow_bitmap() const { return shadowBitmap.get(); }
  // How many times the image has been built since construction.
  int image_builds() const { return imageBuilds; }

 private:
  friend LRESULT CALLBACK ShadowParentProc(HWND, UINT, WPARAM, LPARAM);

  LRESULT OnCreate();
  void BuildShadowImage();
  bool HookParent(HWND parent);
  void UnhookParent();

  HWND themeParent = nullptr;
  int shadowSize = view::internal::kDefaultShadowSize;
  RECT clientRect = {0, 0, 0, 0};
  std::unique_ptr<Gdiplus::Bitmap> shadowImage;
  view::frame::ScopedGdiObject<HBITMAP> shadowBitmap;
  CPathHelper shadowPath;
  BOOL needsRedraw = FALSE;
  int rightOffsetArea = view::internal::kDefaultRightOffsetArea;
  int roundOffsetY = 0;
  int roundOffsetX = 0;

  ShadowHookRecord* hook_ = nullptr;  // while this shadow's hook is installed
  int imageBuilds = 0;
};

#pragma once

// The drop shadow of a top-level window: a layered, click-through window that
// is never activated, of its parent's size, placed a few pixels right of and
// below the parent, painted with a per-pixel-alpha image of a soft rounded
// band along its right and bottom edges. It follows the parent by hooking the
// parent's window procedure through the frame's subclassing (a window
// property), so the parent's GWLP_USERDATA stays the application's.

#include <memory>

#include "view/graphics_helpers.h"
#include "view/internal/frame/dpi.h"
#include "view/internal/frame/scoped.h"
#include "view/internal/frame/window_impl.h"

// The procedure a hooked parent runs: the frame's subclass procedure, which
// hands the parent's messages to its shadow's hook.
inline constexpr auto& ShadowParentProc = view::frame::WindowImpl::SubclassProc;

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
// The shadow's opacity in a palette whose shadow strength is `strength`
// (0-255): kShadowOpacity at full strength.
constexpr BYTE ShadowOpacity(int strength) {
  return static_cast<BYTE>(kShadowOpacity * (strength < 0 ? 0 : strength > 255 ? 255 : strength) /
                           255);
}

// How many shadow hooks on parents are alive (installed, or waiting to take
// themselves out once no other procedure sits on top of them).
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
  // The shadow is shown again at the palette's strength (softer on dark),
  // and its window told the platform's dark mode where there is one.
  void OnPaletteChanged() override;
  void OnLastWrapperReleased() override;
  // The band, shift and corner at the new factor: placed and built again.
  void OnDpiChanged(float factor) override;

  // Read access to the state, for diagnostics and tests.
  HWND theme_parent() const { return themeParent; }
  HWND hooked_parent() const { return hook_ ? hook_->m_hWnd : nullptr; }
  int shadow_size() const { return shadowSize; }
  int right_offset_area() const { return rightOffsetArea; }
  int round_offset_x() const { return roundOffsetX; }
  int round_offset_y() const { return roundOffsetY; }
  const RECT& client_rect() const { return clientRect; }
  Gdiplus::Bitmap* shadow_image() const { return shadowImage.get(); }
  HBITMAP shadow_bitmap() const { return shadowBitmap.get(); }
  // The factor the shadow's lengths are drawn at (1 but in the per-monitor
  // mode).
  float dpi_factor() const { return dpiFactor; }
  // How many times the image has been built since construction.
  int image_builds() const { return imageBuilds; }

 private:
  // The parent's messages, which reach the shadow through its hook.
  static constexpr DWORD kParentMap = 1;
  bool ProcessParentMessage(HWND parent, UINT msg, WPARAM wparam, LPARAM lparam);
  // Takes the shadow off the screen at once (the parent is hiding or going).
  void Hide();
  LRESULT OnCreate();
  void BuildShadowImage();
  // Fills the band of the shadow image along `path`, and shows the image's
  // bitmap in the layered window.
  void PaintShadow(Gdiplus::GraphicsPath& path);
  bool platform_dark_ = false;
  void ShowShadowBitmap();
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

  view::frame::ScopedRef<view::frame::WindowHook> hook_;  // while the parent is hooked
  int imageBuilds = 0;
  float dpiFactor = 1.0f;
  // A length given for 96 DPI at the shadow's factor.
  int Scaled(int length) const { return view::frame::DpiScaleInt(length, dpiFactor); }
};

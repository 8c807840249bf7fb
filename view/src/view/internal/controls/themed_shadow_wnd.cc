#include "view/internal/controls/themed_shadow_wnd.h"

#include <dwmapi.h>

#include "view/internal/drawing/gdiplus_new.h"
#include "view/internal/frame/palette.h"

namespace view {
namespace internal {

ShadowPlacement PlaceShadow(const RECT& parent_window, int shadow_size, int round_offset_x,
                            int round_offset_y) {
  return {parent_window.left + shadow_size - round_offset_x,
          parent_window.top + shadow_size - round_offset_y,
          parent_window.right - parent_window.left, parent_window.bottom - parent_window.top};
}

RECT ShadowExcludedRect(const RECT& client, int shadow_size, int right_offset_area) {
  const int band = shadow_size + right_offset_area;
  const int width = std::max(0, static_cast<int>(client.right - client.left) - band);
  const int height = std::max(0, static_cast<int>(client.bottom - client.top) - band);
  return {client.left, client.top, client.left + width, client.top + height};
}

int ValidShadowSize(int size) { return size >= 1 && size <= 255 ? size : kDefaultShadowSize; }

int ValidRightOffsetArea(int area) { return area >= 0 ? area : kDefaultRightOffsetArea; }

}  // namespace internal
}  // namespace view

namespace {

size_t g_live_hooks = 0;

// The frame's hook on a shadow's parent, counted.
class ShadowParentHook : public view::frame::WindowHook {
 public:
  explicit ShadowParentHook(view::frame::WindowImpl* shadow, DWORD map_id)
      : WindowHook(shadow, map_id) {
    ++g_live_hooks;
  }
  ~ShadowParentHook() override { --g_live_hooks; }
};

}  // namespace

size_t view::internal::LiveShadowHookRecords() { return g_live_hooks; }

view::frame::ClassRecord& CThemedShadowWnd::GetClassRecord() {
  static view::frame::ClassRecord record([] {
    WNDCLASSEXW desc = {};
    desc.cbSize = sizeof(desc);
    desc.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    desc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    desc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
    desc.lpszClassName = L"WTL_ThemedShadowWindow";
    return desc;
  }());
  return record;
}

CThemedShadowWnd::~CThemedShadowWnd() { UnhookParent(); }

HWND CThemedShadowWnd::Create(HWND parent) {
  if (!IsWindow(parent)) return nullptr;
  themeParent = parent;
  const RECT origin = {1, 1, 1, 1};
  return CreateWindowOfClass<CThemedShadowWnd>(parent, &origin, nullptr, WS_VISIBLE, 0, nullptr,
                                               nullptr);
}

bool CThemedShadowWnd::ProcessParentMessage(HWND parent, UINT msg, WPARAM wparam,
                                            LPARAM lparam) {
  switch (msg) {
    case WM_MOVE:
    case WM_SIZE:
    case WM_ACTIVATE:
    case WM_ERASEBKGND:
    case WM_NCACTIVATE:
      if (IsWindowVisible(parent)) AdjustWindowPos();
      break;
    case WM_SHOWWINDOW:
      if (m_hWnd != nullptr) ShowWindow(m_hWnd, wparam != 0 ? SW_SHOW : SW_HIDE);
      break;
    case WM_WINDOWPOSCHANGING:
      // DestroyWindow hides a top-level window this way (no WM_SHOWWINDOW)
      // before it destroys the windows it owns: the shadow leaves the
      // screen with its parent, not after it.
      if ((reinterpret_cast<const WINDOWPOS*>(lparam)->flags & SWP_HIDEWINDOW) != 0) Hide();
      break;
    case WM_DESTROY:
      Hide();
      break;
    case WM_NCDESTROY:
      hook_.reset();  // the frame gives the parent its procedure back
      break;
    case view::frame::kWmDpiChanged:
      // The parent's own change, which its procedure handles as well.
      if (follows_dpi()) OnDpiChanged(view::frame::DpiFactorOf(LOWORD(wparam)));
      break;
    default:
      break;
  }
  return false;  // the parent's own procedure handles every message
}

bool CThemedShadowWnd::ProcessWindowMessage(HWND wnd, UINT msg, WPARAM wparam, LPARAM lparam,
                                            LRESULT& result, DWORD map_id) {
  if (map_id == kParentMap) return ProcessParentMessage(wnd, msg, wparam, lparam);
  switch (msg) {
    case WM_CREATE:
      result = OnCreate();
      return true;
    case WM_SIZE:
      needsRedraw = TRUE;
      return false;
    case WM_DESTROY:
      result = 0;
      return true;
    case WM_WINDOWPOSCHANGING:
      // Never activated, whoever shows or moves it: showing a window with
      // SW_SHOW (as its creation with WS_VISIBLE does) would otherwise
      // activate it despite WS_EX_NOACTIVATE.
      reinterpret_cast<WINDOWPOS*>(lparam)->flags |= SWP_NOACTIVATE;
      return false;
    default:
      return view::frame::DefaultReflectionHandler(wnd, msg, wparam, lparam, result);
  }
}

LRESULT CThemedShadowWnd::OnCreate() {
  if (follows_dpi()) dpiFactor = view::frame::WindowDpiFactor(themeParent);
  const LONG_PTR style = GetWindowLongPtrW(m_hWnd, GWL_STYLE);
  SetWindowLongPtrW(m_hWnd, GWL_STYLE, style & ~static_cast<LONG_PTR>(WS_CAPTION | WS_THICKFRAME |
                                                                      WS_MAXIMIZEBOX));
  LONG_PTR ex_style = GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE);
  ex_style |= WS_EX_LAYERED | WS_EX_TRANSPARENT;
  ex_style = (ex_style & ~static_cast<LONG_PTR>(WS_EX_TOPMOST)) | WS_EX_NOACTIVATE;
  SetWindowLongPtrW(m_hWnd, GWL_EXSTYLE, ex_style);
  // A parent that cannot be hooked (it carries a shadow already) gets none:
  // the creation fails.
  return HookParent(themeParent) ? 0 : -1;
}

bool CThemedShadowWnd::HookParent(HWND parent) {
  if (hook_ || !IsWindow(parent)) return false;
  hook_.reset(new ShadowParentHook(this, kParentMap));
  // Refused when the parent carries a shadow already or is another process's.
  if (!hook_->SubclassWindow(parent)) hook_.reset();
  return static_cast<bool>(hook_);
}

void CThemedShadowWnd::UnhookParent() {
  if (hook_) hook_->Detach();
  hook_.reset();
}

void CThemedShadowWnd::OnFinalMessage(HWND) { UnhookParent(); }

void CThemedShadowWnd::Hide() {
  if (m_hWnd == nullptr || !IsWindowVisible(m_hWnd)) return;
  SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
               SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER |
                   SWP_NOOWNERZORDER);
}

void CThemedShadowWnd::OnLastWrapperReleased() {
  // The shadow window is the shadow's own: it goes with the last wrapper.
  if (m_hWnd != nullptr) DestroyWindow(m_hWnd);
  UnhookParent();
}

void CThemedShadowWnd::AdjustWindowPos() {
  RECT parent = {};
  if (m_hWnd == nullptr || !GetWindowRect(themeParent, &parent)) return;
  const auto place = view::internal::PlaceShadow(parent, Scaled(shadowSize), Scaled(roundOffsetX),
                                                 Scaled(roundOffsetY));
  SetWindowPos(m_hWnd, themeParent, place.x, place.y, place.width, place.height, SWP_NOACTIVATE);
  GetClientRect(m_hWnd, &clientRect);
  if (needsRedraw) {
    needsRedraw = FALSE;
    BuildShadowImage();
  }
}

void CThemedShadowWnd::OnDpiChanged(float factor) {
  if (factor == dpiFactor) return;
  dpiFactor = factor;
  needsRedraw = TRUE;
  if (IsWindowVisible(themeParent)) AdjustWindowPos();
}

void CThemedShadowWnd::BuildShadowImage() {
  ++imageBuilds;
  shadowImage.reset();
  shadowBitmap.reset();
  const int width = clientRect.right - clientRect.left;
  const int height = clientRect.bottom - clientRect.top;
  if (width <= 0 || height <= 0) return;

  Gdiplus::GraphicsPath* path = shadowPath.CreateRoundRect(
      Gdiplus::Rect(clientRect.left, clientRect.top, width, height),
      Scaled(view::internal::kShadowCornerRadius));
  shadowImage.reset(view::internal::NewGdiplus<Gdiplus::Bitmap>(width, height,
                                                                PixelFormat32bppARGB));
  if (path == nullptr || shadowImage == nullptr || shadowImage->GetLastStatus() != Gdiplus::Ok) {
    return;
  }
  PaintShadow(*path);

  HBITMAP bitmap = nullptr;
  if (shadowImage->GetHBITMAP(Gdiplus::Color(0xFF000000), &bitmap) != Gdiplus::Ok) bitmap = nullptr;
  shadowBitmap.reset(bitmap);
  if (!shadowBitmap) return;  // the window keeps what it showed
  ShowShadowBitmap();
}

void CThemedShadowWnd::PaintShadow(Gdiplus::GraphicsPath& path) {
  Gdiplus::Graphics graphics(shadowImage.get());
  graphics.Clear(Gdiplus::Color(0, 0, 0, 0));
  Gdiplus::PathGradientBrush brush(&path);
  // What GDI+ uses when it does not honour the preset blend below (Wine's
  // fills linearly from the centre colour to the surround colours);
  // Windows ignores both once a preset blend is set.
  brush.SetCenterColor(Gdiplus::Color(255, 0, 0, 0));
  Gdiplus::Color surround(0, 0, 0, 0);
  INT surround_count = 1;
  brush.SetSurroundColors(&surround, &surround_count);
  // Transparent at the outline, full black 5 % of the way to the centre.
  const Gdiplus::Color colors[3] = {Gdiplus::Color(0x00FFFFFF), Gdiplus::Color(0xFF000000),
                                    Gdiplus::Color(0xFF000000)};
  Gdiplus::REAL positions[3] = {0.0f, 0.05f, 1.0f};
  brush.SetInterpolationColors(colors, positions, 3);

  const RECT excluded =
      view::internal::ShadowExcludedRect(clientRect, Scaled(shadowSize), Scaled(rightOffsetArea));
  graphics.ExcludeClip(Gdiplus::Rect(excluded.left, excluded.top, excluded.right - excluded.left,
                                     excluded.bottom - excluded.top));
  graphics.FillPath(&brush, &path);
}

void CThemedShadowWnd::ShowShadowBitmap() {
  const view::frame::ScopedWindowDc screen(nullptr);
  view::frame::ScopedHdc memory(CreateCompatibleDC(screen.get()));
  if (!memory) return;
  const view::frame::SelectObjectScope select(memory.get(), shadowBitmap.get());
  RECT window = {};
  GetWindowRect(m_hWnd, &window);
  BITMAP info = {};
  GetObjectW(shadowBitmap.get(), sizeof(info), &info);
  POINT destination = {window.left, window.top};
  SIZE size = {info.bmWidth, info.bmHeight};
  POINT source = {0, 0};
  const BYTE opacity = view::internal::ShadowOpacity(view::frame::CurrentPalette().shadow_strength);
  BLENDFUNCTION blend = {AC_SRC_OVER, 0, opacity, AC_SRC_ALPHA};
  UpdateLayeredWindow(m_hWnd, screen.get(), &destination, &size, memory.get(), &source, 0, &blend,
                      ULW_ALPHA);
}

void CThemedShadowWnd::OnPaletteChanged() {
  const bool dark = view::frame::CurrentPaletteKind() == view::frame::PaletteKind::kDark;
  if (dark || platform_dark_) {
    // DWMWA_USE_IMMERSIVE_DARK_MODE; refused where the platform lacks it.
    const BOOL value = dark ? TRUE : FALSE;
    DwmSetWindowAttribute(m_hWnd, 20, &value, sizeof(value));
    platform_dark_ = dark;
  }
  if (shadowBitmap) ShowShadowBitmap();
}

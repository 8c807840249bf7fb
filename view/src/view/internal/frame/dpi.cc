#include "view/internal/frame/dpi.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cwchar>
#include <map>
#include <mutex>

#include "view/dpi.h"
#include "view/internal/frame/window_impl.h"

namespace view {
namespace {

std::atomic<int> g_mode{static_cast<int>(DpiMode::kApplication)};

// The registered variants of each base image, by scale.
std::mutex g_variants_lock;
std::atomic<unsigned> g_variants_generation{0};
std::map<Gdiplus::Image*, std::map<float, Gdiplus::Image*>>& Variants() {
  static std::map<Gdiplus::Image*, std::map<float, Gdiplus::Image*>> variants;
  return variants;
}

}  // namespace

void SetDpiMode(DpiMode mode) {
  if (mode != DpiMode::kApplication && mode != DpiMode::kPerMonitor) return;
  g_mode = static_cast<int>(mode);
}

DpiMode GetDpiMode() { return static_cast<DpiMode>(g_mode.load()); }

bool RegisterImageVariant(Gdiplus::Bitmap* base, Gdiplus::Bitmap* variant, float scale) {
  if (base == nullptr || variant == nullptr || !(scale > 0.0f)) return false;
  const std::lock_guard<std::mutex> lock(g_variants_lock);
  Variants()[base][scale] = variant;
  ++g_variants_generation;
  return true;
}

void UnregisterImageVariants(Gdiplus::Bitmap* base) {
  const std::lock_guard<std::mutex> lock(g_variants_lock);
  if (Variants().erase(base) != 0) ++g_variants_generation;
}

}  // namespace view

namespace view::frame {
namespace {

constexpr float kMinFactor = 1.0f;
constexpr float kMaxFactor = 8.0f;
std::atomic<int> g_testing_dpi{0};

int SystemDpi() {
  HDC screen = ::GetDC(nullptr);
  const int dpi = screen != nullptr ? ::GetDeviceCaps(screen, LOGPIXELSX) : 96;
  if (screen != nullptr) ::ReleaseDC(nullptr, screen);
  return dpi;
}

// GetDpiForWindow appeared in Windows 10 1607: looked up, not linked.
int DpiOfWindow(HWND wnd) {
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  static const auto get_dpi = reinterpret_cast<GetDpiForWindowFn>(reinterpret_cast<void*>(
      ::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  const UINT dpi = get_dpi != nullptr && wnd != nullptr ? get_dpi(wnd) : 0;
  return dpi != 0 ? static_cast<int>(dpi) : SystemDpi();
}

}  // namespace

float ClampDpiFactor(float factor) {
  if (!(factor >= kMinFactor)) return kMinFactor;  // NaN, zero, negative, below 1x
  return std::min(factor, kMaxFactor);
}

float DpiFactorOf(int dpi) { return ClampDpiFactor(static_cast<float>(dpi) / 96.0f); }

float WindowDpiFactor(HWND wnd) {
  const int testing = g_testing_dpi.load();
  return DpiFactorOf(testing != 0 ? testing : DpiOfWindow(wnd));
}

void SetWindowDpiForTesting(int dpi) { g_testing_dpi = dpi; }

bool PerMonitorDpi() { return view::GetDpiMode() == view::DpiMode::kPerMonitor; }

float CreationDpiFactor(HWND parent, float app_factor) {
  return PerMonitorDpi() ? WindowDpiFactor(parent) : app_factor;
}

int RescaleLength(int px, float from, float to) {
  if (from == to) return px;
  const int logical = static_cast<int>(std::ceil(static_cast<float>(px) / from - 0.001f));
  return DpiScaleInt(logical, to);
}

unsigned ImageVariantsGeneration() { return view::g_variants_generation.load(); }

Gdiplus::Image* ImageVariantFor(Gdiplus::Image* image, int width) {
  const std::lock_guard<std::mutex> lock(view::g_variants_lock);
  const auto found = view::Variants().find(image);
  if (found == view::Variants().end() || image->GetWidth() == 0) return image;
  const float factor = static_cast<float>(width) / static_cast<float>(image->GetWidth());
  if (factor <= 1.0f) return image;
  const auto at_or_above = found->second.lower_bound(factor);
  return at_or_above != found->second.end() ? at_or_above->second : found->second.rbegin()->second;
}

UINT DpiChangedMessage() {
  static const UINT message = ::RegisterWindowMessageW(L"view.DpiChanged");
  return message;
}

void SendDpiChanged(HWND top, int dpi) {
  if (top == nullptr) return;
  SendToLibraryChildren(top, DpiChangedMessage(), static_cast<WPARAM>(dpi));
}

namespace {

// Copies of fonts at a factor, by the font they copy and the factor, held
// weakly: a copy lives while a control holds it. A copy is handed out again
// only while `fits` finds it still matches the font at that address (an
// application may delete a font and make another where it was).
template <class Copy>
class SharedCopies {
 public:
  template <class Make, class Fits>
  std::shared_ptr<Copy> Get(const void* source, float factor, Make make, Fits fits) {
    std::lock_guard<std::mutex> guard(lock_);
    for (auto it = copies_.begin(); it != copies_.end();) {
      it = it->second.expired() ? copies_.erase(it) : std::next(it);
    }
    std::weak_ptr<Copy>& slot = copies_[{source, factor}];
    if (std::shared_ptr<Copy> kept = slot.lock(); kept != nullptr && fits(*kept)) return kept;
    std::shared_ptr<Copy> made = make();
    slot = made;
    return made;
  }

 private:
  std::mutex lock_;
  std::map<std::pair<const void*, float>, std::weak_ptr<Copy>> copies_;
};

SharedCopies<Gdiplus::Font>& FontCopies() {
  static SharedCopies<Gdiplus::Font> copies;
  return copies;
}
SharedCopies<HFONT__>& HFontCopies() {
  static SharedCopies<HFONT__> copies;
  return copies;
}

}  // namespace

Gdiplus::Font* ScaledFont::Get(Gdiplus::Font* given, float factor) {
  if (given == nullptr || factor == 1.0f) {
    Reset();
    return given;
  }
  if (copy_ != nullptr && source_ == given && factor_ == factor) return copy_.get();
  Reset();
  const float size = given->GetSize() * factor;
  copy_ = FontCopies().Get(
      given, factor,
      [&]() -> std::shared_ptr<Gdiplus::Font> {
        Gdiplus::FontFamily family;
        if (given->GetFamily(&family) != Gdiplus::Ok) return nullptr;
        auto copy = std::make_shared<Gdiplus::Font>(&family, size, given->GetStyle(),
                                                    given->GetUnit());
        return copy->GetLastStatus() == Gdiplus::Ok ? copy : nullptr;
      },
      [&](Gdiplus::Font& kept) {
        return kept.GetSize() == size && kept.GetStyle() == given->GetStyle() &&
               kept.GetUnit() == given->GetUnit();
      });
  if (copy_ == nullptr) return given;
  source_ = given;
  factor_ = factor;
  return copy_.get();
}

HFONT ScaledHFont::Get(HFONT given, float factor) {
  if (given == nullptr || factor == 1.0f) {
    Reset();
    return given;
  }
  if (copy_ != nullptr && source_ == given && factor_ == factor) return copy_.get();
  Reset();
  LOGFONTW font = {};
  if (::GetObjectW(given, sizeof(font), &font) != sizeof(font) || font.lfHeight == 0) {
    return given;
  }
  font.lfHeight = static_cast<LONG>(static_cast<float>(font.lfHeight) * factor);
  font.lfWidth = static_cast<LONG>(static_cast<float>(font.lfWidth) * factor);
  copy_ = HFontCopies().Get(
      given, factor,
      [&]() -> std::shared_ptr<HFONT__> {
        HFONT copy = ::CreateFontIndirectW(&font);
        if (copy == nullptr) return nullptr;
        return std::shared_ptr<HFONT__>(copy, [](HFONT made) { ::DeleteObject(made); });
      },
      [&](HFONT__& kept) {
        LOGFONTW k = {};
        return ::GetObjectW(&kept, sizeof(k), &k) == sizeof(k) && k.lfHeight == font.lfHeight &&
               k.lfWidth == font.lfWidth && k.lfWeight == font.lfWeight &&
               k.lfItalic == font.lfItalic && k.lfCharSet == font.lfCharSet &&
               std::wcsncmp(k.lfFaceName, font.lfFaceName, LF_FACESIZE) == 0;
      });
  if (copy_ == nullptr) return given;
  source_ = given;
  factor_ = factor;
  return copy_.get();
}

void ScaledHFont::Reset() {
  copy_.reset();
  source_ = nullptr;
  factor_ = 1.0f;
}

void ScaledFont::Reset() {
  copy_.reset();
  source_ = nullptr;
  factor_ = 1.0f;
}

bool FollowedFont::Process(WindowImpl& control, UINT msg, WPARAM wparam, LPARAM lparam,
                          LRESULT& result) {
  if (!control.follows_dpi()) return false;
  switch (msg) {
    case WM_CREATE:
      factor_ = WindowDpiFactor(control.m_hWnd);
      result = control.DefWindowProc(msg, wparam, lparam);
      if (result != -1) {
        base_ = BaseFontOf(reinterpret_cast<HFONT>(control.DefWindowProc(WM_GETFONT, 0, 0)),
                           fallback_, default_);
        if (factor_ != 1.0f) Apply(control, FALSE);
      }
      return true;
    case WM_SETFONT:
      given_ = reinterpret_cast<HFONT>(wparam);
      Apply(control, static_cast<BOOL>(LOWORD(lparam)));
      result = 0;
      return true;
    case WM_GETFONT:
      result = reinterpret_cast<LRESULT>(given_);
      return true;
    default:
      return false;
  }
}

void FollowedFont::Rescale(WindowImpl& control, float factor) {
  factor_ = factor;
  Apply(control, TRUE);
}

void FollowedFont::Apply(WindowImpl& control, BOOL redraw) {
  control.DefWindowProc(WM_SETFONT, reinterpret_cast<WPARAM>(painted()), redraw);
}

void TooltipFont::Apply(HWND tooltip, float factor) {
  if (tooltip == nullptr) return;
  if (base_ == nullptr) {
    base_ = BaseFontOf(reinterpret_cast<HFONT>(::SendMessageW(tooltip, WM_GETFONT, 0, 0)),
                       DEFAULT_GUI_FONT, own_);
    if (base_ == nullptr) return;
  }
  ::SendMessageW(tooltip, WM_SETFONT, reinterpret_cast<WPARAM>(scaled_.Get(base_, factor)), FALSE);
}

HFONT BaseFontOf(HFONT own, int fallback, ScopedGdiObject<HFONT>& copy) {
  if (own == nullptr) return static_cast<HFONT>(::GetStockObject(fallback));
  LOGFONTW font = {};
  if (::GetObjectW(own, sizeof(font), &font) == sizeof(font)) {
    copy.reset(::CreateFontIndirectW(&font));
  }
  return copy.get();
}

}  // namespace view::frame

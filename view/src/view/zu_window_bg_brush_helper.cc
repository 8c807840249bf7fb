#include "view/zu_window_bg_brush_helper.h"

#include <map>
#include <memory>
#include <vector>

#include "view/internal/drawing_math.h"
#include "view/internal/frame/scoped.h"
#include "view/utils.h"

// The brush of each child, and the brushes replaced by a later AddSubWindow
// for the same child (kept until the helper goes, since the application may
// still be painting with them).
struct ZuWindowBgBrushHelper::Brushes {
  std::map<HWND, HBRUSH> current;
  std::vector<HBRUSH> retired;

  ~Brushes() {
    for (const auto& entry : current) ::DeleteObject(entry.second);
    for (HBRUSH brush : retired) ::DeleteObject(brush);
  }

  void Store(HWND child, HBRUSH brush) {
    auto found = current.find(child);
    if (found == current.end()) {
      current.emplace(child, brush);
      return;
    }
    if (found->second != nullptr) retired.push_back(found->second);
    found->second = brush;
  }
};

namespace {

// A bitmap compatible with the screen, w x h, and a memory DC holding it.
struct ScreenBitmap {
  ScreenBitmap(int width, int height) : dc(::CreateCompatibleDC(nullptr)) {
    view::frame::ScopedWindowDc screen(nullptr);
    bitmap.reset(::CreateCompatibleBitmap(screen.get(), width, height));
  }
  view::frame::ScopedHdc dc;
  view::frame::ScopedGdiObject<HBITMAP> bitmap;
};

}  // namespace

ZuWindowBgBrushHelper::ZuWindowBgBrushHelper() : brushes_(new Brushes) {}

ZuWindowBgBrushHelper::~ZuWindowBgBrushHelper() { delete brushes_; }

ZuWindowBgBrushHelper& ZuWindowBgBrushHelper::operator=(const ZuWindowBgBrushHelper& other) {
  if (brushes_ != other.brushes_) {
    delete brushes_;
    brushes_ = other.brushes_;
  }
  return *this;
}

void ZuWindowBgBrushHelper::AddSubWindow(HWND child, Gdiplus::Image* parent_background,
                                         int offsetx, int offsety) {
  if (child == nullptr || parent_background == nullptr) return;
  const RECT rect = Utils::GetWindowRelativeRect(child);
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  ScreenBitmap piece(width, height);
  if (!piece.dc || !piece.bitmap) return;
  {
    view::frame::SelectObjectScope selected(piece.dc.get(), piece.bitmap.get());
    // The block behind the child, clipped to the picture: never a read
    // outside it.
    const long long src_x = static_cast<long long>(offsetx) + rect.left;
    const long long src_y = static_cast<long long>(offsety) + rect.top;
    const view::internal::BlockCopy block = view::internal::ClipBlock(
        static_cast<int>(src_x), static_cast<int>(src_y), width, height,
        static_cast<int>(parent_background->GetWidth()),
        static_cast<int>(parent_background->GetHeight()));
    if (block.width > 0 && block.height > 0) {
      Gdiplus::Graphics graphics(piece.dc.get());
      graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHighQuality);
      graphics.DrawImage(parent_background,
                         Gdiplus::Rect(block.dstX, block.dstY, block.width, block.height),
                         block.srcX, block.srcY, block.width, block.height, Gdiplus::UnitPixel);
    }
  }
  brushes_->Store(child, ::CreatePatternBrush(piece.bitmap.get()));
}

void ZuWindowBgBrushHelper::AddSubWindow(HWND child, HBITMAP parent_background) {
  if (child == nullptr || parent_background == nullptr) return;
  const RECT rect = Utils::GetWindowRelativeRect(child);
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  view::frame::ScopedHdc source_dc(::CreateCompatibleDC(nullptr));
  ScreenBitmap piece(width, height);
  if (!source_dc || !piece.dc || !piece.bitmap) return;
  {
    view::frame::SelectObjectScope source_selected(source_dc.get(), parent_background);
    view::frame::SelectObjectScope piece_selected(piece.dc.get(), piece.bitmap.get());
    ::BitBlt(piece.dc.get(), 0, 0, width, height, source_dc.get(), rect.left, rect.top, SRCCOPY);
  }
  brushes_->Store(child, ::CreatePatternBrush(piece.bitmap.get()));
}

HBRUSH ZuWindowBgBrushHelper::GetHBRUSH(HWND child) {
  const auto found = brushes_->current.find(child);
  return found != brushes_->current.end() ? found->second : nullptr;
}

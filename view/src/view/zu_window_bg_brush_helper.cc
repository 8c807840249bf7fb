#include "view/zu_window_bg_brush_helper.h"

#include <map>
#include <memory>
#include <vector>

#include "view/internal/drawing/drawing_math.h"
#include "view/internal/frame/scoped.h"
#include "view/utils.h"

// The brush of each child, and the brushes replaced by a later AddSubWindow
// for the same child (kept until the helper goes, since the application may
// still be painting with them); shared by copies of a helper and counted.
struct ZuWindowBgBrushHelper::Brushes {
  long sharers = 1;
  std::map<HWND, view::frame::ScopedBrush> current;
  std::vector<view::frame::ScopedBrush> retired;

  void Store(HWND child, HBRUSH brush) {
    view::frame::ScopedBrush& slot = current[child];
    if (slot) retired.push_back(std::move(slot));
    slot.reset(brush);
  }
  static Brushes* Share(Brushes* brushes) {
    ++brushes->sharers;
    return brushes;
  }
  static void Drop(Brushes* brushes) {
    if (--brushes->sharers == 0) delete brushes;
  }
};

namespace {

// A bitmap compatible with the screen, w x h, and a memory DC holding it.
struct ScreenBitmap {
  ScreenBitmap(int width, int height) : dc(view::frame::CreateMemoryDc(nullptr)) {
    const view::frame::ScopedWindowDc screen(nullptr);
    bitmap.reset(::CreateCompatibleBitmap(screen.get(), width, height));
  }
  view::frame::ScopedHdc dc;
  view::frame::ScopedBitmap bitmap;
};

}  // namespace

ZuWindowBgBrushHelper::ZuWindowBgBrushHelper() : brushes_(new Brushes) {}

ZuWindowBgBrushHelper::ZuWindowBgBrushHelper(const ZuWindowBgBrushHelper& other)
    : brushes_(Brushes::Share(other.brushes_)) {}

ZuWindowBgBrushHelper::~ZuWindowBgBrushHelper() { Brushes::Drop(brushes_); }

ZuWindowBgBrushHelper& ZuWindowBgBrushHelper::operator=(const ZuWindowBgBrushHelper& other) {
  Brushes* previous = brushes_;
  brushes_ = Brushes::Share(other.brushes_);
  Brushes::Drop(previous);
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
    const view::frame::SelectObjectScope selected(piece.dc.get(), piece.bitmap.get());
    // The block behind the child, clipped to the picture: never a read
    // outside it.
    const long long src_x = static_cast<long long>(offsetx) + rect.left;
    const long long src_y = static_cast<long long>(offsety) + rect.top;
    const view::internal::BlockCopy block = view::internal::ClipBlock(
        src_x, src_y, width, height,
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
  const auto source_dc = view::frame::CreateMemoryDc(nullptr);
  ScreenBitmap piece(width, height);
  if (!source_dc || !piece.dc || !piece.bitmap) return;
  {
    const view::frame::SelectObjectScope source_selected(source_dc.get(), parent_background);
    const view::frame::SelectObjectScope piece_selected(piece.dc.get(), piece.bitmap.get());
    ::BitBlt(piece.dc.get(), 0, 0, width, height, source_dc.get(), rect.left, rect.top, SRCCOPY);
  }
  brushes_->Store(child, ::CreatePatternBrush(piece.bitmap.get()));
}

HBRUSH ZuWindowBgBrushHelper::GetHBRUSH(HWND child) {
  const auto found = brushes_->current.find(child);
  return found != brushes_->current.end() ? found->second.get() : nullptr;
}

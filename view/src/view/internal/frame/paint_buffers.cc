#include "view/internal/frame/paint_buffers.h"

#include <algorithm>

namespace view::frame {

ArgbBuffer::ArgbBuffer(int width, int height) : width_(width), height_(height) {
  if (width <= 0 || height <= 0) return;
  bitmap_ = std::make_unique<Gdiplus::Bitmap>(width, height, PixelFormat32bppARGB);
  if (bitmap_->GetLastStatus() != Gdiplus::Ok) {
    bitmap_.reset();
    return;
  }
  graphics_.reset(Gdiplus::Graphics::FromImage(bitmap_.get()));
}

ArgbBuffer::~ArgbBuffer() {
  graphics_.reset();  // the graphics goes before the bitmap it draws on
  bitmap_.reset();
}

void ArgbBuffer::Present(HDC target, int x, int y) {
  if (!ok() || target == nullptr) return;
  graphics_->Flush(Gdiplus::FlushIntentionSync);
  Gdiplus::Graphics screen(target);
  Gdiplus::CachedBitmap cached(bitmap_.get(), &screen);
  screen.DrawCachedBitmap(&cached, x, y);
}

MemoryDcBuffer::MemoryDcBuffer(HDC target, const RECT& rect, bool client_coordinates)
    : target_(target),
      rect_(rect),
      client_coordinates_(client_coordinates),
      dc_(CreateCompatibleDC(target)) {
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  if (!dc_ || width <= 0 || height <= 0) return;
  bitmap_.reset(CreateCompatibleBitmap(target, width, height));
  if (!bitmap_) return;
  old_bitmap_ = SelectObject(dc_.get(), bitmap_.get());
  if (client_coordinates_) SetViewportOrgEx(dc_.get(), -rect.left, -rect.top, nullptr);
}

MemoryDcBuffer::~MemoryDcBuffer() {
  if (old_bitmap_ != nullptr) SelectObject(dc_.get(), old_bitmap_);
}

void MemoryDcBuffer::Present() {
  if (!ok()) return;
  const int width = rect_.right - rect_.left;
  const int height = rect_.bottom - rect_.top;
  const int src_x = client_coordinates_ ? rect_.left : 0;
  const int src_y = client_coordinates_ ? rect_.top : 0;
  BitBlt(target_, rect_.left, rect_.top, width, height, dc_.get(), src_x, src_y, SRCCOPY);
}

ReusableDcBuffer::~ReusableDcBuffer() { Release(); }

void ReusableDcBuffer::Release() {
  if (old_bitmap_ != nullptr) SelectObject(dc_.get(), old_bitmap_);
  old_bitmap_ = nullptr;
  bitmap_.reset();
  dc_.reset();
  target_ = nullptr;
  width_ = 0;
  height_ = 0;
}

HDC ReusableDcBuffer::Prepare(HDC target, int width, int height) {
  if (target == nullptr || width <= 0 || height <= 0) return nullptr;
  if (bitmap_ && target == target_ && width <= width_ && height <= height_) return dc_.get();
  // Grow to cover both the old and the new size, so that pieces of
  // alternating sizes do not remake the bitmap each time.
  const int new_width = target == target_ ? std::max(width, width_) : width;
  const int new_height = target == target_ ? std::max(height, height_) : height;
  Release();
  dc_.reset(CreateCompatibleDC(target));
  if (!dc_) return nullptr;
  bitmap_.reset(CreateCompatibleBitmap(target, new_width, new_height));
  if (!bitmap_) {
    dc_.reset();
    return nullptr;
  }
  old_bitmap_ = SelectObject(dc_.get(), bitmap_.get());
  target_ = target;
  width_ = new_width;
  height_ = new_height;
  return dc_.get();
}

void ReusableDcBuffer::Present(const RECT& rect) {
  if (!bitmap_ || target_ == nullptr) return;
  const int width = std::min(static_cast<int>(rect.right - rect.left), width_);
  const int height = std::min(static_cast<int>(rect.bottom - rect.top), height_);
  if (width <= 0 || height <= 0) return;
  BitBlt(target_, rect.left, rect.top, width, height, dc_.get(), 0, 0, SRCCOPY);
}

}  // namespace view::frame

#include "view/internal/frame/paint_buffers.h"

#include <algorithm>

#include <uxtheme.h>

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

std::unique_ptr<Gdiplus::CachedBitmap> ArgbBuffer::Present(HDC target, int x, int y) {
  if (!ok() || target == nullptr) return nullptr;
  graphics_->Flush(Gdiplus::FlushIntentionSync);
  Gdiplus::Graphics screen(target);
  auto cached = std::make_unique<Gdiplus::CachedBitmap>(bitmap_.get(), &screen);
  if (cached->GetLastStatus() != Gdiplus::Ok) return nullptr;
  screen.DrawCachedBitmap(cached.get(), x, y);
  return cached;
}

bool ArgbBuffer::CopyOpaquePixels(std::vector<Gdiplus::ARGB>& pixels) {
  if (!ok()) return false;
  graphics_->Flush(Gdiplus::FlushIntentionSync);
  const Gdiplus::Rect all(0, 0, width_, height_);
  Gdiplus::BitmapData data = {};
  if (bitmap_->LockBits(&all, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, &data) !=
      Gdiplus::Ok) {
    return false;
  }
  pixels.resize(static_cast<size_t>(width_) * static_cast<size_t>(height_));
  bool opaque = true;
  for (int y = 0; y < height_ && opaque; ++y) {
    const auto* row = reinterpret_cast<const Gdiplus::ARGB*>(static_cast<const BYTE*>(data.Scan0) +
                                                             static_cast<ptrdiff_t>(y) * data.Stride);
    for (int x = 0; x < width_; ++x) {
      if ((row[x] >> 24) != 0xFF) {
        opaque = false;
        break;
      }
      pixels[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)] = row[x];
    }
  }
  bitmap_->UnlockBits(&data);
  if (!opaque) pixels.clear();
  return opaque;
}

bool ShowsFocusCue(HWND wnd) {
  // The UI state belongs to the top-level window: a change made anywhere
  // goes up to it and comes down to every window beneath it.
  return wnd != nullptr && GetFocus() == wnd &&
         (SendMessageW(GetAncestor(wnd, GA_ROOT), WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) == 0;
}

void DrawFocusCue(HWND wnd, HDC dc) {
  RECT cue = {0, 0, 0, 0};
  if (!ShowsFocusCue(wnd) || !GetClientRect(wnd, &cue)) return;
  InflateRect(&cue, -2, -2);
  if (IsRectEmpty(&cue)) return;
  DrawFocusRectBlackOnWhite(dc, cue);
}

void DrawFocusRectBlackOnWhite(HDC dc, const RECT& rect) {
  // DrawFocusRect draws in the DC's text and background colours.
  const COLORREF text = SetTextColor(dc, RGB(0, 0, 0));
  const COLORREF back = SetBkColor(dc, RGB(255, 255, 255));
  DrawFocusRect(dc, &rect);
  SetTextColor(dc, text);
  SetBkColor(dc, back);
}

void FaceCache::Clear() {
  for (auto& face : faces_) face.reset();
  width_ = 0;
  height_ = 0;
}

int FaceCache::size() const {
  int kept = 0;
  for (const auto& face : faces_) kept += face != nullptr ? 1 : 0;
  return kept;
}

HBRUSH SolidBrushCache::Get(COLORREF color) {
  if (!brush_ || color != color_) {
    brush_.reset(::CreateSolidBrush(color));
    color_ = color;
  }
  return brush_.get();
}

void ApplyPlatformTheme(HWND wnd, const wchar_t* dark_class, PaletteKind kind, bool& applied) {
  const bool dark = kind == PaletteKind::kDark;
  if (wnd == nullptr || dark == applied) return;
  ::SetWindowTheme(wnd, dark ? dark_class : nullptr, nullptr);
  applied = dark;
}

void FillSolidRect(HDC dc, const RECT& rect, COLORREF color) {
  const COLORREF old = ::SetBkColor(dc, color);
  ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
  ::SetBkColor(dc, old);
}

std::vector<Gdiplus::ARGB> EncodeRuns(const std::vector<Gdiplus::ARGB>& pixels) {
  std::vector<Gdiplus::ARGB> runs;
  for (size_t i = 0; i < pixels.size();) {
    size_t end = i + 1;
    while (end < pixels.size() && pixels[end] == pixels[i]) ++end;
    runs.push_back(static_cast<Gdiplus::ARGB>(end - i));
    runs.push_back(pixels[i]);
    i = end;
  }
  return runs;
}

void DecodeRuns(const std::vector<Gdiplus::ARGB>& runs, std::vector<Gdiplus::ARGB>& pixels) {
  pixels.clear();
  for (size_t i = 0; i + 1 < runs.size(); i += 2) pixels.insert(pixels.end(), runs[i], runs[i + 1]);
}

void FaceCache::Keep(ArgbBuffer& buffer, HDC target, int state) {
  auto face = std::make_unique<Face>();
  face->blended = buffer.Present(target);
  if (face->blended == nullptr) return;
  if (buffer.CopyOpaquePixels(face->opaque)) {
    face->blended.reset();
    std::vector<Gdiplus::ARGB> runs = EncodeRuns(face->opaque);
    if (runs.size() < face->opaque.size()) {
      face->opaque = std::move(runs);
      face->runs = true;
    }
    face->opaque.shrink_to_fit();
  }
  faces_[state] = std::move(face);
  width_ = buffer.width();
  height_ = buffer.height();
}

bool FaceCache::CopyKept(HDC target, int state) {
  const Face* face = faces_[state].get();
  if (face == nullptr) return false;
  if (face->blended != nullptr) {
    Gdiplus::Graphics screen(target);
    if (screen.DrawCachedBitmap(face->blended.get(), 0, 0) == Gdiplus::Ok) return true;
  } else {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width_;
    info.bmiHeader.biHeight = -height_;  // top-down, as the pixels were read
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    // Faces are painted on the UI thread, one at a time: one buffer serves
    // every control's runs.
    thread_local std::vector<Gdiplus::ARGB> decoded;
    if (face->runs) DecodeRuns(face->opaque, decoded);
    const std::vector<Gdiplus::ARGB>& pixels = face->runs ? decoded : face->opaque;
    if (pixels.size() == static_cast<size_t>(width_) * static_cast<size_t>(height_) &&
        SetDIBitsToDevice(target, 0, 0, static_cast<DWORD>(width_), static_cast<DWORD>(height_),
                          0, 0, 0, static_cast<UINT>(height_), pixels.data(), &info,
                          DIB_RGB_COLORS) != 0) {
      return true;
    }
  }
  faces_[state].reset();
  return false;
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

#pragma once

#include <memory>
#include <vector>

#include "view/internal/frame/dpi.h"
#include "view/internal/frame/palette.h"
#include "view/internal/frame/scoped.h"
#include "view/platform.h"

namespace view::frame {

// Off-screen 32-bit ARGB bitmap with a GDI+ graphics on it. Draw through
// graphics(), then Present() copies the whole bitmap to a target DC in one
// step through a cached bitmap made for that target.
class ArgbBuffer {
 public:
  ArgbBuffer(int width, int height);
  ArgbBuffer(const ArgbBuffer&) = delete;
  ArgbBuffer& operator=(const ArgbBuffer&) = delete;
  ~ArgbBuffer();

  bool ok() const { return graphics_ != nullptr; }
  Gdiplus::Graphics& graphics() { return *graphics_; }
  Gdiplus::Bitmap& bitmap() { return *bitmap_; }
  int width() const { return width_; }
  int height() const { return height_; }

  // Returns the cached bitmap the copy was made through, which can copy the
  // same pixels to another DC of the same kind later (null on failure).
  std::unique_ptr<Gdiplus::CachedBitmap> Present(HDC target, int x = 0, int y = 0);
  // Copies the pixels out when none of them is translucent; else false.
  bool CopyOpaquePixels(std::vector<Gdiplus::ARGB>& pixels);

 private:
  int width_;
  int height_;
  std::unique_ptr<Gdiplus::Bitmap> bitmap_;
  std::unique_ptr<Gdiplus::Graphics> graphics_;
};

// Whether `wnd` shows a focus cue now: it has the focus, and its window's UI
// state does not hide focus cues (the platform hides them after mouse use
// until the keyboard is used).
bool ShowsFocusCue(HWND wnd);
// The focus cue of an owner-drawn button, a dotted rectangle inset 2 pixels,
// drawn onto the button's painted face when ShowsFocusCue.
void DrawFocusCue(HWND wnd, HDC dc);
// DrawFocusRect over `rect` in black and white, whatever the DC's colours.
void DrawFocusRectBlackOnWhite(HDC dc, const RECT& rect);

// Fills `rect` with `color`, leaving the DC's background colour as it was.
void FillSolidRect(HDC dc, const RECT& rect, COLORREF color);

// A solid brush a control hands out (a WM_CTLCOLOR* answer), owned by the
// control: made for a colour on first use and made again when the colour
// changes, freed with the control.
class SolidBrushCache {
 public:
  HBRUSH Get(COLORREF color);

 private:
  ScopedGdiObject<HBRUSH> brush_;
  COLORREF color_ = CLR_INVALID;
};

// Gives a platform-drawn part of `wnd` (scroll bars, a combo's frame) the
// platform's dark look while `kind` is dark, where the platform offers one
// (`dark_class`, e.g. "DarkMode_Explorer"), and its usual look back after.
// `applied` remembers whether the dark look is on, so that a window that
// never saw dark is never touched. A no-op where the platform has no dark
// look.
void ApplyPlatformTheme(HWND wnd, const wchar_t* dark_class, PaletteKind kind, bool& applied);

// Opaque pixels kept compactly: runs of one colour as (count, colour) pairs.
// A control's face is mostly flat fills, so its runs take a small part of
// its pixels' room. Pure functions, so that both directions are tested by
// value. DecodeRuns fills `pixels` (resized to the runs' total).
std::vector<Gdiplus::ARGB> EncodeRuns(const std::vector<Gdiplus::ARGB>& pixels);
void DecodeRuns(const std::vector<Gdiplus::ARGB>& runs, std::vector<Gdiplus::ARGB>& pixels);

// The rendered faces of an owner-drawn control, so that repainting a face
// already drawn costs one copy rather than a fresh drawing. A face is kept
// for each state the control has shown (normal, hover, pressed, checked...;
// at most kStates), at the client size and palette it was drawn for: a new
// client size, or another palette (theme, high contrast), drops them all.
// Whatever else a face depends on (caption, colours, images, font, scale,
// system colours) belongs to the control, which calls Clear() whenever one
// of those changes.
class FaceCache {
 public:
  static constexpr int kStates = 8;

  // Paints the whole client area of `wnd` onto `target`: copies the face
  // kept for `state` when there is one, else `paint(graphics, width, height)`
  // draws into an ArgbBuffer, which is copied to the target in one step and
  // kept.
  // Without `keep` (a face drawn by an application's function, which may
  // differ at every paint) nothing is kept. The focus cue goes on top.
  template <class Painter>
  void Paint(HWND wnd, HDC target, int state, Painter&& paint, bool keep = true) {
    RECT client = {0, 0, 0, 0};
    if (target == nullptr || !::GetClientRect(wnd, &client)) return;
    if (state < 0 || state >= kStates) state = 0;
    const PaletteKind palette = CurrentPaletteKind();
    const unsigned variants = ImageVariantsGeneration();
    if (!keep || client.right != width_ || client.bottom != height_ || palette != palette_ ||
        variants != variants_) {
      Clear();
      palette_ = palette;
      variants_ = variants;
    }
    if (!CopyKept(target, state)) {
      ArgbBuffer buffer(client.right, client.bottom);
      if (!buffer.ok()) return;
      paint(buffer.graphics(), client.right, client.bottom);
      if (keep) {
        Keep(buffer, target, state);
      } else {
        buffer.Present(target);
      }
    }
    DrawFocusCue(wnd, target);
  }

  void Clear();
  // How many faces are kept, for inspection.
  int size() const;

 private:
  // A face without a single translucent pixel is kept as its pixels (as
  // runs when those take less room) and copied as they are; any other is
  // blended over the target through the cached bitmap its first paint made,
  // exactly as that paint did.
  struct Face {
    std::vector<Gdiplus::ARGB> opaque;
    bool runs = false;  // `opaque` holds EncodeRuns of the pixels
    std::unique_ptr<Gdiplus::CachedBitmap> blended;
  };

  // Presents the freshly painted `buffer` and keeps it as the face of `state`.
  void Keep(ArgbBuffer& buffer, HDC target, int state);
  // Copies the face kept for `state`; false when there is none, or when it
  // cannot be drawn on `target` (which drops it).
  bool CopyKept(HDC target, int state);

  std::unique_ptr<Face> faces_[kStates];
  int width_ = 0;
  int height_ = 0;
  PaletteKind palette_ = PaletteKind::kLight;  // the palette the kept faces were painted in
  unsigned variants_ = 0;  // the image variants they were painted with (ImageVariantsGeneration)
};

// The paint entry of a control that draws itself with one `paint(HDC)`:
// WM_PAINT paints into the DC in wParam when there is one, else between
// BeginPaint and EndPaint; WM_PRINTCLIENT paints into its DC; WM_ERASEBKGND
// is answered 1 without erasing, since the paint covers the whole client
// area, unless `platform_erases`. Returns whether `msg` was one of these.
template <class Painter>
bool HandlePaintMessage(HWND wnd, UINT msg, WPARAM wparam, LRESULT& result, Painter&& paint,
                        bool platform_erases = false) {
  switch (msg) {
    case WM_PAINT:
      if (wparam != 0) {
        paint(reinterpret_cast<HDC>(wparam));
      } else {
        const view::frame::PaintScope painting(wnd);
        paint(painting.get());
      }
      result = 0;
      return true;
    case WM_PRINTCLIENT:
      paint(reinterpret_cast<HDC>(wparam));
      result = 0;
      return true;
    case WM_ERASEBKGND:
      if (platform_erases) return false;
      result = 1;
      return true;
    default:
      return false;
  }
}

// A memory DC holding a bitmap of `rect`'s size. With client coordinates the
// viewport origin is moved so that drawing uses the target's coordinates;
// without, the buffer's own (0, 0) is the rectangle's top-left corner.
// Present() copies the rectangle to the target.
class MemoryDcBuffer {
 public:
  MemoryDcBuffer(HDC target, const RECT& rect, bool client_coordinates = true);
  MemoryDcBuffer(const MemoryDcBuffer&) = delete;
  MemoryDcBuffer& operator=(const MemoryDcBuffer&) = delete;
  ~MemoryDcBuffer();

  bool ok() const { return dc_ && bitmap_; }
  HDC dc() const { return dc_.get(); }
  const RECT& rect() const { return rect_; }

  void Present();

 private:
  HDC target_;
  RECT rect_;
  bool client_coordinates_;
  ScopedHdc dc_;
  ScopedGdiObject<HBITMAP> bitmap_;
  HGDIOBJ old_bitmap_ = nullptr;
};

// A memory DC whose bitmap serves a series of pieces painted one after the
// other onto the same target (the rows of one list paint): making a memory DC
// and bitmap for each piece costs more than painting a small one. Prepare()
// returns the DC with room for a piece, whose (0, 0) is the piece's top-left
// corner, keeping the bitmap while the piece fits and the target is the same;
// Present() copies the piece to its place on the target. What one piece
// leaves outside its own size is never copied.
class ReusableDcBuffer {
 public:
  ReusableDcBuffer() = default;
  ReusableDcBuffer(const ReusableDcBuffer&) = delete;
  ReusableDcBuffer& operator=(const ReusableDcBuffer&) = delete;
  ~ReusableDcBuffer();

  // The DC for a piece of `width` x `height` to be copied to `target`, or
  // null when it cannot be made.
  HDC Prepare(HDC target, int width, int height);
  // Copies the top-left part of the buffer, `rect`'s size, to `rect` on the
  // target given to the last Prepare().
  void Present(const RECT& rect);

 private:
  void Release();

  HDC target_ = nullptr;
  int width_ = 0;
  int height_ = 0;
  ScopedHdc dc_;
  ScopedGdiObject<HBITMAP> bitmap_;
  HGDIOBJ old_bitmap_ = nullptr;
};

}  // namespace view::frame

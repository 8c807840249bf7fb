#include "view/graphics_helpers.h"

#include <objbase.h>

#include <cstring>
#include <new>

#include "view/internal/drawing/drawing_math.h"
#include "view/internal/drawing/gdiplus_new.h"
#include "view/internal/frame/module.h"
#include "view/internal/frame/scoped.h"

using view::internal::NewGdiplus;

namespace {

// The bytes of a resource, valid while the module stays loaded.
struct ResourceData {
  const void* bytes = nullptr;
  DWORD size = 0;
};

ResourceData FindResourceData(HMODULE module, LPCWSTR name, LPCWSTR type) {
  ResourceData data;
  HRSRC found = ::FindResourceW(module, name, type);
  if (found == nullptr) return data;
  HGLOBAL loaded = ::LoadResource(module, found);
  if (loaded == nullptr) return data;
  data.bytes = ::LockResource(loaded);
  data.size = data.bytes != nullptr ? ::SizeofResource(module, found) : 0;
  if (data.size == 0) data.bytes = nullptr;
  return data;
}

HMODULE LibraryModule() { return view::frame::Module::Get().instance(); }

// Copies bytes into a movable global block and decodes an image from a
// stream over it; the stream frees the block when the image lets it go.
Gdiplus::Image* ImageFromBytes(const void* bytes, DWORD size) {
  HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, size);
  if (block == nullptr) return nullptr;
  void* target = ::GlobalLock(block);
  if (target == nullptr) {
    ::GlobalFree(block);
    return nullptr;
  }
  std::memcpy(target, bytes, size);
  ::GlobalUnlock(block);
  IStream* stream = nullptr;
  if (FAILED(::CreateStreamOnHGlobal(block, TRUE, &stream)) || stream == nullptr) {
    ::GlobalFree(block);
    return nullptr;
  }
  Gdiplus::Image* image = NewGdiplus<Gdiplus::Image>(stream, FALSE);
  stream->Release();
  return image;
}

// Empties a FontFamily object in place: FontCollection::GetFamilies
// overwrites the native family without releasing it, and the object's
// address must stay the same for helpers that share it.
void ResetFamily(Gdiplus::FontFamily* family) {
  family->~FontFamily();
  ::new (static_cast<void*>(family)) Gdiplus::FontFamily();
}

template <typename LogFont>
void OverrideGdiFields(LogFont& font) {
  font.lfCharSet = ANSI_CHARSET;
  font.lfOutPrecision = OUT_DEVICE_PRECIS;
  font.lfClipPrecision = CLIP_CHARACTER_PRECIS;
  font.lfQuality = CLEARTYPE_QUALITY;
  font.lfPitchAndFamily = 0;
}

// A new GDI font for `font` as measured on `wnd`, with the fields above;
// `get` and `create` are the wide or the narrow forms.
template <class LogFont>
HFONT GdiFontOf(const Gdiplus::Font* font, HWND wnd,
                Gdiplus::Status (Gdiplus::Font::*get)(const Gdiplus::Graphics*, LogFont*) const,
                HFONT(WINAPI* create)(const LogFont*)) {
  if (font == nullptr || wnd == nullptr) return nullptr;
  Gdiplus::Graphics graphics(wnd);
  LogFont description = {};
  (font->*get)(&graphics, &description);
  OverrideGdiFields(description);
  return create(&description);
}

}  // namespace

// ---- CGraphicsHelper --------------------------------------------------------

void CGraphicsHelper::StretchWidthImage(Gdiplus::Graphics& graphics, Gdiplus::Image* image,
                                        Gdiplus::Rect& dest, float edge) {
  if (image == nullptr) return;
  const float image_width = static_cast<float>(image->GetWidth());
  const float image_height = static_cast<float>(image->GetHeight());
  const auto slices = view::internal::StretchWidthSlices(
      image_width, edge, static_cast<float>(dest.X), dest.Width);
  const float y = static_cast<float>(dest.Y);
  for (const auto& slice : slices) {
    graphics.DrawImage(image, Gdiplus::RectF(slice.dstX, y, slice.dstWidth, image_height),
                       slice.srcX, 0.0f, slice.srcWidth, image_height, Gdiplus::UnitPixel);
  }
}

// ---- CImageHelper -----------------------------------------------------------

CImageHelper::CImageHelper() : image_(nullptr) {}

CImageHelper::CImageHelper(const CImageHelper& other)
    : image_(other.image_ != nullptr ? other.image_->Clone() : nullptr) {}

CImageHelper::~CImageHelper() { delete image_; }

CImageHelper& CImageHelper::operator=(const CImageHelper& other) {
  if (this == &other) return *this;
  delete image_;
  image_ = other.image_ != nullptr ? other.image_->Clone() : nullptr;
  return *this;
}

Gdiplus::Image* CImageHelper::Load_Image(ATL::_U_STRINGorID name, ATL::_U_STRINGorID type) {
  return Load_Image(name, type, LibraryModule());
}

Gdiplus::Image* CImageHelper::Load_Image(ATL::_U_STRINGorID name, ATL::_U_STRINGorID type,
                                         HMODULE module) {
  delete image_;
  image_ = nullptr;
  if (name.m_lpstr == nullptr) return nullptr;
  if (!IS_INTRESOURCE(name.m_lpstr)) {
    image_ = NewGdiplus<Gdiplus::Image>(name.m_lpstr, FALSE);
    return image_;
  }
  const ResourceData data = FindResourceData(module, name.m_lpstr, type.m_lpstr);
  if (data.bytes == nullptr) return nullptr;
  image_ = ImageFromBytes(data.bytes, data.size);
  return image_;
}

float CImageHelper::GetWidth() {
  return image_ != nullptr ? static_cast<float>(image_->GetWidth()) : 0.0f;
}

float CImageHelper::GetHeight() {
  return image_ != nullptr ? static_cast<float>(image_->GetHeight()) : 0.0f;
}

// ---- CBrushHelper -----------------------------------------------------------

CBrushHelper::CBrushHelper() : brush_(nullptr), bitmap_(nullptr) {}

CBrushHelper::~CBrushHelper() { DeleteOldBrush(); }

CBrushHelper& CBrushHelper::operator=(const CBrushHelper& other) {
  if (this == &other) return *this;
  if (brush_ != other.brush_ || bitmap_ != other.bitmap_) DeleteOldBrush();
  brush_ = other.brush_;
  bitmap_ = other.bitmap_;
  return *this;
}

void CBrushHelper::DeleteOldBrush() {
  delete brush_;  // the brush refers to the bitmap: it goes first
  brush_ = nullptr;
  delete bitmap_;
  bitmap_ = nullptr;
}

namespace {

// Asks `parent` to paint its background into `dc` by the message `type` names.
void PaintParentInto(ATL::CWindow parent, HDC dc, CBrushHelper::GET_BRUSH_TYPE type) {
  const WPARAM dc_param = reinterpret_cast<WPARAM>(dc);
  const LPARAM print_flags = PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND;
  switch (type) {
    case CBrushHelper::BRUSH_TYPE_PRINTCLIENT:
      parent.SendMessage(WM_PRINTCLIENT, dc_param, print_flags);
      break;
    case CBrushHelper::BRUSH_TYPE_PAINT:
      parent.SendMessage(WM_PAINT, dc_param, print_flags);
      break;
    case CBrushHelper::BRUSH_TYPE_ERASEBKGND:
    default:
      parent.SendMessage(WM_ERASEBKGND, dc_param, 0);
      break;
  }
}

}  // namespace

Gdiplus::TextureBrush* CBrushHelper::GetBackGroundBrush(ATL::CWindow child, ATL::CWindow parent,
                                                        GET_BRUSH_TYPE type) {
  if (child.m_hWnd == nullptr || parent.m_hWnd == nullptr) return nullptr;
  DeleteOldBrush();

  // The parent paints its whole background, at client coordinates, into a
  // bitmap of its window's size.
  RECT parent_rect = {};
  parent.GetWindowRect(&parent_rect);
  const int parent_width = parent_rect.right - parent_rect.left;
  const int parent_height = parent_rect.bottom - parent_rect.top;
  const view::frame::ScopedWindowDc parent_dc(parent.m_hWnd);
  view::frame::ScopedHdc picture_dc(::CreateCompatibleDC(parent_dc.get()));
  view::frame::ScopedGdiObject<HBITMAP> picture(
      ::CreateCompatibleBitmap(parent_dc.get(), parent_width, parent_height));
  if (!picture_dc || !picture) return nullptr;
  const view::frame::SelectObjectScope picture_selected(picture_dc.get(), picture.get());

  PaintParentInto(parent, picture_dc.get(), type);

  // Cut out the part behind the child.
  RECT child_rect = {};
  child.GetWindowRect(&child_rect);
  const int child_width = child_rect.right - child_rect.left;
  const int child_height = child_rect.bottom - child_rect.top;
  ::MapWindowPoints(nullptr, parent.m_hWnd, reinterpret_cast<POINT*>(&child_rect), 2);
  view::frame::ScopedHdc piece_dc(::CreateCompatibleDC(picture_dc.get()));
  view::frame::ScopedGdiObject<HBITMAP> piece(
      ::CreateCompatibleBitmap(picture_dc.get(), child_width, child_height));
  if (!piece_dc || !piece) return nullptr;
  {
    const view::frame::SelectObjectScope piece_selected(piece_dc.get(), piece.get());
    ::BitBlt(piece_dc.get(), 0, 0, child_width, child_height, picture_dc.get(), child_rect.left,
             child_rect.top, SRCCOPY);
  }
  // GDI+ copies the pixels of a bitmap that is no longer selected anywhere.
  bitmap_ = NewGdiplus<Gdiplus::Bitmap>(piece.get(), static_cast<HPALETTE>(nullptr));
  if (bitmap_ == nullptr) return nullptr;
  brush_ = NewGdiplus<Gdiplus::TextureBrush>(bitmap_, Gdiplus::WrapModeTile);
  return brush_;
}

// ---- CPathHelper ------------------------------------------------------------

CPathHelper::CPathHelper() : path_(nullptr) {}

CPathHelper::~CPathHelper() { DeleteOldPath(); }

CPathHelper& CPathHelper::operator=(const CPathHelper& other) {
  if (this == &other) return *this;
  if (path_ != other.path_) DeleteOldPath();
  path_ = other.path_;
  return *this;
}

void CPathHelper::DeleteOldPath() {
  delete path_;
  path_ = nullptr;
}

Gdiplus::GraphicsPath* CPathHelper::CreateRoundRect(Gdiplus::Rect rect, int radius) {
  DeleteOldPath();
  path_ = NewGdiplus<Gdiplus::GraphicsPath>(Gdiplus::FillModeAlternate);
  if (path_ == nullptr) return nullptr;
  const auto outline = view::internal::RoundRectOutlineOf(rect, radius);
  for (int i = 0; i < 4; ++i) {
    const view::internal::Box& arc = outline.arc[i];
    // A corner without size adds nothing; the edges still meet there.
    if (arc.width > 0 && arc.height > 0) {
      path_->AddArc(arc.x, arc.y, arc.width, arc.height, view::internal::kRoundRectStartAngles[i],
                    90.0f);
    }
    const POINT* line = outline.line[i];
    path_->AddLine(static_cast<INT>(line[0].x), static_cast<INT>(line[0].y),
                   static_cast<INT>(line[1].x), static_cast<INT>(line[1].y));
  }
  path_->CloseFigure();
  return path_;
}

// ---- CFontHelper ------------------------------------------------------------

CFontHelper::CFontHelper()
    : font_(nullptr),
      collection_(NewGdiplus<Gdiplus::PrivateFontCollection>()),
      family_(NewGdiplus<Gdiplus::FontFamily>()) {}

CFontHelper::~CFontHelper() {
  delete font_;
  delete collection_;
  delete family_;
}

CFontHelper& CFontHelper::operator=(const CFontHelper& other) {
  if (this == &other) return *this;
  if (font_ != other.font_) delete font_;
  if (collection_ != other.collection_) delete collection_;
  if (family_ != other.family_) delete family_;
  font_ = other.font_;
  collection_ = other.collection_;
  family_ = other.family_;
  return *this;
}

int CFontHelper::LoadFont(ATL::_U_STRINGorID name, ATL::_U_STRINGorID type) {
  return LoadFont(name, type, LibraryModule());
}

int CFontHelper::LoadFont(ATL::_U_STRINGorID name, ATL::_U_STRINGorID type, HMODULE module) {
  if (collection_ == nullptr || name.m_lpstr == nullptr) return 0;
  const ResourceData data = FindResourceData(module, name.m_lpstr, type.m_lpstr);
  if (data.bytes == nullptr) return 0;
  if (collection_->AddMemoryFont(data.bytes, static_cast<INT>(data.size)) != Gdiplus::Ok) return 0;
  SetFontStyle(Gdiplus::FontStyleRegular, 14.0f);
  return 1;
}

int CFontHelper::SetFontStyle(Gdiplus::FontStyle style, float size) {
  if (collection_ == nullptr || family_ == nullptr) return 0;
  ResetFamily(family_);
  INT found = 0;
  collection_->GetFamilies(1, family_, &found);
  if (found < 1) return 0;
  delete font_;
  font_ = NewGdiplus<Gdiplus::Font>(family_, size, static_cast<INT>(style), Gdiplus::UnitPixel);
  return font_ != nullptr ? 1 : 0;
}

HFONT CFontHelper::FontToHFONT_W(HWND wnd) {
  return GdiFontOf(font_, wnd, &Gdiplus::Font::GetLogFontW, &::CreateFontIndirectW);
}

HFONT CFontHelper::FontToHFONT_A(HWND wnd) {
  return GdiFontOf(font_, wnd, &Gdiplus::Font::GetLogFontA, &::CreateFontIndirectA);
}

void CFontHelper::DeleteOldFont() {
  delete font_;
  font_ = nullptr;
}

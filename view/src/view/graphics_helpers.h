#pragma once

// Small owners of GDI+ resources for the application: an image loaded from a
// file or a resource, a private font loaded from a resource, a texture brush
// cut out of a parent's background, a rounded-rectangle path, and a
// three-slice horizontal stretch.
//
// Each helper keeps the object it returned and deletes it on its next call of
// the same kind, in its delete member, or in its destructor: callers use the
// returned pointer but never delete it. The data members are public so that
// callers can reach the current objects; they stay the helper's.
//
// Copying: CImageHelper copies clone the image, so each helper keeps its own.
// CBrushHelper, CPathHelper and CFontHelper copies share the source's objects
// (after releasing their own): only one of the sharing helpers may then be
// destroyed or asked to delete.

#include "view/atl_types.h"
#include "view/export.h"
#include "view/platform.h"

class VIEW_API CGraphicsHelper {
 public:
  // Draws `image` across dest.Width in three slices: fixed left and right
  // caps `edge` pixels wide and a middle that repeats at its own width (the
  // last piece squeezed into what is left). The height drawn is always the
  // image's own; dest.Height is not used. Nothing is drawn without an image,
  // a positive width and a positive edge; an image no wider than two edges
  // gets its two caps only.
  void StretchWidthImage(Gdiplus::Graphics& graphics, Gdiplus::Image* image, Gdiplus::Rect& dest,
                         float edge);
};

class VIEW_API CImageHelper {
 public:
  CImageHelper();
  CImageHelper(const CImageHelper& other);
  ~CImageHelper();
  // Deletes the held image and holds a clone of the source's.
  CImageHelper& operator=(const CImageHelper& other);

  // Deletes the held image, then loads a new one: from the file `name` when
  // it is a string, else from the resource `name` of `type` in the library's
  // module. Returns the image (the helper's) or null when the resource is
  // missing; an unreadable file gives an image whose last status says so.
  Gdiplus::Image* Load_Image(ATL::_U_STRINGorID name, ATL::_U_STRINGorID type);
  // The same, looking resources up in `module` (e.g. the application's).
  Gdiplus::Image* Load_Image(ATL::_U_STRINGorID name, ATL::_U_STRINGorID type, HMODULE module);

  // The held image's size in pixels; 0 when there is none.
  float GetWidth();
  float GetHeight();

  Gdiplus::Image* image_;
};

class VIEW_API CBrushHelper {
 public:
  // How the parent is asked to paint its background. Other values behave as
  // BRUSH_TYPE_ERASEBKGND.
  enum GET_BRUSH_TYPE : int {
    BRUSH_TYPE_ERASEBKGND = 0,   // WM_ERASEBKGND(memory DC, 0)
    BRUSH_TYPE_PRINTCLIENT = 1,  // WM_PRINTCLIENT(memory DC, PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND)
    BRUSH_TYPE_PAINT = 2,        // WM_PAINT(memory DC, same flags)
  };

  CBrushHelper();
  CBrushHelper(const CBrushHelper& other) = default;  // shares, as assignment does
  ~CBrushHelper();
  CBrushHelper& operator=(const CBrushHelper& other);

  // A tiling texture brush holding what `parent` paints behind `child`:
  // filling the child's client area from (0, 0) with it reproduces the
  // parent's background there. Null (and nothing changed) when either window
  // handle is null. Replaces the previous brush.
  Gdiplus::TextureBrush* GetBackGroundBrush(ATL::CWindow child, ATL::CWindow parent,
                                            GET_BRUSH_TYPE type);
  // Deletes the brush and its picture.
  void DeleteOldBrush();

  Gdiplus::TextureBrush* brush_;
  Gdiplus::Bitmap* bitmap_;  // the brush's picture
};

class VIEW_API CPathHelper {
 public:
  CPathHelper();
  CPathHelper(const CPathHelper& other) = default;  // shares, as assignment does
  ~CPathHelper();
  CPathHelper& operator=(const CPathHelper& other);

  // Replaces the held path with a rounded rectangle of corner radius
  // `radius` whose right and bottom edges lie on rect.X + Width and
  // rect.Y + Height (not clamped); returns it (the helper's).
  Gdiplus::GraphicsPath* CreateRoundRect(Gdiplus::Rect rect, int radius);
  void DeleteOldPath();

  Gdiplus::GraphicsPath* path_;
};

class VIEW_API CFontHelper {
 public:
  CFontHelper();
  CFontHelper(const CFontHelper& other) = default;  // shares, as assignment does
  ~CFontHelper();
  CFontHelper& operator=(const CFontHelper& other);

  // Adds the font resource `name` of `type` from the library's module to the
  // private collection and makes a regular 14-pixel current font of it.
  // Returns 1 on success, 0 otherwise.
  int LoadFont(ATL::_U_STRINGorID name, ATL::_U_STRINGorID type);
  // The same, looking the resource up in `module` (e.g. the application's).
  int LoadFont(ATL::_U_STRINGorID name, ATL::_U_STRINGorID type, HMODULE module);
  // Makes a new current font of the collection's first family with `style`
  // and `size` in pixels. Returns 0 (keeping the current font) when the
  // collection has no family yet.
  int SetFontStyle(Gdiplus::FontStyle style, float size);
  // A new GDI font (the caller calls DeleteObject) with the current font's
  // description for `wnd`; null without a current font or window.
  HFONT FontToHFONT_W(HWND wnd);
  HFONT FontToHFONT_A(HWND wnd);
  // Deletes the current font; the collection and the family stay.
  void DeleteOldFont();

  Gdiplus::Font* font_;
  Gdiplus::PrivateFontCollection* collection_;
  Gdiplus::FontFamily* family_;
};

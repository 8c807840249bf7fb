#pragma once

// Utils: the static drawing, measuring, text and window helpers that the
// controls share and that applications call directly.
//
// Colours: members that take a DWORD colour take a COLORREF (0x00BBGGRR) and
// draw it opaque; members that take a Gdiplus::Color draw it as given.
// GDI+ must have been started by the host before any drawing member is used.
// Null texts are treated as empty texts and null images or graphics draw
// nothing; no member throws except the regular-expression ones, which pass
// std::regex_error on for invalid patterns.

#include "view/atl_types.h"
#include "view/export.h"
#include "view/platform.h"

#include <string>
#include <utility>
#include <vector>

class VIEW_API Utils {
 public:
  Utils() = default;
  Utils(const Utils&) = default;
  // Utils has no state: assignment does nothing.
  Utils& operator=(const Utils&);
  Utils& operator=(Utils&&);

  // ---- Rich-text markup -------------------------------------------------

  // Splits `text` into runs of (text, COLORREF): a default-coloured run before
  // every <font color="N">...</font> span (possibly empty), the span's own
  // run, and at most one default-coloured run for the rest. The text without
  // markup is appended to `plainText`, which is not cleared first.
  static std::vector<std::pair<std::wstring, DWORD>> PickColorParts(const wchar_t* text,
                                                                    std::wstring& plainText,
                                                                    DWORD defaultColor);
  // `text` with every <A HREF="...">label</A> replaced by its label.
  static std::wstring PickLinkShowContent(const wchar_t* text);

  // ---- Regular expressions (ECMAScript, case-sensitive) -----------------

  // True when the whole of `text` matches `pattern`.
  static bool IsMatch(const char* text, const char* pattern);
  // The first piece of `text` that matches, or `text` itself when none does.
  static std::string FindIfMatch(const char* text, const char* pattern);
  static std::wstring FindIfMatchW(const wchar_t* text, const wchar_t* pattern);
  // `text` with every match replaced by `replacement` ($&, $1.., $`, $', $$).
  static std::string RepalceWithPattern(const char* text, const char* pattern,
                                        const char* replacement);

  // ---- Text in a rectangle (GDI+) ---------------------------------------

  static void DrawTextW(Gdiplus::Graphics& graphics, Gdiplus::RectF rect, const wchar_t* text,
                        Gdiplus::Font* font, const Gdiplus::StringFormat* format,
                        Gdiplus::Color* color);
  static void DrawTextCenter(Gdiplus::Graphics& graphics, Gdiplus::RectF rect,
                             const wchar_t* text, Gdiplus::Font* font, Gdiplus::Color* color);
  static void DrawTextRightAlign(Gdiplus::Graphics& graphics, Gdiplus::RectF rect,
                                 const wchar_t* text, Gdiplus::Font* font, Gdiplus::Color* color);
  static void DrawTextInRectVerticalCenter(Gdiplus::Graphics& graphics, Gdiplus::RectF rect,
                                           const wchar_t* text, Gdiplus::Font* font,
                                           Gdiplus::Color* color);
  static void DrawTextInRect(Gdiplus::Graphics& graphics, Gdiplus::RectF rect,
                             const wchar_t* text, Gdiplus::Font* font, Gdiplus::Color* color);

  // ---- Text in a rectangle (GDI) ----------------------------------------

  // Word-wrapped text, '&' drawn as itself, partly visible last line hidden.
  static void DrawTextInRect(WTL::CDCT<true>& dc, const wchar_t* text, int length,
                             WTL::CRect rect);
  // (width, height) of `text` wrapped at `maxWidth`; the width is at most maxWidth.
  static std::pair<int, int> GetTextExtent(WTL::CDCT<true>& dc, const wchar_t* text, int length,
                                           int maxWidth);

  // ---- Fitting text into a width ----------------------------------------

  // The number of leading characters of `text` that fit in `width` pixels.
  static int numberOfGdiCharactersThatFitWidth(WTL::CDCT<true>& dc, int width,
                                               std::wstring& text, HFONT font);
  static int numberOfGdiplusCharactersThatFitWidth(Gdiplus::Graphics& graphics, int width,
                                                   std::wstring& text, Gdiplus::Font* font);

  // ---- Rounded rectangles -----------------------------------------------

  // Resets `path` to one closed rounded rectangle inside `rect`.
  static void CreateRoundRect(Gdiplus::GraphicsPath& path, Gdiplus::RectF rect, int diameter);
  // Fills the rounded rectangle with `brush` (may be null: outline only) and
  // outlines it with a 1-pixel pen of `border`.
  static void FillRoundRect(Gdiplus::Graphics* graphics, Gdiplus::Brush* brush,
                            Gdiplus::RectF rect, Gdiplus::Color border, int radius);
  // Outlines the rounded rectangle `width` pixels thick, growing inward.
  static void DrawRoundRect(Gdiplus::Graphics* graphics, Gdiplus::RectF rect,
                            Gdiplus::Color color, int radius, int width);

  // ---- Images -------------------------------------------------------------

  static void DrawImage(Gdiplus::Graphics& graphics, Gdiplus::Image* image, Gdiplus::Rect dest);
  static void DrawImage(Gdiplus::Graphics& graphics, Gdiplus::Image* image, int x, int y, int w,
                        int h);
  static void DrawImage(Gdiplus::Graphics& graphics, Gdiplus::Image* image, int x, int y);

  // ---- Glyphs -------------------------------------------------------------

  // A check mark of menu-check size, centred vertically in `rect`; its
  // horizontal position is measured from the graphics' origin.
  static void DrawTick(Gdiplus::Graphics& graphics, WTL::CRect& rect, DWORD color);
  // A new transparent width × height ARGB bitmap holding a downward "V"; the
  // caller deletes it. Null when the bitmap cannot be allocated.
  static Gdiplus::Bitmap* CreateDropDown(DWORD color, int width, int height);

  // ---- Fonts --------------------------------------------------------------

  // A new GDI+ font (the caller deletes it) from a LOGFONTW of `height`
  // (LOGFONTW rules), `charSet`, weight 700 or 400 and `face` (at most 31
  // characters are used). Null only when the object cannot be allocated.
  static Gdiplus::Font* GetFont(HDC dc, int height, int charSet, bool bold, const wchar_t* face);
  // The same description as a GDI font; the caller calls DeleteObject.
  static HFONT GetHFONT(int height, int charSet, bool bold, const wchar_t* face);

  // ---- Sizes and windows --------------------------------------------------

  // Aspect-fit (width, height) into (maxWidth, maxHeight); never enlarges.
  static std::pair<int, int> CalculateDrawSize(int width, int height, int maxWidth,
                                               int maxHeight);
  // The window's rectangle in its parent's client coordinates.
  static RECT GetWindowRelativeRect(HWND wnd);
  // The size of the vertical scroll bar's arrow button. A window whose bar is
  // hidden has it shown for the measurement and hidden again.
  static int GetWindowScrollBarThumbWidth(HWND wnd);
  // The window's text.
  static std::wstring GetEditValue(HWND wnd);
  // The directory of the module's file (null: the executable) with a
  // trailing backslash.
  static std::wstring GetDllModuleDir(HINSTANCE module);
  // `s`, or a pointer to a static empty string when `s` is null.
  static const char* NullToEmpty(const char* s);

  // ---- Animated images ----------------------------------------------------

  // Appends each frame's delay in milliseconds to `delays` and returns true;
  // returns false (and leaves `delays` alone) for a single-frame image.
  static bool StoreGifInternal(Gdiplus::Bitmap* image, std::vector<long>& delays);
  // Advances `index` to the next frame (wrapping to 0), makes it the image's
  // active frame and returns its delay. Returns 0 when `delays` is empty.
  static long NextActiveFrameInternal(Gdiplus::Bitmap* image, int& index,
                                      std::vector<long>& delays);

 private:
  static const char kEmptyString[];
};

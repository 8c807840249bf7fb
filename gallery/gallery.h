#pragma once

// The gallery shows every control of view, page by page. Each page lives in
// its own file (page_*.cc) and registers itself with VIEW_GALLERY_PAGE.

#include <memory>

#include <view/view.h>

namespace gallery {

// One page: Build places its controls in `panel`, a child window that
// reflects notifications back to the controls. The page object owns the
// control wrappers; the panel (and so every control window) is destroyed
// before the page object.
class Page {
 public:
  virtual ~Page() = default;
  virtual void Build(HWND panel) = 0;
  // Called once the page is on screen, before its screenshot (e.g. to hover
  // or open something so that the picture shows it).
  virtual void Shown(HWND) {}
};

using PageFactory = std::unique_ptr<Page> (*)();
bool RegisterPage(int order, const wchar_t* title, PageFactory make);
// A figure for the documentation: built like a page, but shown only in
// screenshot mode, and saved as DIR/<file>.png cut to the top-left
// width x height of its panel.
bool RegisterFigure(const wchar_t* file, int width, int height, PageFactory make);

// A panel-sized child window that reflects its children's notifications.
HWND CreatePanel(HWND parent, int x, int y, int width, int height);
// A static text label, for captions on a page.
HWND AddLabel(HWND panel, const wchar_t* text, int x, int y, int width, int height);
// The gallery's own font for labels (owned by the gallery), for 96 DPI: the
// library's controls given it scale it themselves.
HFONT LabelFont();
// A length laid out for 96 DPI, and the label font, at the DPI the gallery
// shows its pages at (for what a page draws itself).
int AtDpi(int v);
HFONT ScaledLabelFont();

// The colours the gallery paints around the controls, following the palette
// the controls paint in: white and black in light, the dark palette's window
// and text in dark (view::IsDarkTheme()), the system's window colours while
// high contrast is on. A page passes Window() where a control asks for the
// colour of what surrounds it.
COLORREF Window();
COLORREF WindowText();
// A brush of Window(), owned by the gallery.
HBRUSH WindowBrush();

}  // namespace gallery

#define VIEW_GALLERY_PAGE(order, title, Class)                                          \
  static const bool registered_##Class = ::gallery::RegisterPage(                       \
      order, title, []() -> std::unique_ptr<::gallery::Page> { return std::make_unique<Class>(); })

#define VIEW_GALLERY_FIGURE(file, width, height, Class)                                 \
  static const bool registered_##Class = ::gallery::RegisterFigure(                     \
      file, width, height,                                                              \
      []() -> std::unique_ptr<::gallery::Page> { return std::make_unique<Class>(); })

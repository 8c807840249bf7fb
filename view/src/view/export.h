#pragma once

// VIEW_API marks the classes and functions that view.dll exports.
// Building the library (or a static copy of it for white-box tests) defines
// VIEW_BUILDING; applications that link the import library get dllimport.
#if defined(VIEW_STATIC)
#define VIEW_API
#elif defined(VIEW_BUILDING)
#define VIEW_API __declspec(dllexport)
#else
#define VIEW_API __declspec(dllimport)
#endif

// The members every control wrapper declares: it holds one counted reference
// to its implementation, and copies share it (it is freed with the last
// copy). The window does not go with the wrappers: it lives until it is
// destroyed (by DestroyWindow or with its parent), and from then on calls on
// any wrapper do nothing. The conversion gives the control's window (null
// before creation and after the window is destroyed). FromWindow gives a
// wrapper of the control in `window` (one made from a dialog template, or
// by a wrapper), or an empty wrapper, on which every call does nothing and
// no window can be created, when `window` is not a live control of that
// kind in this process.
#define VIEW_WRAPPER_MEMBERS(Wrapper)       \
  Wrapper();                                \
  ~Wrapper();                               \
  Wrapper(const Wrapper& other);            \
  Wrapper& operator=(const Wrapper& other); \
  static Wrapper FromWindow(HWND window);   \
  operator HWND() const

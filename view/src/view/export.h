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

#include "view/internal/controls/bas_tree_view_section.h"

#include "view/internal/controls/bas_tree_view_check_box.h"

using view::frame::ClassRecord;

ClassRecord& BASTreeViewSection::GetClassRecord() {
  // A window created by name is a whole check-box tree.
  return view::frame::PublicSuperclassRecord<BASTreeViewCheckBox>(WC_TREEVIEWW,
                                                                 view::kTreeViewClass);
}

HWND BASTreeViewSection::CreateTreeWindow(HWND parent, HMENU id, const RECT& rect, DWORD style) {
  return CreateWindowOfClass<BASTreeViewSection>(parent, &rect, L"Tree", style, 0, id, nullptr);
}

bool BASTreeViewSection::ProcessWindowMessage(HWND wnd, UINT msg, WPARAM wparam, LPARAM lparam,
                                              LRESULT& result, DWORD) {
  switch (msg) {
    case WM_SETFONT:
      // Kept for painting only: the standard tree would re-measure its rows
      // from the font and lose the fixed row height.
      font_ = reinterpret_cast<HFONT>(wparam);
      scaled_font_.Reset();
      result = 0;
      return true;
    case WM_NCDESTROY:
      scaled_font_.Reset();
      return false;
    case WM_GETFONT:
      result = reinterpret_cast<LRESULT>(font_);
      return true;
    default:
      return view::frame::DefaultReflectionHandler(wnd, msg, wparam, lparam, result);
  }
}

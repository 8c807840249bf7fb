// A check-box tree: stock expander and check-box images (borrowed: they live
// as long as the tree), item images the tree takes over, a check callback
// that makes children follow their parent, and WM_SETFONT for the font.
#include "example.h"

namespace {

Gdiplus::Image* Dot(Gdiplus::ARGB color) {  // the tree deletes it with its item
  auto* bitmap = new Gdiplus::Bitmap(16, 16, PixelFormat32bppARGB);
  Gdiplus::Graphics g(bitmap);
  g.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
  Gdiplus::SolidBrush brush{Gdiplus::Color(color)};
  g.FillEllipse(&brush, 1, 1, 14, 14);
  return bitmap;
}

struct TreeViewExample : example::Content {
  std::unique_ptr<Gdiplus::Bitmap> expanded = view::MakeStockImage(view::StockImage::kExpanderExpanded);
  std::unique_ptr<Gdiplus::Bitmap> collapsed =
      view::MakeStockImage(view::StockImage::kExpanderCollapsed);
  std::unique_ptr<Gdiplus::Bitmap> checked = view::MakeStockImage(view::StockImage::kCheckBoxChecked);
  std::unique_ptr<Gdiplus::Bitmap> unchecked =
      view::MakeStockImage(view::StockImage::kCheckBoxUnchecked);
  HFONT font = CreateFontW(-14, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0,
                           L"Tahoma");
  ZuTreeViewCheckBox tree;

  void Build(HWND wnd) {
    HWND tree_wnd = tree.CreateTree(wnd, 1, WTL::CRect(10, 10, 310, 230), RGB(255, 255, 255),
                                    expanded.get(), collapsed.get(), checked.get(),
                                    unchecked.get());
    SendMessageW(tree_wnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    tree.SetCheckItemCallback([this, tree_wnd](HTREEITEM item, bool on) {
      HTREEITEM child = TreeView_GetChild(tree_wnd, item);
      for (; child != nullptr; child = TreeView_GetNextSibling(tree_wnd, child)) {
        tree.CheckItem(child, on);  // reported again: grandchildren follow
      }
    });
    HTREEITEM docs = tree.AppendItem(nullptr, 0, L"Documents", Dot(0xFF2B7DE9), 0, 0, false, 3);
    tree.AppendItem(docs, 0, L"Reports", Dot(0xFF3CA55C), 0, 0, false, -1);
    tree.AppendItem(docs, 0, L"Letters", nullptr, 0, 0, false, -1);
    tree.AppendItem(nullptr, 0, L"Pictures", Dot(0xFFD9486A), 0, 0, false, -1);
    TreeView_Expand(tree_wnd, docs, TVE_EXPAND);
    tree.CheckItem(docs, 1);
  }
  ~TreeViewExample() { DeleteObject(font); }
};

}  // namespace

int main(int argc, char** argv) {
  return example::Run<TreeViewExample>(argc, argv, L"Tree view", 320, 240,
                                       example::ReflectingProc);
}

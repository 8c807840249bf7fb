// The check-box tree with 100,000 items, every parent expanded, against the
// same tree with 100 items: a full paint of the window should cost the same,
// since only the rows on screen are drawn and a repaint without changes asks
// the platform tree nothing per row. A step of the selection by an arrow key
// changes no item, so the paint after it asks nothing per row either, and
// costs the same too. (After other changes the paint asks again, and the
// platform's per-item queries, which grow with the item count, are what the
// first row reports.)

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "bench.h"
#include "view/zu_tree_view_check_box.h"

namespace {

struct TreeSetup {
  std::unique_ptr<Gdiplus::Bitmap> expanded = bench::Solid(16, 16, 0xFF2040A0);
  std::unique_ptr<Gdiplus::Bitmap> collapsed = bench::Solid(16, 16, 0xFF20A040);
  std::unique_ptr<Gdiplus::Bitmap> checked = bench::Solid(16, 16, 0xFFA02020);
  std::unique_ptr<Gdiplus::Bitmap> unchecked = bench::Solid(16, 16, 0xFFC0C0C0);
  HWND host = nullptr;
  ZuTreeViewCheckBox tree;
  HWND wnd = nullptr;

  // `parents` top-level items, each expanded with `children` children.
  TreeSetup(int parents, int children, int x) {
    host = bench::CreateReflectingHost(440, 640, x, 0);
    wnd = tree.CreateTree(host, 100, WTL::CRect(20, 20, 420, 620), RGB(255, 255, 255),
                          expanded.get(), collapsed.get(), checked.get(), unchecked.get());
    SendMessageW(wnd, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                 FALSE);
    // Items carry no image: the tree takes ownership of an item's image.
    for (int p = 0; p < parents; ++p) {
      const std::wstring name = L"Group " + std::to_wstring(p);
      HTREEITEM parent =
          tree.AppendItem(TVI_ROOT, 0, name.c_str(), nullptr, 0, 0, true, children);
      for (int c = 0; c < children; ++c) {
        const std::wstring child = L"Member " + std::to_wstring(c);
        tree.AppendItem(parent, 0, child.c_str(), nullptr, 0, 0, false, -1);
      }
      SendMessageW(wnd, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(parent));
    }
    bench::PumpUntilIdle();
  }
  ~TreeSetup() {
    DestroyWindow(host);
    bench::PumpUntilIdle();
  }
  void Paint() {
    InvalidateRect(wnd, nullptr, TRUE);
    UpdateWindow(wnd);
  }
  int Count() { return static_cast<int>(SendMessageW(wnd, TVM_GETCOUNT, 0, 0)); }
};

void TreeBenchmark(std::vector<bench::Row>& rows) {
  TreeSetup small(10, 9, 0);       // 100 items
  TreeSetup large(100, 999, 500);  // 100,000 items, beside it
  if (small.Count() != 100 || large.Count() != 100000) {
    std::fprintf(stderr, "tree: %d and %d items\n", small.Count(), large.Count());
  }
  // What the paint asks the platform tree for its rows, without drawing.
  const auto walk = [](HWND wnd) {
    for (HTREEITEM item = TreeView_GetFirstVisible(wnd); item != nullptr;
         item = TreeView_GetNextVisible(wnd, item)) {
      RECT row = {};
      if (!TreeView_GetItemRect(wnd, item, &row, FALSE) || row.top >= 600) break;
      wchar_t text[64];
      TVITEMW tv = {};
      tv.mask = TVIF_HANDLE | TVIF_TEXT | TVIF_STATE | TVIF_PARAM | TVIF_CHILDREN;
      tv.hItem = item;
      tv.pszText = text;
      tv.cchTextMax = 64;
      SendMessageW(wnd, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&tv));
    }
  };
  rows.push_back({"tree 100,000 items: the paint's row queries only", "the same with 100 items",
                  bench::PairedRatio([&] { walk(large.wnd); }, [&] { walk(small.wnd); }, 15, 2),
                  bench::Target::kReport, 0});
  const bench::Ratio ratio = bench::PairedRatio([&] { large.Paint(); }, [&] { small.Paint(); });
  rows.push_back({"tree 100,000 expanded items: full paint", "the same with 100 items", ratio,
                  bench::Target::kAtMost, 1.2});
  bool down = true;
  // The selection moves down and up by turns from the first visible row; the
  // whole window is painted after each key.
  for (TreeSetup* setup : {&small, &large}) {
    TreeView_SelectItem(setup->wnd, TreeView_GetFirstVisible(setup->wnd));
  }
  const auto key_and_paint = [&down](TreeSetup& setup) {
    SendMessageW(setup.wnd, WM_KEYDOWN, down ? VK_DOWN : VK_UP, 0);
    setup.Paint();
    down = !down;
  };
  rows.push_back({"tree 100,000 expanded items: arrow key and paint", "the same with 100 items",
                  bench::PairedRatio([&] { key_and_paint(large); }, [&] { key_and_paint(small); }),
                  bench::Target::kAtMost, 1.2});
}

}  // namespace

VIEW_BENCHMARK(tree, TreeBenchmark);

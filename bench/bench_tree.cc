// The check-box tree with 100,000 items, every parent expanded, against the
// same tree with 100 items: a full paint of the window should cost the same,
// since only the rows on screen are drawn.

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "bench.h"
#include "view/zu_tree_view_check_box.h"

namespace {

std::unique_ptr<Gdiplus::Bitmap> Solid(int width, int height, Gdiplus::ARGB colour) {
  auto bitmap = std::make_unique<Gdiplus::Bitmap>(width, height, PixelFormat32bppARGB);
  Gdiplus::Graphics graphics(bitmap.get());
  graphics.Clear(Gdiplus::Color(colour));
  return bitmap;
}

struct TreeSetup {
  std::unique_ptr<Gdiplus::Bitmap> expanded = Solid(16, 16, 0xFF2040A0);
  std::unique_ptr<Gdiplus::Bitmap> collapsed = Solid(16, 16, 0xFF20A040);
  std::unique_ptr<Gdiplus::Bitmap> checked = Solid(16, 16, 0xFFA02020);
  std::unique_ptr<Gdiplus::Bitmap> unchecked = Solid(16, 16, 0xFFC0C0C0);
  std::unique_ptr<Gdiplus::Bitmap> photo = Solid(20, 20, 0xFF808000);
  HWND host = nullptr;
  ZuTreeViewCheckBox tree;
  HWND wnd = nullptr;

  // `parents` top-level items, each expanded with `children` children.
  TreeSetup(int parents, int children) {
    host = bench::CreateReflectingHost(440, 640);
    wnd = tree.CreateTree(host, 100, WTL::CRect(20, 20, 420, 620), RGB(255, 255, 255),
                          expanded.get(), collapsed.get(), checked.get(), unchecked.get());
    SendMessageW(wnd, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                 FALSE);
    for (int p = 0; p < parents; ++p) {
      const std::wstring name = L"Group " + std::to_wstring(p);
      HTREEITEM parent =
          tree.AppendItem(TVI_ROOT, 0, name.c_str(), photo.get(), 20, 20, true, children);
      for (int c = 0; c < children; ++c) {
        const std::wstring child = L"Member " + std::to_wstring(c);
        HTREEITEM item =
            tree.AppendItem(parent, 0, child.c_str(), photo.get(), 20, 20, false, -1);
        if (c % 3 == 0) tree.CheckItem(item, 1);
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
  TreeSetup small(10, 9);      // 100 items
  TreeSetup large(100, 999);   // 100,000 items
  if (small.Count() != 100 || large.Count() != 100000) {
    std::fprintf(stderr, "tree: %d and %d items\n", small.Count(), large.Count());
  }
  const double base = bench::MedianSeconds([&] { small.Paint(); });
  const double work = bench::MedianSeconds([&] { large.Paint(); });
  rows.push_back({"tree 100,000 expanded items: full paint", "the same with 100 items",
                  work / base, bench::Target::kAtMost, 1.2});
}

}  // namespace

VIEW_BENCHMARK(tree, TreeBenchmark);

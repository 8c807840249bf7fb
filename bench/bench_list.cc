// The checkable list with 1,000,000 rows against the same list with 100 rows:
// painting a viewport, scrolling by the wheel and by jumps of the thumb, and
// hit-testing under the pointer should cost the same, since the list keeps
// nothing per row and paints only the rows on screen.

#include <functional>
#include <memory>
#include <vector>

#include "bench.h"
#include "view/zu_list_view.h"

namespace {

constexpr int kListId = 100;

// A top-level host that reflects the list's notifications and answers its
// text queries, as an application's dialog would.
LRESULT CALLBACK HostProc(HWND wnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  HWND source = nullptr;
  if (msg == WM_NOTIFY) {
    auto* info = reinterpret_cast<NMLVDISPINFOW*>(lparam);
    if (info->hdr.code == LVN_GETDISPINFOW) {
      if ((info->item.mask & LVIF_TEXT) != 0 && info->item.pszText != nullptr) {
        lstrcpynW(info->item.pszText, L"Some text of a cell", info->item.cchTextMax);
      }
      return 0;
    }
    source = info->hdr.hwndFrom;
  } else if (msg == WM_DRAWITEM) {
    source = reinterpret_cast<DRAWITEMSTRUCT*>(lparam)->hwndItem;
  } else if (msg == WM_MEASUREITEM) {
    source = GetDlgItem(wnd, static_cast<int>(wparam));
  }
  if (source != nullptr) return SendMessageW(source, msg + 0x2000, wparam, lparam);
  return DefWindowProcW(wnd, msg, wparam, lparam);
}

struct ListSetup {
  HWND host = nullptr;
  ZuListView list;
  std::vector<char> checked;
  std::unique_ptr<Gdiplus::Bitmap> on, off;
  std::function<bool(int)> get;
  std::function<void(int, bool)> set;

  explicit ListSetup(int rows) : checked(static_cast<size_t>(rows), 0) {
    host = CreateWindowExW(0, L"ViewBenchListHost", L"", WS_POPUP | WS_VISIBLE, 50, 50, 660, 520,
                           nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    on = std::make_unique<Gdiplus::Bitmap>(16, 16, PixelFormat32bppARGB);
    off = std::make_unique<Gdiplus::Bitmap>(16, 16, PixelFormat32bppARGB);
    list.SetCheckBoxImage(on.get(), off.get(), off.get());
    list.SetItemHeight(40);
    RECT rect = {0, 0, 640, 500};
    list.CreateListView(host, rect, kListId, true, true, false);
    for (int c = 0; c < 4; ++c) {
      LVCOLUMNW column = {};
      column.mask = LVCF_WIDTH;
      column.cx = 150;
      SendMessageW(list, LVM_INSERTCOLUMNW, c, reinterpret_cast<LPARAM>(&column));
    }
    get = [this](int row) { return checked[static_cast<size_t>(row)] != 0; };
    set = [this](int row, bool value) { checked[static_cast<size_t>(row)] = value ? 1 : 0; };
    list.SetFuncGetCheckState(get);
    list.SetFuncSetCheckState(set);
    list.SetItemCount(rows);
    bench::PumpUntilIdle();
  }
  ~ListSetup() {
    DestroyWindow(host);
    bench::PumpUntilIdle();
  }

  void PaintViewport() {
    RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  }
  void WheelDownAndUp() {
    SendMessageW(list, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)),
                 MAKELPARAM(300, 300));
    UpdateWindow(list);
    SendMessageW(list, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(300, 300));
    UpdateWindow(list);
  }
  // A jump to the far end and back, as a thumb drag does.
  void JumpToEndAndBack() {
    const int count = static_cast<int>(checked.size());
    SendMessageW(list, LVM_ENSUREVISIBLE, count - 1, FALSE);
    UpdateWindow(list);
    SendMessageW(list, LVM_ENSUREVISIBLE, 0, FALSE);
    UpdateWindow(list);
  }
  void ClickCheckBox() {
    RECT row = {};
    row.left = LVIR_BOUNDS;
    SendMessageW(list, LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&row));
    const LPARAM at = MAKELPARAM(row.left + 10, (row.top + row.bottom) / 2);
    SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(list, WM_LBUTTONUP, 0, at);
    UpdateWindow(list);
  }
  // Pointer moves over two rows: hit test and hover repaint.
  void HoverTwoRows() {
    SendMessageW(list, WM_MOUSEMOVE, 0, MAKELPARAM(300, 100));
    UpdateWindow(list);
    SendMessageW(list, WM_MOUSEMOVE, 0, MAKELPARAM(300, 180));
    UpdateWindow(list);
  }
};

void ListBenchmark(std::vector<bench::Row>& rows) {
  WNDCLASSW wc = {};
  wc.lpfnWndProc = HostProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"ViewBenchListHost";
  RegisterClassW(&wc);

  const double count_small = bench::MedianSeconds([] { ListSetup small(100); }, 5, 1);
  const double count_large = bench::MedianSeconds([] { ListSetup large(1000000); }, 5, 1);
  rows.push_back({"list: create with 1,000,000 rows", "create with 100 rows",
                  count_large / count_small, bench::Target::kReport, 0});

  ListSetup small(100);
  ListSetup large(1000000);
  SendMessageW(large.list, LVM_ENSUREVISIBLE, 500000, FALSE);
  SendMessageW(large.list, LVM_ENSUREVISIBLE, 500000 + 5, FALSE);
  bench::PumpUntilIdle();

  struct Case {
    const char* work;
    const char* baseline;
    std::function<void(ListSetup&)> run;
  };
  const Case cases[] = {
      {"list 1M rows: paint a viewport", "the same with 100 rows",
       [](ListSetup& s) { s.PaintViewport(); }},
      {"list 1M rows: wheel down and up", "the same with 100 rows",
       [](ListSetup& s) { s.WheelDownAndUp(); }},
      {"list 1M rows: thumb jump to the end and back", "the same with 100 rows",
       [](ListSetup& s) { s.JumpToEndAndBack(); }},
      {"list 1M rows: hover hit-test over two rows", "the same with 100 rows",
       [](ListSetup& s) { s.HoverTwoRows(); }},
  };
  for (const Case& c : cases) {
    const double base = bench::MedianSeconds([&] { c.run(small); });
    const double work = bench::MedianSeconds([&] { c.run(large); });
    rows.push_back({c.work, c.baseline, work / base, bench::Target::kAtMost, 1.5});
  }
  // A check-box click on and off: unchecking looks for the lowest row still
  // checked, which with none checked asks the application about every row.
  const auto click = [](ListSetup& s) {
    s.ClickCheckBox();
    s.ClickCheckBox();
  };
  const double click_small = bench::MedianSeconds([&] { click(small); });
  const double click_large = bench::MedianSeconds([&] { click(large); });
  rows.push_back({"list 1M rows: check-box click on and off (none else checked)",
                  "the same with 100 rows", click_large / click_small, bench::Target::kReport, 0});
}

}  // namespace

VIEW_BENCHMARK(list, ListBenchmark);

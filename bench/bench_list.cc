// The checkable list against a stock report list showing the same rows and
// texts, and the checkable list with 1,000,000 rows against the same list
// with 1,000 rows: painting a viewport, scrolling by the wheel and by jumps of
// the thumb, and hit-testing under the pointer should cost the same whatever
// the row count, since the list keeps nothing per row and paints only the
// rows on screen.

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
  if (msg == WM_NOTIFY) {
    auto* info = reinterpret_cast<NMLVDISPINFOW*>(lparam);
    if (info->hdr.code == LVN_GETDISPINFOW) {
      if ((info->item.mask & LVIF_TEXT) != 0 && info->item.pszText != nullptr) {
        lstrcpynW(info->item.pszText, L"Some text of a cell", info->item.cchTextMax);
      }
      if ((info->item.mask & LVIF_IMAGE) != 0) info->item.iImage = 0;
      return 0;
    }
  }
  LRESULT result = 0;
  if (view::ReflectNotification(wnd, msg, wparam, lparam, &result)) return result;
  return DefWindowProcW(wnd, msg, wparam, lparam);
}

// Where a list's host goes: side by side on the 1600x1200 screen, so that no
// window covers another while it paints.
struct Place {
  int x, y, width, height;
};

// The columns of a full row: check box and number, photo, three texts.
constexpr int kColumnWidths[] = {110, 150, 180, 180, 180};

void InsertColumns(HWND list, int count) {
  const wchar_t* titles[] = {L"No.", L"Photo", L"Name", L"Place", L"Note"};
  for (int c = 0; c < count; ++c) {
    LVCOLUMNW column = {};
    column.mask = LVCF_WIDTH | LVCF_TEXT;
    column.cx = kColumnWidths[c];
    column.pszText = const_cast<wchar_t*>(titles[c]);
    SendMessageW(list, LVM_INSERTCOLUMNW, c, reinterpret_cast<LPARAM>(&column));
  }
}

HWND CreateHost(const Place& place) {
  return CreateWindowExW(0, L"ViewBenchListHost", L"", WS_POPUP | WS_VISIBLE, place.x, place.y,
                         place.width, place.height, nullptr, nullptr, GetModuleHandleW(nullptr),
                         nullptr);
}

struct ListSetup {
  HWND host = nullptr;
  ZuListView list;
  std::vector<char> checked;
  std::unique_ptr<Gdiplus::Bitmap> on, off, photo;
  std::function<bool(int)> get;
  std::function<void(int, bool)> set;
  bool down = true;  // the direction of the next wheel notch

  ListSetup(int rows, const Place& place) : checked(static_cast<size_t>(rows), 0) {
    host = CreateHost(place);
    on = bench::Solid(16, 16, 0xFF2060C0);
    off = bench::Solid(16, 16, 0xFFC0C0C0);
    photo = bench::Solid(32, 32, 0xFF808000);
    list.SetCheckBoxImage(on.get(), off.get(), off.get());
    list.SetDefaultPhoto(photo.get());
    list.SetItemHeight(40);
    RECT rect = {0, 0, place.width, place.height};
    list.CreateListView(host, rect, kListId, true, true, false);
    InsertColumns(list, 5);
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
  // One wheel notch, down and up by turns so that the list stays in place.
  void WheelOnce() {
    SendMessageW(list, WM_MOUSEWHEEL,
                 MAKEWPARAM(0, static_cast<WORD>(down ? -WHEEL_DELTA : WHEEL_DELTA)),
                 MAKELPARAM(300, 300));
    UpdateWindow(list);
    down = !down;
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

// A stock report list (not owner-drawn) with the same rows, columns and
// texts, its check boxes and a 32x32 image per row from an image list.
struct StockListSetup {
  HWND host = nullptr;
  HWND list = nullptr;
  HIMAGELIST images = nullptr;

  StockListSetup(int rows, const Place& place) {
    host = CreateHost(place);
    list = CreateWindowExW(0, WC_LISTVIEWW, L"",
                           WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | LVS_REPORT | LVS_OWNERDATA,
                           0, 0, place.width, place.height, host,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(kListId + 1)),
                           GetModuleHandleW(nullptr), nullptr);
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
                 LVS_EX_DOUBLEBUFFER | LVS_EX_FULLROWSELECT | LVS_EX_CHECKBOXES);
    // A 40-pixel image makes the rows as tall as the checkable list's.
    images = ImageList_Create(32, 40, ILC_COLOR32, 1, 1);
    {
      auto photo = bench::Solid(32, 40, 0xFF808000);
      HBITMAP bitmap = nullptr;
      photo->GetHBITMAP(Gdiplus::Color(0, 0, 0, 0), &bitmap);
      if (bitmap != nullptr) {
        ImageList_Add(images, bitmap, nullptr);
        DeleteObject(bitmap);
      }
    }
    SendMessageW(list, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images));
    InsertColumns(list, 5);
    SendMessageW(list, LVM_SETITEMCOUNT, rows, 0);
    bench::PumpUntilIdle();
  }
  ~StockListSetup() {
    DestroyWindow(host);
    if (images != nullptr) ImageList_Destroy(images);
    bench::PumpUntilIdle();
  }
  void PaintViewport() {
    RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  }
};

// Places inside the 1600x1200 screen that do not overlap.
constexpr Place kLeftViewport = {0, 0, 800, 600};
constexpr Place kRightViewport = {800, 0, 800, 600};
constexpr Place kLeftLower = {0, 600, 660, 520};
constexpr Place kRightLower = {700, 600, 660, 520};

void ListBenchmark(std::vector<bench::Row>& rows) {
  WNDCLASSW wc = {};
  wc.lpfnWndProc = HostProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"ViewBenchListHost";
  RegisterClassW(&wc);

  {
    ListSetup ours(1000, kLeftViewport);
    StockListSetup stock(1000, kRightViewport);
    rows.push_back({"list: paint an 800x600 viewport (checks, photos, 3 texts)",
                    "stock report list, same rows and texts",
                    bench::PairedRatio([&] { ours.PaintViewport(); }, [&] { stock.PaintViewport(); }),
                    bench::Target::kAtMost, 2.0});
  }

  rows.push_back({"list: create with 1,000,000 rows", "create with 1,000 rows",
                  bench::PairedRatio([] { ListSetup large(1000000, kRightLower); },
                                     [] { ListSetup small(1000, kLeftLower); }, 5, 1),
                  bench::Target::kReport, 0});

  ListSetup small(1000, kLeftLower);
  ListSetup large(1000000, kRightLower);
  SendMessageW(small.list, LVM_ENSUREVISIBLE, 500, FALSE);
  SendMessageW(small.list, LVM_ENSUREVISIBLE, 500 + 5, FALSE);
  SendMessageW(large.list, LVM_ENSUREVISIBLE, 500000, FALSE);
  SendMessageW(large.list, LVM_ENSUREVISIBLE, 500000 + 5, FALSE);
  bench::PumpUntilIdle();

  struct Case {
    const char* work;
    std::function<void(ListSetup&)> run;
    bench::Target target;
    double limit;
  };
  const Case cases[] = {
      {"list 1M rows: paint a viewport and one wheel scroll",
       [](ListSetup& s) {
         s.PaintViewport();
         s.WheelOnce();
       },
       bench::Target::kAtMost, 1.1},
      {"list 1M rows: thumb jump to the end and back",
       [](ListSetup& s) { s.JumpToEndAndBack(); }, bench::Target::kReport, 0},
      {"list 1M rows: hover hit-test over two rows", [](ListSetup& s) { s.HoverTwoRows(); },
       bench::Target::kReport, 0},
  };
  for (const Case& c : cases) {
    rows.push_back({c.work, "the same with 1,000 rows",
                    bench::PairedRatio([&] { c.run(large); }, [&] { c.run(small); }),
                    c.target, c.limit});
  }
  // A check-box click on and off: unchecking looks for the lowest row still
  // checked, which with none checked asks the application about every row.
  const auto click = [](ListSetup& s) {
    s.ClickCheckBox();
    s.ClickCheckBox();
  };
  rows.push_back({"list 1M rows: check-box click on and off (none else checked)",
                  "the same with 1,000 rows",
                  bench::PairedRatio([&] { click(large); }, [&] { click(small); }, 15, 2),
                  bench::Target::kReport, 0});
}

}  // namespace

VIEW_BENCHMARK(list, ListBenchmark);

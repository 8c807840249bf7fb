// Windows that hold many controls at once, as applications build them: a
// dialog of 200 of the library's controls of every kind against the same
// dialog built from stock controls (push buttons for the buttons, a report
// list with check boxes, a tree with TVS_CHECKBOXES, a drop-down combo box,
// an edit and a SysLink), side by side so that neither covers the other.
// Rows: create and first paint; resize by one pixel a hundred times with a
// synchronous repaint; the pointer swept across a row of 50 buttons; a DPI
// change; the GDI objects and memory each control costs; and the switch from
// the light theme to the dark one with the repaint it brings, against a full
// repaint of the stock dialog (which has no theme to switch). Both dialogs run with
// common controls 6 (the benchmark's manifest): version 5 push buttons do not
// repaint as the pointer enters and leaves, so against them the sweep timed
// the library's two repaints per button against none (25 times the stock
// figure); with both on version 6, and the buttons' faces kept, it is below 1.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "bench.h"
#include "harness.h"
#include "robust.h"
#include "view/view.h"

namespace {

constexpr int kColumns = 10;
constexpr int kRows = 20;  // 200 controls, ten kinds a row
constexpr int kCellWidth = 76, kCellHeight = 52;
constexpr int kDialogWidth = kColumns * kCellWidth, kDialogHeight = kRows * kCellHeight;
constexpr int kSweepButtons = 50;

// What the library's controls borrow; made once, outliving every control.
struct Resources {
  Gdiplus::Font font{L"Tahoma", 11.0f, Gdiplus::FontStyleRegular, Gdiplus::UnitPixel};
  std::unique_ptr<Gdiplus::Bitmap> normal = bench::Solid(60, 20, 0xFFE0E0E0);
  std::unique_ptr<Gdiplus::Bitmap> pressed = bench::Solid(60, 20, 0xFF4060C0);
  std::unique_ptr<Gdiplus::Bitmap> icon = bench::Solid(12, 12, 0xFF2080C0);
  std::unique_ptr<Gdiplus::Bitmap> box = bench::Solid(12, 12, 0xFF808080);
};

RECT Cell(int index) {
  const int x = (index % kColumns) * kCellWidth + 2, y = (index / kColumns) * kCellHeight + 2;
  return {x, y, x + kCellWidth - 4, y + kCellHeight - 4};
}

bool g_checks[8] = {};

void InsertColumn(HWND list) {
  LVCOLUMNW column = {};
  column.mask = LVCF_WIDTH | LVCF_TEXT;
  column.cx = 70;
  column.pszText = const_cast<wchar_t*>(L"Name");
  SendMessageW(list, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
}

// A dialog of the library's controls; the wrappers live as long as it does.
class LibraryDialog {
 public:
  LibraryDialog(const Resources& r, int x, int count, int kinds) {
    host_ = bench::CreateReflectingHost(kDialogWidth, kDialogHeight, x, 40);
    for (int i = 0; i < count; ++i) Add(r, i, i % kinds);
  }
  ~LibraryDialog() { DestroyWindow(host_); }
  HWND host() const { return host_; }
  HWND control(size_t i) const { return controls_[i]; }

 private:
  template <class W>
  W& Keep() {
    auto owned = std::make_shared<W>();
    W& w = *owned;
    keep_.push_back(std::move(owned));
    return w;
  }
  void Add(const Resources& r, int index, int kind) {
    const RECT c = Cell(index);
    RECT rect = c;
    const int id = 1000 + index;
    auto* font = const_cast<Gdiplus::Font*>(&r.font);
    HWND wnd = nullptr;
    switch (kind) {
      case 1: {
        auto& b = Keep<ZuSwitchButton>();
        wnd = b.CreateButton(host_, font, id);
        b.Init(c.left, c.top, L"Switch", RGB(230, 230, 230), RGB(0, 0, 0), RGB(40, 90, 200),
               RGB(255, 255, 255));
        break;
      }
      case 2: {
        auto& b = Keep<ZuSwitchImageButton>();
        wnd = b.CreateButton(host_, font, id);
        b.Init(c.left, c.top, L"Tile", RGB(200, 220, 240), 0, r.icon.get(), RGB(30, 90, 160),
               RGB(255, 255, 255), r.icon.get());
        break;
      }
      case 3: {
        auto& b = Keep<ZuSectionButton>();
        wnd = b.Create(host_, &rect, L"Section", 0, 0, id);
        b.SetFont(font).SetCheckStyle(true).Load(true);
        break;
      }
      case 4: {
        auto& list = Keep<ZuListView>();
        std::function<bool(int)> get = [](int row) { return row >= 0 && row < 8 && g_checks[row]; };
        std::function<void(int, bool)> set = [](int row, bool on) {
          if (row >= 0 && row < 8) g_checks[row] = on;
        };
        list.SetFuncGetCheckState(get);
        list.SetFuncSetCheckState(set);
        list.SetCheckBoxImage(r.box.get(), r.icon.get(), nullptr);
        list.CreateListView(host_, rect, id, false, true, false);
        wnd = list;
        InsertColumn(wnd);
        list.SetItemCount(5);
        break;
      }
      case 5: {
        auto& tree = Keep<ZuTreeViewCheckBox>();
        wnd = tree.CreateTree(host_, id, WTL::CRect(rect), RGB(255, 255, 255), r.box.get(),
                              r.box.get(), r.icon.get(), r.box.get());
        HTREEITEM root = tree.AppendItem(TVI_ROOT, 1, L"Root", nullptr, 0, 0, true, -1);
        for (int k = 0; k < 3; ++k) tree.AppendItem(root, 2 + k, L"Item", nullptr, 0, 0, false, -1);
        TreeView_Expand(wnd, root, TVE_EXPAND);
        break;
      }
      case 6: {
        auto& combo = Keep<ZuComboBox>();
        rect.bottom = rect.top + 120;
        wnd = combo.Create(host_, rect, nullptr,
                           WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST |
                               CBS_OWNERDRAWFIXED | CBS_HASSTRINGS, 0, id);
        for (const wchar_t* item : {L"Apple", L"Pear", L"Plum"}) {
          SendMessageW(wnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
        }
        combo.SetCheck(1, 1);
        break;
      }
      case 7: {
        auto& edit = Keep<ZuEdit>();
        wnd = edit.Create(host_, rect, L"", WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, 0, id);
        edit.setTipValue(L"Search");
        break;
      }
      case 8: {
        auto& link = Keep<ZuLink>();
        wnd = link.Create(host_, rect, L"<a href=\"https://example.com\">Help</a>", 0, 0, id);
        break;
      }
      default: {  // kinds 0 and 9: image buttons
        auto& b = Keep<ZuImgButton>();
        wnd = b.CreateButton(host_, id, true);
        b.SetBkgColor(RGB(240, 240, 240));
        b.setFont(font);
        b.Init(r.normal.get(), c.left, c.top, r.pressed.get(), kind == 0 ? L"Save" : L"Open",
               kBASImgButtonTextCenter, 2, 2, 0);
        break;
      }
    }
    controls_.push_back(wnd);
  }

  HWND host_ = nullptr;
  std::vector<std::shared_ptr<void>> keep_;
  std::vector<HWND> controls_;
};

// The same dialog from stock controls; the kinds follow LibraryDialog's.
class StockDialog {
 public:
  StockDialog(int x, int count, int kinds) {
    host_ = bench::CreateReflectingHost(kDialogWidth, kDialogHeight, x, 40);
    for (int i = 0; i < count; ++i) Add(i, i % kinds);
  }
  ~StockDialog() { DestroyWindow(host_); }
  HWND host() const { return host_; }
  HWND control(size_t i) const { return controls_[i]; }

 private:
  HWND Make(const wchar_t* cls, const wchar_t* text, DWORD style, const RECT& r, int id) {
    HWND wnd = CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | style, r.left, r.top,
                               r.right - r.left, r.bottom - r.top, host_,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                               GetModuleHandleW(nullptr), nullptr);
    SendMessageW(wnd, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    return wnd;
  }
  void Add(int index, int kind) {
    RECT r = Cell(index);
    const int id = 1000 + index;
    HWND wnd = nullptr;
    switch (kind) {
      case 4: {
        wnd = Make(WC_LISTVIEWW, L"", LVS_REPORT | WS_BORDER, r, id);
        ListView_SetExtendedListViewStyle(wnd, LVS_EX_CHECKBOXES);
        InsertColumn(wnd);
        for (int k = 0; k < 5; ++k) {
          LVITEMW item = {};
          item.iItem = k;
          SendMessageW(wnd, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
        }
        break;
      }
      case 5: {
        wnd = Make(WC_TREEVIEWW, L"", TVS_HASBUTTONS | TVS_CHECKBOXES, r, id);
        viewtest::FillStockTree(wnd, 3);
        break;
      }
      case 6:
        r.bottom = r.top + 120;
        wnd = Make(WC_COMBOBOXW, L"", CBS_DROPDOWNLIST | WS_VSCROLL, r, id);
        for (const wchar_t* item : {L"Apple", L"Pear", L"Plum"}) {
          SendMessageW(wnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
        }
        break;
      case 7: wnd = Make(WC_EDITW, L"", WS_BORDER | ES_AUTOHSCROLL, r, id); break;
      case 8: wnd = Make(WC_LINK, L"<a href=\"https://example.com\">Help</a>", 0, r, id); break;
      default:
        r.bottom = r.top + 24;
        wnd = Make(L"BUTTON", L"Button", BS_PUSHBUTTON, r, id);
        break;
    }
    controls_.push_back(wnd);
  }

  HWND host_ = nullptr;
  std::vector<HWND> controls_;
};

void PaintAll(HWND host) {
  RedrawWindow(host, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

// Grows the dialog by a pixel each way and shrinks it back, 50 times each,
// repainting it whole, children included, after every step.
void ResizeHundredTimes(HWND host) {
  RECT rect = {};
  GetWindowRect(host, &rect);
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  for (int i = 0; i < 100; ++i) {
    const int d = i % 2 == 0 ? 1 : 0;
    SetWindowPos(host, nullptr, 0, 0, width + d, height + d, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    PaintAll(host);
  }
}

// The pointer enters and leaves each button in turn; each repaints at once.
template <class Dialog>
void Sweep(const Dialog& dialog) {
  for (int i = 0; i < kSweepButtons; ++i) {
    HWND button = dialog.control(static_cast<size_t>(i));
    const LPARAM inside = MAKELPARAM(5, 5);
    SendMessageW(button, WM_MOUSEMOVE, 0, inside);
    SendMessageW(button, WM_MOUSEHOVER, 0, inside);
    UpdateWindow(button);
    SendMessageW(button, WM_MOUSELEAVE, 0, 0);
    UpdateWindow(button);
  }
}

// Moves and sizes every child of `host` to its cell at `dpi`, as an
// application places its children after a DPI change.
void PlaceAll(HWND host, int dpi) {
  int index = 0;
  for (HWND child = GetWindow(host, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT), ++index) {
    const RECT c = Cell(index);
    SetWindowPos(child, nullptr, c.left * dpi / 96, c.top * dpi / 96,
                 (c.right - c.left) * dpi / 96, (c.bottom - c.top) * dpi / 96,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

// The library's dialog (made in the per-monitor mode) told of a DPI change:
// the controls rescale themselves; the application places them.
void ChangeDpi(HWND host, int dpi) {
  RECT suggested = {0, 0, kDialogWidth * dpi / 96, kDialogHeight * dpi / 96};
  view::ReflectNotification(host, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                            reinterpret_cast<LPARAM>(&suggested), nullptr);
  PlaceAll(host, dpi);
  PaintAll(host);
}

// The stock dialog's application gives every control the font for `dpi`
// and places it.
void ChangeStockDpi(HWND host, int dpi, HFONT font) {
  for (HWND child = GetWindow(host, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  }
  PlaceAll(host, dpi);
  PaintAll(host);
}

std::unique_ptr<LibraryDialog> PerMonitorDialog(const Resources& r, int x) {
  view::SetDpiMode(view::DpiMode::kPerMonitor);
  auto dialog = std::make_unique<LibraryDialog>(r, x, kColumns * kRows, kColumns);
  view::SetDpiMode(view::DpiMode::kApplication);
  return dialog;
}

void DialogBenchmark(std::vector<bench::Row>& rows) {
  Resources r;
  constexpr int kAll = kColumns * kRows, kKinds = kColumns;
  constexpr int kLeft = 10, kRight = kLeft + kDialogWidth + 20;
  {
    // Create and first paint; the dialog is destroyed outside the timing.
    std::unique_ptr<LibraryDialog> ours;
    std::unique_ptr<StockDialog> stock;
    rows.push_back({"dialog of 200 controls: create and first paint",
                    "the same dialog of stock controls",
                    bench::PairedRatio(
                        [&] {
                          ours = std::make_unique<LibraryDialog>(r, kLeft, kAll, kKinds);
                          PaintAll(ours->host());
                        },
                        [&] {
                          stock = std::make_unique<StockDialog>(kRight, kAll, kKinds);
                          PaintAll(stock->host());
                        },
                        7, 1, [&] {
                          ours.reset();
                          stock.reset();
                          bench::PumpUntilIdle();
                        }),
                    bench::Target::kAtMost, 1.5});
  }
  {
    LibraryDialog ours(r, kLeft, kAll, kKinds);
    StockDialog stock(kRight, kAll, kKinds);
    bench::PumpUntilIdle();
    rows.push_back({"dialog of 200 controls: 100 one-pixel resizes, repainted",
                    "the same dialog of stock controls",
                    bench::PairedRatio([&] { ResizeHundredTimes(ours.host()); },
                                       [&] { ResizeHundredTimes(stock.host()); }, 3, 0),
                    bench::Target::kAtMost, 1.5});
  }
  {
    // 50 image buttons against 50 stock push buttons (kind 0 in both).
    LibraryDialog ours(r, kLeft, kSweepButtons, 1);
    StockDialog stock(kRight, kSweepButtons, 1);
    bench::PumpUntilIdle();
    rows.push_back({"pointer swept across 50 image buttons (hover on and off)",
                    "the same over 50 stock push buttons",
                    bench::PairedRatio([&] { Sweep(ours); }, [&] { Sweep(stock); }),
                    bench::Target::kAtMost, 1.5});
  }
  {
    // 96 -> 144 DPI, and back after each pair (untimed).
    std::unique_ptr<LibraryDialog> ours = PerMonitorDialog(r, kLeft);
    StockDialog stock(kRight, kAll, kKinds);
    HFONT fonts[2] = {CreateFontW(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, L"Tahoma"),
                      CreateFontW(-16, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, L"Tahoma")};
    bench::PumpUntilIdle();
    rows.push_back({"dialog of 200 controls: 96 to 144 DPI (rescale, place, repaint)",
                    "the stock dialog given a new font and placed",
                    bench::PairedRatio([&] { ChangeDpi(ours->host(), 144); },
                                       [&] { ChangeStockDpi(stock.host(), 144, fonts[1]); }, 7, 1,
                                       [&] {
                                         ChangeDpi(ours->host(), 96);
                                         ChangeStockDpi(stock.host(), 96, fonts[0]);
                                       }),
                    bench::Target::kAtMost, 1.5});
    ours.reset();
    for (HFONT font : fonts) DeleteObject(font);
  }
  // What each control holds: GDI objects and committed memory per control,
  // counted around a dialog's creation and first paint (after one warm-up
  // dialog of each kind, so that classes and caches made once do not count).
  const auto per_control = [&](auto make) {
    { auto warm = make(); PaintAll(warm->host()); }
    bench::PumpUntilIdle();
    const viewtest::ProcessCounters before = viewtest::SnapshotCounters();
    auto dialog = make();
    PaintAll(dialog->host());
    bench::PumpUntilIdle();
    const viewtest::ProcessCounters after = viewtest::SnapshotCounters();
    return std::make_pair(static_cast<double>(after.gdi_objects - before.gdi_objects) / kAll,
                          (static_cast<double>(after.private_bytes) - before.private_bytes) / kAll);
  };
  const auto ours = per_control([&] { return std::make_unique<LibraryDialog>(r, kLeft, kAll, kKinds); });
  const auto stock = per_control([&] { return std::make_unique<StockDialog>(kRight, kAll, kKinds); });
  rows.push_back({"dialog of 200 controls: GDI objects per control", "(count)", ours.first,
                  bench::Target::kReport, 0, "objects"});
  rows.push_back({"stock dialog of 200 controls: GDI objects per control", "(count)", stock.first,
                  bench::Target::kReport, 0, "objects"});
  rows.push_back({"dialog of 200 controls: memory per control", "(bytes)", ours.second,
                  bench::Target::kReport, 0, "bytes"});
  rows.push_back({"stock dialog of 200 controls: memory per control", "(bytes)", stock.second,
                  bench::Target::kReport, 0, "bytes"});
  const auto rescaled = per_control([&] {
    auto dialog = PerMonitorDialog(r, kLeft);
    ChangeDpi(dialog->host(), 144);
    return dialog;
  });
  rows.push_back({"dialog of 200 controls at 144 DPI after a change: memory per control",
                  "(bytes)", rescaled.second, bench::Target::kReport, 0, "bytes"});
  {
    // Every control hears of the dark palette and the dialog repaints whole;
    // each pair ends back in light, repainted, outside the timing.
    LibraryDialog ours(r, kLeft, kAll, kKinds);
    StockDialog stock(kRight, kAll, kKinds);
    bench::PumpUntilIdle();
    rows.push_back({"dialog of 200 controls: switched from light to dark, repainted",
                    "a full repaint of the same dialog of stock controls",
                    bench::PairedRatio(
                        [&] {
                          view::SetTheme(view::Theme::kDark);
                          PaintAll(ours.host());
                        },
                        [&] { PaintAll(stock.host()); }, 15, 2,
                        [&] {
                          view::SetTheme(view::Theme::kLight);
                          PaintAll(ours.host());
                          bench::PumpUntilIdle();
                        }),
                    bench::Target::kAtMost, 1.5});
  }
  bench::PumpUntilIdle();
}

}  // namespace

VIEW_BENCHMARK(dialog, DialogBenchmark);

// The checkable list view and its header check box: layout arithmetic by
// value, then real lists in a reflecting host that answers the row texts from
// test data, driven by real input and read back as pixels.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "harness.h"
#include "view/internal/controls/bas_list_view.h"
#include "view/internal/controls/bas_list_view_header.h"
#include "view/zu_list_view.h"

using viewtest::HostWindow;
using viewtest::Image;
using viewtest::Rgb;

namespace {

constexpr int kListId = 300;
constexpr uint32_t kRed = 0xFF0000;
constexpr uint32_t kBlue = 0x0000FF;
constexpr uint32_t kGrey = 0x808080;
constexpr uint32_t kGreen = 0x00C000;

std::unique_ptr<Gdiplus::Bitmap> SolidBitmap(int width, int height, uint32_t rgb) {
  auto bitmap = std::make_unique<Gdiplus::Bitmap>(width, height, PixelFormat32bppARGB);
  Gdiplus::Graphics graphics(bitmap.get());
  graphics.Clear(Gdiplus::Color(255, (rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF));
  return bitmap;
}

// An application around one list: row texts answered from LVN_GETDISPINFOW,
// check states in a vector, rows refused by the can-check function in a set,
// and every callback recorded.
class ListApp {
 public:
  explicit ListApp(int client_width = 700, int client_height = 560)
      : host(true, client_width, client_height),
        checked_image(SolidBitmap(16, 16, kRed)),
        unchecked_image(SolidBitmap(16, 16, kBlue)),
        disabled_image(SolidBitmap(16, 16, kGrey)) {
    host.on_message = [this](UINT msg, WPARAM, LPARAM lparam, LRESULT& result) {
      if (msg != WM_NOTIFY) return false;
      auto* info = reinterpret_cast<NMLVDISPINFOW*>(lparam);
      if (info->hdr.code != LVN_GETDISPINFOW || info->hdr.hwndFrom != list) return false;
      ++text_queries;
      if ((info->item.mask & LVIF_TEXT) != 0 && info->item.pszText != nullptr &&
          info->item.cchTextMax > 0) {
        const std::wstring text = TextOf(info->item.iItem, info->item.iSubItem);
        lstrcpynW(info->item.pszText, text.c_str(), info->item.cchTextMax);
      }
      result = 0;
      return true;
    };
  }

  std::wstring TextOf(int row, int column) const {
    if (column == 1) return photo_text;
    return L"r" + std::to_wstring(row) + L"c" + std::to_wstring(column);
  }

  // Creates the list with three columns and wires the functions; rows come
  // with SetRows.
  void Create(float scale = 1.0f, bool images = true, bool striped = false,
              bool single_select = false, int height = 0) {
    list.SetDpiScale(scale);
    if (images) {
      list.SetCheckBoxImage(checked_image.get(), unchecked_image.get(), disabled_image.get());
    }
    if (height > 0) list.SetItemHeight(height);
    RECT rect = {10, 10, 10 + 620, 10 + 520};
    list.CreateListView(host, rect, kListId, striped, true, single_select);
    ASSERT_NE(static_cast<HWND>(list), nullptr);
    const int widths[] = {120, 200, 200};
    const wchar_t* titles[] = {L"No.", L"Photo", L"Name"};
    for (int c = 0; c < 3; ++c) {
      LVCOLUMNW column = {};
      column.mask = LVCF_WIDTH | LVCF_TEXT;
      column.cx = widths[c];
      column.pszText = const_cast<wchar_t*>(titles[c]);
      SendMessageW(list, LVM_INSERTCOLUMNW, c, reinterpret_cast<LPARAM>(&column));
    }
    std::function<bool(int)> get = [this](int row) {
      ++state_queries;
      return row >= 0 && row < static_cast<int>(checked.size()) && checked[row] != 0;
    };
    std::function<void(int, bool)> set = [this](int row, bool value) {
      if (row >= 0 && row < static_cast<int>(checked.size())) checked[row] = value ? 1 : 0;
    };
    std::function<bool(int)> can = [this](int row) { return refused.count(row) == 0; };
    std::function<void(HWND, int)> changed = [this](HWND wnd, int row) {
      reports.emplace_back(wnd, row);
    };
    std::function<void(int, int)> scope = [this](int first, int last) {
      scopes.emplace_back(first, last);
    };
    std::function<Gdiplus::Image*(int)> photo = [this](int) -> Gdiplus::Image* {
      ++photo_queries;
      return nullptr;
    };
    list.SetFuncGetCheckState(get);
    list.SetFuncSetCheckState(set);
    list.SetTestCanCheckFunc(can);
    list.SetItemCheckedChangeCallback(changed);
    list.SetScrollItemScopeFuncCallback(scope);
    list.SetPhotoGetFunc(photo);
  }

  void SetRows(int count) {
    checked.assign(static_cast<size_t>(count), 0);
    list.SetItemCount(count);
    viewtest::PumpUntilIdle();
  }

  HWND header() { return list.GetInnerHeader(); }
  int HeaderHeight() {
    RECT rect = {};
    GetWindowRect(header(), &rect);
    return rect.bottom - rect.top;
  }
  RECT RowRect(int row) {
    RECT rect = {};
    rect.left = LVIR_BOUNDS;
    SendMessageW(list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&rect));
    return rect;
  }
  POINT RowPoint(int row, int x) {
    const RECT rect = RowRect(row);
    return POINT{x, (rect.top + rect.bottom) / 2};
  }
  bool Selected(int row) {
    return (SendMessageW(list, LVM_GETITEMSTATE, row, LVIS_SELECTED) & LVIS_SELECTED) != 0;
  }
  std::set<int> SelectedRows() {
    std::set<int> rows;
    for (int r = 0; r < static_cast<int>(checked.size()); ++r) {
      if (Selected(r)) rows.insert(r);
    }
    return rows;
  }
  Image Capture() {
    RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    viewtest::PumpUntilIdle();
    return viewtest::CaptureClient(list);
  }

  HostWindow host;
  ZuListView list;
  std::unique_ptr<Gdiplus::Bitmap> checked_image, unchecked_image, disabled_image;
  std::vector<char> checked;
  std::set<int> refused;
  std::vector<std::pair<HWND, int>> reports;
  std::vector<std::pair<int, int>> scopes;
  std::wstring photo_text = L"";
  int text_queries = 0;
  int state_queries = 0;
  int photo_queries = 0;
};

void SelectAll(HWND list) {
  LVITEMW state = {};
  state.stateMask = LVIS_SELECTED;
  state.state = LVIS_SELECTED;
  SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
}

// The leftmost dark (text) pixel in [x0, x1) over rows [y0, y1); -1 if none.
int LeftmostDark(const Image& image, int x0, int x1, int y0, int y1) {
  for (int x = x0; x < x1; ++x) {
    for (int y = y0; y < y1; ++y) {
      const uint32_t p = image.At(x, y);
      if (((p >> 16) & 0xFF) < 0x80 && ((p >> 8) & 0xFF) < 0x80 && (p & 0xFF) < 0x80) return x;
    }
  }
  return -1;
}

// The x of a row's painted left frame line at height y; -1 if none.
int RowLeftEdge(const Image& image, int y) {
  for (int x = 0; x < image.width; ++x) {
    if (image.At(x, y) == Rgb(0xDCDCDC)) return x;
  }
  return -1;
}

int CountDark(const Image& image, int x0, int x1, int y0, int y1) {
  int n = 0;
  for (int x = x0; x < x1; ++x) {
    for (int y = y0; y < y1; ++y) {
      const uint32_t p = image.At(x, y);
      if (((p >> 16) & 0xFF) < 0x80 && ((p >> 8) & 0xFF) < 0x80 && (p & 0xFF) < 0x80) ++n;
    }
  }
  return n;
}

// How many dark pixels `text` has when drawn with the list's font.
int DarkPixelsOfText(HWND list, const wchar_t* text) {
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 100, 60);
  HGDIOBJ old_bitmap = SelectObject(dc, bitmap);
  HGDIOBJ old_font = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(list, WM_GETFONT, 0, 0)));
  RECT all = {0, 0, 100, 60};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  SetBkMode(dc, TRANSPARENT);
  RECT at = {10, 10, 100, 60};
  DrawTextW(dc, text, -1, &at, DT_END_ELLIPSIS | DT_VCENTER);
  SelectObject(dc, old_font);
  SelectObject(dc, old_bitmap);
  const Image image = viewtest::FromHBitmap(bitmap);
  DeleteObject(bitmap);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return CountDark(image, 0, 100, 0, 60);
}

}  // namespace

// ---- Layout arithmetic -----------------------------------------------------------

TEST(ListLayout, PhotoPlacementScrollScopeAndRowNumber) {
  using view::internal::PlacePhoto;
  // A 200x100 photo in a 50-pixel-high cell: 92x46, 2 from the left and top,
  // text from 104; in a cell only 80 wide it is shown square.
  auto p = PlacePhoto(200, 100, 200, 50, 1.0f);
  EXPECT_EQ(p.x, 2);
  EXPECT_EQ(p.y, 2);
  EXPECT_EQ(p.width, 92);
  EXPECT_EQ(p.height, 46);
  EXPECT_EQ(p.text_left, 104);
  p = PlacePhoto(200, 100, 80, 50, 1.0f);
  EXPECT_EQ(p.width, 46);
  EXPECT_EQ(p.height, 46);
  EXPECT_EQ(p.text_left, 2 + 46 + 10);
  // A small photo keeps its own height (scaled) when the cell is taller.
  p = PlacePhoto(20, 10, 200, 90, 1.5f);
  EXPECT_EQ(p.height, 15);
  EXPECT_EQ(p.width, 30);
  EXPECT_EQ(p.x, 3);
  EXPECT_EQ(p.y, 37);
  EXPECT_EQ(p.text_left, 3 + 30 + 15);

  using view::internal::ScrollScope;
  EXPECT_EQ(ScrollScope(40, 10, 100), std::make_pair(30, 70));
  EXPECT_EQ(ScrollScope(80, 10, 100), std::make_pair(70, 99));
  EXPECT_EQ(ScrollScope(5, 10, 100), std::make_pair(0, 35));

  EXPECT_EQ(view::internal::RowNumberLeft(0, 1.0f), 15);
  EXPECT_EQ(view::internal::RowNumberLeft(16, 1.0f), 31);
  EXPECT_EQ(view::internal::RowNumberLeft(16, 1.5f), 24 + 7 + 15);

  using view::internal::RowBackground;
  const COLORREF white = 0xFFFFFF;
  EXPECT_EQ(RowBackground(true, 3, 3, -1, true, white), 0xEEDBA1u);  // selected wins
  EXPECT_EQ(RowBackground(false, 3, 4, 3, true, white), white);     // just left, even if odd
  EXPECT_EQ(RowBackground(false, 4, 4, 3, true, white), 0xF5ECCDu);
  EXPECT_EQ(RowBackground(false, 3, -1, -1, true, white), 0xFAFAFAu);
  EXPECT_EQ(RowBackground(false, 3, -1, -1, false, white), white);
  EXPECT_EQ(RowBackground(false, 2, -1, -1, true, white), white);
}

TEST(ListLayout, HeaderCheckBoxPlaceAndHit) {
  using view::internal::HeaderCheckBoxHitX;
  EXPECT_FALSE(HeaderCheckBoxHitX(4, 16, 1.0f));
  EXPECT_TRUE(HeaderCheckBoxHitX(5, 16, 1.0f));
  EXPECT_TRUE(HeaderCheckBoxHitX(21, 16, 1.0f));
  EXPECT_FALSE(HeaderCheckBoxHitX(22, 16, 1.0f));
  EXPECT_TRUE(HeaderCheckBoxHitX(31, 16, 1.5f));  // 7 + 24
  EXPECT_FALSE(HeaderCheckBoxHitX(32, 16, 1.5f));
  const RECT box = view::internal::HeaderCheckBoxRect(RECT{0, 0, 300, 25}, 16, 16, 1.0f);
  EXPECT_EQ(box.left, 5);
  EXPECT_EQ(box.top, 4);  // (25 - 16) / 2
  EXPECT_EQ(box.right, 21);
  EXPECT_EQ(box.bottom, 20);
}

// ---- Creation, row height and painting -------------------------------------------

TEST(ListView, CreationStylesAndRowHeight) {
  for (float scale : {1.5f, 1.0f}) {
    ListApp app;
    app.Create(scale);
    app.SetRows(10);
    const RECT row = app.RowRect(0);
    EXPECT_EQ(row.bottom - row.top, scale == 1.5f ? 90 : 60) << scale;
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(app.list, GWL_STYLE));
    EXPECT_EQ(style & 0x5201FC0Du, 0x52011C01u);  // no single-select, visible
    const auto ex = static_cast<DWORD>(SendMessageW(app.list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
    EXPECT_EQ(ex & 0x10024u, 0x10024u);
    EXPECT_EQ(app.header(), reinterpret_cast<HWND>(SendMessageW(app.list, LVM_GETHEADER, 0, 0)));
    EXPECT_EQ(GetDlgCtrlID(app.list), kListId);
  }

  // A later height applies at once: the list measures its rows again, and its
  // page of rows follows.
  ListApp app;
  app.Create(1.0f, true, false, true);
  EXPECT_NE(GetWindowLongPtrW(app.list, GWL_STYLE) & LVS_SINGLESEL, 0);
  app.SetRows(100);
  app.list.SetItemHeight(40);
  viewtest::PumpUntilIdle();
  const RECT row = app.RowRect(3);
  EXPECT_EQ(row.bottom - row.top, 40);
  EXPECT_EQ(row.top, app.HeaderHeight() + 3 * 40);
  RECT client = {};
  GetClientRect(app.list, &client);
  SCROLLINFO info = {};
  info.cbSize = sizeof(info);
  info.fMask = SIF_ALL;
  ASSERT_TRUE(GetScrollInfo(app.list, SB_VERT, &info));
  EXPECT_EQ(static_cast<int>(info.nPage), (client.bottom - app.HeaderHeight()) / 40);

  // Copies share the list, and lose it with its window.
  ZuListView copy(app.list);
  EXPECT_EQ(static_cast<HWND>(copy), static_cast<HWND>(app.list));
  DestroyWindow(app.list);
  EXPECT_EQ(static_cast<HWND>(copy), nullptr);
  EXPECT_EQ(app.list.GetInnerHeader(), nullptr);
}

TEST(ListView, RowsPaintCheckBoxNumberStripesAndFrame) {
  ListApp app;
  app.Create(1.0f, true, true, false, 50);
  app.SetRows(10);
  app.checked[2] = 1;
  app.refused.insert(6);
  Image image = app.Capture();  // (paint leaks: the soak in robustness_test)

  const RECT r4 = app.RowRect(4);
  const int mid4 = (r4.top + r4.bottom) / 2;
  // Positions are taken from the row's painted left frame line (the
  // platforms differ in where a report row's owner-drawn rectangle starts).
  const int x = RowLeftEdge(image, mid4);
  ASSERT_GE(x, 0);
  EXPECT_LE(x, 4);
  // The check box: 16x16 at 5 from the row's left, centred in the row.
  EXPECT_EQ(image.At(x + 5, r4.top + 17), kBlue);
  EXPECT_EQ(image.At(x + 20, r4.top + 32), kBlue);
  EXPECT_NE(image.At(x + 4, mid4), kBlue);
  EXPECT_NE(image.At(x + 21, mid4), kBlue);
  EXPECT_NE(image.At(x + 12, r4.top + 16), kBlue);
  EXPECT_EQ(image.At(x + 12, app.RowPoint(2, 0).y), kRed);
  EXPECT_EQ(image.At(x + 12, app.RowPoint(6, 0).y), kGrey);  // refused: the disabled image
  // Row 4 shows the number 5 after the box and the indent.
  const int left = LeftmostDark(image, x + 22, x + 120, r4.top + 1, r4.bottom - 1);
  EXPECT_GE(left, x + 31);
  EXPECT_LE(left, x + 34);
  EXPECT_EQ(CountDark(image, x + 22, x + 120, r4.top + 1, r4.bottom - 1),
            DarkPixelsOfText(app.list, L"5"));
  // Column 2 shows the row's text from the application, indented.
  EXPECT_EQ(CountDark(image, x + 320, x + 519, r4.top + 1, r4.bottom - 1),
            DarkPixelsOfText(app.list, L"r4c2"));
  EXPECT_GE(LeftmostDark(image, x + 320, x + 519, r4.top + 1, r4.bottom - 1), x + 330);

  // Stripes and frame lines: odd rows 0xFAFAFA, even white, each row's top
  // line 0xDCDCDC, and only the last row closed at the bottom.
  const RECT r3 = app.RowRect(3);
  const int mid3 = (r3.top + r3.bottom) / 2;
  EXPECT_EQ(image.At(x + 500, mid3), Rgb(0xFAFAFA));
  EXPECT_EQ(image.At(x + 500, mid4), 0xFFFFFFu);
  EXPECT_EQ(image.At(x + 300, r4.top), Rgb(0xDCDCDC));
  EXPECT_EQ(image.At(x + 300, r4.bottom - 1), 0xFFFFFFu);
  EXPECT_EQ(image.At(x + 519, mid4), Rgb(0xDCDCDC));  // right line
  const RECT r9 = app.RowRect(9);
  EXPECT_EQ(image.At(x + 300, r9.bottom - 1), Rgb(0xDCDCDC));

  // The pointer over row 3, then row 4: row 4 takes the hover colour and row
  // 3, which it has just left, is painted plain white although it is odd.
  viewtest::MoveMouseTo(app.list, POINT{400, mid3});
  viewtest::PumpUntilIdle();
  image = viewtest::CaptureClient(app.list);
  EXPECT_EQ(image.At(x + 500, mid3), Rgb(0xF5ECCD));
  viewtest::MoveMouseTo(app.list, POINT{400, mid4});
  viewtest::PumpUntilIdle();
  image = viewtest::CaptureClient(app.list);
  EXPECT_EQ(image.At(x + 500, mid4), Rgb(0xF5ECCD));
  EXPECT_EQ(image.At(x + 500, mid3), 0xFFFFFFu);
  EXPECT_EQ(image.At(x + 500, app.RowPoint(5, 0).y), Rgb(0xFAFAFA));

  // A selected row stays selected-blue under the pointer.
  app.list.SelectItem(5);
  viewtest::MoveMouseTo(app.list, app.RowPoint(5, 400));
  viewtest::PumpUntilIdle();
  image = viewtest::CaptureClient(app.list);
  EXPECT_EQ(image.At(x + 500, app.RowPoint(5, 0).y), Rgb(0xEEDBA1));
  if (HasFailure()) viewtest::SaveArtifact(image, "list_rows");
}

TEST(ListView, ScaleSizesTheRowsAndBothCheckBoxes) {
  ListApp app;
  app.Create(1.5f);
  app.SetRows(3);
  const Image image = app.Capture();
  const RECT r1 = app.RowRect(1);
  ASSERT_EQ(r1.bottom - r1.top, 90);
  const int x = RowLeftEdge(image, r1.top + 10);
  // 16x16 at 1.5: 24x24 at 7 from the row's left, (90 - 24) / 2 = 33 down.
  // The stretched image's edges are blended, so measure where blue dominates.
  const auto bluish = [](uint32_t p) { return (p & 0xFF) > ((p >> 16) & 0xFF) + 0x60; };
  const auto span = [&](const Image& img, bool horizontal, int at, int from, int to) {
    int first = -1, last = -1;
    for (int i = from; i < to; ++i) {
      const bool hit = horizontal ? bluish(img.At(i, at)) : bluish(img.At(at, i));
      if (hit && first < 0) first = i;
      if (hit) last = i;
    }
    return std::make_pair(first, last);
  };
  auto h = span(image, true, r1.top + 45, x, x + 40);
  EXPECT_NEAR(h.first, x + 7, 1);
  EXPECT_NEAR(h.second, x + 30, 1);
  auto v = span(image, false, x + 18, r1.top, r1.bottom);
  EXPECT_NEAR(v.first, r1.top + 33, 1);
  EXPECT_NEAR(v.second, r1.top + 56, 1);
  // The header box takes the scale too (centred on the header's height,
  // here taller than the header).
  app.list.SetHeaderCheck(0);
  RedrawWindow(app.header(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  viewtest::PumpUntilIdle();
  const Image header = viewtest::CaptureClient(app.header());
  h = span(header, true, header.height / 2, 0, 60);
  EXPECT_NEAR(h.first, 7, 1);
  EXPECT_NEAR(h.second, 30, 1);
  if (HasFailure()) viewtest::SaveArtifact(image, "list_scaled");
}

TEST(ListView, NumberStartsAfterTheIndentWithoutCheckBoxImages) {
  ListApp app;
  app.Create(1.0f, false, false, false, 50);
  app.SetRows(10);
  const Image image = app.Capture();
  const RECT r4 = app.RowRect(4);
  const int x = RowLeftEdge(image, (r4.top + r4.bottom) / 2);
  const int left = LeftmostDark(image, x + 2, x + 120, r4.top + 1, r4.bottom - 1);
  EXPECT_GE(left, x + 15);
  EXPECT_LE(left, x + 18);
  // Without images a click on column 0 is the platform list's: it selects.
  viewtest::Click(app.list, app.RowPoint(4, 80));
  EXPECT_TRUE(app.Selected(4));
  EXPECT_EQ(app.checked[4], 0);
  EXPECT_TRUE(app.reports.empty());
  EXPECT_FALSE(app.list.setListViewHeaderCheck(true));
  EXPECT_EQ(app.checked[4], 0);
  if (HasFailure()) viewtest::SaveArtifact(image, "list_no_images");
}

TEST(ListView, PhotoColumnPlacesThePhotoAndTheText) {
  ListApp app;
  auto photo = SolidBitmap(200, 100, kGreen);
  app.photo_text = L"Photo text";
  app.list.SetDefaultPhoto(photo.get());
  app.Create(1.0f, true, false, false, 50);
  SendMessageW(app.list, LVM_SETBKCOLOR, 0, RGB(200, 220, 240));
  app.SetRows(3);
  Image image = app.Capture();
  const RECT r1 = app.RowRect(1);
  const int cell_left = RowLeftEdge(image, (r1.top + r1.bottom) / 2) + 120;
  EXPECT_EQ(image.Count(kGreen, cell_left, r1.top, cell_left + 200, r1.bottom), 92 * 46);
  EXPECT_EQ(image.At(cell_left + 2, r1.top + 2), kGreen);
  EXPECT_EQ(image.At(cell_left + 93, r1.top + 47), kGreen);
  EXPECT_NE(image.At(cell_left + 1, r1.top + 2), kGreen);
  EXPECT_NE(image.At(cell_left + 94, r1.top + 2), kGreen);
  EXPECT_NE(image.At(cell_left + 2, r1.top + 1), kGreen);
  const int text_left =
      LeftmostDark(image, cell_left + 95, cell_left + 200, r1.top + 1, r1.bottom - 1);
  EXPECT_GE(text_left, cell_left + 104);
  EXPECT_LE(text_left, cell_left + 107);
  EXPECT_GT(app.photo_queries, 0);
  // Below the last row the list's own background shows.
  const uint32_t background = Rgb(RGB(200, 220, 240));
  EXPECT_EQ(image.At(300, app.RowRect(2).bottom + 20), background);
  EXPECT_EQ(image.At(600, (r1.top + r1.bottom) / 2), background);

  // The application paints under a row's cells, and may take over the photo
  // column; both draw in the row's own coordinates.
  std::vector<int> rendered;
  std::function<void(WTL::CDC&, int)> render = [&](WTL::CDC& dc, int row) {
    rendered.push_back(row);
    const RECT block = {300, 5, 310, 15};
    dc.FillSolidRect(&block, RGB(255, 0, 255));
  };
  std::vector<std::pair<int, RECT>> cells;
  app.list.SetRenderFunc(render);
  app.list.setFuncDrawPhotoColumn([&](WTL::CDC&, DRAWITEMSTRUCT* dis, WTL::CRect& cell, int column) {
    cells.push_back({static_cast<int>(dis->itemID) * 10 + column, cell});
  });
  image = app.Capture();
  EXPECT_EQ(image.At(cell_left - 120 + 305, r1.top + 10), 0xFF00FFu);
  EXPECT_EQ(image.Count(kGreen), 0);  // the replacement drew no photo
  EXPECT_NE(std::find(rendered.begin(), rendered.end(), 1), rendered.end());
  ASSERT_FALSE(cells.empty());
  EXPECT_EQ(cells[0].first % 10, 1);
  EXPECT_EQ(cells[0].second.left, 120);
  EXPECT_EQ(cells[0].second.right, 320);
  EXPECT_EQ(cells[0].second.top, 0);
  EXPECT_EQ(cells[0].second.bottom, 50);
  app.list.setFuncDrawPhotoColumn(nullptr);

  // What the application's function sets on the row's context holds for
  // that row only: row 0's number comes out red, row 1's black again.
  render = [](WTL::CDC& dc, int row) {
    if (row != 0) return;
    dc.SetTextColor(RGB(255, 0, 0));
    dc.SetBkMode(OPAQUE);
    dc.SetBkColor(RGB(255, 0, 255));
  };
  app.list.SetRenderFunc(render);
  image = app.Capture();
  const RECT r0 = app.RowRect(0);
  const int row_left = cell_left - 120;
  EXPECT_EQ(CountDark(image, row_left + 22, row_left + 120, r0.top + 1, r0.bottom - 1), 0);
  EXPECT_GT(image.Count(kRed, row_left + 22, r0.top + 1, row_left + 120, r0.bottom - 1), 0);
  EXPECT_EQ(CountDark(image, row_left + 22, row_left + 120, r1.top + 1, r1.bottom - 1),
            DarkPixelsOfText(app.list, L"2"));
  EXPECT_EQ(image.Count(0xFF00FFu, row_left, r1.top, row_left + 620, r1.bottom), 0);
  std::function<void(WTL::CDC&, int)> no_render;
  app.list.SetRenderFunc(no_render);

  // In an 80-wide cell the photo is shown 46x46.
  SendMessageW(app.list, LVM_SETCOLUMNWIDTH, 1, 80);
  image = app.Capture();
  EXPECT_EQ(image.Count(kGreen, cell_left, r1.top, cell_left + 80, r1.bottom), 46 * 46);
  if (HasFailure()) viewtest::SaveArtifact(image, "list_photo");
}

// What the list is sent: inserts and text settings, recorded by a hook.
struct SentText {
  UINT message;
  int item;
  int subitem;
  std::wstring text;
};
std::vector<SentText>* g_sent_texts = nullptr;
HWND g_watched_list = nullptr;

LRESULT CALLBACK RecordTexts(int code, WPARAM wparam, LPARAM lparam) {
  const auto* msg = reinterpret_cast<const CWPSTRUCT*>(lparam);
  if (code == HC_ACTION && g_sent_texts != nullptr && msg->hwnd == g_watched_list &&
      (msg->message == LVM_INSERTITEMW || msg->message == LVM_SETITEMW)) {
    const auto* item = reinterpret_cast<const LVITEMW*>(msg->lParam);
    g_sent_texts->push_back({msg->message, item->iItem, item->iSubItem,
                             item->pszText != nullptr ? item->pszText : L"(null)"});
  }
  return CallNextHookEx(nullptr, code, wparam, lparam);
}

TEST(ListView, RowTextsTakeOneTextPerHeaderColumn) {
  ListApp app;
  app.Create(1.0f, true, false, false, 40);
  app.SetRows(2);
  std::vector<SentText> sent;
  g_sent_texts = &sent;
  g_watched_list = app.list;
  HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, &RecordTexts, nullptr, GetCurrentThreadId());
  ASSERT_NE(hook, nullptr);
  const int inserted = app.list.InsertItemTexts(1, L"a0", L"a1", L"a2");
  const int appended = app.list.AppendItemTexts(L"b0", L"b1", L"b2");
  UnhookWindowsHookEx(hook);
  g_sent_texts = nullptr;

  EXPECT_EQ(SendMessageW(app.list, LVM_GETITEMCOUNT, 0, 0), 4);
  EXPECT_GE(inserted, 0);
  EXPECT_EQ(appended, 3);
  ASSERT_EQ(sent.size(), 7u);
  // Insert with an empty text, then every column's text on the new row.
  EXPECT_EQ(sent[0].message, static_cast<UINT>(LVM_INSERTITEMW));
  EXPECT_EQ(sent[0].item, 1);
  EXPECT_EQ(sent[0].text, L"");
  for (int c = 0; c < 3; ++c) {
    EXPECT_EQ(sent[1 + c].message, static_cast<UINT>(LVM_SETITEMW));
    EXPECT_EQ(sent[1 + c].item, inserted);
    EXPECT_EQ(sent[1 + c].subitem, c);
    EXPECT_EQ(sent[1 + c].text, L"a" + std::to_wstring(c));
  }
  // Append: the first text goes with the insert at the end of the list.
  EXPECT_EQ(sent[4].message, static_cast<UINT>(LVM_INSERTITEMW));
  EXPECT_EQ(sent[4].item, 3);
  EXPECT_EQ(sent[4].text, L"b0");
  for (int c = 1; c < 3; ++c) {
    EXPECT_EQ(sent[4 + c].item, appended);
    EXPECT_EQ(sent[4 + c].subitem, c);
    EXPECT_EQ(sent[4 + c].text, L"b" + std::to_wstring(c));
  }
}

// ---- Check-box clicks ------------------------------------------------------------

TEST(ListView, CheckBoxClicksCheckSelectAndReport) {
  ListApp app;
  app.Create(1.0f, true, false, false, 50);
  app.SetRows(4);
  app.refused.insert(3);
  HWND list = app.list;

  // Checking row 1 selects it and reports it; row 2 as well, keeping row 1.
  viewtest::Click(list, app.RowPoint(1, 10));
  EXPECT_EQ(app.checked[1], 1);
  EXPECT_EQ(app.SelectedRows(), (std::set<int>{1}));
  ASSERT_EQ(app.reports.size(), 1u);
  EXPECT_EQ(app.reports[0], std::make_pair(list, 1));
  viewtest::Click(list, app.RowPoint(2, 60));
  EXPECT_EQ(app.checked[2], 1);
  EXPECT_EQ(app.SelectedRows(), (std::set<int>{1, 2}));
  EXPECT_EQ(app.reports.back(), std::make_pair(list, 2));
  EXPECT_EQ(app.list.GetHeaderChecked(), 0);

  // Unchecking row 1 deselects it and reports the lowest checked row left.
  app.list.SetHeaderCheck(1);
  viewtest::Click(list, app.RowPoint(1, 14));
  EXPECT_EQ(app.checked[1], 0);
  EXPECT_EQ(app.SelectedRows(), (std::set<int>{2}));
  EXPECT_EQ(app.reports.back(), std::make_pair(list, 2));
  EXPECT_EQ(app.list.GetHeaderChecked(), 0);
  // ... and 0 when none is left.
  viewtest::Click(list, app.RowPoint(2, 14));
  EXPECT_EQ(app.checked[2], 0);
  EXPECT_EQ(app.reports.back(), std::make_pair(list, 0));
  EXPECT_EQ(app.reports.size(), 4u);

  // The refused row ignores clicks anywhere: no check, no selection, no report.
  viewtest::Click(list, app.RowPoint(3, 10));
  viewtest::Click(list, app.RowPoint(3, 400));
  EXPECT_EQ(app.checked[3], 0);
  EXPECT_FALSE(app.Selected(3));
  EXPECT_EQ(app.reports.size(), 4u);

  // Column 1 selects as the platform list does and leaves the state alone.
  viewtest::Click(list, app.RowPoint(0, 200));
  EXPECT_TRUE(app.Selected(0));
  EXPECT_EQ(app.checked[0], 0);
  EXPECT_EQ(app.reports.size(), 4u);

  // A double click toggles once: the second press is a double click, which
  // the list leaves to the platform list.
  viewtest::DoubleClick(list, app.RowPoint(2, 40));
  EXPECT_EQ(app.checked[2], 1);
  EXPECT_EQ(app.reports.size(), 5u);

  // Checking the last unchecked row sets the header (row 3 may not be
  // checked, so make it checkable first).
  app.refused.clear();
  app.checked = {1, 1, 1, 0};
  viewtest::Click(list, app.RowPoint(3, 8));
  EXPECT_EQ(app.checked[3], 1);
  EXPECT_EQ(app.list.GetHeaderChecked(), 1);
  EXPECT_EQ(app.reports.back(), std::make_pair(list, 3));
}

TEST(ListView, MissingStateFunctionsPaintUncheckedAndIgnoreClicks) {
  HostWindow host(true, 500, 400);
  auto image = SolidBitmap(16, 16, kRed);
  auto unchecked = SolidBitmap(16, 16, kBlue);
  ZuListView list;
  list.SetCheckBoxImage(image.get(), unchecked.get(), nullptr);
  list.SetItemHeight(40);
  RECT rect = {0, 0, 400, 300};
  list.CreateListView(host, rect, kListId, false, true, false);
  LVCOLUMNW column = {};
  column.mask = LVCF_WIDTH;
  column.cx = 100;
  SendMessageW(list, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
  std::vector<int> reports;
  std::function<void(HWND, int)> changed = [&](HWND, int row) { reports.push_back(row); };
  list.SetItemCheckedChangeCallback(changed);
  list.SetItemCount(3);
  viewtest::PumpUntilIdle();
  RECT row = {};
  row.left = LVIR_BOUNDS;
  SendMessageW(list, LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&row));
  const Image shot = viewtest::CaptureClient(list);
  EXPECT_EQ(shot.At(12, (row.top + row.bottom) / 2), kBlue);
  viewtest::Click(list, POINT{12, (row.top + row.bottom) / 2});
  EXPECT_TRUE(reports.empty());
  EXPECT_TRUE(list.setListViewHeaderCheck(true));
  list.SelectItem(1);
  list.SetSelectedChecked();
  DestroyWindow(list);
}

// ---- Selection, refresh and scrolling ----------------------------------------------

TEST(ListView, SelectItemAndCheckFollowsSelection) {
  ListApp app;
  app.Create(1.0f, true, false, false, 30);
  // On an empty list every row (none) is selected and checked: header set.
  app.SetRows(0);
  app.list.SetSelectedChecked();
  EXPECT_EQ(app.list.GetHeaderChecked(), 1);

  app.SetRows(40);
  app.list.SetHeaderCheck(0);
  viewtest::Click(app.list, app.RowPoint(1, 300));
  EXPECT_TRUE(app.Selected(1));
  EXPECT_EQ(app.list.SelectItem(30), 1);
  EXPECT_EQ(app.SelectedRows(), (std::set<int>{30}));
  EXPECT_EQ(SendMessageW(app.list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED), 30);
  EXPECT_EQ(app.checked[30], 1);
  const RECT shown = app.RowRect(30);
  RECT client = {};
  GetClientRect(app.list, &client);
  EXPECT_GE(shown.top, app.HeaderHeight());
  EXPECT_LE(shown.bottom, client.bottom);

  // SelectItem(-1) asks the list to select and focus all rows and checks
  // none. The list refuses to focus every row (Wine's list does), and then
  // selects none either; either way no row is checked.
  app.checked.assign(40, 0);
  const int all = app.list.SelectItem(-1);
  EXPECT_EQ(std::count(app.checked.begin(), app.checked.end(), 1), 0);
  EXPECT_EQ(SendMessageW(app.list, LVM_GETSELECTEDCOUNT, 0, 0), all != 0 ? 40 : 0);
  SelectAll(app.list);

  // Check states follow the selection; a refused row is skipped and keeps
  // the header unchecked.
  app.list.SelectItem(3);
  LVITEMW state = {};
  state.stateMask = LVIS_SELECTED;
  state.state = LVIS_SELECTED;
  SendMessageW(app.list, LVM_SETITEMSTATE, 7, reinterpret_cast<LPARAM>(&state));
  app.checked[10] = 1;
  app.list.SetSelectedChecked();
  std::vector<char> expected(40, 0);
  expected[3] = expected[7] = 1;
  EXPECT_EQ(app.checked, expected);
  EXPECT_EQ(app.list.GetHeaderChecked(), 0);
  SelectAll(app.list);
  app.refused.insert(5);
  app.list.SetSelectedChecked();
  EXPECT_EQ(app.checked[5], 0);
  EXPECT_EQ(std::count(app.checked.begin(), app.checked.end(), 1), 39);
  EXPECT_EQ(app.list.GetHeaderChecked(), 0);
  app.refused.clear();
  app.list.SetSelectedChecked();
  EXPECT_EQ(app.list.GetHeaderChecked(), 1);
}

TEST(ListView, RefreshInvalidatesCellsRowsAndColumns) {
  ListApp app;
  app.Create(1.0f, true, false, false, 40);
  app.SetRows(8);
  auto update_after = [&](const std::function<void()>& refresh) {
    viewtest::PumpUntilIdle();
    ValidateRect(app.list, nullptr);
    refresh();
    RECT rect = {};
    GetUpdateRect(app.list, &rect, FALSE);
    return rect;
  };
  const RECT row3 = app.RowRect(3);
  RECT rect = update_after([&] { app.list.RefreshCell(0, 3); });
  EXPECT_EQ(rect.left, row3.left);
  EXPECT_EQ(rect.right, row3.right);  // the whole row
  EXPECT_EQ(rect.right, 520);
  EXPECT_EQ(rect.top, row3.top);
  EXPECT_EQ(rect.bottom, row3.bottom);
  rect = update_after([&] { app.list.RefreshCell(2, 3); });
  EXPECT_EQ(rect.left, 320);
  EXPECT_EQ(rect.right, 520);
  rect = update_after([&] { app.list.RefreshRangeCell(1, 2, 3); });
  EXPECT_EQ(rect.left, 120);
  EXPECT_EQ(rect.right, 520);
  EXPECT_EQ(rect.top, row3.top);
  rect = update_after([&] { app.list.RefreshColumn(1); });
  RECT client = {};
  GetClientRect(app.list, &client);
  EXPECT_EQ(rect.left, 120);
  EXPECT_EQ(rect.right, 320);
  EXPECT_EQ(rect.bottom, client.bottom);
  rect = update_after([&] { app.list.RefreshCell(1, 99); });  // no such row
  EXPECT_TRUE(IsRectEmpty(&rect));
}

TEST(ListView, WheelReportsTheRowsAroundTheViewport) {
  ListApp app(700, 600);
  app.Create(1.0f, true, false, false, 30);
  // Ten whole rows per page.
  SetWindowPos(app.list, nullptr, 0, 0, 620, app.HeaderHeight() + 10 * 30 + 5,
               SWP_NOMOVE | SWP_NOZORDER);
  app.SetRows(100);
  const int cases[][3] = {{40, 30, 70}, {80, 70, 99}, {5, 0, 35}};
  for (const auto& c : cases) {
    const int top = static_cast<int>(SendMessageW(app.list, LVM_GETTOPINDEX, 0, 0));
    SendMessageW(app.list, LVM_SCROLL, 0, (c[0] - top) * 30);
    viewtest::PumpUntilIdle();
    ASSERT_EQ(SendMessageW(app.list, LVM_GETTOPINDEX, 0, 0), c[0]);
    SCROLLINFO info = {};
  info.cbSize = sizeof(info);
  info.fMask = SIF_ALL;
    GetScrollInfo(app.list, SB_VERT, &info);
    ASSERT_EQ(info.nPage, 10u);
    app.scopes.clear();
    viewtest::Wheel(app.list, app.RowPoint(c[0] + 2, 300), -120);
    ASSERT_FALSE(app.scopes.empty());
    EXPECT_EQ(app.scopes.front(), std::make_pair(c[1], c[2])) << c[0];
    // The wheel scrolled after the report.
    EXPECT_GT(SendMessageW(app.list, LVM_GETTOPINDEX, 0, 0), c[0]);
  }
  // The scroll bar reports as the wheel does, from the position before.
  const int top = static_cast<int>(SendMessageW(app.list, LVM_GETTOPINDEX, 0, 0));
  app.scopes.clear();
  SendMessageW(app.list, WM_VSCROLL, SB_PAGEDOWN, 0);
  ASSERT_EQ(app.scopes.size(), 1u);
  EXPECT_EQ(app.scopes[0], view::internal::ScrollScope(top, 10, 100));
  EXPECT_GT(SendMessageW(app.list, LVM_GETTOPINDEX, 0, 0), top);
  // Programmatic scrolling reports nothing.
  app.scopes.clear();
  app.list.SelectItem(90);
  viewtest::PumpUntilIdle();
  EXPECT_TRUE(app.scopes.empty());
}

// ---- Header check box --------------------------------------------------------------

TEST(ListHeader, CheckBoxClicksPaintingAndFunctions) {
  ListApp app;
  app.Create(1.0f, true, false, false, 40);
  app.SetRows(6);
  app.refused.insert(2);
  HWND header = app.header();
  ASSERT_NE(header, nullptr);
  RECT client = {};
  GetClientRect(header, &client);
  const int mid = client.bottom / 2;
  auto header_box = [&] {
    RedrawWindow(header, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    viewtest::PumpUntilIdle();
    return viewtest::CaptureClient(header).At(13, mid);
  };
  EXPECT_EQ(header_box(), kBlue);

  // x = 5: checks every row, the refused one too, without item reports.
  viewtest::Click(header, POINT{5, mid});
  EXPECT_EQ(app.list.GetHeaderChecked(), 1);
  EXPECT_EQ(app.checked, std::vector<char>(6, 1));
  EXPECT_TRUE(app.reports.empty());
  EXPECT_EQ(header_box(), kRed);
  // x = 21 (moved away first, so that it is no double click): unchecks all.
  viewtest::Click(header, POINT{21, mid + 3});
  EXPECT_EQ(app.list.GetHeaderChecked(), 0);
  EXPECT_EQ(app.checked, std::vector<char>(6, 0));

  // x = 4 and x = 22 belong to the platform header: a column click.
  app.host.ClearSeen();
  viewtest::Click(header, POINT{4, mid});
  viewtest::Click(header, POINT{22, mid - 3});
  EXPECT_EQ(app.list.GetHeaderChecked(), 0);
  EXPECT_EQ(app.host.CountNotifies(app.list, LVN_COLUMNCLICK), 2);

  // SetHeaderCheck shows the state and changes no row.
  app.list.SetHeaderCheck(1);
  EXPECT_EQ(app.list.GetHeaderChecked(), 1);
  EXPECT_EQ(header_box(), kRed);
  EXPECT_EQ(app.checked, std::vector<char>(6, 0));
  app.list.SetHeaderCheck(0);

  // A function that refuses reverts the click; a double click flips twice
  // and leaves the state as it was.
  std::vector<bool> asked;
  bool allow = false;
  app.list.setFuncHeaderCheck([&](bool checked) {
    asked.push_back(checked);
    return allow;
  });
  viewtest::Click(header, POINT{10, mid});
  EXPECT_EQ(asked, (std::vector<bool>{true}));
  EXPECT_EQ(app.list.GetHeaderChecked(), 0);
  EXPECT_EQ(header_box(), kBlue);
  allow = true;
  asked.clear();
  viewtest::DoubleClick(header, POINT{15, mid + 2});
  EXPECT_EQ(asked, (std::vector<bool>{true, false}));
  EXPECT_EQ(app.list.GetHeaderChecked(), 0);

  // A divider within the box's x range is not taken.
  SendMessageW(app.list, LVM_SETCOLUMNWIDTH, 0, 16);
  viewtest::PumpUntilIdle();
  asked.clear();
  HDHITTESTINFO hit = {};
  hit.pt = POINT{16, mid};
  SendMessageW(header, HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
  ASSERT_NE(hit.flags & HHT_ONDIVIDER, 0u);
  viewtest::Click(header, POINT{16, mid});
  EXPECT_TRUE(asked.empty());
  EXPECT_EQ(app.list.GetHeaderChecked(), 0);
}

TEST(ListHeader, ImagesSetAfterCreationNeverReachTheHeader) {
  ListApp app;
  app.Create(1.0f, false, false, false, 40);
  app.list.SetCheckBoxImage(app.checked_image.get(), app.unchecked_image.get(), nullptr);
  app.SetRows(3);
  HWND header = app.header();
  RECT client = {};
  GetClientRect(header, &client);
  app.host.ClearSeen();
  viewtest::Click(header, POINT{10, client.bottom / 2});
  EXPECT_EQ(app.list.GetHeaderChecked(), 0);
  EXPECT_EQ(app.host.CountNotifies(app.list, LVN_COLUMNCLICK), 1);
  const Image image = viewtest::CaptureClient(header);
  EXPECT_EQ(image.Count(kBlue), 0);
  EXPECT_EQ(image.Count(kRed), 0);
}

TEST(ListHeader, WithoutReflectionNothingOfTheListIsDrawn) {
  HostWindow host(false, 500, 400);
  auto checked = SolidBitmap(16, 16, kRed);
  auto unchecked = SolidBitmap(16, 16, kBlue);
  ZuListView list;
  list.SetCheckBoxImage(checked.get(), unchecked.get(), nullptr);
  RECT rect = {0, 0, 400, 300};
  list.CreateListView(host, rect, kListId, false, true, false);
  LVCOLUMNW column = {};
  column.mask = LVCF_WIDTH;
  column.cx = 100;
  SendMessageW(list, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
  list.SetItemCount(3);
  RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  viewtest::PumpUntilIdle();
  EXPECT_EQ(viewtest::CaptureClient(list.GetInnerHeader()).Count(kBlue), 0);
  EXPECT_EQ(viewtest::CaptureClient(list).Count(kBlue), 0);
  DestroyWindow(list);
}

// ---- Scale ---------------------------------------------------------------------------

TEST(ListView, AMillionRowsAskOnlyForVisibleRows) {
  ListApp app;
  app.Create(1.0f, true, false, false, 40);
  RECT client = {};
  GetClientRect(app.list, &client);
  const int visible = (client.bottom - 30) / 40 + 2;
  app.SetRows(1000000);
  app.state_queries = app.photo_queries = 0;
  Image image = app.Capture();
  // Each painted row is asked once for its state and photo (a little slack
  // for a repaint), never the whole list.
  EXPECT_GT(app.photo_queries, 0);
  EXPECT_LE(app.photo_queries, 3 * visible);
  EXPECT_LE(app.state_queries, 3 * visible);

  app.state_queries = app.photo_queries = 0;
  viewtest::Wheel(app.list, POINT{300, 200}, -120);
  EXPECT_EQ(SendMessageW(app.list, LVM_GETTOPINDEX, 0, 0), 3);
  SendMessageW(app.list, LVM_ENSUREVISIBLE, 765432, FALSE);
  viewtest::PumpUntilIdle();
  EXPECT_LE(app.photo_queries, 6 * visible);
  const int top = static_cast<int>(SendMessageW(app.list, LVM_GETTOPINDEX, 0, 0));
  EXPECT_GT(top, 765400);
  viewtest::Click(app.list, app.RowPoint(top + 1, 10));
  EXPECT_EQ(app.checked[top + 1], 1);
  EXPECT_EQ(app.reports.back().second, top + 1);
  app.list.SelectItem(999999);
  EXPECT_EQ(SendMessageW(app.list, LVM_GETSELECTEDCOUNT, 0, 0), 1);
  EXPECT_EQ(app.checked[999999], 1);
  // Checking every row from the header goes through the application once per
  // row and repaints only what is on screen.
  RECT hclient = {};
  GetClientRect(app.header(), &hclient);
  viewtest::Click(app.header(), POINT{10, hclient.bottom / 2});
  EXPECT_EQ(app.list.GetHeaderChecked(), 1);
  EXPECT_EQ(std::count(app.checked.begin(), app.checked.end(), 1), 1000000);
  image = app.Capture();
  // The last row is closed at the bottom and the rest is background.
  const RECT last = app.RowRect(999999);
  EXPECT_EQ(image.At(300, last.bottom - 1), Rgb(0xDCDCDC));
  if (HasFailure()) viewtest::SaveArtifact(image, "list_million");
}

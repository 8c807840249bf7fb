// The checkable list view and its header check box: real lists in a
// reflecting host that answers the row texts from test data, driven by real
// input and read back as the pixels the list painted by itself.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "harness.h"
#include "view/internal/controls/bas_list_view.h"
#include "view/zu_list_view.h"

using viewtest::Image;

namespace {

constexpr uint32_t kRed = 0xFF0000, kBlue = 0x0000FF, kGrey = 0x808080, kGreen = 0x00C000;
constexpr uint32_t kFrame = 0xDCDCDC, kStripe = 0xFAFAFA, kHover = 0xCDECF5, kWhite = 0xFFFFFF;
constexpr uint32_t kDark = 0x1000000;  // for BoundsOf: any pixel darker than mid-grey

// The bounding box of the pixels equal to `rgb` in `area` (kDark: darker
// than mid-grey in every channel); empty when none.
RECT BoundsOf(const Image& image, uint32_t rgb, const RECT& area) {
  return image.Bounds([rgb](uint32_t p) {
    return rgb == kDark ? ((p >> 16) & 0xFF) < 0x80 && ((p >> 8) & 0xFF) < 0x80 && (p & 0xFF) < 0x80
                        : p == rgb;
  }, area);
}

// An application around one list with columns 120, 200 and 200 wide: row
// texts answered from LVN_GETDISPINFOW, check states in a vector, rows
// refused by the can-check function in a set, and every callback recorded.
class ListApp {
 public:
  explicit ListApp(float scale = 1.0f, int height = 0, bool striped = false, bool reflect = true)
      : host(reflect, 700, 560) {
    host.on_message = [this](UINT msg, WPARAM, LPARAM lparam, LRESULT& result) {
      auto* info = reinterpret_cast<NMLVDISPINFOW*>(lparam);
      if (msg != WM_NOTIFY || info->hdr.code != LVN_GETDISPINFOW) return false;
      const std::wstring text = info->item.iSubItem == 1 ? photo_text
          : L"r" + std::to_wstring(info->item.iItem) + L"c" + std::to_wstring(info->item.iSubItem);
      if ((info->item.mask & LVIF_TEXT) != 0) lstrcpynW(info->item.pszText, text.c_str(), info->item.cchTextMax);
      result = 0;
      return true;
    };
    list.SetDpiScale(scale);
    list.SetCheckBoxImage(checked_image.get(), unchecked_image.get(), grey_image.get());
    if (height > 0) list.SetItemHeight(height);
    list.SetDefaultPhoto(photo.get());
    RECT rect = {10, 10, 630, 530};
    list.CreateListView(host, rect, 300, striped, true, false);
    for (int c = 0; c < 3; ++c) {
      LVCOLUMNW column = {};
      column.mask = LVCF_WIDTH;
      column.cx = c == 0 ? 120 : 200;
      SendMessageW(list, LVM_INSERTCOLUMNW, c, reinterpret_cast<LPARAM>(&column));
    }
    list.SetItemCheckedChangeCallback([this](HWND w, int row) { reports.emplace_back(w, row); });
    list.SetFuncGetCheckState([this](int row) {
      ++state_queries;
      return row >= 0 && row < static_cast<int>(checked.size()) && checked[row] != 0;
    });
    list.SetFuncSetCheckState([this](int row, bool value) {
      if (row >= 0 && row < static_cast<int>(checked.size())) checked[row] = value ? 1 : 0;
    });
    list.SetTestCanCheckFunc([this](int row) { return refused.count(row) == 0; });
    list.SetScrollItemScopeFuncCallback([this](int a, int b) { scopes.emplace_back(a, b); });
    list.SetPhotoGetFunc([this](int) -> Gdiplus::Image* { return ++photo_queries, nullptr; });
  }

  void SetRows(int count) {
    checked.assign(static_cast<size_t>(count), 0);
    list.SetItemCount(count);
    viewtest::PumpUntilIdle();
  }
  HWND header() { return list.GetInnerHeader(); }
  int HeaderHeight() { return viewtest::ClientSize(header()).cy; }
  RECT Row(int row) {
    RECT rect = {LVIR_BOUNDS, 0, 0, 0};
    SendMessageW(list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&rect));
    return rect;
  }
  int Mid(int row) { return (Row(row).top + Row(row).bottom) / 2; }
  void ClickRow(int row, int x) { viewtest::Click(list, POINT{x, Mid(row)}); }
  void ClickHeader(int x, int dy = 0) { viewtest::Click(header(), POINT{x, HeaderHeight() / 2 + dy}); }
  std::set<int> Selected() {
    std::set<int> rows;
    for (int r = -1; (r = static_cast<int>(ListView_GetNextItem(list, r, LVNI_SELECTED))) >= 0;) rows.insert(r);
    return rows;
  }
  // What the list shows now, as it painted it by itself.
  Image Shot() {
    viewtest::PumpUntilIdle();
    return viewtest::CaptureClient(list);
  }
  // After the application changed what its functions answer: repaint all.
  Image Redraw() {
    RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    return Shot();
  }

  std::unique_ptr<Gdiplus::Bitmap> checked_image = viewtest::SolidBitmap(16, 16, kRed),
      unchecked_image = viewtest::SolidBitmap(16, 16, kBlue), grey_image = viewtest::SolidBitmap(16, 16, kGrey),
      photo = viewtest::SolidBitmap(200, 100, kGreen);
  viewtest::HostWindow host;
  ZuListView list;
  std::vector<char> checked;
  std::set<int> refused;
  std::vector<std::pair<HWND, int>> reports;
  std::vector<std::pair<int, int>> scopes;
  std::wstring photo_text;
  int state_queries = 0, photo_queries = 0;
};

}  // namespace

TEST(ListView, RowsPaintBoxNumberTextPhotoStripesFrameHoverAndRefreshes) {
  ListApp app(1.0f, 50, true);
  app.photo_text = L"Photo text";
  app.SetRows(10);
  viewtest::MoveMouseTo(app.host, POINT{690, 550});  // no hover repaints yet
  // The refresh calls repaint the cells they name and no others: the
  // application's render function paints a band across each row in the
  // grey of the current step, and each cell of rows 0-4 shows the step
  // that last painted it.
  int step = 0;  // WHITE_BRUSH, LTGRAY_BRUSH, GRAY_BRUSH, DKGRAY_BRUSH, BLACK_BRUSH
  const RECT band = {0, 4, 600, 8};
  app.list.SetRenderFunc([&](auto& dc, int) { FillRect(dc, &band, HBRUSH(GetStockObject(step))); });
  const std::pair<std::function<void()>, std::string> refreshes[] = {
      {[&] { app.list.RefreshCell(2, 3); }, "000" "000" "000" "001" "000"},
      {[&] { app.list.RefreshRangeCell(1, 2, 4); }, "000" "000" "000" "001" "022"},
      {[&] { app.list.RefreshColumn(1); }, "030" "030" "030" "031" "032"},
      {[&] { app.list.RefreshColumn(2); }, "034" "034" "034" "034" "034"},
  };
  for (const auto& [refresh, expected] : refreshes) {
    ++step;
    refresh();
    const Image image = app.Shot();
    std::string steps;
    for (int c = 0; c < 15; ++c) {  // row by row, three cells each
      const uint32_t grey = image.At(60 + c % 3 * 180, app.Row(c / 3).top + 5) & 0xFF;
      steps += static_cast<char>('0' + (256 - grey) / 64);
    }
    EXPECT_EQ(steps, expected);
  }
  step = 0;
  app.checked[2] = 1;
  app.refused.insert(6);
  Image image = app.Redraw();
  const RECT r4 = app.Row(4);
  // x: row 4's left frame line, within the first few columns (the platforms
  // differ in where a report row's owner-drawn rectangle starts).
  int x = 0;
  while (x <= 4 && image.At(x, app.Mid(4)) != kFrame) ++x;
  ASSERT_LE(x, 4);
  // The check box 16x16 at 5 from the row's left, centred; the checked and
  // the refused row show their images; the number 5 follows after the
  // indent, and column 2 shows the application's text, indented.
  EXPECT_EQ(BoundsOf(image, kBlue, r4), (RECT{x + 5, r4.top + 17, x + 21, r4.top + 33}));
  const int number = BoundsOf(image, kDark, {x + 22, r4.top + 1, x + 120, r4.bottom - 1}).left;
  EXPECT_NEAR(number, x + 32.5, 1.5);
  EXPECT_GE(BoundsOf(image, kDark, {x + 320, r4.top + 1, x + 519, r4.bottom - 1}).left, x + 330);
  // Odd rows striped, even white; each row's top and right line in the
  // frame colour; only the last row closed at the bottom.
  const std::tuple<int, int, uint32_t> pixels[] = {
      {12, app.Mid(2), kRed}, {12, app.Mid(6), kGrey}, {500, app.Mid(3), kStripe},
      {500, app.Mid(4), kWhite}, {300, r4.top, kFrame}, {300, r4.bottom - 1, kWhite},
      {519, app.Mid(4), kFrame}, {300, app.Row(9).bottom - 1, kFrame}};
  for (const auto& [px, py, rgb] : pixels) EXPECT_EQ(image.At(x + px, py), rgb) << px << ", " << py;
  // The photo column: 200x100 in a 50-high cell is 92x46 at (2, 2), the
  // text from 104; in an 80-wide cell the photo is shown square, 46x46.
  const int cell = x + 120;
  EXPECT_EQ(BoundsOf(image, kGreen, r4), (RECT{cell + 2, r4.top + 2, cell + 94, r4.top + 48}));
  const int text = BoundsOf(image, kDark, {cell + 95, r4.top + 1, cell + 200, r4.bottom - 1}).left;
  EXPECT_NEAR(text, cell + 105.5, 1.5);
  SendMessageW(app.list, LVM_SETCOLUMNWIDTH, 1, 80);
  EXPECT_EQ(app.Redraw().Count(kGreen, cell, r4.top, cell + 80, r4.bottom), 46 * 46);
  SendMessageW(app.list, LVM_SETCOLUMNWIDTH, 1, 200);
  // The application's function paints the photo column in place of the list.
  app.list.setFuncDrawPhotoColumn([](WTL::CDC& dc, DRAWITEMSTRUCT*, WTL::CRect& cell, int column) {
    PatBlt(dc, cell.left + 10, 10, 5 * column, 5, BLACKNESS);
  });
  image = app.Redraw();
  EXPECT_EQ(std::make_pair(image.Count(kGreen), image.Count(0, cell, r4.top, cell + 200, r4.bottom)),
            std::make_pair(0, 25));

  // The pointer over row 3, then row 4: row 4 takes the hover colour, and
  // row 3, which it has just left, is repainted plain white although odd.
  viewtest::MoveMouseTo(app.list, POINT{400, app.Mid(3)});
  EXPECT_EQ(app.Shot().At(x + 500, app.Mid(3)), kHover);
  viewtest::MoveMouseTo(app.list, POINT{400, app.Mid(4)});
  image = app.Shot();
  EXPECT_EQ(image.At(x + 500, app.Mid(4)), kHover);
  EXPECT_EQ(image.At(x + 500, app.Mid(3)), kWhite);
  EXPECT_EQ(image.At(x + 500, app.Mid(5)), kStripe);
  // A selected row keeps its colour under the pointer.
  app.list.SelectItem(5);
  viewtest::MoveMouseTo(app.list, POINT{400, app.Mid(5)});
  EXPECT_EQ(app.Shot().At(x + 500, app.Mid(5)), 0xA1DBEEu);
}

TEST(ListView, ScaleSizesTheRowsAndBothCheckBoxes) {
  ListApp app(1.5f);
  app.SetRows(3);
  const RECT r1 = app.Row(1);
  ASSERT_EQ(r1.bottom - r1.top, 90);
  // 16x16 at 1.5 is 24x24, centred in the row: its unblended inside alone
  // is more than a whole unscaled box, in the rows and in the header.
  const Image image = app.Shot();
  const RECT box = BoundsOf(image, kBlue, r1);
  EXPECT_GE(image.Count(kBlue, box.left, box.top, box.right, box.bottom), 20 * 20);
  EXPECT_NEAR(box.top + box.bottom, 2 * r1.top + 90, 2);
  EXPECT_GE(viewtest::CaptureClient(app.header()).Count(kBlue), 16 * 16 + 100);
  EXPECT_EQ(app.list.DpiScale(60), 90);
  // A height set on a list with rows is not scaled, and the rows take it at once.
  app.list.SetItemHeight(30);
  EXPECT_EQ(app.Row(1).bottom - app.Row(1).top, 30);
}

TEST(ListView, CheckBoxClicksCheckSelectAndReport) {
  ListApp app(1.0f, 50);
  app.SetRows(4);
  app.refused.insert(3);
  const HWND list = app.list;
  using Reports = std::vector<std::pair<HWND, int>>;
  // Checking rows 1 and 2 selects and reports each; the rows repaint by
  // themselves.
  app.ClickRow(1, 10);
  app.ClickRow(2, 60);
  EXPECT_EQ(app.checked, (std::vector<char>{0, 1, 1, 0}));
  EXPECT_EQ(app.Selected(), (std::set<int>{1, 2}));
  EXPECT_EQ(app.reports, (Reports{{list, 1}, {list, 2}}));
  EXPECT_EQ(app.Shot().At(12, app.Mid(2)), kRed);
  // Unchecking deselects, clears the header and reports the lowest checked
  // row left, 0 when none is left.
  app.list.SetHeaderCheck(1);
  app.ClickRow(1, 14);
  EXPECT_EQ(app.Selected(), (std::set<int>{2}));
  EXPECT_EQ(app.list.GetHeaderChecked(), 0);
  app.ClickRow(2, 14);
  EXPECT_EQ(app.checked, (std::vector<char>{0, 0, 0, 0}));
  EXPECT_EQ(app.reports, (Reports{{list, 1}, {list, 2}, {list, 2}, {list, 0}}));
  EXPECT_EQ(app.Shot().At(12, app.Mid(2)), kBlue);
  // The refused row ignores clicks anywhere; column 1 selects as the
  // platform list does and leaves the state alone; a double click toggles
  // once (the second press is the platform list's).
  app.ClickRow(3, 10);
  app.ClickRow(3, 400);
  app.ClickRow(0, 200);
  EXPECT_EQ(app.Selected(), (std::set<int>{0}));
  viewtest::DoubleClick(list, POINT{40, app.Mid(2)});
  EXPECT_EQ(app.checked, (std::vector<char>{0, 0, 1, 0}));
  EXPECT_EQ(app.reports.size(), 5u);
  // The header ticks when the last unchecked row is checked, and not while
  // the last row is still unchecked.
  app.refused.clear();
  app.checked = {0, 1, 1, 0};
  app.ClickRow(0, 8);
  EXPECT_EQ(app.list.GetHeaderChecked(), 0);
  app.ClickRow(3, 8);
  EXPECT_EQ(app.list.GetHeaderChecked(), 1);
  EXPECT_EQ(app.reports.back(), std::make_pair(list, 3));
}

TEST(ListView, WithoutFunctionsOrReflectionNothingOfOursRuns) {
  {  // no state functions: rows paint unchecked and clicks change nothing
    ListApp app(1.0f, 40);
    app.list.SetFuncGetCheckState(std::function<bool(int)>());
    app.list.SetFuncSetCheckState(std::function<void(int, bool)>());
    app.SetRows(3);
    app.checked[1] = 1;
    EXPECT_EQ(app.Redraw().At(12, app.Mid(1)), kBlue);
    app.ClickRow(1, 12);
    EXPECT_TRUE(app.reports.empty());
    app.list.SelectItem(1);
    app.list.SetSelectedChecked();
  }
  ListApp app(1.0f, 0, false, false);  // a parent that does not reflect
  app.SetRows(3);
  // Rows added by their texts: an owner-data list only counts them.
  EXPECT_EQ((app.list.AppendItemTexts(L"a", L"b", L"c"), app.list.InsertItemTexts(1, L"x", L"y", L"z"),
             ListView_GetItemCount(app.list)), 5);
  EXPECT_EQ(app.Redraw().Count(kBlue), 0);
  EXPECT_EQ(viewtest::CaptureClient(app.header()).Count(kBlue), 0);
}

TEST(ListView, WheelScrollBarAndSelectItemShowAndReportRows) {
  ListApp app(1.0f, 30);
  SetWindowPos(app.list, nullptr, 0, 0, 620, app.HeaderHeight() + 10 * 30 + 5,
               SWP_NOMOVE | SWP_NOZORDER);  // ten whole rows per page
  app.SetRows(100);
  const int cases[][3] = {{40, 30, 70}, {80, 70, 99}, {5, 0, 35}};
  for (const auto& c : cases) {
    SendMessageW(app.list, LVM_SCROLL, 0, (c[0] - ListView_GetTopIndex(app.list)) * 30);
    viewtest::PumpUntilIdle();
    ASSERT_EQ(ListView_GetTopIndex(app.list), c[0]);
    app.scopes.clear();
    viewtest::Wheel(app.list, POINT{300, app.Mid(c[0] + 2)}, -120);
    ASSERT_FALSE(app.scopes.empty());
    EXPECT_EQ(app.scopes.front(), std::make_pair(c[1], c[2])) << c[0];
    EXPECT_GT(ListView_GetTopIndex(app.list), c[0]);  // scrolled after the report
  }
  // The scroll bar reports from the position before; programmatic
  // scrolling reports nothing.
  const int top = ListView_GetTopIndex(app.list);
  app.scopes.clear();
  SendMessageW(app.list, WM_VSCROLL, SB_PAGEDOWN, 0);
  app.list.SelectItem(90);
  viewtest::PumpUntilIdle();
  ASSERT_EQ(app.scopes.size(), 1u);
  EXPECT_EQ(app.scopes[0], view::internal::ScrollScope(top, 10, 100));

  // SelectItem selects, focuses, checks and shows the row.
  EXPECT_EQ(app.list.SelectItem(30), 1);
  EXPECT_EQ(app.Selected(), (std::set<int>{30}));
  EXPECT_EQ(ListView_GetNextItem(app.list, -1, LVNI_FOCUSED), 30);
  EXPECT_EQ(app.checked[30], 1);
  EXPECT_GE(app.Row(30).top, 0);  // scrolled back up from row 90
  EXPECT_LE(app.Row(30).bottom, viewtest::ClientSize(app.list).cy);
  // Check states follow the selection; a refused row is skipped and keeps
  // the header unchecked.
  app.checked[10] = 1;
  app.list.SetSelectedChecked();
  EXPECT_EQ(std::count(app.checked.begin(), app.checked.end(), 1), 1);
  ListView_SetItemState(app.list, -1, LVIS_SELECTED, LVIS_SELECTED);
  app.refused.insert(5);
  app.list.SetSelectedChecked();
  std::vector<char> expected(100, 1);
  expected[5] = 0;
  EXPECT_EQ(app.checked, expected);
  EXPECT_EQ(app.list.GetHeaderChecked(), 0);
  app.refused.clear();
  app.list.SetSelectedChecked();
  EXPECT_EQ(app.list.GetHeaderChecked(), 1);
}

TEST(ListHeader, CheckBoxChecksAllRowsRepaintsThemAndAsksTheApplication) {
  ListApp app(1.0f, 40);
  app.SetRows(6);
  app.refused.insert(2);
  const auto header_box = [&] {
    viewtest::PumpUntilIdle();
    return viewtest::CaptureClient(app.header()).At(13, app.HeaderHeight() / 2);
  };
  const auto row_boxes = [&] {
    const Image image = app.Shot();
    std::vector<uint32_t> boxes;
    for (int r = 0; r < 6; ++r) boxes.push_back(image.At(12, app.Mid(r)));
    return boxes;
  };
  EXPECT_EQ(header_box(), kBlue);
  // x = 5 checks every row, the refused one too, without item reports; the
  // header and the rows repaint by themselves. x = 21 unchecks all.
  app.ClickHeader(5);
  EXPECT_EQ(app.checked, std::vector<char>(6, 1));
  EXPECT_TRUE(app.reports.empty());
  EXPECT_EQ(header_box(), kRed);
  EXPECT_EQ(row_boxes(), (std::vector<uint32_t>{kRed, kRed, kGrey, kRed, kRed, kRed}));
  app.ClickHeader(21, 3);  // moved away first: no double click
  EXPECT_EQ(app.list.GetHeaderChecked(), 0);
  EXPECT_EQ(row_boxes(), (std::vector<uint32_t>{kBlue, kBlue, kGrey, kBlue, kBlue, kBlue}));
  // x = 4 and x = 22 belong to the platform header: column clicks.
  app.ClickHeader(4);
  app.ClickHeader(22, -3);
  EXPECT_EQ(app.checked, std::vector<char>(6, 0));
  EXPECT_EQ(app.host.CountNotifies(app.list, LVN_COLUMNCLICK), 2);
  // SetHeaderCheck shows the state and changes no row.
  app.list.SetHeaderCheck(1);
  EXPECT_EQ(header_box(), kRed);
  EXPECT_EQ(app.checked, std::vector<char>(6, 0));
  app.list.SetHeaderCheck(0);

  // A function that refuses reverts the click; a double click flips twice.
  std::vector<bool> asked;
  bool allow = false;
  app.list.setFuncHeaderCheck([&](bool checked) { return asked.push_back(checked), allow; });
  app.ClickHeader(10);
  EXPECT_EQ(app.list.GetHeaderChecked(), 0);
  EXPECT_EQ(header_box(), kBlue);
  allow = true;
  viewtest::DoubleClick(app.header(), POINT{15, app.HeaderHeight() / 2 + 2});
  EXPECT_EQ(asked, (std::vector<bool>{true, true, false}));
  EXPECT_EQ(app.list.GetHeaderChecked(), 0);
  // A divider within the box's x range is not taken.
  SendMessageW(app.list, LVM_SETCOLUMNWIDTH, 0, 16);
  viewtest::PumpUntilIdle();
  app.ClickHeader(16);
  EXPECT_EQ(asked.size(), 3u);
  // The unchecked image redrawn in place shows after RefreshHeaderCheck.
  Gdiplus::Graphics(app.unchecked_image.get()).Clear(Gdiplus::Color(0xFF00C000));
  app.list.RefreshHeaderCheck();
  EXPECT_EQ(header_box(), kGreen);
}

TEST(ListView, AMillionRowsAskOnlyForVisibleRows) {
  ListApp app(1.0f, 40);
  const int visible = (viewtest::ClientSize(app.list).cy - 30) / 40 + 2;
  app.SetRows(1000000);
  app.state_queries = app.photo_queries = 0;
  app.Redraw();
  // Each painted row is asked once for its state and photo (a little slack
  // for a repaint), never the whole list, also far down.
  EXPECT_GT(app.photo_queries, 0);
  EXPECT_LE(app.state_queries, 3 * visible);
  ListView_EnsureVisible(app.list, 765432, FALSE);
  viewtest::PumpUntilIdle();
  EXPECT_LE(app.photo_queries, 6 * visible);
  const int top = ListView_GetTopIndex(app.list);
  app.ClickRow(top + 1, 10);
  EXPECT_EQ(app.reports.back().second, top + 1);
  // Checking every row from the header goes through the application once
  // per row; the last row shows it.
  app.ClickHeader(10);
  EXPECT_EQ(std::count(app.checked.begin(), app.checked.end(), 1), 1000000);
  app.list.SelectItem(999999);
  EXPECT_EQ(app.Shot().At(12, app.Mid(999999)), kRed);
}


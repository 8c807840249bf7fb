// A checkable owner-data list: the application keeps the rows. The parent
// answers LVN_GETDISPINFOW with the texts (view::ReflectNotification leaves
// that notification to it) and the functions give check states and photos.
#include "example.h"

#include <string>
#include <vector>

namespace {

const wchar_t* const kNames[] = {L"Ada Lovelace", L"Alan Turing", L"Grace Hopper",
                                 L"Edsger Dijkstra", L"Barbara Liskov"};
const wchar_t* const kCities[] = {L"London", L"Manchester", L"New York", L"Rotterdam",
                                  L"Boston"};
constexpr int kRows = 5;

LRESULT CALLBACK Proc(HWND wnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  LRESULT result = 0;
  if (view::ReflectNotification(wnd, msg, wparam, lparam, &result)) return result;
  if (msg == WM_NOTIFY && reinterpret_cast<NMHDR*>(lparam)->code == LVN_GETDISPINFOW) {
    auto* info = reinterpret_cast<NMLVDISPINFOW*>(lparam);
    const int row = info->item.iItem;
    if ((info->item.mask & LVIF_TEXT) != 0 && row >= 0 && row < kRows) {
      const wchar_t* text = info->item.iSubItem == 1 ? kNames[row] : kCities[row];
      lstrcpynW(info->item.pszText, text, info->item.cchTextMax);
    }
    return 0;
  }
  if (msg == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcW(wnd, msg, wparam, lparam);
}

struct ListViewExample : example::Content {
  std::unique_ptr<Gdiplus::Bitmap> checked = view::MakeStockImage(view::StockImage::kCheckBoxChecked);
  std::unique_ptr<Gdiplus::Bitmap> unchecked =
      view::MakeStockImage(view::StockImage::kCheckBoxUnchecked);
  std::unique_ptr<Gdiplus::Bitmap> disabled =
      view::MakeStockImage(view::StockImage::kCheckBoxDisabled);
  HFONT font = CreateFontW(-13, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0,
                           L"Tahoma");
  std::vector<bool> rows = std::vector<bool>(kRows, false);
  ZuListView list;

  void Build(HWND wnd) {
    list.SetCheckBoxImage(checked.get(), unchecked.get(), disabled.get());  // borrowed
    list.SetItemHeight(28);
    RECT rect = {10, 10, 470, 230};
    list.CreateListView(wnd, &rect, 1, true, true, false);
    SendMessageW(list, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    const int widths[] = {70, 220, 160};
    const wchar_t* titles[] = {L"", L"Name", L"City"};
    for (int c = 0; c < 3; ++c) {
      LVCOLUMNW column = {};
      column.mask = LVCF_WIDTH | LVCF_TEXT;
      column.cx = widths[c];
      column.pszText = const_cast<wchar_t*>(titles[c]);
      SendMessageW(list, LVM_INSERTCOLUMNW, c, reinterpret_cast<LPARAM>(&column));
    }
    list.SetFuncGetCheckState([this](int row) { return rows[row]; });
    list.SetFuncSetCheckState([this](int row, bool on) { rows[row] = on; });
    list.SetTestCanCheckFunc([](int row) { return row != 3; });
    list.SetPhotoGetFunc([](int) -> Gdiplus::Image* { return nullptr; });
    rows[0] = rows[2] = true;
    list.SetItemCount(kRows);
  }
  ~ListViewExample() { DeleteObject(font); }
};

}  // namespace

int main(int argc, char** argv) {
  return example::Run<ListViewExample>(argc, argv, L"List view", 480, 240, Proc);
}

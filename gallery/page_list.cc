// A striped, checkable list of a few hundred people: check boxes with the
// header's check-all box, photos drawn for the page, three text columns, some
// rows checked, one row that may not be checked, and the pointer over a row.

#include <memory>
#include <string>
#include <vector>

#include "gallery.h"

namespace {

constexpr int kRows = 300;
constexpr int kListId = 400;
const wchar_t* const kNames[] = {L"Ada Lovelace", L"Alan Turing", L"Grace Hopper",
                                 L"Edsger Dijkstra", L"Barbara Liskov", L"Donald Knuth",
                                 L"Frances Allen", L"Niklaus Wirth"};
const wchar_t* const kCities[] = {L"London", L"Manchester", L"New York", L"Rotterdam",
                                  L"Boston", L"Stanford", L"Peru, NY", L"Zurich"};

// A portrait-shaped picture: a coloured background with a head and shoulders.
std::unique_ptr<Gdiplus::Bitmap> MakePhoto(int seed) {
  auto bitmap = std::make_unique<Gdiplus::Bitmap>(60, 60, PixelFormat32bppARGB);
  Gdiplus::Graphics g(bitmap.get());
  g.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
  const BYTE r = static_cast<BYTE>(80 + (seed * 53) % 150);
  const BYTE gr = static_cast<BYTE>(80 + (seed * 97) % 150);
  const BYTE b = static_cast<BYTE>(80 + (seed * 31) % 150);
  g.Clear(Gdiplus::Color(255, r, gr, b));
  Gdiplus::SolidBrush skin(Gdiplus::Color(255, 250, 224, 196));
  Gdiplus::SolidBrush cloth(Gdiplus::Color(255, 255 - r, 255 - gr, 255 - b));
  g.FillEllipse(&cloth, 8, 38, 44, 40);
  g.FillEllipse(&skin, 19, 10, 22, 26);
  return bitmap;
}

class ListPage : public gallery::Page {
 public:
  void Build(HWND panel) override {
    gallery::AddLabel(panel,
                      L"An owner-data list of 300 rows: click a check box to check and select a "
                      L"row, the header box checks every row. Row 4 may not be checked.",
                      24, 16, 900, 36);
    checked_image_ = view::MakeStockImage(view::StockImage::kCheckBoxChecked);
    unchecked_image_ = view::MakeStockImage(view::StockImage::kCheckBoxUnchecked);
    disabled_image_ = view::MakeStockImage(view::StockImage::kCheckBoxDisabled);
    for (int i = 0; i < 8; ++i) photos_.push_back(MakePhoto(i + 1));
    checked_.assign(kRows, 0);
    checked_[0] = checked_[2] = checked_[5] = 1;

    // The row texts are this page's data: the page answers the list's text
    // queries, which the panel's reflection leaves to its parent.
    SetWindowSubclass(panel, &PanelHook, 1, reinterpret_cast<DWORD_PTR>(this));
    panel_ = panel;

    list_.SetCheckBoxImage(checked_image_.get(), unchecked_image_.get(), disabled_image_.get());
    list_.SetItemHeight(48);
    RECT rect = {24, 60, 24 + 900, 60 + 500};
    list_.CreateListView(panel, rect, kListId, true, true, false);
    SendMessageW(list_, WM_SETFONT, reinterpret_cast<WPARAM>(gallery::LabelFont()), TRUE);
    const int widths[] = {90, 260, 170, 170, 190};
    const wchar_t* titles[] = {L"", L"Name", L"City", L"Role", L"Note"};
    for (int c = 0; c < 5; ++c) {
      LVCOLUMNW column = {};
      column.mask = LVCF_WIDTH | LVCF_TEXT;
      column.cx = widths[c];
      column.pszText = const_cast<wchar_t*>(titles[c]);
      SendMessageW(list_, LVM_INSERTCOLUMNW, c, reinterpret_cast<LPARAM>(&column));
    }
    get_ = [this](int row) { return row >= 0 && row < kRows && checked_[row] != 0; };
    set_ = [this](int row, bool value) {
      if (row >= 0 && row < kRows) checked_[row] = value ? 1 : 0;
    };
    can_ = [](int row) { return row != 3; };
    photo_ = [this](int row) -> Gdiplus::Image* {
      return row % 5 == 4 ? nullptr : photos_[static_cast<size_t>(row) % photos_.size()].get();
    };
    list_.SetDefaultPhoto(photos_[0].get());
    list_.SetFuncGetCheckState(get_);
    list_.SetFuncSetCheckState(set_);
    list_.SetTestCanCheckFunc(can_);
    list_.SetPhotoGetFunc(photo_);
    list_.SetItemCount(kRows);
  }

  void Shown(HWND) override {
    // The pointer rests over row 6.
    RECT row = {};
    row.left = LVIR_BOUNDS;
    SendMessageW(list_, LVM_GETITEMRECT, 6, reinterpret_cast<LPARAM>(&row));
    SendMessageW(list_, WM_MOUSEMOVE, 0, MAKELPARAM(400, (row.top + row.bottom) / 2));
    SelectItemQuietly(2);
    UpdateWindow(list_);
  }

 private:
  void SelectItemQuietly(int row) {
    LVITEMW state = {};
    state.stateMask = LVIS_SELECTED;
    state.state = LVIS_SELECTED;
    SendMessageW(list_, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&state));
  }

  std::wstring TextOf(int row, int column) const {
    switch (column) {
      case 1: return kNames[row % 8];
      case 2: return kCities[(row * 3) % 8];
      case 3: return row % 3 == 0 ? L"Engineer" : (row % 3 == 1 ? L"Researcher" : L"Teacher");
      case 4: return L"Record " + std::to_wstring(1000 + row);
      default: return std::wstring();
    }
  }

  static LRESULT CALLBACK PanelHook(HWND wnd, UINT msg, WPARAM wparam, LPARAM lparam, UINT_PTR,
                                    DWORD_PTR data) {
    auto* self = reinterpret_cast<ListPage*>(data);
    if (msg == WM_NOTIFY && lparam != 0) {
      auto* info = reinterpret_cast<NMLVDISPINFOW*>(lparam);
      if (info->hdr.code == LVN_GETDISPINFOW && info->hdr.hwndFrom == self->list_ &&
          (info->item.mask & LVIF_TEXT) != 0 && info->item.pszText != nullptr) {
        const std::wstring text = self->TextOf(info->item.iItem, info->item.iSubItem);
        lstrcpynW(info->item.pszText, text.c_str(), info->item.cchTextMax);
        return 0;
      }
    }
    if (msg == WM_NCDESTROY) RemoveWindowSubclass(wnd, &PanelHook, 1);
    return DefSubclassProc(wnd, msg, wparam, lparam);
  }

  HWND panel_ = nullptr;
  ZuListView list_;
  std::unique_ptr<Gdiplus::Bitmap> checked_image_, unchecked_image_, disabled_image_;
  std::vector<std::unique_ptr<Gdiplus::Bitmap>> photos_;
  std::vector<char> checked_;
  std::function<bool(int)> get_;
  std::function<void(int, bool)> set_;
  std::function<bool(int)> can_;
  std::function<Gdiplus::Image*(int)> photo_;
};

}  // namespace

VIEW_GALLERY_PAGE(400, L"Checkable list", ListPage);

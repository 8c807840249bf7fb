// What assistive technology reads from each control: beside every control,
// its role, state and name (or value) as AccessibleObjectFromWindow returns
// them, read again twice a second so that a click shows its effect.

#include "gallery.h"

#include <commctrl.h>
#include <oleacc.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr UINT_PTR kRefreshTimer = 1;
constexpr int kControlX = 24, kLabelX = 300, kTop = 48, kPitch = 46;

std::unique_ptr<Gdiplus::Bitmap> Square(int size, Gdiplus::ARGB argb) {
  auto bitmap = std::make_unique<Gdiplus::Bitmap>(size, size, PixelFormat32bppARGB);
  Gdiplus::Graphics graphics(bitmap.get());
  graphics.Clear(Gdiplus::Color(argb));
  return bitmap;
}

// "role · state · name" of `child` of the client object of `wnd`, as a
// screen reader would be told them; the value too where there is one.
std::wstring Describe(HWND wnd, long child) {
  IAccessible* acc = nullptr;
  if (FAILED(AccessibleObjectFromWindow(wnd, OBJID_CLIENT, IID_IAccessible,
                                        reinterpret_cast<void**>(&acc))) ||
      acc == nullptr) {
    return L"(no accessible object)";
  }
  VARIANT id;
  id.vt = VT_I4;
  id.lVal = child;
  std::wstring out;
  VARIANT role = {}, state = {};
  wchar_t text[128] = {};
  if (SUCCEEDED(acc->get_accRole(id, &role)) && role.vt == VT_I4) {
    GetRoleTextW(static_cast<DWORD>(role.lVal), text, 128);
    out += text;
  }
  out += L"  |  ";
  if (SUCCEEDED(acc->get_accState(id, &state)) && state.vt == VT_I4) {
    std::wstring states;
    for (DWORD bit : {STATE_SYSTEM_CHECKED, STATE_SYSTEM_SELECTED, STATE_SYSTEM_UNAVAILABLE,
                      STATE_SYSTEM_FOCUSED}) {
      if ((state.lVal & static_cast<LONG>(bit)) == 0) continue;
      GetStateTextW(bit, text, 128);
      states += (states.empty() ? L"" : L", ") + std::wstring(text);
    }
    out += states.empty() ? L"normal" : states;
  }
  BSTR name = nullptr, value = nullptr;
  if (SUCCEEDED(acc->get_accName(id, &name)) && name != nullptr) {
    out += L"  |  name \"" + std::wstring(name, SysStringLen(name)) + L"\"";
  }
  if (SUCCEEDED(acc->get_accValue(id, &value)) && value != nullptr) {
    out += L"  |  value \"" + std::wstring(value, SysStringLen(value)) + L"\"";
  }
  SysFreeString(name);
  SysFreeString(value);
  acc->Release();
  return out;
}

class AccessibilityPage : public gallery::Page {
 public:
  ~AccessibilityPage() override {
    if (com_ok_) CoUninitialize();
  }

  void Build(HWND panel) override {
    // Clients reach the controls' objects through COM, which the thread
    // that owns the windows joins as a single-threaded apartment.
    com_ok_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    panel_ = panel;
    SetWindowSubclass(panel, &PanelHook, 1, reinterpret_cast<DWORD_PTR>(this));
    font_ = std::make_unique<Gdiplus::Font>(L"Tahoma", 13.0f, Gdiplus::FontStyleRegular,
                                            Gdiplus::UnitPixel);
    normal_ = Square(24, 0xFF90A4AE);
    pressed_ = Square(24, 0xFF1565C0);
    gallery::AddLabel(panel,
                      L"Role | state | name (and value) of each control, as a screen reader reads "
                      L"them through AccessibleObjectFromWindow.",
                      kControlX, 12, 900, 20);

    icon_.CreateButton(panel, 1, true);
    icon_.Init(normal_.get(), kControlX, Row(0), pressed_.get(), nullptr, 0, 0, 0, 0);
    icon_.SetTooltip(L"Save (tooltip only)");
    Watch(icon_, 0, L"");

    check_.CreateButton(panel, 2, true);
    check_.setFont(font_.get());
    check_.SetCheckBoxCheckLogoGapAndLogoTextGap(0, 6);
    check_.Init(normal_.get(), kControlX, Row(1), pressed_.get(), L"Remember me",
                kBASImgButtonTextRight, 0, 8, 1);
    check_.SetChecked(true);
    Watch(check_, 0, L"");

    day_.CreateButton(panel, font_.get(), 3);
    day_.Init(kControlX, Row(2), L"Day", RGB(236, 240, 244), RGB(40, 40, 40), RGB(21, 101, 192),
              RGB(255, 255, 255));
    night_.CreateButton(panel, font_.get(), 4);
    night_.Init(kControlX + 80, Row(2), L"Night", RGB(236, 240, 244), RGB(40, 40, 40),
                RGB(21, 101, 192), RGB(255, 255, 255));
    day_.SetPressedStatus();
    Watch(day_, 0, L"radio switch, latched: ");
    Watch(night_, 0, L"radio switch: ", kPitch / 2);

    tile_.CreateButton(panel, font_.get(), 5);
    tile_.Init(kControlX, Row(3), L"Photos", RGB(236, 240, 244), RGB(40, 40, 40), normal_.get(),
               RGB(21, 101, 192), RGB(255, 255, 255), pressed_.get());
    tile_.SetPressedStatus();
    Watch(tile_, 0, L"image tile: ", kPitch / 2);

    RECT tab_rect = {kControlX, Row(5), kControlX + 110, Row(5) + 34};
    RECT plain_rect = {kControlX + 120, Row(5), kControlX + 230, Row(5) + 34};
    tab_.Create(panel, &tab_rect, L"Overview", 0, 0, 6);
    plain_.Create(panel, &plain_rect, L"Settings", 0, 0, 7);
    for (ZuSectionButton* b : {&tab_, &plain_}) {
      b->SetFont(font_.get())
          .SetHMargin(12)
          .SetVMargin(8)
          .SetColorOfNormalStatus(RGB(236, 240, 244), RGB(40, 40, 40), RGB(236, 240, 244))
          .SetColorOfPressedStatus(RGB(21, 101, 192), RGB(255, 255, 255), RGB(21, 101, 192))
          .SetColorOfHoverStatus(RGB(220, 230, 240), RGB(40, 40, 40), RGB(220, 230, 240))
          .reload(0, 0);
    }
    tab_.SetCheckStyle(true).SetPressedStatus();
    Watch(tab_, 0, L"section tab: ");
    Watch(plain_, 0, L"section button: ", kPitch / 2);

    // Column 0 shows the check box and the row number; a row's name is its
    // text in column 0, which the list paints in no column: column 1 shows
    // the same text (the panel answers every column with the row's name).
    RECT list_rect = {kControlX, Row(7), kControlX + 250, Row(9) - 4};
    list_checked_ = view::MakeStockImage(view::StockImage::kCheckBoxChecked);
    list_unchecked_ = view::MakeStockImage(view::StockImage::kCheckBoxUnchecked);
    list_.SetCheckBoxImage(list_checked_.get(), list_unchecked_.get(), list_unchecked_.get());
    list_.SetItemHeight(22);
    list_.CreateListView(panel, list_rect, 8, false, true, false);
    SendMessageW(list_, WM_SETFONT, reinterpret_cast<WPARAM>(gallery::LabelFont()), FALSE);
    for (int c = 0; c < 2; ++c) {
      LVCOLUMNW column = {};
      column.mask = LVCF_WIDTH;
      column.cx = c == 0 ? 56 : 170;
      SendMessageW(list_, LVM_INSERTCOLUMNW, c, reinterpret_cast<LPARAM>(&column));
    }
    list_.SetFuncGetCheckState([this](int row) { return row >= 0 && row < 3 && checked_[row]; });
    list_.SetFuncSetCheckState([this](int row, bool on) {
      if (row >= 0 && row < 3) checked_[row] = on;
    });
    list_.SetItemCount(3);
    Watch(list_, 1, L"list row 1: ");
    Watch(list_.GetInnerHeader(), 1, L"header box: ", kPitch / 2);

    RECT combo_rect = {kControlX, Row(9), kControlX + 220, Row(9) + 200};
    combo_.Create(
        panel, combo_rect, nullptr,
        WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS,
        0, 9);
    SendMessageW(combo_, WM_SETFONT, reinterpret_cast<WPARAM>(gallery::LabelFont()), FALSE);
    for (const wchar_t* fruit : {L"Apple", L"Pear", L"Plum"}) {
      SendMessageW(combo_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(fruit));
    }
    combo_.SetCheck(0, 1);
    combo_.SetCheck(2, 1);
    Watch(combo_, 0, L"");

    RECT edit_rect = {kControlX, Row(10), kControlX + 220, Row(10) + 26};
    edit_.Create(panel, edit_rect, L"", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE);
    edit_.SetFont(gallery::LabelFont());
    edit_.setTipValue(L"Search");
    Watch(edit_, 0, L"");

    // A button with the keyboard focus and focus cues on, as after Tab.
    focused_.CreateButton(panel, font_.get(), 10);
    focused_.SetRadio(false).Init(kControlX, Row(11), L"Focused", RGB(236, 240, 244),
                                  RGB(40, 40, 40), RGB(21, 101, 192), RGB(255, 255, 255));
    Watch(focused_, 0, L"focus cue (Tab moves it, Space presses): ");
    SendMessageW(GetAncestor(panel, GA_ROOT), WM_CHANGEUISTATE,
                 MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    SetFocus(focused_);

    Refresh();
    SetTimer(panel, kRefreshTimer, 500, nullptr);
  }

 private:
  static int Row(int index) { return kTop + index * kPitch; }

  // A label beside `wnd` that shows what is read back for `child`.
  void Watch(HWND wnd, long child, const wchar_t* prefix, int dy = 0) {
    RECT rect = {};
    GetWindowRect(wnd, &rect);
    MapWindowPoints(nullptr, panel_, reinterpret_cast<POINT*>(&rect), 2);
    HWND label = gallery::AddLabel(panel_, L"", kLabelX, rect.top + 4 + dy, 640, 20);
    watched_.push_back({wnd, child, prefix, label});
  }

  void Refresh() {
    for (const Watched& w : watched_) {
      const std::wstring text = w.prefix + Describe(w.wnd, w.child);
      SetWindowTextW(w.label, text.c_str());
    }
  }

  static LRESULT CALLBACK PanelHook(HWND wnd, UINT msg, WPARAM wparam, LPARAM lparam, UINT_PTR,
                                    DWORD_PTR data) {
    auto* page = reinterpret_cast<AccessibilityPage*>(data);
    if (msg == WM_TIMER && wparam == kRefreshTimer) {
      page->Refresh();
      return 0;
    }
    if (msg == WM_NOTIFY) {
      auto* info = reinterpret_cast<NMLVDISPINFOW*>(lparam);
      if (info->hdr.code == LVN_GETDISPINFOW && (info->item.mask & LVIF_TEXT) != 0) {
        const wchar_t* rows[] = {L"Ada Lovelace", L"Alan Turing", L"Grace Hopper"};
        if (info->item.iItem >= 0 && info->item.iItem < 3) {
          lstrcpynW(info->item.pszText, rows[info->item.iItem], info->item.cchTextMax);
        }
        return 0;
      }
    }
    if (msg == WM_NCDESTROY) {
      KillTimer(wnd, kRefreshTimer);
      RemoveWindowSubclass(wnd, &PanelHook, 1);
    }
    return DefSubclassProc(wnd, msg, wparam, lparam);
  }

  struct Watched {
    HWND wnd;
    long child;
    std::wstring prefix;
    HWND label;
  };
  bool com_ok_ = false;
  HWND panel_ = nullptr;
  std::unique_ptr<Gdiplus::Font> font_;
  std::unique_ptr<Gdiplus::Bitmap> normal_, pressed_, list_checked_, list_unchecked_;
  ZuImgButton icon_, check_;
  ZuSwitchButton day_, night_, focused_;
  ZuSwitchImageButton tile_;
  ZuSectionButton tab_, plain_;
  ZuListView list_;
  bool checked_[3] = {true, false, true};
  ZuComboBox combo_;
  ZuEdit edit_;
  std::vector<Watched> watched_;
};

}  // namespace

VIEW_GALLERY_PAGE(1000, L"Accessibility", AccessibilityPage);

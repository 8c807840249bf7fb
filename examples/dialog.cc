// A dialog from a resource script (dialog.rc): the controls make themselves
// from the template, and WM_INITDIALOG configures them through FromWindow.
#include "example.h"

namespace {

struct Settings {
  std::unique_ptr<Gdiplus::Font> font{new Gdiplus::Font(L"Tahoma", 9.0f)};
  std::unique_ptr<Gdiplus::Bitmap> ok{new Gdiplus::Bitmap(84, 26, PixelFormat32bppARGB)};
  view::ExclusiveGroup sizes;  // the two switches and the tile: one chosen
  const char* snapshot = nullptr;
  int code = 0;
};

// Where the template put a control, in the dialog's client coordinates (the
// buttons' Init places them again after measuring their captions).
POINT PlaceOf(HWND dlg, HWND control) {
  RECT place = {0, 0, 0, 0};
  GetWindowRect(control, &place);
  MapWindowPoints(nullptr, dlg, reinterpret_cast<POINT*>(&place), 2);
  return {place.left, place.top};
}

void Configure(HWND dlg, Settings& s) {
  ZuEdit name = ZuEdit::FromWindow(GetDlgItem(dlg, 10));
  name.setTipValue(L"Name");
  name.setFuncEnterCallback([dlg] { SetDlgItemTextW(dlg, 10, L""); });  // Enter clears it
  HWND combo = GetDlgItem(dlg, 2);
  for (const wchar_t* fruit : {L"Apple", L"Banana", L"Cherry"}) {
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(fruit));
  }
  ZuComboBox::FromWindow(combo).SetCheck(0, 1);
  ZuTreeViewCheckBox::FromWindow(GetDlgItem(dlg, 4))
      .AppendItem(nullptr, 0, L"Notifications", nullptr, 0, 0, false, -1);
  const wchar_t* captions[] = {L"&Small", L"&Large"};  // Alt + S, Alt + L
  for (int i = 0; i < 2; ++i) {
    ZuSwitchButton size = ZuSwitchButton::FromWindow(GetDlgItem(dlg, 5 + i));
    size.SetFont(s.font.get());
    const POINT at = PlaceOf(dlg, size);
    size.Init(at.x, at.y, captions[i], RGB(240, 240, 240), RGB(0, 0, 0), RGB(0, 120, 215),
              RGB(255, 255, 255));
    s.sizes.Add(size);
  }
  ZuSwitchImageButton tile = ZuSwitchImageButton::FromWindow(GetDlgItem(dlg, 7));
  tile.SetFont(s.font.get());
  const POINT tile_at = PlaceOf(dlg, tile);
  tile.Init(tile_at.x, tile_at.y, L"&Auto", RGB(240, 240, 240), RGB(0, 0, 0), nullptr,
            RGB(0, 120, 215), RGB(255, 255, 255), nullptr);
  s.sizes.Add(tile);
  ZuSectionButton general = ZuSectionButton::FromWindow(GetDlgItem(dlg, 8));
  general.SetFont(s.font.get()).SetHMargin(8);
  general.SetColorOfNormalStatus(RGB(255, 255, 255), RGB(0, 0, 0), RGB(0xC0, 0xC8, 0xD0));
  general.SetColorOfHoverStatus(RGB(0xE8, 0xEE, 0xF6), RGB(0, 0, 0), RGB(0, 120, 215));
  general.Load(true);
  Gdiplus::Graphics(s.ok.get()).Clear(Gdiplus::Color(255, 0, 120, 215));
  ZuImgButton ok = ZuImgButton::FromWindow(GetDlgItem(dlg, IDOK));
  ok.setFont(s.font.get());
  ok.SetTextColor(RGB(255, 255, 255), RGB(255, 255, 255), RGB(200, 200, 200));
  const POINT at = PlaceOf(dlg, ok);
  ok.Init(s.ok.get(), at.x, at.y, s.ok.get(), L"OK", kBASImgButtonTextCenter, 0, 0, 0);
}

INT_PTR CALLBACK SettingsProc(HWND dlg, UINT msg, WPARAM wparam, LPARAM lparam) {
  auto* s = reinterpret_cast<Settings*>(GetWindowLongPtrW(dlg, DWLP_USER));
  if (msg == WM_INITDIALOG) {
    s = reinterpret_cast<Settings*>(lparam);
    SetWindowLongPtrW(dlg, DWLP_USER, lparam);
    Configure(dlg, *s);
    if (s->snapshot != nullptr) SetTimer(dlg, 1, 800, nullptr);
    return TRUE;
  }
  if (msg == WM_TIMER && s != nullptr) {
    KillTimer(dlg, 1);
    RECT area;
    GetWindowRect(dlg, &area);
    EndDialog(dlg, example::SaveSnapshot(area, area, s->snapshot));
    return TRUE;
  }
  if (msg == WM_COMMAND && (LOWORD(wparam) == IDOK || LOWORD(wparam) == IDCANCEL)) {
    EndDialog(dlg, 0);
    return TRUE;
  }
  // The reflection line of a dialog procedure.
  LRESULT result = 0;
  if (view::ReflectNotification(dlg, msg, wparam, lparam, &result)) {
    // A colour request's answer is the brush itself; the others go back
    // through DWLP_MSGRESULT.
    if (msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC) return static_cast<INT_PTR>(result);
    SetWindowLongPtrW(dlg, DWLP_MSGRESULT, result);
    return TRUE;
  }
  return FALSE;
}

}  // namespace

int main(int argc, char** argv) {
  example::GdiplusSession gdiplus;
  view::RegisterWindowClasses();  // before the first dialog that names them
  int code = 0;
  {
    Settings settings;
    for (int i = 1; i + 1 < argc; ++i) {
      if (std::strcmp(argv[i], "--snapshot") == 0) settings.snapshot = argv[i + 1];
    }
    code = static_cast<int>(DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(100),
                                            nullptr, SettingsProc,
                                            reinterpret_cast<LPARAM>(&settings)));
  }  // the wrappers, group, bitmaps and font go before GDI+ stops
  return code;
}

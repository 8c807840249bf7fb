// The check-box tree: three levels with expanded and collapsed parents,
// checked and unchecked items, item images, number badges, a disabled branch
// and a selected row. Checking an item checks or unchecks its children.

#include <memory>
#include <string>
#include <vector>

#include "gallery.h"

namespace {

using Gdiplus::Color;

// A round item image in one colour: the tree takes and deletes it.
Gdiplus::Image* Dot(BYTE r, BYTE g, BYTE b) {
  auto* bitmap = new Gdiplus::Bitmap(20, 20, PixelFormat32bppARGB);
  Gdiplus::Graphics graphics(bitmap);
  graphics.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
  Gdiplus::SolidBrush brush(Color(255, r, g, b));
  graphics.FillEllipse(&brush, 1, 1, 18, 18);
  return bitmap;
}

class TreePage : public gallery::Page {
 public:
  void Build(HWND panel) override {
    gallery::AddLabel(panel,
                      L"Check-box tree: click a check box to toggle it (children follow), the "
                      L"chevron to expand or collapse, a row to select it. The grey branch is "
                      L"disabled; numbers show in badges.",
                      24, 16, 900, 40);
    font_ = CreateFontW(-14, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0,
                        CLEARTYPE_QUALITY, 0, L"Segoe UI");
    // A near-white ground and a pale selection, or the panel's dark ground
    // and a deep blue selection in dark (colours the page chooses are kept
    // as they are in dark, so it chooses dark ones there).
    const bool dark = view::IsDarkTheme();
    HWND wnd = tree_.CreateTree(panel, 100, WTL::CRect(24, 64, 504, 584),
                                dark ? gallery::Window() : RGB(250, 251, 253),
                                expanded_.get(), collapsed_.get(), checked_.get(),
                                unchecked_.get());
    if (wnd == nullptr) return;
    SendMessageW(wnd, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    tree_.SetXMargin(4);
    tree_.SetHighLightColor(dark ? RGB(0x26, 0x4F, 0x78) : RGB(0xCC, 0xE4, 0xF7),
                            dark ? RGB(0xFF, 0xFF, 0xFF) : RGB(0x10, 0x20, 0x40));
    std::function<void(HTREEITEM, bool)> follow = [this](HTREEITEM item, bool check) {
      CheckChildren(item, check);
    };
    tree_.SetCheckItemCallback(follow);

    HTREEITEM docs = Add(nullptr, L"Documents", Dot(0x2B, 0x7D, 0xE9), 12);
    HTREEITEM reports = Add(docs, L"Reports", Dot(0x3C, 0xA5, 0x5C), 3);
    Add(reports, L"Quarterly summary", nullptr, -1);
    Add(reports, L"Annual review", nullptr, -1);
    Add(reports, L"Budget draft", nullptr, 0);
    HTREEITEM letters = Add(docs, L"Letters", Dot(0xE9, 0xA2, 0x2B), 9);
    Add(letters, L"Unread", nullptr, -1);
    HTREEITEM archive = Add(docs, L"Archive (disabled)", Dot(0x9A, 0x9A, 0x9A), 120);
    HTREEITEM old_mail = Add(archive, L"Old mail", nullptr, -1);
    HTREEITEM pictures = Add(nullptr, L"Pictures", Dot(0xD9, 0x48, 0x6A), 48);
    Add(pictures, L"Holidays", nullptr, -1);
    Add(nullptr, L"Music", Dot(0x8E, 0x5C, 0xD9), -1);
    // Shows an expander before it has children; scaled to 16 x 16.
    tree_.AppendItem(nullptr, 0, L"Remote (children not loaded yet)", Dot(0x40, 0x40, 0x40), 16,
                     16, true, -1);

    tree_.UpdateItem(archive, nullptr, 0, 120, nullptr);
    tree_.UpdateItem(old_mail, nullptr, 0, -1, nullptr);
    tree_.CheckItem(reports, 1);
    tree_.CheckItem(pictures, 0);
    for (HTREEITEM item : {docs, reports, archive}) {
      SendMessageW(wnd, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
    }
    SendMessageW(wnd, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(letters));
  }

  ~TreePage() override {
    if (font_ != nullptr) DeleteObject(font_);
  }

 private:
  HTREEITEM Add(HTREEITEM parent, const wchar_t* text, Gdiplus::Image* image, int number) {
    return tree_.AppendItem(parent, 0, text, image, 0, 0, false, number);
  }

  void CheckChildren(HTREEITEM item, bool check) {
    HWND wnd = tree_;
    for (auto child = reinterpret_cast<HTREEITEM>(
             SendMessageW(wnd, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(item)));
         child != nullptr; child = reinterpret_cast<HTREEITEM>(SendMessageW(
                               wnd, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(child)))) {
      tree_.CheckItem(child, check ? 1 : 0);  // reports again: grandchildren follow
    }
    InvalidateRect(wnd, nullptr, FALSE);
  }

  std::unique_ptr<Gdiplus::Bitmap> expanded_ = view::MakeStockImage(view::StockImage::kExpanderExpanded);
  std::unique_ptr<Gdiplus::Bitmap> collapsed_ =
      view::MakeStockImage(view::StockImage::kExpanderCollapsed);
  std::unique_ptr<Gdiplus::Bitmap> checked_ = view::MakeStockImage(view::StockImage::kCheckBoxChecked);
  std::unique_ptr<Gdiplus::Bitmap> unchecked_ =
      view::MakeStockImage(view::StockImage::kCheckBoxUnchecked);
  ZuTreeViewCheckBox tree_;
  HFONT font_ = nullptr;
};

}  // namespace

VIEW_GALLERY_PAGE(500, L"Check-box tree", TreePage);

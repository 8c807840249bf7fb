// Edit boxes with a tip text, and the link label.

#include <functional>
#include <string>

#include "gallery.h"

namespace {

class EditLinkPage : public gallery::Page {
 public:
  ~EditLinkPage() override {
    if (font_ != nullptr) DeleteObject(font_);
  }

  void Build(HWND panel) override {
    font_ = CreateFontW(-16, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0,
                        CLEARTYPE_QUALITY, 0, L"Segoe UI");
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL;

    gallery::AddLabel(panel, L"Empty: the tip text shows until something is typed.", 24, 24,
                      420, 20);
    RECT empty_rect = {24, 48, 344, 78};
    empty_.Create(panel, empty_rect, L"", style, WS_EX_CLIENTEDGE);
    empty_.SetFont(font_);
    empty_.setTipValue(L"Search files and folders");
    enter_ = [this] {
      ++enters_;
      const std::wstring text = L"Enter pressed " + std::to_wstring(enters_) + L" time(s).";
      SetWindowTextW(status_, text.c_str());
    };
    empty_.setFuncEnterCallback(enter_);
    status_ = gallery::AddLabel(panel, L"Press Enter in the first box.", 360, 54, 300, 20);

    gallery::AddLabel(panel, L"Filled: the text hides the tip.", 24, 100, 420, 20);
    RECT filled_rect = {24, 124, 344, 154};
    filled_.Create(panel, filled_rect, L"Quarterly report.xlsx", style, WS_EX_CLIENTEDGE);
    filled_.SetFont(font_);
    filled_.setTipValue(L"File name");

    gallery::AddLabel(panel, L"Read-only: the platform's read-only background.", 24, 176, 420,
                      20);
    RECT read_only_rect = {24, 200, 344, 230};
    read_only_.Create(panel, read_only_rect, L"C:\\Users\\Public\\Documents", style,
                      WS_EX_CLIENTEDGE);
    read_only_.SetFont(font_);
    read_only_.SetReadOnly(1);

    gallery::AddLabel(panel,
                      L"Link label showing its links (SetDrawLinks): a link underlines under "
                      L"the pointer, takes clicks and Enter and notifies the parent.",
                      24, 262, 620, 40);
    RECT link_rect = {24, 306, 344, 336};
    HWND link = link_.Create(panel, link_rect,
                             L"Read the <a id=\"terms\" href=\"https://example.com/terms\">terms</a> "
                             L"or <a id=\"help\">ask for help</a>");
    SendMessageW(link, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    link_.SetDrawLinks(true);
  }

 private:
  HFONT font_ = nullptr;
  ZuEdit empty_;
  ZuEdit filled_;
  ZuEdit read_only_;
  ZuLink link_;
  HWND status_ = nullptr;
  std::function<void()> enter_;
  int enters_ = 0;
};

}  // namespace

VIEW_GALLERY_PAGE(700, L"Edit box and link label", EditLinkPage);

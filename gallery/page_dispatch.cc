// Work posted from worker threads runs on the UI thread through
// view::PostToUi; the page counts what arrived and on which thread.

#include <string>
#include <thread>
#include <vector>

#include "gallery.h"

namespace {

class DispatchPage : public gallery::Page {
 public:
  void Build(HWND panel) override {
    gallery::AddLabel(panel,
                      L"Four worker threads each post 25 work items through "
                      L"view::PostToUi. Every item runs once on the UI thread, in the "
                      L"order its thread posted it.",
                      24, 24, 900, 40);
    status_ = gallery::AddLabel(panel, L"", 24, 80, 900, 24);
    const DWORD ui = GetCurrentThreadId();
    std::vector<std::thread> workers;
    for (int t = 0; t < 4; ++t) {
      workers.emplace_back([this, ui] {
        for (int i = 0; i < 25; ++i) {
          view::PostToUi([this, ui] {
            ++ran_;
            if (GetCurrentThreadId() == ui) ++on_ui_;
            Update();
          });
        }
      });
    }
    for (auto& w : workers) w.join();
  }

 private:
  void Update() {
    const std::wstring text = std::to_wstring(ran_) + L" of 100 work items ran, " +
                              std::to_wstring(on_ui_) + L" of them on the UI thread.";
    SetWindowTextW(status_, text.c_str());
  }

  HWND status_ = nullptr;
  int ran_ = 0;
  int on_ui_ = 0;
};

}  // namespace

VIEW_GALLERY_PAGE(900, L"Dispatch queue", DispatchPage);

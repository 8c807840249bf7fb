#include "view/zu_list_view.h"

#include <cstdarg>

#include "view/internal/controls/bas_list_view.h"
#include "view/internal/frame/dpi.h"

VIEW_WRAPPER_DEFINITIONS(ZuListView, BASListView)

void ZuListView::SetDpiScale(float scale) { impl_->SetScale(scale); }
int ZuListView::DpiScale(int v) const { return view::frame::DpiScaleInt(v, impl_->scale()); }

int ZuListView::CreateListView(HWND parent, ATL::_U_RECT rect, ATL::_U_MENUorID id, bool striped,
                               bool visible, bool single_select) {
  return impl_->CreateListView(parent, rect, id, striped, visible, single_select);
}
void ZuListView::SetItemCount(int count) { impl_->SetItemCount(count); }

int ZuListView::InsertItemTexts(int index, ...) {
  va_list texts;
  va_start(texts, index);
  const int row = impl_->InsertItemTextsV(index, texts);
  va_end(texts);
  return row;
}

int ZuListView::AppendItemTexts(const wchar_t* first, ...) {
  va_list rest;
  va_start(rest, first);
  const int row = impl_->AppendItemTextsV(first, rest);
  va_end(rest);
  return row;
}

void ZuListView::SetItemHeight(int height) { impl_->SetItemHeight(height); }
void ZuListView::SetCheckBoxImage(Gdiplus::Bitmap* checked, Gdiplus::Bitmap* unchecked,
                                  Gdiplus::Bitmap* disabled) {
  impl_->SetCheckBoxImage(checked, unchecked, disabled);
}
void ZuListView::SetDefaultPhoto(Gdiplus::Image* photo) { impl_->SetDefaultPhoto(photo); }
void ZuListView::SetHeaderCheck(int checked) { impl_->SetHeaderCheck(checked); }
int ZuListView::GetHeaderChecked() { return impl_->GetHeaderChecked(); }
void ZuListView::RefreshHeaderCheck() { impl_->RefreshHeaderCheck(); }
HWND ZuListView::GetInnerHeader() { return impl_->GetInnerHeader(); }
bool ZuListView::setListViewHeaderCheck(bool checked) {
  return impl_->setListViewHeaderCheck(checked);
}
void ZuListView::setFuncHeaderCheck(std::function<bool(bool)> f) {
  impl_->setFuncHeaderCheck(std::move(f));
}
void ZuListView::setFuncDrawPhotoColumn(
    std::function<void(WTL::CDC&, DRAWITEMSTRUCT*, WTL::CRect&, int)> f) {
  impl_->setFuncDrawPhotoColumn(std::move(f));
}
void ZuListView::SetPhotoGetFunc(std::function<Gdiplus::Image*(int)>& f) {
  impl_->SetPhotoGetFunc(f);
}
void ZuListView::SetPhotoGetFunc(const std::function<Gdiplus::Image*(int)>& f) {
  impl_->SetPhotoGetFunc(f);
}
void ZuListView::SetRenderFunc(std::function<void(WTL::CDC&, int)>& f) { impl_->SetRenderFunc(f); }
void ZuListView::SetRenderFunc(const std::function<void(WTL::CDC&, int)>& f) {
  impl_->SetRenderFunc(f);
}
void ZuListView::SetFuncGetCheckState(std::function<bool(int)>& f) {
  impl_->SetFuncGetCheckState(f);
}
void ZuListView::SetFuncGetCheckState(const std::function<bool(int)>& f) {
  impl_->SetFuncGetCheckState(f);
}
void ZuListView::SetFuncSetCheckState(std::function<void(int, bool)>& f) {
  impl_->SetFuncSetCheckState(f);
}
void ZuListView::SetFuncSetCheckState(const std::function<void(int, bool)>& f) {
  impl_->SetFuncSetCheckState(f);
}
void ZuListView::SetTestCanCheckFunc(std::function<bool(int)>& f) { impl_->SetTestCanCheckFunc(f); }
void ZuListView::SetTestCanCheckFunc(const std::function<bool(int)>& f) {
  impl_->SetTestCanCheckFunc(f);
}
void ZuListView::SetScrollItemScopeFuncCallback(std::function<void(int, int)>& f) {
  impl_->SetScrollItemScopeFuncCallback(f);
}
void ZuListView::SetScrollItemScopeFuncCallback(const std::function<void(int, int)>& f) {
  impl_->SetScrollItemScopeFuncCallback(f);
}
void ZuListView::SetItemCheckedChangeCallback(std::function<void(HWND, int)>& f) {
  impl_->SetItemCheckedChangeCallback(f);
}
void ZuListView::SetItemCheckedChangeCallback(const std::function<void(HWND, int)>& f) {
  impl_->SetItemCheckedChangeCallback(f);
}
void ZuListView::SetSelectedChecked() { impl_->SetSelectedChecked(); }
int ZuListView::SelectItem(int index) { return impl_->SelectItem(index); }
void ZuListView::RefreshCell(int column, int row) { impl_->RefreshCell(column, row); }
void ZuListView::RefreshRangeCell(int first_column, int last_column, int row) {
  impl_->RefreshRangeCell(first_column, last_column, row);
}
void ZuListView::RefreshColumn(int column) { impl_->RefreshColumn(column); }

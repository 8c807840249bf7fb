#include "view/zu_tree_view_check_box.h"

#include "view/internal/controls/bas_tree_view_check_box.h"

VIEW_WRAPPER_DEFINITIONS(ZuTreeViewCheckBox, BASTreeViewCheckBox)

HWND ZuTreeViewCheckBox::CreateTree(HWND parent, ATL::_U_MENUorID id, WTL::CRect rect,
                                    DWORD backgroundColor, Gdiplus::Bitmap* expandedImage,
                                    Gdiplus::Bitmap* collapsedImage,
                                    Gdiplus::Bitmap* checkedImage,
                                    Gdiplus::Bitmap* uncheckedImage) {
  return impl_->CreateTree(parent, id.m_hMenu, rect, backgroundColor, expandedImage,
                           collapsedImage, checkedImage, uncheckedImage);
}

HTREEITEM ZuTreeViewCheckBox::AppendItem(HTREEITEM parent, unsigned int tag, const wchar_t* text,
                                         Gdiplus::Image* image, int imageWidth, int imageHeight,
                                         bool hasChildren, int number) {
  return impl_->AppendItem(parent, tag, text, image, imageWidth, imageHeight, hasChildren,
                           number);
}

int ZuTreeViewCheckBox::UpdateItem(HTREEITEM item, const wchar_t* text, int enabled, int number,
                                   void* userData) {
  return impl_->UpdateItem(item, text, enabled, number, userData);
}

int ZuTreeViewCheckBox::DeleteItem(HTREEITEM item) { return impl_->DeleteItem(item); }

int ZuTreeViewCheckBox::GetItemNumber(HTREEITEM item) { return impl_->GetItemNumber(item); }

int ZuTreeViewCheckBox::GetItemCheck(HTREEITEM item) { return impl_->GetItemCheck(item); }

void ZuTreeViewCheckBox::CheckItem(HTREEITEM item, int check) { impl_->CheckItem(item, check); }

void ZuTreeViewCheckBox::SetCheckItemCallback(
    const std::function<void(HTREEITEM, bool)>& callback) {
  impl_->SetCheckItemCallback(callback);
}

void ZuTreeViewCheckBox::SetXMargin(int margin) { impl_->SetXMargin(margin); }

void ZuTreeViewCheckBox::SetHighLightColor(COLORREF back, COLORREF text) {
  impl_->SetHighLightColor(back, text);
}


void ZuTreeViewCheckBox::SetImages(Gdiplus::Bitmap* expandedImage, Gdiplus::Bitmap* collapsedImage,
                                   Gdiplus::Bitmap* checkedImage,
                                   Gdiplus::Bitmap* uncheckedImage) {
  impl_->SetImages(expandedImage, collapsedImage, checkedImage, uncheckedImage);
}

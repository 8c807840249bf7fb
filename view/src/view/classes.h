#pragma once

// The window classes of the controls, by name, for dialog templates (a
// resource script's CONTROL line) and CreateWindowExW. A window of one of
// these classes makes its control itself when it is created, with the
// defaults of the wrapper's create call; the application reaches it with
// the wrapper's FromWindow (in WM_INITDIALOG, say) and configures it as
// usual. The classes are registered for every module of the process by
// RegisterWindowClasses, which an application calls once before its first
// dialog (more calls do nothing); a wrapper's create call registers its own
// class too.

#include "view/export.h"
#include "view/platform.h"

namespace view {

constexpr const wchar_t kImgButtonClass[] = L"ViewImgButton";
constexpr const wchar_t kSwitchButtonClass[] = L"ViewSwitchButton";
constexpr const wchar_t kSwitchImageButtonClass[] = L"ViewSwitchImageButton";
constexpr const wchar_t kSectionButtonClass[] = L"ViewSectionButton";
constexpr const wchar_t kListViewClass[] = L"ViewListView";
constexpr const wchar_t kTreeViewClass[] = L"ViewTreeView";
constexpr const wchar_t kComboBoxClass[] = L"ViewComboBox";
constexpr const wchar_t kEditClass[] = L"ViewEdit";
constexpr const wchar_t kLinkClass[] = L"ViewLink";

// Registers every class above; true when all are registered.
VIEW_API bool RegisterWindowClasses();

}  // namespace view

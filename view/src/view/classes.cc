#include "view/classes.h"

#include "view/internal/controls/bas_combo_box.h"
#include "view/internal/controls/bas_edit.h"
#include "view/internal/controls/bas_img_button.h"
#include "view/internal/controls/bas_link.h"
#include "view/internal/controls/bas_list_view.h"
#include "view/internal/controls/bas_switch_button.h"
#include "view/internal/controls/bas_switch_image_button.h"
#include "view/internal/controls/bas_tree_view_check_box.h"
#include "view/internal/controls/zu_section_img_button.h"

namespace view {
namespace {

template <class T>
bool Register() {
  return frame::RegisterClassRecord(T::GetClassRecord(), &frame::ClassProcs<T>::Start) != 0;
}

}  // namespace

bool RegisterWindowClasses() {
  // The standard classes are looked up in the library's common controls.
  frame::ActivationScope activation;
  frame::ModuleLock guard;
  bool all = Register<BASImgButton>();
  all = Register<BASSwitchButton>() && all;
  all = Register<BASSwitchImageButton>() && all;
  all = Register<ZuSectionImgButton>() && all;
  all = Register<BASListView>() && all;
  all = Register<BASTreeViewCheckBox>() && all;
  all = Register<BASComboBox>() && all;
  all = Register<BASEdit>() && all;
  all = Register<BASLink>() && all;
  return all;
}

}  // namespace view

#pragma once

// Everything view exports. Applications may include single headers instead.
//
// The control classes (Zu*) are wrappers: small handles that copy freely and
// share one control. A control's window lives until it is destroyed, by
// DestroyWindow or with its parent, however many wrappers remain; wrappers
// may go before it (the window keeps working), and calls on a wrapper whose
// window is gone do nothing and return zero or null. The drop shadow is the
// one exception: its window is its own and goes with its last wrapper.
#include "view/atl_types.h"
#include "view/button_status.h"
#include "view/classes.h"
#include "view/dispatch_queue.h"
#include "view/dpi.h"
#include "view/exceptions.h"
#include "view/graphics_helpers.h"
#include "view/groups.h"
#include "view/reflect.h"
#include "view/stock_images.h"
#include "view/theme.h"
#include "view/utils.h"
#include "view/zu_combo_box.h"
#include "view/zu_edit.h"
#include "view/zu_img_button.h"
#include "view/zu_link.h"
#include "view/zu_list_view.h"
#include "view/zu_section_button.h"
#include "view/zu_switch_button.h"
#include "view/zu_switch_image_button.h"
#include "view/zu_themed_shadow_wnd.h"
#include "view/zu_tree_view_check_box.h"
#include "view/zu_window_bg_brush_helper.h"

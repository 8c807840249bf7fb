#pragma once

// Everything view exports. Applications may include single headers instead.
#include "view/atl_types.h"
#include "view/button_status.h"
#include "view/dispatch_queue.h"
#include "view/graphics_helpers.h"
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

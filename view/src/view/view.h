#pragma once

// Everything view exports. Applications may include single headers instead.
#include "view/atl_types.h"
#include "view/button_status.h"
#include "view/dispatch_queue.h"
#include "view/graphics_helpers.h"
#include "view/utils.h"
#include "view/zu_window_bg_brush_helper.h"
#include "view/zu_section_button.h"
#include "view/zu_switch_image_button.h"

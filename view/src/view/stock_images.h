#pragma once

// Ready-made images for the check boxes and expanders of the list, the tree
// and the image buttons, so that an application shows them without drawing
// code of its own. The controls never use these on their own: an application
// passes them to SetCheckBoxImage, CreateTree and the like. GDI+ must be
// running.

#include <memory>

#include "view/export.h"
#include "view/platform.h"

namespace view {

enum class StockImage {
  kCheckBoxUnchecked,  // a white square with a grey border
  kCheckBoxChecked,    // a blue square with a white tick
  kCheckBoxDisabled,   // a light grey square with a grey border
  kExpanderCollapsed,  // a chevron pointing right
  kExpanderExpanded,   // a chevron pointing down
};

// A new 32-bit ARGB bitmap of `image`, `size` x `size` pixels at scale 1
// (16 suits a list or tree row) times `scale` (a DPI scale such as 1.5),
// rounded, at least 1. Transparent around the drawing. The caller owns the
// bitmap; keep it alive as long as a control uses it. Null when GDI+ fails.
VIEW_API std::unique_ptr<Gdiplus::Bitmap> MakeStockImage(StockImage image, int size = 16,
                                                         double scale = 1.0);

}  // namespace view

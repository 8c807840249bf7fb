#pragma once

#include "view/internal/frame/palette.h"
#include "view/platform.h"

namespace view::internal {

// The image a control draws for `image` in `palette`: a stock image (made by
// view::MakeStockImage) drawn in the palette's colours, owned by the stock
// image and kept while the palette stays; any other image as it is (also in
// light, where stock art is drawn as it always was). Null stays null.
// `side` > 0 draws the stock art `side` pixels square (the size it is shown
// at), else at the stock image's own size.
Gdiplus::Bitmap* PaletteImage(Gdiplus::Bitmap* image, const frame::Palette& palette, int side = 0);

}  // namespace view::internal

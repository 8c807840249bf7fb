// Selectable image tiles (ZuSwitchImageButton) and a tab strip of section
// buttons (ZuSectionButton) in their three arrangements, square and rounded.

#include <memory>
#include <vector>

#include "gallery.h"

namespace {

// A w x h icon: a filled circle of `argb` on a transparent ground.
std::unique_ptr<Gdiplus::Bitmap> Icon(int size, Gdiplus::ARGB argb) {
  auto bitmap = std::make_unique<Gdiplus::Bitmap>(size, size, PixelFormat32bppARGB);
  Gdiplus::Graphics graphics(bitmap.get());
  graphics.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
  graphics.Clear(Gdiplus::Color(0, 0, 0, 0));
  Gdiplus::SolidBrush brush{Gdiplus::Color(argb)};
  graphics.FillEllipse(&brush, 1, 1, size - 3, size - 3);
  return bitmap;
}

// A small round "x" mark for removable tiles.
std::unique_ptr<Gdiplus::Bitmap> DeleteMark(Gdiplus::ARGB ground) {
  auto bitmap = std::make_unique<Gdiplus::Bitmap>(12, 12, PixelFormat32bppARGB);
  Gdiplus::Graphics graphics(bitmap.get());
  graphics.Clear(Gdiplus::Color(0, 0, 0, 0));
  Gdiplus::SolidBrush brush{Gdiplus::Color(ground)};
  graphics.FillEllipse(&brush, 0, 0, 11, 11);
  Gdiplus::Pen pen(Gdiplus::Color(255, 255, 255, 255), 1.5f);
  graphics.DrawLine(&pen, 3, 3, 8, 8);
  graphics.DrawLine(&pen, 8, 3, 3, 8);
  return bitmap;
}

class SwitchSectionPage : public gallery::Page {
 public:
  void Build(HWND panel) override {
    font_ = std::make_unique<Gdiplus::Font>(L"Tahoma", 13.0f, Gdiplus::FontStyleRegular,
                                            Gdiplus::UnitPixel);
    const Gdiplus::ARGB colours[] = {0xFF2E7D32, 0xFF1565C0, 0xFFC62828, 0xFF6A1B9A};
    for (Gdiplus::ARGB c : colours) {
      icons_.push_back(Icon(32, c));
      pressed_icons_.push_back(Icon(32, 0xFFFFFFFF));
    }
    small_icon_ = Icon(16, 0xFF1565C0);
    small_pressed_ = Icon(16, 0xFFFFFFFF);
    mark_ = DeleteMark(0xFF757575);
    mark_pressed_ = DeleteMark(0xFFD32F2F);

    gallery::AddLabel(panel,
                      L"Image tiles: normal, selected (radio mode) with a separator line on its "
                      L"right edge, removable with a delete mark, and disabled (grey copy of "
                      L"its image).",
                      24, 12, 900, 36);
    const wchar_t* captions[] = {L"Photos", L"Music", L"Documents", L"Archive"};
    int x = 24;
    for (int i = 0; i < 4; ++i) {
      tiles_.emplace_back(std::make_unique<ZuSwitchImageButton>());
      ZuSwitchImageButton& tile = *tiles_.back();
      tile.CreateButton(panel, font_.get(), 100 + i);
      tile.SetRoundRect(true).SetColorBorder(RGB(180, 190, 200)).SetBackgroundColor(gallery::Window());
      if (i == 2) tile.SetImageDeleteNormal(mark_.get()).SetImageDeletePressed(mark_pressed_.get());
      if (i == 1) tile.SetDotRight(true);  // white: it shows on the selected fill
      tile.SetHMargin(18);
      tile.Init(x, 48, captions[i], RGB(236, 240, 244), RGB(40, 40, 40), icons_[i].get(),
                RGB(21, 101, 192), RGB(255, 255, 255), pressed_icons_[i].get());
      x += static_cast<int>(tile.GetWidth()) + 12;
    }
    tiles_[1]->SetPressedStatus();
    tiles_[3]->EnableWindow(FALSE);

    gallery::AddLabel(panel, L"Image left of the caption:", 24, 160, 400, 20);
    side_tile_ = std::make_unique<ZuSwitchImageButton>();
    side_tile_->CreateButton(panel, font_.get(), 110);
    side_tile_->SetTextAlign(2);
    side_tile_->Init(24, 184, L"Left-aligned tile", RGB(236, 240, 244), RGB(40, 40, 40),
                     icons_[0].get(), RGB(21, 101, 192), RGB(255, 255, 255),
                     pressed_icons_[0].get());

    gallery::AddLabel(panel,
                      L"Section buttons (check style): image above, left of and right of the "
                      L"caption; square, then rounded. The second of each strip is pressed.",
                      24, 262, 900, 36);
    BuildStrip(panel, 300, false);
    BuildStrip(panel, 400, true);
  }

 private:
  void BuildStrip(HWND panel, int y, bool round) {
    const ImgButtonImgAndTextLayoutType1 layouts[] = {kImgAboveText, kImgLeftOfText,
                                                      kImgRightOfText};
    const wchar_t* captions[] = {L"Overview", L"Details", L"History"};
    int x = 24;
    for (int i = 0; i < 3; ++i) {
      sections_.emplace_back(std::make_unique<ZuSectionButton>());
      ZuSectionButton& s = *sections_.back();
      RECT rect = {x, y, x + 10, y + 10};
      s.Create(panel, &rect, captions[i], 0, 0, 200 + static_cast<int>(sections_.size()));
      s.SetFont(font_.get())
          .SetHMargin(12)
          .SetVMargin(8)
          .SetImageAndTextGap(6)
          .SetCheckStyle(true)
          .SetImgAndTextLayoutType(layouts[i])
          .SetImages(small_icon_.get(), small_pressed_.get(), nullptr, nullptr)
          .SetColorOfNormalStatus(RGB(245, 245, 245), RGB(50, 50, 50), RGB(200, 200, 200))
          .SetColorOfPressedStatus(RGB(21, 101, 192), RGB(255, 255, 255), RGB(21, 101, 192))
          .SetColorOfHoverStatus(RGB(227, 242, 253), RGB(21, 101, 192), RGB(144, 202, 249))
          .SetColorOfDisableStatus(RGB(230, 230, 230), RGB(160, 160, 160), RGB(210, 210, 210))
          .SetRoundRect(round)
          .SetRoundRectPoint(WTL::CPoint(12, 12))
          .SetRoundBkgColorOutsideBorder(gallery::Window());
      const WTL::CSize size = s.reload(0, 0);
      if (i == 1) s.SetPressedStatus();
      x += size.cx + 8;
    }
  }

  std::unique_ptr<Gdiplus::Font> font_;
  std::vector<std::unique_ptr<Gdiplus::Bitmap>> icons_, pressed_icons_;
  std::unique_ptr<Gdiplus::Bitmap> small_icon_, small_pressed_, mark_, mark_pressed_;
  std::vector<std::unique_ptr<ZuSwitchImageButton>> tiles_;
  std::unique_ptr<ZuSwitchImageButton> side_tile_;
  std::vector<std::unique_ptr<ZuSectionButton>> sections_;
};

}  // namespace

VIEW_GALLERY_PAGE(200, L"Switch image tiles and section buttons", SwitchSectionPage);

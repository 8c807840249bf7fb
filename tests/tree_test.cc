// The check-box tree: its row layout, its own painting read back from the
// screen, and its handling of real clicks in a reflecting host.

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "harness.h"
#include "view/internal/controls/bas_tree_view_check_box.h"
#include "view/zu_tree_view_check_box.h"

using namespace view::tree;
using viewtest::HostWindow;
using viewtest::Image;

namespace {

// Colours of the test images and of the tree, 0x00RRGGBB.
constexpr uint32_t kBackground = 0xF0F0F0;
constexpr uint32_t kExpanded = 0x0000FF;
constexpr uint32_t kCollapsed = 0x00A000;
constexpr uint32_t kChecked = 0xFF0000;
constexpr uint32_t kUnchecked = 0xFFC800;
constexpr uint32_t kItemImage = 0x800080;
constexpr uint32_t kHighlight = 0x000080;
constexpr uint32_t kHighlightText = 0xFFFFFF;

COLORREF ToColorRef(uint32_t rgb) { return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

std::unique_ptr<Gdiplus::Bitmap> Solid(int width, int height, uint32_t rgb) {
  auto bitmap = std::make_unique<Gdiplus::Bitmap>(width, height, PixelFormat32bppARGB);
  Gdiplus::Graphics graphics(bitmap.get());
  graphics.Clear(Gdiplus::Color(255, (rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF));
  return bitmap;
}

// An item image that counts its own deletion.
int g_images_deleted = 0;
class CountedImage : public Gdiplus::Bitmap {
 public:
  explicit CountedImage(int width = 10, int height = 10)
      : Gdiplus::Bitmap(width, height, PixelFormat32bppARGB) {
    Gdiplus::Graphics graphics(this);
    graphics.Clear(Gdiplus::Color(255, 0x80, 0, 0x80));
  }
  ~CountedImage() override { ++g_images_deleted; }
};

// Text drawn without smoothing, so that its pixels have exactly the text colour.
HFONT MakeFont(int height) {
  return CreateFontW(-height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY,
                     DEFAULT_PITCH, L"Arial");
}

// The bounding box of the pixels in `area` that differ from `rgb`.
RECT BoundsNotIn(const Image& image, uint32_t rgb, const RECT& area) {
  RECT r = {area.right, area.bottom, area.left, area.top};
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) {
      if (image.At(x, y) == rgb) continue;
      r.left = std::min<LONG>(r.left, x);
      r.top = std::min<LONG>(r.top, y);
      r.right = std::max<LONG>(r.right, x + 1);
      r.bottom = std::max<LONG>(r.bottom, y + 1);
    }
  }
  return r;
}

HTREEITEM Selected(HWND tree) {
  return reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
}

bool IsExpanded(HWND tree, HTREEITEM item) {
  return (SendMessageW(tree, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item), TVIS_EXPANDED) &
          TVIS_EXPANDED) != 0;
}

HTREEITEM NextVisible(HWND tree, HTREEITEM item) {
  return reinterpret_cast<HTREEITEM>(
      SendMessageW(tree, TVM_GETNEXTITEM, TVGN_NEXTVISIBLE, reinterpret_cast<LPARAM>(item)));
}

// A tree of the given client size in a reflecting host, with 16-pixel solid
// images, recording every check callback.
class TreeFixture : public ::testing::Test {
 protected:
  void Create(int width = 400, int height = 300) {
    host = std::make_unique<HostWindow>(true, width + 20, height + 20);
    wnd = tree->CreateTree(*host, nullptr, RECT{10, 10, 10 + width, 10 + height},
                           ToColorRef(kBackground), expanded.get(), collapsed.get(),
                           checked.get(), unchecked.get());
    ASSERT_NE(wnd, nullptr);
    tree->SetCheckItemCallback([this](HTREEITEM item, bool check) {
      calls.emplace_back(item, check);
    });
    font = MakeFont(13);
    SendMessageW(wnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
  }
  void TearDown() override {
    if (IsWindow(wnd)) DestroyWindow(wnd);
    view::frame::ReleaseImpl(tree);
    host.reset();
    if (font != nullptr) DeleteObject(font);
  }
  HTREEITEM Add(HTREEITEM parent, const wchar_t* text, bool has_children = false,
                int number = -1) {
    return tree->AppendItem(parent, 0, text, nullptr, 0, 0, has_children, number);
  }
  Image Paint() {
    InvalidateRect(wnd, nullptr, FALSE);
    UpdateWindow(wnd);
    viewtest::PumpUntilIdle();
    return viewtest::CaptureClient(wnd);
  }
  // A click that the system never pairs with the previous one into a
  // double click: a second click on the same spot waits out the interval.
  void Click(int x, int y) {
    const DWORD since = GetTickCount() - last_click_time_;
    if (std::abs(x - last_click_.x) <= GetSystemMetrics(SM_CXDOUBLECLK) &&
        std::abs(y - last_click_.y) <= GetSystemMetrics(SM_CYDOUBLECLK) &&
        since <= GetDoubleClickTime()) {
      viewtest::PumpFor(GetDoubleClickTime() - since + 50);
    }
    viewtest::Click(wnd, {x, y});
    last_click_ = {x, y};
    last_click_time_ = GetTickCount();
  }

  std::unique_ptr<Gdiplus::Bitmap> expanded = Solid(16, 16, kExpanded);
  std::unique_ptr<Gdiplus::Bitmap> collapsed = Solid(16, 16, kCollapsed);
  std::unique_ptr<Gdiplus::Bitmap> checked = Solid(16, 16, kChecked);
  std::unique_ptr<Gdiplus::Bitmap> unchecked = Solid(16, 16, kUnchecked);
  BASTreeViewCheckBox* tree = view::frame::NewImpl<BASTreeViewCheckBox>();
  std::unique_ptr<HostWindow> host;
  HWND wnd = nullptr;
  HFONT font = nullptr;
  std::vector<std::pair<HTREEITEM, bool>> calls;
  POINT last_click_ = {-100, -100};
  DWORD last_click_time_ = 0;
};

}  // namespace

TEST(TreeLayout, RowsBadgesAndExpanderColumnByValue) {
  // No margin, 16-pixel images: expander at the row's left, check box next.
  RowMetrics m;
  m.expander = {16, 16};
  m.collapsed_width = 16;
  m.check = {16, 16};
  RowGeometry g = LayoutRow({0, 0, 300, 40}, 0, m);
  EXPECT_EQ(g.indent_x, 0);
  EXPECT_EQ(g.expander.x, 0);
  EXPECT_EQ(g.expander.y, 12);
  EXPECT_EQ(g.check.left, 16);
  EXPECT_EQ(g.check.top, 12);
  EXPECT_EQ(g.check.right, 32);
  EXPECT_EQ(g.check.bottom, 28);
  EXPECT_EQ(g.text.left, 32);
  EXPECT_EQ(g.text.top, 12);  // (40 - 15) / 2
  EXPECT_EQ(g.text.right, 300);
  EXPECT_EQ(g.text.bottom, 28);
  EXPECT_EQ(LayoutRow({0, 40, 300, 80}, 1, m).check.left, 32);  // a child indents by 16

  // Margins before every column, unequal images, an item image taller than
  // the row (its offset truncates toward zero).
  m.margin = 5;
  m.expander = {20, 10};
  m.collapsed_width = 12;
  m.check = {24, 24};
  m.has_image = true;
  m.image = {30, 50};
  g = LayoutRow({10, 40, 300, 80}, 2, m);
  EXPECT_EQ(g.indent_x, 49);  // 10 + 5 + 2 * (5 + 12)
  EXPECT_EQ(g.expander.x, 49);
  EXPECT_EQ(g.expander.y, 55);
  EXPECT_EQ(g.check.left, 74);  // 49 + 5 + 20
  EXPECT_EQ(g.check.top, 48);
  EXPECT_EQ(g.check.right, 98);
  EXPECT_EQ(g.image.left, 103);
  EXPECT_EQ(g.image.top, 35);  // 40 + (40 - 50) / 2
  EXPECT_EQ(g.image.right, 133);
  EXPECT_EQ(g.image.bottom, 85);
  EXPECT_EQ(g.text.left, 138);
  EXPECT_EQ(g.text.top, 52);

  // The badge ends 8 pixels before the row's end; its number starts 4
  // pixels inside.
  const RECT badge = BadgeRect({0, 0, 300, 40}, {7, 13});
  EXPECT_EQ(badge.left, 277);
  EXPECT_EQ(badge.top, 13);
  EXPECT_EQ(badge.right, 292);
  EXPECT_EQ(badge.bottom, 26);
  EXPECT_EQ(BadgeTextRect(badge, 7).left, 281);

  // Both ends of the expander column count; left of it does not.
  EXPECT_TRUE(OnExpanderColumn(0, 0, 16));
  EXPECT_TRUE(OnExpanderColumn(16, 0, 16));
  EXPECT_FALSE(OnExpanderColumn(17, 0, 16));
  EXPECT_TRUE(OnExpanderColumn(26, 10, 16));
  EXPECT_FALSE(OnExpanderColumn(5, 10, 16));
}

TEST_F(TreeFixture, CreationStyleRowHeightAndFont) {
  Create();
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrW(wnd, GWL_STYLE)), 0x500011A7u);
  wchar_t name[16] = {};
  GetWindowTextW(wnd, name, 16);
  EXPECT_STREQ(name, L"Tree");
  EXPECT_EQ(SendMessageW(wnd, TVM_GETITEMHEIGHT, 0, 0), 40);
  // Created without an id: the implementation's address is the id.
  EXPECT_EQ(static_cast<UINT_PTR>(GetWindowLongPtrW(wnd, GWLP_ID)),
            reinterpret_cast<UINT_PTR>(tree));

  // The font is the tree's own: what WM_SETFONT gave is what WM_GETFONT
  // returns, and the row height stays fixed.
  EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(wnd, WM_GETFONT, 0, 0)), font);
  HFONT big = MakeFont(30);
  EXPECT_EQ(SendMessageW(wnd, WM_SETFONT, reinterpret_cast<WPARAM>(big), TRUE), 0);
  EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(wnd, WM_GETFONT, 0, 0)), big);
  EXPECT_EQ(SendMessageW(wnd, TVM_GETITEMHEIGHT, 0, 0), 40);
  SendMessageW(wnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
  DeleteObject(big);
}

TEST_F(TreeFixture, NewItemsAreUncheckedAndCheckItemReportsEveryCall) {
  Create();
  HTREEITEM a = Add(nullptr, L"Alpha");
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(tree->GetItemCheck(a), 0);
  Image image = Paint();
  EXPECT_EQ(image.Count(kUnchecked, 16, 12, 32, 28), 256);
  EXPECT_EQ(image.Count(kUnchecked), 256);
  EXPECT_EQ(image.Count(kCollapsed), 0);  // a leaf shows no expander

  tree->CheckItem(a, 5);
  EXPECT_EQ(tree->GetItemCheck(a), 1);
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0], std::make_pair(a, true));
  image = Paint();
  EXPECT_EQ(image.Count(kChecked, 16, 12, 32, 28), 256);

  // Reported also when nothing changes; an unchecked item passes false.
  tree->CheckItem(a, 1);
  tree->CheckItem(a, 0);
  ASSERT_EQ(calls.size(), 3u);
  EXPECT_EQ(calls[1], std::make_pair(a, true));
  EXPECT_EQ(calls[2], std::make_pair(a, false));
  EXPECT_EQ(tree->GetItemCheck(a), 0);

  // A callback that replaces itself finishes its own call.
  int replaced_calls = 0;
  tree->SetCheckItemCallback([&](HTREEITEM, bool) {
    ++replaced_calls;
    tree->SetCheckItemCallback([&](HTREEITEM, bool) { replaced_calls += 10; });
  });
  tree->CheckItem(a, 1);
  tree->CheckItem(a, 1);
  EXPECT_EQ(replaced_calls, 11);

  // Without a callback the state still changes.
  tree->SetCheckItemCallback(nullptr);
  tree->CheckItem(a, 0);
  EXPECT_EQ(tree->GetItemCheck(a), 0);

  // Handles that name no item.
  tree->SetCheckItemCallback([this](HTREEITEM item, bool check) {
    calls.emplace_back(item, check);
  });
  calls.clear();
  tree->CheckItem(nullptr, 1);
  tree->CheckItem(TVI_ROOT, 1);
  EXPECT_TRUE(calls.empty());
  EXPECT_EQ(tree->GetItemCheck(nullptr), -1);
  EXPECT_EQ(tree->GetItemCheck(TVI_ROOT), -1);
  EXPECT_EQ(tree->GetItemNumber(nullptr), -1);
  EXPECT_EQ(tree->UpdateItem(nullptr, L"x", 1, 1, nullptr), 0);
  EXPECT_EQ(tree->DeleteItem(nullptr), 0);
  EXPECT_EQ(tree->record_count(), 1u);
}

TEST_F(TreeFixture, ClicksToggleExpandAndSelect) {
  Create();
  HTREEITEM parent = Add(nullptr, L"Parent");
  HTREEITEM c1 = Add(parent, L"Child one");
  HTREEITEM c2 = Add(parent, L"Child two");
  HTREEITEM leaf = Add(nullptr, L"Leaf");
  ASSERT_TRUE(parent && c1 && c2 && leaf);
  Image image = Paint();
  // Rows: Parent (collapsed, with an expander), Leaf.
  EXPECT_EQ(image.Count(kCollapsed, 0, 12, 16, 28), 256);
  EXPECT_EQ(image.Count(kCollapsed, 0, 52, 16, 68), 0);

  // A leaf's check box: toggled, reported once, selected.
  Click(24, 60);
  EXPECT_EQ(tree->GetItemCheck(leaf), 1);
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0], std::make_pair(leaf, true));
  EXPECT_EQ(Selected(wnd), leaf);

  // A parent's check box: toggled, expanded and selected.
  host->ClearSeen();
  Click(24, 20);
  EXPECT_EQ(tree->GetItemCheck(parent), 1);
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[1], std::make_pair(parent, true));
  EXPECT_TRUE(IsExpanded(wnd, parent));
  EXPECT_EQ(Selected(wnd), parent);
  EXPECT_GE(host->CountNotifies(wnd, TVN_ITEMEXPANDINGW), 1);  // the parent hears of it
  EXPECT_EQ(NextVisible(wnd, parent), c1);

  // Again: unchecked, but never collapsed by a click right of the expander.
  image = Paint();
  EXPECT_EQ(image.Count(kExpanded, 0, 12, 16, 28), 256);
  Click(24, 20);
  EXPECT_EQ(tree->GetItemCheck(parent), 0);
  EXPECT_TRUE(IsExpanded(wnd, parent));

  // Rows now: Parent, Child one, Child two, Leaf. A click on Leaf's text
  // selects it and leaves its check alone.
  Paint();
  Click(150, 140);
  EXPECT_EQ(Selected(wnd), leaf);
  EXPECT_EQ(tree->GetItemCheck(leaf), 1);
  EXPECT_EQ(calls.size(), 3u);

  // The expander column collapses and expands without selecting.
  Click(8, 20);
  EXPECT_FALSE(IsExpanded(wnd, parent));
  EXPECT_EQ(Selected(wnd), leaf);
  Paint();
  Click(8, 20);
  EXPECT_TRUE(IsExpanded(wnd, parent));
  EXPECT_EQ(Selected(wnd), leaf);

  // A child's check box starts one indent further right.
  image = Paint();
  EXPECT_EQ(image.Count(kUnchecked, 32, 52, 48, 68), 256);
  Click(40, 60);
  EXPECT_EQ(tree->GetItemCheck(c1), 1);
  EXPECT_EQ(calls.back(), std::make_pair(c1, true));
  EXPECT_EQ(Selected(wnd), c1);
  image = Paint();
  EXPECT_EQ(image.Count(kChecked, 32, 52, 48, 68), 256);

  // With no margin and equal images the check box's leftmost column is also
  // the expander column's right end: the check toggles and so does the
  // expansion, and the selection stays. (Leaf is selected first: collapsing
  // a parent moves a selection inside it to the parent.)
  Click(150, 140);
  ASSERT_EQ(Selected(wnd), leaf);
  const size_t before = calls.size();
  Click(16, 20);
  EXPECT_EQ(tree->GetItemCheck(parent), 1);
  EXPECT_EQ(calls.size(), before + 1);
  EXPECT_FALSE(IsExpanded(wnd, parent));
  EXPECT_EQ(Selected(wnd), leaf);

  // Below the last row nothing happens.
  Paint();
  Click(150, 250);
  EXPECT_EQ(Selected(wnd), leaf);
  EXPECT_EQ(calls.size(), before + 1);
}

TEST_F(TreeFixture, HasChildrenShowsAnExpanderAndLoadsOnDemand) {
  Create();
  HTREEITEM lazy = Add(nullptr, L"Lazy", true);
  HTREEITEM plain = Add(nullptr, L"Plain");
  Image image = Paint();
  EXPECT_EQ(image.Count(kCollapsed, 0, 12, 16, 28), 256);
  EXPECT_EQ(image.Count(kCollapsed, 0, 52, 16, 68), 0);

  // The application adds the children when the tree asks to expand.
  HTREEITEM loaded = nullptr;
  host->on_message = [&](UINT msg, WPARAM, LPARAM lparam, LRESULT&) {
    if (msg != WM_NOTIFY) return false;
    const auto* nm = reinterpret_cast<const NMTREEVIEWW*>(lparam);
    if (nm->hdr.code == TVN_ITEMEXPANDINGW && nm->action == TVE_EXPAND &&
        nm->itemNew.hItem == lazy && loaded == nullptr) {
      loaded = Add(lazy, L"Loaded");
    }
    return false;
  };
  Click(8, 20);
  ASSERT_NE(loaded, nullptr);
  EXPECT_TRUE(IsExpanded(wnd, lazy));
  EXPECT_EQ(NextVisible(wnd, lazy), loaded);
  EXPECT_EQ(NextVisible(wnd, loaded), plain);
  image = Paint();
  EXPECT_EQ(image.Count(kExpanded, 0, 12, 16, 28), 256);
  EXPECT_EQ(image.Count(kUnchecked, 32, 52, 48, 68), 256);  // the loaded child
  host->on_message = nullptr;
}

TEST_F(TreeFixture, DisabledItemsAreGreyAndParentsIgnoreRowClicks) {
  Create();
  tree->SetHighLightColor(ToColorRef(kHighlight), ToColorRef(kHighlightText));
  HTREEITEM parent = Add(nullptr, L"Disabled parent");
  HTREEITEM child = Add(parent, L"Child");
  HTREEITEM leaf = Add(nullptr, L"Disabled leaf");
  ASSERT_TRUE(parent && child && leaf);
  EXPECT_EQ(tree->UpdateItem(parent, nullptr, 0, -1, nullptr), 1);
  EXPECT_EQ(tree->UpdateItem(leaf, nullptr, 0, -1, nullptr), 1);
  Image image = Paint();
  // Grey text, no black text.
  EXPECT_GT(image.Count(0xC8C8C8, 32, 0, 400, 40), 10);
  EXPECT_EQ(image.Count(0x000000, 32, 0, 400, 80), 0);

  // A row click on the disabled parent neither expands nor selects it; its
  // expander column does nothing either.
  Click(150, 20);
  EXPECT_FALSE(IsExpanded(wnd, parent));
  EXPECT_NE(Selected(wnd), parent);
  Paint();
  Click(8, 20);
  EXPECT_FALSE(IsExpanded(wnd, parent));
  // Its check box still toggles, and nothing else happens.
  Click(24, 20);
  EXPECT_EQ(tree->GetItemCheck(parent), 1);
  EXPECT_FALSE(IsExpanded(wnd, parent));
  EXPECT_NE(Selected(wnd), parent);

  // A disabled leaf is selected and toggled, but never highlighted.
  Click(24, 60);
  EXPECT_EQ(tree->GetItemCheck(leaf), 1);
  EXPECT_EQ(Selected(wnd), leaf);
  image = Paint();
  EXPECT_EQ(image.Count(kHighlight), 0);
  EXPECT_GT(image.Count(0xC8C8C8, 32, 40, 400, 80), 10);

  // Enabled again: the selected row is highlighted, its text in the
  // highlight text colour.
  tree->UpdateItem(leaf, nullptr, 1, -1, nullptr);
  image = Paint();
  EXPECT_GT(image.Count(kHighlight, 0, 40, 400, 80), 300 * 30);
  EXPECT_GT(image.Count(kHighlightText, 48, 52, 400, 68), 10);
  EXPECT_EQ(image.Count(kHighlight, 0, 0, 400, 40), 0);
}

TEST_F(TreeFixture, DoubleClickChangesNothingBeyondItsFirstClick) {
  Create();
  HTREEITEM parent = Add(nullptr, L"Parent");
  Add(parent, L"Child");
  Paint();
  // The first press expands and selects; the double click would toggle the
  // expansion back if the standard tree saw it.
  viewtest::DoubleClick(wnd, {150, 20});
  EXPECT_TRUE(IsExpanded(wnd, parent));
  EXPECT_EQ(Selected(wnd), parent);
  EXPECT_TRUE(calls.empty());

  // On a check box: one toggle, one report.
  Paint();
  viewtest::DoubleClick(wnd, {24, 20});
  EXPECT_EQ(tree->GetItemCheck(parent), 1);
  EXPECT_EQ(calls.size(), 1u);
  EXPECT_TRUE(IsExpanded(wnd, parent));
}

TEST_F(TreeFixture, BadgesImagesMarginsAndLongText) {
  Create(1200, 300);
  const std::wstring long_text = std::wstring(259, L'l') + std::wstring(41, L'W');
  const std::wstring cut_text(259, L'l');
  HTREEITEM zero = Add(nullptr, L"Zero", false, 0);
  HTREEITEM none = Add(nullptr, L"None", false, -1);
  HTREEITEM longer = Add(nullptr, long_text.c_str());
  HTREEITEM cut = Add(nullptr, cut_text.c_str());
  ASSERT_TRUE(zero && none && longer && cut);
  EXPECT_EQ(tree->GetItemNumber(zero), 0);
  EXPECT_EQ(tree->GetItemNumber(none), -1);
  Image image = Paint();

  // The badge of 0 is measured in the tree's font and ends 8 pixels before
  // the row's end; no badge for -1.
  SIZE extent = {};
  {
    HDC dc = GetDC(wnd);
    HGDIOBJ old = SelectObject(dc, font);
    GetTextExtentPoint32W(dc, L"0", 1, &extent);
    SelectObject(dc, old);
    ReleaseDC(wnd, dc);
  }
  RECT client;
  GetClientRect(wnd, &client);
  const int right = client.right;
  const RECT zero_badge = BoundsNotIn(image, kBackground, {right - 60, 0, right, 40});
  EXPECT_EQ(zero_badge.left, right - extent.cx - 16);
  EXPECT_EQ(zero_badge.right, right - 8);
  EXPECT_EQ(zero_badge.top, (40 - extent.cy) / 2);
  EXPECT_EQ(zero_badge.bottom, (40 - extent.cy) / 2 + extent.cy);
  EXPECT_EQ(image.Count(kBackground, right - 60, 40, right, 80), 60 * 40);

  // Text longer than 259 characters is painted cut to them: the two rows
  // show the same pixels, and the cut text fits without an ellipsis.
  int differing = 0;
  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < right; ++x) {
      if (image.At(x, 80 + y) != image.At(x, 120 + y)) ++differing;
    }
  }
  EXPECT_EQ(differing, 0);
  EXPECT_EQ(image.Count(kBackground, right - 100, 120, right, 160), 100 * 40);
  if (differing != 0) viewtest::SaveArtifact(image, "tree_long_text");

  // Margins go before every column; a child indents by margin + expander.
  tree->SetXMargin(4);
  HTREEITEM with_image =
      tree->AppendItem(zero, 0, L"Pictured", new CountedImage(10, 15), 20, 30, false, -1);
  ASSERT_NE(with_image, nullptr);
  tree->CheckItem(zero, 1);  // shown expanded below
  SendMessageW(wnd, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(zero));
  image = Paint();
  // Top level: expander at 4, check box at 4 + 16 + 4 = 24. The child's
  // column starts at 4 + (4 + 16) = 24, its check box at 24 + 4 + 16 = 44.
  EXPECT_EQ(image.Count(kExpanded, 4, 12, 20, 28), 256);
  EXPECT_EQ(image.Count(kChecked, 24, 12, 40, 28), 256);
  EXPECT_EQ(image.Count(kUnchecked, 44, 52, 60, 68), 256);
  // The 10 x 15 item image is scaled to 20 x 30 after the check box and a
  // margin, centred in the row; the text follows 4 pixels after it. (Scaled
  // by 2: Wine's GDI+ leaves the first column or row of an image scaled by
  // 2.4 or 3 unpainted.)
  const RECT picture = BoundsNotIn(image, kBackground, {61, 41, 87, 79});
  EXPECT_EQ(picture.left, 64);
  EXPECT_EQ(picture.top, 45);
  EXPECT_EQ(picture.right, 84);
  EXPECT_EQ(picture.bottom, 75);
  EXPECT_EQ(image.At(74, 60), kItemImage);
  const LONG ink = BoundsNotIn(image, kBackground, {84, 41, 200, 79}).left;
  EXPECT_GE(ink, 88);  // the first glyph may start a pixel or two inside
  EXPECT_LE(ink, 90);
}

TEST_F(TreeFixture, DeletingAndDestroyingFreeRecordsAndImages) {
  Create();
  g_images_deleted = 0;
  HTREEITEM parent = tree->AppendItem(nullptr, 1, L"Parent", new CountedImage(), 0, 0, false, 3);
  HTREEITEM child = tree->AppendItem(parent, 2, L"Child", new CountedImage(), 0, 0, false, -1);
  HTREEITEM bare = tree->AppendItem(parent, 3, L"Bare", nullptr, 0, 0, false, -1);
  tree->AppendItem(child, 4, L"Grandchild", new CountedImage(), 0, 0, false, -1);
  HTREEITEM keep = tree->AppendItem(nullptr, 5, L"Keep", new CountedImage(), 0, 0, false, 7);
  ASSERT_TRUE(parent && child && bare && keep);
  EXPECT_EQ(tree->record_count(), 5u);
  EXPECT_EQ(tree->GetRecord(child)->tag, 2u);

  // UpdateItem sets the record and, given one, the text.
  int user = 0;
  EXPECT_EQ(tree->UpdateItem(bare, L"Renamed", 1, 12, &user), 1);
  EXPECT_EQ(tree->GetItemNumber(bare), 12);
  EXPECT_EQ(tree->GetRecord(bare)->userData, &user);
  wchar_t text[32] = {};
  TVITEMW tv = {};
  tv.mask = TVIF_TEXT;
  tv.hItem = bare;
  tv.pszText = text;
  tv.cchTextMax = 32;
  SendMessageW(wnd, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&tv));
  EXPECT_STREQ(text, L"Renamed");
  EXPECT_EQ(tree->UpdateItem(bare, nullptr, 1, 13, nullptr), 1);
  SendMessageW(wnd, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&tv));
  EXPECT_STREQ(text, L"Renamed");

  // An item added past the tree has no record: it paints with defaults and
  // reports -1, and its lParam is never taken for one.
  TVINSERTSTRUCTW insert = {};
  insert.hParent = TVI_ROOT;
  insert.hInsertAfter = TVI_LAST;
  insert.item.mask = TVIF_TEXT | TVIF_PARAM;
  insert.item.pszText = const_cast<wchar_t*>(L"Foreign");
  insert.item.lParam = 0x12345678;
  auto foreign = reinterpret_cast<HTREEITEM>(
      SendMessageW(wnd, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
  ASSERT_NE(foreign, nullptr);
  EXPECT_EQ(tree->GetItemNumber(foreign), -1);
  EXPECT_EQ(tree->UpdateItem(foreign, L"x", 0, 1, nullptr), 0);
  SendMessageW(wnd, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(parent));

  Paint();  // (paint leaks, badges included: the soak in robustness_test)

  // Deleting a parent frees its whole subtree with the images.
  EXPECT_NE(tree->DeleteItem(parent), 0);
  EXPECT_EQ(tree->record_count(), 1u);
  EXPECT_EQ(g_images_deleted, 3);
  EXPECT_NE(tree->DeleteItem(foreign), 0);
  EXPECT_EQ(tree->record_count(), 1u);
  EXPECT_EQ(tree->GetItemNumber(keep), 7);

  // The window's end frees whatever is left.
  tree->AppendItem(keep, 6, L"Late", new CountedImage(), 0, 0, false, -1);
  EXPECT_EQ(tree->record_count(), 2u);
  DestroyWindow(wnd);
  EXPECT_EQ(tree->record_count(), 0u);
  EXPECT_EQ(g_images_deleted, 5);

  // Without a window nothing is added, and the image is not lost.
  EXPECT_EQ(tree->AppendItem(nullptr, 0, L"x", new CountedImage(), 0, 0, false, 0), nullptr);
  EXPECT_EQ(g_images_deleted, 6);
  EXPECT_EQ(tree->record_count(), 0u);
  EXPECT_EQ(tree->GetItemCheck(keep), -1);
}

TEST_F(TreeFixture, CallbackMayDeleteTheItemOrDestroyTheWindow) {
  Create();
  HTREEITEM parent = Add(nullptr, L"Parent");
  Add(parent, L"Child");
  HTREEITEM leaf = Add(nullptr, L"Leaf");
  Paint();
  tree->SetCheckItemCallback([this](HTREEITEM item, bool) { tree->DeleteItem(item); });
  Click(24, 20);  // the parent goes with its child; nothing is expanded or selected
  EXPECT_EQ(tree->record_count(), 1u);
  EXPECT_EQ(reinterpret_cast<HTREEITEM>(SendMessageW(wnd, TVM_GETNEXTITEM, TVGN_ROOT, 0)), leaf);
  Paint();
  tree->SetCheckItemCallback([this](HTREEITEM, bool) { DestroyWindow(wnd); });
  Click(24, 20);
  EXPECT_FALSE(IsWindow(wnd));
  EXPECT_EQ(tree->m_hWnd, nullptr);
  EXPECT_EQ(tree->record_count(), 0u);
}

TEST_F(TreeFixture, OnlyVisibleRowsArePaintedAndClicksFollowScrolling) {
  Create(400, 300);
  std::vector<HTREEITEM> items;
  for (int i = 0; i < 100; ++i) {
    items.push_back(Add(nullptr, (L"Item " + std::to_wstring(i)).c_str()));
  }
  Paint();
  // Rows 0 to 7 start inside the 300-pixel client area; row 8 and below are
  // not painted, so their recorded positions are still the initial zeros.
  EXPECT_EQ(tree->GetRecord(items[7])->checkRect.top, 7 * 40 + 12);
  const RECT& unpainted = tree->GetRecord(items[8])->checkRect;
  EXPECT_TRUE(unpainted.left == 0 && unpainted.top == 0 && unpainted.right == 0 &&
              unpainted.bottom == 0);
  EXPECT_TRUE(tree->GetRecord(items[99])->checkRect.bottom == 0);

  // Scrolled to the end, the last item's row is painted where it now shows
  // and a click on its check box toggles it.
  SendMessageW(wnd, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(items[99]));
  Paint();
  const RECT last = tree->GetRecord(items[99])->checkRect;
  EXPECT_EQ(last.left, 16);
  EXPECT_GT(last.top, 200);
  EXPECT_LT(last.bottom, 300);
  Click(24, (last.top + last.bottom) / 2);
  EXPECT_EQ(tree->GetItemCheck(items[99]), 1);
  EXPECT_EQ(Selected(wnd), items[99]);
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].first, items[99]);
}

// Between changes the tree paints from what it last asked the standard tree;
// every way of changing the items must show at the next paint. Each paint is
// compared with the standard tree's own state, row by row.
TEST_F(TreeFixture, PaintFollowsChangesByKeysAndByTheApplication) {
  Create(400, 300);
  tree->SetHighLightColor(ToColorRef(kHighlight), ToColorRef(kHighlightText));
  HTREEITEM parent = Add(nullptr, L"Parent");
  HTREEITEM c1 = Add(parent, L"Child one");
  Add(parent, L"Child two");
  HTREEITEM leaf = Add(nullptr, L"Leaf");
  ASSERT_TRUE(parent && c1 && leaf);

  const auto expect_paint_matches_tree = [&](const char* step) {
    SCOPED_TRACE(step);
    const Image image = Paint();
    const HTREEITEM selected = Selected(wnd);
    int rows = 0;
    for (HTREEITEM item = reinterpret_cast<HTREEITEM>(
             SendMessageW(wnd, TVM_GETNEXTITEM, TVGN_FIRSTVISIBLE, 0));
         item != nullptr; item = NextVisible(wnd, item), ++rows) {
      int depth = 0;
      for (HTREEITEM p = TreeView_GetParent(wnd, item); p != nullptr;
           p = TreeView_GetParent(wnd, p)) {
        ++depth;
      }
      const int top = rows * 40 + 12;
      const int indent = depth * 16;
      const bool has_children = TreeView_GetChild(wnd, item) != nullptr;
      const uint32_t expander = !has_children        ? (item == selected ? kHighlight : kBackground)
                                : IsExpanded(wnd, item) ? kExpanded
                                                       : kCollapsed;
      EXPECT_EQ(image.Count(expander, indent, top, indent + 16, top + 16), 256) << "row " << rows;
      const uint32_t box = tree->GetItemCheck(item) == 1 ? kChecked : kUnchecked;
      EXPECT_EQ(image.Count(box, indent + 16, top, indent + 32, top + 16), 256) << "row " << rows;
      EXPECT_EQ(image.At(390, top), item == selected ? kHighlight : kBackground) << "row " << rows;
    }
    // Nothing is painted below the last row.
    EXPECT_EQ(image.Count(kBackground, 0, rows * 40, 400, 300), 400 * (300 - rows * 40));
  };
  expect_paint_matches_tree("created");

  // The standard tree's own keys: select, expand, move down, check.
  SetFocus(wnd);
  SendMessageW(wnd, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(parent));
  expect_paint_matches_tree("selected by the application");
  viewtest::PressKey(VK_RIGHT);
  viewtest::PumpUntilIdle();
  ASSERT_TRUE(IsExpanded(wnd, parent));
  expect_paint_matches_tree("expanded by a key");
  viewtest::PressKey(VK_DOWN);
  viewtest::PumpUntilIdle();
  ASSERT_EQ(Selected(wnd), c1);
  expect_paint_matches_tree("selection moved by a key");
  // Wine's tree does not toggle a check box on the space bar, Windows' does;
  // either way the paint must show the state the tree holds.
  viewtest::PressKey(VK_SPACE);
  viewtest::PumpUntilIdle();
  expect_paint_matches_tree("space bar");

  // The application's own messages and the control's setters.
  TVITEMW state = {};
  state.mask = TVIF_STATE;
  state.hItem = leaf;
  state.stateMask = TVIS_STATEIMAGEMASK;
  state.state = INDEXTOSTATEIMAGEMASK(2);
  SendMessageW(wnd, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&state));
  expect_paint_matches_tree("checked by TVM_SETITEM");
  tree->CheckItem(c1, 1);
  expect_paint_matches_tree("checked by CheckItem");
  SendMessageW(wnd, TVM_EXPAND, TVE_COLLAPSE, reinterpret_cast<LPARAM>(parent));
  expect_paint_matches_tree("collapsed by TVM_EXPAND");
  SendMessageW(wnd, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(parent));
  tree->DeleteItem(c1);
  expect_paint_matches_tree("a visible child deleted");
  HTREEITEM late = Add(parent, L"Late child");
  ASSERT_NE(late, nullptr);
  expect_paint_matches_tree("a child appended to an expanded parent");

  // Texts: an empty text leaves its row's text area blank; a new one shows.
  const auto text_pixels = [&](int row) {
    const Image image = Paint();
    return 328 * 16 - image.Count(kBackground, 32, row * 40 + 12, 360, row * 40 + 28);
  };
  const int leaf_row = 3;  // Parent, Child two, Late child, Leaf
  ASSERT_GT(text_pixels(leaf_row), 0);
  tree->UpdateItem(leaf, L"", 1, -1, nullptr);
  EXPECT_EQ(text_pixels(leaf_row), 0);
  TVITEMW text = {};
  text.mask = TVIF_TEXT;
  text.hItem = leaf;
  text.pszText = const_cast<wchar_t*>(L"Leaf again");
  SendMessageW(wnd, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&text));
  EXPECT_GT(text_pixels(leaf_row), 0);
}

TEST_F(TreeFixture, SystemHighlightUntilSetAndWithoutFocus) {
  Create();
  HTREEITEM a = Add(nullptr, L"Alpha");
  Add(nullptr, L"Beta");
  Click(150, 20);
  ASSERT_EQ(Selected(wnd), a);
  Image image = Paint();
  const uint32_t system = viewtest::Rgb(GetSysColor(COLOR_HIGHLIGHT));
  EXPECT_EQ(image.At(300, 5), system);
  EXPECT_NE(image.At(300, 45), system);

  // Shown also while another window has the focus.
  tree->SetHighLightColor(ToColorRef(kHighlight), ToColorRef(kHighlightText));
  SetFocus(*host);
  ASSERT_NE(GetFocus(), wnd);
  image = Paint();
  EXPECT_EQ(image.At(300, 5), kHighlight);
  EXPECT_EQ(image.At(300, 45), kBackground);

  // Printing draws what the screen shows.
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  HBITMAP canvas = CreateCompatibleBitmap(screen, image.width, image.height);
  HGDIOBJ old = SelectObject(mem, canvas);
  SendMessageW(wnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(mem), PRF_CLIENT);
  SelectObject(mem, old);
  const Image printed = viewtest::FromHBitmap(canvas);
  DeleteObject(canvas);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
  ASSERT_EQ(printed.pixels.size(), image.pixels.size());
  int differing = 0;
  for (size_t i = 0; i < image.pixels.size(); ++i) {
    if ((printed.pixels[i] & 0xFFFFFF) != (image.pixels[i] & 0xFFFFFF)) ++differing;
  }
  EXPECT_EQ(differing, 0);
}

TEST(TreeWrapper, ForwardsAndSharesItsImplementation) {
  HostWindow host;
  auto expanded = Solid(16, 16, kExpanded);
  auto collapsed = Solid(16, 16, kCollapsed);
  auto checked = Solid(16, 16, kChecked);
  auto unchecked = Solid(16, 16, kUnchecked);
  ZuTreeViewCheckBox tree;
  HWND wnd = tree.CreateTree(host, 42, WTL::CRect(0, 0, 300, 200), ToColorRef(kBackground),
                             expanded.get(), collapsed.get(), checked.get(), unchecked.get());
  ASSERT_NE(wnd, nullptr);
  EXPECT_EQ(GetDlgCtrlID(wnd), 42);

  std::vector<std::pair<HTREEITEM, bool>> calls;
  std::function<void(HTREEITEM, bool)> callback = [&](HTREEITEM item, bool check) {
    calls.emplace_back(item, check);
  };
  tree.SetCheckItemCallback(callback);
  HTREEITEM item = tree.AppendItem(nullptr, 9, L"Item", nullptr, 0, 0, false, 4);
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(tree.UpdateItem(item, nullptr, 1, 5, nullptr), 1);
  EXPECT_EQ(tree.GetItemNumber(item), 5);

  ZuTreeViewCheckBox alias(tree);
  EXPECT_EQ(static_cast<HWND>(alias), wnd);
  alias.CheckItem(item, 1);
  EXPECT_EQ(tree.GetItemCheck(item), 1);
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0], std::make_pair(item, true));

  tree.SetXMargin(2);
  tree.SetHighLightColor(ToColorRef(kHighlight), ToColorRef(kHighlightText));
  viewtest::Click(wnd, {150, 20});
  const Image image = viewtest::CaptureClient(wnd);
  EXPECT_EQ(image.At(150, 5), kHighlight);
  EXPECT_EQ(tree.DeleteItem(item), 1);
  DestroyWindow(wnd);
  EXPECT_EQ(static_cast<HWND>(tree), nullptr);
}

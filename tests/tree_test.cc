// The check-box tree: its own painting read back from the screen, and its
// handling of real clicks, keys and the application's changes in a
// reflecting host.

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "harness.h"
#include "view/internal/controls/bas_tree_view_check_box.h"
#include "view/zu_tree_view_check_box.h"

using viewtest::Image;

namespace {

// Colours of the test images and of the tree, 0x00RRGGBB.
constexpr uint32_t kBackground = 0xF0F0F0, kExpanded = 0x0000FF, kCollapsed = 0x00A000;
constexpr uint32_t kChecked = 0xFF0000, kUnchecked = 0xFFC800, kGreyText = 0xC8C8C8;
constexpr uint32_t kHighlight = 0x000080, kHighlightText = 0xFFFFFF, kMixed = 0x1000000;

COLORREF Ref(uint32_t rgb) { return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

// The colour of the 16x16 block at (x, y) when all of it has one; kMixed if not.
uint32_t Block(const Image& image, int x, int y) {
  const uint32_t first = image.At(x, y);
  return image.Count(first, x, y, x + 16, y + 16) == 256 ? first : kMixed;
}

// An item image that counts its own deletion.
int g_images_deleted = 0;
class CountedImage : public Gdiplus::Bitmap {
 public:
  explicit CountedImage(int width = 10, int height = 10)
      : Gdiplus::Bitmap(width, height, PixelFormat32bppARGB) {
    Gdiplus::Graphics(this).Clear(Gdiplus::Color(255, 0x80, 0, 0x80));
  }
  ~CountedImage() override { ++g_images_deleted; }
};

// A tree in a reflecting host with 16-pixel solid images, a font that draws
// text without smoothing, and every check callback recorded.
class TreeFixture : public ::testing::Test {
 protected:
  void Create(int width = 400, int height = 300) {
    host = std::make_unique<viewtest::HostWindow>(true, width + 20, height + 20);
    wnd = tree->CreateTree(*host, nullptr, RECT{10, 10, 10 + width, 10 + height}, Ref(kBackground),
                           expanded.get(), collapsed.get(), checked.get(), unchecked.get());
    ASSERT_NE(wnd, nullptr);
    tree->SetCheckItemCallback([this](HTREEITEM item, bool check) { calls.emplace_back(item, check); });
    SendMessageW(wnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
  }
  void TearDown() override {
    if (IsWindow(wnd)) DestroyWindow(wnd);
    view::frame::ReleaseImpl(tree);
    host.reset();
    DeleteObject(font);
  }
  HTREEITEM Add(HTREEITEM parent, const wchar_t* text, bool has_children = false, int number = -1) {
    return tree->AppendItem(parent, 0, text, nullptr, 0, 0, has_children, number);
  }
  Image Paint() {
    InvalidateRect(wnd, nullptr, FALSE);
    UpdateWindow(wnd);
    viewtest::PumpUntilIdle();
    return viewtest::CaptureClient(wnd);
  }
  // A click that is never paired with the one before into a double click.
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
  HTREEITEM Selected() { return TreeView_GetSelection(wnd); }
  bool Expanded(HTREEITEM item) {
    return (TreeView_GetItemState(wnd, item, TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
  }

  std::unique_ptr<Gdiplus::Bitmap> expanded = viewtest::SolidBitmap(16, 16, kExpanded),
      collapsed = viewtest::SolidBitmap(16, 16, kCollapsed), checked = viewtest::SolidBitmap(16, 16, kChecked),
      unchecked = viewtest::SolidBitmap(16, 16, kUnchecked);
  HFONT font = CreateFontW(-13, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, DEFAULT_PITCH, L"Arial");
  BASTreeViewCheckBox* tree = view::frame::NewImpl<BASTreeViewCheckBox>();
  std::unique_ptr<viewtest::HostWindow> host;
  HWND wnd = nullptr;
  std::vector<std::pair<HTREEITEM, bool>> calls;
  POINT last_click_ = {-100, -100};
  DWORD last_click_time_ = 0;
};

using Calls = std::vector<std::pair<HTREEITEM, bool>>;

}  // namespace

TEST_F(TreeFixture, CreationFontAndCheckItemReportsEveryCall) {
  Create();
  // CheckItem reports every call, also one that changes nothing, with the
  // new state. (How new items paint is checked with the tree's state below.)
  HTREEITEM a = Add(nullptr, L"Alpha");
  tree->CheckItem(a, 5);
  tree->CheckItem(a, 1);
  EXPECT_EQ(tree->GetItemCheck(a), 1);
  EXPECT_EQ(Block(Paint(), 16, 12), kChecked);
  tree->CheckItem(a, 0);
  EXPECT_EQ(calls, (Calls{{a, true}, {a, true}, {a, false}}));
  EXPECT_EQ(tree->GetItemCheck(a), 0);
  // UpdateItem sets the text and the number.
  EXPECT_EQ(tree->UpdateItem(a, L"Renamed", 1, 4, nullptr), 1);
  wchar_t text[16] = {};
  TVITEMW tv = {TVIF_TEXT, a, 0, 0, text, 16, 0, 0, 0, 0};
  EXPECT_TRUE(TreeView_GetItem(wnd, &tv) && std::wstring(text) == L"Renamed") << text;
  EXPECT_EQ(tree->GetItemNumber(a), 4);
  // UpdateItem repaints the row it changed, and only that row: the new
  // badge shows without a forced redraw.
  HTREEITEM b = Add(nullptr, L"Beta");
  Paint();
  tree->UpdateItem(b, nullptr, 1, 7, nullptr);
  RECT update = {};
  GetUpdateRect(wnd, &update, FALSE);
  EXPECT_EQ(update, (RECT{0, 40, viewtest::ClientSize(wnd).cx, 80}));
  viewtest::PumpUntilIdle();
  EXPECT_NE(viewtest::CaptureClient(wnd).BoundsNot(kBackground, {300, 40, 400, 80}), RECT{});
  // Handles that name no item.
  tree->SetCheckItemCallback(nullptr);
  for (HTREEITEM none : {static_cast<HTREEITEM>(nullptr), TVI_ROOT}) {
    tree->CheckItem(none, 1);
    EXPECT_EQ(tree->GetItemCheck(none), -1);
    EXPECT_EQ(tree->GetItemNumber(none), -1);
    EXPECT_EQ(tree->UpdateItem(none, L"x", 1, 1, nullptr), 0);
  }
  EXPECT_EQ(tree->DeleteItem(nullptr), 0);
  EXPECT_EQ(tree->record_count(), 2u);
}
TEST_F(TreeFixture, ClicksToggleExpandAndSelect) {
  Create();
  HTREEITEM parent = Add(nullptr, L"Parent");
  HTREEITEM c1 = Add(parent, L"Child one");
  Add(parent, L"Child two");
  HTREEITEM leaf = Add(nullptr, L"Leaf");
  Paint();
  // A leaf's check box: toggled, reported, selected. A parent's: toggled,
  // expanded (the host hears of it) and selected.
  Click(24, 60);
  Click(24, 20);
  EXPECT_EQ(calls, (Calls{{leaf, true}, {parent, true}}));
  EXPECT_EQ(Selected(), parent);
  EXPECT_TRUE(Expanded(parent));
  EXPECT_GE(host->CountNotifies(wnd, TVN_ITEMEXPANDINGW), 1);
  EXPECT_EQ(TreeView_GetNextVisible(wnd, parent), c1);
  // Again: unchecked, but never collapsed by a click right of the expander.
  Paint();
  Click(24, 20);
  EXPECT_EQ(tree->GetItemCheck(parent), 0);
  EXPECT_TRUE(Expanded(parent));
  // Rows: Parent, Child one, Child two, Leaf. A click on Leaf's text
  // selects it and leaves its check alone; the expander column collapses
  // and expands without selecting.
  Paint();
  Click(150, 140);
  Click(8, 20);
  EXPECT_FALSE(Expanded(parent));
  Paint();
  Click(8, 20);
  EXPECT_TRUE(Expanded(parent));
  EXPECT_EQ(Selected(), leaf);
  EXPECT_EQ(tree->GetItemCheck(leaf), 1);
  EXPECT_EQ(calls.size(), 3u);
  // A child's check box starts one indent further right.
  EXPECT_EQ(Block(Paint(), 32, 52), kUnchecked);
  Click(40, 60);
  EXPECT_EQ(calls.back(), std::make_pair(c1, true));
  EXPECT_EQ(Selected(), c1);
  EXPECT_EQ(Block(Paint(), 32, 52), kChecked);
  // With no margin and equal images the box's leftmost column is also the
  // expander column's right end: both the check and the expansion toggle,
  // and the selection stays (Leaf first: collapsing moves a selection
  // inside the parent to the parent).
  Click(150, 140);
  Click(16, 20);
  EXPECT_EQ(tree->GetItemCheck(parent), 1);
  EXPECT_FALSE(Expanded(parent));
  EXPECT_EQ(Selected(), leaf);
}

TEST_F(TreeFixture, DisabledItemsAreGreyAndParentsIgnoreRowClicks) {
  Create();
  tree->SetHighLightColor(Ref(kHighlight), Ref(kHighlightText));
  HTREEITEM parent = Add(nullptr, L"Disabled parent");
  Add(parent, L"Child");
  HTREEITEM leaf = Add(nullptr, L"Disabled leaf");
  EXPECT_EQ(tree->UpdateItem(parent, nullptr, 0, -1, nullptr), 1);
  EXPECT_EQ(tree->UpdateItem(leaf, nullptr, 0, -1, nullptr), 1);
  Image image = Paint();
  EXPECT_GT(image.Count(kGreyText, 32, 0, 400, 40), 10);
  EXPECT_EQ(image.Count(0x000000, 32, 0, 400, 80), 0);
  // The disabled parent: a row click or its expander column neither expands
  // nor selects it; its check box still toggles, and only that.
  Click(150, 20);
  EXPECT_FALSE(Expanded(parent));
  Paint();
  Click(8, 20);
  Click(24, 20);
  EXPECT_EQ(tree->GetItemCheck(parent), 1);
  EXPECT_FALSE(Expanded(parent));
  EXPECT_NE(Selected(), parent);
  // A disabled leaf is selected and toggled, but never highlighted; enabled
  // again, it is highlighted, its text in the highlight text colour.
  Click(24, 60);
  EXPECT_EQ(tree->GetItemCheck(leaf), 1);
  EXPECT_EQ(Selected(), leaf);
  EXPECT_EQ(Paint().Count(kHighlight), 0);
  tree->UpdateItem(leaf, nullptr, 1, -1, nullptr);
  image = Paint();
  EXPECT_GT(image.Count(kHighlight, 0, 40, 400, 80), 300 * 30);
  EXPECT_GT(image.Count(kHighlightText, 48, 52, 400, 68), 10);
  EXPECT_EQ(image.Count(kHighlight, 0, 0, 400, 40), 0);
}

TEST_F(TreeFixture, BadgesImagesAndMargins) {
  Create(1200, 300);
  HTREEITEM zero = Add(nullptr, L"Zero", false, 0);
  Add(nullptr, L"None", false, -1);
  Image image = Paint();
  // The badge of 0 is measured in the tree's font and ends 8 pixels before
  // the row's end; no badge for -1.
  SIZE extent = {};
  viewtest::MemoryCanvas canvas(1, 1);
  SelectObject(canvas.dc, font);
  GetTextExtentPoint32W(canvas.dc, L"0", 1, &extent);
  const int right = viewtest::ClientSize(wnd).cx, top = (40 - extent.cy) / 2;
  EXPECT_EQ(image.BoundsNot(kBackground, {right - 60, 0, right, 40}),
            (RECT{right - extent.cx - 16, top, right - 8, top + extent.cy}));
  EXPECT_EQ(image.Count(kBackground, right - 60, 40, right, 80), 60 * 40);
  // Its paddings follow the tree's DPI factor.
  EXPECT_EQ(view::tree::BadgeRect({0, 0, 300, 40}, {10, 14}, 2.0f), (RECT{258, 13, 284, 27}));
  // Margins go before every column; a child indents by margin + expander.
  // The 10x15 item image is scaled to 20x30 after the check box and a
  // margin, centred; the text follows 4 pixels after it.
  tree->SetXMargin(4);
  ASSERT_NE(tree->AppendItem(zero, 0, L"Pictured", new CountedImage(10, 15), 20, 30, false, -1),
            nullptr);
  tree->CheckItem(zero, 1);
  TreeView_Expand(wnd, zero, TVE_EXPAND);
  image = Paint();
  EXPECT_EQ(Block(image, 4, 12), kExpanded);
  EXPECT_EQ(Block(image, 24, 12), kChecked);
  EXPECT_EQ(Block(image, 44, 52), kUnchecked);
  EXPECT_EQ(image.BoundsNot(kBackground, {61, 41, 87, 79}), (RECT{64, 45, 84, 75}));
  const LONG ink = image.BoundsNot(kBackground, {84, 41, 200, 79}).left;
  EXPECT_NEAR(ink, 89, 1);  // the first glyph may start a pixel or two inside
}

TEST_F(TreeFixture, DeletingAndDestroyingFreeRecordsAndImages) {
  Create();
  g_images_deleted = 0;
  HTREEITEM parent = tree->AppendItem(nullptr, 1, L"Parent", new CountedImage(), 0, 0, false, 3);
  HTREEITEM child = tree->AppendItem(parent, 2, L"Child", new CountedImage(), 0, 0, false, -1);
  tree->AppendItem(child, 4, L"Grandchild", new CountedImage(), 0, 0, false, -1);
  HTREEITEM keep = tree->AppendItem(nullptr, 5, L"Keep", new CountedImage(), 0, 0, false, 7);
  // An item added past the tree has no record, and its lParam is never
  // taken for one.
  TVINSERTSTRUCTW insert = {TVI_ROOT, TVI_LAST, {}};
  insert.item.mask = TVIF_PARAM;
  insert.item.lParam = 0x12345678;
  HTREEITEM foreign = TreeView_InsertItem(wnd, &insert);
  EXPECT_EQ(tree->GetItemNumber(foreign), -1);
  EXPECT_EQ(tree->UpdateItem(foreign, L"x", 0, 1, nullptr), 0);
  TreeView_Expand(wnd, parent, TVE_EXPAND);
  Paint();
  // Deleting a parent frees its whole subtree with the images.
  EXPECT_NE(tree->DeleteItem(parent), 0);
  EXPECT_NE(tree->DeleteItem(foreign), 0);
  EXPECT_EQ(tree->record_count(), 1u);
  EXPECT_EQ(g_images_deleted, 3);
  EXPECT_EQ(tree->GetItemNumber(keep), 7);
  // The check callback may delete the item it reports, or destroy the
  // window, which frees whatever is left; without a window nothing is
  // added, and the image is not lost.
  Paint();
  tree->SetCheckItemCallback([this](HTREEITEM item, bool) { tree->DeleteItem(item); });
  Click(24, 20);
  EXPECT_EQ(tree->record_count(), 0u);
  tree->AppendItem(nullptr, 6, L"Late", new CountedImage(), 0, 0, false, -1);
  Paint();
  tree->SetCheckItemCallback([this](HTREEITEM, bool) { DestroyWindow(wnd); });
  Click(24, 20);
  EXPECT_EQ(tree->m_hWnd, nullptr);
  EXPECT_EQ(tree->record_count(), 0u);
  EXPECT_EQ(g_images_deleted, 5);
  EXPECT_EQ(tree->AppendItem(nullptr, 0, L"x", new CountedImage(), 0, 0, false, 0), nullptr);
  EXPECT_EQ(g_images_deleted, 6);
}

// Between changes the tree paints from what it last asked the standard tree;
// every way of changing the items must show at the next paint, compared with
// the standard tree's own state row by row.
TEST_F(TreeFixture, PaintFollowsChangesByKeysAndByTheApplication) {
  Create(400, 300);
  tree->SetHighLightColor(Ref(kHighlight), Ref(kHighlightText));
  HTREEITEM parent = Add(nullptr, L"Parent");
  HTREEITEM c1 = Add(parent, L"Child one");
  Add(parent, L"Child two");
  HTREEITEM leaf = Add(nullptr, L"Leaf");
  const auto expect_paint_matches_tree = [&](const char* step) {
    SCOPED_TRACE(step);
    const Image image = Paint();
    int row = 0;
    for (HTREEITEM item = TreeView_GetFirstVisible(wnd); item != nullptr;
         item = TreeView_GetNextVisible(wnd, item), ++row) {
      const int indent = TreeView_GetParent(wnd, item) != nullptr ? 16 : 0;  // one level deep
      const uint32_t back = item == Selected() ? kHighlight : kBackground;
      const uint32_t expander = TreeView_GetChild(wnd, item) == nullptr ? back
                                : Expanded(item)                        ? kExpanded
                                                                        : kCollapsed;
      EXPECT_EQ(Block(image, indent, row * 40 + 12), expander) << row;
      EXPECT_EQ(Block(image, indent + 16, row * 40 + 12),
                tree->GetItemCheck(item) == 1 ? kChecked : kUnchecked) << row;
      EXPECT_EQ(image.At(390, row * 40 + 12), back) << row;
    }
    EXPECT_EQ(image.Count(kBackground, 0, row * 40, 400, 300), 400 * (300 - row * 40));
  };
  expect_paint_matches_tree("created");
  // The standard tree's own keys.
  SetFocus(wnd);
  TreeView_SelectItem(wnd, parent);
  viewtest::PressKey(VK_RIGHT);
  ASSERT_TRUE(Expanded(parent));
  expect_paint_matches_tree("expanded by a key");
  viewtest::PressKey(VK_DOWN);
  ASSERT_EQ(Selected(), c1);
  expect_paint_matches_tree("selection moved by a key");
  // The application's own messages.
  TreeView_SetCheckState(wnd, leaf, TRUE);
  expect_paint_matches_tree("checked by TVM_SETITEM");
  TreeView_Expand(wnd, parent, TVE_COLLAPSE);
  expect_paint_matches_tree("collapsed by TVM_EXPAND");
  TreeView_Expand(wnd, parent, TVE_EXPAND);
  tree->DeleteItem(c1);
  expect_paint_matches_tree("a visible child deleted");
  ASSERT_NE(Add(parent, L"Late child"), nullptr);
  expect_paint_matches_tree("a child appended to an expanded parent");
  // An application that repaints the tree inside a change (from a
  // notification handler that answers it, so nothing is reflected) sees it
  // half-made; the paint after the change shows it whole. (The tree
  // notifies a programmatic expansion only the first time.)
  HTREEITEM late_parent = Add(nullptr, L"Late parent");
  Add(late_parent, L"Grandchild");
  host->on_message = [&](UINT msg, WPARAM, LPARAM, LRESULT& result) {
    if (msg != WM_NOTIFY) return false;
    RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    result = 0;
    return true;
  };
  TreeView_Expand(wnd, late_parent, TVE_EXPAND);
  host->on_message = nullptr;
  ASSERT_TRUE(Expanded(late_parent));
  expect_paint_matches_tree("expanded while the application repainted");
}


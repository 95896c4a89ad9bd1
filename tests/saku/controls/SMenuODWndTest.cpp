#include "MenuTest.h"

namespace saku_test {
namespace {

using SAKU::SPopupMenu;

// Menu look with colours that tell the text's state: red text, blue selected
// text, green grey text; the item skin white, selected brown.
constexpr const wchar_t* kLook =
    L"itemSkin='menu.item' checkSkin='menu.states16' iconSkin='menu.states16' itemHeight='24'"
    L" colorText='#ff0000' colorTextSel='#0000ff' cororTextGray='#008000' font='size:14'";
constexpr std::uint32_t kRedText = 0xFF0000;
constexpr std::uint32_t kBlueText = 0x0000FF;
constexpr std::uint32_t kGreenText = 0x008000;

constexpr int kItemWidth = 160;
constexpr int kItemHeight = 24;
// Where the item's parts fall with the look above: the icon at (2, 4) 16 x 16,
// the text from 2 + 16 + 2 + 5 = 25 to 5 before the right edge.
constexpr RECT kIconArea = {2, 4, 18, 20};
constexpr RECT kTextArea = {25, 0, kItemWidth - 5, kItemHeight};

class SMenuODWndTest : public MenuTest {
protected:
    void LoadItems(const std::wstring& look, const std::wstring& items)
    {
        Load(m_menu, L"<menu " + look + L">" + items + L"</menu>");
    }
    Pixels DrawItem(int position, UINT state, const wchar_t* keep = nullptr)
    {
        auto target = Draw(m_menu, position, state, kItemWidth, kItemHeight);
        if (keep)
            KeepPng(target.Get(), L"TIVALA_PAINT_PNG", keep);
        return ReadPixels(target.Get());
    }
    static std::uint32_t At(const Pixels& pixels, int x, int y) { return PixelAt(pixels, kItemWidth, x, y); }

    SPopupMenu m_menu;
};

TEST_F(SMenuODWndTest, ItemIsAsHighAsTheLookSaysAndAsWideAsItsParts)
{
    LoadItems(L"font='size:14' itemHeight='24'", L"<item>Copy</item><item>Copy and paste again</item>");
    const SIZE shortItem = Measure(m_menu, 0);
    const SIZE longItem = Measure(m_menu, 1);
    EXPECT_EQ(24, shortItem.cy);
    EXPECT_EQ(24, longItem.cy);
    EXPECT_LT(16 + 2 * 2 + 2 * 5, shortItem.cx);   // icon, icon margins, text margins and some text
    EXPECT_LT(shortItem.cx, longItem.cx);

    // Wider icons and margins widen the item by what they add on both sides.
    SPopupMenu wider;
    Load(wider, L"<menu font='size:14' itemHeight='24' iconSize='26,16' iconMargin='3' textMargin='8'>"
                L"<item>Copy</item></menu>");
    EXPECT_EQ(shortItem.cx + 10 + 2 + 6, Measure(wider, 0).cx);
}

TEST_F(SMenuODWndTest, MaxWidthCutsALongItem)
{
    LoadItems(L"font='size:14' itemHeight='24' maxWidth='100' itemSkin='menu.item' colorText='#ff0000'",
              L"<item>A very long item text that needs far more than a hundred pixels</item><item>Cut</item>");
    EXPECT_EQ(100, Measure(m_menu, 0).cx);
    EXPECT_GT(100, Measure(m_menu, 1).cx);

    // The text runs up to the right text margin, where it is cut with an ellipsis.
    auto target = Draw(m_menu, 0, 0, 100, 24);
    KeepPng(target.Get(), L"TIVALA_PAINT_PNG", L"menu_item_maxwidth");
    const Pixels pixels = ReadPixels(target.Get());
    EXPECT_LT(0, CountNear(pixels, 100, RECT{75, 0, 95, 24}, kRedText));
    EXPECT_EQ(0, CountNear(pixels, 100, RECT{95, 0, 100, 24}, kRedText));
}

TEST_F(SMenuODWndTest, ItemHeightFollowsTheItemSkin)
{
    LoadItems(L"itemSkin='menu.states30'", L"<item>One</item><item>Two</item>");
    EXPECT_EQ(30, Measure(m_menu, 0).cy);
    EXPECT_EQ(30, Measure(m_menu, 1).cy);
}

TEST_F(SMenuODWndTest, SeparatorIsThreePixelsWithoutSkinElseAsHighAsItsSkin)
{
    LoadItems(L"", L"<item>One</item><sep/>");
    EXPECT_EQ(0, Measure(m_menu, 1).cx);
    EXPECT_EQ(3, Measure(m_menu, 1).cy);

    SPopupMenu skinned;
    Load(skinned, L"<menu sepSkin='menu.states16'><sep/></menu>");
    EXPECT_EQ(16, Measure(skinned, 0).cy);

    SPopupMenu grey;
    Load(grey, L"<menu sepSkin='menu.sep'><sep/></menu>");
    auto target = Draw(grey, 0, 0, 40, 3);
    EXPECT_EQ(kSepGrey, PixelAt(ReadPixels(target.Get()), 40, 20, 1));
}

TEST_F(SMenuODWndTest, TextColourAndBackgroundFollowTheItemState)
{
    LoadItems(kLook, L"<item id='1'>&amp;Copy</item>");
    const struct {
        UINT state;
        std::uint32_t background;
        std::uint32_t text;
        const wchar_t* keep;
    } cases[] = {
        {0, kItemWhite, kRedText, L"menu_item_normal"},
        {ODS_SELECTED, kItemSelBrown, kBlueText, L"menu_item_selected"},
        {ODS_GRAYED, kItemWhite, kGreenText, L"menu_item_grey"},
        {ODS_GRAYED | ODS_SELECTED, kItemSelBrown, kGreenText, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.state);
        const Pixels pixels = DrawItem(0, c.state, c.keep);
        EXPECT_EQ(c.background, At(pixels, 1, 1));
        EXPECT_EQ(c.background, At(pixels, kItemWidth - 2, kItemHeight - 2));
        EXPECT_EQ(c.background, At(pixels, 10, 12));   // no icon, no mark
        EXPECT_LT(10, CountNear(pixels, kItemWidth, kTextArea, c.text));
        EXPECT_EQ(0, CountNear(pixels, kItemWidth, RECT{0, 0, kTextArea.left, kItemHeight}, c.text));
    }
}

TEST_F(SMenuODWndTest, CheckMarksAndIconsGoInTheIconArea)
{
    LoadItems(kLook, L"<item id='1' check='1'>Check</item><item id='2' radio='1'>Radio</item>"
                     L"<item id='3' icon='2'>Icon</item><item id='4'>Plain</item>");
    const struct {
        int position;
        std::uint32_t icon;
    } cases[] = {
        {0, kRed},    // a check mark: the check skin's first state
        {1, kLime},   // a radio mark: its second
        {2, kBlue},   // the icon skin's state 2
        {3, kItemWhite},   // nothing
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.position);
        const MENUITEMINFOW info = ItemInfo(m_menu.GetMenu(), c.position);
        const UINT state = (info.fState & MFS_CHECKED) ? ODS_CHECKED : 0;
        const Pixels pixels = DrawItem(c.position, state, c.position == 1 ? L"menu_item_radio" : nullptr);
        EXPECT_EQ(c.icon, At(pixels, kIconArea.left, kIconArea.top));
        EXPECT_EQ(c.icon, At(pixels, kIconArea.right - 1, kIconArea.bottom - 1));
        EXPECT_EQ(kItemWhite, At(pixels, kIconArea.left - 1, kIconArea.top));
        EXPECT_EQ(kItemWhite, At(pixels, kIconArea.right, kIconArea.bottom));
    }
}

TEST_F(SMenuODWndTest, ThirdSkinStateCoversTheSelectedText)
{
    LoadItems(L"itemSkin='menu.item3' itemHeight='24' colorTextSel='#0000ff'", L"<item id='1'>Copy</item>");
    const Pixels pixels = DrawItem(0, ODS_SELECTED, L"menu_item_selected_3states");
    EXPECT_EQ(kItemOverGreen, At(pixels, 1, 1));
    EXPECT_EQ(0, CountNear(pixels, kItemWidth, kTextArea, kBlueText));
    EXPECT_EQ(kItemWidth * kItemHeight, CountNear(pixels, kItemWidth, RECT{0, 0, kItemWidth, kItemHeight}, 0x00FF00));

    // Not selected: the normal state and the text.
    const Pixels normal = DrawItem(0, 0);
    EXPECT_EQ(kItemWhite, At(normal, 1, 1));
}

TEST_F(SMenuODWndTest, AcceleratorChoosesTheItemAtItsPosition)
{
    LoadItems(L"", L"<item id='1'>&amp;Copy</item><sep/><item id='2'>&amp;Paste</item>"
                   L"<item id='3'>Cu&amp;t</item><item id='4'>End&amp;</item>");
    SAKU::SMenuODWnd drawer(nullptr, SPopupMenu::MenuAttrOf(m_menu.GetMenu()));
    const struct {
        UINT typed;
        LRESULT expected;
    } cases[] = {
        {L'c', MAKELRESULT(0, MNC_EXECUTE)}, {L'C', MAKELRESULT(0, MNC_EXECUTE)},
        {L'p', MAKELRESULT(2, MNC_EXECUTE)}, {L'P', MAKELRESULT(2, MNC_EXECUTE)},
        {L't', MAKELRESULT(3, MNC_EXECUTE)}, {L'd', MNC_IGNORE},   // an "&" at the end marks nothing
        {L'x', MNC_IGNORE},                  {0x4E2D, MNC_IGNORE},  // a character beyond the C library's tables
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        EXPECT_EQ(c.expected, drawer.FindAccelItem(c.typed, m_menu.GetMenu()));
    }
    EXPECT_EQ(0x20002, drawer.FindAccelItem(L'p', m_menu.GetMenu()));
}

}  // namespace
}  // namespace saku_test

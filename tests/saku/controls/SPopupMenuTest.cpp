#include "MenuTest.h"

namespace saku_test {
namespace {

using SAKU::SPopupMenu;

class SPopupMenuTest : public MenuTest {};

TEST_F(SPopupMenuTest, XmlGivesItemsSeparatorsAndStates)
{
    SPopupMenu menu;
    Load(menu, L"<menu contextHelpId='7'>"
               L"  <item id='10' icon='1'>\n\t &amp;Copy \r\n</item>"
               L"  <sep/>"
               L"  <item id='11' disable='1' text='Pa&amp;ste'/>"
               L"  <item id='12' check='true'>Checked</item>"
               L"  <item id='13' radio='1'>Radio</item>"
               L"  <other id='99'>skipped</other>"
               L"  <Item id='98'>skipped: names are exact</Item>"
               L"</menu>");
    const HMENU handle = menu.GetMenu();
    ASSERT_EQ(5, ::GetMenuItemCount(handle));
    EXPECT_EQ(7u, ::GetMenuContextHelpId(handle));

    const struct {
        UINT id;
        UINT type;
        UINT state;
        const wchar_t* text;   // null: a separator, without a record
        int icon;
        UINT32 accel;
    } cases[] = {
        {10, MFT_OWNERDRAW, 0, L"&Copy", 1, L'c'},
        {0, MFT_OWNERDRAW | MFT_SEPARATOR, 0, nullptr, 0, 0},
        {11, MFT_OWNERDRAW, MF_GRAYED, L"Pa&ste", -1, L's'},
        {12, MFT_OWNERDRAW, MF_CHECKED, L"Checked", -1, 0},
        {13, MFT_OWNERDRAW | MFT_RADIOCHECK, MF_CHECKED, L"Radio", -1, 0},   // always checked
    };
    for (int position = 0; position < 5; ++position) {
        const auto& c = cases[position];
        SCOPED_TRACE(position);
        const MENUITEMINFOW info = ItemInfo(handle, position);
        EXPECT_EQ(c.id, info.wID);
        EXPECT_EQ(c.type, info.fType);
        EXPECT_EQ(nullptr, info.hSubMenu);
        const SAKU::SPopupMenuItem* const record = Record(handle, position);
        if (!c.text) {
            EXPECT_EQ(nullptr, record);
            continue;   // the system keeps a separator's state itself
        }
        EXPECT_EQ(c.state, info.fState & (MF_GRAYED | MF_CHECKED));
        ASSERT_NE(nullptr, record);
        EXPECT_STREQ(c.text, record->text.c_str());
        EXPECT_EQ(c.icon, record->icon);
        EXPECT_EQ(c.accel, record->accel);
    }
}

TEST_F(SPopupMenuTest, AcceleratorIsTheLetterAfterTheFirstAmpersand)
{
    const struct {
        const wchar_t* text;
        UINT32 accel;
    } cases[] = {
        {L"&amp;Open", L'o'}, {L"Save &amp;As", L'a'}, {L"&amp;1 recent", L'1'},
        {L"Close&amp;", 0},   {L"Plain", 0},           {L"&amp;Xy &amp;Zed", L'x'},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        SPopupMenu menu;
        Load(menu, std::wstring(L"<menu><item id='1'>") + c.text + L"</item></menu>");
        ASSERT_NE(nullptr, Record(menu.GetMenu(), 0));
        EXPECT_EQ(c.accel, Record(menu.GetMenu(), 0)->accel);
    }
}

TEST_F(SPopupMenuTest, ChildrenOrPopupMakeASubmenuThatSharesTheLook)
{
    SPopupMenu menu;
    Load(menu, L"<menu itemHeight='21'>"
               L"<item id='1'>Text only</item>"
               L"<item id='2' contextHelpId='5' disable='1'>Nested<item id='21'>Inner<item id='211'>Deep</item></item><sep/></item>"
               L"<item popup='1'>Empty</item>"
               L"<item><![CDATA[Character data]]></item>"
               L"</menu>");
    const HMENU top = menu.GetMenu();
    ASSERT_EQ(4, ::GetMenuItemCount(top));
    EXPECT_EQ(nullptr, ItemInfo(top, 0).hSubMenu);

    const MENUITEMINFOW nested = ItemInfo(top, 1);
    ASSERT_NE(nullptr, nested.hSubMenu);
    EXPECT_EQ(UINT(MF_GRAYED), nested.fState & MF_GRAYED);
    EXPECT_EQ(5u, ::GetMenuContextHelpId(nested.hSubMenu));
    EXPECT_STREQ(L"Nested", Record(top, 1)->text.c_str());
    ASSERT_EQ(2, ::GetMenuItemCount(nested.hSubMenu));
    const HMENU inner = ItemInfo(nested.hSubMenu, 0).hSubMenu;
    ASSERT_NE(nullptr, inner);
    EXPECT_EQ(211u, ItemInfo(inner, 0).wID);
    EXPECT_EQ(MFT_OWNERDRAW | MFT_SEPARATOR, ItemInfo(nested.hSubMenu, 1).fType);

    const HMENU empty = ItemInfo(top, 2).hSubMenu;
    ASSERT_NE(nullptr, empty);
    EXPECT_EQ(0, ::GetMenuItemCount(empty));
    EXPECT_NE(nullptr, ItemInfo(top, 3).hSubMenu);   // a CDATA section is not plain text

    // One look for the tree, one reference per menu: top, nested, inner, empty, CDATA.
    SAKU::SMenuAttr* const attr = SPopupMenu::MenuAttrOf(top);
    ASSERT_NE(nullptr, attr);
    EXPECT_EQ(21, attr->GetItemHeight());
    EXPECT_EQ(attr, SPopupMenu::MenuAttrOf(nested.hSubMenu));
    EXPECT_EQ(attr, SPopupMenu::MenuAttrOf(inner));
    EXPECT_EQ(attr, SPopupMenu::MenuAttrOf(empty));
    EXPECT_EQ(6, attr->AddRef());
    EXPECT_EQ(5, attr->Release());
}

TEST_F(SPopupMenuTest, LoadingAgainReplacesTheTreeAndTheEndDestroysIt)
{
    HMENU first = nullptr;
    HMENU submenu = nullptr;
    {
        SPopupMenu menu;
        Load(menu, L"<menu><item>Sub<item id='1'>One</item></item></menu>");
        first = menu.GetMenu();
        Load(menu, L"<menu><item>Sub<item id='2'>Two</item></item></menu>");
        EXPECT_FALSE(::IsMenu(first));
        EXPECT_NE(nullptr, menu.GetMenu());
        submenu = ItemInfo(menu.GetMenu(), 0).hSubMenu;
        EXPECT_TRUE(::IsMenu(submenu));
    }
    EXPECT_FALSE(::IsMenu(submenu));
}

TEST_F(SPopupMenuTest, NothingLoadedShowsNothing)
{
    SPopupMenu menu;
    EXPECT_EQ(nullptr, menu.GetMenu());
    EXPECT_EQ(0, menu.TrackPopupMenu(0, 10, 10, nullptr));
}

}  // namespace
}  // namespace saku_test

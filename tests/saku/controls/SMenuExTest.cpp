// The extended popup menu's tree built from XML, without running it: what the
// root reads, how big items, separators and the root are, and what a sub-menu
// takes from its top menu.

#include "MenuExTest.h"

#include "controls/SMenuExItem.h"
#include "controls/SMenuExRoot.h"
#include "core/ISkinObj.h"

#include <gtest/gtest.h>

#include <string>

using namespace SAKU;
using namespace saku_test;

namespace {

class SMenuExTest : public MenuTest {
protected:
    // A menu built from XML text; its document lives as long as the test.
    bool Build(SMenuEx& menu, const std::wstring& xml)
    {
        if (!m_document.load_string(xml.c_str()))
            return false;
        return menu.BuildMenu(m_document.document_element()) != FALSE;
    }
    static SMenuExItem* ItemAt(SMenuEx& menu, int index)
    {
        SWindow* item = menu.GetMenuRoot()->GetWindow(GSW_FIRSTCHILD);
        for (int i = 0; i < index && item; ++i)
            item = item->GetWindow(GSW_NEXTSIBLING);
        return static_cast<SMenuExItem*>(item);
    }

    pugi::xml_document m_document;
};

TEST_F(SMenuExTest, OnlyAMenuElementBuildsAndOnlyOnce)
{
    const struct {
        const wchar_t* xml;
        bool built;
    } cases[] = {
        {L"<menuRoot><menuItem id='1'>A</menuItem></menuRoot>", true},
        {L"<MENUITEM><menuItem id='1'>A</menuItem></MENUITEM>", true},   // names in any case
        {L"<menu><menuItem id='1'>A</menuItem></menu>", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.xml, c.xml + wcslen(c.xml)));
        SMenuEx menu;
        EXPECT_EQ(c.built, Build(menu, c.xml));
        EXPECT_EQ(c.built, menu.GetHwnd() != nullptr);
        if (c.built) {
            EXPECT_FALSE(menu.BuildMenu(m_document.document_element()));   // the window exists
            EXPECT_TRUE(menu.IsTranslucent());
        } else {
            EXPECT_EQ(-1, menu.ShowPopup(kMenuExReturnCmd, 0, 0, nullptr));
        }
    }
    SMenuEx missing;
    EXPECT_FALSE(missing.LoadMenu(L"no_such_menu"));
}

TEST_F(SMenuExTest, IconPosTakesOneOrTwoSizes)
{
    const struct {
        const wchar_t* value;
        HRESULT result;
        POINT pos;
    } cases[] = {
        {L"4", S_OK, {4, SMenuExRoot::kIconCentred}},
        {L"4,6", S_OK, {4, 6}},
        {L"1,2,3", E_INVALIDARG, {0, 0}},
        {L"", E_INVALIDARG, {0, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.value, c.value + wcslen(c.value)));
        SMenuExRoot root(nullptr);
        EXPECT_EQ(c.result, root.ApplyAttribute(L"iconPos", c.value, TRUE));
        EXPECT_EQ(c.pos.x, root.GetIconPos().x);
        EXPECT_EQ(c.pos.y, root.GetIconPos().y);
    }
}

TEST_F(SMenuExTest, ItemsSeparatorsAndTheRootTakeTheirSizes)
{
    SMenuEx menu;
    ASSERT_TRUE(Build(menu,
                      L"<menuRoot itemSkin='menu.item' sepSkin='menu.sep5' arrowSkin='menu.states16' itemHeight='20'"
                      L" iconBarWidth='10' textOffset='2' minWidth='30'>"
                      L"<menuItem id='1'>A</menuItem>"
                      L"<sep/>"
                      L"<menuItem id='2' height='31'>B<menuItem id='3'>C</menuItem></menuItem>"
                      L"<menuItem id='4' visible='0'>Hidden</menuItem>"
                      L"</menuRoot>"));
    SMenuExItem* const plain = ItemAt(menu, 0);
    SMenuExItem* const sep = ItemAt(menu, 1);
    SMenuExItem* const parent = ItemAt(menu, 2);
    SMenuExItem* const hidden = ItemAt(menu, 3);
    const SIZE plainSize = plain->GetDesiredSize(10000, 10000);
    const SIZE parentSize = parent->GetDesiredSize(10000, 10000);
    EXPECT_EQ(20, plainSize.cy);
    EXPECT_EQ(31, parentSize.cy);                       // a specified height stands
    EXPECT_EQ(10000, sep->GetDesiredSize(10000, 10000).cx);
    EXPECT_EQ(5, sep->GetDesiredSize(10000, 10000).cy);   // the separator skin's height
    EXPECT_TRUE(sep->IsDisabled(TRUE));
    EXPECT_EQ(0, hidden->GetDesiredSize(10000, 10000).cx);
    EXPECT_EQ(0, hidden->GetDesiredSize(10000, 10000).cy);
    // The arrow (16 wide) widens only the item with a sub-menu: same-width texts A and B.
    EXPECT_EQ(plainSize.cx + 16, parentSize.cx);

    const SIZE root = menu.GetMenuRoot()->GetDesiredSize(10000, 10000);
    EXPECT_EQ(std::max<LONG>(30, parentSize.cx), root.cx);
    EXPECT_EQ(20 + 5 + 31, root.cy);
    menu.GetMenuRoot()->OnRelayout(RECT{0, 0, root.cx, root.cy});
    EXPECT_EQ(25, parent->GetWindowRect().top);
    EXPECT_EQ(root.cx, plain->GetWindowRect().right);   // every item as wide as the root
    RECT text = {};
    parent->GetTextRect(&text);
    EXPECT_EQ(12, text.left);
    EXPECT_EQ(root.cx - 16, text.right);
}

TEST_F(SMenuExTest, ASubMenuTakesTheLookOfTheTopMenu)
{
    SMenuEx menu;
    ASSERT_TRUE(Build(menu, L"<menuRoot itemSkin='menu.item3' itemHeight='30' minWidth='77'>"
                            L"<menuItem id='1' hotKey='Sx'>A<menuItem id='2'>B</menuItem></menuItem>"
                            L"</menuRoot>"));
    SMenuExItem* const item = ItemAt(menu, 0);
    EXPECT_EQ(L'S', item->GetHotKey());
    SMenuEx* const sub = item->GetSubMenu();
    ASSERT_NE(nullptr, sub);
    EXPECT_EQ(item, sub->GetParentItem());
    EXPECT_EQ(menu.GetMenuRoot()->GetItemSkin(), sub->GetMenuRoot()->GetItemSkin());
    EXPECT_EQ(30, sub->GetMenuRoot()->GetItemHeight());
    EXPECT_EQ(77, sub->GetMenuRoot()->GetMinWidth());
    EXPECT_EQ(sub->GetMenuRoot()->GetItemSkin(), ItemAt(*sub, 0)->GetSkin());
    EXPECT_EQ(L"", std::wstring(sub->GetMenuRoot()->GetWindowText().c_str()));
    EXPECT_EQ(1u, item->GetChildrenCount() + 1);   // the sub-menu's items are not the item's windows
}

}  // namespace

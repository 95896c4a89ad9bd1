#include "MenuTest.h"

#include "core/ISkinObj.h"

namespace saku_test {
namespace {

using SAKU::SAutoRef;
using SAKU::SMenuAttr;

class SMenuAttrTest : public MenuTest {
protected:
    static SAutoRef<SMenuAttr> Built(const wchar_t* xml)
    {
        pugi::xml_document document;
        EXPECT_TRUE(document.load_string(xml)) << xml;
        auto attr = SAutoRef<SMenuAttr>::Adopt(new SMenuAttr);
        attr->BuildFromXml(document.first_child());
        return attr;
    }
};

TEST_F(SMenuAttrTest, NamesOnlyItsOwnClass)
{
    auto attr = SAutoRef<SMenuAttr>::Adopt(new SMenuAttr);
    EXPECT_TRUE(attr->IsClass(L"menuattr"));
    EXPECT_FALSE(attr->IsClass(L"MenuAttr"));
    EXPECT_FALSE(attr->IsClass(L"object"));
    EXPECT_STREQ(L"menuattr", attr->GetObjectClass());
    EXPECT_EQ(-1, attr->GetObjectType());
}

TEST_F(SMenuAttrTest, DefaultsAreTheSystemsMenuLook)
{
    auto attr = Built(L"<menu/>");
    EXPECT_EQ(2, attr->GetIconMargin());
    EXPECT_EQ(5, attr->GetTextMargin());
    EXPECT_EQ(16, attr->GetIconSize().cx);
    EXPECT_EQ(16, attr->GetIconSize().cy);
    EXPECT_EQ(-1, attr->GetMaxWidth());
    EXPECT_EQ(::GetSysColor(COLOR_MENUTEXT) | 0xFF000000, attr->GetTextColor());
    EXPECT_EQ(::GetSysColor(COLOR_HIGHLIGHTTEXT) | 0xFF000000, attr->GetSelTextColor());
    EXPECT_EQ(::GetSysColor(COLOR_GRAYTEXT) | 0xFF000000, attr->GetGrayTextColor());
    EXPECT_EQ(nullptr, attr->GetIconSkin());
    EXPECT_NE(nullptr, attr->GetFont());   // the font pool's default font
}

TEST_F(SMenuAttrTest, AttributesTakenAnswerNoRefresh)
{
    auto attr = SAutoRef<SMenuAttr>::Adopt(new SMenuAttr);
    const struct {
        const wchar_t* name;
        const wchar_t* value;
    } cases[] = {
        {L"itemSkin", L"menu.item"}, {L"ICONSKIN", L"menu.states16"}, {L"sepSkin", L"menu.sep"},
        {L"checkSkin", L"menu.states16"}, {L"itemHeight", L"0x14"}, {L"iconMargin", L"3"},
        {L"textMargin", L"7"}, {L"maxWidth", L"120"}, {L"iconSize", L"20,24"},
        {L"font", L"size:20"}, {L"colorText", L"#ff0000"}, {L"colorTextSel", L"#00ff00"},
        {L"cororTextGray", L"#808080"}, {L"trCtx", L"menu"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(S_FALSE, attr->ApplyAttribute(c.name, c.value, FALSE));
    }
    EXPECT_EQ(m_skins->GetSkin(L"menu.item", 100), attr->GetItemSkin());
    EXPECT_EQ(m_skins->GetSkin(L"menu.states16", 100), attr->GetIconSkin());
    EXPECT_EQ(m_skins->GetSkin(L"menu.sep", 100), attr->GetSepSkin());
    EXPECT_EQ(m_skins->GetSkin(L"menu.states16", 100), attr->GetCheckSkin());
    EXPECT_EQ(20, attr->GetItemHeight());
    EXPECT_EQ(3, attr->GetIconMargin());
    EXPECT_EQ(7, attr->GetTextMargin());
    EXPECT_EQ(120, attr->GetMaxWidth());
    EXPECT_EQ(20, attr->GetIconSize().cx);
    EXPECT_EQ(24, attr->GetIconSize().cy);
    EXPECT_EQ(0xFF0000FFu, attr->GetTextColor());
    EXPECT_EQ(0xFF00FF00u, attr->GetSelTextColor());
    EXPECT_EQ(0xFF808080u, attr->GetGrayTextColor());
    EXPECT_STREQ(L"menu", attr->GetTrCtx().c_str());
    EXPECT_NE(nullptr, attr->GetFont());
}

TEST_F(SMenuAttrTest, GreyColourIsTakenOnlyUnderItsOwnSpelling)
{
    auto attr = SAutoRef<SMenuAttr>::Adopt(new SMenuAttr);
    const COLORREF before = attr->GetGrayTextColor();
    EXPECT_EQ(E_FAIL, attr->ApplyAttribute(L"colorTextGray", L"#808080", FALSE));
    EXPECT_EQ(before, attr->GetGrayTextColor());
    EXPECT_EQ(E_FAIL, attr->ApplyAttribute(L"cororTextGray", L"", FALSE));   // empty: refused
    EXPECT_EQ(before, attr->GetGrayTextColor());
    EXPECT_EQ(S_FALSE, attr->ApplyAttribute(L"cororTextGray", L"#808080", FALSE));
    EXPECT_EQ(0xFF808080u, attr->GetGrayTextColor());
    EXPECT_EQ(E_FAIL, attr->ApplyAttribute(L"colorText", L"", FALSE));
    EXPECT_EQ(E_FAIL, attr->ApplyAttribute(L"name", L"x", FALSE));   // not a menu attribute
}

TEST_F(SMenuAttrTest, IconSizeKeepsTheSideItCannotRead)
{
    const struct {
        const wchar_t* value;
        SIZE expected;
    } cases[] = {
        {L"20,24", {20, 24}}, {L"30", {30, 16}}, {L",8", {16, 16}}, {L"", {16, 16}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        auto attr = SAutoRef<SMenuAttr>::Adopt(new SMenuAttr);
        attr->ApplyAttribute(L"iconSize", c.value, FALSE);
        EXPECT_EQ(c.expected.cx, attr->GetIconSize().cx);
        EXPECT_EQ(c.expected.cy, attr->GetIconSize().cy);
    }
}

TEST_F(SMenuAttrTest, UnknownSkinLeavesNoSkin)
{
    auto attr = Built(L"<menu itemSkin='no.such.skin' sepSkin='no.such.skin'/>");
    EXPECT_EQ(nullptr, attr->GetItemSkin());
    EXPECT_EQ(nullptr, attr->GetSepSkin());
    EXPECT_EQ(0, attr->GetItemHeight());   // no skin to take a height from
}

TEST_F(SMenuAttrTest, ItemHeightComesFromTheItemSkinWhenNotGiven)
{
    EXPECT_EQ(30, Built(L"<menu itemSkin='menu.states30'/>")->GetItemHeight());
    EXPECT_EQ(22, Built(L"<menu itemSkin='menu.states30' itemHeight='22'/>")->GetItemHeight());
}

}  // namespace
}  // namespace saku_test

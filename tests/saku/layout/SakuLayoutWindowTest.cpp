// The default layout placing real window trees built from layout XML.

#include "../core/SakuAppTest.h"
#include "LayoutBoxes.h"
#include "core/SWindow.h"
#include "layout/SakuPositions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace SAKU;

namespace {

// A plain window under a tag of the tests' own, so that the tests do not hang on
// which window classes the registrar knows.
class SLayoutBox : public SWindow {
public:
    SOBJECT_CLASS(SWindow, L"box", kObjTypeWindow)
    SOBJECT_BASE_CLASS(L"window")
};

// A root box of the given size built from `children` (the XML inside the root);
// the tree is destroyed with the holder.
class LaidOutTree {
public:
    LaidOutTree(const std::wstring& children, int width, int height)
    {
        const std::wstring xml = L"<box>" + children + L"</box>";
        EXPECT_TRUE(m_document.load_string(xml.c_str())) << xml.c_str();
        m_root = new SLayoutBox;
        m_root->BuildFromXml(m_document.first_child());
        m_root->OnRelayout(RECT{0, 0, width, height});
    }
    ~LaidOutTree() { m_root->DestroyWindow(); }
    LaidOutTree(const LaidOutTree&) = delete;
    LaidOutTree& operator=(const LaidOutTree&) = delete;

    SWindow* Root() const { return m_root; }
    // The rectangle of the window of that name, "missing" when there is none.
    std::wstring RectOf(const wchar_t* name) const
    {
        SWindow* const window = m_root->FindChildByName(name);
        return window ? saku_test::DescribeRect(window->GetWindowRect()) : L"missing";
    }

private:
    pugi::xml_document m_document;
    SWindow* m_root = nullptr;
};

class SakuLayoutOnWindows : public saku_test::SakuAppTest {
protected:
    void SetUp() override
    {
        SakuAppTest::SetUp();
        App().RegisterFactoryOf<SLayoutBox>();
    }

    struct Case {
        std::wstring children;   // named "a", "b", "c" where they are checked
        int width;
        int height;
        std::vector<std::wstring> expected;   // the rectangles of a, b, c in order
    };

    void Check(const Case& c)
    {
        SCOPED_TRACE(testing::Message() << c.children.c_str() << " in " << c.width << "x" << c.height);
        LaidOutTree tree(c.children, c.width, c.height);
        static const wchar_t* const kNames[] = {L"a", L"b", L"c"};
        for (size_t i = 0; i < c.expected.size(); ++i)
            EXPECT_EQ(c.expected[i], tree.RectOf(kNames[i])) << "window " << kNames[i];
    }
};

}  // namespace

TEST_F(SakuLayoutOnWindows, PlacesChildrenByTheirPositions)
{
    const Case cases[] = {
        // The wizard's own.
        {L"<box name='a' pos='-60,0' size='30,30'/><box name='b' pos='-30,0' size='30,30'/>", 340, 420,
         {L"{280,0,310,30}", L"{310,0,340,30}"}},
        {L"<box name='a' pos='0,0,-0,-0'><box name='b' pos='0,0,-0,30'/><box name='c' pos='0,30' size='340,390'/></box>",
         340, 420, {L"{0,0,340,420}", L"{0,0,340,30}", L"{0,30,340,420}"}},
        {L"<box name='a' pos='5,10,-5,-60'/><box name='b' pos='0,-60,-0,-0'/>", 320, 150,
         {L"{5,10,315,90}", L"{0,90,320,150}"}},
        {L"<box name='a' pos='60,8' size='28,24'/><box name='b' pos='[5,8' size='200, 50'/>", 310, 80,
         {L"{60,8,88,32}", L"{93,8,293,58}"}},
        // Centre, percentages, siblings after, siblings by id, offsets.
        {L"<box name='a' pos='|-50,|-20,@100,@40'/><box name='b' pos='%25,0,%-25,@30'/>", 340, 420,
         {L"{120,190,220,230}", L"{85,0,255,30}"}},
        {L"<box name='a' pos=']-10,0' size='20,20'/><box name='b' pos='100,0' size='50,50'/>"
         L"<box name='c' pos='}-10,{5' size='10,10'/>", 340, 420, {L"{90,0,110,20}", L"{100,0,150,50}", L"{330,5,340,15}"}},
        {L"<box name='a' pos='sib.left@3:0,sib.bottom@3:5' size='10,10'/><box id='3' name='b' pos='20,30' size='50,40'/>"
         L"<box name='c' pos='sib.right@4:5,sib.top@3:0' size='10,10'/>", 340, 420,
         {L"{20,75,30,85}", L"{20,30,70,70}", L"{345,30,355,40}"}},
        {L"<box name='a' pos='|0,|0' size='40,20' offset='-0.5,-0.5'/>", 340, 420, {L"{150,200,190,220}"}},
        // A placed parent moves its children by its own top-left.
        {L"<box name='a' pos='10,20,-10,-20'><box name='b' pos='5,5' size='10,10'/><box name='c' pos='-0,-0,@5,@5'/></box>",
         100, 100, {L"{10,20,90,80}", L"{15,25,25,35}", L"{90,80,95,85}"}},
        // Floating windows and windows that give up their place are not laid out.
        {L"<box name='a' pos='0,0' size='10,10'/><box name='b' float='1' visible='0' display='0' size='5,5'/>"
         L"<box name='c' pos='[0,0' size='10,10'/>", 100, 100, {L"{0,0,10,10}", L"{0,0,0,0}", L"{10,0,20,10}"}},
    };
    for (const Case& c : cases)
        Check(c);
}

// A window without "pos" or size wraps its children; one that matches its parent
// takes the parent's size; unset directions follow the positions.
TEST_F(SakuLayoutOnWindows, WrapsContentAndMatchesParent)
{
    const Case cases[] = {
        {L"<box name='a' pos='10,10'><box pos='0,0' size='40,20'/><box pos='[5,0' size='10,30'/></box>", 340, 420,
         {L"{10,10,65,40}"}},
        {L"<box name='a'><box size='40,20'/></box><box name='b'><box size='5,50'/></box>", 340, 420,
         {L"{0,0,40,20}", L"{40,0,45,50}"}},
        {L"<box name='a' pos='10,10' width='full' height='20'/><box name='b' pos='0,0' size='matchParent,wrapContent'>"
         L"<box size='1,7'/></box>", 340, 420, {L"{10,10,340,30}", L"{0,0,340,7}"}},
        {L"<box name='a' pos='0,0'><box pos='10,10,-10,-10'/></box>", 200, 100, {L"{0,0,200,100}"}},
        {L"<box name='a' pos='|0,|0' offset='-0.5,-0.5'><box size='40,20'/></box>", 340, 420,
         {L"{150,200,190,220}"}},
    };
    for (const Case& c : cases)
        Check(c);
}

// Children that wait on each other in a circle end at their markers, far outside
// the parent; the layout returns and the others are placed.
TEST_F(SakuLayoutOnWindows, CircularReferencesEndAtTheirMarkers)
{
    const Case cases[] = {
        {L"<box name='a' pos=']0,0' size='10,10'/><box name='b' pos='[0,0' size='10,10'/><box name='c' pos='1,2' size='3,4'/>",
         100, 100, {L"{~,0,~,10}", L"{~,0,~,10}", L"{1,2,4,6}"}},
        {L"<box name='a' id='5' pos='sib.left@5:0,sib.bottom@5:0' size='10,10'/>", 100, 100, {L"{~,~,~,~}"}},
    };
    for (const Case& c : cases)
        Check(c);
}

TEST_F(SakuLayoutOnWindows, MeasuresWhatTheChildrenNeed)
{
    LaidOutTree tree(L"<box pos='10,10,-10,-10'/><box pos='5,6' size='30,40'/>", 200, 100);
    ILayout* const layout = tree.Root()->GetLayout();
    ASSERT_NE(nullptr, layout);
    SIZE needed = layout->MeasureChildren(tree.Root(), 200, 100);
    EXPECT_EQ(200, needed.cx);   // the first child's right edge plus the 10 it keeps free
    EXPECT_EQ(100, needed.cy);
    needed = layout->MeasureChildren(tree.Root(), 300, kPosWaiting);
    EXPECT_EQ(300, needed.cx);
    EXPECT_EQ(kPosWaiting, needed.cy);
}

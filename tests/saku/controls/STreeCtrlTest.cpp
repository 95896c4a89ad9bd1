// The tree control on a windowless host: items from the layout and from calls,
// rows that show and hide as their parents expand and collapse, tri-state check
// boxes carried down and up (also after a removal), the selection and what a
// removal does to it, scrolling an item into view, the handles and heights it
// refuses, how rows paint, and that its items leave nothing on the heap.

#include "PanelTest.h"

#include "controls/STreeCtrl.h"
#include "core/Events.h"
#include "core/ISlotFunctor.h"

#include <gtest/gtest.h>

#include <malloc.h>

#include <cwchar>
#include <string>
#include <utility>
#include <vector>

using namespace SAKU;
using namespace saku_test;

namespace {

// The events of a tree control, with the expand and double-click events of an
// item logged as "expand <text> <collapsed>" and "dbclick <text>".
struct TreeEvents {
    STreeCtrl* tree = nullptr;
    std::vector<std::wstring> log;
    bool vetoSelection = false;
    bool vetoDbClick = false;

    void Watch(STreeCtrl* watched)
    {
        tree = watched;
        SEventSet* const events = tree->GetEventSet();
        events->SubscribeEvent(EventTCSelChanging::EventID, Subscriber(&TreeEvents::OnChanging, this));
        events->SubscribeEvent(EventTCSelChanged::EventID, Subscriber(&TreeEvents::OnChanged, this));
        events->SubscribeEvent(EventTCExpand::EventID, Subscriber(&TreeEvents::OnExpand, this));
        events->SubscribeEvent(EventTCCheckState::EventID, Subscriber(&TreeEvents::OnCheck, this));
        events->SubscribeEvent(EventTCDbClick::EventID, Subscriber(&TreeEvents::OnDbClick, this));
    }
    std::wstring Text(HSTREEITEM item) const
    {
        SStringW text;
        return tree->GetItemText(item, text) ? std::wstring(text.c_str()) : std::wstring(L"none");
    }
    BOOL OnChanging(EventTCSelChanging* event)
    {
        log.push_back(L"changing " + Text(event->oldItem) + L"->" + Text(event->newItem));
        event->cancel = vetoSelection;
        return TRUE;
    }
    BOOL OnChanged(EventTCSelChanged* event)
    {
        log.push_back(L"changed " + Text(event->oldItem) + L"->" + Text(event->newItem));
        return TRUE;
    }
    BOOL OnExpand(EventTCExpand* event)
    {
        log.push_back(L"expand " + Text(event->item) + L" " + std::to_wstring(event->collapsed));
        return TRUE;
    }
    BOOL OnCheck(EventTCCheckState* event)
    {
        log.push_back(L"check " + Text(event->item));
        return TRUE;
    }
    BOOL OnDbClick(EventTCDbClick* event)
    {
        log.push_back(L"dbclick " + Text(event->item));
        event->cancel = vetoDbClick;
        return TRUE;
    }
    std::vector<std::wstring> Take() { return std::exchange(log, {}); }
};

using Log = std::vector<std::wstring>;

// Rows of 40 px with the 8 x 40 'cells' skin as toggle and check box: the toggle
// at x 0..8, the check box at 8..16 of a row's indented start, the text after 16 +
// the margin. A part's top pixel names its state: CellColour(state).
constexpr int kRow = 40;
constexpr int kIndent = 10;

class STreeCtrlTest : public PanelTest {
protected:
    STreeCtrl* Tree(const wchar_t* items, const wchar_t* extra = L"checkBox='1'")
    {
        const std::wstring xml = std::wstring(L"<x><treectrl name='tree' pos='0,0,@200,@200' margin='0' sbSkin='bar' "
                                              L"itemHeight='40' indent='10' toggleSkin='cells' checkSkin='cells' ") +
                                 extra + L">" + items + L"</treectrl></x>";
        Build(xml.c_str());
        STreeCtrl* const tree = Find<STreeCtrl>(L"tree");
        if (tree)
            m_events.Watch(tree);
        return tree;
    }
    int Rows(STreeCtrl* tree) { return tree->GetViewSize().cy / kRow; }
    // The item of the text: the first in pre-order.
    HSTREEITEM Item(STreeCtrl* tree, const wchar_t* text, HSTREEITEM from = TREE_ITEM_ROOT)
    {
        for (HSTREEITEM child = tree->GetChildItem(from); child; child = tree->GetNextSiblingItem(child)) {
            SStringW own;
            tree->GetItemText(child, own);
            if (own == text)
                return child;
            if (const HSTREEITEM found = Item(tree, text, child))
                return found;
        }
        return 0;
    }
    // The state the part of the row shows, by its top pixel; -1 when none matches.
    int PartShown(int row, int level, int partLeft)
    {
        Paint();
        const std::uint32_t pixel = Pixel(kIndent * level + partLeft + 3, row * kRow + 2);
        for (int state = 0; state < 9; ++state) {
            if (pixel == CellColour(state))
                return state;
        }
        return -1;
    }
    // The check value a row's box shows: 0, 1 or 2 (part-checked).
    int CheckShown(int row, int level)
    {
        const int state = PartShown(row, level, 8);
        return state < 0 ? -1 : state / 3;
    }

    TreeEvents m_events;
};

// G > P > {a, b, c}, each expanded; d beside G.
const wchar_t kFamily[] =
    L"<item text='G'><item text='P'><item text='a'/><item text='b'/><item text='c'/></item></item><item text='d'/>";

}  // namespace

TEST_F(STreeCtrlTest, LoadsItemsWithTheirAttributesAndExpansion)
{
    STreeCtrl* const tree = Tree(L"<item text='a' expand='0' img='2' selImg='' DATA='7'><item text='b'/></item>"
                                 L"<item text='c'/><window text='no item'/>");
    ASSERT_NE(nullptr, tree);
    EXPECT_TRUE(tree->IsClass(L"treectrl"));
    EXPECT_TRUE(tree->IsClass(L"scrollview"));
    EXPECT_EQ(2, Rows(tree));
    const HSTREEITEM a = Item(tree, L"a");
    ASSERT_NE(0u, a);
    int image = -1;
    int selectedImage = -1;
    EXPECT_TRUE(tree->GetItemImage(a, image, selectedImage));
    EXPECT_EQ(2, image);
    EXPECT_EQ(0, selectedImage);   // given empty
    EXPECT_EQ(7u, tree->GetItemData(a));
    EXPECT_TRUE(tree->ItemHasChildren(a));
    EXPECT_TRUE(tree->ItemHasChildren(TREE_ITEM_ROOT));
    EXPECT_EQ(0u, tree->GetParentItem(a));
    EXPECT_EQ(a, tree->GetParentItem(Item(tree, L"b")));
    EXPECT_EQ(Item(tree, L"c"), tree->GetNextSiblingItem(a));
    EXPECT_EQ(0u, tree->GetChildrenCount());   // ordinary children are not built
}

TEST_F(STreeCtrlTest, RowsShowAsTheirParentsExpand)
{
    STreeCtrl* const tree = Tree(L"<item text='P' expand='0'><item text='x'/></item>");
    ASSERT_NE(nullptr, tree);
    const HSTREEITEM p = Item(tree, L"P");
    ASSERT_EQ(1, Rows(tree));
    m_events.Take();

    // Two children under the collapsed P: no row.
    const HSTREEITEM y = tree->InsertItem(L"y", p);
    ASSERT_NE(0u, y);
    tree->InsertItem(L"z", y);
    EXPECT_EQ(1, Rows(tree));

    // Expanding shows x and y and y's child z: one event.
    EXPECT_TRUE(tree->Expand(p, TVE_EXPAND));
    EXPECT_EQ(4, Rows(tree));
    EXPECT_EQ((Log{L"expand P 0"}), m_events.Take());
    EXPECT_FALSE(tree->Expand(p, TVE_EXPAND));
    EXPECT_TRUE(m_events.Take().empty());

    EXPECT_TRUE(tree->Expand(p, TVE_COLLAPSE));
    EXPECT_FALSE(tree->Expand(p, TVE_COLLAPSE));
    EXPECT_EQ(1, Rows(tree));
    EXPECT_EQ((Log{L"expand P 1"}), m_events.Take());

    // A collapsed child of a collapsed item keeps its rows hidden either way.
    EXPECT_TRUE(tree->Expand(y, TVE_COLLAPSE));
    EXPECT_EQ(1, Rows(tree));
    EXPECT_TRUE(tree->Expand(p, TVE_TOGGLE));
    EXPECT_EQ(3, Rows(tree));
    EXPECT_TRUE(tree->Expand(y, TVE_TOGGLE));
    EXPECT_EQ(4, Rows(tree));
    EXPECT_FALSE(tree->Expand(Item(tree, L"x"), TVE_TOGGLE));   // no children

    // Removing the only child takes the parent's toggle.
    EXPECT_TRUE(tree->RemoveItem(Item(tree, L"z")));
    EXPECT_FALSE(tree->ItemHasChildren(y));
    EXPECT_EQ(3, Rows(tree));
    EXPECT_EQ(-1, PartShown(2, 1, 0)) << "y shows no toggle";
    EXPECT_EQ(3, PartShown(0, 0, 0)) << "P shows an expanded toggle";
}

TEST_F(STreeCtrlTest, CheckingCarriesDownAndUp)
{
    STreeCtrl* const tree = Tree(kFamily);
    ASSERT_NE(nullptr, tree);
    const HSTREEITEM p = Item(tree, L"P");
    const HSTREEITEM b = Item(tree, L"b");
    // Rows: G 0, P 1, a 2, b 3, c 4.
    EXPECT_TRUE(tree->SetCheckState(p, TRUE));
    for (const int row : {1, 2, 3, 4})
        EXPECT_EQ(1, CheckShown(row, row == 1 ? 1 : 2)) << row;
    EXPECT_EQ(1, CheckShown(0, 0)) << "G, whose only child is checked";

    EXPECT_TRUE(tree->SetCheckState(b, FALSE));
    EXPECT_EQ(0, CheckShown(3, 2));
    EXPECT_EQ(2, CheckShown(1, 1));
    EXPECT_EQ(2, CheckShown(0, 0));
    EXPECT_TRUE(tree->GetCheckState(p));    // part-checked counts
    EXPECT_FALSE(tree->GetCheckState(b));

    EXPECT_TRUE(tree->SetCheckState(b, TRUE));   // the last unchecked one
    EXPECT_EQ(1, CheckShown(1, 1));
    EXPECT_EQ(1, CheckShown(0, 0));

    tree->SetCheckState(b, FALSE);
    EXPECT_TRUE(tree->SetCheckState(p, TRUE));
    EXPECT_EQ(1, CheckShown(3, 2));
    EXPECT_EQ(1, CheckShown(0, 0));
    EXPECT_FALSE(tree->GetCheckState(Item(tree, L"d"))) << "d is no relative";
}

TEST_F(STreeCtrlTest, ARemovalRecomputesTheParentFromItsRemainingChildren)
{
    const struct {
        const wchar_t* name;
        std::vector<int> values;   // of a, b, c
        const wchar_t* removed;
        int parent;                // P afterwards
    } cases[] = {
        {L"all checked less one", {1, 1, 1}, L"a", 1},
        {L"the unchecked one goes", {1, 0, 1}, L"b", 1},
        {L"a checked one goes", {1, 0, 0}, L"a", 0},
        {L"still mixed", {1, 0, 1}, L"a", 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        STreeCtrl* const tree = Tree(kFamily);
        ASSERT_NE(nullptr, tree);
        const wchar_t* const names[] = {L"a", L"b", L"c"};
        for (int i = 0; i < 3; ++i)
            tree->SetCheckState(Item(tree, names[i]), c.values[i] == 1);
        ASSERT_TRUE(tree->RemoveItem(Item(tree, c.removed)));
        EXPECT_EQ(c.parent, CheckShown(1, 1));
        EXPECT_EQ(c.parent, CheckShown(0, 0)) << "and G above it";
        m_host->DestroyChild(tree);
    }
}

TEST_F(STreeCtrlTest, SelectionFollowsCallsAndIsClearedWithItsSubtree)
{
    STreeCtrl* const tree = Tree(kFamily);
    ASSERT_NE(nullptr, tree);
    const HSTREEITEM b = Item(tree, L"b");
    EXPECT_TRUE(tree->SelectItem(b));
    EXPECT_EQ(b, tree->GetSelectedItem());
    EXPECT_EQ((Log{L"changing none->b", L"changed none->b"}), m_events.Take());

    EXPECT_FALSE(tree->SelectItem(0));
    m_events.vetoSelection = true;
    EXPECT_FALSE(tree->SelectItem(Item(tree, L"a")));
    EXPECT_EQ(b, tree->GetSelectedItem());
    EXPECT_EQ((Log{L"changing b->a"}), m_events.Take());
    m_events.vetoSelection = false;

    // A press on a row selects it.
    Press(100, 4 * kRow + 20);
    Release(100, 4 * kRow + 20);
    EXPECT_EQ(Item(tree, L"c"), tree->GetSelectedItem());
    m_events.Take();

    EXPECT_TRUE(tree->RemoveItem(Item(tree, L"G")));
    EXPECT_EQ(0u, tree->GetSelectedItem());
    EXPECT_EQ(1, Rows(tree));
    EXPECT_TRUE(m_events.Take().empty());
}

TEST_F(STreeCtrlTest, PressesOnTheToggleAndTheCheckBoxWorkThem)
{
    STreeCtrl* const tree = Tree(kFamily);
    ASSERT_NE(nullptr, tree);
    const HSTREEITEM p = Item(tree, L"P");
    // P's row 1, level 1: the toggle at x 10..18, the check box at 18..26.
    Press(12, kRow + 20);
    EXPECT_EQ(3, Rows(tree));                      // collapsed: G, P, d
    EXPECT_EQ(2 + 0, PartShown(1, 1, 0)) << "pushed, collapsed";
    Release(12, kRow + 20);
    EXPECT_EQ(1 + 0, PartShown(1, 1, 0)) << "hovered, collapsed";
    EXPECT_EQ((Log{L"changing none->P", L"changed none->P", L"expand P 1"}), m_events.Take());

    Press(20, kRow + 20);
    EXPECT_TRUE(tree->GetCheckState(p));
    EXPECT_TRUE(m_events.Take().empty());           // the event comes with the release
    Release(20, kRow + 20);
    EXPECT_EQ((Log{L"check P"}), m_events.Take());
    EXPECT_EQ(1 * 3 + 1, PartShown(1, 1, 8)) << "checked and hovered";
    m_host->Mouse(WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(1 * 3 + 0, PartShown(1, 1, 8));

    // A double click on the box: the second press toggles it back, and the item
    // is expanded unless the event is vetoed.
    m_host->Mouse(WM_LBUTTONDBLCLK, 20, kRow + 20, MK_LBUTTON);
    Release(20, kRow + 20);
    EXPECT_FALSE(tree->GetCheckState(p));
    EXPECT_EQ(6, Rows(tree));
    EXPECT_EQ((Log{L"dbclick P", L"expand P 0", L"check P"}), m_events.Take());
    m_events.vetoDbClick = true;
    m_host->Mouse(WM_LBUTTONDBLCLK, 100, kRow + 20, MK_LBUTTON);
    Release(100, kRow + 20);
    EXPECT_EQ(6, Rows(tree));
    EXPECT_EQ((Log{L"dbclick P"}), m_events.Take());
}

TEST_F(STreeCtrlTest, EnsureVisibleExpandsAncestorsAndScrolls)
{
    std::wstring items = L"<item text='first'>";
    for (int i = 0; i < 6; ++i)
        items += L"<item text='f" + std::to_wstring(i) + L"'/>";
    items += L"</item><item text='second' expand='0'><item text='child' expand='0'><item text='grandchild'/>"
             L"</item></item>";
    STreeCtrl* const tree = Tree(items.c_str());
    ASSERT_NE(nullptr, tree);
    ASSERT_EQ(8, Rows(tree));
    m_events.Take();
    const HSTREEITEM grandchild = Item(tree, L"grandchild");
    EXPECT_TRUE(tree->EnsureVisible(grandchild));
    EXPECT_EQ(10, Rows(tree));
    EXPECT_EQ((Log{L"expand child 0", L"expand second 0"}), m_events.Take());
    // Row 9 ends at 400; the client is 192 high under the horizontal bar or 200.
    const RECT client = tree->GetClientRect();
    EXPECT_EQ(10 * kRow - (client.bottom - client.top), tree->GetViewOrigin().y);
    EXPECT_TRUE(tree->EnsureVisible(Item(tree, L"first")));
    EXPECT_EQ(0, tree->GetViewOrigin().y);

    // The row under a point counts from the origin.
    tree->EnsureVisible(grandchild);
    POINT point = {40, client.bottom - 5};
    EXPECT_EQ(grandchild, tree->HitTest(point));
    EXPECT_EQ(40 - 2 * kIndent, point.x);
    EXPECT_EQ(kRow - 5, point.y);
}

TEST_F(STreeCtrlTest, RefusesReservedHandlesAndBadPositions)
{
    STreeCtrl* const tree = Tree(kFamily);
    ASSERT_NE(nullptr, tree);
    const HSTREEITEM p = Item(tree, L"P");
    SStringW text;
    int image = 0;
    for (const HSTREEITEM reserved : {HSTREEITEM(0), TREE_ITEM_ROOT, TREE_ITEM_FIRST, TREE_ITEM_LAST}) {
        SCOPED_TRACE(reserved);
        EXPECT_FALSE(tree->RemoveItem(reserved));
        EXPECT_FALSE(tree->SelectItem(reserved));
        EXPECT_FALSE(tree->Expand(reserved, TVE_TOGGLE));
        EXPECT_FALSE(tree->EnsureVisible(reserved));
        EXPECT_FALSE(tree->SetCheckState(reserved, TRUE));
        EXPECT_FALSE(tree->GetItemText(reserved, text));
        EXPECT_FALSE(tree->SetItemText(reserved, L"x"));
        EXPECT_FALSE(tree->GetItemImage(reserved, image, image));
        EXPECT_FALSE(tree->SetItemData(reserved, 1));
        EXPECT_EQ(0u, tree->GetParentItem(reserved));
        EXPECT_EQ(0u, tree->GetNextSiblingItem(reserved));
    }
    EXPECT_EQ(0u, tree->InsertItem(L"x", p, HSTREEITEM(0)));
    EXPECT_EQ(0u, tree->InsertItem(L"x", p, TREE_ITEM_ROOT));
    EXPECT_EQ(0u, tree->InsertItem(L"x", TREE_ITEM_FIRST));
    EXPECT_EQ(0u, tree->InsertItem(L"x", TREE_ITEM_LAST));
    EXPECT_EQ(0u, tree->InsertItem(L"x", p, Item(tree, L"d")));   // not a child of P
    EXPECT_EQ(6, Rows(tree));
    const HSTREEITEM behindA = tree->InsertItem(L"x", p, Item(tree, L"a"));
    EXPECT_EQ(behindA, tree->GetNextSiblingItem(Item(tree, L"a")));
    EXPECT_EQ(7, Rows(tree));
    const HSTREEITEM first = tree->InsertItem(L"y", TREE_ITEM_ROOT, TREE_ITEM_FIRST);
    EXPECT_EQ(first, tree->GetRootItem());
}

TEST_F(STreeCtrlTest, RefusesRowHeightsOfNoPixels)
{
    STreeCtrl* const tree = Tree(kFamily);
    ASSERT_NE(nullptr, tree);
    for (const wchar_t* height : {L"0", L"-20", L"abc"}) {
        SCOPED_TRACE(height);
        EXPECT_TRUE(FAILED(tree->ApplyAttribute(L"itemHeight", height, FALSE)));
        EXPECT_EQ(6 * kRow, tree->GetViewSize().cy);
    }
    EXPECT_EQ(S_OK, tree->ApplyAttribute(L"itemHeight", L"20", FALSE));
    EXPECT_EQ(6 * 20, tree->GetViewSize().cy);
}

TEST_F(STreeCtrlTest, PaintsRowsIndentedWithTheSelectionBehindTheText)
{
    STreeCtrl* const tree = Tree(kFamily, L"checkBox='1' colorItemSelBkgnd='#0000FF' colorItemText='#000000'");
    ASSERT_NE(nullptr, tree);
    tree->SelectItem(Item(tree, L"P"));
    tree->SetCheckState(Item(tree, L"a"), TRUE);
    Paint();
    Keep(L"tree_ctrl");
    EXPECT_EQ(CellColour(3), Pixel(3, 2)) << "G's toggle, expanded";
    EXPECT_EQ(CellColour(6), Pixel(8 + 3, 2)) << "G's box, part-checked";
    EXPECT_EQ(CellColour(3), Pixel(2 * kIndent + 8 + 3, 2 * kRow + 2)) << "a's box, checked";
    EXPECT_EQ(0xFF0000FFu, Pixel(kIndent + 16 + 4 + 1, kRow + 2)) << "P's text area, selected";
    EXPECT_NE(0xFF0000FFu, Pixel(kIndent + 16 + 2, kRow + 2)) << "the margin before it";
    EXPECT_EQ(-1, PartShown(2, 2, 0)) << "a has no toggle";
}

// The heap's busy blocks, as the C runtime walks them.
int BusyHeapBlocks()
{
    _HEAPINFO info = {};
    int busy = 0;
    while (_heapwalk(&info) == _HEAPOK) {
        if (info._useflag == _USEDENTRY)
            ++busy;
    }
    return busy;
}

TEST_F(STreeCtrlTest, ReleasedWithoutDestroyItLeavesNothingOnTheHeap)
{
    // What one control makes the first time (pools, caches) stays for the next.
    const auto fill = [](STreeCtrl* tree) {
        for (int parent = 0; parent < 10; ++parent) {
            const HSTREEITEM top = tree->InsertItem(L"parent with a long name");
            for (int child = 0; child < 99; ++child)
                tree->InsertItem(L"child", top);
        }
    };
    auto* warm = new STreeCtrl;   // its first reference, released below
    fill(warm);
    warm->Release();

    const int before = BusyHeapBlocks();
    auto* tree = new STreeCtrl;
    fill(tree);
    const int during = BusyHeapBlocks();
    tree->Release();
    const int after = BusyHeapBlocks();
    EXPECT_GT(during, before + 1000);
    EXPECT_EQ(before, after);
}

TEST_F(STreeCtrlTest, SortsRenamesAndEmptiesItsRows)
{
    STreeCtrl* const tree = Tree(L"<item text='c'/><item text='a'><item text='z'/><item text='y'/></item><item text='b'/>",
                                 L"rightClickSel='1'");
    ASSERT_NE(nullptr, tree);
    tree->SortChildren(TREE_ITEM_ROOT, [](void* context, const void* first, const void* second) {
        auto* const sorted = static_cast<STreeCtrl*>(context);
        SStringW a;
        SStringW b;
        sorted->GetItemText(*static_cast<const HSTREEITEM*>(first), a);
        sorted->GetItemText(*static_cast<const HSTREEITEM*>(second), b);
        return wcscmp(a.c_str(), b.c_str());
    }, tree);
    // Rows now a, y, z, b, c: a right click on the third selects z.
    m_host->Mouse(WM_RBUTTONDOWN, 100, 2 * kRow + 20, MK_RBUTTON);
    EXPECT_EQ(Item(tree, L"z"), tree->GetSelectedItem());
    POINT point = {100, 4 * kRow + 20};
    EXPECT_EQ(Item(tree, L"c"), tree->HitTest(point));

    // A longer text widens the view.
    const int width = tree->GetViewSize().cx;
    EXPECT_TRUE(tree->SetItemText(Item(tree, L"b"), L"a much longer text than any other"));
    EXPECT_GT(tree->GetViewSize().cx, width);

    tree->RemoveAllItems();
    EXPECT_EQ(0u, tree->GetRootItem());
    EXPECT_EQ(0u, tree->GetSelectedItem());
    EXPECT_EQ(0, tree->GetViewSize().cy);
    EXPECT_FALSE(tree->ItemHasChildren(TREE_ITEM_ROOT));
    EXPECT_NE(0u, tree->InsertItem(L"again"));
    EXPECT_EQ(1, Rows(tree));
}

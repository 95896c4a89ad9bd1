// The item tree: insert positions and their links, deletion with the values
// handed back children first, the pre-order walk and sorting on every level.

#include "core/CSTree.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace SAKU;

namespace {

// A tree of letters that records each value it frees.
class LetterTree : public CSTree<char> {
public:
    ~LetterTree() override { DeleteAllItems(); }   // our OnNodeFree must still be there

    std::string freed;

    // The children of `item` in sibling order, read forwards and backwards.
    std::string Children(HSTREEITEM item) const
    {
        std::string forwards;
        for (HSTREEITEM child = GetChildItem(item, TRUE); child; child = GetNextSiblingItem(child))
            forwards += GetItem(child);
        std::string backwards;
        for (HSTREEITEM child = GetChildItem(item, FALSE); child; child = GetPrevSiblingItem(child))
            backwards.insert(backwards.begin(), GetItem(child));
        EXPECT_EQ(forwards, backwards);
        return forwards;
    }
    std::string PreOrder() const
    {
        std::string order;
        for (HSTREEITEM item = GetNextItem(TREE_ITEM_ROOT); item; item = GetNextItem(item))
            order += GetItem(item);
        return order;
    }

protected:
    void OnNodeFree(char& value) override { freed += value; }
};

int __cdecl Ascending(void* context, const void* first, const void* second)
{
    auto* const tree = static_cast<LetterTree*>(context);
    return tree->GetItem(*static_cast<const HSTREEITEM*>(first)) - tree->GetItem(*static_cast<const HSTREEITEM*>(second));
}

}  // namespace

TEST(CSTree, InsertPositionsLinkSiblingsBothWays)
{
    const struct {
        HSTREEITEM position;
        const char* expected;   // after inserting a, b, c, d in turn
    } cases[] = {
        {TREE_ITEM_LAST,  "abcd"},
        {TREE_ITEM_FIRST, "dcba"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected);
        LetterTree tree;
        const HSTREEITEM parent = tree.InsertItem('p');
        for (char letter : std::string("abcd"))
            ASSERT_NE(0u, tree.InsertItem(letter, parent, c.position));
        EXPECT_EQ(c.expected, tree.Children(parent));
        EXPECT_EQ(4, tree.GetChildrenCount(parent));
        EXPECT_EQ(parent, tree.GetParentItem(tree.GetChildItem(parent)));
    }
}

TEST(CSTree, TheFirstChildOfAnEmptyListIsAlsoItsLast)
{
    for (HSTREEITEM position : {TREE_ITEM_FIRST, TREE_ITEM_LAST}) {
        LetterTree tree;
        const HSTREEITEM top = tree.InsertItem('a', TREE_ITEM_ROOT, position);
        EXPECT_EQ(top, tree.GetRootItem(TRUE));
        EXPECT_EQ(top, tree.GetRootItem(FALSE));
        const HSTREEITEM child = tree.InsertItem('b', top, position);
        EXPECT_EQ(child, tree.GetChildItem(top, TRUE));
        EXPECT_EQ(child, tree.GetChildItem(top, FALSE));
        EXPECT_EQ(0u, tree.GetParentItem(top));   // a top-level node has no parent
    }
}

TEST(CSTree, InsertsBehindASiblingAndRefusesOneOfAnotherParent)
{
    LetterTree tree;
    const HSTREEITEM a = tree.InsertItem('a');
    const HSTREEITEM c = tree.InsertItem('c');
    tree.InsertItem('b', TREE_ITEM_ROOT, a);
    EXPECT_EQ("abc", tree.Children(TREE_ITEM_ROOT));
    // Behind the last sibling is the same as at the end.
    const HSTREEITEM d = tree.InsertItem('d', 0, c);
    EXPECT_EQ(d, tree.GetRootItem(FALSE));
    EXPECT_EQ("abcd", tree.Children(TREE_ITEM_ROOT));

    const HSTREEITEM child = tree.InsertItem('x', a);
    EXPECT_EQ(0u, tree.InsertItem('y', TREE_ITEM_ROOT, child));   // child is not a top-level node
    EXPECT_EQ(0u, tree.InsertItem('y', c, child));
    EXPECT_EQ("abcd", tree.Children(TREE_ITEM_ROOT));
    EXPECT_EQ("x", tree.Children(a));
    EXPECT_EQ(0, tree.GetChildrenCount(c));
}

TEST(CSTree, DeletionFreesTheSubtreeChildrenFirstAndReturnsTheNextSibling)
{
    LetterTree tree;
    const HSTREEITEM a = tree.InsertItem('a');
    const HSTREEITEM b = tree.InsertItem('b');
    const HSTREEITEM c = tree.InsertItem('c');
    const HSTREEITEM b1 = tree.InsertItem('1', b);
    tree.InsertItem('3', b1);
    tree.InsertItem('2', b);

    EXPECT_EQ(c, tree.DeleteItem(b));
    EXPECT_EQ("312b", tree.freed);
    EXPECT_EQ("ac", tree.Children(TREE_ITEM_ROOT));

    // The first top-level node goes: its next sibling is first now.
    EXPECT_EQ(c, tree.DeleteItem(a));
    EXPECT_EQ(c, tree.GetRootItem(TRUE));
    // The only one goes: the tree is empty; the last sibling has no next.
    EXPECT_EQ(0u, tree.DeleteItem(c));
    EXPECT_EQ(0u, tree.GetRootItem(TRUE));
    EXPECT_EQ(0u, tree.GetRootItem(FALSE));
    EXPECT_EQ("312bac", tree.freed);
}

TEST(CSTree, DeletingWhileWalkingSiblingsGoesOnFromTheResult)
{
    LetterTree tree;
    for (char letter : std::string("abcde"))
        tree.InsertItem(letter);
    for (HSTREEITEM item = tree.GetRootItem(); item;)
        item = tree.GetItem(item) % 2 ? tree.DeleteItem(item) : tree.GetNextSiblingItem(item);   // a, c, e are odd
    EXPECT_EQ("bd", tree.Children(TREE_ITEM_ROOT));
}

TEST(CSTree, RootAndDeleteAllFreeEverything)
{
    LetterTree tree;
    tree.DeleteAllItems();   // an empty tree frees nothing
    EXPECT_EQ("", tree.freed);
    tree.InsertItem('1', tree.InsertItem('a'));
    tree.InsertItem('b');
    EXPECT_EQ(0u, tree.DeleteItem(TREE_ITEM_ROOT));
    EXPECT_EQ("1ab", tree.freed);
    EXPECT_EQ(0u, tree.GetRootItem());
    EXPECT_EQ(0, tree.GetChildrenCount(TREE_ITEM_ROOT));
}

TEST(CSTree, WalksInPreOrderAndEndsAfterADeepLastBranch)
{
    LetterTree tree;
    const HSTREEITEM a = tree.InsertItem('a');
    tree.InsertItem('c', tree.InsertItem('b', a));
    const HSTREEITEM d = tree.InsertItem('d');
    const HSTREEITEM e = tree.InsertItem('e', d);
    const HSTREEITEM f = tree.InsertItem('f', tree.InsertItem('g', e));
    EXPECT_EQ("abcdegf", tree.PreOrder());
    EXPECT_EQ(0u, tree.GetNextItem(f));
    EXPECT_EQ(2, tree.GetChildrenCount(TREE_ITEM_ROOT));
}

TEST(CSTree, SortsEveryLevelBelowTheNode)
{
    LetterTree tree;
    const HSTREEITEM only = tree.InsertItem('r');
    const HSTREEITEM z = tree.InsertItem('z', only);   // one child: nothing to sort at this level
    for (char letter : std::string("qdwa"))
        tree.InsertItem(letter, z);
    const HSTREEITEM y = tree.InsertItem('y', z, TREE_ITEM_FIRST);
    for (char letter : std::string("321"))
        tree.InsertItem(letter, y);

    tree.SortChildren(only, Ascending, &tree);
    EXPECT_EQ("z", tree.Children(only));
    EXPECT_EQ("adqwy", tree.Children(z));
    EXPECT_EQ("123", tree.Children(y));
    EXPECT_EQ("rzadqwy123", tree.PreOrder());
}

TEST(CSTree, SortsTheTopLevel)
{
    LetterTree tree;
    for (char letter : std::string("cab"))
        tree.InsertItem(letter);
    tree.SortChildren(TREE_ITEM_ROOT, Ascending, &tree);
    EXPECT_EQ("abc", tree.Children(TREE_ITEM_ROOT));
    EXPECT_EQ('a', tree.GetItem(tree.GetRootItem(TRUE)));
    EXPECT_EQ('c', tree.GetItem(tree.GetRootItem(FALSE)));
}

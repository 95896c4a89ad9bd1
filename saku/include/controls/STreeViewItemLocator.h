#pragma once

#include "controls/ITreeViewItemLocator.h"
#include "core/SAutoRef.h"

namespace SAKU {

// The tree view's locator. Per item it keeps, in the adapter's slots, the row's
// height and width, the branch height (the visible heights of its children added
// up), the branch width (the widest visible row inside, indent included) and its
// offset inside its parent's branch; an item's visible height is its own plus,
// when expanded, its branch's. So a change walks up one path and along one
// sibling list, and a position is found by descending one path from the root.
// Unmeasured rows are 50 high and 10 wide. Reference counted, born with 1. UI thread.
class STreeViewItemLocator : public TObjRefImpl<ITreeViewItemLocator> {
public:
    explicit STreeViewItemLocator(int indent);
    ~STreeViewItemLocator() override;

    int GetIndent() const { return m_indent; }

    // ---- ITreeViewItemLocator overrides ---------------------------------------------
    void SetAdapter(ITreeViewAdapter* adapter) override;
    void OnBranchChanged(HSTREEITEM branch) override;
    void OnBranchExpandedChanged(HSTREEITEM item, BOOL wasExpanded, BOOL expanded) override;
    int GetTotalHeight() override;
    int GetTotalWidth() override;
    int Item2Position(HSTREEITEM item) override;
    HSTREEITEM Position2Item(int position) override;
    int GetScrollLineSize() override { return kLineHeight; }
    void SetItemWidth(HSTREEITEM item, int width) override;
    int GetItemWidth(HSTREEITEM item) override;
    void SetItemHeight(HSTREEITEM item, int height) override;
    int GetItemHeight(HSTREEITEM item) override;
    int GetItemIndent(HSTREEITEM item) override;

private:
    static constexpr int kLineHeight = 50;
    static constexpr int kDefaultHeight = 50;
    static constexpr int kDefaultWidth = 10;

    int Slot(HSTREEITEM item, int index);
    void SetSlot(HSTREEITEM item, int index, int value);
    int VisibleHeight(HSTREEITEM item);
    int VisibleWidth(HSTREEITEM item);
    // What a branch adds to its children's widths: the indent, except at the top.
    int IndentUnder(HSTREEITEM parent) const;
    void InitBranch(HSTREEITEM item);
    // The ancestors' branch heights up to the first collapsed one.
    void AddToAncestors(HSTREEITEM item, int difference);
    // The offsets of the siblings after the item, and after its ancestors while
    // they are expanded.
    void ShiftFollowing(HSTREEITEM item);
    // The item's visible width went from `before` to `after`: its parent's branch
    // width follows, and so on up while the branches are expanded.
    void WidthChanged(HSTREEITEM item, int before, int after);

    SAutoRef<ITreeViewAdapter> m_adapter;
    const int m_indent;
};

}  // namespace SAKU

#pragma once

#include "controls/IListViewItemLocator.h"
#include "core/CSTree.h"
#include "core/SAutoRef.h"
#include "core/SDynArray.h"
#include "core/SLayoutDim.h"

#include <vector>

namespace SAKU {

// The rows below one node of the flexible locator's branch tree.
struct BranchInfo {
    int height = 0;   // the sum of their pitches
    int count = 0;
};

// The geometry of a list whose rows have individual heights, known only once a
// row is laid out (until then a row has the default height). Rows are grouped in
// segments of 50 under a tree of branch totals with up to ten branches per level,
// so that a height change walks one branch up and a position lookup walks one
// branch down. Measured heights live until the next OnDataChanged (a data,
// adapter or scale change). Reference counted, born with 1. UI thread.
class SListViewItemLocatorFlex : public TObjRefImpl<IListViewItemLocator> {
public:
    static constexpr int kSegmentRows = 50;
    static constexpr int kBranchFanOut = 10;

    SListViewItemLocatorFlex(const SLayoutDim& defHeight, const SLayoutDim& dividerSize);
    ~SListViewItemLocatorFlex() override;

    // For tests of the tree's shape.
    const CSTree<BranchInfo>& GetBranchTree() const { return m_branches; }
    int GetSegmentCount() const { return m_segments.GetCount(); }

    // IListViewItemLocator overrides
    void SetAdapter(ILvAdapter* adapter) override;
    void OnDataChanged() override;
    BOOL IsFixHeight() override { return FALSE; }
    int QueryItemHeight(int position) override;
    void AssignItemHeight(int position, int height) override;
    int QueryTotalHeight() override;
    int Item2Position(int position) override;
    int Position2Item(int position) override;
    int GetScrollLineSize() override { return DefaultPitch(); }
    int GetDividerSize() override;
    void SetScale(int scale) override;

private:
    // A leaf of the branch tree and the rows it holds: [first, first + count).
    struct Segment {
        HSTREEITEM leaf;
        int count;
    };

    int DefaultPitch() const;
    int PitchOf(int row) const;
    // Builds the subtree for `count` rows under `parent`, which holds at most `capacity`.
    void Build(HSTREEITEM parent, int count, int capacity);
    // The heights (or counts) of every node before `node` in row order: its
    // previous siblings, those of its parent, and so on up.
    int SumBefore(HSTREEITEM node, int BranchInfo::*field) const;

    SLayoutDim m_defHeight;
    SLayoutDim m_dividerSize;
    int m_scale = 100;
    CSTree<BranchInfo> m_branches;
    SDynArray<Segment> m_segments;
    std::vector<int> m_pitches;   // per row; -1 until measured (the default pitch)
    SAutoRef<ILvAdapter> m_adapter;
};

}  // namespace SAKU

#pragma once

#include "core/CSTree.h"
#include "core/IObjRef.h"

namespace SAKU {

struct ITreeViewAdapter;

// The geometry of a tree view's items: where an item lies, which item lies at a
// scroll position, how tall and wide the visible tree is. The numbers live in the
// adapter's storage slots of each item, so a change of one branch is laid out
// without walking the others. Pixels. The view holds the locator's reference; the
// locator holds one of the adapter. UI thread.
struct ITreeViewItemLocator : IObjRef {
    virtual void SetAdapter(ITreeViewAdapter* adapter) = 0;
    // The items under `branch` changed: the branch is laid out again with the
    // default sizes until its rows are measured.
    virtual void OnBranchChanged(HSTREEITEM branch) = 0;
    virtual void OnBranchExpandedChanged(HSTREEITEM item, BOOL wasExpanded, BOOL expanded) = 0;

    virtual int GetTotalHeight() = 0;
    virtual int GetTotalWidth() = 0;
    // The top of a visible item, or -1 for an item under a collapsed one.
    virtual int Item2Position(HSTREEITEM item) = 0;
    // The visible item at a vertical position, or 0 past the last.
    virtual HSTREEITEM Position2Item(int position) = 0;
    virtual int GetScrollLineSize() = 0;

    // A row's size as measured.
    virtual void SetItemWidth(HSTREEITEM item, int width) = 0;
    virtual int GetItemWidth(HSTREEITEM item) = 0;
    virtual void SetItemHeight(HSTREEITEM item, int height) = 0;
    virtual int GetItemHeight(HSTREEITEM item) = 0;
    // The left of the item's row: the indent times its depth below the top level.
    virtual int GetItemIndent(HSTREEITEM item) = 0;

protected:
    ~ITreeViewItemLocator() = default;
};

}  // namespace SAKU

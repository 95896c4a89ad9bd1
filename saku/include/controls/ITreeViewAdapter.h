#pragma once

#include "core/CSTree.h"
#include "core/IObjRef.h"

#include <windows.h>

namespace pugi {
class xml_node;
}

namespace SAKU {

class SWindow;

// How an adapter's item changes its expanded flag.
constexpr UINT kTvCollapse = 1;
constexpr UINT kTvExpand = 2;
constexpr UINT kTvToggle = 3;

// What a tree adapter tells the views that show its items. Items are the
// adapter's handles: 0 is no item, TREE_ITEM_ROOT the parent of the top-level
// items. The adapter keeps a reference to each registered observer until it is
// unregistered. UI thread.
struct ITvDataSetObserver : IObjRef {
    // Items under `branch` were added, removed or moved: the view lays the branch
    // out anew, and forgets a selected item that is no longer in it.
    virtual void OnBranchChanged(HSTREEITEM branch) = 0;
    // Items under `branch` show other contents.
    virtual void OnBranchInvalidated(HSTREEITEM branch) = 0;
    virtual void OnBranchExpandedChanged(HSTREEITEM item, BOOL wasExpanded, BOOL expanded) = 0;

protected:
    ~ITvDataSetObserver() = default;
};

// The data source of a tree view: the items, their links and expanded flags, and
// how a row window shows one. Besides, the adapter keeps for the root and every
// item the storage slots 0 to 5 (pointer-sized, 0 at first) in which the view's
// locator keeps the item's geometry. The view reuses row windows, so GetView must
// set everything a row shows; a row window is empty only on its first use. The
// view keeps one reference to its adapter. UI thread.
struct ITreeViewAdapter : IObjRef {
    // Adds the observer once, with a reference of its own.
    virtual void RegisterDataSetObserver(ITvDataSetObserver* observer) = 0;
    // Removes the observer and releases it; nothing when it is not registered.
    virtual void UnregisterDataSetObserver(ITvDataSetObserver* observer) = 0;

    virtual ULONG_PTR GetItemSlot(HSTREEITEM item, int index) = 0;
    virtual void SetItemSlot(HSTREEITEM item, int index, ULONG_PTR value) = 0;

    // The links, 0 where there is none; the root's children are the top-level items.
    virtual HSTREEITEM GetParentItem(HSTREEITEM item) = 0;
    virtual HSTREEITEM GetFirstChildItem(HSTREEITEM item) = 0;
    virtual HSTREEITEM GetLastChildItem(HSTREEITEM item) = 0;
    virtual HSTREEITEM GetPrevSiblingItem(HSTREEITEM item) = 0;
    virtual HSTREEITEM GetNextSiblingItem(HSTREEITEM item) = 0;
    virtual BOOL HasChildren(HSTREEITEM item) = 0;

    // Visible: every ancestor expanded. The visible items in display order, 0
    // before the first and after the last.
    virtual BOOL IsItemVisible(HSTREEITEM item) = 0;
    virtual HSTREEITEM GetFirstVisibleItem() = 0;
    virtual HSTREEITEM GetPrevVisibleItem(HSTREEITEM item) = 0;
    virtual HSTREEITEM GetNextVisibleItem(HSTREEITEM item) = 0;

    // kTvCollapse, kTvExpand or kTvToggle; a change of the flag is told to the
    // observers with OnBranchExpandedChanged.
    virtual void ExpandItem(HSTREEITEM item, UINT code) = 0;
    // The root counts as expanded.
    virtual BOOL IsItemExpanded(HSTREEITEM item) = 0;

    // Fills the row window for `item`; an empty window builds its children from
    // `xmlTemplate` (the first child of the view's template).
    virtual void GetView(HSTREEITEM item, SWindow* itemWnd, pugi::xml_node xmlTemplate) = 0;
    // The view type (0 to GetViewTypeCount() - 1); items of one type share recycled windows.
    virtual int GetViewType(HSTREEITEM item) = 0;
    virtual int GetViewTypeCount() = 0;   // at least 1
    // The row's width and height for a container rectangle whose left is the
    // item's indent and whose right the view's client width.
    virtual void GetViewDesiredSize(SIZE* size, HSTREEITEM item, SWindow* itemWnd, const RECT* container) = 0;
    // TRUE: rows follow the view's width, so the view never scrolls across.
    virtual BOOL IsViewWidthMatchParent() = 0;
    // Reads the adapter's own attributes from the view's template.
    virtual void InitByTemplate(pugi::xml_node xmlTemplate) = 0;

protected:
    ~ITreeViewAdapter() = default;
};

}  // namespace SAKU

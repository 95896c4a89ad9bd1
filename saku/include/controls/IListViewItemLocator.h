#pragma once

#include "core/IObjRef.h"

#include <windows.h>

namespace SAKU {

struct ILvAdapter;

// The row geometry of an adapter-driven list: how tall a row is, where it starts,
// which row lies at a scroll position, how tall the whole list is. Heights are in
// pixels at the locator's scale; a row's pitch is its height plus the divider
// below it. The list holds the locator's reference; the locator holds one of the
// adapter, for its row count. UI thread.
struct IListViewItemLocator : IObjRef {
    virtual void SetAdapter(ILvAdapter* adapter) = 0;
    // The row set changed.
    virtual void OnDataChanged() = 0;
    // TRUE when every row has one height: the list sizes rows itself, unmeasured.
    virtual BOOL IsFixHeight() = 0;
    // The row's height, without its divider.
    virtual int QueryItemHeight(int position) = 0;
    // Records a measured row height.
    virtual void AssignItemHeight(int position, int height) = 0;
    // All rows, without the divider after the last one.
    virtual int QueryTotalHeight() = 0;
    // The top of the row.
    virtual int Item2Position(int position) = 0;
    // The row at a vertical position, or -1.
    virtual int Position2Item(int position) = 0;
    // The line step of the list's scroll bar.
    virtual int GetScrollLineSize() = 0;
    virtual int GetDividerSize() = 0;
    // Percent.
    virtual void SetScale(int scale) = 0;

protected:
    ~IListViewItemLocator() = default;
};

}  // namespace SAKU

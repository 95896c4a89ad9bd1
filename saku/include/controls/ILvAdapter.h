#pragma once

#include "core/IObjRef.h"
#include "core/TStringT.h"

#include <windows.h>

namespace pugi {
class xml_node;
}

namespace SAKU {

class SWindow;

// Row state bits that an adapter sees in GetItemViewType.
constexpr DWORD kLvItemHover = 0x01;
constexpr DWORD kLvItemSelected = 0x04;

// What an adapter tells the lists that show its rows. The list creates its
// observer and registers it with the adapter, which keeps a reference until the
// observer is unregistered. UI thread.
struct ILvDataSetObserver : IObjRef {
    // Rows were added, removed or resized: the list reads everything again.
    virtual void OnChanged() = 0;
    // Row contents changed: the list refreshes its visible rows at the next paint.
    virtual void OnInvalidated() = 0;

protected:
    ~ILvDataSetObserver() = default;
};

// The data source of an adapter-driven list: how many rows there are and how a
// row window shows one. The list keeps one reference to its adapter; the adapter
// keeps one to each registered observer. The list reuses row windows, so GetView
// must set everything a row shows; a row window is empty only on its first use.
// UI thread.
struct ILvAdapter : IObjRef {
    // Adds the observer once, with a reference of its own.
    virtual void RegisterDataSetObserver(ILvDataSetObserver* observer) = 0;
    // Removes the observer and releases it; nothing when it is not registered.
    virtual void UnregisterDataSetObserver(ILvDataSetObserver* observer) = 0;
    virtual int GetCount() = 0;
    // Fills the row window for `position`; an empty window builds its children
    // from `xmlTemplate` (the first child of the list's template).
    virtual void GetView(int position, SWindow* itemWnd, pugi::xml_node xmlTemplate) = 0;
    // The view type (0 to GetViewTypeCount() - 1) of the row in `state`
    // (kLvItemHover, kLvItemSelected); rows of one type share recycled windows.
    virtual int GetItemViewType(int position, DWORD state) = 0;
    virtual int GetViewTypeCount() = 0;   // at least 1
    // The row's size for a container rectangle; lists use the height, and only
    // when rows have individual heights.
    virtual void GetViewDesiredSize(SIZE* size, int position, SWindow* itemWnd, const RECT* container) = 0;
    virtual BOOL HasItems() = 0;
    virtual ULONG_PTR GetItemData(int position) = 0;
    virtual SStringW GetItemDesc(int position) = 0;
    // Reads the adapter's own attributes from the list's template.
    virtual void InitByTemplate(pugi::xml_node xmlTemplate) = 0;
    virtual ULONG_PTR GetItemId(int position) = 0;
    // The view type when the row's state does not matter.
    virtual int GetPositionViewType(int position) = 0;

protected:
    ~ILvAdapter() = default;
};

}  // namespace SAKU

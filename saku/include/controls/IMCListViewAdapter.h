#pragma once

#include "controls/ILvAdapter.h"

namespace SAKU {

// The data source of a multi-column list view: a list adapter that also names,
// for each data column, the row window that shows it, says which header items
// show, and sorts its rows. Data columns are the header items' orders, so they
// follow the data when the header's items are reordered. Held as ILvAdapter. UI
// thread.
struct IMCListViewAdapter : ILvAdapter {
    // The name of the window inside a row that shows the data column.
    virtual void GetColumnName(SStringW& name, int dataColumn) = 0;
    // Whether the header item at this display index is shown.
    virtual BOOL IsColumnVisible(int headerIndex) = 0;
    // Sorts the rows by `dataColumn`, clicked in the header. `flags` holds the
    // sort mark of every data column (0 none, 1 up, 2 down), `count` of them; the
    // adapter may rewrite them. TRUE when it sorted: the marks are then shown.
    virtual BOOL OnSort(int dataColumn, int* flags, int count) = 0;

protected:
    ~IMCListViewAdapter() = default;
};

}  // namespace SAKU

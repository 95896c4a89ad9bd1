#pragma once

#include "controls/ITreeViewAdapter.h"

namespace SAKU {

// Passes a tree adapter's notifications on to its view, which holds the only
// reference besides the adapter's and outlives the registration.
template <class View>
class TreeViewDataSetObserver : public TObjRefImpl<ITvDataSetObserver> {
public:
    explicit TreeViewDataSetObserver(View* view) : m_view(view) {}

    void OnBranchChanged(HSTREEITEM branch) override { m_view->OnBranchChanged(branch); }
    void OnBranchInvalidated(HSTREEITEM branch) override { m_view->OnBranchChanged(branch); }
    void OnBranchExpandedChanged(HSTREEITEM item, BOOL wasExpanded, BOOL expanded) override
    {
        m_view->OnBranchExpandedChanged(item, wasExpanded, expanded);
    }

private:
    View* m_view;
};

}  // namespace SAKU

#pragma once

#include "controls/ILvAdapter.h"

namespace SAKU {

// Passes an adapter's notifications on to its view, which holds the only
// reference besides the adapter's and outlives the registration.
template <class View>
class ViewDataSetObserver : public TObjRefImpl<ILvDataSetObserver> {
public:
    explicit ViewDataSetObserver(View* view) : m_view(view) {}

    void OnChanged() override { m_view->OnDataSetChanged(); }
    void OnInvalidated() override { m_view->OnDataSetInvalidated(); }

private:
    View* m_view;
};

}  // namespace SAKU

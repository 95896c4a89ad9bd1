#pragma once

#include "controls/IListViewItemLocator.h"
#include "core/SAutoRef.h"
#include "core/SLayoutDim.h"

namespace SAKU {

// The geometry of a list whose rows all have one height: every answer is
// arithmetic on the row pitch. Reference counted, born with 1. UI thread.
class SListViewItemLocatorFix : public TObjRefImpl<IListViewItemLocator> {
public:
    SListViewItemLocatorFix(const SLayoutDim& itemHeight, const SLayoutDim& dividerSize);
    ~SListViewItemLocatorFix() override;

    // IListViewItemLocator overrides
    void SetAdapter(ILvAdapter* adapter) override;
    void OnDataChanged() override {}
    BOOL IsFixHeight() override { return TRUE; }
    int QueryItemHeight(int position) override;
    void AssignItemHeight(int /*position*/, int /*height*/) override {}
    int QueryTotalHeight() override;
    int Item2Position(int position) override;
    // The row count itself for a position below the last row; 0 above the first.
    int Position2Item(int position) override;
    int GetScrollLineSize() override { return Pitch(); }
    int GetDividerSize() override;
    void SetScale(int scale) override { m_scale = scale; }

private:
    int Pitch() const;

    SLayoutDim m_itemHeight;
    SLayoutDim m_dividerSize;
    int m_scale = 100;
    SAutoRef<ILvAdapter> m_adapter;
};

}  // namespace SAKU

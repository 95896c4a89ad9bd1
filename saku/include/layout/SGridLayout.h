#pragma once

#include "core/ILayout.h"
#include "core/SAttributeMap.h"
#include "core/SObjectFactory.h"
#include "core/SObjectImpl.h"
#include "layout/LayoutGravity.h"
#include "layout/SGridLayoutParam.h"

namespace SAKU {

// A layout that flows the children in sibling order into a grid of "columnCount"
// columns and "rowCount" rows (-1: follows from the other count and the number
// of children; both -1 places nothing; 0 or less than -1 is refused with E_FAIL
// and the count stays), each child over "columnSpan" x "rowSpan" cells of its
// SGridLayoutParam. Each column is as wide as its widest cell and each row as
// high as its highest, with "xInterval" and "yInterval" between them; column and
// row weights share the free space; each child sits in its cells by its own
// gravities or the layout's "xGravity" and "yGravity" (centred by default). The
// arithmetic is GridCells.h's. Keeps no state between calls. Owned by its
// window; UI thread.
class SGridLayout : public TObjRefImpl<SObjectImpl<ILayout>> {
public:
    SOBJECT_CLASS(SObjectImpl<ILayout>, L"gridLayout", kObjTypeLayout)
    SOBJECT_BASE_CLASS(L"object")

    BEGIN_ATTRIBUTES(SGridLayout)
        ATTRIBUTE_HANDLER(L"columnCount", OnAttrColumnCount)
        ATTRIBUTE_HANDLER(L"rowCount",    OnAttrRowCount)
        ATTRIBUTE_FIELD  (L"xInterval",   m_xInterval, SLayoutDim,       kNoRefresh)
        ATTRIBUTE_FIELD  (L"yInterval",   m_yInterval, SLayoutDim,       kNoRefresh)
        ATTRIBUTE_FIELD  (L"xGravity",    m_xGravity,  ParseGridGravity, kNoRefresh)
        ATTRIBUTE_FIELD  (L"yGravity",    m_yGravity,  ParseGridGravity, kNoRefresh)
    END_ATTRIBUTES_CHAIN(SObjectImpl<ILayout>)

    int GetColumnCount() const { return m_columnCount; }
    int GetRowCount() const { return m_rowCount; }

    // IObject overrides: an attribute that is not the layout's goes on to the window.
    HRESULT DefAttributeProc(const SStringW&, const SStringW&, BOOL) override { return E_NOTIMPL; }

    // ILayout overrides
    // Only a SGridLayoutParam.
    bool IsParamAcceptable(ILayoutParam* param) const override;
    // Places the parent's layout children in their cells of its children-layout
    // rectangle through their OnRelayout; children with no free cell left stay
    // where they are.
    void LayoutChildren(SWindow* parent) override;
    // A cleared SGridLayoutParam; null when memory ran out.
    ILayoutParam* CreateLayoutParam() const override;
    // The columns' and rows' sizes with their intervals; the given size is not used.
    SIZE MeasureChildren(SWindow* parent, int width, int height) const override;

private:
    HRESULT OnAttrColumnCount(const SStringW& value, BOOL);
    HRESULT OnAttrRowCount(const SStringW& value, BOOL);

    int m_columnCount = -1;
    int m_rowCount = -1;
    SLayoutDim m_xInterval;
    SLayoutDim m_yInterval;
    int m_xGravity = kGravityCenter;
    int m_yGravity = kGravityCenter;
};

}  // namespace SAKU

#pragma once

#include "core/ILayout.h"
#include "core/SAttributeMap.h"
#include "core/SObjectFactory.h"
#include "core/SObjectImpl.h"
#include "layout/LayoutGravity.h"

namespace SAKU {

// A layout that stacks the children in one row ("orientation" "horizontal") or
// one column ("vertical") in sibling order: each child takes its size plus its
// extends (SLinearLayoutParam), children with a weight share the length left
// over, and each sits across the row or column by its "layout_gravity" or the
// layout's "gravity" ("left" or "top", "center", "right" or "bottom"). Words
// compare exactly; another word is refused with E_FAIL and the value stays.
// Keeps no state between calls. Owned by its window; UI thread.
class SLinearLayout : public TObjRefImpl<SObjectImpl<ILayout>> {
public:
    SOBJECT_CLASS(SObjectImpl<ILayout>, L"linearLayout", kObjTypeLayout)
    SOBJECT_BASE_CLASS(L"object")

    static constexpr int kHorizontal = 0;
    static constexpr int kVertical = 1;
    static constexpr AttributeWord kOrientationWords[] = {{L"horizontal", kHorizontal}, {L"vertical", kVertical}};

    BEGIN_ATTRIBUTES(SLinearLayout)
        ATTRIBUTE_WORD(L"orientation", m_orientation, kOrientationWords,   kExactCase, kNoRefresh)
        ATTRIBUTE_WORD(L"gravity",     m_gravity,     kLinearGravityWords, kExactCase, kNoRefresh)
    END_ATTRIBUTES_CHAIN(SObjectImpl<ILayout>)

    int GetOrientation() const { return m_orientation; }
    int GetGravity() const { return m_gravity; }

    // IObject overrides: an attribute that is not the layout's goes on to the window.
    HRESULT DefAttributeProc(const SStringW&, const SStringW&, BOOL) override { return E_NOTIMPL; }

    // ILayout overrides
    // Only a SLinearLayoutParam.
    bool IsParamAcceptable(ILayoutParam* param) const override;
    // Places the parent's layout children in a row or column of its children-layout
    // rectangle through their OnRelayout; children that overflow run past its end.
    void LayoutChildren(SWindow* parent) override;
    // A cleared SLinearLayoutParam; null when memory ran out.
    ILayoutParam* CreateLayoutParam() const override;
    // The row's (or column's) total length by its thickest child.
    SIZE MeasureChildren(SWindow* parent, int width, int height) const override;

protected:
    int m_orientation = kHorizontal;
    int m_gravity = kGravityNone;
};

// A linear layout that starts as a row.
class SHBox : public SLinearLayout {
public:
    SOBJECT_CLASS(SLinearLayout, L"hbox", kObjTypeLayout)
    SOBJECT_BASE_CLASS(L"linearLayout")
};

// A linear layout that starts as a column.
class SVBox : public SLinearLayout {
public:
    SOBJECT_CLASS(SLinearLayout, L"vbox", kObjTypeLayout)
    SOBJECT_BASE_CLASS(L"linearLayout")

    SVBox() { m_orientation = kVertical; }
};

}  // namespace SAKU

#pragma once

#include "core/ILayout.h"
#include "core/SAttributeMap.h"
#include "core/SObjectImpl.h"
#include "layout/SakuLayoutParamStruct.h"

namespace SAKU {

// How a child asks SakuLayout to place it: "pos", "width", "height", "size" and
// "offset" (names in any case). Each window holds one, made by its parent's
// layout; cleared before the window reads its XML. UI thread.
class SakuLayoutParam : public TObjRefImpl<SObjectImpl<ILayoutParam>> {
public:
    SOBJECT_CLASS(SObjectImpl<ILayoutParam>, L"SakuLayoutParam", kObjTypeNone)

    BEGIN_ATTRIBUTES(SakuLayoutParam)
        ATTRIBUTE_SETTER(L"width",  m_data, SetWidth)
        ATTRIBUTE_SETTER(L"height", m_data, SetHeight)
        ATTRIBUTE_SETTER(L"size",   m_data, SetSize)
        ATTRIBUTE_SETTER(L"pos",    m_data, SetPos)
        ATTRIBUTE_SETTER(L"offset", m_data, SetOffset)
    END_ATTRIBUTES_CHAIN(SObjectImpl<ILayoutParam>)

    const SakuLayoutParamStruct& GetData() const { return m_data; }

    // IObject overrides: an attribute that is not a layout parameter is not taken.
    HRESULT DefAttributeProc(const SStringW&, const SStringW&, BOOL) override { return E_NOTIMPL; }

    // ILayoutParam overrides. The setters act on Horz, Vert and Both; Any is a question only.
    void Clear() override { m_data = SakuLayoutParamStruct(); }
    bool IsMatchParent(ORIENTATION orientation) const override;
    // A size of -1, or no "pos" and no size.
    bool IsWrapContent(ORIENTATION orientation) const override;
    bool IsSpecifiedSize(ORIENTATION orientation) const override;
    // The height for Vert, else the width.
    SLayoutDim GetSpecifiedSize(ORIENTATION orientation) const override;
    void SetMatchParent(ORIENTATION orientation) override;
    void SetWrapContent(ORIENTATION orientation) override;
    void SetSpecifiedSize(ORIENTATION orientation, const SLayoutDim& size) override;
    // A SakuLayoutParamStruct.
    void* GetRawData() override { return &m_data; }

private:
    SakuLayoutParamStruct m_data;
};

}  // namespace SAKU

#pragma once

#include "core/ILayout.h"
#include "core/SAttributeMap.h"
#include "core/SObjectImpl.h"

namespace SAKU {

// "width" or "height" into `size` as SLayoutDim::ParseSizeText reads it; always read.
bool ReadSizeText(SLayoutDim& size, const SStringW& value);
// "size": exactly two comma-separated values, each as ReadSizeText reads it; else
// E_FAIL and both sizes stay. S_OK.
HRESULT ReadSizePair(const SStringW& value, SLayoutDim& width, SLayoutDim& height);

// What the parameters of every layout share: the layout's own plain struct (Data,
// which has a `width` and a `height`), the questions and setters of ILayoutParam
// over those two sizes, and the attributes "width", "height" and "size". An
// attribute nobody takes is not a layout parameter (E_NOTIMPL), so that it goes on
// to the window. Each window holds one, made by its parent's layout; UI thread.
template <typename Data>
class TLayoutParamImpl : public TObjRefImpl<SObjectImpl<ILayoutParam>> {
public:
    BEGIN_ATTRIBUTES(TLayoutParamImpl)
        ATTRIBUTE_READ   (L"width",  m_data.width,  ReadSizeText, kRefresh)
        ATTRIBUTE_READ   (L"height", m_data.height, ReadSizeText, kRefresh)
        ATTRIBUTE_HANDLER(L"size",   OnAttrSize)
    END_ATTRIBUTES_CHAIN(SObjectImpl<ILayoutParam>)

    const Data& GetData() const { return m_data; }

    // IObject overrides
    HRESULT DefAttributeProc(const SStringW&, const SStringW&, BOOL) override { return E_NOTIMPL; }

    // ILayoutParam overrides. The setters act on Horz, Vert and Both; Any is a question only.
    bool IsMatchParent(ORIENTATION orientation) const override
    {
        return SizesAre(orientation, [](const SLayoutDim& size) { return size.IsMatchParent(); });
    }
    // A size of -1.
    bool IsWrapContent(ORIENTATION orientation) const override
    {
        return SizesAre(orientation, [](const SLayoutDim& size) { return size.IsWrapContent(); });
    }
    bool IsSpecifiedSize(ORIENTATION orientation) const override
    {
        return SizesAre(orientation, [](const SLayoutDim& size) { return size.IsSpecified(); });
    }
    // The height for Vert, else the width.
    SLayoutDim GetSpecifiedSize(ORIENTATION orientation) const override
    {
        return orientation == Vert ? m_data.height : m_data.width;
    }
    void SetMatchParent(ORIENTATION orientation) override
    {
        ChangeSizes(orientation, [](SLayoutDim& size) { size.SetMatchParent(); });
    }
    void SetWrapContent(ORIENTATION orientation) override
    {
        ChangeSizes(orientation, [](SLayoutDim& size) { size.SetWrapContent(); });
    }
    void SetSpecifiedSize(ORIENTATION orientation, const SLayoutDim& size) override
    {
        ChangeSizes(orientation, [&size](SLayoutDim& target) { target = size; });
    }
    void* GetRawData() override { return &m_data; }

protected:
    // Whether the sizes of the orientation pass the test: either size for Any, both for Both.
    template <typename Test>
    bool SizesAre(ORIENTATION orientation, Test test) const
    {
        switch (orientation) {
        case Horz: return test(m_data.width);
        case Vert: return test(m_data.height);
        case Any: return test(m_data.width) || test(m_data.height);
        case Both: return test(m_data.width) && test(m_data.height);
        }
        return false;
    }

    Data m_data;

private:
    template <typename Change>
    void ChangeSizes(ORIENTATION orientation, Change change)
    {
        if (orientation == Horz || orientation == Both)
            change(m_data.width);
        if (orientation == Vert || orientation == Both)
            change(m_data.height);
    }

    HRESULT OnAttrSize(const SStringW& value, BOOL) { return ReadSizePair(value, m_data.width, m_data.height); }
};

}  // namespace SAKU

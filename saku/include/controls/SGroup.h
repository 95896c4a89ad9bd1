#pragma once

#include "core/SAttributeMap.h"
#include "core/SObjectFactory.h"
#include "core/SWindow.h"
#include "core/SwndMsgCracker.h"
#include "res.mgr/SResProviderMgr.h"

namespace SAKU {

// The group frame ("group"): a rounded frame of a light and a dark line around
// its children, its text set into the top edge, and a header band above the
// children that the layout leaves free. Owned by its parent like every window; UI
// thread.
class SGroup : public SWindow {
public:
    SOBJECT_CLASS(SWindow, L"group", kObjTypeWindow)
    SOBJECT_BASE_CLASS(L"window")

    COLORREF GetColorLine1() const { return m_colorLine1; }
    COLORREF GetColorLine2() const { return m_colorLine2; }
    const SLayoutDim& GetRound() const { return m_round; }
    const SLayoutDim& GetHeaderHeight() const { return m_headerHeight; }

    BEGIN_ATTRIBUTES(SGroup)
        ATTRIBUTE_COLOR(L"colorLine1",   m_colorLine1,   kNoRefresh)
        ATTRIBUTE_COLOR(L"colorLine2",   m_colorLine2,   kNoRefresh)
        ATTRIBUTE_FIELD(L"round",        m_round,        SLayoutDim, kNoRefresh)
        ATTRIBUTE_FIELD(L"headerHeight", m_headerHeight, SLayoutDim, kRefresh)
    END_ATTRIBUTES_CHAIN(SWindow)

    // SWindow overrides: the header band is no place for children.
    RECT GetChildrenLayoutRect() const override;
    SIZE GetDesiredSize(int parentWidth, int parentHeight) override;

    BEGIN_SWND_MSG_MAP(SGroup)
        MSG_HANDLER  (WM_PAINT, OnPaint)
        CHAIN_MSG_MAP(SWindow)
    END_MSG_MAP()

protected:
    void OnPaint(IRenderTarget* target);

private:
    int HeaderHeight() const { return m_headerHeight.ToPixelSize(GetScale()); }

    COLORREF m_colorLine1 = 0xFFF0F0F0;
    COLORREF m_colorLine2 = 0xFFA0A0A0;
    SLayoutDim m_round{4.0f, kUnitDp};
    SLayoutDim m_headerHeight{20.0f, kUnitDp};
};

}  // namespace SAKU

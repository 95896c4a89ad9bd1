#pragma once

#include "core/SAttributeMap.h"
#include "core/SObjectFactory.h"
#include "core/SWindow.h"
#include "core/SwndMsgCracker.h"
#include "res.mgr/SResProviderMgr.h"

namespace SAKU {

// The line ("hr"): one pen stroke along the window's top edge, its left edge or
// its diagonal. Owned by its parent like every window; UI thread.
class SLine : public SWindow {
public:
    SOBJECT_CLASS(SWindow, L"hr", kObjTypeWindow)
    SOBJECT_BASE_CLASS(L"window")

    // Where the line runs ("mode").
    enum Mode { kHorizontal = 0, kVertical = 1, kTilt = 2 };

    COLORREF GetColorLine() const { return m_colorLine; }
    int GetLineSize() const { return m_size; }
    int GetMode() const { return m_mode; }
    // A PS_ pen style: PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT or PS_DASHDOTDOT.
    int GetLineStyle() const { return m_lineStyle; }

    BEGIN_ATTRIBUTES(SLine)
        ATTRIBUTE_COLOR(L"colorLine", m_colorLine,                        kNoRefresh)
        ATTRIBUTE_FIELD(L"size",      m_size,      ParseIntOrZero,        kNoRefresh)
        ATTRIBUTE_WORD (L"mode",      m_mode,      kModeWords,  kAnyCase, kNoRefresh)
        ATTRIBUTE_WORD (L"lineStyle", m_lineStyle, kStyleWords, kAnyCase, kNoRefresh)
    END_ATTRIBUTES_CHAIN(SWindow)

    BEGIN_SWND_MSG_MAP(SLine)
        MSG_HANDLER  (WM_PAINT, OnPaint)
        CHAIN_MSG_MAP(SWindow)
    END_MSG_MAP()

protected:
    void OnPaint(IRenderTarget* target);

private:
    // The words of "mode" and "lineStyle", in any letter case.
    static constexpr AttributeWord kModeWords[] = {{L"horizontal", kHorizontal}, {L"vertical", kVertical},
                                                   {L"tilt", kTilt}};
    static constexpr AttributeWord kStyleWords[] = {{L"solid", PS_SOLID}, {L"dash", PS_DASH}, {L"dot", PS_DOT},
                                                    {L"dashdot", PS_DASHDOT}, {L"dashdotdot", PS_DASHDOTDOT}};

    COLORREF m_colorLine = 0xFF000000;
    int m_size = 1;
    int m_mode = kHorizontal;
    int m_lineStyle = PS_SOLID;
};

}  // namespace SAKU

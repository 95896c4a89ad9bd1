#pragma once

#include "core/SAttributeMap.h"
#include "core/SObjectFactory.h"
#include "core/SWindow.h"
#include "core/SwndMsgCracker.h"

namespace SAKU {

// The progress bar ("progress"): a background skin with a position skin over
// the part from the minimum to the value, growing rightwards or, vertical, down;
// a horizontal bar can write its percentage over itself. A bar that has no skins
// once created (its own or the built-in ones) refuses its creation. Owned by its
// parent like every window; UI thread.
class SProgress : public SWindow {
public:
    SOBJECT_CLASS(SWindow, L"progress", kObjTypeWindow)
    SOBJECT_BASE_CLASS(L"window")

    // Stores the value clamped to [min, max] and repaints; TRUE.
    BOOL SetValue(int value);
    int GetValue() const { return m_value; }
    int GetMin() const { return m_min; }
    int GetMax() const { return m_max; }
    BOOL IsVertical() const { return m_vertical != 0; }
    ISkinObj* GetBkgndSkin() const { return m_bkgndSkin; }
    ISkinObj* GetPosSkin() const { return m_posSkin; }

    BEGIN_ATTRIBUTES(SProgress)
        ATTRIBUTE_SKIN   (L"bkgndSkin",   m_bkgndSkin,                   kRefresh)
        ATTRIBUTE_SKIN   (L"posSkin",     m_posSkin,                     kRefresh)
        ATTRIBUTE_FIELD  (L"min",         m_min,         ParseIntOrZero, kNoRefresh)
        ATTRIBUTE_FIELD  (L"max",         m_max,         ParseIntOrZero, kNoRefresh)
        ATTRIBUTE_FIELD  (L"value",       m_value,       ParseIntOrZero, kNoRefresh)
        ATTRIBUTE_FIELD  (L"vertical",    m_vertical,    ParseIntOrZero, kNoRefresh)
        ATTRIBUTE_FIELD  (L"showPercent", m_showPercent, ParseIntOrZero, kNoRefresh)
    END_ATTRIBUTES_CHAIN(SWindow)

    // SWindow overrides
    SIZE MeasureDesiredSize(const RECT* container) override;
    void ApplyColorize(COLORREF color) override;

    BEGIN_SWND_MSG_MAP(SProgress)
        MSG_HANDLER  (WM_CREATE, OnCreate)
        MSG_HANDLER  (WM_PAINT,  OnPaint)
        CHAIN_MSG_MAP(SWindow)
    END_MSG_MAP()

protected:
    // The built-in skins stand in for missing ones; -1 when a skin is still missing.
    int OnCreate(LPCREATESTRUCT createStruct);
    void OnPaint(IRenderTarget* target);

private:
    int m_min = 0;
    int m_max = 100;
    int m_value = 0;
    int m_showPercent = 0;
    int m_vertical = 0;
    ISkinObj* m_bkgndSkin = nullptr;   // the pools'
    ISkinObj* m_posSkin = nullptr;
};

}  // namespace SAKU

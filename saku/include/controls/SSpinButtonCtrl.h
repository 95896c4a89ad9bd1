#pragma once

#include "core/SAttributeMap.h"
#include "core/SObjectFactory.h"
#include "core/SWindow.h"
#include "res.mgr/SResProviderMgr.h"

namespace SAKU {

// A spin control made of two child buttons ("spinButton"): the descendants named
// "btn_up" and "btn_down", stacked in its two halves, step an integer within
// [min, max], wrapping round when "circle" is set, and each value is written as
// text into the "buddy", a window of that name under the control's parent. The
// text is "%d" of the value unless a subscriber of "on_spin_value2string"
// rewrites it. Without both buttons the control places and steps nothing. Owned
// by its parent like every window; UI thread.
class SSpinButtonCtrl : public SWindow {
public:
    SOBJECT_CLASS(SWindow, L"spinButton", kObjTypeWindow)
    SOBJECT_BASE_CLASS(L"window")

    SSpinButtonCtrl();

    // Writes the value into the buddy, through "on_spin_value2string"; nothing
    // without a buddy.
    void UpdateBuddy();

    int GetValue() const { return m_value; }
    int GetMin() const { return m_min; }
    int GetMax() const { return m_max; }
    int GetStep() const { return m_step; }
    BOOL IsCircle() const { return m_circle != 0; }
    const SStringW& GetBuddyName() const { return m_buddyName; }
    // Null until the children are built with both, and once one is destroyed.
    SWindow* GetUpButton() const;
    SWindow* GetDownButton() const;

    BEGIN_ATTRIBUTES(SSpinButtonCtrl)
        ATTRIBUTE_FIELD  (L"max",    m_max,       ParseInt,                   kNoRefresh)
        ATTRIBUTE_FIELD  (L"min",    m_min,       ParseInt,                   kNoRefresh)
        ATTRIBUTE_HANDLER(L"value",  OnAttrValue)
        ATTRIBUTE_FIELD  (L"step",   m_step,      ParseInt,                   kNoRefresh)
        ATTRIBUTE_FIELD  (L"circle", m_circle,    ParseInt,                   kNoRefresh)
        ATTRIBUTE_FIELD  (L"buddy",  m_buddyName, SResProviderMgr::GetString, kNoRefresh)
    END_ATTRIBUTES_CHAIN(SWindow)

    // SWindow overrides
    // Builds the children and takes the two buttons; FALSE when either is missing.
    BOOL BuildChildren(pugi::xml_node element) override;
    // Places the two buttons alone, the up button in the upper half.
    void UpdateChildrenPosition() override;
    SIZE MeasureDesiredSize(const RECT* container) override;

private:
    HRESULT OnAttrValue(const SStringW& value, BOOL loading);
    BOOL OnUpCommand(EventArgs* args);
    BOOL OnDownCommand(EventArgs* args);
    void Step(bool up);

    int m_max = 100;
    int m_min = 0;
    int m_value = 0;
    int m_step = 1;
    int m_circle = 1;
    SStringW m_buddyName;
    SWND m_upButton = 0;     // descendants, looked up at each use
    SWND m_downButton = 0;
};

}  // namespace SAKU

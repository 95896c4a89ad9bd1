#pragma once

#include "core/IObjRef.h"
#include "core/SLinkedList.h"

#include <windows.h>

namespace SAKU {

class SMenuEx;

// What the menus of one run share: the menus open now in opening order, how the
// run ends and the owner it reports to. One per process while any menu runs
// (SMenuEx keeps the pointer); a nested run adds a reference. UI thread only.
class SMenuExRunData : public TObjRefImpl<IObjRef> {
public:
    SMenuExRunData(HWND owner, int scale) : m_owner(owner), m_scale(scale) {}

    // The open menu whose window this is; null for any other window.
    SMenuEx* MenuOf(HWND window) const;
    // The menu opened last; null when none is open.
    SMenuEx* LastMenu() const { return m_openMenus.GetTail() ? m_openMenus.GetTail()->value : nullptr; }
    void AddMenu(SMenuEx* menu) { m_openMenus.AddTail(menu); }
    void RemoveMenu(SMenuEx* menu);

    void Exit(int result)
    {
        m_result = result;
        m_exit = true;
    }
    bool IsExiting() const { return m_exit; }
    int GetResult() const { return m_result; }
    HWND GetOwner() const { return m_owner; }
    int GetScale() const { return m_scale; }

private:
    SLinkedList<SMenuEx*> m_openMenus{10};
    bool m_exit = false;
    int m_result = -1;   // unchanged when the owner lost the foreground
    HWND m_owner;
    int m_scale;
};

}  // namespace SAKU

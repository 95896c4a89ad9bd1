#pragma once

// A list adapter for the list view tests: `count` rows named "row N", built from
// the list's template on a panel's first use (which counts as one panel made),
// even rows 20 pixels high and odd ones 30 when the list measures them, and an
// optional second view type for the selected row.

#include "controls/SAdapterBase.h"
#include "core/SWindow.h"

#include <string>

namespace saku_test {

class ListTestAdapter : public SAKU::SAdapterBase {
public:
    explicit ListTestAdapter(int count, bool selectedType = false) : m_count(count), m_selectedType(selectedType) {}

    void SetCount(int count) { m_count = count; }
    int PanelsMade() const { return m_panelsMade; }
    int FilledViews() const { return m_filled; }

    int GetCount() override { return m_count; }
    void GetView(int position, SAKU::SWindow* itemWnd, pugi::xml_node xmlTemplate) override
    {
        ++m_filled;
        if (itemWnd->GetChildrenCount() == 0) {
            ++m_panelsMade;
            itemWnd->BuildFromXml(xmlTemplate);
        }
        if (SAKU::SWindow* const label = itemWnd->FindChildByName(L"label"))
            label->SetWindowText((L"row " + std::to_wstring(position)).c_str());
    }
    int GetViewTypeCount() override { return m_selectedType ? 2 : 1; }
    int GetItemViewType(int, DWORD state) override
    {
        return m_selectedType && (state & SAKU::kLvItemSelected) ? 1 : 0;
    }
    void GetViewDesiredSize(SIZE* size, int position, SAKU::SWindow*, const RECT*) override
    {
        *size = SIZE{0, position % 2 ? 30 : 20};
    }

private:
    int m_count;
    bool m_selectedType;
    int m_panelsMade = 0;
    int m_filled = 0;
};

}  // namespace saku_test

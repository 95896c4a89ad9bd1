#pragma once

// A list adapter for the list view tests: `count` rows named "row N", built from
// the template's row element on a panel's first use (which counts as one panel made),
// even rows 20 pixels high and odd ones 30 when the list measures them, and an
// optional second view type for the selected row; and a log of a view's selection
// events.

#include "controls/SAdapterBase.h"
#include "core/Events.h"
#include "core/ISlotFunctor.h"
#include "core/SWindow.h"

#include <string>
#include <utility>
#include <vector>

namespace saku_test {

class ListTestAdapter : public SAKU::SAdapterBase {
public:
    explicit ListTestAdapter(int count, bool selectedType = false) : m_count(count), m_selectedType(selectedType) {}

    void SetCount(int count) { m_count = count; }
    int PanelsMade() const { return m_panelsMade; }
    int FilledViews() const { return m_filled; }
    // The names of the nodes the list handed to InitByTemplate and GetView.
    const std::wstring& InitNode() const { return m_initNode; }
    const std::wstring& ViewNode() const { return m_viewNode; }

    int GetCount() override { return m_count; }
    void GetView(int position, SAKU::SWindow* itemWnd, pugi::xml_node xmlTemplate) override
    {
        ++m_filled;
        m_viewNode = xmlTemplate.name();
        if (itemWnd->GetChildrenCount() == 0) {
            ++m_panelsMade;
            itemWnd->BuildFromXml(xmlTemplate.first_child());
        }
        if (SAKU::SWindow* const label = itemWnd->FindChildByName(L"label"))
            label->SetWindowText((L"row " + std::to_wstring(position)).c_str());
    }
    void InitByTemplate(pugi::xml_node xmlTemplate) override { m_initNode = xmlTemplate.name(); }
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
    std::wstring m_initNode;
    std::wstring m_viewNode;
};

// What the selection events said, in order.
struct SelectionLog {
    std::vector<std::pair<int, int>> changing;
    std::vector<std::pair<int, int>> changed;
    bool veto = false;

    void Listen(SAKU::SWindow* view)
    {
        view->GetEventSet()->SubscribeEvent(SAKU::EventLVSelChanging::EventID, SAKU::Subscriber(&SelectionLog::OnChanging, this));
        view->GetEventSet()->SubscribeEvent(SAKU::EventLVSelChanged::EventID, SAKU::Subscriber(&SelectionLog::OnChanged, this));
    }
    BOOL OnChanging(SAKU::EventArgs* args)
    {
        auto* const event = static_cast<SAKU::EventLVSelChanging*>(args);
        changing.emplace_back(event->oldSel, event->newSel);
        event->cancel = veto;
        return TRUE;
    }
    BOOL OnChanged(SAKU::EventArgs* args)
    {
        auto* const event = static_cast<SAKU::EventLVSelChanged*>(args);
        changed.emplace_back(event->oldSel, event->newSel);
        return TRUE;
    }
};

}  // namespace saku_test

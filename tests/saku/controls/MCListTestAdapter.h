#pragma once

// A multi-column adapter for the multi-column list view tests: `count` rows whose
// data column c shows "rN cC" in the row window named "colC", built from the
// template's row element on a panel's first use (which counts as one panel made),
// 40 pixels high when measured;
// columns shown as told; sorts answered as told, with the call recorded.

#include "controls/IMCListViewAdapter.h"
#include "controls/SAdapterBase.h"
#include "core/SWindow.h"

#include <string>
#include <vector>

namespace saku_test {

class MCListTestAdapter : public SAKU::TObjRefImpl<SAKU::LvAdatperImpl<SAKU::IMCListViewAdapter>> {
public:
    // What the last sort was asked and what it answered.
    struct SortCall {
        int column = -1;
        std::vector<int> flagsIn;
        int count = 0;
    };

    static constexpr int kMeasuredHeight = 40;   // of every row the view measures

    explicit MCListTestAdapter(int count) : m_count(count) {}

    void SetCount(int count) { m_count = count; }
    int PanelsMade() const { return m_panelsMade; }
    // Which header items show; items past the list show.
    std::vector<bool> visible;
    // The answer of the next sorts and the marks they leave.
    BOOL sortAnswer = FALSE;
    std::vector<int> sortFlagsOut;
    std::vector<SortCall> sorts;

    void NotifyDataSetChanged()
    {
        ForEachObserver([](SAKU::ILvDataSetObserver* observer) { observer->OnChanged(); });
    }
    static std::wstring Text(int row, int column)
    {
        return L"r" + std::to_wstring(row) + L" c" + std::to_wstring(column);
    }

    int GetCount() override { return m_count; }
    void GetView(int position, SAKU::SWindow* itemWnd, pugi::xml_node xmlTemplate) override
    {
        if (itemWnd->GetChildrenCount() == 0) {
            ++m_panelsMade;
            itemWnd->BuildFromXml(xmlTemplate.first_child());
        }
        for (int column = 0; column < 2; ++column) {
            if (SAKU::SWindow* const cell = itemWnd->FindChildByName((L"col" + std::to_wstring(column)).c_str()))
                cell->SetWindowText(Text(position, column).c_str());
        }
    }
    void GetColumnName(SAKU::SStringW& name, int dataColumn) override
    {
        name = (L"col" + std::to_wstring(dataColumn)).c_str();
    }
    void GetViewDesiredSize(SIZE* size, int, SAKU::SWindow*, const RECT*) override { *size = SIZE{0, kMeasuredHeight}; }
    BOOL IsColumnVisible(int headerIndex) override
    {
        return headerIndex >= static_cast<int>(visible.size()) || visible[headerIndex];
    }
    BOOL OnSort(int dataColumn, int* flags, int count) override
    {
        sorts.push_back(SortCall{dataColumn, std::vector<int>(flags, flags + count), count});
        for (int i = 0; i < count && i < static_cast<int>(sortFlagsOut.size()); ++i)
            flags[i] = sortFlagsOut[i];
        return sortAnswer;
    }

private:
    int m_count;
    int m_panelsMade = 0;
};

}  // namespace saku_test

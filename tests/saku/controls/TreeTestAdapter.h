#pragma once

// A tree adapter for the tree view tests: items kept in a CSTree with a name, an
// expanded flag, a row size and the six storage slots; a row window is built
// from the template's row element on its first use (which counts as one panel
// made) and its "label" shows the name. It logs every expand code, and counts
// every handle it is handed after the item was removed.

#include "controls/ITreeViewAdapter.h"
#include "core/CSTree.h"
#include "core/SWindow.h"

#include <pugixml.hpp>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace saku_test {

struct TreeTestItem {
    std::wstring name;
    bool expanded = false;
    SIZE size = {100, 50};
    ULONG_PTR slots[6] = {};
};

class TreeTestAdapter : public SAKU::TObjRefImpl<SAKU::ITreeViewAdapter> {
public:
    ~TreeTestAdapter() override
    {
        for (SAKU::ITvDataSetObserver* observer : m_observers)
            observer->Release();
    }

    SAKU::HSTREEITEM Insert(SAKU::HSTREEITEM parent, const std::wstring& name, bool expanded = false,
                            SIZE size = {100, 50})
    {
        TreeTestItem item;
        item.name = name;
        item.expanded = expanded;
        item.size = size;
        const SAKU::HSTREEITEM handle = m_tree.InsertItem(item, parent);
        m_removed.erase(handle);   // the allocator may give a removed item's address again
        return handle;
    }
    // The item and its subtree go; the observers hear of the parent's branch.
    void Remove(SAKU::HSTREEITEM item, bool notify = true)
    {
        const SAKU::HSTREEITEM parent = Parent(item);
        std::vector<SAKU::HSTREEITEM> gone{item};
        for (size_t at = 0; at < gone.size(); ++at) {
            for (SAKU::HSTREEITEM child = m_tree.GetChildItem(gone[at]); child; child = m_tree.GetNextSiblingItem(child))
                gone.push_back(child);
        }
        m_tree.DeleteItem(item);
        m_removed.insert(gone.begin(), gone.end());
        if (notify)
            NotifyBranchChanged(parent);
    }
    void NotifyBranchChanged(SAKU::HSTREEITEM branch)
    {
        for (SAKU::ITvDataSetObserver* observer : std::vector<SAKU::ITvDataSetObserver*>(m_observers))
            observer->OnBranchChanged(branch);
    }
    TreeTestItem& Item(SAKU::HSTREEITEM item) { return m_tree.GetItemRef(item); }
    const std::wstring& Name(SAKU::HSTREEITEM item) { return Item(item).name; }

    int PanelsMade() const { return m_panelsMade; }
    int Measures() const { return m_measures; }
    int StaleHandles() const { return m_stale; }
    const std::vector<UINT>& ExpandCodes() const { return m_expandCodes; }
    int ObserverCount() const { return static_cast<int>(m_observers.size()); }
    void SetMatchWidth(bool match) { m_matchWidth = match; }
    // Called at each measure: a test may change the row's size as it is measured.
    SIZE (*measure)(TreeTestItem& item, int count) = nullptr;

    // ---- ITreeViewAdapter overrides ------------------------------------------------
    void RegisterDataSetObserver(SAKU::ITvDataSetObserver* observer) override
    {
        if (std::find(m_observers.begin(), m_observers.end(), observer) != m_observers.end())
            return;
        observer->AddRef();
        m_observers.push_back(observer);
    }
    void UnregisterDataSetObserver(SAKU::ITvDataSetObserver* observer) override
    {
        const auto found = std::find(m_observers.begin(), m_observers.end(), observer);
        if (found == m_observers.end())
            return;
        m_observers.erase(found);
        observer->Release();
    }
    ULONG_PTR GetItemSlot(SAKU::HSTREEITEM item, int index) override
    {
        return item == SAKU::TREE_ITEM_ROOT ? m_rootSlots[index] : Live(item).slots[index];
    }
    void SetItemSlot(SAKU::HSTREEITEM item, int index, ULONG_PTR value) override
    {
        (item == SAKU::TREE_ITEM_ROOT ? m_rootSlots[index] : Live(item).slots[index]) = value;
    }
    SAKU::HSTREEITEM GetParentItem(SAKU::HSTREEITEM item) override
    {
        return item == SAKU::TREE_ITEM_ROOT || !Touch(item) ? 0 : Parent(item);
    }
    SAKU::HSTREEITEM GetFirstChildItem(SAKU::HSTREEITEM item) override
    {
        return Touch(item) ? m_tree.GetChildItem(item, TRUE) : 0;
    }
    SAKU::HSTREEITEM GetLastChildItem(SAKU::HSTREEITEM item) override
    {
        return Touch(item) ? m_tree.GetChildItem(item, FALSE) : 0;
    }
    SAKU::HSTREEITEM GetPrevSiblingItem(SAKU::HSTREEITEM item) override
    {
        return Touch(item) && item != SAKU::TREE_ITEM_ROOT ? m_tree.GetPrevSiblingItem(item) : 0;
    }
    SAKU::HSTREEITEM GetNextSiblingItem(SAKU::HSTREEITEM item) override
    {
        return Touch(item) && item != SAKU::TREE_ITEM_ROOT ? m_tree.GetNextSiblingItem(item) : 0;
    }
    BOOL HasChildren(SAKU::HSTREEITEM item) override { return GetFirstChildItem(item) != 0; }
    BOOL IsItemVisible(SAKU::HSTREEITEM item) override
    {
        if (!Touch(item))
            return FALSE;
        for (SAKU::HSTREEITEM parent = Parent(item); parent != SAKU::TREE_ITEM_ROOT; parent = Parent(parent)) {
            if (!Item(parent).expanded)
                return FALSE;
        }
        return TRUE;
    }
    SAKU::HSTREEITEM GetFirstVisibleItem() override { return m_tree.GetRootItem(); }
    SAKU::HSTREEITEM GetPrevVisibleItem(SAKU::HSTREEITEM item) override
    {
        if (!Touch(item))
            return 0;
        SAKU::HSTREEITEM prev = m_tree.GetPrevSiblingItem(item);
        if (!prev) {
            const SAKU::HSTREEITEM parent = Parent(item);
            return parent == SAKU::TREE_ITEM_ROOT ? 0 : parent;
        }
        while (Item(prev).expanded && m_tree.GetChildItem(prev, FALSE))
            prev = m_tree.GetChildItem(prev, FALSE);
        return prev;
    }
    SAKU::HSTREEITEM GetNextVisibleItem(SAKU::HSTREEITEM item) override
    {
        if (!Touch(item))
            return 0;
        if (Item(item).expanded && m_tree.GetChildItem(item))
            return m_tree.GetChildItem(item);
        for (SAKU::HSTREEITEM at = item; at != SAKU::TREE_ITEM_ROOT; at = Parent(at)) {
            if (const SAKU::HSTREEITEM next = m_tree.GetNextSiblingItem(at))
                return next;
        }
        return 0;
    }
    void ExpandItem(SAKU::HSTREEITEM item, UINT code) override
    {
        if (!Touch(item) || item == SAKU::TREE_ITEM_ROOT)
            return;
        m_expandCodes.push_back(code);
        const bool was = Item(item).expanded;
        const bool now = code == SAKU::kTvCollapse ? false : code == SAKU::kTvExpand ? true : !was;
        if (was == now)
            return;
        Item(item).expanded = now;
        for (SAKU::ITvDataSetObserver* observer : std::vector<SAKU::ITvDataSetObserver*>(m_observers))
            observer->OnBranchExpandedChanged(item, was, now);
    }
    BOOL IsItemExpanded(SAKU::HSTREEITEM item) override
    {
        return item == SAKU::TREE_ITEM_ROOT || (Touch(item) && Item(item).expanded);
    }
    void GetView(SAKU::HSTREEITEM item, SAKU::SWindow* itemWnd, pugi::xml_node xmlTemplate) override
    {
        if (!Touch(item))
            return;
        if (itemWnd->GetChildrenCount() == 0) {
            ++m_panelsMade;
            itemWnd->BuildFromXml(xmlTemplate.first_child());
        }
        if (SAKU::SWindow* const label = itemWnd->FindChildByName(L"label"))
            label->SetWindowText(Item(item).name.c_str());
    }
    int GetViewType(SAKU::HSTREEITEM item) override
    {
        Touch(item);
        return 0;
    }
    int GetViewTypeCount() override { return 1; }
    void GetViewDesiredSize(SIZE* size, SAKU::HSTREEITEM item, SAKU::SWindow*, const RECT* container) override
    {
        if (!Touch(item))
            return;
        ++m_measures;
        TreeTestItem& data = Item(item);
        if (measure)
            data.size = measure(data, m_measures);
        *size = data.size;
        if (m_matchWidth)
            size->cx = container->right - container->left;
    }
    BOOL IsViewWidthMatchParent() override { return m_matchWidth; }
    void InitByTemplate(pugi::xml_node) override {}

private:
    SAKU::HSTREEITEM Parent(SAKU::HSTREEITEM item)
    {
        const SAKU::HSTREEITEM parent = m_tree.GetParentItem(item);
        return parent ? parent : SAKU::TREE_ITEM_ROOT;
    }
    // False, counted, for a handle of a removed item: the test adapter does not
    // read freed memory on the view's behalf.
    bool Touch(SAKU::HSTREEITEM item)
    {
        if (item == 0 || m_removed.count(item) == 0)
            return item != 0;
        ++m_stale;
        return false;
    }
    TreeTestItem& Live(SAKU::HSTREEITEM item)
    {
        static TreeTestItem scratch;
        return Touch(item) ? Item(item) : scratch;
    }

    SAKU::CSTree<TreeTestItem> m_tree;
    ULONG_PTR m_rootSlots[6] = {};
    std::vector<SAKU::ITvDataSetObserver*> m_observers;
    std::set<SAKU::HSTREEITEM> m_removed;
    std::vector<UINT> m_expandCodes;
    bool m_matchWidth = false;
    int m_panelsMade = 0;
    int m_measures = 0;
    int m_stale = 0;
};

}  // namespace saku_test

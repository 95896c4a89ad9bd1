#pragma once

#include "controls/SComboBase.h"

namespace SAKU {

class SListView;

// The combo box over an adapter ("comboview"): its list is a list view (by
// default; "listStyle" may name another "listview" class) whose adapter the
// program sets, and an item's text is the adapter's description of it. Owned by
// its parent like every window; UI thread.
class SComboView : public SComboBase {
public:
    SOBJECT_CLASS(SComboBase, L"comboview", kObjTypeWindow)
    SOBJECT_BASE_CLASS(L"combobase")

    SComboView() = default;
    ~SComboView() override;

    // Null when the list could not be made.
    SListView* GetListView() const { return m_listView; }

    // SComboBase overrides
    int CurrentIndex() const override;
    int ItemCount() const override;
    BOOL SelectIndex(int index) override;
    SStringW ItemText(int index, BOOL raw = FALSE) const override;

    // SWindow overrides
    BOOL RaiseEvent(EventArgs* args) override;
    void OnScaleChanged(int scale) override;

protected:
    void CreateDropList(pugi::xml_node element) override;
    int DropListHeight() const override;
    SWindow* DropList() const override;
    void ShowCurrentInList() override;
    void DestroyDropList() override;

private:
    SListView* m_listView = nullptr;   // owned: one reference
};

}  // namespace SAKU

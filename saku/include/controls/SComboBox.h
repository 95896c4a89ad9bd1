#pragma once

#include "controls/SComboBase.h"

namespace SAKU {

class SListBox;

// The combo box of text items ("combobox"): its list is a list box (by default;
// "listStyle" may name another "listbox" class), filled from the element's "items".
// Owned by its parent like every window; UI thread.
class SComboBox : public SComboBase {
public:
    SOBJECT_CLASS(SComboBase, L"combobox", kObjTypeWindow)
    SOBJECT_BASE_CLASS(L"combobase")

    SComboBox() = default;
    ~SComboBox() override;

    // Null when the list could not be made.
    SListBox* GetListBox() const { return m_listBox; }

    // SComboBase overrides
    int CurrentIndex() const override;
    int ItemCount() const override;
    BOOL SelectIndex(int index) override;
    SStringW ItemText(int index, BOOL raw = FALSE) const override;

    // SWindow overrides
    BOOL RaiseEvent(EventArgs* args) override;
    int OnLanguageChanged() override;
    void OnScaleChanged(int scale) override;

protected:
    void CreateDropList(pugi::xml_node element) override;
    int DropListHeight() const override;
    SWindow* DropList() const override;
    void ShowCurrentInList() override;
    void DestroyDropList() override;

private:
    SListBox* m_listBox = nullptr;   // owned: one reference
};

}  // namespace SAKU

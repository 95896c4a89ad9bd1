#pragma once

#include "controls/SDropDownWnd.h"
#include "core/SAttributeMap.h"
#include "core/SLayoutDim.h"
#include "core/SWindow.h"
#include "core/SwndMsgCracker.h"

#include <pugixml.hpp>

namespace SAKU {

class SComboEdit;

// What the two combo boxes share ("combobase"): a field that shows one chosen item
// of a list, either as painted text (drop-list mode) or in an edit part the user
// types into, a drop button, and the popup (SDropDownWnd_ComboBox) that the list
// moves into while it is open, below the control or above it when the monitor
// ends first. The arrow keys and the wheel step through the items while it is
// closed. The variants supply the list and its items. Owned by its parent like
// every window; UI thread.
class SComboBase : public SWindow, public ISDropDownOwner {
public:
    SOBJECT_CLASS(SWindow, L"combobase", kObjTypeWindow)
    SOBJECT_BASE_CLASS(L"window")

    static constexpr int kEditId = -100;
    static constexpr int kDropListId = -200;

    SComboBase();
    ~SComboBase() override;

    // ---- Items, through the variant's list -------------------------------------------
    // -1 for none.
    virtual int CurrentIndex() const = 0;
    virtual int ItemCount() const = 0;
    // TRUE when the choice changed.
    virtual BOOL SelectIndex(int index) = 0;
    virtual SStringW ItemText(int index, BOOL raw = FALSE) const = 0;
    // The first index from `start` on whose raw text is `text` (case-sensitive); -1.
    virtual int FindItem(LPCWSTR text, int start = 0) const;
    // Shows the choice in the edit part and raises EventCBSelChange.
    virtual void OnSelectionChanged();

    // ---- Popup ------------------------------------------------------------------------
    void OpenDropDown();
    // Dismisses an open popup with IDCANCEL.
    void CloseDropDown();
    SDropDownWnd* GetDropDownWnd() const { return m_dropDownWnd; }
    // 0 normal, 1 hover, 2 pushed (the popup is open).
    UINT GetButtonState() const { return m_btnState; }
    void DropButtonRect(RECT* rect) const;
    // The popup's screen rectangle for `height`; TRUE when it lies below the control.
    BOOL PlaceDropDown(int height, RECT* rect) const;
    // The edit part's text; empty in drop-list mode.
    SStringW EditText() const;
    SComboEdit* GetEditPart() const { return m_edit; }
    BOOL IsDropList() const { return m_dropDown != 0; }

    BEGIN_ATTRIBUTES(SComboBase)
        ATTRIBUTE_SKIN (L"btnSkin",        m_btnSkin,                     kNoRefresh)
        ATTRIBUTE_FIELD(L"dropDown",       m_dropDown,       ParseInt,   kNoRefresh)
        ATTRIBUTE_FIELD(L"dropHeight",     m_dropHeight,     SLayoutDim, kNoRefresh)
        ATTRIBUTE_FIELD(L"curSel",         m_initialSel,     ParseInt,   kNoRefresh)
        ATTRIBUTE_FIELD(L"animateTime",    m_animateTime,    ParseInt,   kNoRefresh)
        ATTRIBUTE_FIELD(L"autoFitDropBtn", m_autoFitDropBtn, ParseInt,   kNoRefresh)
    END_ATTRIBUTES_CHAIN(SWindow)

    // ---- ISDropDownOwner --------------------------------------------------------------
    SWindow* OwnerWindow() override { return this; }
    void OnDropDownCreated(SDropDownWnd* dropDown) override;
    void OnDropDownDestroyed(SDropDownWnd* dropDown) override;

    // ---- SWindow overrides ------------------------------------------------------------
    SStringW GetWindowText(BOOL raw = FALSE) const override;
    void SetWindowText(LPCWSTR text) override;
    void ApplyColorize(COLORREF color) override;
    BOOL BuildChildren(pugi::xml_node element) override;
    BOOL RaiseEvent(EventArgs* args) override;
    UINT OnGetDlgCode() const override { return kDlgCodeWantArrows; }
    BOOL IsFocusable() const override;
    void UpdateChildrenPosition() override;
    void GetTextRect(RECT* rect) const override;
    int OnLanguageChanged() override;
    void OnScaleChanged(int scale) override;

    BEGIN_SWND_MSG_MAP(SComboBase)
        MSG_HANDLER  (WM_DESTROY,     OnDestroy)
        MSG_HANDLER  (WM_SETFOCUS,    OnSetFocus)
        MSG_HANDLER  (WM_KILLFOCUS,   OnKillFocus)
        MSG_HANDLER  (WM_PAINT,       OnPaint)
        MSG_HANDLER  (WM_KEYDOWN,     OnKeyDown)
        MSG_HANDLER  (WM_CHAR,        OnChar)
        MSG_HANDLER  (WM_MOUSEMOVE,   OnMouseMove)
        MSG_HANDLER  (WM_LBUTTONDOWN, OnLButtonDown)
        MSG_HANDLER  (WM_MOUSEWHEEL,  OnMouseWheel)
        MSG_HANDLER  (WM_MOUSELEAVE,  OnMouseLeave)
        CHAIN_MSG_MAP(SWindow)
    END_MSG_MAP()

protected:
    // Makes the list from the control's element; it stays null when it cannot be made.
    virtual void CreateDropList(pugi::xml_node element) = 0;
    // The popup's height in pixels.
    virtual int DropListHeight() const = 0;
    // The list, null when it could not be made: then the combo is an empty one.
    virtual SWindow* DropList() const = 0;
    // Scrolls the chosen item into the list's view.
    virtual void ShowCurrentInList() = 0;

    // Makes a list of the "listStyle" element's "wndclass" (default `defaultClass`)
    // that is a `requiredClass`, initialised from that element; null otherwise.
    SWindow* MakeDropList(pugi::xml_node element, LPCWSTR defaultClass, LPCWSTR requiredClass);
    // Ends the list (WM_DESTROY, then its reference) and forgets it: when the
    // combo's tree ends, while the host still answers the list, or else with the combo.
    virtual void DestroyDropList() = 0;
    static void ReleaseDropList(SWindow* list);
    int DropHeightPx() const { return m_dropHeight.ToPixelSize(GetScale()); }
    int InitialSelection() const { return m_initialSel; }

    void OnDestroy();
    void OnSetFocus(SWND oldFocus, int reason);
    void OnKillFocus(SWND newFocus);
    void OnPaint(IRenderTarget* target);
    void OnKeyDown(UINT key, UINT repeatCount, UINT flags);
    void OnChar(UINT character, UINT repeatCount, UINT flags);
    void OnMouseMove(UINT keys, POINT point);
    void OnLButtonDown(UINT keys, POINT point);
    LRESULT OnMouseWheel(UINT keys, short delta, POINT point);
    void OnMouseLeave();

private:
    // The drop button's width for a client height: the skin's aspect, a square without skin.
    int ButtonWidth(int height) const;
    void SetButtonState(UINT state);
    void StepSelection(int step);
    void CreateEditPart(pugi::xml_node element);

    SComboEdit* m_edit = nullptr;   // a child: the tree holds it
    UINT m_btnState = 0;
    ISkinObj* m_btnSkin;            // the pools'
    int m_dropDown = 1;
    SLayoutDim m_dropHeight{200.0f, kUnitDp};
    int m_initialSel = -1;
    int m_animateTime = 200;
    SDropDownWnd* m_dropDownWnd = nullptr;   // set while the popup exists
    pugi::xml_document m_dropDownStyle;
    int m_autoFitDropBtn = 1;
};

}  // namespace SAKU

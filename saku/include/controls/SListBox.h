#pragma once

#include "controls/SScrollView.h"
#include "core/STranslatableText.h"
#include "res.mgr/SResProviderMgr.h"

#include <memory>
#include <vector>

namespace SAKU {

// One entry of a list box: its text, the state of its icon in the list's icon
// skin (-1: none) and a value of the application's. The list box owns it.
struct SListBoxItem {
    explicit SListBoxItem(const ITrCtxProvider* owner) : text(owner) {}

    STranslatableText text;
    int image = -1;
    DWORD data = 0;
};

// A single-selection list of text entries of one height ("listbox"), each with an
// optional icon, scrolled vertically: the view is as high as the entries. The
// entries come from the layout's "items" element or from calls; a click or the
// arrow keys select with the "changing" (which may veto) and "changed" events,
// SetCurSel selects silently. With "hotTrack" the entry under the mouse is
// highlighted and a release, not a press, selects. The drop list of a combo box
// is one. Owned by its parent like every window; UI thread.
class SListBox : public SScrollView {
public:
    SOBJECT_CLASS(SScrollView, L"listbox", kObjTypeWindow)
    SOBJECT_BASE_CLASS(L"scrollview")

    SListBox();
    ~SListBox() override;

    // ---- Entries ---------------------------------------------------------------------
    int AddString(LPCWSTR text, int image = -1, DWORD data = 0) { return InsertString(-1, text, image, data); }
    // -1 or an index past the end appends; the entry's index, or -1 for an index
    // below -1, which inserts nothing.
    int InsertString(int index, LPCWSTR text, int image = -1, DWORD data = 0);
    int InsertItem(int index, std::unique_ptr<SListBoxItem> item);
    BOOL DeleteString(int index);
    void DeleteAll();
    int GetCount() const { return static_cast<int>(m_items.size()); }
    // The translated text, or the text as written; empty for a bad index.
    SStringW GetText(int index, BOOL raw = FALSE) const;
    DWORD GetItemData(int index) const;
    BOOL SetItemData(int index, DWORD data);

    // ---- Selection and scrolling ------------------------------------------------------
    int GetCurSel() const { return m_curSel; }
    // No events. FALSE for an index at or past the end or for no change; a negative
    // index clears the selection.
    BOOL SetCurSel(int index);
    int GetHoverIndex() const { return m_hoverSel; }
    int GetItemHeight() const;
    // Every entry takes the height; FALSE for no entry at `index` or pixels below 1.
    BOOL SetItemHeight(int index, int pixels);
    int GetTopIndex() const;
    BOOL SetTopIndex(int index);
    void EnsureVisible(int index);
    // The entry under a host point, which becomes relative to the entry; -1 when none.
    int HitTest(POINT& point) const;

    // Paints entry `index` into `rect`: background or item skin by state, icon, text.
    virtual void DrawItem(IRenderTarget* target, const RECT& rect, int index);

    BEGIN_ATTRIBUTES(SListBox)
        ATTRIBUTE_HANDLER(L"itemHeight",        OnAttrItemHeight)
        ATTRIBUTE_FIELD  (L"icon-x",            m_iconX,           SLayoutDim, kNoRefresh)
        ATTRIBUTE_FIELD  (L"icon-y",            m_iconY,           SLayoutDim, kNoRefresh)
        ATTRIBUTE_FIELD  (L"text-x",            m_textX,           SLayoutDim, kNoRefresh)
        ATTRIBUTE_FIELD  (L"text-y",            m_textY,           SLayoutDim, kNoRefresh)
        ATTRIBUTE_FIELD  (L"hotTrack",          m_hotTrack,        ParseInt,   kNoRefresh)
        ATTRIBUTE_SKIN   (L"itemSkin",          m_itemSkin,                    kRefresh)
        ATTRIBUTE_SKIN   (L"iconSkin",          m_iconSkin,                    kRefresh)
        ATTRIBUTE_COLOR  (L"colorItemBkgnd",    m_colorItemBkgnd,              kRefresh)
        ATTRIBUTE_COLOR  (L"colorItemBkgnd2",   m_colorItemBkgnd2,             kRefresh)
        ATTRIBUTE_COLOR  (L"colorItemSelBkgnd", m_colorItemSelBkgnd,           kRefresh)
        ATTRIBUTE_COLOR  (L"colorItemHotBkgnd", m_colorItemHotBkgnd,           kRefresh)
        ATTRIBUTE_COLOR  (L"colorText",         m_colorText,                   kRefresh)
        ATTRIBUTE_COLOR  (L"colorSelText",      m_colorSelText,                kRefresh)
    END_ATTRIBUTES_CHAIN(SScrollView)

    // ---- SWindow overrides ------------------------------------------------------------
    // Only the "items" element: its entries, then "curSel".
    BOOL BuildChildren(pugi::xml_node element) override;
    UINT OnGetDlgCode() const override { return kDlgCodeWantArrows | kDlgCodeWantChars; }
    int OnLanguageChanged() override;

    BEGIN_SWND_MSG_MAP(SListBox)
        MSG_HANDLER  (WM_PAINT,         OnPaint)
        MSG_HANDLER  (WM_SIZE,          OnSize)
        MSG_HANDLER  (WM_DESTROY,       OnDestroy)
        MSG_HANDLER  (WM_SHOWWINDOW,    OnShowWindow)
        MSG_HANDLER  (WM_KEYDOWN,       OnKeyDown)
        MSG_HANDLER  (WM_CHAR,          OnChar)
        MSG_HANDLER  (WM_MOUSEMOVE,     OnMouseMove)
        MSG_HANDLER  (WM_LBUTTONDOWN,   OnLButtonDown)
        MSG_HANDLER  (WM_LBUTTONUP,     OnLButtonUp)
        MSG_HANDLER  (WM_LBUTTONDBLCLK, OnLButtonDbClick)
        MSG_HANDLER  (WM_MOUSELEAVE,    OnMouseLeave)
        CHAIN_MSG_MAP(SScrollView)
    END_MSG_MAP()

protected:
    // Raises the "changing" event and, unless it is vetoed, selects `newSel`,
    // redraws both entries and raises "changed".
    void NotifySelChange(int oldSel, int newSel);
    // Redraws one entry at once, when it shows.
    void RedrawItem(int index);
    // Reads an "item" element's "icon", "data" and "text" into the entry.
    virtual void LoadItemAttribute(pugi::xml_node element, SListBoxItem& item);

private:
    HRESULT OnAttrItemHeight(const SStringW& value, BOOL loading);

    void OnPaint(IRenderTarget* target);
    void OnSize(UINT type, SIZE size);
    void OnDestroy();
    void OnShowWindow(BOOL show, UINT status);
    void OnKeyDown(UINT key, UINT repeatCount, UINT flags);
    void OnChar(UINT character, UINT repeatCount, UINT flags);
    void OnMouseMove(UINT flags, POINT point);
    void OnLButtonDown(UINT flags, POINT point);
    void OnLButtonUp(UINT flags, POINT point);
    void OnLButtonDbClick(UINT flags, POINT point);
    void OnMouseLeave();

    bool IsIndex(int index) const { return index >= 0 && index < GetCount(); }
    // The view as high as the entries and as wide as the client less a needed bar.
    void UpdateViewSize();
    // The entry's rectangle in host coordinates, as the view places it now.
    RECT ItemRect(int index) const;
    // Selects the hovered entry (set to the one under the point) when it differs.
    void SelectUnder(POINT point);

    std::vector<std::unique_ptr<SListBoxItem>> m_items;   // in display order
    int m_curSel = -1;
    int m_hoverSel = -1;

    SLayoutDim m_itemHeight{20.0f, kUnitDp};
    SLayoutDim m_iconX{kSizeInvalid, kUnitPx};
    SLayoutDim m_iconY{kSizeInvalid, kUnitPx};
    SLayoutDim m_textX{kSizeInvalid, kUnitPx};
    SLayoutDim m_textY{kSizeInvalid, kUnitPx};
    int m_hotTrack = 0;
    ISkinObj* m_itemSkin = nullptr;   // the pools'
    ISkinObj* m_iconSkin = nullptr;
    COLORREF m_colorItemBkgnd = SwndStyle::kColorNone;
    COLORREF m_colorItemBkgnd2 = SwndStyle::kColorNone;
    COLORREF m_colorItemSelBkgnd = 0xFFD19139;
    COLORREF m_colorItemHotBkgnd = 0x80D19139;
    COLORREF m_colorText = SwndStyle::kColorNone;
    COLORREF m_colorSelText = SwndStyle::kColorNone;
};

}  // namespace SAKU

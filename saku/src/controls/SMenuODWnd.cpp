#include "controls/SMenuODWnd.h"

#include "controls/SMenuAttr.h"
#include "controls/SPopupMenu.h"
#include "core/ISkinObj.h"
#include "core/RenderObjSelection.h"
#include "core/SApplication.h"
#include "render/IFont.h"
#include "render/IRenderFactory.h"
#include "render/IRenderTarget.h"
#include "render/RenderTargetHandles.h"

namespace SAKU {

namespace {

constexpr int kSepHeightWithoutSkin = 3;
constexpr UINT kItemTextFormat = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS;   // "&" underlines

SAutoRef<IRenderTarget> NewRenderTarget(int width, int height)
{
    SAutoRef<IRenderTarget> target;
    SApplication* const app = SApplication::GetInstance();
    IRenderFactory* const factory = app ? app->GetRenderFactory() : nullptr;
    if (factory && !factory->CreateRenderTarget(target.Put(), width, height))
        target = nullptr;
    return target;
}

const SPopupMenuItem* RecordOf(ULONG_PTR itemData)
{
    return reinterpret_cast<const SPopupMenuItem*>(itemData);
}

}  // namespace

SMenuODWnd::SMenuODWnd(HWND owner, SMenuAttr* attr) : m_owner(owner), m_attr(attr) {}

SMenuODWnd::~SMenuODWnd() = default;

void SMenuODWnd::MeasureItem(MEASUREITEMSTRUCT* item)
{
    if (item->CtlType != ODT_MENU || !m_attr)
        return;
    const SPopupMenuItem* const record = RecordOf(item->itemData);
    if (!record) {
        ISkinObj* const sep = m_attr->GetSepSkin();
        item->itemWidth = 0;
        item->itemHeight = sep ? sep->QuerySkinSize().cy : kSepHeightWithoutSkin;
        return;
    }
    SIZE text = {};
    if (SAutoRef<IRenderTarget> target = NewRenderTarget(0, 0)) {
        const RenderObjSelection font(target.Get(), m_attr->GetFont());
        target->MeasureText(record->text.c_str(), record->text.GetLength(), &text);
    }
    item->itemHeight = m_attr->GetItemHeight();
    item->itemWidth = m_attr->GetIconSize().cx + 2 * m_attr->GetIconMargin() + text.cx + 2 * m_attr->GetTextMargin();
    const int maxWidth = m_attr->GetMaxWidth();
    if (maxWidth != -1 && static_cast<UINT>(maxWidth) < item->itemWidth)
        item->itemWidth = maxWidth;
}

void SMenuODWnd::DrawItem(DRAWITEMSTRUCT* item)
{
    if (item->CtlType != ODT_MENU || !m_attr)
        return;
    const int width = item->rcItem.right - item->rcItem.left;
    const int height = item->rcItem.bottom - item->rcItem.top;
    SAutoRef<IRenderTarget> target = NewRenderTarget(width, height);
    if (!target)
        return;
    const RECT all = {0, 0, width, height};
    const SPopupMenuItem* const record = RecordOf(item->itemData);
    if (!record) {
        if (ISkinObj* const sep = m_attr->GetSepSkin())
            sep->DrawByIndex(target.Get(), &all, 0);
    } else {
        MENUITEMINFOW info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE;
        (void)::GetMenuItemInfoW(reinterpret_cast<HMENU>(item->hwndItem), item->itemID, FALSE, &info);   // no type: no radio mark

        const bool selected = (item->itemState & ODS_SELECTED) != 0;
        ISkinObj* const itemSkin = m_attr->GetItemSkin();
        if (itemSkin)
            itemSkin->DrawByIndex(target.Get(), &all, selected ? 1 : 0);

        const SIZE iconSize = m_attr->GetIconSize();
        RECT icon = {m_attr->GetIconMargin(), (height - iconSize.cy) / 2, 0, 0};
        icon.right = icon.left + iconSize.cx;
        icon.bottom = icon.top + iconSize.cy;
        if (item->itemState & ODS_CHECKED) {
            if (ISkinObj* const check = m_attr->GetCheckSkin())
                check->DrawByIndex(target.Get(), &icon, (info.fType & MFT_RADIOCHECK) ? 1 : 0);
        } else if (record->icon != -1) {
            if (ISkinObj* const iconSkin = m_attr->GetIconSkin())
                iconSkin->DrawByIndex(target.Get(), &icon, record->icon);
        }

        RECT text = {icon.right + m_attr->GetIconMargin(), all.top, all.right, all.bottom};
        text.left += m_attr->GetTextMargin();
        text.right -= m_attr->GetTextMargin();
        const COLORREF color = (item->itemState & ODS_GRAYED) ? m_attr->GetGrayTextColor()
                               : selected                     ? m_attr->GetSelTextColor()
                                                              : m_attr->GetTextColor();
        {
            const UniqueTextColor textColor = SetTargetTextColor(target.Get(), color);
            const RenderObjSelection font(target.Get(), m_attr->GetFont());
            target->DrawText(record->text.c_str(), record->text.GetLength(), &text, kItemTextFormat);
        }
        // A skin with a third state draws it over the selected item's text.
        if (selected && itemSkin && itemSkin->GetStates() > 2)
            itemSkin->DrawByIndex(target.Get(), &all, 2);
    }
    const UniqueTargetDc source = GetTargetDc(target.Get());
    ::BitBlt(item->hDC, item->rcItem.left, item->rcItem.top, width, height, source.Get().dc, 0, 0, SRCCOPY);
}

LRESULT SMenuODWnd::FindAccelItem(UINT character, HMENU menu) const
{
    const UINT32 wanted = SPopupMenuItem::FoldAccel(character);
    const int count = ::GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position) {
        MENUITEMINFOW info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_DATA;
        if (!::GetMenuItemInfoW(menu, position, TRUE, &info))
            continue;
        const SPopupMenuItem* const record = RecordOf(info.dwItemData);
        if (record && record->accel == wanted)
            return MAKELRESULT(position, MNC_EXECUTE);
    }
    return MNC_IGNORE;
}

LRESULT SMenuODWnd::ForwardToOwner(UINT message, WPARAM wParam, LPARAM lParam)
{
    ::SendMessageW(m_owner, message, wParam, lParam);
    return 0;
}

LRESULT SMenuODWnd::OnMenuChar(UINT character, UINT, HMENU menu)
{
    return FindAccelItem(character, menu);
}

}  // namespace SAKU

#include "controls/STabCtrl.h"

#include "STabSlider.h"
#include "controls/STabPage.h"
#include "core/Events.h"
#include "core/ISkinObj.h"
#include "core/RenderObjSelection.h"
#include "core/SApplication.h"
#include "core/SAttributeMap.h"
#include "core/SkinLookup.h"
#include "core/SXmlLookup.h"
#include "core/SplitString.h"
#include "render/RenderTargetHandles.h"

#include <pugixml.hpp>

#include <algorithm>
#include <wchar.h>

namespace SAKU {

namespace {

constexpr const wchar_t* kDefaultTabSkin = L"_skin.sys.tab.page";
// The words of "tabAlign" and "textDir", in any letter case.
constexpr AttributeWord kTabAlignWords[] = {
    {L"top",    STabCtrl::kAlignTop},    {L"left",  STabCtrl::kAlignLeft},
    {L"bottom", STabCtrl::kAlignBottom}, {L"right", STabCtrl::kAlignRight},
};
constexpr AttributeWord kTextDirWords[] = {
    {L"hori", STabCtrl::kTextHorizontal}, {L"horizontal", STabCtrl::kTextHorizontal},
    {L"vert", STabCtrl::kTextVertical},   {L"vertical",   STabCtrl::kTextVertical},
};
// The text formats a tab keeps when its title is placed along one axis only:
// horizontal alignment (DT_CENTER, DT_RIGHT) or vertical alignment (DT_VCENTER,
// DT_BOTTOM), with DT_SINGLELINE and DT_END_ELLIPSIS.
constexpr UINT kFormatKeepHorizontal = 0x8023;
constexpr UINT kFormatKeepVertical = 0x802C;

// The skin state a tab's WndState_ bits draw: 2 selected, 1 hover, 0.
int TabSkinState(DWORD state)
{
    if (state & (WndState_PushDown | WndState_Check))
        return 2;
    return (state & WndState_Hover) ? 1 : 0;
}

}  // namespace

STabCtrl::STabCtrl()
{
    m_tabSkin = FindSkin(kDefaultTabSkin, 100);
    if (SApplication* const app = SApplication::GetInstance())
        m_interpolator.Attach(app->CreateInterpolatorByName(L"Linear"));
    GetEventSet()->AddEvent(EventTabSelChanging::EventID, EventTabSelChanging::EventName());
    GetEventSet()->AddEvent(EventTabSelChanged::EventID, EventTabSelChanged::EventName());
    GetEventSet()->AddEvent(EventTabItemHover::EventID, EventTabItemHover::EventName());
    GetEventSet()->AddEvent(EventTabItemLeave::EventID, EventTabItemLeave::EventName());
}

STabCtrl::~STabCtrl() = default;

// Names the table does not know go to the interpolator, so that its parameters can
// be written on the control, then to the window.
HRESULT STabCtrl::ApplyAttribute(const SStringW& name, const SStringW& value, BOOL loading)
{
    HRESULT result = E_FAIL;
    if (false) {
    }
    ATTRIBUTE_FIELD  (L"curSel",       m_curSel,       ParseInt,   kNoRefresh)
    ATTRIBUTE_FIELD  (L"tabWidth",     m_tabWidth,     SLayoutDim, kNoRefresh)
    ATTRIBUTE_FIELD  (L"tabHeight",    m_tabHeight,    SLayoutDim, kNoRefresh)
    ATTRIBUTE_FIELD  (L"tabPos",       m_tabPos,       SLayoutDim, kNoRefresh)
    ATTRIBUTE_FIELD  (L"tabInterSize", m_tabInterSize, SLayoutDim, kNoRefresh)
    ATTRIBUTE_FIELD  (L"icon-x",       m_iconX,        SLayoutDim, kNoRefresh)
    ATTRIBUTE_FIELD  (L"icon-y",       m_iconY,        SLayoutDim, kNoRefresh)
    ATTRIBUTE_FIELD  (L"text-x",       m_textX,        SLayoutDim, kNoRefresh)
    ATTRIBUTE_FIELD  (L"text-y",       m_textY,        SLayoutDim, kNoRefresh)
    ATTRIBUTE_FIELD  (L"animateSteps", m_animateSteps, ParseInt,   kNoRefresh)
    ATTRIBUTE_FIELD  (L"animateType",  m_animateType,  ParseInt,   kNoRefresh)
    ATTRIBUTE_HANDLER(L"tabSize",      OnAttrTabSize)
    ATTRIBUTE_WORD   (L"tabAlign",     m_tabAlign,     kTabAlignWords, kAnyCase, kRefresh)
    ATTRIBUTE_WORD   (L"textDir",      m_textDir,      kTextDirWords,  kAnyCase, kRefresh)
    ATTRIBUTE_HANDLER(L"interpolator", OnAttrInterpolator)
    ATTRIBUTE_SKIN   (L"tabSkin",      m_tabSkin,      kNoRefresh)
    ATTRIBUTE_SKIN   (L"iconSkin",     m_iconSkin,     kNoRefresh)
    ATTRIBUTE_SKIN   (L"tabInterSkin", m_tabInterSkin, kNoRefresh)
    ATTRIBUTE_SKIN   (L"frameSkin",    m_frameSkin,    kNoRefresh)
    else if (m_interpolator && SUCCEEDED(result = m_interpolator->ApplyAttribute(name, value, loading))) {
        result = kNoRefresh;
    } else {
        return SWindow::ApplyAttribute(name, value, loading);
    }
    return AfterAttribute(name, value, loading, result);
}

HRESULT STabCtrl::OnAttrTabSize(const SStringW& value, BOOL)
{
    SDynArray<SStringW> parts;
    if (SplitString(value, L',', parts) != 2)
        return E_INVALIDARG;
    m_tabWidth = SLayoutDim(parts[0]);
    m_tabHeight = SLayoutDim(parts[1]);
    return kRefresh;
}

HRESULT STabCtrl::OnAttrInterpolator(const SStringW& value, BOOL)
{
    SApplication* const app = SApplication::GetInstance();
    IInterpolator* const created = app ? app->CreateInterpolatorByName(value.c_str()) : nullptr;
    // An unknown name keeps the interpolator the control has, so that a slide
    // always has one.
    if (!created)
        return E_INVALIDARG;
    m_interpolator.Attach(created);
    return kNoRefresh;
}

// ---- Pages ------------------------------------------------------------------------------

STabPage* STabCtrl::GetItem(int index) const
{
    return index >= 0 && index < m_pages.GetCount() ? m_pages[index] : nullptr;
}

STabPage* STabCtrl::CreatePageFromXml(pugi::xml_node node)
{
    SApplication* const app = SApplication::GetInstance();
    if (!app || _wcsicmp(node.name(), L"page") != 0)
        return nullptr;
    // Every class registered with the window type is a window.
    auto* const window = static_cast<SWindow*>(app->CreateObject(SObjectInfo(STabPage::ClassName(), kObjTypeWindow)));
    STabPage* const page = SObjCast<STabPage>(window);
    if (window && !page)
        window->Release();   // another class registered under the page's tag
    return page;
}

int STabCtrl::AddItemAt(pugi::xml_node node, int index, BOOL loading)
{
    STabPage* const page = CreatePageFromXml(node);
    if (!page)
        return -1;
    InsertChild(page);   // the tree holds the page's first reference
    // Building may refuse the page, which is then gone.
    const SAutoRef<SWindow> held(page);
    if (!page->BuildFromXml(node) || page->GetParent() != this)
        return -1;
    if (ILayoutParam* const param = page->GetLayoutParam())
        param->SetMatchParent(Both);

    if (index < 0 || index > m_pages.GetCount())
        index = m_pages.GetCount();
    if (m_pages.Add(page) < 0) {
        DestroyChild(page);
        return -1;
    }
    for (int i = m_pages.GetCount() - 1; i > index; --i)
        m_pages[i] = m_pages[i - 1];
    m_pages[index] = page;

    if (!loading) {
        const RECT area = GetChildrenLayoutRect();
        page->Move(&area);
        page->SetVisible(FALSE);
        if (m_curSel >= index)
            ++m_curSel;
        InvalidateRect(GetTitleRect());
        if (m_curSel < 0 || m_curSel >= m_pages.GetCount()) {
            m_curSel = -1;
            SetCurSel(index);
        }
    }
    OnItemInserted(page);
    return index;
}

int STabCtrl::InsertItemXml(LPCWSTR xml, int index)
{
    pugi::xml_document document;
    if (!xml || !document.load_string(xml))
        return -1;
    return AddItemAt(document.first_child(), index, FALSE);
}

BOOL STabCtrl::BuildChildren(pugi::xml_node element)
{
    for (pugi::xml_node node = element.first_child(); node; node = node.next_sibling()) {
        if (node.type() == pugi::node_element)
            AddItemAt(node, -1, TRUE);
    }
    if (m_pages.GetCount() == 0)
        m_curSel = -1;
    else if (m_curSel < 0 || m_curSel >= m_pages.GetCount())
        m_curSel = 0;
    if (STabPage* const page = GetItem(m_curSel))
        page->SetVisible(TRUE);
    return TRUE;
}

void STabCtrl::OnInitFinished(pugi::xml_node element)
{
    SWindow::OnInitFinished(element);
    if (!m_tabSkin)
        return;
    const SIZE size = m_tabSkin->QuerySkinSize();
    if (m_tabWidth.IsWrapContent())
        m_tabWidth.Set(static_cast<float>(size.cx), kUnitPx);
    if (m_tabHeight.IsWrapContent())
        m_tabHeight.Set(static_cast<float>(size.cy), kUnitPx);
}

// ---- Selection --------------------------------------------------------------------------

BOOL STabCtrl::SetCurSel(int index)
{
    if (index < 0 || index >= m_pages.GetCount() || index == m_curSel)
        return FALSE;
    // A subscriber may destroy the control.
    const SAutoRef<SWindow> self(this);
    const int old = m_curSel;
    EventTabSelChanging changing(this, old, index);
    RaiseEvent(&changing);
    if (changing.cancel)
        return FALSE;

    InvalidateItem(old);
    StopSlide();
    STabPage* const oldPage = GetItem(old);
    STabPage* const newPage = GetItem(index);
    if (m_animateSteps != 0 && IsVisible(TRUE) && oldPage) {
        m_slider = new STabSlider(this, old, index, m_animateSteps, m_animateType, m_interpolator.Get());
    } else {
        if (oldPage)
            oldPage->SetVisible(FALSE, TRUE);
        newPage->SetVisible(TRUE, TRUE);
    }
    m_curSel = index;
    InvalidateItem(index);
    EventTabSelChanged changed(this, old, index);
    RaiseEvent(&changed);
    return TRUE;
}

void STabCtrl::StopSlide()
{
    if (!m_slider)
        return;
    STabSlider* const slider = m_slider;
    m_slider = nullptr;
    DestroyChild(slider);
    if (STabPage* const page = GetItem(m_curSel))
        page->SetVisible(TRUE, TRUE);
}

// ---- Geometry ---------------------------------------------------------------------------

int STabCtrl::TabWidth() const
{
    return std::max(0, m_tabWidth.ToPixelSize(GetScale()));
}

int STabCtrl::TabHeight() const
{
    return std::max(0, m_tabHeight.ToPixelSize(GetScale()));
}

RECT STabCtrl::GetTitleRect() const
{
    RECT strip = GetClientRect();
    switch (m_tabAlign) {
    case kAlignLeft:
        strip.right = std::min(strip.right, strip.left + TabWidth());
        break;
    case kAlignBottom:
        strip.top = std::max(strip.top, strip.bottom - TabHeight());
        break;
    case kAlignRight:
        strip.left = std::max(strip.left, strip.right - TabWidth());
        break;
    default:
        strip.bottom = std::min(strip.bottom, strip.top + TabHeight());
        break;
    }
    return strip;
}

BOOL STabCtrl::GetItemRect(int index, RECT& rect) const
{
    if (index < 0 || index >= m_pages.GetCount())
        return FALSE;
    const RECT strip = GetTitleRect();
    const int scale = GetScale();
    const int width = TabWidth();
    const int height = TabHeight();
    const int gap = m_tabInterSize.ToPixelSize(scale);
    const int first = m_tabPos.ToPixelSize(scale);
    rect = {strip.left, strip.top, strip.left + width, strip.top + height};
    if (IsVerticalStrip())
        ::OffsetRect(&rect, 0, index * (height + gap) + first);
    else
        ::OffsetRect(&rect, index * (width + gap) + first, 0);
    if (!::IntersectRect(&rect, &rect, &strip))
        rect = {};
    return TRUE;
}

int STabCtrl::HitTest(POINT point) const
{
    for (int i = 0; i < m_pages.GetCount(); ++i) {
        RECT rect;
        if (GetItemRect(i, rect) && ::PtInRect(&rect, point))
            return i;
    }
    return -1;
}

RECT STabCtrl::GetChildrenLayoutRect() const
{
    RECT area = GetClientRect();
    switch (m_tabAlign) {
    case kAlignLeft:
        area.left += TabWidth();
        break;
    case kAlignBottom:
        area.bottom -= TabHeight();
        break;
    case kAlignRight:
        area.right -= TabWidth();
        break;
    default:
        area.top += TabHeight();
        break;
    }
    if (area.right < area.left)
        area.right = area.left;
    if (area.bottom < area.top)
        area.bottom = area.top;
    return area;
}

void STabCtrl::UpdateChildrenPosition()
{
    const RECT area = GetChildrenLayoutRect();
    for (int i = 0; i < m_pages.GetCount(); ++i)
        m_pages[i]->Move(&area);
}

void STabCtrl::InvalidateItem(int index)
{
    RECT rect;
    if (GetItemRect(index, rect) && !::IsRectEmpty(&rect))
        InvalidateRect(rect);
}

// ---- Painting ---------------------------------------------------------------------------

void STabCtrl::PreparePaint(IRenderTarget* target, SPaintState& saved)
{
    if (IFont* const font = m_style.GetTextFont(0))
        target->SelectObject(font, saved.font.Put());
    const COLORREF colour = m_style.GetTextColor(0);
    if (colour != SwndStyle::kColorNone)
        saved.textColor = target->SetTextColor(colour);
}

void STabCtrl::OnPaint(IRenderTarget* target)
{
    SPaintState saved;
    PreparePaint(target, saved);
    const RECT strip = GetTitleRect();
    target->PushClipRect(&strip, RGN_AND);
    RECT previous = {};
    for (int i = 0; i < m_pages.GetCount(); ++i) {
        const DWORD state = i == m_curSel ? WndState_PushDown : (i == m_hoverIndex ? WndState_Hover : 0);
        RECT rect;
        GetItemRect(i, rect);
        if (::IsRectEmpty(&rect)) {
            previous = rect;
            continue;
        }
        if (i > 0 && m_tabInterSkin) {
            const int gap = m_tabInterSize.ToPixelSize(GetScale());
            RECT between = rect;
            if (IsVerticalStrip()) {
                between.top = previous.bottom;
                between.bottom = between.top + gap;
            } else {
                between.left = previous.right;
                between.right = between.left + gap;
            }
            m_tabInterSkin->DrawByIndex(target, &between, 0);
        }
        DrawItem(target, rect, i, state);
        previous = rect;
    }
    target->PopClip();
    if (m_frameSkin) {
        const RECT area = GetChildrenLayoutRect();
        m_frameSkin->DrawByIndex(target, &area, 0);
    }
    RECT current;
    if (IsFocused() && IsFocusable() && IsDrawFocusRect() && GetItemRect(m_curSel, current))
        DrawDefaultFocusRect(target, current);
    AfterPaint(target, saved);
}

void STabCtrl::DrawItem(IRenderTarget* target, const RECT& rect, int index, DWORD state)
{
    if (::IsRectEmpty(&rect))
        return;
    const int skinState = TabSkinState(state);
    if (m_tabSkin)
        m_tabSkin->DrawByIndex(target, &rect, skinState);

    const RenderObjSelection font(target, m_style.GetTextFont(skinState));
    const COLORREF colour = m_style.GetTextColor(skinState);
    const UniqueTextColor textColor =
        colour != SwndStyle::kColorNone ? SetTargetTextColor(target, colour) : UniqueTextColor();

    STabPage* const page = GetItem(index);
    const int scale = GetScale();
    if (m_iconSkin) {
        const SIZE size = m_iconSkin->QuerySkinSize();
        RECT icon = {rect.left + m_iconX.ToPixelSize(scale), rect.top + m_iconY.ToPixelSize(scale), 0, 0};
        icon.right = icon.left + size.cx;
        icon.bottom = icon.top + size.cy;
        const int iconIndex = page && page->GetIconIndex() != -1 ? page->GetIconIndex() : index;
        m_iconSkin->DrawByIndex(target, &icon, iconIndex);
    }

    const SStringW title = page ? page->GetTitle() : SStringW();
    const int textX = m_textX.ToPixelSize(scale);
    const int textY = m_textY.ToPixelSize(scale);
    if (textX >= 1 && textY >= 1) {
        if (m_textDir == kTextVertical) {
            const RECT at = {rect.left + textX, rect.top + textY, rect.right, rect.bottom};
            DrawVerticalText(target, title, at, false);
        } else {
            target->TextOut(rect.left + textX, rect.top + textY, title.c_str(), title.GetLength());
        }
    } else {
        RECT text = rect;
        UINT format = GetTextFormat();
        if (textX < 0 && textY > 0) {
            text.top += textY;
            format &= kFormatKeepHorizontal;
        } else if (textX > 0 && textY < 0) {
            text.left += textX;
            format &= kFormatKeepVertical;
        }
        if (m_textDir == kTextVertical)
            DrawVerticalText(target, title, text, true);
        else
            target->DrawText(title.c_str(), title.GetLength(), &text, format);
    }
}

// The characters one under the other: from the rectangle's corner, or centred in it
// as a column as wide as the widest character.
void STabCtrl::DrawVerticalText(IRenderTarget* target, const SStringW& text, const RECT& rect, bool centred)
{
    SIZE column = {0, 0};
    for (int i = 0; i < text.GetLength(); ++i) {
        SIZE size = {};
        target->MeasureText(text.c_str() + i, 1, &size);
        column.cx = std::max(column.cx, size.cx);
        column.cy += size.cy;
    }
    POINT at = {rect.left, rect.top};
    if (centred) {
        at.x += ((rect.right - rect.left) - column.cx) / 2;
        at.y += ((rect.bottom - rect.top) - column.cy) / 2;
    }
    for (int i = 0; i < text.GetLength(); ++i) {
        SIZE size = {};
        target->MeasureText(text.c_str() + i, 1, &size);
        target->TextOut(at.x, at.y, text.c_str() + i, 1);
        at.y += size.cy;
    }
}

// ---- Input ------------------------------------------------------------------------------

void STabCtrl::OnKeyDown(UINT key, UINT, UINT)
{
    const int count = m_pages.GetCount();
    if (count == 0)
        return;
    switch (key) {
    case VK_HOME:
        SetCurSel(0);
        break;
    case VK_END:
        SetCurSel(count - 1);
        break;
    case VK_LEFT:
    case VK_UP:
        SetCurSel(m_curSel > 0 ? m_curSel - 1 : count - 1);
        break;
    case VK_RIGHT:
    case VK_DOWN:
        SetCurSel(m_curSel < count - 1 ? m_curSel + 1 : 0);
        break;
    default:
        break;
    }
}

void STabCtrl::SetHover(int index)
{
    if (index == m_hoverIndex)
        return;
    const int old = m_hoverIndex;
    m_hoverIndex = index;
    if (old != -1) {
        if (old != m_curSel)
            InvalidateItem(old);
        EventTabItemLeave leave(this, old);
        RaiseEvent(&leave);
    }
    if (index != -1) {
        if (index != m_curSel)
            InvalidateItem(index);
        EventTabItemHover hover(this, index);
        RaiseEvent(&hover);
    }
}

void STabCtrl::OnMouseMove(UINT, POINT point)
{
    SetHover(HitTest(point));
}

void STabCtrl::OnMouseLeave()
{
    SetHover(HitTest(POINT{-1, -1}));
    SWindow::OnMouseLeave();
}

void STabCtrl::OnLButtonDown(UINT flags, POINT point)
{
    SWindow::OnLButtonDown(flags, point);
    const int hit = HitTest(point);
    if (hit != -1 && hit != m_curSel)
        SetCurSel(hit);
}

void STabCtrl::OnDestroy()
{
    StopSlide();
    for (int i = m_pages.GetCount() - 1; i >= 0; --i) {
        STabPage* const page = m_pages[i];
        OnItemRemoved(page);
        DestroyChild(page);
    }
    m_pages.SetCount(0);
    SWindow::OnDestroy();
}

// ---- Environment ------------------------------------------------------------------------

BOOL STabCtrl::UpdateToolTip(POINT point, SwndToolTipInfo& info)
{
    const int hit = HitTest(point);
    STabPage* const page = GetItem(hit);
    if (!page)
        return FALSE;
    const SStringW tip = page->GetToolTipText();
    if (tip.IsEmpty())
        return FALSE;
    info.swnd = GetSwnd();
    info.cookie = static_cast<DWORD>(hit);
    GetItemRect(hit, info.rcTarget);
    info.text = tip;
    return TRUE;
}

int STabCtrl::OnLanguageChanged()
{
    SWindow::OnLanguageChanged();
    for (int i = 0; i < m_pages.GetCount(); ++i)
        m_pages[i]->TranslateTitle();
    InvalidateRect(GetTitleRect());
    return 3;
}

void STabCtrl::ApplyColorize(COLORREF color)
{
    SWindow::ApplyColorize(color);
    for (ISkinObj* const skin : {m_iconSkin, m_tabSkin, m_tabInterSkin, m_frameSkin}) {
        if (skin)
            skin->ApplyColorize(color);
    }
}

void STabCtrl::OnScaleChanged(int scale)
{
    SWindow::OnScaleChanged(scale);
    m_iconSkin = RescaleSkin(m_iconSkin, scale);
}

}  // namespace SAKU

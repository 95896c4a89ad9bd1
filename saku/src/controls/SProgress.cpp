#include "controls/SProgress.h"

#include "core/ILayout.h"
#include "core/ISkinObj.h"
#include "core/SkinLookup.h"

namespace SAKU {

BOOL SProgress::SetValue(int value)
{
    if (value < m_min)
        value = m_min;
    if (value > m_max)
        value = m_max;
    m_value = value;
    Invalidate();
    return TRUE;
}

int SProgress::OnCreate(LPCREATESTRUCT createStruct)
{
    const int created = OnWindowCreate(createStruct);
    if (created != 0)
        return created;
    const int scale = GetScale();
    if (!m_bkgndSkin)
        m_bkgndSkin = FindSkin(m_vertical ? L"_skin.sys.vert.prog.bkgnd" : L"_skin.sys.prog.bkgnd", scale);
    if (!m_posSkin)
        m_posSkin = FindSkin(m_vertical ? L"_skin.sys.vert.prog.bar" : L"_skin.sys.prog.bar", scale);
    return m_bkgndSkin && m_posSkin ? 0 : -1;
}

SIZE SProgress::MeasureDesiredSize(const RECT*)
{
    const SIZE skin = m_bkgndSkin ? m_bkgndSkin->QuerySkinSize() : SIZE{0, 0};
    const RECT margin = m_style.GetMarginRect();
    SIZE size = {skin.cx + margin.left + margin.right, skin.cy + margin.top + margin.bottom};
    // The length of the bar is the layout's when it gives one.
    const ORIENTATION along = m_vertical ? Vert : Horz;
    ILayoutParam* const param = GetLayoutParam();
    if (param && param->IsSpecifiedSize(along)) {
        const int length = param->GetSpecifiedSize(along).ToPixelSize(GetScale());
        (m_vertical ? size.cy : size.cx) = length;
    }
    return size;
}

void SProgress::ApplyColorize(COLORREF color)
{
    SWindow::ApplyColorize(color);
    for (ISkinObj* const skin : {m_bkgndSkin, m_posSkin}) {
        if (skin)
            skin->ApplyColorize(color);
    }
}

void SProgress::OnPaint(IRenderTarget* target)
{
    SPaintState saved;
    PreparePaint(target, saved);
    RECT bar;
    CopyClientRect(&bar);
    if (m_bkgndSkin)
        m_bkgndSkin->DrawByIndex(target, &bar, 0);
    // An empty range has no part done: the bar shows empty.
    const long long span = static_cast<long long>(m_max) - m_min;
    const long long done = span > 0 ? static_cast<long long>(m_value) - m_min : 0;
    RECT position = bar;
    if (span > 0) {
        if (m_vertical)
            position.bottom = bar.top + static_cast<LONG>(done * (bar.bottom - bar.top) / span);
        else
            position.right = bar.left + static_cast<LONG>(done * (bar.right - bar.left) / span);
    }
    if (span > 0 && m_min < m_value && m_posSkin)
        m_posSkin->DrawByIndex(target, &position, 0);
    if (m_showPercent && !m_vertical) {
        SStringW text;
        text.Format(L"%d%%", span > 0 ? static_cast<int>(done * 100 / span) : 0);
        RECT window = GetWindowRect();
        DrawText(target, text.c_str(), text.GetLength(), &window, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    AfterPaint(target, saved);
}

}  // namespace SAKU

#include "controls/SLine.h"

#include "core/RenderObjSelection.h"
#include "core/WordIndex.h"
#include "render/IPen.h"

namespace SAKU {

HRESULT SLine::OnAttrMode(const SStringW& value, BOOL)
{
    static const wchar_t* const kWords[] = {L"horizontal", L"vertical", L"tilt"};
    const int mode = WordIndex(value, kWords);
    if (mode < 0)
        return E_FAIL;
    m_mode = mode;
    return kNoRefresh;
}

HRESULT SLine::OnAttrLineStyle(const SStringW& value, BOOL)
{
    // In the order of the PS_ pen styles they name.
    static const wchar_t* const kWords[] = {L"solid", L"dash", L"dot", L"dashdot", L"dashdotdot"};
    const int style = WordIndex(value, kWords);
    if (style < 0)
        return E_FAIL;
    m_lineStyle = style;
    return kNoRefresh;
}

void SLine::OnPaint(IRenderTarget* target)
{
    SAutoRef<IPen> pen;
    target->CreatePen(m_lineStyle, m_colorLine, m_size, pen.Put());
    if (!pen)
        return;
    const RECT window = GetWindowRect();
    POINT points[2] = {{window.left, window.top}, {window.right, window.top}};
    if (m_mode == kVertical)
        points[1] = POINT{window.left, window.bottom};
    else if (m_mode == kTilt)
        points[1] = POINT{window.right, window.bottom};
    const RenderObjSelection selection(target, pen.Get());
    target->DrawLines(points, 2);
}

}  // namespace SAKU

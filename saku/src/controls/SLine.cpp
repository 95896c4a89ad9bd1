#include "controls/SLine.h"

#include "core/RenderObjSelection.h"
#include "render/IPen.h"

namespace SAKU {

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

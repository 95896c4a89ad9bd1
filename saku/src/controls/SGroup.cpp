#include "controls/SGroup.h"

#include "core/RenderObjSelection.h"
#include "render/IPen.h"

namespace SAKU {

namespace {

// The title keeps this far from the frame's corners.
constexpr int kTitleIndent = 20;
// The frame stops this far short of the title on every side.
constexpr int kTitleGap = 5;

}  // namespace

RECT SGroup::GetChildrenLayoutRect() const
{
    RECT area = SWindow::GetChildrenLayoutRect();
    area.top += HeaderHeight();
    return area;
}

SIZE SGroup::GetDesiredSize(int parentWidth, int parentHeight)
{
    SIZE size = SWindow::GetDesiredSize(parentWidth, parentHeight);
    size.cy += HeaderHeight();
    return size;
}

void SGroup::OnPaint(IRenderTarget* target)
{
    SPaintState saved;
    PreparePaint(target, saved);
    const SStringW& text = m_text.GetText(FALSE);
    SIZE measured = {0, 0};
    target->MeasureText(text.c_str(), text.GetLength(), &measured);
    const RECT window = GetWindowRect();

    RECT title = {window.left + kTitleIndent, window.top, window.right - kTitleIndent, window.top + measured.cy + 2};
    const UINT align = GetTextFormat();
    if (align & DT_CENTER) {
        title.left += (title.right - title.left - measured.cx) / 2;
        title.right = title.left + measured.cx;
    } else if (align & DT_RIGHT) {
        title.left = title.right - measured.cx;
    } else {
        title.right = title.left + measured.cx;
    }
    const bool titled = !text.IsEmpty();
    if (titled) {
        RECT gap = title;
        ::InflateRect(&gap, kTitleGap, kTitleGap);
        target->PushClipRect(&gap, RGN_DIFF);
    }

    RECT frame = window;
    if (titled)
        frame.top += measured.cy / 2;
    SAutoRef<IPen> light;
    SAutoRef<IPen> dark;
    target->CreatePen(PS_SOLID, m_colorLine1, 1, light.Put());
    target->CreatePen(PS_SOLID, m_colorLine2, 1, dark.Put());
    const int radius = m_round.ToPixelSize(GetScale());
    const POINT corner = {radius, radius};
    {
        const RenderObjSelection selection(target, light.Get());
        const RECT lightFrame = {frame.left + 1, frame.top + 1, frame.right - 1, frame.bottom};
        target->DrawRoundRect(&lightFrame, corner);
    }
    {
        const RenderObjSelection selection(target, dark.Get());
        const RECT darkFrame = {frame.left, frame.top, frame.right, frame.bottom - 1};
        target->DrawRoundRect(&darkFrame, corner);
    }

    if (titled) {
        target->PopClip();
        DrawText(target, text.c_str(), text.GetLength(), &title, DT_SINGLELINE | DT_VCENTER);
    }
    AfterPaint(target, saved);
}

}  // namespace SAKU

#pragma once

#include "core/ITimelineHandler.h"
#include "core/SWindow.h"
#include "core/SwndMsgCracker.h"

namespace SAKU {

class STabCtrl;
struct IInterpolator;

// The slide of a tab control's page change ("tabslider"): a transient child of the
// control that holds an image of the old and the new page side by side and moves
// it a step per frame of the container's timeline, as the interpolator shapes it.
// Made by its control, which holds it through the tree and destroys it when the
// slide ends. UI thread.
class STabSlider : public SWindow, public ITimelineHandler {
public:
    SOBJECT_CLASS(SWindow, L"tabslider", kObjTypeWindow)

    // Inserts itself into `owner`, takes the images of the pages `from` and `to`
    // and starts on the timeline; the new page is hidden while it slides.
    STabSlider(STabCtrl* owner, int from, int to, int steps, int type, IInterpolator* interpolator);

    POINT GetOffset() const { return m_offset; }
    int GetStep() const { return m_step; }

    // ITimelineHandler overrides
    void OnNextFrame() override;

    BEGIN_SWND_MSG_MAP(STabSlider)
        MSG_HANDLER  (WM_PAINT,   OnPaint)
        MSG_HANDLER  (WM_SIZE,    OnSize)
        MSG_HANDLER  (WM_DESTROY, OnDestroy)
        CHAIN_MSG_MAP(SWindow)
    END_MSG_MAP()

private:
    void OnPaint(IRenderTarget* target);
    void OnSize(UINT type, SIZE size);
    void OnDestroy();
    // Renders the page area, as it shows now, into the image's half `half` (0 or 1).
    void RenderHalf(IRenderTarget* image, const RECT& area, int half, int type);

    STabCtrl* m_owner;
    SAutoRef<IRenderTarget> m_image;
    POINT m_offset = {0, 0};
    int m_start = 0;
    int m_end = 0;
    int m_steps = 0;
    int m_step = 0;
    bool m_vertical = false;
    bool m_holdsBackground = false;   // the pictures hold all below the slider, not just the pages
    SAutoRef<IInterpolator> m_interpolator;
};

}  // namespace SAKU

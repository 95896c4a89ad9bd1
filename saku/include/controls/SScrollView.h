#pragma once

#include "controls/SPanel.h"

namespace SAKU {

// A panel ("scrollview") whose children live in a virtual view larger than the
// panel: the view has a size ("viewSize", or the children's measure when it is
// "0,0") and an origin, the point of the view at the panel's top-left corner. The
// bars show as the view needs them; moving them moves the origin, and the children
// are laid out in the view shifted by it. Clips its children to its client area.
// Owned by its parent like every window; UI thread only.
class SScrollView : public SPanel {
public:
    SOBJECT_CLASS(SPanel, L"scrollview", kObjTypeWindow)
    SOBJECT_BASE_CLASS(L"div")

    SScrollView();

    // Fire "on_scrollview_size_changed" and "on_scrollview_origin_changed"; a moved
    // origin relays the children out first.
    virtual void OnViewSizeChanged(SIZE oldSize, SIZE newSize);
    virtual void OnViewOriginChanged(POINT oldOrigin, POINT newOrigin);
    // Shows the bars the view needs, sets their ranges and pages and brings the
    // origin back within them.
    virtual void UpdateScrollBar();

    SIZE GetViewSize() const { return m_viewSize; }
    POINT GetViewOrigin() const { return m_viewOrigin; }
    BOOL IsAutoViewSize() const { return m_autoViewSize; }
    void SetViewSize(int width, int height);
    void SetViewOrigin(int x, int y);

    BEGIN_ATTRIBUTES(SScrollView)
        ATTRIBUTE_FIELD  (L"origin-x", m_viewOrigin.x, ParseInt, kNoRefresh)
        ATTRIBUTE_FIELD  (L"origin-y", m_viewOrigin.y, ParseInt, kNoRefresh)
        ATTRIBUTE_HANDLER(L"viewSize", OnAttrViewSize)
    END_ATTRIBUTES_CHAIN(SPanel)

    // SPanel overrides
    BOOL OnScroll(BOOL vertical, UINT code, int position) override;

    // ---- SWindow overrides ------------------------------------------------------------
    RECT GetChildrenLayoutRect() const override;   // the view, moved by the origin
    void UpdateChildrenPosition() override;

    BEGIN_SWND_MSG_MAP(SScrollView)
        MSG_HANDLER  (WM_SIZE, OnSizeChanged)
        CHAIN_MSG_MAP(SPanel)
    END_MSG_MAP()

protected:
    void OnSizeChanged(UINT type, SIZE size);

private:
    HRESULT OnAttrViewSize(const SStringW& value, BOOL loading);
    // Measures the children, within the client area less the margin and padding,
    // into the view size; the old size.
    SIZE MeasureView();

    BOOL m_autoViewSize = FALSE;
    SIZE m_viewSize = {};
    POINT m_viewOrigin = {};
};

}  // namespace SAKU

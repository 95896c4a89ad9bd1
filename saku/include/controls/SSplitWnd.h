#pragma once

#include "core/SAttributeMap.h"
#include "core/SDynArray.h"
#include "core/SObjectFactory.h"
#include "core/SWindow.h"
#include "core/SwndMsgCracker.h"

#include <vector>

namespace SAKU {

class SSplitPane;

// One pane's sizes along the split axis while a split window sizes its panes:
// the size it has now, its ideal, least and greatest size; all 0 for a hidden pane.
struct PaneSize {
    int size = 0;
    int ideal = 0;
    int min = 0;
    int max = 0;
};
// One record per pane, in the order of the pane list they were made from.
using PaneSizes = std::vector<PaneSize>;

// A split window ("splitwnd"): its client area divided along one axis into panes
// (SSplitPane children, the only children it builds) with gaps of a fixed size
// between them, in which a separator skin is drawn. A change of the window's size
// is spread over the panes by priority; dragging a gap grows the panes on one
// side and shrinks those on the other, within their limits. The panes belong to
// the window tree; the two pane lists borrow them. UI thread.
class SSplitWnd : public SWindow {
public:
    SOBJECT_CLASS(SWindow, L"splitwnd", kObjTypeWindow)
    SOBJECT_BASE_CLASS(L"window")

    // Registers `pane`, a child of this window, at `index` of the visual order
    // (negative or past the end: last) and, when the window has a size, lays the
    // panes out again with the new one at its ideal size. The index; -1 for a pane
    // registered already or not a child.
    int InsertPane(SSplitPane* pane, int index);
    // Sizes the panes to fill `rect` and places them there. `sizes`, made from the
    // priority list, are the sizes to start from (null: the panes' own). With no
    // visible pane nothing is placed.
    void Relayout(const RECT& rect, const PaneSizes* sizes = nullptr);
    // Spreads `amount` (> 0 grow, < 0 shrink) over records in descending priority:
    // towards the ideal sizes from the highest priority down, then towards the
    // limits from the lowest up. The part that no pane took.
    static int DistributeSize(PaneSizes& sizes, int amount);

    int GetPaneCount() const { return m_panes.GetCount(); }
    // The pane at `index` of the visual order; null outside.
    SSplitPane* GetPane(int index) const;
    int GetSepSize() const { return m_sepSize; }
    BOOL IsVertical() const { return m_vertical != 0; }
    BOOL IsAdjustable() const { return m_adjustable != 0; }
    ISkinObj* GetSepSkin() const { return m_sepSkin; }

    BEGIN_ATTRIBUTES(SSplitWnd)
        ATTRIBUTE_FIELD(L"sepSize",    m_sepSize,    ParseIntOrZero, kRefresh)
        ATTRIBUTE_FIELD(L"vertical",   m_vertical,   ParseIntOrZero, kRefresh)
        ATTRIBUTE_FIELD(L"adjustable", m_adjustable, ParseIntOrZero, kRefresh)
        ATTRIBUTE_SKIN (L"sepSkin",    m_sepSkin,                    kRefresh)
    END_ATTRIBUTES_CHAIN(SWindow)

    // SWindow overrides
    // Builds the "pane" elements only; FALSE when none made a pane.
    BOOL BuildChildren(pugi::xml_node element) override;
    void UpdateChildrenPosition() override;
    // Over the gaps: the sizing cursor of the axis, when the panes can be dragged.
    BOOL OnSetCursor(const POINT& point) override;

    BEGIN_SWND_MSG_MAP(SSplitWnd)
        MSG_HANDLER  (WM_DESTROY,     OnDestroy)
        MSG_HANDLER  (WM_PAINT,       OnPaint)
        MSG_HANDLER  (WM_LBUTTONDOWN, OnLButtonDown)
        MSG_HANDLER  (WM_LBUTTONUP,   OnLButtonUp)
        MSG_HANDLER  (WM_MOUSEMOVE,   OnMouseMove)
        CHAIN_MSG_MAP(SWindow)
    END_MSG_MAP()

protected:
    void OnDestroy();
    void OnPaint(IRenderTarget* target);
    void OnLButtonDown(UINT flags, POINT point);
    void OnLButtonUp(UINT flags, POINT point);
    void OnMouseMove(UINT flags, POINT point);

    // Set by the presets.
    int m_vertical = 1;              // 1: panes side by side along x; 0: stacked along y
    ISkinObj* m_sepSkin = nullptr;   // the pools'

private:
    // Panes in visual order and in priority order, with records made from the latter.
    struct PaneSet {
        std::vector<SSplitPane*> visual;
        std::vector<SSplitPane*> byPriority;
        PaneSizes sizes;
    };

    PaneSize SizeOf(const SSplitPane* pane) const;
    PaneSizes SizesOf(const std::vector<SSplitPane*>& panes) const;
    // Every pane, or those before and after separator `separator`.
    PaneSet AllPanes() const;
    void SplitAt(int separator, PaneSet& before, PaneSet& after) const;
    // Places the set's panes in visual order from `pos` along the axis, across the
    // whole of `area`, each visible one followed by a gap; where the last gap ends.
    int PlacePanes(const PaneSet& set, const RECT& area, int pos);
    void SortByPriority();

    SDynArray<SSplitPane*> m_panes;             // left to right, or top to bottom
    SDynArray<SSplitPane*> m_panesByPriority;   // highest first; equal ones in visual order
    int m_sepSize = 5;
    int m_adjustable = 1;
    POINT m_dragPoint = {};   // where the mouse was at the last step of a drag
    int m_dragSep = -1;       // the dragged separator, which lies after pane k; -1 none
};

// The split window with its panes side by side and the built-in vertical separator.
class SSplitWnd_Col : public SSplitWnd {
public:
    SOBJECT_CLASS(SSplitWnd, L"splitcol", kObjTypeWindow)
    SOBJECT_BASE_CLASS(L"splitwnd")

    SSplitWnd_Col();
};

// The split window with its panes stacked and the built-in horizontal separator.
class SSplitWnd_Row : public SSplitWnd {
public:
    SOBJECT_CLASS(SSplitWnd, L"splitrow", kObjTypeWindow)
    SOBJECT_BASE_CLASS(L"splitwnd")

    SSplitWnd_Row();
};

}  // namespace SAKU

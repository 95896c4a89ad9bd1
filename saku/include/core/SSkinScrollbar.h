#pragma once

#include "core/SSkinImgList.h"

namespace SAKU {

// The parts of a scroll bar a scroll-bar skin draws, as its state word names them.
constexpr int kSbPartLineUp = 0;      // the arrow buttons
constexpr int kSbPartLineDown = 1;
constexpr int kSbPartPageUp = 2;      // the rails either side of the thumb
constexpr int kSbPartPageDown = 3;
constexpr int kSbPartThumb = 5;
constexpr int kSbPartCorner = 10;     // where two bars meet
constexpr int kSbPartGripper = 11;    // the grip drawn on the thumb

constexpr int kSbStateInactive = 4;

// A scroll bar drawn from one image: a grid of square cells, 9 columns (arrows,
// thumb and rail of vertical bars, then of horizontal ones, then the corner and
// the grippers) and one row per state (normal, hover, pushed, disabled, and
// inactive when "hasInactive"). Each part is drawn as a nine-patch with "margin"
// along the bar. The state word of DrawByIndex packs the part, the state and
// whether the bar is vertical (MakeState). Reference counted; its skin pool keeps
// it and the scroll bars that draw it borrow it. UI thread.
class SSkinScrollbar : public SSkinImgList {
public:
    SOBJECT_CLASS(SSkinImgList, L"scrollbar", kObjTypeSkin)
    SOBJECT_BASE_CLASS(L"imglist")

    BEGIN_ATTRIBUTES(SSkinScrollbar)
        ATTRIBUTE_FIELD(L"margin",      m_margin,      ParseInt, kNoRefresh)
        ATTRIBUTE_FIELD(L"hasGripper",  m_hasGripper,  ParseInt, kNoRefresh)
        ATTRIBUTE_FIELD(L"hasInactive", m_hasInactive, ParseInt, kNoRefresh)
    END_ATTRIBUTES_CHAIN(SSkinImgList)

    static int MakeState(int part, int state, bool vertical)
    {
        return (part & 0xFFFF) | (state & 0xFF) << 16 | (vertical ? 1 << 24 : 0);
    }

    virtual BOOL HasArrowButtons() const { return TRUE; }
    // The side of a cell: the image's width / 9.
    virtual int GetBarThickness() const;
    // The cell of `part` in `state`; empty for a part the skin does not draw.
    virtual RECT GetPartSourceRect(int part, int state, bool vertical) const;

protected:
    // The nine-patch margin along the bar, in pixels.
    int GetMargin() const { return m_margin; }

    // SSkinObjBase overrides
    void ScaleInto(SSkinObjBase* target, int scale) override;
    void DrawImpl(IRenderTarget* target, const RECT* rect, int state, BYTE alpha) override;

private:
    int CellSide() const;

    int m_margin = 0;
    BOOL m_hasGripper = FALSE;
    BOOL m_hasInactive = FALSE;
};

}  // namespace SAKU

#pragma once

// Children for the default layout's resolver without windows: a parameter set
// from attribute text, an id, a scale and the size it wants.

#include "layout/SakuPositions.h"

#include <memory>
#include <string>
#include <vector>

namespace saku_test {

class LayoutBox : public SAKU::ISakuLayoutChild {
public:
    // `attributes`: "name=value" pairs separated by ';' ("pos=|0,|0;offset=-0.5,-0.5;want=40x20"),
    // where "want" is the desired size, "id" and "scale" are the box's own.
    explicit LayoutBox(const std::wstring& attributes);

    const SAKU::SakuLayoutParamStruct& GetParam() const override { return m_param; }
    int GetID() const override { return m_id; }
    int GetScale() const override { return m_scale; }
    SIZE GetDesiredSize(int parentWidth, int parentHeight) override;

    // The parent sizes of each GetDesiredSize call, as "WxH".
    const std::vector<std::wstring>& DesiredSizeCalls() const { return m_calls; }

private:
    SAKU::SakuLayoutParamStruct m_param;
    int m_id = 0;
    int m_scale = 100;
    SIZE m_want{0, 0};
    std::vector<std::wstring> m_calls;
};

// A row of boxes, in sibling order, and the pointers the resolver takes.
struct LayoutBoxes {
    explicit LayoutBoxes(const std::vector<std::wstring>& children);
    std::vector<RECT> Resolve(int width, int height);
    SIZE Measure(int width, int height);

    std::vector<std::unique_ptr<LayoutBox>> boxes;
    std::vector<SAKU::ISakuLayoutChild*> pointers;
};

// A rectangle as "{left,top,right,bottom}", "?" for a coordinate not computed and
// "~" for one left waiting.
std::wstring DescribeRect(const RECT& rect);

}  // namespace saku_test

#include "layout/SLinearLayout.h"

#include "core/SAutoRef.h"
#include "core/SWindow.h"
#include "layout/SLinearLayoutParam.h"

#include <algorithm>
#include <climits>
#include <new>
#include <vector>

namespace SAKU {

namespace {

// A size that the child's content decides; no size a layout computes.
constexpr int kUnknown = INT_MIN;

// A parameter of another layout's kind says nothing to this one: the child wraps
// its content.
const SLinearLayoutParamStruct& ParamOf(const SWindow* child)
{
    static const SLinearLayoutParamStruct kWrap;
    const auto* param = SObjCast<SLinearLayoutParam>(child->GetLayoutParam());
    return param ? param->GetData() : kWrap;
}

// How one direction of the children is sized: what a child that matches the
// parent gets (kUnknown: the child's content decides), and what the child's
// desired size is asked with when its own size is not known.
struct Direction {
    int matchSize;
    int askUnknown;
};

// One child in its slot. The slot is the child's size with its extends around it;
// it holds a reference, because a child's OnRelayout runs code of its own.
struct Slot {
    SAutoRef<SWindow> child;
    SIZE size;     // the slot's, extends included
    RECT extend;   // in pixels: left, top, right, bottom
    float weight;
    int gravity;
};

int SizeBesidesContent(const SLayoutDim& size, int matchSize, int scale, int extends)
{
    if (size.IsMatchParent())
        return matchSize;
    if (size.IsSpecified())
        return size.ToPixelSize(scale) + extends;
    return kUnknown;
}

// The slots of the parent's layout children in sibling order.
std::vector<Slot> SizeSlots(const SWindow* parent, const Direction& horizontal, const Direction& vertical)
{
    std::vector<Slot> slots;
    slots.reserve(parent->GetChildrenCount());
    for (SWindow* child = parent->GetNextLayoutChild(nullptr); child; child = parent->GetNextLayoutChild(child)) {
        const SLinearLayoutParamStruct& param = ParamOf(child);
        const int scale = child->GetScale();
        const RECT extend = {param.extendLeft.ToPixelSize(scale), param.extendTop.ToPixelSize(scale),
                             param.extendRight.ToPixelSize(scale), param.extendBottom.ToPixelSize(scale)};
        const int extendsX = extend.left + extend.right;
        const int extendsY = extend.top + extend.bottom;
        SIZE size = {SizeBesidesContent(param.width, horizontal.matchSize, scale, extendsX),
                     SizeBesidesContent(param.height, vertical.matchSize, scale, extendsY)};
        if (size.cx == kUnknown || size.cy == kUnknown) {
            const SIZE desired = child->GetDesiredSize(size.cx == kUnknown ? horizontal.askUnknown : size.cx,
                                                       size.cy == kUnknown ? vertical.askUnknown : size.cy);
            if (size.cx == kUnknown)
                size.cx = desired.cx + extendsX;
            if (size.cy == kUnknown)
                size.cy = desired.cy + extendsY;
        }
        slots.push_back(Slot{SAutoRef<SWindow>(child), size, extend, param.weight, param.layoutGravity});
    }
    return slots;
}

}  // namespace

bool SLinearLayout::IsParamAcceptable(ILayoutParam* param) const
{
    return SObjCast<SLinearLayoutParam>(param) != nullptr;
}

void SLinearLayout::LayoutChildren(SWindow* parent)
{
    const RECT area = parent->GetChildrenLayoutRect();
    const SIZE areaSize = {area.right - area.left, area.bottom - area.top};
    std::vector<Slot> slots = SizeSlots(parent, Direction{areaSize.cx, -1}, Direction{areaSize.cy, -1});

    const bool vertical = m_orientation == kVertical;
    const auto mainOf = [vertical](SIZE& size) -> LONG& { return vertical ? size.cy : size.cx; };
    const auto crossOf = [vertical](SIZE& size) -> LONG& { return vertical ? size.cx : size.cy; };
    SIZE available = areaSize;
    const int length = mainOf(available);
    const int thickness = crossOf(available);

    // Weights share out what the children leave free; they never shrink a child.
    float totalWeight = 0.0f;
    int used = 0;
    for (Slot& slot : slots) {
        if (slot.weight > 0)
            totalWeight += slot.weight;
        used += mainOf(slot.size);
    }
    if (totalWeight > 0 && used < length) {
        for (Slot& slot : slots) {
            if (slot.weight > 0)
                mainOf(slot.size) += static_cast<int>(double(length - used) * slot.weight / totalWeight);
        }
    }

    int offset = 0;
    for (Slot& slot : slots) {
        int cross = crossOf(slot.size);
        const int gravity = slot.gravity != kGravityNone ? slot.gravity : m_gravity;
        const int across = GravityOffset(gravity, thickness, cross);
        const POINT at = vertical ? POINT{area.left + across, area.top + offset} : POINT{area.left + offset, area.top + across};
        const RECT rect = {at.x + slot.extend.left, at.y + slot.extend.top, at.x + slot.size.cx - slot.extend.right,
                           at.y + slot.size.cy - slot.extend.bottom};
        slot.child->OnRelayout(rect);
        offset += mainOf(slot.size);
    }
}

ILayoutParam* SLinearLayout::CreateLayoutParam() const
{
    return new (std::nothrow) SLinearLayoutParam;
}

SIZE SLinearLayout::MeasureChildren(SWindow* parent, int width, int height) const
{
    // A child matching a parent that wraps its own content has nothing to match yet.
    const ILayoutParam* const own = parent->GetLayoutParam();
    const bool wrapsWidth = own && own->IsWrapContent(Horz);
    const bool wrapsHeight = own && own->IsWrapContent(Vert);
    const Direction horizontal = {wrapsWidth ? kUnknown : width, wrapsWidth && width != 0 ? -1 : 1};
    const Direction vertical = {wrapsHeight ? kUnknown : height, wrapsHeight && height != 0 ? -1 : 1};
    const std::vector<Slot> slots = SizeSlots(parent, horizontal, vertical);

    SIZE needed = {0, 0};
    for (const Slot& slot : slots) {
        if (m_orientation == kVertical) {
            needed.cx = std::max(needed.cx, slot.size.cx);
            needed.cy += slot.size.cy;
        } else {
            needed.cx += slot.size.cx;
            needed.cy = std::max(needed.cy, slot.size.cy);
        }
    }
    return needed;
}

}  // namespace SAKU

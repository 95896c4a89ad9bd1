#include "layout/SakuPositions.h"

#include "core/SLinkedList.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace SAKU {

namespace {

struct Record {
    ISakuLayoutChild* child;
    RECT rect;
    bool pendingOffsetX;   // the offset moves the rectangle once its size is known
    bool pendingOffsetY;
};

using Records = SLinkedList<Record>;
using RecordNode = Records::Node;

// The per-call record list, in node blocks of 10.
constexpr int kRecordBlock = 10;

bool IsKnown(int coordinate)
{
    return !IsPosMarker(coordinate);
}

// A parent size of -1 (or a marker handed down) is not known.
bool IsKnownSize(int size)
{
    return size >= 0 && !IsPosMarker(size);
}

// Coordinates add sizes from the layout text, which may be any number ("1e30"):
// the sums are taken wide and kept inside int.
int AddClamped(long long a, long long b)
{
    return static_cast<int>(std::clamp<long long>(a + b, INT_MIN, INT_MAX));
}

// One direction of a record: its near and far edges, the parent's size in it.
struct Axis {
    bool horizontal;
    int parentSize;

    LONG& Near(RECT& rect) const { return horizontal ? rect.left : rect.top; }
    LONG& Far(RECT& rect) const { return horizontal ? rect.right : rect.bottom; }
    bool Pending(const Record& record) const { return horizontal ? record.pendingOffsetX : record.pendingOffsetY; }
    const SLayoutDim& Size(const SakuLayoutParamStruct& param) const { return horizontal ? param.width : param.height; }
};

// The parent's far edge as a reference: waits while the parent's size is not known.
int ParentFar(const Axis& axis)
{
    return IsKnownSize(axis.parentSize) ? axis.parentSize : kPosWaiting;
}

// An edge of a sibling as a reference: waits while it is not known, or while the
// sibling's offset may still move it.
int SiblingEdge(RecordNode* sibling, const Axis& axis, bool farEdge)
{
    if (axis.Pending(sibling->value))
        return kPosWaiting;
    const int edge = farEdge ? axis.Far(sibling->value.rect) : axis.Near(sibling->value.rect);
    return IsKnown(edge) ? edge : kPosWaiting;
}

RecordNode* FindSibling(RecordNode* first, int id)
{
    for (RecordNode* node = first; node; node = node->next) {
        if (node->value.child->GetID() == id)
            return node;
    }
    return nullptr;
}

// The value of an item for `node` in one direction; kPosWaiting when it cannot be
// known yet.
int ItemValue(RecordNode* first, RecordNode* node, const SakuPosItem& item, const Axis& axis, int scale)
{
    const int offset = item.offset.ToPixelSize(scale);
    int reference = 0;
    switch (item.type) {
    case kPosParentEdge:
        if (item.sign < 0)
            reference = ParentFar(axis);
        break;
    case kPosCenter:
        reference = IsKnownSize(axis.parentSize) ? axis.parentSize / 2 : kPosWaiting;
        break;
    case kPosPercent: {
        if (!IsKnownSize(axis.parentSize))
            return kPosWaiting;
        float percent = item.offset.GetValue();
        percent = std::isnan(percent) ? 0.0f : std::clamp(percent, 0.0f, 100.0f);
        if (item.sign < 0)
            percent = 100.0f - percent;
        return static_cast<int>(static_cast<double>(axis.parentSize) * percent / 100.0);
    }
    case kPosPrevFar:
    case kPosPrevNear:
        if (node->prev)
            reference = SiblingEdge(node->prev, axis, item.type == kPosPrevFar);
        break;
    case kPosNextNear:
    case kPosNextFar:
        reference = node->next ? SiblingEdge(node->next, axis, item.type == kPosNextFar) : ParentFar(axis);
        break;
    case kPosSibNear:
    case kPosSibFar: {
        RecordNode* const sibling = FindSibling(first, item.siblingId);
        if (sibling)
            reference = SiblingEdge(sibling, axis, item.type == kPosSibFar);
        else if (item.type == kPosSibFar)
            reference = ParentFar(axis);
        break;
    }
    case kPosSize: {
        // Only a far item can be a size; it counts from the near edge.
        const int nearEdge = axis.Near(node->value.rect);
        reference = IsKnown(nearEdge) ? nearEdge : kPosWaiting;
        break;
    }
    default:
        return kPosWaiting;
    }
    if (reference == kPosWaiting)
        return kPosWaiting;
    return AddClamped(reference, static_cast<long long>(item.sign) * offset);
}

// A child without "pos" follows its previous sibling: at its right edge and top.
const SakuPosItem& NearItem(const SakuLayoutParamStruct& param, const Axis& axis)
{
    static const SakuPosItem kAfterPrevious{kPosPrevFar, -1, 1, SLayoutDim()};
    static const SakuPosItem kBesidePrevious{kPosPrevNear, -1, 1, SLayoutDim()};
    if (param.count < 2)
        return axis.horizontal ? kAfterPrevious : kBesidePrevious;
    return axis.horizontal ? param.left : param.top;
}

const SakuPosItem& FarItem(const SakuLayoutParamStruct& param, const Axis& axis)
{
    return axis.horizontal ? param.right : param.bottom;
}

// Pass A for one direction of one record: the near edge from its item, the far edge
// from the size or the far item. True when a coordinate became known.
bool ResolveEdges(RecordNode* first, RecordNode* node, const Axis& axis)
{
    Record& record = node->value;
    const SakuLayoutParamStruct& param = record.child->GetParam();
    const int scale = record.child->GetScale();
    bool resolved = false;
    LONG& nearEdge = axis.Near(record.rect);
    if (!IsKnown(nearEdge)) {
        // Counted by what is known, not by "not waiting": an item may add up to
        // the other marker ("285212672"), which would count again on every pass.
        nearEdge = ItemValue(first, node, NearItem(param, axis), axis, scale);
        resolved = IsKnown(nearEdge);
    }
    LONG& farEdge = axis.Far(record.rect);
    if (IsKnown(farEdge))
        return resolved;
    const SLayoutDim& size = axis.Size(param);
    int value = kPosUncomputed;
    if (size.IsMatchParent())
        value = ParentFar(axis);
    else if (size.IsSpecified())
        value = IsKnown(nearEdge) ? AddClamped(nearEdge, size.ToPixelSize(scale)) : kPosUncomputed;
    else if (!param.WrapsContent(size) && param.count == 4)
        value = ItemValue(first, node, FarItem(param, axis), axis, scale);
    else
        return resolved;
    farEdge = value;
    return resolved || IsKnown(value);
}

void ApplyOffset(Record& record, const Axis& axis)
{
    const SakuLayoutParamStruct& param = record.child->GetParam();
    LONG& nearEdge = axis.Near(record.rect);
    LONG& farEdge = axis.Far(record.rect);
    const float offset = axis.horizontal ? param.offsetX : param.offsetY;
    double shift = (static_cast<double>(farEdge) - nearEdge) * offset;
    if (std::isnan(shift))
        shift = 0.0;   // an offset of "inf" on an empty rectangle
    const long long pixels = static_cast<long long>(std::clamp(shift, -4294967296.0, 4294967296.0));
    nearEdge = AddClamped(nearEdge, pixels);
    farEdge = AddClamped(farEdge, pixels);
    (axis.horizontal ? record.pendingOffsetX : record.pendingOffsetY) = false;
}

// The records of one call and the parent's size they are resolved against.
class Resolver {
public:
    Resolver(int width, int height)
        : m_horz{true, IsKnownSize(width) ? width : -1}, m_vert{false, IsKnownSize(height) ? height : -1}
    {
    }

    [[nodiscard]] bool Add(ISakuLayoutChild* child)
    {
        const SakuLayoutParamStruct& param = child->GetParam();
        const Record record{child, RECT{kPosUncomputed, kPosUncomputed, kPosUncomputed, kPosUncomputed},
                            std::fabs(param.offsetX) > 1e-8f, std::fabs(param.offsetY) > 1e-8f};
        return m_records.AddTail(record) != nullptr;
    }

    // Repeats pass A while it resolves something, then pass B likewise, for as
    // long as a round resolves anything. Each pass that counts as resolving turned
    // a marker into a coordinate or applied an offset, so the rounds end.
    void Resolve()
    {
        for (;;) {
            bool passA = false;
            while (PassA())
                passA = true;
            if (!passA)
                return;
            while (PassB()) {
            }
        }
    }

    // For a parent whose size is not known in a direction, a far edge that the
    // resolver could not know is the child's desired size from its near edge.
    void FixUnknownSizes()
    {
        for (RecordNode* node = m_records.GetHead(); node; node = node->next) {
            Record& record = node->value;
            if (!IsKnown(record.rect.left) || !IsKnown(record.rect.top))
                continue;
            const bool fixWidth = !IsKnown(record.rect.right) && m_horz.parentSize < 0;
            const bool fixHeight = !IsKnown(record.rect.bottom) && m_vert.parentSize < 0;
            if (fixWidth || fixHeight)
                TakeDesiredSize(record, fixWidth, fixHeight);
            if (fixWidth && record.pendingOffsetX)
                ApplyOffset(record, m_horz);
            if (fixHeight && record.pendingOffsetY)
                ApplyOffset(record, m_vert);
        }
    }

    // The largest far edge of the children, plus what a "-n" far item keeps free.
    SIZE Needed() const
    {
        SIZE needed{0, 0};
        for (RecordNode* node = m_records.GetHead(); node; node = node->next) {
            const Record& record = node->value;
            const SakuLayoutParamStruct& param = record.child->GetParam();
            const int scale = record.child->GetScale();
            if (IsKnown(record.rect.right))
                needed.cx = std::max<LONG>(needed.cx, AddClamped(record.rect.right, FarMargin(param, param.right, scale)));
            if (IsKnown(record.rect.bottom))
                needed.cy = std::max<LONG>(needed.cy, AddClamped(record.rect.bottom, FarMargin(param, param.bottom, scale)));
        }
        return needed;
    }

    void CopyRects(RECT rects[]) const
    {
        int index = 0;
        for (RecordNode* node = m_records.GetHead(); node; node = node->next)
            rects[index++] = node->value.rect;
    }

private:
    bool PassA()
    {
        bool resolved = false;
        for (RecordNode* node = m_records.GetHead(); node; node = node->next) {
            resolved |= ResolveEdges(m_records.GetHead(), node, m_horz);
            resolved |= ResolveEdges(m_records.GetHead(), node, m_vert);
        }
        return resolved;
    }

    // Sizes that wrap the content, then offsets, for children placed at their
    // top-left.
    bool PassB()
    {
        bool resolved = false;
        for (RecordNode* node = m_records.GetHead(); node; node = node->next) {
            Record& record = node->value;
            if (!IsKnown(record.rect.left) || !IsKnown(record.rect.top))
                continue;
            const SakuLayoutParamStruct& param = record.child->GetParam();
            const bool wrapWidth = !IsKnown(record.rect.right) && param.WrapsContent(param.width);
            const bool wrapHeight = !IsKnown(record.rect.bottom) && param.WrapsContent(param.height);
            if (wrapWidth || wrapHeight) {
                TakeDesiredSize(record, wrapWidth, wrapHeight);
                resolved |= (wrapWidth && IsKnown(record.rect.right)) || (wrapHeight && IsKnown(record.rect.bottom));
            }
            if (IsKnown(record.rect.right) && record.pendingOffsetX) {
                ApplyOffset(record, m_horz);
                resolved = true;
            }
            if (IsKnown(record.rect.bottom) && record.pendingOffsetY) {
                ApplyOffset(record, m_vert);
                resolved = true;
            }
        }
        return resolved;
    }

    void TakeDesiredSize(Record& record, bool width, bool height)
    {
        RECT& rect = record.rect;
        const SIZE desired = record.child->GetDesiredSize(IsKnown(rect.right) ? rect.right - rect.left : m_horz.parentSize,
                                                          IsKnown(rect.bottom) ? rect.bottom - rect.top : m_vert.parentSize);
        if (width)
            rect.right = AddClamped(rect.left, desired.cx);
        if (height)
            rect.bottom = AddClamped(rect.top, desired.cy);
    }

    // A far item "-n" keeps n pixels free before the parent's far edge.
    static int FarMargin(const SakuLayoutParamStruct& param, const SakuPosItem& farItem, int scale)
    {
        if (param.count != 4 || farItem.type != kPosParentEdge || farItem.sign >= 0)
            return 0;
        return farItem.offset.ToPixelSize(scale);
    }

    Records m_records{kRecordBlock};
    Axis m_horz;
    Axis m_vert;
};

}  // namespace

bool ResolvePositions(ISakuLayoutChild* const children[], int count, int width, int height, RECT rects[])
{
    Resolver resolver(width, height);
    for (int i = 0; i < count; ++i) {
        if (!resolver.Add(children[i])) {
            for (int j = 0; j < count; ++j)
                rects[j] = RECT{kPosUncomputed, kPosUncomputed, kPosUncomputed, kPosUncomputed};
            return false;
        }
    }
    resolver.Resolve();
    resolver.CopyRects(rects);
    return true;
}

SIZE MeasurePositions(ISakuLayoutChild* const children[], int count, int width, int height)
{
    Resolver resolver(width, height);
    for (int i = 0; i < count; ++i) {
        if (!resolver.Add(children[i]))
            return SIZE{0, 0};
    }
    resolver.Resolve();
    resolver.FixUnknownSizes();
    SIZE needed = resolver.Needed();
    if (IsPosMarker(width))
        needed.cx = width;
    if (IsPosMarker(height))
        needed.cy = height;
    return needed;
}

}  // namespace SAKU

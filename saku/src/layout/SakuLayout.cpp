#include "layout/SakuLayout.h"

#include "core/SAutoRef.h"
#include "core/SWindow.h"
#include "layout/SakuLayoutParam.h"
#include "layout/SakuPositions.h"

#include <new>
#include <vector>

namespace SAKU {

namespace {

// A layout child seen by the resolver. It holds a reference, because a child's
// OnRelayout runs code of its own.
class WindowChild : public ISakuLayoutChild {
public:
    explicit WindowChild(SWindow* window) : m_window(window) {}

    SWindow* Window() const { return m_window.Get(); }

    const SakuLayoutParamStruct& GetParam() const override
    {
        // A parameter of another layout's kind says nothing to this one: the child
        // flows as one without "pos".
        static const SakuLayoutParamStruct kFlow;
        const auto* param = SObjCast<SakuLayoutParam>(m_window->GetLayoutParam());
        return param ? param->GetData() : kFlow;
    }
    int GetID() const override { return m_window->GetID(); }
    int GetScale() const override { return m_window->GetScale(); }
    SIZE GetDesiredSize(int parentWidth, int parentHeight) override
    {
        return m_window->GetDesiredSize(parentWidth, parentHeight);
    }

private:
    SAutoRef<SWindow> m_window;
};

// The parent's layout children, in sibling order: not floating, and visible or
// keeping their place.
std::vector<WindowChild> LayoutChildrenOf(const SWindow* parent)
{
    std::vector<WindowChild> children;
    for (SWindow* child = parent->GetNextLayoutChild(nullptr); child; child = parent->GetNextLayoutChild(child))
        children.emplace_back(child);
    return children;
}

std::vector<ISakuLayoutChild*> Pointers(std::vector<WindowChild>& children)
{
    std::vector<ISakuLayoutChild*> pointers;
    for (WindowChild& child : children)
        pointers.push_back(&child);
    return pointers;
}

}  // namespace

bool SakuLayout::IsParamAcceptable(ILayoutParam* param) const
{
    return SObjCast<SakuLayoutParam>(param) != nullptr;
}

void SakuLayout::LayoutChildren(SWindow* parent)
{
    std::vector<WindowChild> children = LayoutChildrenOf(parent);
    if (children.empty())
        return;
    std::vector<ISakuLayoutChild*> pointers = Pointers(children);
    const RECT area = parent->GetChildrenLayoutRect();
    std::vector<RECT> rects(children.size());
    if (!ResolvePositions(pointers.data(), static_cast<int>(pointers.size()), area.right - area.left,
                          area.bottom - area.top, rects.data()))
        return;   // out of memory: the children stay where they are
    for (size_t i = 0; i < children.size(); ++i) {
        RECT rect = rects[i];
        ::OffsetRect(&rect, area.left, area.top);
        children[i].Window()->OnRelayout(rect);
    }
}

ILayoutParam* SakuLayout::CreateLayoutParam() const
{
    return new (std::nothrow) SakuLayoutParam;
}

SIZE SakuLayout::MeasureChildren(SWindow* parent, int width, int height) const
{
    std::vector<WindowChild> children = LayoutChildrenOf(parent);
    std::vector<ISakuLayoutChild*> pointers = Pointers(children);
    return MeasurePositions(pointers.data(), static_cast<int>(pointers.size()), width, height);
}

}  // namespace SAKU

#include "core/SSkinObjBase.h"

#include "core/SApplication.h"
#include "render/DibHelper.h"

#include <algorithm>
#include <typeinfo>

namespace SAKU {

void SSkinObjBase::DrawByIndex(IRenderTarget* target, const RECT* rect, int state)
{
    DrawByIndexAlpha(target, rect, state, GetAlpha());
}

void SSkinObjBase::DrawByIndexAlpha(IRenderTarget* target, const RECT* rect, int state, BYTE alpha)
{
    if (target && rect)
        DrawImpl(target, rect, state, alpha);
}

ISkinObj* SSkinObjBase::Scale(int scale)
{
    SApplication* const app = SApplication::GetInstance();
    if (!app)
        return nullptr;
    auto made = SAutoRef<ISkinObj>::Adopt(app->CreateSkinByName(GetObjectClass()));
    // ScaleInto fills a skin of exactly this class; a program may have registered
    // a class of its own under the tag.
    SSkinObjBase* const copy = SObjCast<SSkinObjBase>(made.Get());
    if (!copy || typeid(*copy) != typeid(*this))
        return nullptr;
    ScaleInto(copy, scale);
    return made.Detach();
}

int SSkinObjBase::ScaleSize(int size, int scale) const
{
    return ::MulDiv(size, scale, m_scale > 0 ? m_scale : 100);
}

void SSkinObjBase::ScaleInto(SSkinObjBase* target, int scale)
{
    target->m_alpha = m_alpha;
    target->m_enableColorize = m_enableColorize;
    target->m_colorize = m_colorize;
    target->m_name = m_name;
    target->m_scale = scale;
}

void SSkinObjBase::ColorizeColors(COLORREF* colors, COLORREF* saved, int count, COLORREF color)
{
    if (!CanColorize() || color == m_colorize)
        return;
    if (m_colorize != 0)
        std::copy(saved, saved + count, colors);
    else
        std::copy(colors, colors + count, saved);
    m_colorize = color;
    if (color == 0)
        return;
    for (int i = 0; i < count; ++i)
        DibHelper::ColorizeColor(colors[i], color);
}

}  // namespace SAKU

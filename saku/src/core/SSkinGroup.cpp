#include "core/SSkinGroup.h"

#include "core/SkinLookup.h"

namespace SAKU {

ISkinObj* SSKinGroup::GetStateSkin(int state) const
{
    return state >= 0 && state < kStateCount ? m_skins[state].Get() : nullptr;
}

SIZE SSKinGroup::QuerySkinSize() const
{
    for (const auto& skin : m_skins) {
        if (skin)
            return skin->QuerySkinSize();
    }
    return SIZE{0, 0};
}

void SSKinGroup::DrawImpl(IRenderTarget* target, const RECT* rect, int state, BYTE alpha)
{
    if (ISkinObj* const skin = GetStateSkin(state))
        skin->DrawByIndexAlpha(target, rect, 0, alpha);
}

// A state skin found by name may be this group again, or a group naming this one,
// and finding it at the new scale would scale this group again without end. Only
// the outermost group looks its states up; groups scaled inside it share the
// state skins they have.
void SSKinGroup::ScaleInto(SSkinObjBase* target, int scale)
{
    static int s_depth = 0;
    SSkinObjBase::ScaleInto(target, scale);
    auto* const copy = static_cast<SSKinGroup*>(target);
    ++s_depth;
    for (int state = 0; state < kStateCount; ++state) {
        if (s_depth == 1 && !m_names[state].IsEmpty())
            copy->m_skins[state] = FindSkin(m_names[state], copy->GetScale());
        if (!copy->m_skins[state])
            copy->m_skins[state] = m_skins[state];
        copy->m_names[state] = m_names[state];
    }
    --s_depth;
}

}  // namespace SAKU

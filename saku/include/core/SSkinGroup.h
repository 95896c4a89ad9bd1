#pragma once

#include "core/SAutoRef.h"
#include "core/SSkinObjBase.h"

namespace SAKU {

// A skin made of four other skins, one per state (normal, hover, pushed,
// disabled), each named by an attribute ("normal", "hover", "pushDown",
// "disable") and found in the skin pools at the group's scale. Each state draws
// its skin's first state. Reference counted; its skin pool keeps it, and it holds
// a reference of each state's skin. UI thread.
class SSKinGroup : public SSkinObjBase {
public:
    SOBJECT_CLASS(SSkinObjBase, L"group", kObjTypeSkin)
    SOBJECT_BASE_CLASS(L"skinObjBase")

    static constexpr int kStateCount = 4;

    BEGIN_ATTRIBUTES(SSKinGroup)
        ATTRIBUTE_LOOKUP(L"normal",   m_skins[0], m_names[0], FindSkin, kNoRefresh)
        ATTRIBUTE_LOOKUP(L"hover",    m_skins[1], m_names[1], FindSkin, kNoRefresh)
        ATTRIBUTE_LOOKUP(L"pushDown", m_skins[2], m_names[2], FindSkin, kNoRefresh)
        ATTRIBUTE_LOOKUP(L"disable",  m_skins[3], m_names[3], FindSkin, kNoRefresh)
    END_ATTRIBUTES_CHAIN(SSkinObjBase)

    // No reference added; null when the state has none.
    ISkinObj* GetStateSkin(int state) const;

    // ISkinObj overrides
    SIZE QuerySkinSize() const override;   // that of the first state that has a skin
    BOOL IgnoreState() const override { return FALSE; }
    int GetStates() const override { return kStateCount; }

protected:
    // SSkinObjBase overrides: the copy finds its state skins by the same names at
    // its own scale.
    void ScaleInto(SSkinObjBase* target, int scale) override;
    void DrawImpl(IRenderTarget* target, const RECT* rect, int state, BYTE alpha) override;

private:
    SAutoRef<ISkinObj> m_skins[kStateCount];
    SStringW m_names[kStateCount];
};

}  // namespace SAKU

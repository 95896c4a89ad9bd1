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
        ATTRIBUTE_HANDLER(L"normal",   OnAttrNormal)
        ATTRIBUTE_HANDLER(L"hover",    OnAttrHover)
        ATTRIBUTE_HANDLER(L"pushDown", OnAttrPushDown)
        ATTRIBUTE_HANDLER(L"disable",  OnAttrDisable)
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
    HRESULT SetStateSkin(int state, const SStringW& name);
    HRESULT OnAttrNormal(const SStringW& value, BOOL) { return SetStateSkin(0, value); }
    HRESULT OnAttrHover(const SStringW& value, BOOL) { return SetStateSkin(1, value); }
    HRESULT OnAttrPushDown(const SStringW& value, BOOL) { return SetStateSkin(2, value); }
    HRESULT OnAttrDisable(const SStringW& value, BOOL) { return SetStateSkin(3, value); }

    SAutoRef<ISkinObj> m_skins[kStateCount];
    SStringW m_names[kStateCount];
};

}  // namespace SAKU

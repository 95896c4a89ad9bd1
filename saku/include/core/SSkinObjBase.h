#pragma once

#include "core/ISkinObj.h"
#include "core/SAttributeMap.h"
#include "core/SObjectFactory.h"
#include "core/SObjectImpl.h"
#include "res.mgr/SResProviderMgr.h"

namespace SAKU {

// What every skin class shares: its name, the alpha it draws with, its scale and
// whether it may be colorized. Classes draw in DrawImpl and copy themselves for
// another scale in ScaleInto. Attributes: "alpha" (low byte kept),
// "enableColorize", "scale" (percent) and "name" (through the named strings).
// Reference counted: the skin pool that loads a skin, or makes its copy for
// another scale, keeps the first reference; windows borrow skins from the pools,
// and a skin group or a menu holds references of its own. UI thread only.
class SSkinObjBase : public TObjRefImpl<SObjectImpl<ISkinObj>> {
public:
    SOBJECT_CLASS(SObjectImpl<ISkinObj>, L"skinObjBase", kObjTypeSkin)

    BEGIN_ATTRIBUTES(SSkinObjBase)
        ATTRIBUTE_FIELD(L"alpha",          m_alpha,          ParseInt,                   kRefresh)
        ATTRIBUTE_FIELD(L"enableColorize", m_enableColorize, ParseInt,                   kRefresh)
        ATTRIBUTE_FIELD(L"scale",          m_scale,          ParseInt,                   kNoRefresh)
        ATTRIBUTE_FIELD(L"name",           m_name,           SResProviderMgr::GetString, kNoRefresh)
    END_ATTRIBUTES_CHAIN(SObjectImpl<ISkinObj>)

    // IObject overrides
    LPCWSTR GetName() const override { return m_name.c_str(); }

    // ISkinObj overrides
    void DrawByIndex(IRenderTarget* target, const RECT* rect, int state) override;
    void DrawByIndexAlpha(IRenderTarget* target, const RECT* rect, int state, BYTE alpha) override;
    SIZE QuerySkinSize() const override { return SIZE{0, 0}; }
    BOOL IgnoreState() const override { return TRUE; }
    int GetStates() const override { return 1; }
    BYTE GetAlpha() const override { return m_alpha; }
    void SetAlpha(BYTE alpha) override { m_alpha = alpha; }
    void ApplyColorize(COLORREF) override {}
    int GetScale() const override { return m_scale; }
    // A skin of this class made through the application's factories, filled by ScaleInto.
    ISkinObj* Scale(int scale) override;

protected:
    // Copies this skin into `target`, a fresh skin of exactly this class, for `scale`.
    // Classes call their base first, then copy or scale their own fields.
    virtual void ScaleInto(SSkinObjBase* target, int scale);
    virtual void DrawImpl(IRenderTarget* target, const RECT* rect, int state, BYTE alpha) = 0;

    // A size of this skin, drawn for its own scale, at `scale` (a skin made for 200
    // halves its sizes for 100).
    int ScaleSize(int size, int scale) const;
    bool CanColorize() const { return m_enableColorize != FALSE; }
    // The colour the skin is recoloured towards; 0 when it is not.
    COLORREF GetColorize() const { return m_colorize; }
    void SetColorize(COLORREF color) { m_colorize = color; }
    // The colorize of colour-drawn skins: recolours the `count` colours towards
    // `color`, each time from the originals, which `saved` keeps while colorized;
    // 0 brings the originals back.
    void ColorizeColors(COLORREF* colors, COLORREF* saved, int count, COLORREF color);

private:
    BYTE m_alpha = 0xFF;
    COLORREF m_colorize = 0;
    BOOL m_enableColorize = TRUE;
    int m_scale = 100;
    SStringW m_name;
};

}  // namespace SAKU

#pragma once

#include "core/SAutoRef.h"
#include "core/SLayoutDim.h"
#include "core/SColor.h"
#include "core/SSkinObjBase.h"
#include "res.mgr/SResProviderMgr.h"

namespace SAKU {

// A geometric skin: a rectangle (optionally with rounded corners), an oval or a
// ring, filled with a colour ("solid"), a gradient, and outlined ("stroke"). Its
// sizes are layout sizes, turned into pixels at the skin's scale. Attribute
// "shape" ("rectangle", "oval" or "ring"); child elements "solid", "gradient",
// "size", "stroke", "corners" and "ring", read after the attributes. One state.
// Reference counted; its skin pool keeps it and the windows that draw it borrow
// it; it holds its parts, which its copies for other scales share. UI thread.
class SSkinShape : public SSkinObjBase {
public:
    SOBJECT_CLASS(SSkinObjBase, L"shape", kObjTypeSkin)
    SOBJECT_BASE_CLASS(L"skinObjBase")

    enum Shape { kRectangle = 0, kOval = 1, kRing = 2 };

    // The parts, each read from its child element (SSkinShapeParts.h).
    class SShapeSize;
    class SCornerSize;
    class SStroke;
    class SGradient;
    class SShapeRing;

    BEGIN_ATTRIBUTES(SSkinShape)
        ATTRIBUTE_WORD(L"shape", m_shape, kShapeWords, kExactCase, kRefresh)
    END_ATTRIBUTES_CHAIN(SSkinObjBase)

    // Out of line, where the parts are complete.
    SSkinShape();
    ~SSkinShape() override;

    Shape GetShape() const { return m_shape; }
    COLORREF GetFillColor() const { return m_fillColor; }

    // IObject overrides: reads the child elements.
    void OnInitFinished(pugi::xml_node element) override;

    // ISkinObj overrides
    SIZE QuerySkinSize() const override;

protected:
    // SSkinObjBase overrides: the copy shares the parts.
    void ScaleInto(SSkinObjBase* target, int scale) override;
    void DrawImpl(IRenderTarget* target, const RECT* rect, int state, BYTE alpha) override;

private:
    // The words of "shape", compared exactly.
    static constexpr AttributeWord kShapeWords[] = {{L"rectangle", kRectangle}, {L"oval", kOval}, {L"ring", kRing}};

    int Pixels(const SLayoutDim& size) const { return size.ToPixelSize(GetScale()); }
    void DrawGradient(IRenderTarget* target, const RECT& inner, POINT corners, BYTE alpha);
    void DrawStroke(IRenderTarget* target, const RECT& inner, POINT corners);

    Shape m_shape = kRectangle;
    COLORREF m_fillColor = kColorNone;
    SAutoRef<SShapeSize> m_size;
    SAutoRef<SCornerSize> m_corners;
    SAutoRef<SStroke> m_stroke;
    SAutoRef<SGradient> m_gradient;
    SAutoRef<SShapeRing> m_ring;
};

}  // namespace SAKU

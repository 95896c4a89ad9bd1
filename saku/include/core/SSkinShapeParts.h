#pragma once

#include "core/SAttributeMap.h"
#include "core/SLayoutDim.h"
#include "core/SObjectImpl.h"
#include "core/SSkinShape.h"

namespace SAKU {

// A part of a shape skin, configured by a child element of the "shape" element.
// Reference counted: made by the shape that reads the element, which holds it,
// and shared by the shape's copies for other scales. UI thread.
struct IShapePart : IObject, IObjRef {};

// The size the shape reports.
class SSkinShape::SShapeSize : public TObjRefImpl<SObjectImpl<IShapePart>> {
public:
    SOBJECT_CLASS(SObjectImpl<IShapePart>, L"size", kObjTypeNone)
    BEGIN_ATTRIBUTES(SShapeSize)
        ATTRIBUTE_FIELD(L"width",  m_width,  SLayoutDim, kRefresh)
        ATTRIBUTE_FIELD(L"height", m_height, SLayoutDim, kRefresh)
    END_ATTRIBUTES_CHAIN(SObjectImpl<IShapePart>)
    SLayoutDim m_width;
    SLayoutDim m_height;
};

// The corners' radii: "radius" (one size, or "x,y"), "radiusX", "radiusY".
class SSkinShape::SCornerSize : public TObjRefImpl<SObjectImpl<IShapePart>> {
public:
    SOBJECT_CLASS(SObjectImpl<IShapePart>, L"corners", kObjTypeNone)
    BEGIN_ATTRIBUTES(SCornerSize)
        ATTRIBUTE_HANDLER(L"radius",  OnAttrRadius)
        ATTRIBUTE_FIELD  (L"radiusX", m_radiusX, SLayoutDim, kRefresh)
        ATTRIBUTE_FIELD  (L"radiusY", m_radiusY, SLayoutDim, kRefresh)
    END_ATTRIBUTES_CHAIN(SObjectImpl<IShapePart>)
    HRESULT OnAttrRadius(const SStringW& value, BOOL loading);
    SLayoutDim m_radiusX;
    SLayoutDim m_radiusY;
};

// The outline: a pen of "width", "color" and "style" ("solid", "dash",
// "dashDot", "dashDotDot").
class SSkinShape::SStroke : public TObjRefImpl<SObjectImpl<IShapePart>> {
public:
    SOBJECT_CLASS(SObjectImpl<IShapePart>, L"stroke", kObjTypeNone)
    BEGIN_ATTRIBUTES(SStroke)
        ATTRIBUTE_FIELD(L"width", m_width, SLayoutDim,              kRefresh)
        ATTRIBUTE_COLOR(L"color", m_color,                          kRefresh)
        ATTRIBUTE_WORD (L"style", m_style, kStyleWords, kExactCase, kRefresh)
    END_ATTRIBUTES_CHAIN(SObjectImpl<IShapePart>)
    static constexpr AttributeWord kStyleWords[] = {{L"solid", PS_SOLID}, {L"dash", PS_DASH},
                                                    {L"dashDot", PS_DASHDOT}, {L"dashDotDot", PS_DASHDOTDOT}};
    SLayoutDim m_width;
    COLORREF m_color = kColorNone;
    int m_style = PS_SOLID;
};

// A gradient fill, for render modules that draw one ("type" "linear",
// "radial" or "sweep").
class SSkinShape::SGradient : public TObjRefImpl<SObjectImpl<IShapePart>> {
public:
    SOBJECT_CLASS(SObjectImpl<IShapePart>, L"gradient", kObjTypeNone)
    BEGIN_ATTRIBUTES(SGradient)
        ATTRIBUTE_WORD (L"type",        m_type,        kTypeWords, kExactCase, kRefresh)
        ATTRIBUTE_FIELD(L"angle",       m_angle,       ParseFloat,             kRefresh)
        ATTRIBUTE_FIELD(L"centerX",     m_centerX,     ParseFloat,             kRefresh)
        ATTRIBUTE_FIELD(L"centerY",     m_centerY,     ParseFloat,             kRefresh)
        ATTRIBUTE_COLOR(L"startColor",  m_startColor,                          kRefresh)
        ATTRIBUTE_COLOR(L"centerColor", m_centerColor,                         kRefresh)
        ATTRIBUTE_COLOR(L"endColor",    m_endColor,                            kRefresh)
        ATTRIBUTE_FIELD(L"radius",      m_radius,      SLayoutDim,             kRefresh)
    END_ATTRIBUTES_CHAIN(SObjectImpl<IShapePart>)
    static constexpr AttributeWord kTypeWords[] = {{L"linear", 0}, {L"radial", 1}, {L"sweep", 2}};
    int m_type = 0;
    float m_angle = 0.0f;
    float m_centerX = 0.5f;
    float m_centerY = 0.5f;
    COLORREF m_startColor = 0;
    COLORREF m_centerColor = 0;
    COLORREF m_endColor = 0;
    SLayoutDim m_radius;
};

// The arc of a ring: degrees "startAngle" and "sweepAngle", and "innerRadio".
class SSkinShape::SShapeRing : public TObjRefImpl<SObjectImpl<IShapePart>> {
public:
    SOBJECT_CLASS(SObjectImpl<IShapePart>, L"ring", kObjTypeNone)
    BEGIN_ATTRIBUTES(SShapeRing)
        ATTRIBUTE_FIELD(L"startAngle", m_startAngle, ParseFloat, kRefresh)
        ATTRIBUTE_FIELD(L"sweepAngle", m_sweepAngle, ParseFloat, kRefresh)
        ATTRIBUTE_FIELD(L"innerRadio", m_innerRadio, SLayoutDim, kRefresh)
    END_ATTRIBUTES_CHAIN(SObjectImpl<IShapePart>)
    float m_startAngle = 0.0f;
    float m_sweepAngle = 360.0f;
    SLayoutDim m_innerRadio;
};

}  // namespace SAKU

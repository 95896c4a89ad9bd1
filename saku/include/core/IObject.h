#pragma once

#include "core/TStringT.h"

namespace pugi {
class xml_node;
}

namespace SAKU {

// Object types: what GetObjectType reports and the second half of a factory key.
constexpr int kObjTypeNone = -1;
constexpr int kObjTypeWindow = 1;
constexpr int kObjTypeSkin = 2;
constexpr int kObjTypeLayout = 3;
constexpr int kObjTypeInterpolator = 4;

// Results of an attribute setter. A success in the low 16 bits says whether the
// change must be shown (kRefresh) or not; a negative result says the object does
// not know the attribute, which then goes on to the next candidate. A window marks
// what its style, layout or layout parameters took, so that a change after loading
// relayouts the parent instead of redrawing.
constexpr HRESULT kRefresh = S_OK;
constexpr HRESULT kNoRefresh = S_FALSE;
constexpr HRESULT kAttrTakenByStyle = 0x10000;
constexpr HRESULT kAttrTakenByLayout = 0x20000;
constexpr HRESULT kAttrTakenByLayoutParam = 0x40000;

// Every configurable thing of the UI library (windows, skins, layouts, render
// objects, interpolators, event arguments): it names its class and takes its
// configuration as named text attributes, one at a time or from an XML element.
// `loading` is TRUE while an object is built from XML, when nothing is refreshed.
// Objects belong to the UI thread. SObjectImpl gives the defaults.
struct IObject {
    virtual ~IObject() = default;
    // Exact, case-sensitive: the class's own name or that of a library base class.
    virtual BOOL IsClass(LPCWSTR className) const = 0;
    virtual LPCWSTR GetObjectClass() const = 0;
    virtual int GetObjectType() const = 0;
    // Attribute names match without regard to letter case.
    virtual HRESULT ApplyAttribute(const SStringW& name, const SStringW& value, BOOL loading) = 0;
    virtual HRESULT ApplyAttributeA(const SStringA& name, const SStringA& value, BOOL loading) = 0;
    virtual HRESULT ApplyAttributePszA(const char* name, const char* value, BOOL loading) = 0;
    // Called with the result of every attribute the object took; returns the result.
    virtual HRESULT AfterAttribute(const SStringW& name, const SStringW& value, BOOL loading, HRESULT result) = 0;
    virtual int GetID() const = 0;
    virtual LPCWSTR GetName() const = 0;
    // Applies the element's attributes (those marked in their user data skipped), then OnInitFinished.
    virtual BOOL BuildFromXml(pugi::xml_node element) = 0;
    // The last stop of an attribute nobody took.
    virtual HRESULT DefAttributeProc(const SStringW& name, const SStringW& value, BOOL loading) = 0;
    virtual void OnInitFinished(pugi::xml_node element) = 0;
    virtual SStringW GetAttribute(const SStringW& name) const = 0;
};

// The checked downcast of every IObject: null for a null object or one that is not
// a T by IsClass.
template <typename T>
T* SObjCast(IObject* object)
{
    return object && object->IsClass(T::ClassName()) ? static_cast<T*>(object) : nullptr;
}

template <typename T>
const T* SObjCast(const IObject* object)
{
    return object && object->IsClass(T::ClassName()) ? static_cast<const T*>(object) : nullptr;
}

}  // namespace SAKU

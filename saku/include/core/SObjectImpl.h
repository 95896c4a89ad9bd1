#pragma once

#include "core/IObject.h"
#include "core/SStringCvt.h"

#include <pugixml.hpp>

#include <type_traits>
#include <wchar.h>

namespace SAKU {

// The defaults of IObject for a class implementing T (IObject or an interface
// derived from it): no class name, no type, no attributes. Classes name themselves
// with SOBJECT_CLASS and take attributes through an attribute map (SAttributeMap.h).
template <typename T>
class SObjectImpl : public T {
public:
    // IObject overrides
    BOOL IsClass(LPCWSTR) const override { return FALSE; }
    LPCWSTR GetObjectClass() const override { return nullptr; }
    int GetObjectType() const override { return kObjTypeNone; }
    HRESULT ApplyAttribute(const SStringW& name, const SStringW& value, BOOL loading) override
    {
        return DefAttributeProc(name, value, loading);
    }
    // Narrow names and values are in the ANSI code page.
    HRESULT ApplyAttributeA(const SStringA& name, const SStringA& value, BOOL loading) override
    {
        return ApplyAttribute(CvtA2W(name, CP_ACP), CvtA2W(value, CP_ACP), loading);
    }
    HRESULT ApplyAttributePszA(const char* name, const char* value, BOOL loading) override
    {
        return ApplyAttribute(CvtA2W(SStringA(name), CP_ACP), CvtA2W(SStringA(value), CP_ACP), loading);
    }
    HRESULT AfterAttribute(const SStringW&, const SStringW&, BOOL, HRESULT result) override { return result; }
    int GetID() const override { return 0; }
    LPCWSTR GetName() const override { return nullptr; }
    BOOL BuildFromXml(pugi::xml_node element) override;
    HRESULT DefAttributeProc(const SStringW&, const SStringW&, BOOL) override { return E_FAIL; }
    void OnInitFinished(pugi::xml_node) override {}
    SStringW GetAttribute(const SStringW&) const override { return SStringW(); }
};

template <typename T>
BOOL SObjectImpl<T>::BuildFromXml(pugi::xml_node element)
{
    if (!element)
        return FALSE;
    for (pugi::xml_attribute attribute = element.first_attribute(); attribute; attribute = attribute.next_attribute()) {
        if (attribute.get_userdata() != 0)
            continue;   // applied already, ahead of the others
        ApplyAttribute(attribute.name(), attribute.value(), TRUE);
    }
    OnInitFinished(element);
    return TRUE;
}

}  // namespace SAKU

// Names a class of the library: its class name (the XML tag its factory is
// registered under) and object type, for SObjCast and the factories. IsClass
// answers for this name and those of the bases. Put it in the class's public part.
// SObjectClassSelf, never defined, names the class that wrote the macro, so that
// the factories can tell a class that forgot it from one that wrote it.
#define SOBJECT_CLASS(Base, className, objectType)                                        \
    static LPCWSTR ClassName() { return className; }                                   \
    static int ClassType() { return objectType; }                                      \
    BOOL IsClass(LPCWSTR name) const override                                             \
    {                                                                                     \
        return (name && wcscmp(name, className) == 0) || Base::IsClass(name);             \
    }                                                                                     \
    LPCWSTR GetObjectClass() const override { return className; }                         \
    int GetObjectType() const override { return objectType; }                             \
    auto SObjectClassSelf() const->std::remove_cv_t<std::remove_reference_t<decltype(*this)>>;

#include "core/SObjectFactoryMgr.h"

#include "core/SLog.h"
#include "core/SXmlLookup.h"
#include "res.mgr/SUiDef.h"

#include <pugixml.hpp>

#include <memory>

namespace SAKU {

namespace {

constexpr SLogSite kNoObjectSite{kLogLevelWarn, "src\\core\\SObjectFactory", 61, "SAKU::SObjectFactoryMgr::CreateObject"};
constexpr SLogSite kNotRegisteredSite{kLogLevelError, "src\\core\\SObjectFactory", 0,
                                      "SAKU::SObjectFactoryMgr::RegisterFactory"};

void DeleteFactory(SObjectFactory* const& factory)
{
    std::unique_ptr<SObjectFactory> owned(factory);
}

// The element of the current UI definition that holds the default attributes of
// a window class or, failing that, of its nearest base; empty without a definition.
pugi::xml_node DefaultAttributesOf(const SObjectFactoryMgr& factories, LPCWSTR className)
{
    SUiDef* const holder = SUiDef::GetInstance();
    IUiDefInfo* const uiDef = holder ? holder->GetUiDef() : nullptr;
    if (!uiDef || !className)
        return pugi::xml_node();
    return uiDef->GetObjDefAttr().FindClassDefaults(factories, className);
}

}  // namespace

SObjectInfo::SObjectInfo(const wchar_t* name, int type) : m_name(name), m_type(type)
{
    m_name.MakeLower();
}

bool SObjectInfo::operator==(const SObjectInfo& other) const
{
    return m_type == other.m_type && m_name == other.m_name;
}

SObjectFactoryMgr::SObjectFactoryMgr() : m_factories(DeleteFactory)
{
}

bool SObjectFactoryMgr::RegisterFactory(const SObjectFactory& factory, bool replace)
{
    const SObjectInfo key = factory.GetObjectInfo();
    SObjectFactory* existing = nullptr;
    if (m_factories.GetKeyObject(key, existing)) {
        if (!replace)
            return false;
        m_factories.RemoveKey(key);
    }
    // A class that cannot be registered would only show later, as a tag that
    // makes nothing; say so now.
    std::unique_ptr<SObjectFactory> clone = factory.Clone();
    if (!clone || !m_factories.AddIfAbsent(key, clone.get())) {
        WriteLog(kNotRegisteredSite, L"Error: cannot register object %s of type:%d, out of memory",
                 key.GetName().c_str(), key.GetType());
        return false;
    }
    clone.release();   // the map owns it now
    return true;
}

bool SObjectFactoryMgr::RemoveFactory(const SObjectInfo& key)
{
    return m_factories.RemoveKey(key);
}

IObject* SObjectFactoryMgr::CreateObject(const SObjectInfo& key) const
{
    SObjectFactory* factory = nullptr;
    if (!m_factories.GetKeyObject(key, factory)) {
        WriteLog(kNoObjectSite, L"Warning: no ojbect %s of type:%d in SAKU!!", key.GetName().c_str(), key.GetType());
        return nullptr;
    }
    IObject* const object = factory->CreateInstance();
    if (object && object->GetObjectType() == kObjTypeWindow)
        ApplyDefaultAttributes(object, DefaultAttributesOf(*this, object->GetObjectClass()));
    return object;
}

SObjectInfo SObjectFactoryMgr::BaseObjectInfo(const SObjectInfo& key) const
{
    SObjectFactory* factory = nullptr;
    if (!m_factories.GetKeyObject(key, factory))
        return SObjectInfo();
    const SObjectInfo base(factory->BaseClassName(), key.GetType());
    return base.GetName() == key.GetName() ? SObjectInfo() : base;
}

void SObjectFactoryMgr::ApplyDefaultAttributes(IObject* object, pugi::xml_node defaults)
{
    if (!object || object->GetObjectType() != kObjTypeWindow || !defaults)
        return;
    // Marked while the rest are applied, so that the loop below skips it.
    pugi::xml_attribute styleClass = XmlAttribute(defaults, L"class");
    if (styleClass) {
        styleClass.set_userdata(1);
        object->ApplyAttribute(L"class", styleClass.value(), TRUE);
    }
    for (pugi::xml_attribute attribute = defaults.first_attribute(); attribute; attribute = attribute.next_attribute()) {
        if (attribute.get_userdata() == 0)
            object->ApplyAttribute(attribute.name(), attribute.value(), TRUE);
    }
    if (styleClass)
        styleClass.set_userdata(0);
}

}  // namespace SAKU

#include "res.mgr/SObjDefAttr.h"

#include "core/SObjectFactoryMgr.h"
#include "core/SXmlLookup.h"

namespace SAKU {

namespace {

// Base chains are a handful of classes deep; a longer one means two classes that
// name each other as base, and the walk stops there.
constexpr int kMaxBaseDepth = 32;

bool IsValidBase(const SObjectInfo& base)
{
    return base.GetType() >= kObjTypeNone && !base.GetName().IsEmpty();
}

SObjectInfo BaseOf(const SObjectFactoryMgr& factories, const SStringW& className)
{
    return factories.BaseObjectInfo(SObjectInfo(className.c_str(), kObjTypeWindow));
}

}  // namespace

BOOL SObjDefAttr::LoadFromXml(pugi::xml_node element, const SObjectFactoryMgr* factories)
{
    if (!element)
        return FALSE;
    RemoveAll();
    m_document.reset();
    const pugi::xml_node copy = m_document.append_copy(element);
    for (pugi::xml_node child = copy.first_child(); child; child = child.next_sibling()) {
        if (child.type() == pugi::node_element)
            AddIfAbsent(child.name(), child);
    }
    if (factories) {
        for (auto* node = GetStartPosition(); node; node = GetNext(node))
            InheritBaseDefaults(*factories, node->value, node->key);
    }
    return TRUE;
}

void SObjDefAttr::InheritBaseDefaults(const SObjectFactoryMgr& factories, pugi::xml_node element,
                                      const SStringW& className)
{
    SObjectInfo base = BaseOf(factories, className);
    for (int depth = 0; depth < kMaxBaseDepth && IsValidBase(base); ++depth) {
        pugi::xml_node baseElement;
        if (GetKeyObject(base.GetName(), baseElement)) {
            for (pugi::xml_attribute attribute = baseElement.first_attribute(); attribute;
                 attribute = attribute.next_attribute()) {
                if (!XmlAttribute(element, attribute.name()))
                    element.append_attribute(attribute.name()).set_value(attribute.value());
            }
        }
        base = BaseOf(factories, base.GetName());
    }
}

pugi::xml_node SObjDefAttr::FindClassDefaults(const SObjectFactoryMgr& factories, const SStringW& className) const
{
    SStringW name = className;
    for (int depth = 0; depth <= kMaxBaseDepth && !name.IsEmpty(); ++depth) {
        pugi::xml_node element;
        if (GetKeyObject(name, element))
            return element;
        const SObjectInfo base = BaseOf(factories, name);
        if (!IsValidBase(base))
            break;
        name = base.GetName();
    }
    return pugi::xml_node();
}

}  // namespace SAKU

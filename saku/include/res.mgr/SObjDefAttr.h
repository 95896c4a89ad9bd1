#pragma once

#include "core/SCmnMap.h"
#include "core/TStringT.h"

#include <pugixml.hpp>

namespace SAKU {

class SObjectFactoryMgr;

// The default attributes of window classes from a UI definition's "objattr"
// section: one element per class, named by the class's tag, whose attributes
// every new window of the class receives. A class also inherits each attribute of
// its library base classes' entries that it does not set itself. Owned by its UI
// definition; UI thread.
class SObjDefAttr : public SCmnMap<pugi::xml_node, SStringW> {
public:
    // Copies the section and maps each child under its tag (the first of two equal
    // tags stays), then completes every entry from its bases' entries, the bases as
    // `factories` knows them (none without it). FALSE for an empty element.
    BOOL LoadFromXml(pugi::xml_node element, const SObjectFactoryMgr* factories);
    // The entry of the class, or of its nearest base that has one; an empty node
    // when no class of the chain has defaults.
    pugi::xml_node FindClassDefaults(const SObjectFactoryMgr& factories, const SStringW& className) const;

private:
    void InheritBaseDefaults(const SObjectFactoryMgr& factories, pugi::xml_node element, const SStringW& className);

    pugi::xml_document m_document;
};

}  // namespace SAKU

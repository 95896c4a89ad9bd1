#pragma once

#include "core/SSingleton.h"

#include <pugixml.hpp>

namespace SAKU {

// The template of the edit boxes' context menu: a copy of the "editmenu" element
// of the library's system resources, empty when they have none (and no context
// menu opens then). Made by the application unless one exists and deleted by it.
// UI thread.
class SRicheditMenuDef : public SSingleton<SRicheditMenuDef> {
public:
    // Makes a deep copy of `element` the only content of the template.
    void StoreTemplate(pugi::xml_node element);
    // The stored element; an empty node when there is none.
    pugi::xml_node GetTemplate() const { return m_document.first_child(); }

private:
    pugi::xml_document m_document;
};

}  // namespace SAKU

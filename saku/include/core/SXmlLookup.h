#pragma once

#include <pugixml.hpp>

namespace SAKU {

// The library's name lookups in its XML documents. Names of elements and
// attributes match without regard to letter case at every call, so the library
// looks names up through these and never through pugixml's own lookups, which
// compare exactly unless told otherwise; tools/check-xml-lookups, a test of the
// build, refuses such a call in the library and the installer. Values always
// compare exactly. Any thread that owns the document.

inline pugi::xml_attribute XmlAttribute(const pugi::xml_node& element, const wchar_t* name)
{
    return element.attribute(name, false);
}

inline pugi::xml_node XmlChild(const pugi::xml_node& element, const wchar_t* name)
{
    return element.child(name, false);
}

inline pugi::xml_node XmlNextSibling(const pugi::xml_node& element, const wchar_t* name)
{
    return element.next_sibling(name, false);
}

inline pugi::xml_node XmlPreviousSibling(const pugi::xml_node& element, const wchar_t* name)
{
    return element.previous_sibling(name, false);
}

// The first child element named `name` whose attribute `attrName` has the value `attrValue`.
inline pugi::xml_node XmlFindChildByAttribute(const pugi::xml_node& element, const wchar_t* name,
                                              const wchar_t* attrName, const wchar_t* attrValue)
{
    return element.find_child_by_attribute(name, attrName, attrValue, false);
}

// The first child element, whatever its name, whose attribute `attrName` has the value `attrValue`.
inline pugi::xml_node XmlFindChildByAttribute(const pugi::xml_node& element, const wchar_t* attrName,
                                              const wchar_t* attrValue)
{
    return element.find_child_by_attribute(attrName, attrValue, false);
}

}  // namespace SAKU

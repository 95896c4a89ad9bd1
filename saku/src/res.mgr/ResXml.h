#pragma once

#include <windows.h>

#include <pugixml.hpp>

namespace SAKU {

struct IResProvider;
class SResProviderMgr;

// Parses the resource (type, name) of `provider` into `document` as UTF-8 (a
// byte-order mark allowed) with the XML library's default options; false when
// the resource is missing or empty or does not parse.
bool LoadResXml(IResProvider* provider, LPCWSTR type, LPCWSTR name, pugi::xml_document& document);
// The same through the manager: a file for the type "file", else the newest
// provider that holds the resource.
bool LoadResXml(SResProviderMgr& manager, LPCWSTR type, LPCWSTR name, pugi::xml_document& document);

}  // namespace SAKU

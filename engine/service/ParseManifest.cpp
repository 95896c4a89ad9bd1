#include "service/ParseManifest.h"

#include "sysutil/SysUtilText.h"

#include <json/json.h>

#include <tuple>

namespace tivala {

namespace {

std::wstring Text(const Json::Value& object, const char* key)
{
    return SysUtil::Utf8ToWide(SysUtil::JsonMemberToString(object, key));
}

std::vector<std::wstring> Names(const Json::Value& object, const char* key)
{
    return SysUtil::SplitString(Text(object, key), L",");
}

// How the addresses of one manifest are read.
class Addresses {
public:
    explicit Addresses(const std::optional<std::wstring>& localFolder) : m_localFolder(localFolder) {}

    // In local mode an address names a file of the unpacked local package by its last part.
    std::wstring Package(const std::wstring& address) const
    {
        if (!m_localFolder)
            return address;
        return *m_localFolder + SysUtil::Utf8ToWide(SysUtil::UrlFileName(SysUtil::WideToUtf8(address)));
    }
    // The same for an address that may be absent: an empty one names no file.
    std::wstring Optional(const std::wstring& address) const { return address.empty() ? address : Package(address); }

private:
    const std::optional<std::wstring>& m_localFolder;
};

// "Browser" and "Starter", which "Main" describes with keys of its own.
ModuleRecord Companion(const Addresses& addresses, const Json::Value& main, const wchar_t* appPath,
                       const char* versionKey, const char* sizeKey, const char* urlKey)
{
    ModuleRecord module;
    module.unpack = true;
    module.selected = true;
    module.forced = true;
    module.appPath = appPath;
    module.widgetver = Text(main, versionKey);
    module.unzipSize = SysUtil::JsonMemberToInt64(main, sizeKey);
    module.downLoadUrl = addresses.Package(Text(main, urlKey));
    return module;
}

// Appends the element's module, and for "Main" its two companions ahead of it.
void AddModule(const Addresses& addresses, const Json::Value& element, std::vector<ModuleRecord>& modules)
{
    ModuleRecord module;
    module.unpack = true;
    module.id = Text(element, "id");
    module.appPath = Text(element, "appPath");
    module.widgetver = Text(element, "widgetver");
    module.name = Text(element, "name");
    module.desc = Text(element, "desc");
    module.md5 = Text(element, "md5");
    const bool main = module.appPath == L"Main";
    // The string "1" and the number 1 both read as the text "1".
    module.selected = module.forced = main || Text(element, "isForceDownLoad") == L"1";
    module.unzipSize = SysUtil::JsonMemberToInt64(element, "unzipSize");
    module.secondAppName = Names(element, "secondAppName");
    module.thirdAppName = Names(element, "thirdAppName");
    module.downLoadUrl = addresses.Package(Text(element, "downLoadUrl"));
    module.smallEnableImgUrl = addresses.Optional(Text(element, "smallEnableImgUrl"));
    module.introduceVideoUrl = addresses.Optional(Text(element, "introduceVideoUrl"));
    module.configUrl = addresses.Optional(Text(element, "configUrl"));

    if (main) {
        module.mainResourceUrl = addresses.Optional(Text(element, "resourceUrl"));
        for (const auto& keys : {std::make_tuple(L"Browser", "browserVer", "browserUnzipSize", "browserUrl"),
                                 std::make_tuple(L"Starter", "launchVer", "launchUnzipSize", "launchUrl")}) {
            modules.push_back(Companion(addresses, element, std::get<0>(keys), std::get<1>(keys), std::get<2>(keys),
                                        std::get<3>(keys)));
        }
    } else if (module.appPath == L"WallPaper") {
        module.wallpaperDefaultPaperUrl = addresses.Optional(Text(element, "defaultPaperUrl"));
        module.wallpaperDefaultPaperUnzipSize = SysUtil::JsonMemberToInt64(element, "defaultPaperUnzipSize");
    } else if (module.appPath == L"Rainmeter") {
        module.rainmeterDefaultPaperUrl = addresses.Optional(Text(element, "defaultPaperUrl"));
        module.rainmeterDefaultPaperUnzipSize = SysUtil::JsonMemberToInt64(element, "defaultPaperUnzipSize");
    }
    modules.push_back(std::move(module));
}

}  // namespace

std::optional<std::vector<ModuleRecord>> ParseManifest(const std::vector<uint8_t>& json,
                                                       const std::optional<std::wstring>& localFolder)
{
    Json::Value root;
    Json::Reader reader;
    const char* const begin = reinterpret_cast<const char*>(json.data());
    if (!reader.parse(begin, begin + json.size(), root, false))
        return std::nullopt;
    // A root with members that is no array (an object) cannot be walked by index.
    if (root.size() > 0 && !root.isArray())
        return std::nullopt;
    const Addresses addresses(localFolder);
    std::vector<ModuleRecord> modules;
    for (Json::ArrayIndex i = 0; i < root.size(); ++i) {
        // A module is described by members; a number, text, flag or list has none
        // to read, and installing it as a blank module would report a success
        // that installs nothing. A null element is an empty description.
        const Json::Value& element = root[i];
        if (!element.isObject() && !element.isNull())
            return std::nullopt;
        AddModule(addresses, element, modules);
    }
    return modules;
}

}  // namespace tivala

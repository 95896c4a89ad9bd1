#include "service/ManifestThread.h"

#include "extract/ExtractArchive.h"
#include "extract/Tivala7z.h"
#include "http/HttpDownloadToBuffer.h"
#include "http/HttpGetFileLength.h"
#include "product/ProductFiles.h"
#include "service/InstallMessages.h"
#include "service/InstallService.h"
#include "service/PostMustArrive.h"
#include "sysutil/SysUtilFile.h"
#include "sysutil/SysUtilPath.h"
#include "sysutil/SysUtilText.h"

#include <json/json.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

namespace tivala {

namespace {

constexpr wchar_t kLocalFolderName[] = L"TivalaLocalInstallUnzipPackage";

// What every module of one manifest is read with.
struct ManifestContext {
    bool local = false;
    std::wstring localFolder;   // with a trailing backslash
};

std::wstring Text(const Json::Value& object, const char* key)
{
    return SysUtil::Utf8ToWide(SysUtil::JsonMemberToString(object, key));
}

std::vector<std::wstring> Names(const Json::Value& object, const char* key)
{
    return SysUtil::SplitString(Text(object, key), L",");
}

// In local mode an address names a file of the unpacked local package by its last part.
std::wstring LocalFile(const ManifestContext& context, const std::wstring& address)
{
    return context.localFolder + SysUtil::Utf8ToWide(SysUtil::UrlFileName(SysUtil::WideToUtf8(address)));
}

// The package's size: online what the server announces (-1, unknown, when it
// announces nothing or does not answer the body-less request), local the file's;
// nothing when the server announced 0, which fails the whole manifest.
std::optional<int64_t> PackageSize(const ManifestContext& context, const std::wstring& address)
{
    if (context.local)
        return SysUtil::GetFileSize64(address);
    const int64_t length = GetRemoteFileLength(address);
    if (length == 0)
        return std::nullopt;
    return length;
}

// "Browser" and "Starter", which "Main" describes with keys of its own.
std::optional<ModuleRecord> Companion(const ManifestContext& context, const Json::Value& main, const wchar_t* appPath,
                                      const char* versionKey, const char* sizeKey, const char* urlKey)
{
    ModuleRecord module;
    module.unpack = true;
    module.selected = true;
    module.forced = true;
    module.appPath = appPath;
    module.widgetver = Text(main, versionKey);
    module.unzipSize = SysUtil::JsonMemberToInt64(main, sizeKey);
    module.packagePath = SysUtil::MakeTempFileName(module.appPath + module.widgetver);
    module.downLoadUrl = Text(main, urlKey);
    if (context.local)
        module.downLoadUrl = LocalFile(context, module.downLoadUrl);
    const std::optional<int64_t> size = PackageSize(context, module.downLoadUrl);
    if (!size)
        return std::nullopt;
    module.downloadSize = *size;
    return module;
}

// Appends the element's module (and for "Main" its two companions, ahead of it);
// false when a package size fails the manifest.
bool AddModule(const ManifestContext& context, const Json::Value& element, std::vector<ModuleRecord>& modules)
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
    module.selected = module.forced = main || Text(element, "isForceDownLoad") == L"1";
    module.unzipSize = SysUtil::JsonMemberToInt64(element, "unzipSize");
    module.packagePath = SysUtil::MakeTempFileName(module.appPath + module.widgetver);
    module.secondAppName = Names(element, "secondAppName");
    module.thirdAppName = Names(element, "thirdAppName");
    module.downLoadUrl = Text(element, "downLoadUrl");
    module.smallEnableImgUrl = Text(element, "smallEnableImgUrl");
    module.introduceVideoUrl = Text(element, "introduceVideoUrl");
    module.configUrl = Text(element, "configUrl");
    if (context.local) {
        module.downLoadUrl = LocalFile(context, module.downLoadUrl);
        for (std::wstring* address : {&module.smallEnableImgUrl, &module.introduceVideoUrl, &module.configUrl}) {
            if (!address->empty())
                *address = LocalFile(context, *address);
        }
    }

    if (main) {
        module.mainResourceUrl = Text(element, "resourceUrl");
        if (context.local && !module.mainResourceUrl.empty())   // an empty address names no file
            module.mainResourceUrl = LocalFile(context, module.mainResourceUrl);
        for (const auto& keys : {std::make_tuple(L"Browser", "browserVer", "browserUnzipSize", "browserUrl"),
                                 std::make_tuple(L"Starter", "launchVer", "launchUnzipSize", "launchUrl")}) {
            std::optional<ModuleRecord> companion = Companion(context, element, std::get<0>(keys), std::get<1>(keys),
                                                              std::get<2>(keys), std::get<3>(keys));
            if (!companion)
                return false;
            modules.push_back(std::move(*companion));
        }
    } else if (module.appPath == L"WallPaper" || module.appPath == L"Rainmeter") {
        std::wstring url = Text(element, "defaultPaperUrl");
        if (context.local && !url.empty())
            url = LocalFile(context, url);
        const int64_t unzipSize = SysUtil::JsonMemberToInt64(element, "defaultPaperUnzipSize");
        if (module.appPath == L"WallPaper") {
            module.wallpaperDefaultPaperUrl = std::move(url);
            module.wallpaperDefaultPaperUnzipSize = unzipSize;
        } else {
            module.rainmeterDefaultPaperUrl = std::move(url);
            module.rainmeterDefaultPaperUnzipSize = unzipSize;
        }
    }

    if (!module.smallEnableImgUrl.empty()) {
        if (context.local) {
            module.iconBytes = SysUtil::ReadFileBytes(module.smallEnableImgUrl);
        } else {
            HttpDownloadToBuffer icon(module.smallEnableImgUrl, &module.iconBytes);
            (void)icon.Run();   // a missing icon is no failure; whatever arrived stays
        }
    }
    const std::optional<int64_t> size = PackageSize(context, module.downLoadUrl);
    if (!size)
        return false;
    module.downloadSize = *size;
    modules.push_back(std::move(module));
    return true;
}

// The manifest's bytes; nothing when they cannot be had.
std::optional<std::vector<uint8_t>> FetchManifest(const InstallService& service, const ManifestContext& context)
{
    std::vector<uint8_t> bytes;
    if (!context.local) {
        HttpDownloadToBuffer download(service.requestUrl + service.manifestFileName, &bytes);
        if (!download.Run())
            return std::nullopt;
        return bytes;
    }
    const std::wstring folder = SysUtil::RemoveTrailingBackslash(context.localFolder);
    (void)SysUtil::ShellDelete(folder);   // a folder that is not there is fine
    ::SHCreateDirectory(nullptr, folder.c_str());
    Tivala7z sink;
    if (!ExtractArchiveBuffer(sink, service.packageData, service.packageSize, folder))
        return std::nullopt;
    return SysUtil::ReadFileBytes(context.localFolder + ProductFiles::kManifestCopy);
}

// Steps from the parse to the sort; nothing on any failure.
std::unique_ptr<std::vector<ModuleRecord>> ReadModules(InstallService& service, const ManifestContext& context,
                                                       const std::vector<uint8_t>& bytes)
{
    Json::Value root;
    Json::Reader reader;
    const char* const begin = reinterpret_cast<const char*>(bytes.data());
    if (!reader.parse(begin, begin + bytes.size(), root, false))
        return nullptr;
    service.manifestBytes = bytes;

    auto modules = std::make_unique<std::vector<ModuleRecord>>();
    // A root with members that is no array (an object) cannot be walked by index.
    if (root.size() > 0 && !root.isArray())
        return nullptr;
    for (Json::ArrayIndex i = 0; i < root.size(); ++i) {
        if (!AddModule(context, root[i], *modules))
            return nullptr;
    }
    std::sort(modules->begin(), modules->end(), &CompareModuleById);
    return modules;
}

void Trace(const char* text)
{
    std::printf("engine: manifest: %s\n", text);
    std::fflush(stdout);
}

}  // namespace

bool CompareModuleById(const ModuleRecord& a, const ModuleRecord& b)
{
    return std::wcstol(a.id.c_str(), nullptr, 10) < std::wcstol(b.id.c_str(), nullptr, 10);
}

unsigned __stdcall ManifestThread(void*) noexcept
{
    InstallService& service = InstallService::GetInstance();
    const HWND window = service.serviceWindow;
    try {
        ManifestContext context;
        context.local = service.installType == 1;
        context.localFolder = SysUtil::AddTrailingBackslash(SysUtil::MakeTempFolder(kLocalFolderName));

        const std::optional<std::vector<uint8_t>> bytes = FetchManifest(service, context);
        if (!bytes) {
            Trace("the manifest could not be had");
        } else if (auto modules = ReadModules(service, context, *bytes)) {
            (void)PostRecordMustArrive(window, WM_SVC_MANIFEST, 1, std::move(modules));
            return 0;
        } else {
            Trace("the manifest was refused");
        }
    } catch (...) {
        Trace("the manifest could not be read");
    }
    (void)PostMustArrive(window, WM_SVC_MANIFEST, 0, 0);
    return 0;
}

}  // namespace tivala

#include "service/ManifestThread.h"

#include "extract/ExtractArchive.h"
#include "extract/Tivala7z.h"
#include "http/HttpDownloadToBuffer.h"
#include "http/HttpGetFileLength.h"
#include "product/ProductFiles.h"
#include "service/InstallMessages.h"
#include "service/ParseManifest.h"
#include "service/PostMustArrive.h"
#include "service/WorkerRecords.h"
#include "sysutil/HandOver.h"
#include "sysutil/SysUtilFile.h"
#include "sysutil/SysUtilPath.h"
#include "sysutil/SysUtilTrace.h"

#include <shlobj.h>

#include <algorithm>
#include <cwchar>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tivala {

namespace {

constexpr wchar_t kLocalFolderName[] = L"TivalaLocalInstallUnzipPackage";

void Trace(const wchar_t* text)
{
    SysUtil::Trace(L"manifest", text);
}

// The manifest's bytes; nothing when they cannot be had. Local mode unpacks the
// installer's package into `localFolder` (with a trailing backslash) first.
std::optional<std::vector<uint8_t>> FetchManifest(const ManifestRequest& request, const std::wstring& localFolder)
{
    std::vector<uint8_t> bytes;
    if (!request.local) {
        HttpDownloadToBuffer download(request.url, &bytes);
        if (!download.Run())
            return std::nullopt;
        return bytes;
    }
    const std::wstring folder = SysUtil::RemoveTrailingBackslash(localFolder);
    (void)SysUtil::ShellDelete(folder);   // a folder that is not there is fine
    ::SHCreateDirectory(nullptr, folder.c_str());
    Tivala7z sink;
    if (!ExtractArchiveBuffer(sink, request.package, request.packageSize, folder))
        return std::nullopt;
    return SysUtil::ReadFileBytes(localFolder + ProductFiles::kManifestCopy);
}

// The package's size: online what the server announces (-1, unknown, when it
// announces nothing or does not answer the body-less request), local the file's;
// nothing when the server announced 0, which fails the whole manifest.
std::optional<int64_t> PackageSize(bool local, const std::wstring& address)
{
    if (local)
        return SysUtil::GetFileSize64(address);
    const int64_t length = GetRemoteFileLength(address);
    if (length == 0)
        return std::nullopt;
    return length;
}

// What the parse leaves to the fetching side: each module's download file, its
// icon and its package's size; false when a size fails the manifest.
bool CompleteModules(bool local, std::vector<ModuleRecord>& modules)
{
    for (ModuleRecord& module : modules) {
        // The system keeps the first three characters of the prefix.
        module.packagePath = SysUtil::MakeTempFileName(module.appPath + module.widgetver);
        if (!module.smallEnableImgUrl.empty()) {
            if (local) {
                module.iconBytes = SysUtil::ReadFileBytes(module.smallEnableImgUrl);
            } else {
                HttpDownloadToBuffer icon(module.smallEnableImgUrl, &module.iconBytes);
                (void)icon.Run();   // a missing icon is no failure; whatever arrived stays
            }
        }
        const std::optional<int64_t> size = PackageSize(local, module.downLoadUrl);
        if (!size)
            return false;
        module.downloadSize = *size;
    }
    return true;
}

// The whole pass; nothing on any failure.
std::unique_ptr<ManifestResult> ReadManifest(const ManifestRequest& request)
{
    const std::wstring localFolder = SysUtil::AddTrailingBackslash(SysUtil::MakeTempFolder(kLocalFolderName));
    std::optional<std::vector<uint8_t>> bytes = FetchManifest(request, localFolder);
    if (!bytes) {
        Trace(L"the manifest could not be had");
        return nullptr;
    }
    std::optional<std::vector<ModuleRecord>> modules =
        ParseManifest(*bytes, request.local ? std::optional<std::wstring>(localFolder) : std::nullopt);
    if (!modules) {
        Trace(L"the manifest was refused");
        return nullptr;
    }
    if (!CompleteModules(request.local, *modules)) {
        Trace(L"a package's size was announced as 0");
        return nullptr;
    }
    std::sort(modules->begin(), modules->end(), &CompareModuleById);
    auto result = std::make_unique<ManifestResult>();
    result->modules = std::move(*modules);
    result->manifestBytes = std::move(*bytes);
    return result;
}

}  // namespace

bool CompareModuleById(const ModuleRecord& a, const ModuleRecord& b)
{
    return std::wcstol(a.id.c_str(), nullptr, 10) < std::wcstol(b.id.c_str(), nullptr, 10);
}

unsigned __stdcall ManifestThread(void* argument) noexcept
{
    const auto request = TakeRecord<ManifestRequest>(argument);
    if (!request)
        return 0;
    try {
        if (auto result = ReadManifest(*request)) {
            (void)PostRecordMustArrive(request->serviceWindow, WM_SVC_MANIFEST, 1, std::move(result));
            return 0;
        }
    } catch (...) {
        Trace(L"the manifest could not be read");
    }
    (void)PostMustArrive(request->serviceWindow, WM_SVC_MANIFEST, 0, 0);
    return 0;
}

}  // namespace tivala

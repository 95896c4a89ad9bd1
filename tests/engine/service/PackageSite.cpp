#include "service/PackageSite.h"

#include "WinePath.h"

#include "service/InstallService.h"
#include "sysutil/SysUtilFile.h"
#include "sysutil/SysUtilPath.h"

#include <windows.h>

namespace tivala::test {

namespace {

std::vector<std::string> ServerArguments(const ScratchDir& root)
{
    return {"--root", root.UnixPath()};
}

}  // namespace

PackageSite::PackageSite() : m_server(L"package_server.py", ServerArguments(m_root)) {}

std::string PackageSite::WithBase(std::string text) const
{
    const std::string base = Url("");
    for (size_t at = text.find("BASE/"); at != std::string::npos; at = text.find("BASE/", at + base.size()))
        text.replace(at, 5, base);
    return text;
}

std::string PackageSite::DevConfig() const
{
    return "[install]\r\nurlrequest=" + Url("") + "\r\nfilewidget=manifest.json\r\n";
}

bool PackageSite::AddFile(const std::wstring& name, const std::string& bytes) const
{
    return m_root.Write(name, bytes);
}

bool PackageSite::AddArchive(const std::wstring& name, const std::vector<FixtureFile>& files, std::string& log) const
{
    const std::wstring source = m_work.File(name);
    if (!WriteTree(source, files))
        return false;
    return RunHost("7zz a -bd -t7z " + ShellQuote(UnixPath(m_root.File(name))) + " -- *", UnixPath(source), log);
}

LocalPackageFolderLock::LocalPackageFolderLock()
    : m_mutex(::CreateMutexW(nullptr, FALSE, L"TivalaTestLocalInstallFolder"))
{
    if (!m_mutex)
        return;
    const DWORD waited = ::WaitForSingleObject(m_mutex.Get(), 240000);
    m_held = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
}

LocalPackageFolderLock::~LocalPackageFolderLock()
{
    if (!m_held)
        return;
    (void)SysUtil::ShellDelete(SysUtil::MakeTempFolder(L"TivalaLocalInstallUnzipPackage"));
    ::ReleaseMutex(m_mutex.Get());
}

void RemovePackageFiles(const std::vector<ModuleRecord>& modules)
{
    for (const ModuleRecord& module : modules) {
        if (module.packagePath.empty())
            continue;
        ::DeleteFileW(module.packagePath.c_str());
        ::DeleteFileW((module.packagePath + L".temp").c_str());
    }
}

PackageFilesScope::~PackageFilesScope()
{
    RemovePackageFiles(InstallService::GetInstance().modules);
}

}  // namespace tivala::test

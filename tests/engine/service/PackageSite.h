#pragma once

#include "ArchiveFixtures.h"
#include "LoopbackServer.h"
#include "ScratchDir.h"

#include "service/ModuleRecord.h"
#include "Win32Handles.h"

#include <string>
#include <vector>

namespace tivala::test {

// A folder of files served by the package server of tests/servers/ for one test:
// manifests, 7z packages made by 7zz at test time, icons and configuration files.
class PackageSite {
public:
    PackageSite();

    testing::AssertionResult Started() const { return m_server.Started(); }
    const LoopbackServer& Server() const { return m_server; }
    // "http://127.0.0.1:PORT/" followed by `name`.
    std::string Url(const std::string& name) const { return m_server.Url("/" + name); }
    // Every "BASE/" in `text` becomes the site's address.
    std::string WithBase(std::string text) const;
    // The "devconfig.ini" that points the engine at the site, as a developer
    // points it at a server of his, with "manifest.json" as the manifest's name.
    std::string DevConfig() const;

    [[nodiscard]] bool AddFile(const std::wstring& name, const std::string& bytes) const;
    // A 7z archive of the files, packed by 7zz; `log` says why when it failed.
    [[nodiscard]] bool AddArchive(const std::wstring& name, const std::vector<FixtureFile>& files,
                                  std::string& log) const;
    std::wstring File(const std::wstring& name) const { return m_root.File(name); }

private:
    ScratchDir m_root;
    ScratchDir m_work;
    LoopbackServer m_server;
};

// Held by the tests that unpack a local package: its folder
// "TivalaLocalInstallUnzipPackage" in the temporary folder is the same for every
// test process of the prefix. The folder is removed when the lock is let go.
class LocalPackageFolderLock {
public:
    LocalPackageFolderLock();
    ~LocalPackageFolderLock();
    LocalPackageFolderLock(const LocalPackageFolderLock&) = delete;
    LocalPackageFolderLock& operator=(const LocalPackageFolderLock&) = delete;

    bool Held() const { return m_held; }

private:
    UniqueHandle m_mutex;
    bool m_held = false;
};

// Removes the temporary package files that the manifest thread named for the
// modules, with any partial file beside them.
void RemovePackageFiles(const std::vector<ModuleRecord>& modules);

// Removes the module packages that the manifest thread named in the install
// service's list when it dies.
struct PackageFilesScope {
    ~PackageFilesScope();
};

}  // namespace tivala::test

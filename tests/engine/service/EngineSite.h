#pragma once

#include "product/ProductState.h"
#include "service/PackageSite.h"
#include "service/ServiceFixture.h"

#include "ArchiveFixtures.h"
#include "LoopbackServer.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace tivala::test {

// What an end-to-end test of the engine stands on, made by the test thread for
// one test and undone at its end: the product's state on this machine, held and
// cleared (ProductRegistryScope); a package site that serves the packages and the
// manifest the test adds; a report server that receives the completion reports.
// The parts come in that order and go in the reverse one. A part or a step that
// fails leaves the site not ready, and Ready says why; once a step has failed, the
// steps after it are not taken.
class EngineSite {
public:
    enum Part : unsigned {
        kProductState = 1,
        kPackageServer = 2,
        kReportServer = 4,
    };

    explicit EngineSite(unsigned parts = kProductState | kPackageServer);

    // A 7z archive of the files, packed by 7zz, served as `name`.
    void ServeArchive(const std::wstring& name, const std::vector<FixtureFile>& files);
    void ServeFile(const std::wstring& name, const std::string& bytes);
    // Serves `json` as "manifest.json", each "BASE/" in it made the site's address;
    // answers the manifest as served.
    std::string ServeManifest(const std::string& json);
    // A setup step of the test's own that failed, for Ready to report.
    void Fail(const std::string& why);

    // Every part there and every step taken; otherwise why not, with the
    // packing tool's output.
    testing::AssertionResult Ready() const;

    // The package site's (see PackageSite).
    const LoopbackServer& Server() const { return m_packages->Server(); }
    std::string WithBase(const std::string& text) const { return m_packages->WithBase(text); }
    std::string DevConfig() const { return m_packages->DevConfig(); }
    std::wstring File(const std::wstring& name) const { return m_packages->File(name); }

    const LoopbackServer& Reports() const { return *m_reports; }

private:
    std::optional<ProductRegistryScope> m_product;
    std::optional<PackageSite> m_packages;
    std::optional<LoopbackServer> m_reports;
    std::string m_failure;
    std::string m_log;   // the packing tool's commands and output, oldest first
};

// The install service of the test thread pointed at an engine site, installing
// into the scratch folder's `installFolder`; the packages it fetched and what the
// product keeps outside the test's folders are removed at the end.
struct SiteInstall : ServiceFixture {
    explicit SiteInstall(const EngineSite& site, const std::wstring& installFolder = L"Tivala");

    PackageFilesScope packages;
    const std::wstring installDir;
    ProductLeftovers leftovers;
};

}  // namespace tivala::test

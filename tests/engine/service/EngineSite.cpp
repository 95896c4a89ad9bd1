#include "service/EngineSite.h"

#include "WinePath.h"

namespace tivala::test {

EngineSite::EngineSite(unsigned parts)
{
    if (parts & kProductState)
        m_product.emplace();
    if (parts & kPackageServer)
        m_packages.emplace();
    if (parts & kReportServer)
        m_reports.emplace(L"report_server.py", std::vector<std::string>{});
}

void EngineSite::ServeArchive(const std::wstring& name, const std::vector<FixtureFile>& files)
{
    if (m_failure.empty() && !m_packages->AddArchive(name, files, m_log))
        Fail("7zz did not pack " + Utf8(name));
}

void EngineSite::ServeFile(const std::wstring& name, const std::string& bytes)
{
    if (m_failure.empty() && !m_packages->AddFile(name, bytes))
        Fail("cannot write " + Utf8(name) + " to the site");
}

std::string EngineSite::ServeManifest(const std::string& json)
{
    const std::string manifest = m_packages->WithBase(json);
    ServeFile(L"manifest.json", manifest);
    return manifest;
}

void EngineSite::Fail(const std::string& why)
{
    if (m_failure.empty())
        m_failure = why;
}

testing::AssertionResult EngineSite::Ready() const
{
    if (m_product && !m_product->Held())
        return testing::AssertionFailure() << "the product's state is held elsewhere";
    if (m_packages && !m_packages->Started())
        return m_packages->Started();
    if (m_reports && !m_reports->Started())
        return m_reports->Started();
    if (!m_failure.empty())
        return testing::AssertionFailure() << m_failure << "\n" << m_log;
    return testing::AssertionSuccess();
}

SiteInstall::SiteInstall(const EngineSite& site, const std::wstring& installFolder)
    : ServiceFixture(site.DevConfig()), installDir(Scratch().File(installFolder)), leftovers{installDir}
{
}

}  // namespace tivala::test

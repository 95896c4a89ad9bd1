// The engine driven from outside, as the wizard drives it: the program
// "engine-run.exe" beside the test executable installs from the loopback package
// server in a process of its own. The tests hold the product-state lock, because
// the installation it runs writes the product's registration and shortcut.

#include "product/ProductState.h"
#include "report/ReportPosts.h"
#include "service/EngineSite.h"
#include "TestData.h"

#include "report/ReportBodies.h"
#include "sysutil/SysUtilText.h"
#include "Win32Handles.h"

#include "LoopbackServer.h"
#include "ScratchDir.h"
#include "TestProgram.h"

#include <gtest/gtest.h>
#include <shlobj.h>
#include <windows.h>

#include <string>
#include <vector>

using namespace tivala;
using namespace tivala::test;

using tivala::test::SplitLines;

namespace {

constexpr DWORD kRunLimitMs = 180000;

struct RunResult {
    bool ended = false;     // false: it was still running at the time limit, and was ended
    DWORD exitCode = 0;
    std::string output;     // its standard output
    std::string errors;     // its standard error: its notes and the archive traces
};

UniqueFile InheritableFile(const std::wstring& path)
{
    SECURITY_ATTRIBUTES inherit = {sizeof(inherit), nullptr, TRUE};
    return UniqueFile(::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
}

// Runs engine-run.exe with `arguments`, its output going to files of `scratch`.
RunResult RunEngine(const ScratchDir& scratch, const std::wstring& arguments)
{
    RunResult result;
    const std::wstring program = BesideTestProgram(L"engine-run.exe");
    const std::wstring outputPath = scratch.File(L"engine-run.out");
    const std::wstring errorsPath = scratch.File(L"engine-run.err");
    UniqueFile output = InheritableFile(outputPath);
    UniqueFile errors = InheritableFile(errorsPath);
    if (!output || !errors)
        return result;
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = output.Get();
    startup.hStdError = errors.Get();
    startup.hStdInput = nullptr;
    std::wstring commandLine = L"\"" + program + L"\" " + arguments;
    PROCESS_INFORMATION process = {};
    if (!::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                          &startup, &process))
        return result;
    const UniqueHandle processHandle(process.hProcess);
    const UniqueHandle threadHandle(process.hThread);
    output = UniqueFile();
    errors = UniqueFile();
    if (::WaitForSingleObject(processHandle.Get(), kRunLimitMs) == WAIT_OBJECT_0) {
        result.ended = true;
        ::GetExitCodeProcess(processHandle.Get(), &result.exitCode);
    } else {
        ::TerminateProcess(processHandle.Get(), 99);
        ::WaitForSingleObject(processHandle.Get(), 10000);
    }
    (void)ScratchDir::Read(outputPath, result.output);
    (void)ScratchDir::Read(errorsPath, result.errors);
    return result;
}

std::wstring Quoted(const std::wstring& text)
{
    return L"\"" + text + L"\"";
}

size_t CountStarting(const std::vector<std::string>& lines, const std::string& prefix)
{
    size_t count = 0;
    for (const std::string& line : lines)
        count += line.rfind(prefix, 0) == 0;
    return count;
}

// An engine site with two modules, "Small" always installed and "Plain" optional,
// and a data directory whose "devconfig.ini" names the site; `moreParts` of the
// site besides the product's state and the package server.
class EngineRunSite {
public:
    explicit EngineRunSite(unsigned moreParts = 0)
        : m_site(EngineSite::kProductState | EngineSite::kPackageServer | moreParts)
    {
        m_site.ServeArchive(L"plain.7z", {{L"Plain\\big.bin", RandomBytes(1000000, 5)}});
        m_site.ServeArchive(L"small.7z", {{L"Small\\small.txt", "small"}});
        m_site.ServeManifest(R"([
            {"id":"1","appPath":"Small","isForceDownLoad":"1","downLoadUrl":"BASE/small.7z"},
            {"id":"2","appPath":"Plain","widgetver":"1.0","downLoadUrl":"BASE/plain.7z"}])");
        if (!m_scratch.Write(L"data\\devconfig.ini", m_site.DevConfig()))
            m_site.Fail("cannot write devconfig.ini");
    }

    testing::AssertionResult Ready() const { return m_site.Ready(); }
    const EngineSite& Site() const { return m_site; }
    const ScratchDir& Scratch() const { return m_scratch; }
    std::wstring InstallDir() const { return m_scratch.File(L"Tivala"); }
    // The manifest as the package server holds it.
    std::string Manifest() const { return FileBytes(m_site.File(L"manifest.json")); }

    std::wstring Arguments(const std::wstring& more) const
    {
        return L"--data " + Quoted(m_scratch.File(L"data")) + L" --install " + Quoted(InstallDir()) +
               L" --resource " + Quoted(m_scratch.File(L"Resource")) + L" --modules all --timeout 150 " + more;
    }

private:
    EngineSite m_site;
    ScratchDir m_scratch;
    ProductLeftovers m_leftovers{InstallDir()};
};

// The first GET of "/plain.7z" ends after 400000 bytes. The rule holds for two
// requests because the manifest thread's HEAD, which asks for the size, counts as
// the first; the program cannot be paused in between as a test thread can.
bool DropTheFirstDownload(const EngineSite& site)
{
    return site.Server().WriteControlFile(L"rules.json", R"({"/plain.7z":{"drop_after":400000,"times":2}})");
}

}  // namespace

TEST(EngineRun, InstallsEveryModuleEndsWithTheDoneLineAndSendsTheReports)
{
    EngineRunSite site(EngineSite::kReportServer);
    ASSERT_TRUE(site.Ready());
    const LoopbackServer& reports = site.Site().Reports();

    const RunResult run = RunEngine(site.Scratch(), site.Arguments(L"--report " + SysUtil::Utf8ToWide(reports.Url(""))));
    ASSERT_TRUE(run.ended) << run.output << run.errors;
    EXPECT_EQ(0u, run.exitCode) << run.output << run.errors;
    const std::vector<std::string> lines = SplitLines(run.output);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ("0x507 done", lines.back());
    EXPECT_EQ("0x501 manifest ok", lines.front());
    EXPECT_EQ(2u, CountStarting(lines, "0x504 unpacked ok"));
    EXPECT_EQ(0u, CountStarting(lines, "0x503 download failed"));
    std::string content;
    EXPECT_TRUE(ScratchDir::Read(site.InstallDir() + L"\\Small\\small.txt", content));
    EXPECT_EQ("small", content);
    EXPECT_TRUE(ScratchDir::Read(site.InstallDir() + L"\\Plain\\big.bin", content));
    EXPECT_EQ(1000000u, content.size());

    // The completion reports, sent before the program ended: the installation's
    // (no earlier one), the optional module's, and the channel report with the
    // package name that the installation registered.
    ASSERT_TRUE(ReadMachineId());
    ExpectPosts(reports, {{"/collect/install", ModuleReportBody(0, 0)},
                          {"/collect/install", ModuleReportBody(0, 2)},
                          {"/channel/save", ChannelReportBody("engine-run", GetMachineId(), "")}});
}

TEST(EngineRun, ADroppedDownloadResumesOnTheRetry)
{
    EngineRunSite site;
    ASSERT_TRUE(site.Ready());
    ASSERT_TRUE(DropTheFirstDownload(site.Site()));

    const RunResult run = RunEngine(site.Scratch(), site.Arguments(L"--retries 1"));
    ASSERT_TRUE(run.ended) << run.output << run.errors;
    EXPECT_EQ(0u, run.exitCode) << run.output << run.errors;
    const std::vector<std::string> lines = SplitLines(run.output);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ("0x507 done", lines.back());
    EXPECT_EQ(1u, CountStarting(lines, "0x503 download failed"));
    std::string content;
    EXPECT_TRUE(ScratchDir::Read(site.InstallDir() + L"\\Plain\\big.bin", content));
    EXPECT_EQ(1000000u, content.size());

    std::vector<std::string> plainRanges;
    for (const LoggedRequest& request : site.Site().Server().Requests()) {
        if (request.method == "GET" && request.path == "/plain.7z")
            plainRanges.push_back(request.range);
    }
    EXPECT_EQ((std::vector<std::string>{"", "bytes=400000-"}), plainRanges);
}

TEST(EngineRun, WithoutRetriesADroppedDownloadFails)
{
    EngineRunSite site;
    ASSERT_TRUE(site.Ready());
    ASSERT_TRUE(DropTheFirstDownload(site.Site()));

    const RunResult run = RunEngine(site.Scratch(), site.Arguments(L""));
    ASSERT_TRUE(run.ended) << run.output << run.errors;
    EXPECT_EQ(1u, run.exitCode) << run.output << run.errors;
    const std::vector<std::string> lines = SplitLines(run.output);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(0u, lines.back().rfind("0x503 download failed", 0)) << lines.back();
}

TEST(EngineRun, InstallsFromALocalPackageWithoutThePackageServer)
{
    EngineRunSite site;   // the manifest's addresses name it; it must hear nothing
    ASSERT_TRUE(site.Ready());
    LocalPackageFolderLock localFolder;
    ASSERT_TRUE(localFolder.Held());
    ScratchDir work;
    std::string log;
    std::vector<FixtureFile> outer = {{L"widgets_config.dexo", site.Manifest()}};
    for (const wchar_t* name : {L"small.7z", L"plain.7z"})
        outer.push_back({name, FileBytes(site.Site().File(name))});
    ASSERT_TRUE(PackWithHostTool(work, outer, {}, "7zz a -bd -t7z ../local.7z -- *", log)) << log;

    const RunResult run = RunEngine(site.Scratch(), site.Arguments(L"--package " + Quoted(work.File(L"local.7z"))));
    ASSERT_TRUE(run.ended) << run.output << run.errors;
    EXPECT_EQ(0u, run.exitCode) << run.output << run.errors;
    const std::vector<std::string> lines = SplitLines(run.output);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ("0x507 done", lines.back());
    std::string content;
    EXPECT_TRUE(ScratchDir::Read(site.InstallDir() + L"\\Small\\small.txt", content));
    EXPECT_EQ("small", content);
    EXPECT_TRUE(ScratchDir::Read(site.InstallDir() + L"\\Plain\\big.bin", content));
    EXPECT_EQ(1000000u, content.size());
    EXPECT_TRUE(site.Site().Server().Requests().empty());
}

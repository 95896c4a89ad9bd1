// What the readers find of an earlier installation, over registry states and
// folders that each test builds and removes again.

#include "product/InstallEnv.h"
#include "sysutil/SysUtilFile.h"
#include "sysutil/SysUtilPath.h"
#include "sysutil/SysUtilText.h"

#include "product/ProductState.h"
#include "ScratchDir.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace InstallEnv = tivala::InstallEnv;
namespace SysUtil = tivala::SysUtil;
using tivala::InstallInfoRecord;
using tivala::test::ProductRegistryScope;
using tivala::test::ScratchDir;

namespace {

using Values = std::vector<std::pair<const wchar_t*, std::wstring>>;

constexpr wchar_t kProductKey[] = L"SOFTWARE\\tivala";
constexpr wchar_t kUninstallKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\tivala";

// Stores the texts as the product does: REG_SZ without a terminating zero.
bool StoreTexts(HKEY root, const wchar_t* key, const Values& values)
{
    for (const auto& [name, text] : values) {
        if (::RegSetKeyValueW(root, key, name, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() * sizeof(wchar_t))) !=
            ERROR_SUCCESS)
            return false;
    }
    return true;
}

std::vector<std::wstring> Fields(const InstallInfoRecord& info)
{
    return {info.Publisher,   info.DisplayName,     info.DisplayIcon,     info.ProductVersion, info.InstallDate,
            info.installDir,  info.installBiZhiDir, info.UninstallString, info.UrlInfoAbout,   info.installPackageName};
}

std::vector<std::wstring> Sorted(std::vector<std::wstring> names)
{
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::wstring> FixedManifestNames()
{
    return {L"Starter.exe", L"SelfRefresh.exe", L"tivalaservice.exe", L"TivalaEverything.exe"};
}

std::vector<std::wstring> Plus(std::vector<std::wstring> names, const std::vector<std::wstring>& more)
{
    names.insert(names.end(), more.begin(), more.end());
    return names;
}

// A drive letter that names no drive.
std::wstring UnmappedDriveFolder()
{
    const DWORD drives = ::GetLogicalDrives();
    for (wchar_t letter = L'Q'; letter <= L'Y'; ++letter) {
        if (!(drives & (DWORD{1} << (letter - L'A'))))
            return std::wstring{letter, L':', L'\\'} + L"TivalaData";
    }
    return {};
}

// A fixed path of the product (a data-folder candidate) that the test may fill
// with a file to make it unusable; whatever lies there afterwards is removed.
class ProductPath {
public:
    explicit ProductPath(std::wstring path) : m_path(std::move(path)) { Remove(); }
    ~ProductPath() { Remove(); }
    ProductPath(const ProductPath&) = delete;
    ProductPath& operator=(const ProductPath&) = delete;

    const std::wstring& Path() const { return m_path; }
    bool Block() const { return SysUtil::WriteBytesToFile(m_path, {'x'}); }
    void Remove() const
    {
        if (SysUtil::PathExists(m_path))
            (void)SysUtil::ShellDelete(m_path);
    }

private:
    std::wstring m_path;
};

std::wstring DocumentsCandidate()
{
    return SysUtil::AddTrailingBackslash(SysUtil::GetDocumentsPath()) + L"Tivala";
}

std::wstring AppDataCandidate()
{
    return SysUtil::AddTrailingBackslash(SysUtil::GetAppDataPath()) + L"TivalaAppData";
}

}  // namespace

TEST(InstallEnv, ReadsWhatTheRegistryRecordsOfAnEarlierInstallation)
{
    const ProductRegistryScope registry;
    ASSERT_TRUE(registry.Held());
    const Values uninstallEntry = {
        {L"Publisher", L"Tivala团队"},          {L"DisplayName", L"Tivala"},
        {L"DisplayIcon", L"D:\\动态壁纸\\Starter.exe"}, {L"DisplayVersion", L"1.9.3"},   // not read
        {L"InstallDate", L"20240102"},        {L"UninstallString", L"D:\\动态壁纸\\uninstall.exe"},
        {L"UrlInfoAbout", L"www.tivala.com"},
    };
    const struct {
        const char* label;
        Values user;
        Values machine;
        std::vector<std::wstring> expected;   // in the record's field order
        int major;
    } cases[] = {
        {"no earlier installation", {}, {}, std::vector<std::wstring>(10), 0},
        {"major version 1",
         {{L"ProductVersion", L"1.9.3"}, {L"installDir", L"D:/动态壁纸/"}, {L"installBiZhiDir", L"E:\\TivalaResource\\"},
          {L"installPackageName", L"installerchan"}},
         uninstallEntry,
         {L"Tivala团队", L"Tivala", L"D:\\动态壁纸\\Starter.exe", L"1.9.3", L"20240102", L"D:\\动态壁纸",
          L"E:\\TivalaResource", L"D:\\动态壁纸\\uninstall.exe", L"www.tivala.com", L"installerchan"},
         1},
        {"a later one without its machine-wide entry",
         {{L"ProductVersion", L"3.0.12"}, {L"installDir", L"C:\\Tivala"}, {L"installBiZhiDir", L"C:\\Res"}},
         {},
         {L"", L"", L"", L"3.0.12", L"", L"C:\\Tivala", L"C:\\Res", L"", L"", L""},
         3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        ::SHDeleteKeyW(HKEY_CURRENT_USER, kProductKey);
        ::SHDeleteKeyW(HKEY_LOCAL_MACHINE, kUninstallKey);
        ASSERT_TRUE(StoreTexts(HKEY_CURRENT_USER, kProductKey, c.user));
        ASSERT_TRUE(StoreTexts(HKEY_LOCAL_MACHINE, kUninstallKey, c.machine));

        const InstallInfoRecord info = InstallEnv::ReadInstalledInfo();
        EXPECT_EQ(c.expected, Fields(info));
        EXPECT_EQ(c.major, SysUtil::GetMajorVersion(info.ProductVersion));
        EXPECT_EQ(c.expected[9], InstallEnv::ReadInstallPackageName());
    }
}

TEST(InstallEnv, FixedListsKeepTheirOrder)
{
    EXPECT_EQ((std::vector<std::wstring>{L"Starter.exe", L"SelfRefresh.exe", L"webhost.exe", L"webhost1.exe",
                                         L"shelfTool.exe", L"removeShelf.exe", L"Viewer.exe", L"TIVALAViewer.exe",
                                         L"Sidepane.exe", L"QKHost.exe", L"Lateglow.exe", L"Showcase.exe",
                                         L"ctxMenuAid.exe", L"SkinShift.exe", L"prefsvc.exe", L"DexoInit.exe",
                                         L"TIVALA.exe", L"ZQDebugTool.exe"}),
              InstallEnv::ReadEndProcessNames());
    EXPECT_EQ((std::vector<std::wstring>{L"WallPaper", L"Lateglow", L"Dock"}), InstallEnv::ReadV1ModuleFolders());
}

TEST(InstallEnv, ManifestCopyAddsTheProgramNamesOfEachModule)
{
    const std::string deep = std::string(20000, '[') + std::string(20000, ']');
    const struct {
        const char* label;
        const char* manifest;   // null: no copy at all
        std::vector<std::wstring> added;
    } cases[] = {
        {"no copy", nullptr, {}},
        {"empty copy", "", {}},
        {"malformed", R"([{"secondAppName":"a.exe")", {}},
        {"root is an object", R"({"Main":{"secondAppName":"a.exe"}})", {}},
        {"root is null", "null", {}},
        {"nested beyond the parser's limit", deep.c_str(), {}},
        {"two modules naming the same programs", R"([{"secondAppName":"a.exe,b.exe"},{"secondAppName":"a.exe,b.exe"}])",
         {L"a.exe", L"b.exe", L"a.exe", L"b.exe"}},
        {"second names before third, module by module",
         R"([{"thirdAppName":"t1.exe,t2.exe","secondAppName":"s1.exe"},{"secondAppName":"s2.exe","thirdAppName":"t3.exe"}])",
         {L"s1.exe", L"t1.exe", L"t2.exe", L"s2.exe", L"t3.exe"}},
        {"empty names between commas stay", R"([{"secondAppName":"x.exe,,y.exe,"}])", {L"x.exe", L"", L"y.exe"}},
        {"elements that are not modules", R"([5,"a.exe",{"secondAppName":7},{"secondAppName":true}])", {L"7"}},
        {"UTF-8 names", R"([{"secondAppName":"壁纸.exe"}])", {L"壁纸.exe"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        const ScratchDir data;
        if (c.manifest) {
            ASSERT_TRUE(data.Write(L"widgets_config.dexo", c.manifest));
        }
        EXPECT_EQ(Plus(FixedManifestNames(), c.added), InstallEnv::ReadManifestProcessNames(data.Path()));
        EXPECT_EQ(Plus(FixedManifestNames(), c.added), InstallEnv::ReadManifestProcessNames(data.Path() + L"\\"));
    }
}

TEST(InstallEnv, PreviousModuleFoldersLeaveOutMainBrowserAndFiles)
{
    const ScratchDir install;
    for (const wchar_t* folder : {L"Main", L"Browser", L"WallPaper", L"Dock"})
        ASSERT_TRUE(install.Write(std::wstring(folder) + L"\\x.dll", "x"));
    ASSERT_TRUE(install.Write(L"Starter.exe", "MZ"));
    ASSERT_TRUE(install.Write(L"Lateglow", "a file, not a module folder"));

    const std::vector<std::wstring> expected = {L"Dock", L"WallPaper"};   // sorted: the system's order is its own
    EXPECT_EQ(expected, Sorted(InstallEnv::ReadPreviousModuleFolders(install.Path())));
    EXPECT_EQ(expected, Sorted(InstallEnv::ReadPreviousModuleFolders(install.Path() + L"\\")));
    EXPECT_TRUE(InstallEnv::ReadPreviousModuleFolders(L"").empty());
    EXPECT_TRUE(InstallEnv::ReadPreviousModuleFolders(install.File(L"missing")).empty());
}

TEST(InstallEnv, ThemeFolderIsOneThatDirectlyHoldsTheMarker)
{
    const struct {
        const char* label;
        std::vector<const wchar_t*> files;   // under the resource folder
        bool noTheme;
    } cases[] = {
        {"missing folder", {}, true},
        {"empty folder", {L"."}, true},
        {"a theme", {L"paper\\a.jpg", L"山水\\theme.dexo"}, false},
        {"a theme two levels deep", {L"packs\\山水\\theme.dexo"}, true},
        {"the marker in the folder itself", {L"theme.dexo"}, true},
        {"a marker of another name", {L"山水\\theme.dexo.bak", L"山水\\Theme.dex"}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        const ScratchDir scratch;
        const std::wstring folder = scratch.File(L"TivalaResource");
        for (const wchar_t* file : c.files) {
            if (std::wstring(file) == L".") {
                ASSERT_TRUE(::CreateDirectoryW(folder.c_str(), nullptr));
            } else {
                ASSERT_TRUE(scratch.Write(L"TivalaResource\\" + std::wstring(file), "x"));
            }
        }
        EXPECT_EQ(c.noTheme, InstallEnv::HasNoThemeFolder(folder));
        EXPECT_EQ(c.noTheme, InstallEnv::HasNoThemeFolder(folder + L"\\"));
    }
}

TEST(InstallEnv, DataDirIsTheFirstCandidateThatCanBeWrittenInto)
{
    const ProductRegistryScope registry;
    ASSERT_TRUE(registry.Held());
    const ProductPath documents(DocumentsCandidate());
    const ProductPath appData(AppDataCandidate());
    const ScratchDir scratch;
    ASSERT_TRUE(scratch.Write(L"occupied", "a file where a folder should be"));
    std::wstring forwardSlashes = scratch.Path() + L"\\sub\\dir\\";
    std::replace(forwardSlashes.begin(), forwardSlashes.end(), L'\\', L'/');
    const std::wstring unmapped = UnmappedDriveFolder();
    ASSERT_FALSE(unmapped.empty());
    const std::wstring occupied = scratch.File(L"occupied");
    const std::wstring illegal = scratch.File(L"tivala<data>");

    enum class Expect { Registry, Documents, AppData, Nothing };
    const struct {
        const char* label;
        const wchar_t* value;   // "TivalaAppData"; null: no value
        bool blockDocuments;
        bool blockAppData;
        Expect expect;
    } cases[] = {
        {"no registry value", nullptr, false, false, Expect::Documents},
        {"a new folder, written with slashes", forwardSlashes.c_str(), false, false, Expect::Registry},
        {"a drive that does not exist", unmapped.c_str(), false, false, Expect::Documents},
        {"a file where the folder should be", occupied.c_str(), false, false, Expect::Documents},
        {"an illegal character", illegal.c_str(), false, false, Expect::Documents},
        {"an empty value", L"", true, false, Expect::AppData},
        {"no candidate usable", nullptr, true, true, Expect::Nothing},
        {"the registry's wins", forwardSlashes.c_str(), true, true, Expect::Registry},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        ::SHDeleteKeyW(HKEY_CURRENT_USER, kProductKey);
        if (c.value) {
            ASSERT_TRUE(StoreTexts(HKEY_CURRENT_USER, kProductKey, {{L"TivalaAppData", c.value}}));
        }
        documents.Remove();
        appData.Remove();
        if (c.blockDocuments) {
            ASSERT_TRUE(documents.Block());
        }
        if (c.blockAppData) {
            ASSERT_TRUE(appData.Block());
        }

        const std::wstring found = InstallEnv::FindDataDir();
        switch (c.expect) {
        case Expect::Registry:  EXPECT_EQ(scratch.File(L"sub\\dir"), found); break;
        case Expect::Documents: EXPECT_EQ(documents.Path(), found); break;
        case Expect::AppData:   EXPECT_EQ(appData.Path(), found); break;
        case Expect::Nothing:   EXPECT_EQ(L"", found); break;
        }
        if (!found.empty()) {
            const DWORD attributes = ::GetFileAttributesW(found.c_str());
            EXPECT_TRUE(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY));
        }
    }
}

TEST(InstallEnv, DataDirIsRememberedOnceFound)
{
    const ProductRegistryScope registry;
    ASSERT_TRUE(registry.Held());
    const ProductPath documents(DocumentsCandidate());
    const ProductPath appData(AppDataCandidate());
    ASSERT_TRUE(documents.Block());
    ASSERT_TRUE(appData.Block());
    const ScratchDir first;
    const ScratchDir second;

    EXPECT_EQ(L"", InstallEnv::GetDataDir());   // nothing found is asked again
    ASSERT_TRUE(StoreTexts(HKEY_CURRENT_USER, kProductKey, {{L"TivalaAppData", first.Path()}}));
    EXPECT_EQ(first.Path(), InstallEnv::GetDataDir());
    ASSERT_TRUE(StoreTexts(HKEY_CURRENT_USER, kProductKey, {{L"TivalaAppData", second.Path()}}));
    EXPECT_EQ(first.Path(), InstallEnv::GetDataDir());
    EXPECT_EQ(second.Path(), InstallEnv::FindDataDir());
}

// Drives that share one file system (Wine's C: and Z: often do) have the same
// free space, which other processes change between two readings: any fixed drive
// within a little of the most free space may be the roomiest at the moment it is read.
TEST(InstallEnv, DefaultResourceDirLiesOnTheRoomiestFixedDrive)
{
    constexpr int64_t kNoise = 256LL * 1024 * 1024;
    wchar_t systemDir[MAX_PATH] = {};
    ASSERT_NE(0u, ::GetSystemDirectoryW(systemDir, MAX_PATH));
    const std::wstring result = InstallEnv::GetDefaultResourceDir();
    std::vector<std::pair<wchar_t, int64_t>> fixed;
    int64_t most = 0;
    for (const wchar_t letter : SysUtil::GetLogicalDriveLetters()) {
        int64_t freeBytes = 0;
        int64_t totalBytes = 0;
        if (::GetDriveTypeW(std::wstring{letter, L':', L'\\'}.c_str()) != DRIVE_FIXED ||
            !SysUtil::GetDiskSpace(std::wstring{letter, L':'}, freeBytes, totalBytes))
            continue;
        fixed.emplace_back(letter, freeBytes);
        most = std::max(most, freeBytes);
    }
    ASSERT_FALSE(fixed.empty());
    std::vector<std::wstring> candidates;
    for (const auto& [letter, freeBytes] : fixed) {
        if (freeBytes < most - kNoise)
            continue;
        candidates.push_back(letter == systemDir[0] ? SysUtil::GetAppDataPath() + L"\\TivalaResource"
                                                    : std::wstring{letter, L':', L'\\'} + L"TivalaResource");
    }
    EXPECT_NE(candidates.end(), std::find(candidates.begin(), candidates.end(), result)) << SysUtil::WideToUtf8(result);
}

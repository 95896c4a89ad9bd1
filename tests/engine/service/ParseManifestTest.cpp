// The manifest's JSON read into module records, without a server: tables of
// manifests and what each gives.

#include "service/ParseManifest.h"

#include "sysutil/SysUtilText.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

using namespace tivala;

namespace {

std::vector<uint8_t> Bytes(const std::string& text)
{
    return std::vector<uint8_t>(text.begin(), text.end());
}

std::optional<std::vector<ModuleRecord>> Online(const std::string& json)
{
    return ParseManifest(Bytes(json), std::nullopt);
}

std::vector<std::wstring> AppPaths(const std::vector<ModuleRecord>& modules)
{
    std::vector<std::wstring> appPaths;
    for (const ModuleRecord& module : modules)
        appPaths.push_back(module.appPath);
    return appPaths;
}

}  // namespace

TEST(ParseManifest, ManifestsOfEveryShapeGiveTheirModules)
{
    const struct {
        const char* json;
        bool parses;
        std::vector<std::wstring> appPaths;
    } cases[] = {
        {"[]", true, {}},
        {"null", true, {}},
        {"5", true, {}},                                   // a root without elements
        {R"("text")", true, {}},
        {"{}", true, {}},                                  // an object without members
        {R"({"appPath":"A"})", false, {}},                 // members, but no array to walk
        {R"([{"appPath":)", false, {}},                    // no JSON
        {"", false, {}},
        {R"([{"appPath":"A"},{"appPath":"B"}])", true, {L"A", L"B"}},
        {R"([null, {"appPath":"C"}])", true, {L"", L"C"}},   // a null element describes an empty module
        {"[5]", false, {}},                                 // elements that are no objects
        {R"(["x"])", false, {}},
        {"[[]]", false, {}},
        {"[true]", false, {}},
        {R"([{"appPath":"C"}, 1])", false, {}},
        {R"([{"appPath":"Main"},{"appPath":"Z"}])", true, {L"Browser", L"Starter", L"Main", L"Z"}},
        {R"([{"id":"9","appPath":"B"},{"id":"1","appPath":"A"}])", true, {L"B", L"A"}},   // the manifest's order
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.json);
        const auto modules = Online(c.json);
        ASSERT_EQ(c.parses, modules.has_value());
        if (modules) {
            EXPECT_EQ(c.appPaths, AppPaths(*modules));
            for (const ModuleRecord& module : *modules) {
                EXPECT_TRUE(module.unpack);
                EXPECT_EQ(0, module.downloadSize);   // the fetching side's
                EXPECT_EQ(L"", module.packagePath);
                EXPECT_TRUE(module.iconBytes.empty());
            }
        }
    }
}

TEST(ParseManifest, MembersReadAsTextAndNumbers)
{
    const struct {
        const char* element;
        const wchar_t* id;
        bool forced;
        int64_t unzipSize;
        std::vector<std::wstring> secondAppName;
    } cases[] = {
        {R"({"id":"7","isForceDownLoad":"1","unzipSize":12})", L"7", true, 12, {}},
        {R"({"id":7,"isForceDownLoad":1,"unzipSize":"12"})", L"7", true, 12, {}},       // numbers as text
        {R"({"isForceDownLoad":"0","unzipSize":"3000000000"})", L"", false, 3000000000LL, {}},
        {R"({"unzipSize":3000000000})", L"", false, 0, {}},                          // beyond 32 bits as a number
        {R"({"id":1.5,"unzipSize":"12abc"})", L"", false, 12, {}},                  // a fraction is no text
        {R"({"id":true,"isForceDownLoad":true,"unzipSize":true})", L"", false, 0, {}},
        {R"({"secondAppName":"a.exe,,b.exe,"})", L"", false, 0, {L"a.exe", L"", L"b.exe"}},
        {R"({"secondAppName":",a.exe"})", L"", false, 0, {L"", L"a.exe"}},
        {R"({"secondAppName":["a.exe"]})", L"", false, 0, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.element);
        const auto modules = Online(std::string("[") + c.element + "]");
        ASSERT_TRUE(modules.has_value());
        ASSERT_EQ(1u, modules->size());
        const ModuleRecord& module = modules->front();
        EXPECT_EQ(c.id, module.id);
        EXPECT_EQ(c.forced, module.forced);
        EXPECT_EQ(c.forced, module.selected);
        EXPECT_EQ(c.unzipSize, module.unzipSize);
        EXPECT_EQ(c.secondAppName, module.secondAppName);
    }
}

TEST(ParseManifest, MainBringsBrowserAndStarterAndTheSpecialPackages)
{
    const auto modules = Online(R"([
        {"id":"10","appPath":"Main","widgetver":"3.1","isForceDownLoad":"0","downLoadUrl":"http://h/main.7z",
         "resourceUrl":"http://h/res.7z","browserVer":"9","browserUnzipSize":9,"browserUrl":"http://h/browser.7z",
         "launchVer":"8","launchUnzipSize":"8","launchUrl":"http://h/starter.7z","defaultPaperUrl":"http://h/no.7z"},
        {"id":"20","appPath":"WallPaper","name":"W","desc":"d","md5":"m","defaultPaperUrl":"http://h/paper.7z",
         "defaultPaperUnzipSize":"77","resourceUrl":"http://h/no.7z","smallEnableImgUrl":"http://h/w.png",
         "introduceVideoUrl":"http://h/w.mp4","configUrl":"http://h/w.ini","thirdAppName":"t.exe"},
        {"id":"30","appPath":"Rainmeter","defaultPaperUrl":"http://h/skin.7z","defaultPaperUnzipSize":5}])");
    ASSERT_TRUE(modules.has_value());
    ASSERT_EQ((std::vector<std::wstring>{L"Browser", L"Starter", L"Main", L"WallPaper", L"Rainmeter"}),
              AppPaths(*modules));
    const struct { const wchar_t* version; int64_t unzipSize; const wchar_t* url; } companions[] = {
        {L"9", 9, L"http://h/browser.7z"},
        {L"8", 8, L"http://h/starter.7z"},
    };
    for (size_t i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        const ModuleRecord& companion = (*modules)[i];
        EXPECT_TRUE(companion.unpack && companion.selected && companion.forced);
        EXPECT_EQ(L"", companion.id);
        EXPECT_EQ(companions[i].version, companion.widgetver);
        EXPECT_EQ(companions[i].unzipSize, companion.unzipSize);
        EXPECT_EQ(companions[i].url, companion.downLoadUrl);
    }
    const ModuleRecord& main = (*modules)[2];
    EXPECT_TRUE(main.selected && main.forced);   // whatever isForceDownLoad says
    EXPECT_EQ(L"http://h/res.7z", main.mainResourceUrl);
    EXPECT_EQ(L"", main.wallpaperDefaultPaperUrl);   // only WallPaper and Rainmeter have default content
    const ModuleRecord& wall = (*modules)[3];
    EXPECT_EQ(L"http://h/paper.7z", wall.wallpaperDefaultPaperUrl);
    EXPECT_EQ(77, wall.wallpaperDefaultPaperUnzipSize);
    EXPECT_EQ(L"", wall.mainResourceUrl);   // only Main's resources are read
    EXPECT_EQ(L"", wall.rainmeterDefaultPaperUrl);
    EXPECT_EQ(L"W", wall.name);
    EXPECT_EQ(L"d", wall.desc);
    EXPECT_EQ(L"m", wall.md5);
    EXPECT_EQ(L"http://h/w.png", wall.smallEnableImgUrl);
    EXPECT_EQ(L"http://h/w.mp4", wall.introduceVideoUrl);
    EXPECT_EQ(L"http://h/w.ini", wall.configUrl);
    EXPECT_EQ((std::vector<std::wstring>{L"t.exe"}), wall.thirdAppName);
    const ModuleRecord& rain = (*modules)[4];
    EXPECT_EQ(L"http://h/skin.7z", rain.rainmeterDefaultPaperUrl);
    EXPECT_EQ(5, rain.rainmeterDefaultPaperUnzipSize);
    EXPECT_EQ(L"", rain.wallpaperDefaultPaperUrl);
}

TEST(ParseManifest, LocalModeNamesFilesOfTheUnpackedPackage)
{
    const std::wstring folder = L"C:\\Temp\\TivalaLocalInstallUnzipPackage\\";
    const auto modules = ParseManifest(Bytes(R"([
        {"appPath":"Main","downLoadUrl":"http://h/a/main.7z","resourceUrl":"","browserUrl":"http://h/browser.7z",
         "launchUrl":"starter.7z"},
        {"appPath":"WallPaper","downLoadUrl":"","smallEnableImgUrl":"http://h/i/w.png","configUrl":"",
         "defaultPaperUrl":"http://h/paper.7z"},
        {"appPath":"Rainmeter","downLoadUrl":"http://h/rain.7z","introduceVideoUrl":"v.mp4"}])"),
                                       folder);
    ASSERT_TRUE(modules.has_value());
    ASSERT_EQ(5u, modules->size());
    const struct { const wchar_t* appPath; const wchar_t* downLoadUrl; } packages[] = {
        {L"Browser", L"browser.7z"}, {L"Starter", L"starter.7z"}, {L"Main", L"main.7z"},
        {L"WallPaper", L""},   // an empty package address still names the folder's file ""
        {L"Rainmeter", L"rain.7z"},
    };
    for (size_t i = 0; i < std::size(packages); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(packages[i].appPath, (*modules)[i].appPath);
        EXPECT_EQ(folder + packages[i].downLoadUrl, (*modules)[i].downLoadUrl);
    }
    EXPECT_EQ(L"", (*modules)[2].mainResourceUrl);   // an empty address names no file
    const ModuleRecord& wall = (*modules)[3];
    EXPECT_EQ(folder + L"w.png", wall.smallEnableImgUrl);
    EXPECT_EQ(L"", wall.configUrl);
    EXPECT_EQ(L"", wall.introduceVideoUrl);
    EXPECT_EQ(folder + L"paper.7z", wall.wallpaperDefaultPaperUrl);
    EXPECT_EQ(folder + L"v.mp4", (*modules)[4].introduceVideoUrl);
}

// The resource-provider manager over real modules and files: the newest provider
// answers, "file" reads the file system, references split at their first colon,
// short buffers fail alike on every path, icons load at their size, system cursors
// stay away from providers and provider cursors load once.

#include "../core/SakuAppTest.h"
#include "IconLook.h"
#include "ScratchDir.h"
#include "TestProviders.h"

#include "GdiHandles.h"
#include "render/IImgDecoder.h"
#include "res.mgr/SResProviderMgr.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using namespace SAKU;
using saku_test::CountingProvider;
using saku_test::IconLook;
using saku_test::LookAt;
using saku_test::SakuAppTest;
using tivala::test::ScratchDir;

namespace {

using SResProviderMgrTest = SakuAppTest;

}  // namespace

TEST_F(SResProviderMgrTest, TheNewestProviderHoldingAResourceAnswersAndRemovingItUncoversTheOlder)
{
    const UniqueModule library = saku_test::LoadResourceModule();
    ASSERT_TRUE(library);
    IResProvider* const program = AddProgramResources();
    const SAutoRef<IResProvider> resources(AddModule(library.Get()));   // the test's own reference too

    EXPECT_EQ("from the library", RawData(L"TEXT", L"SHARED"));
    EXPECT_EQ(resources.Get(), App().FindProvider(L"text", L"shared"));
    EXPECT_EQ(program, App().FindProvider(L"PNG", L"STATES_H"));   // an older provider answers what it alone holds
    EXPECT_EQ(nullptr, App().FindProvider(nullptr, L"SHARED"));
    EXPECT_EQ(nullptr, App().FindProvider(L"TEXT", L"NOWHERE"));

    App().RemoveResProvider(resources.Get());
    EXPECT_EQ(2, resources->AddRef());   // the test's and this one: the manager gave its reference back
    resources->Release();
    EXPECT_EQ("from the program", RawData(L"TEXT", L"SHARED"));
    EXPECT_EQ("", RawData(L"TEXT", L"LIBRARY"));
    App().RemoveResProvider(resources.Get());   // no longer listed: nothing happens
    EXPECT_EQ(program, App().FindProvider(L"TEXT", L"SHARED"));
}

TEST_F(SResProviderMgrTest, TheTypeFileInAnyCaseReadsTheFileSystem)
{
    AddProgramResources();
    const std::string png = RawData(L"PNG", L"STATES_H");
    ASSERT_FALSE(png.empty());
    ScratchDir scratch;
    ASSERT_TRUE(scratch.Write(L"states.png", png));
    const std::wstring path = scratch.File(L"states.png");

    for (const wchar_t* type : {L"file", L"FILE", L"File", L"fIlE"}) {
        SCOPED_TRACE(testing::Message() << type);
        EXPECT_TRUE(SResProviderMgr::IsFileType(type));
        EXPECT_EQ(png.size(), App().GetRawDataSize(type, path.c_str()));
        EXPECT_EQ(png, RawData(type, path.c_str()));
        const auto image = SAutoRef<IBitmap>::Adopt(App().LoadImage(type, path.c_str()));
        ASSERT_TRUE(image);
        EXPECT_EQ(90, image->Width());
        const auto byReference = SAutoRef<IBitmap>::Adopt(App().LoadImageRef((std::wstring(type) + L":" + path).c_str()));
        EXPECT_TRUE(byReference);   // the path's own colon stays in the name
    }
    for (const wchar_t* type : {L"files", L"fil", L"", L"PNG"})
        EXPECT_FALSE(SResProviderMgr::IsFileType(type)) << type;
    EXPECT_FALSE(SResProviderMgr::IsFileType(nullptr));
    EXPECT_EQ(0u, App().GetRawDataSize(L"file", scratch.File(L"missing.png").c_str()));
    EXPECT_FALSE(App().LoadImage(L"file", scratch.File(L"missing.png").c_str()));
}

TEST_F(SResProviderMgrTest, ReferencesSplitAtTheFirstColon)
{
    const struct {
        const wchar_t* text;
        int parts;
        const wchar_t* type;
        const wchar_t* name;
    } cases[] = {
        {L"png:states_h",          2, L"png",    L"states_h"},
        {L"LAYOUT:xml_mainwnd",    2, L"LAYOUT", L"xml_mainwnd"},
        {L"file:C:\\skins\\a.png", 2, L"file",   L"C:\\skins\\a.png"},
        {L"noColon",               1, L"noColon", L""},
        {L":name",                 2, L"",       L"name"},
        {L"type:",                 2, L"type",   L""},
        {L"",                      1, L"",       L""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.text);
        SStringW type;
        SStringW name;
        EXPECT_EQ(c.parts, SplitResRef(c.text, type, name));
        EXPECT_EQ(c.type, type);
        EXPECT_EQ(c.name, name);
    }

    AddProgramResources();
    EXPECT_FALSE(App().LoadImageRef(L"noColon"));
    EXPECT_FALSE(App().LoadImageRef(L"states_h"));
    EXPECT_FALSE(App().LoadImage(nullptr, L"states_h"));
    const auto image = SAutoRef<IBitmap>::Adopt(App().LoadImageRef(L"png:states_h"));
    ASSERT_TRUE(image);
    EXPECT_EQ(90, image->Width());
    EXPECT_EQ(30, image->Height());
    const auto upper = SAutoRef<IBitmap>::Adopt(App().LoadImageRef(L"PNG:STATES_V"));
    ASSERT_TRUE(upper);
    EXPECT_EQ(90, upper->Height());
    EXPECT_FALSE(App().LoadImageRef(L"png:states_h:2"));   // the name keeps its second colon
}

TEST_F(SResProviderMgrTest, ABufferOneByteShortFailsWithInsufficientBufferOnEveryPath)
{
    IResProvider* const program = AddProgramResources();
    const std::string png = RawData(L"PNG", L"STATES_H");
    ScratchDir scratch;
    ASSERT_TRUE(scratch.Write(L"states.png", png));
    ASSERT_TRUE(scratch.Write(L"uires.idx", "<resource><png><file name=\"states\" path=\"states.png\"/></png></resource>"));
    const auto folder = SakuAppTest::NewProvider(kResProviderFiles, reinterpret_cast<WPARAM>(scratch.Path().c_str()));

    const struct {
        const char* path;
        std::function<BOOL(void*, size_t)> read;
    } cases[] = {
        {"the manager's file type", [&](void* buffer, size_t size) {
             return App().GetRawData(L"file", scratch.File(L"states.png").c_str(), buffer, size);
         }},
        {"a module", [&](void* buffer, size_t size) { return program->GetRawData(L"png", L"states_h", buffer, size); }},
        {"a folder", [&](void* buffer, size_t size) { return folder->GetRawData(L"png", L"states", buffer, size); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        std::string buffer(png.size(), '\0');
        ::SetLastError(0);
        EXPECT_FALSE(c.read(buffer.data(), png.size() - 1));
        EXPECT_EQ(DWORD(ERROR_INSUFFICIENT_BUFFER), ::GetLastError());
        EXPECT_TRUE(c.read(buffer.data(), png.size()));
        EXPECT_EQ(png, buffer);
    }
}

TEST_F(SResProviderMgrTest, IconsLoadAtTheRequestedSize)
{
    AddProgramResources();
    const struct {
        const wchar_t* reference;
        int width;
        COLORREF centre;
    } cases[] = {
        {L"ICON_TEST:32", 32, RGB(0, 255, 0)},
        {L"icon_test:48", 48, RGB(0, 0, 255)},
        {L"Icon_Test:16", 16, RGB(255, 0, 0)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.reference);
        const UniqueIcon icon(App().LoadIconRef(c.reference));
        ASSERT_TRUE(icon);
        const IconLook look = LookAt(icon.Get());
        EXPECT_EQ(c.width, look.width);
        EXPECT_EQ(c.centre, look.centre);
    }
    const UniqueIcon own(App().LoadIconRef(L"icon_test"));   // no size: one of the icon's own
    ASSERT_TRUE(own);
    const int width = LookAt(own.Get()).width;
    EXPECT_TRUE(width == 16 || width == 32 || width == 48) << width;
    EXPECT_FALSE(UniqueIcon(App().LoadIconRef(L"no_such_icon:32")));
}

TEST_F(SResProviderMgrTest, SystemCursorNamesNeverReachAProvider)
{
    const auto counting = SAutoRef<CountingProvider>::Adopt(
        new CountingProvider(SakuAppTest::NewProvider(kResProviderPE, 0).Get()));
    App().AddResProvider(counting.Get());
    const struct {
        const wchar_t* name;
        LPCWSTR system;
    } cases[] = {
        {L"HAND", IDC_HAND}, {L"no", IDC_NO}, {L"Arrow", IDC_ARROW}, {L"ibeam", IDC_IBEAM},
        {L"SIZEWE", IDC_SIZEWE}, {L"help", IDC_HELP}, {IDC_WAIT, IDC_WAIT},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(::LoadCursorW(nullptr, c.system), App().LoadCursor(c.name));
    }
    EXPECT_EQ(0, counting->AllCalls());
}

TEST(SResProviderMgr, SystemCursorNamesMapToTheirIds)
{
    const struct {
        const wchar_t* name;
        WORD id;
    } cases[] = {
        {L"arrow", 32512}, {L"ibeam", 32513}, {L"wait", 32514}, {L"cross", 32515}, {L"uparrow", 32516},
        {L"size", 32640}, {L"sizenwse", 32642}, {L"sizenesw", 32643}, {L"sizewe", 32644}, {L"sizens", 32645},
        {L"sizeall", 32646}, {L"no", 32648}, {L"hand", 32649}, {L"help", 32651},
        {L"HELP", 32651}, {L"hands", 0}, {L"", 0}, {L"appstarting", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.id, SResProviderMgr::SysCursorName2ID(c.name)) << c.name;
    EXPECT_EQ(0, SResProviderMgr::SysCursorName2ID(nullptr));
}

TEST_F(SResProviderMgrTest, AProviderCursorLoadsOnceAndAnAnimatedOneIsFoundAsACursor)
{
    const auto counting = SAutoRef<CountingProvider>::Adopt(new CountingProvider(
        SakuAppTest::NewProvider(kResProviderPE, reinterpret_cast<WPARAM>(::GetModuleHandleW(nullptr))).Get()));
    App().AddResProvider(counting.Get());

    const HCURSOR cursor = App().LoadCursor(L"CURSOR_TEST");
    ASSERT_NE(nullptr, cursor);
    EXPECT_EQ(cursor, App().LoadCursor(L"CURSOR_TEST"));
    EXPECT_EQ(1, counting->Calls("LoadCursor"));
    ICONINFO info = {};
    ASSERT_TRUE(::GetIconInfo(cursor, &info));
    const UniqueBitmap colour(info.hbmColor);
    const UniqueBitmap mask(info.hbmMask);
    EXPECT_FALSE(info.fIcon);
    EXPECT_EQ(3u, info.xHotspot);
    EXPECT_EQ(5u, info.yHotspot);

    // Stored only as an animated cursor (type 21), found under "CURSOR".
    EXPECT_TRUE(counting->HasResource(L"CURSOR", L"ani_test"));
    const HCURSOR animated = App().LoadCursor(L"ani_test");
    EXPECT_NE(nullptr, animated);
    EXPECT_EQ(animated, App().LoadCursor(L"ani_test"));
    EXPECT_EQ(2, counting->Calls("LoadCursor"));

    // A miss is not remembered: each request asks the providers again.
    const int asked = counting->Calls("HasResource");
    EXPECT_EQ(nullptr, App().LoadCursor(L"no_such_cursor"));
    EXPECT_EQ(nullptr, App().LoadCursor(L"no_such_cursor"));
    EXPECT_EQ(asked + 2, counting->Calls("HasResource"));
    EXPECT_EQ(2, counting->Calls("LoadCursor"));
}

namespace {

// Answers ("png", "alias") by asking the manager for the program's image: the
// manager holds its lock while it calls a provider, and lets the same thread in
// again.
class AliasProvider : public TObjRefImpl<IResProvider> {
public:
    explicit AliasProvider(SResProviderMgr& manager) : m_manager(manager) {}

    BOOL Init(WPARAM, LPARAM) override { return TRUE; }
    BOOL HasResource(LPCWSTR type, LPCWSTR name) override
    {
        return _wcsicmp(type, L"png") == 0 && _wcsicmp(name, L"alias") == 0;
    }
    HICON LoadIcon(LPCWSTR, int, int) override { return nullptr; }
    HBITMAP LoadBitmap(LPCWSTR) override { return nullptr; }
    HCURSOR LoadCursor(LPCWSTR) override { return nullptr; }
    IBitmap* LoadImage(LPCWSTR, LPCWSTR) override { return m_manager.LoadImageRef(L"png:states_v"); }
    IImgX* LoadImgX(LPCWSTR, LPCWSTR) override { return nullptr; }
    size_t GetRawDataSize(LPCWSTR, LPCWSTR) override { return m_manager.GetRawDataSize(L"PNG", L"STATES_V"); }
    BOOL GetRawData(LPCWSTR, LPCWSTR, void* buffer, size_t size) override
    {
        return m_manager.GetRawData(L"PNG", L"STATES_V", buffer, size);
    }

private:
    SResProviderMgr& m_manager;
};

}  // namespace

TEST_F(SResProviderMgrTest, AProviderMayCallBackIntoTheManager)
{
    AddProgramResources();
    const auto alias = SAutoRef<AliasProvider>::Adopt(new AliasProvider(App()));
    App().AddResProvider(alias.Get());
    const auto image = SAutoRef<IBitmap>::Adopt(App().LoadImageRef(L"png:alias"));
    ASSERT_TRUE(image);
    EXPECT_EQ(90, image->Height());
    EXPECT_EQ(RawData(L"PNG", L"STATES_V"), RawData(L"png", L"alias"));
}

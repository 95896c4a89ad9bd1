// The application object: it makes the library's singletons in their order and
// deletes them in the reverse one, registers the classes of the registrar it is
// handed and releases it, makes objects by class name, keeps the program's named
// ids, holds the default services and runs the main message loop.

#include "SakuAppTest.h"
#include "TestLogSink.h"
#include "TestObjects.h"

#include "core/CSimpleWndHelper.h"
#include "core/IInterpolator.h"
#include "core/IMsgLoopFactory.h"
#include "core/IToolTipFactory.h"
#include "core/ITranslatorMgr.h"
#include "core/SFontPool.h"
#include "core/SMessageLoop.h"
#include "core/SRicheditMenuDef.h"
#include "core/SScriptTimer.h"
#include "core/SSkinImgFrame.h"
#include "core/SSkinPool.h"
#include "core/SStylePool.h"
#include "core/STextServiceHelper.h"
#include "core/STimer2.h"
#include "core/STipCtrl.h"
#include "core/SWindow.h"
#include "core/SWindowFinder.h"
#include "core/SWindowMgr.h"
#include "res.mgr/SUiDef.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace SAKU;
using saku_test::SakuAppTest;
using saku_test::ScopedLogSink;
using saku_test::STestObject;

namespace {

using ApplicationTest = SakuAppTest;

// Records the groups it is asked to register, and its own end.
class SRecordingRegister : public TObjRefImpl<ISystemObjectRegister> {
public:
    explicit SRecordingRegister(std::vector<std::string>& calls) : m_calls(calls) {}
    ~SRecordingRegister() override { m_calls.push_back("deleted"); }

    void RegisterLayouts(SObjectFactoryMgr*) override { m_calls.push_back("layouts"); }
    void RegisterSkins(SObjectFactoryMgr* factories) override
    {
        m_calls.push_back("skins");
        SObjectDefaultRegister().RegisterSkins(factories);
    }
    void RegisterWindows(SObjectFactoryMgr*) override { m_calls.push_back("windows"); }
    void RegisterInterpolators(SObjectFactoryMgr*) override { m_calls.push_back("interpolators"); }

private:
    std::vector<std::string>& m_calls;
};

// Registered as a window, a skin and an interpolator, but none of them: the make-by-name
// operations must not hand it out as one. Counts its live objects.
int g_liveImpostors = 0;

template <int kType>
class STestImpostor : public STestObject<STestImpostor<kType>> {
public:
    SOBJECT_CLASS(SObjectImpl<IObject>, L"impostor", kType)
    SOBJECT_BASE_CLASS(L"object")
    STestImpostor() { ++g_liveImpostors; }
    ~STestImpostor() override { --g_liveImpostors; }
};

// The library's singletons as the watch saw them come ("+") and go ("-").
std::vector<std::string> g_singletonEvents;

std::string SingletonName(const std::type_info& type)
{
    const struct {
        const std::type_info& type;
        const char* name;
    } known[] = {
        {typeid(SApplication), "SApplication"},     {typeid(SUiDef), "SUiDef"},
        {typeid(SWindowMgr), "SWindowMgr"},         {typeid(STimer2), "STimer2"},
        {typeid(SScriptTimer), "SScriptTimer"},     {typeid(SFontPool), "SFontPool"},
        {typeid(SSkinPoolMgr), "SSkinPoolMgr"},     {typeid(SStylePoolMgr), "SStylePoolMgr"},
        {typeid(SWindowFinder), "SWindowFinder"},   {typeid(CSimpleWndHelper), "CSimpleWndHelper"},
        {typeid(STextServiceHelper), "STextServiceHelper"}, {typeid(SRicheditMenuDef), "SRicheditMenuDef"},
    };
    for (const auto& k : known) {
        if (k.type == type)
            return k.name;
    }
    return type.name();
}

void RecordSingleton(const std::type_info& type, bool created)
{
    g_singletonEvents.push_back((created ? "+" : "-") + SingletonName(type));
}

// The whole life of an application made by `make`, as the singleton watch sees it.
template <typename Make>
std::vector<std::string> SingletonLife(Make make)
{
    g_singletonEvents.clear();
    const SingletonWatch previous = SetSingletonWatch(RecordSingleton);
    make();
    SetSingletonWatch(previous);
    return g_singletonEvents;
}

SAutoRef<IRenderFactory> GdiRenderFactory()
{
    SAutoRef<IRenderFactory> factory;
    EXPECT_TRUE(CreateRenderFactory_GDI(factory.Put()));
    return factory;
}

}  // namespace

TEST(SApplication, MakesItsSingletonsInOrderAndDeletesThemInReverse)
{
    const auto factory = GdiRenderFactory();
    const std::vector<std::string> life = SingletonLife([&] {
        SApplication app(factory.Get(), ::GetModuleHandleW(nullptr), L"SAKUHOST", new SObjectDefaultRegister);
        g_singletonEvents.push_back("running");
    });
    const std::vector<std::string> expected = {
        "+SApplication",
        "+SUiDef", "+SWindowMgr", "+STimer2", "+SScriptTimer", "+SFontPool", "+SSkinPoolMgr", "+SStylePoolMgr", "+SWindowFinder",
        "+CSimpleWndHelper", "+STextServiceHelper", "+SRicheditMenuDef",
        "running",
        "-SWindowFinder", "-SStylePoolMgr", "-SSkinPoolMgr", "-SFontPool", "-SScriptTimer", "-STimer2", "-SWindowMgr", "-SUiDef",
        "-CSimpleWndHelper", "-STextServiceHelper", "-SRicheditMenuDef",
        "-SApplication",
    };
    EXPECT_EQ(expected, life);
}

TEST(SApplication, LeavesTheSharedHelpersThatExistedBeforeIt)
{
    const auto factory = GdiRenderFactory();
    ASSERT_TRUE(CSimpleWndHelper::Init(::GetModuleHandleW(nullptr), L"EARLIER"));
    ASSERT_TRUE(STextServiceHelper::Init());
    SRicheditMenuDef menuDef;
    const std::vector<std::string> life = SingletonLife([&] {
        SApplication app(factory.Get(), ::GetModuleHandleW(nullptr));
        EXPECT_EQ(L"EARLIER", CSimpleWndHelper::GetInstance()->GetHostClassName());
    });
    for (const char* helper : {"CSimpleWndHelper", "STextServiceHelper", "SRicheditMenuDef"}) {
        EXPECT_EQ(life.end(), std::find(life.begin(), life.end(), std::string("+") + helper)) << helper;
        EXPECT_EQ(life.end(), std::find(life.begin(), life.end(), std::string("-") + helper)) << helper;
    }
    EXPECT_NE(nullptr, CSimpleWndHelper::GetInstance());
    EXPECT_EQ(&menuDef, SRicheditMenuDef::GetInstance());
    CSimpleWndHelper::Destroy();
    STextServiceHelper::Destroy();
    EXPECT_EQ(nullptr, CSimpleWndHelper::GetInstance());
    EXPECT_EQ(nullptr, STextServiceHelper::GetInstance());
}

TEST_F(ApplicationTest, OwnsTheSingletonsForItsLife)
{
    EXPECT_NE(nullptr, SUiDef::GetInstance());
    EXPECT_NE(nullptr, SScriptTimer::GetInstance());
    EXPECT_NE(nullptr, SFontPool::GetInstance());
    EXPECT_NE(nullptr, SSkinPoolMgr::GetInstance());
    EXPECT_NE(nullptr, SStylePoolMgr::GetInstance());
    EXPECT_NE(nullptr, SWindowFinder::GetInstance());
    EXPECT_NE(nullptr, SWindowMgr::GetInstance());
    EXPECT_NE(nullptr, STimer2::GetInstance());
    ASSERT_NE(nullptr, CSimpleWndHelper::GetInstance());
    EXPECT_EQ(L"SAKUHOST", CSimpleWndHelper::GetInstance()->GetHostClassName());
    EXPECT_EQ(::GetModuleHandleW(nullptr), CSimpleWndHelper::GetInstance()->GetModule());
    EXPECT_NE(nullptr, STextServiceHelper::GetInstance());
    EXPECT_NE(nullptr, SRicheditMenuDef::GetInstance());
    EXPECT_EQ(&App(), SApplication::GetInstance());
    EXPECT_EQ(m_renderFactory.Get(), App().GetRenderFactory());

    // A definition with skins and styles current when it goes: every provider and
    // pool goes before the singletons, with nothing left behind.
    AddProgramResources(L"uidef:xml_init");
    ASSERT_NE(nullptr, SSkinPoolMgr::GetInstance()->GetSkin(L"states", 150));
    m_app.reset();
    EXPECT_EQ(nullptr, SUiDef::GetInstance());
    EXPECT_EQ(nullptr, SScriptTimer::GetInstance());
    EXPECT_EQ(nullptr, SFontPool::GetInstance());
    EXPECT_EQ(nullptr, SSkinPoolMgr::GetInstance());
    EXPECT_EQ(nullptr, SStylePoolMgr::GetInstance());
    EXPECT_EQ(nullptr, SWindowFinder::GetInstance());
    EXPECT_EQ(nullptr, SWindowMgr::GetInstance());
    EXPECT_EQ(nullptr, STimer2::GetInstance());
    EXPECT_EQ(nullptr, CSimpleWndHelper::GetInstance());
    EXPECT_EQ(nullptr, STextServiceHelper::GetInstance());
    EXPECT_EQ(nullptr, SRicheditMenuDef::GetInstance());
    EXPECT_EQ(nullptr, SApplication::GetInstance());
}

TEST_F(ApplicationTest, KnowsItsFolder)
{
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    const std::wstring file(path);
    EXPECT_EQ(file.substr(0, file.rfind(L'\\')), std::wstring(App().GetAppDir().c_str()));
    EXPECT_EQ(::GetModuleHandleW(nullptr), App().GetModule());
}

TEST(SApplication, RegistersTheRegistrarsGroupsInOrderAndReleasesIt)
{
    const auto factory = GdiRenderFactory();
    std::vector<std::string> calls;
    {
        SApplication app(factory.Get(), ::GetModuleHandleW(nullptr), L"SAKUHOST", new SRecordingRegister(calls));
        EXPECT_EQ((std::vector<std::string>{"layouts", "skins", "windows", "interpolators", "deleted"}), calls);
        EXPECT_TRUE(SAutoRef<ISkinObj>::Adopt(app.CreateSkinByName(L"imglist")));
    }
    SApplication bare(factory.Get(), ::GetModuleHandleW(nullptr));   // no registrar: no classes
    EXPECT_EQ(nullptr, bare.CreateSkinByName(L"imglist"));
}

TEST_F(ApplicationTest, MakesWindowsByClassNameInAnyCase)
{
    for (const wchar_t* name : {L"window", L"WINDOW", L"Window"}) {
        SCOPED_TRACE(testing::Message() << name);
        const auto window = SAutoRef<SWindow>::Adopt(App().CreateWindowByName(name));
        ASSERT_TRUE(window);
        EXPECT_STREQ(L"window", window->GetObjectClass());
        EXPECT_EQ(window.Get(), SWindowMgr::GetWindow(window->GetSwnd()));   // a window of the application's table
    }

    ScopedLogSink sink(kLogLevelWarn);
    EXPECT_EQ(nullptr, App().CreateWindowByName(L"nosuchwindow"));
    EXPECT_EQ(nullptr, App().CreateWindowByName(L"imglist"));   // a skin, not a window
    ASSERT_EQ(2u, sink.Lines().size());
    EXPECT_EQ("Warning: no ojbect nosuchwindow of type:1 in SAKU!!", sink.Lines()[0].text);
    EXPECT_EQ("Warning: no ojbect imglist of type:1 in SAKU!!", sink.Lines()[1].text);
}

TEST_F(ApplicationTest, MakesSkinsByClassNameInAnyCase)
{
    const struct {
        const wchar_t* name;
        const wchar_t* tag;
    } cases[] = {
        {L"imglist", L"imglist"}, {L"IMGFRAME", L"imgframe"}, {L"imgFrame2", L"imgframe2"},
        {L"scrollbar", L"scrollbar"}, {L"group", L"group"}, {L"button", L"button"},
        {L"colorrect", L"colorrect"}, {L"Gradation", L"gradation"}, {L"shape", L"shape"},
    };
    for (const auto& c : cases) {
        const auto skin = SAutoRef<ISkinObj>::Adopt(App().CreateSkinByName(c.name));
        ASSERT_TRUE(skin) << c.name;
        EXPECT_STREQ(c.tag, skin->GetObjectClass());
        EXPECT_EQ(kObjTypeSkin, skin->GetObjectType());
        EXPECT_TRUE(skin->IsClass(L"skinObjBase"));
    }
    EXPECT_TRUE(SObjCast<SSkinImgList>(SAutoRef<ISkinObj>::Adopt(App().CreateSkinByName(L"imgframe2")).Get()));

    ScopedLogSink sink(kLogLevelWarn);
    EXPECT_EQ(nullptr, App().CreateSkinByName(L"nosuchskin"));
    ASSERT_EQ(1u, sink.Lines().size());
    EXPECT_EQ("Warning: no ojbect nosuchskin of type:2 in SAKU!!", sink.Lines()[0].text);
}

TEST_F(ApplicationTest, MakesInterpolatorsByClassNameInAnyCase)
{
    const struct {
        const wchar_t* name;
        const wchar_t* tag;
        float atHalf;
    } cases[] = {
        {L"linear", L"Linear", 0.5f}, {L"ACCELERATE", L"Accelerate", 0.25f}, {L"Decelerate", L"Decelerate", 0.75f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto interpolator = SAutoRef<IInterpolator>::Adopt(App().CreateInterpolatorByName(c.name));
        ASSERT_TRUE(interpolator);
        EXPECT_STREQ(c.tag, interpolator->GetObjectClass());
        EXPECT_FLOAT_EQ(c.atHalf, interpolator->getInterpolation(0.5f));
    }

    ScopedLogSink sink(kLogLevelWarn);
    EXPECT_EQ(nullptr, App().CreateInterpolatorByName(L"Elastic"));
    ASSERT_EQ(1u, sink.Lines().size());
    EXPECT_EQ("Warning: no ojbect elastic of type:4 in SAKU!!", sink.Lines()[0].text);
}

TEST_F(ApplicationTest, DoesNotHandOutAnObjectOfTheWrongKind)
{
    ASSERT_TRUE(App().RegisterFactoryOf<STestImpostor<kObjTypeWindow>>());
    ASSERT_TRUE(App().RegisterFactoryOf<STestImpostor<kObjTypeSkin>>());
    ASSERT_TRUE(App().RegisterFactoryOf<STestImpostor<kObjTypeInterpolator>>());
    ScopedLogSink sink(kLogLevelWarn);
    EXPECT_EQ(nullptr, App().CreateWindowByName(L"impostor"));
    EXPECT_EQ(nullptr, App().CreateSkinByName(L"impostor"));
    EXPECT_EQ(nullptr, App().CreateInterpolatorByName(L"impostor"));
    EXPECT_EQ(0, g_liveImpostors);   // made, found wanting and discarded
    EXPECT_TRUE(sink.Lines().empty());
}

TEST_F(ApplicationTest, FindsNamedIdsByExactName)
{
    const std::wstring longest(49, L'n');
    const SNamedID::Entry entries[] = {
        {L"page_install", 7}, {L"btn_close", 3}, {L"Btn_close", 9}, {L"btn_min", 1},
    };
    SNamedID::Entry withLongest = {};
    wcscpy_s(withLongest.name, longest.c_str());
    withLongest.value = 49;
    std::vector<SNamedID::Entry> table(std::begin(entries), std::end(entries));
    table.push_back(withLongest);
    App().InitNamedIDs(table.data(), static_cast<int>(table.size()), false);

    const struct {
        std::wstring name;
        int id;
    } cases[] = {
        {L"btn_close", 3}, {L"Btn_close", 9}, {L"btn_min", 1}, {L"page_install", 7}, {longest, 49},
        {L"BTN_CLOSE", 0}, {L"btn", 0}, {L"zzz", 0}, {longest + L"n", 0}, {std::wstring(60, L'n'), 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.name.size() << " characters");
        EXPECT_EQ(c.id, App().Name2ID(c.name.c_str()));
    }

    // A table said to be sorted is taken as it comes; a new table replaces the old.
    const SNamedID::Entry sorted[] = {{L"a", 1}, {L"b", 2}, {L"c", 3}};
    App().InitNamedIDs(sorted, 3, true);
    EXPECT_EQ(2, App().Name2ID(L"b"));
    EXPECT_EQ(0, App().Name2ID(L"btn_close"));
}

TEST_F(ApplicationTest, HoldsTheDefaultServices)
{
    ITranslatorMgr* const translator = App().GetTranslator();
    ASSERT_NE(nullptr, translator);
    translator->SetLanguage(L"en");
    EXPECT_EQ(L"", translator->GetLanguage());
    EXPECT_EQ(L"安装", translator->Translate(L"安装", L"messagebox"));
    ITranslator* made = reinterpret_cast<ITranslator*>(&made);
    EXPECT_FALSE(translator->CreateTranslator(&made));
    EXPECT_EQ(nullptr, made);
    EXPECT_FALSE(translator->InstallTranslator(nullptr));
    EXPECT_FALSE(translator->UninstallTranslator(nullptr));

    ASSERT_NE(nullptr, App().GetToolTipFactory());
    IToolTip* const tip = App().GetToolTipFactory()->NewToolTip(::GetDesktopWindow());
    ASSERT_NE(nullptr, tip);
    const HWND tipWindow = static_cast<STipCtrl*>(tip)->GetHwnd();
    EXPECT_TRUE(::IsWindow(tipWindow));
    App().GetToolTipFactory()->DestroyToolTip(tip);
    EXPECT_FALSE(::IsWindow(tipWindow));
    App().GetToolTipFactory()->DestroyToolTip(nullptr);

    IMsgLoopFactory* const loops = App().GetMsgLoopFactory();
    ASSERT_NE(nullptr, loops);
    SMessageLoop* const loop = loops->CreateMsgLoop();
    ASSERT_NE(nullptr, loop);
    EXPECT_NE(App().GetMsgLoop(), loop);
    EXPECT_FALSE(loop->IsRunning());
    loops->DestroyMsgLoop(loop);
    loops->DestroyMsgLoop(nullptr);
    ASSERT_NE(nullptr, App().GetMsgLoop());

    EXPECT_EQ(nullptr, App().GetAttrStorageFactory());
    EXPECT_EQ(nullptr, App().GetRealWndHandler());
    EXPECT_EQ(nullptr, App().GetLogManager());
    {
        ScopedLogSink sink;
        EXPECT_EQ(GetLogSink(), App().GetLogManager());
        EXPECT_NE(nullptr, App().GetLogManager());
    }
    IScriptModule* script = reinterpret_cast<IScriptModule*>(&script);
    EXPECT_EQ(E_FAIL, App().CreateScriptModule(&script));
    EXPECT_EQ(nullptr, script);
}

TEST_F(ApplicationTest, RunsTheMainLoopToItsQuitCodeAndDestroysTheMainWindow)
{
    const HWND main = ::CreateWindowExW(0, L"STATIC", L"main", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                                        ::GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(nullptr, main);
    ::PostQuitMessage(5);
    EXPECT_EQ(5, App().RunMainLoop(main));
    EXPECT_FALSE(::IsWindow(main));
    if (::IsWindow(main))
        ::DestroyWindow(main);

    // A main window that is gone already, or none at all, is left alone.
    const HWND gone = ::CreateWindowExW(0, L"STATIC", L"gone", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                                        ::GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(nullptr, gone);
    ::DestroyWindow(gone);
    ::PostQuitMessage(3);
    EXPECT_EQ(3, App().RunMainLoop(gone));
    ::PostQuitMessage(0);
    EXPECT_EQ(0, App().RunMainLoop(nullptr));
}

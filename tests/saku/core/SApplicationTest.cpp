// The application object's part in resources and skins: it makes the library's
// singletons and deletes them with itself, registers the classes of the registrar
// it is handed and releases it, and makes skins by class name.

#include "SakuAppTest.h"
#include "TestLogSink.h"

#include "core/SFontPool.h"
#include "core/SScriptTimer.h"
#include "core/SSkinImgFrame.h"
#include "core/SSkinPool.h"
#include "core/SStylePool.h"
#include "res.mgr/SUiDef.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace SAKU;
using saku_test::SakuAppTest;
using saku_test::ScopedLogSink;

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

}  // namespace

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

TEST_F(ApplicationTest, OwnsTheSingletonsForItsLife)
{
    EXPECT_NE(nullptr, SUiDef::GetInstance());
    EXPECT_NE(nullptr, SScriptTimer::GetInstance());
    EXPECT_NE(nullptr, SFontPool::GetInstance());
    EXPECT_NE(nullptr, SSkinPoolMgr::GetInstance());
    EXPECT_NE(nullptr, SStylePoolMgr::GetInstance());
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
    EXPECT_EQ(nullptr, SApplication::GetInstance());
}

TEST_F(ApplicationTest, KnowsItsFolder)
{
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    const std::wstring file(path);
    EXPECT_EQ(file.substr(0, file.rfind(L'\\')), std::wstring(App().GetAppDir().c_str()));
    EXPECT_EQ(L"SAKUHOST", App().GetHostClassName());
}

TEST(SApplication, RegistersTheRegistrarsGroupsInOrderAndReleasesIt)
{
    SAutoRef<IRenderFactory> factory;
    ASSERT_TRUE(CreateRenderFactory_GDI(factory.Put()));
    std::vector<std::string> calls;
    {
        SApplication app(factory.Get(), ::GetModuleHandleW(nullptr), L"SAKUHOST", new SRecordingRegister(calls));
        EXPECT_EQ((std::vector<std::string>{"layouts", "skins", "windows", "interpolators", "deleted"}), calls);
        EXPECT_TRUE(SAutoRef<ISkinObj>::Adopt(app.CreateSkinByName(L"imglist")));
    }
    SApplication bare(factory.Get(), ::GetModuleHandleW(nullptr));   // no registrar: no classes
    EXPECT_EQ(nullptr, bare.CreateSkinByName(L"imglist"));
}

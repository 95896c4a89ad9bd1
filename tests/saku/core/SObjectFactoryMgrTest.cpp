// Object factories: keys in any letter case and by type, registration that keeps
// or replaces, the warning for unknown tags, base classes, class defaults, and the
// default registrar.

#include "TestLogSink.h"
#include "TestObjects.h"

#include "core/SAutoRef.h"
#include "core/SInterpolators.h"
#include "core/SObjectDefaultRegister.h"
#include "core/SObjectFactoryMgr.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <memory>
#include <string>
#include <vector>

using namespace SAKU;
using saku_test::ScopedLogSink;
using saku_test::STestObject;
using saku_test::STestRecordingWindow;

namespace {

// A window that records the attributes it is given.
class STestButton : public STestRecordingWindow<STestButton> {
public:
    SOBJECT_CLASS(SObjectImpl<IObject>, L"button", kObjTypeWindow)
    SOBJECT_BASE_CLASS(L"window")
};

class STestButtonSkin : public STestObject<STestButtonSkin> {
public:
    SOBJECT_CLASS(SObjectImpl<IObject>, L"button", kObjTypeSkin)
    SOBJECT_BASE_CLASS(L"skinObjBase")

    HRESULT ApplyAttribute(const SStringW&, const SStringW&, BOOL) override
    {
        ++m_applied;
        return S_OK;
    }

    int m_applied = 0;
};

class STestWindow : public STestObject<STestWindow> {
public:
    SOBJECT_CLASS(SObjectImpl<IObject>, L"window", kObjTypeWindow)
    SOBJECT_BASE_CLASS(L"object")
};

class STestImgFrame2 : public STestObject<STestImgFrame2> {
public:
    SOBJECT_CLASS(SObjectImpl<IObject>, L"imgframe2", kObjTypeSkin)
    SOBJECT_BASE_CLASS(L"imgframe")
};

// Two classes under one key, told apart by their names.
class STestScrollbarA : public STestObject<STestScrollbarA> {
public:
    SOBJECT_CLASS(SObjectImpl<IObject>, L"newScrollbar", kObjTypeSkin)
    SOBJECT_BASE_CLASS(L"scrollbar")
    LPCWSTR GetName() const override { return L"A"; }
};

class STestScrollbarB : public STestObject<STestScrollbarB> {
public:
    SOBJECT_CLASS(SObjectImpl<IObject>, L"newScrollbar", kObjTypeSkin)
    SOBJECT_BASE_CLASS(L"scrollbar")
    LPCWSTR GetName() const override { return L"B"; }
};

// A program's own interpolator under a built-in tag.
class STestLinear : public SInterpolatorBase {
public:
    SOBJECT_CLASS(SInterpolatorBase, L"Linear", kObjTypeInterpolator)
    SOBJECT_BASE_CLASS(L"interpolator_base")
    float getInterpolation(float) const override { return 0.5f; }
};

// Forgot its class macros: it would inherit the button's names and be made for
// the button's tag, so the factory template refuses it.
class STestForgetfulButton : public STestButton {
};

static_assert(kSObjectNamesItself<STestButton> && kSObjectNamesItsBase<STestButton>);
static_assert(kSObjectNamesItself<STestLinear> && kSObjectNamesItsBase<STestLinear>);
static_assert(!kSObjectNamesItself<STestForgetfulButton> && !kSObjectNamesItsBase<STestForgetfulButton>,
              "TplSObjectFactory<STestForgetfulButton> must not compile");

// A factory that cannot copy itself, as when memory runs out.
class UncloneableFactory : public TplSObjectFactory<STestWindow> {
public:
    std::unique_ptr<SObjectFactory> Clone() const override { return nullptr; }
};

// A factory that counts the live copies of itself.
int g_liveFactories = 0;

template <typename T>
class CountedFactory : public TplSObjectFactory<T> {
public:
    CountedFactory() { ++g_liveFactories; }
    CountedFactory(const CountedFactory&) : CountedFactory() {}
    ~CountedFactory() override { --g_liveFactories; }
    std::unique_ptr<SObjectFactory> Clone() const override { return std::make_unique<CountedFactory>(); }
};

// Adopts the new object's reference as the class the test expects it to be.
template <typename T>
SAutoRef<T> Create(const SObjectFactoryMgr& factories, const wchar_t* name, int type)
{
    IObject* const object = factories.CreateObject(SObjectInfo(name, type));
    T* const typed = SObjCast<T>(object);
    EXPECT_EQ(object, static_cast<IObject*>(typed)) << "created some other class";
    return SAutoRef<T>::Adopt(typed);
}

bool Same(const SObjectInfo& info, const wchar_t* name, int type)
{
    return info.GetName() == name && info.GetType() == type;
}

}  // namespace

TEST(SObjectInfo, LowerCasesTheNameAndComparesNameAndType)
{
    const SObjectInfo key(L"DateTimePicker", kObjTypeWindow);
    EXPECT_TRUE(key.GetName() == L"datetimepicker");
    EXPECT_TRUE(key == SObjectInfo(L"dateTimePicker", kObjTypeWindow));
    EXPECT_FALSE(key == SObjectInfo(L"dateTimePicker", kObjTypeSkin));
    EXPECT_FALSE(key == SObjectInfo(L"datetime", kObjTypeWindow));
    EXPECT_TRUE(Same(SObjectInfo(), L"", kObjTypeNone));
}

TEST(SObjectFactoryMgr, CreatesByTagInAnyCaseAndByType)
{
    SObjectFactoryMgr factories;
    EXPECT_TRUE(factories.RegisterFactoryOf<STestButton>());
    EXPECT_TRUE(factories.RegisterFactoryOf<STestButtonSkin>());   // same tag, another type

    auto button = Create<STestButton>(factories, L"BUTTON", kObjTypeWindow);
    ASSERT_TRUE(button);
    EXPECT_EQ(kObjTypeWindow, button->GetObjectType());
    auto skin = Create<STestButtonSkin>(factories, L"Button", kObjTypeSkin);
    ASSERT_TRUE(skin);
    EXPECT_EQ(kObjTypeSkin, skin->GetObjectType());
    EXPECT_EQ(2, skin->AddRef());   // the caller held the only reference
    skin->Release();
}

TEST(SObjectFactoryMgr, AnUnknownKeyLogsAWarningAndGivesNull)
{
    SObjectFactoryMgr factories;
    factories.RegisterFactoryOf<STestButton>();
    factories.RegisterFactoryOf<STestButtonSkin>();

    ScopedLogSink sink;
    EXPECT_EQ(nullptr, factories.CreateObject(SObjectInfo(L"BUTTON", kObjTypeLayout)));
    EXPECT_EQ(nullptr, factories.CreateObject(SObjectInfo(L"ListView", kObjTypeWindow)));

    ASSERT_EQ(2u, sink.Lines().size());
    const auto& line = sink.Lines()[0];
    EXPECT_EQ("Warning: no ojbect button of type:3 in SAKU!!", line.text);
    EXPECT_EQ(3, line.level);
    EXPECT_EQ("saku", line.tag);
    EXPECT_EQ("src\\core\\SObjectFactory", line.file);
    EXPECT_EQ(61, line.line);
    EXPECT_EQ("SAKU::SObjectFactoryMgr::CreateObject", line.function);
    EXPECT_EQ("Warning: no ojbect listview of type:1 in SAKU!!", sink.Lines()[1].text);
}

TEST(SObjectFactoryMgr, KeepsTheFirstFactoryUnlessToldToReplaceIt)
{
    {
        SObjectFactoryMgr factories;
        EXPECT_TRUE(factories.RegisterFactory(CountedFactory<STestScrollbarA>()));
        EXPECT_EQ(1, g_liveFactories);   // the manager's clone; the caller's temporary is gone
        EXPECT_FALSE(factories.RegisterFactory(CountedFactory<STestScrollbarB>()));
        EXPECT_EQ(1, g_liveFactories);
        EXPECT_STREQ(L"A", Create<STestScrollbarA>(factories, L"newScrollbar", kObjTypeSkin)->GetName());

        EXPECT_TRUE(factories.RegisterFactory(CountedFactory<STestScrollbarB>(), true));
        EXPECT_EQ(1, g_liveFactories);   // the first factory was deleted
        EXPECT_STREQ(L"B", Create<STestScrollbarB>(factories, L"NEWSCROLLBAR", kObjTypeSkin)->GetName());

        EXPECT_TRUE(factories.RemoveFactory(SObjectInfo(L"newscrollbar", kObjTypeSkin)));
        EXPECT_EQ(0, g_liveFactories);
        EXPECT_FALSE(factories.RemoveFactory(SObjectInfo(L"newscrollbar", kObjTypeSkin)));

        EXPECT_TRUE(factories.RegisterFactory(CountedFactory<STestScrollbarA>()));
        EXPECT_EQ(1, g_liveFactories);
    }
    EXPECT_EQ(0, g_liveFactories);   // the manager deletes what it holds
}

TEST(SObjectFactoryMgr, AFactoryThatCannotBeStoredIsLoggedAsAnError)
{
    SObjectFactoryMgr factories;
    ScopedLogSink sink;
    EXPECT_FALSE(factories.RegisterFactory(UncloneableFactory()));
    ASSERT_EQ(1u, sink.Lines().size());
    const auto& line = sink.Lines()[0];
    EXPECT_EQ("Error: cannot register object window of type:1, out of memory", line.text);
    EXPECT_EQ(kLogLevelError, line.level);
    EXPECT_EQ("SAKU::SObjectFactoryMgr::RegisterFactory", line.function);
    EXPECT_EQ(nullptr, factories.CreateObject(SObjectInfo(L"window", kObjTypeWindow)));

    // A key that is taken already is refused without a word: that is intended.
    EXPECT_TRUE(factories.RegisterFactoryOf<STestWindow>());
    EXPECT_FALSE(factories.RegisterFactoryOf<STestWindow>());
    EXPECT_EQ(2u, sink.Lines().size());   // the error and the warning above, nothing more
}

TEST(SObjectFactoryMgr, BaseObjectInfoFollowsTheRegisteredBaseName)
{
    SObjectFactoryMgr factories;
    factories.RegisterFactoryOf<STestImgFrame2>();
    factories.RegisterFactoryOf<STestWindow>();
    factories.RegisterFactoryOf<STestButton>();
    const struct {
        const wchar_t* name;
        int type;
        const wchar_t* baseName;
        int baseType;
    } cases[] = {
        {L"imgframe2", kObjTypeSkin,   L"imgframe", kObjTypeSkin},
        {L"ImgFrame2", kObjTypeSkin,   L"imgframe", kObjTypeSkin},
        {L"window",    kObjTypeWindow, L"object",   kObjTypeWindow},
        {L"button",    kObjTypeWindow, L"window",   kObjTypeWindow},
        {L"object",    kObjTypeWindow, L"",         kObjTypeNone},   // no factory: the chain ends
        {L"imgframe2", kObjTypeWindow, L"",         kObjTypeNone},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const SObjectInfo base = factories.BaseObjectInfo(SObjectInfo(c.name, c.type));
        EXPECT_TRUE(Same(base, c.baseName, c.baseType)) << base.GetName().c_str() << " " << base.GetType();
    }
}

TEST(SObjectFactoryMgr, ClassDefaultsApplyTheStyleClassFirst)
{
    pugi::xml_document document;
    ASSERT_TRUE(document.load_string(L"<button colour=\"red\" CLASS=\"btnStyle\" text=\"ok\"/>"));
    const pugi::xml_node defaults = document.first_child();

    STestButton button;
    SObjectFactoryMgr::ApplyDefaultAttributes(&button, defaults);
    EXPECT_EQ((std::vector<std::wstring>{L"class=btnStyle", L"colour=red", L"text=ok"}), button.m_applied);
    EXPECT_EQ(0, defaults.attribute(L"CLASS").get_userdata());   // unmarked again for the next window

    // The window's own attributes come afterwards and win.
    pugi::xml_document own;
    ASSERT_TRUE(own.load_string(L"<button text=\"mine\"/>"));
    button.BuildFromXml(own.first_child());
    EXPECT_EQ(L"text=mine", button.m_applied.back());

    STestButtonSkin skin;   // only windows have class defaults
    SObjectFactoryMgr::ApplyDefaultAttributes(&skin, defaults);
    EXPECT_EQ(0, skin.m_applied);

    STestButton untouched;
    SObjectFactoryMgr::ApplyDefaultAttributes(&untouched, pugi::xml_node());
    EXPECT_TRUE(untouched.m_applied.empty());
}

TEST(SObjectDefaultRegister, RegistersTheInterpolatorsUnderTheirTags)
{
    SObjectFactoryMgr factories;
    auto registrar = SAutoRef<ISystemObjectRegister>::Adopt(new SObjectDefaultRegister);
    registrar->RegisterLayouts(&factories);
    registrar->RegisterSkins(&factories);
    registrar->RegisterWindows(&factories);
    registrar->RegisterInterpolators(&factories);

    const struct {
        const wchar_t* asked;
        const wchar_t* tag;
    } cases[] = {
        {L"linear", L"Linear"},
        {L"LINEAR", L"Linear"},
        {L"Accelerate", L"Accelerate"},
        {L"decelerate", L"Decelerate"},
        {L"accelerateDECELERATE", L"AccelerateDecelerate"},
        {L"Anticipate", L"Anticipate"},
        {L"anticipateovershoot", L"AnticipateOvershoot"},
        {L"BOUNCE", L"Bounce"},
        {L"Cycle", L"Cycle"},
        {L"overshoot", L"Overshoot"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.asked);
        auto interpolator = Create<SInterpolatorBase>(factories, c.asked, kObjTypeInterpolator);
        ASSERT_TRUE(interpolator);
        EXPECT_STREQ(c.tag, interpolator->GetObjectClass());
        EXPECT_TRUE(Same(factories.BaseObjectInfo(SObjectInfo(c.asked, kObjTypeInterpolator)), L"interpolator_base",
                         kObjTypeInterpolator));
    }

    ScopedLogSink sink;
    EXPECT_EQ(nullptr, factories.CreateObject(SObjectInfo(L"Elastic", kObjTypeInterpolator)));
    EXPECT_EQ(nullptr, factories.CreateObject(SObjectInfo(L"Linear", kObjTypeWindow)));
    ASSERT_EQ(2u, sink.Lines().size());
    EXPECT_EQ("Warning: no ojbect elastic of type:4 in SAKU!!", sink.Lines()[0].text);
    EXPECT_EQ("Warning: no ojbect linear of type:1 in SAKU!!", sink.Lines()[1].text);
}

TEST(SObjectDefaultRegister, KeepsAClassTheProgramRegisteredFirst)
{
    SObjectFactoryMgr factories;
    EXPECT_TRUE(factories.RegisterFactoryOf<STestLinear>());
    auto registrar = SAutoRef<ISystemObjectRegister>::Adopt(new SObjectDefaultRegister);
    ScopedLogSink sink;
    registrar->RegisterInterpolators(&factories);
    EXPECT_TRUE(sink.Lines().empty());   // keeping the program's class is no failure

    auto linear = Create<SInterpolatorBase>(factories, L"linear", kObjTypeInterpolator);
    ASSERT_TRUE(linear);
    EXPECT_EQ(0.5f, linear->getInterpolation(0.9f));   // the program's own curve
    auto bounce = Create<SInterpolatorBase>(factories, L"bounce", kObjTypeInterpolator);
    EXPECT_TRUE(bounce);
}

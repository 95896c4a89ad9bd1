// The object model on two small classes declared the way controls are: reference
// counts, class names and checked casts, and attribute maps that take their
// attributes from XML in any letter case with the setter result codes.

#include "core/IObjRef.h"
#include "core/SAttributeMap.h"
#include "core/SAutoRef.h"
#include "core/SLayoutDim.h"
#include "core/SObjectImpl.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

using namespace SAKU;

namespace {

// Stands for a window's layout parameters: the widget offers them what it does not take itself.
class STestParam : public SObjectImpl<IObject> {
public:
    SOBJECT_CLASS(SObjectImpl<IObject>, L"testParam", kObjTypeNone)

    BEGIN_ATTRIBUTES(STestParam)
        ATTRIBUTE_FIELD(L"weight", m_weight, ParseFloat, kNoRefresh)
    END_ATTRIBUTES_CHAIN(SObjectImpl<IObject>)

    float m_weight = 0.0f;
};

// Shaped like a window: an IObject first, counted through TObjRefImpl2.
class STestWidget : public SObjectImpl<IObject>, public TObjRefImpl2<IObjRef, STestWidget> {
public:
    SOBJECT_CLASS(SObjectImpl<IObject>, L"widget", kObjTypeWindow)

    explicit STestWidget(bool* destroyed = nullptr) : m_destroyed(destroyed) {}
    ~STestWidget() override
    {
        if (m_destroyed)
            *m_destroyed = true;
    }

    BEGIN_ATTRIBUTES(STestWidget)
        ATTRIBUTE_FIELD  (L"count",   m_count,   ParseInt,   kRefresh)
        ATTRIBUTE_FIELD  (L"enabled", m_enabled, ParseBool,  kNoRefresh)
        ATTRIBUTE_FIELD  (L"text",    m_text,    ParseText,  kRefresh)
        ATTRIBUTE_FIELD  (L"width",   m_width,   SLayoutDim, kRefresh)
        ATTRIBUTE_HANDLER(L"mode",    OnAttrMode)
    END_ATTRIBUTES_CHAIN(SObjectImpl<IObject>)

    // IObject overrides
    HRESULT AfterAttribute(const SStringW& name, const SStringW&, BOOL loading, HRESULT result) override
    {
        m_after.push_back(name.c_str());
        if (!loading && LOWORD(result) == S_OK)
            ++m_redraws;
        return result;
    }
    HRESULT DefAttributeProc(const SStringW& name, const SStringW& value, BOOL loading) override
    {
        const HRESULT result = m_param.ApplyAttribute(name, value, loading);
        return SUCCEEDED(result) ? result | kAttrTakenByLayoutParam : result;
    }
    void OnInitFinished(pugi::xml_node element) override { m_initElement = element.name(); }

    HRESULT OnAttrMode(const SStringW& value, BOOL)
    {
        if (value.CompareNoCase(L"fast") != 0 && value.CompareNoCase(L"slow") != 0)
            return E_INVALIDARG;
        m_mode = value;
        return kRefresh;
    }

    int m_count = 0;
    bool m_enabled = false;
    SStringW m_text;
    SLayoutDim m_width;
    SStringW m_mode;
    STestParam m_param;
    std::vector<std::wstring> m_after;
    int m_redraws = 0;
    std::wstring m_initElement;

private:
    bool* m_destroyed;
};

// A derived class: its own entries come first, the rest goes to the widget's map.
class STestButton : public STestWidget {
public:
    SOBJECT_CLASS(STestWidget, L"button", kObjTypeWindow)

    BEGIN_ATTRIBUTES(STestButton)
        ATTRIBUTE_FIELD(L"animate", m_animate, ParseBool, kNoRefresh)
        ATTRIBUTE_FIELD(L"text",    m_caption, ParseText, kNoRefresh)
    END_ATTRIBUTES_CHAIN(STestWidget)

    bool m_animate = false;
    SStringW m_caption;
};

// One entry of each kind that needs no application: a flag word, a pair, a reader,
// a setter and words, with the answer that depends on loading.
class STestEntries : public SObjectImpl<IObject> {
public:
    SOBJECT_CLASS(SObjectImpl<IObject>, L"entries", kObjTypeNone)

    static constexpr DWORD kBold = 0x4;
    static constexpr AttributeWord kSizes[] = {{L"small", 1}, {L"large", 3}, {L"huge", 3}};

    // The setter's answer is the entry's: its own refusal included.
    struct Range {
        HRESULT SetLow(const SStringW& value)
        {
            const std::optional<int> number = ParseInt(value);
            if (!number || *number < 0)
                return E_UNEXPECTED;
            low = *number;
            return kRefresh;
        }
        int low = 0;
    };

    // Two numbers "a,b"; refuses any other text.
    static bool ReadSpan(int (&span)[2], const SStringW& value)
    {
        int read[2] = {};
        if (swscanf(value.c_str(), L"%d,%d", &read[0], &read[1]) != 2)
            return false;
        span[0] = read[0];
        span[1] = read[1];
        return true;
    }

    BEGIN_ATTRIBUTES(STestEntries)
        ATTRIBUTE_FLAG  (L"bold",     m_style,   kBold,                           kNoRefresh)
        ATTRIBUTE_PAIR  (L"margin-x", m_left,    m_right,   ParseInt,             kRefreshOnceLoaded)
        ATTRIBUTE_READ  (L"span",     m_span,    ReadSpan,                        kRefresh)
        ATTRIBUTE_SETTER(L"low",      m_range,   SetLow)
        ATTRIBUTE_WORD  (L"size",     m_size,    kSizes,    kExactCase,           kRefresh)
        ATTRIBUTE_WORD  (L"anySize",  m_size,    kSizes,    kAnyCase,             kRefresh)
    END_ATTRIBUTES_CHAIN(SObjectImpl<IObject>)

    DWORD m_style = 0x1;
    int m_left = 0;
    int m_right = 0;
    int m_span[2] = {};
    Range m_range;
    int m_size = 0;
};

class SCounted : public TObjRefImpl<IObjRef> {
public:
    explicit SCounted(int* destroyed) : m_destroyed(destroyed) {}
    ~SCounted() override { ++*m_destroyed; }

private:
    int* m_destroyed;
};

pugi::xml_node Parse(pugi::xml_document& document, const wchar_t* xml)
{
    EXPECT_TRUE(document.load_string(xml));
    return document.first_child();
}

}  // namespace

TEST(ObjectReferences, StartAtOneAndDeleteOnTheLastRelease)
{
    bool destroyed = false;
    auto* widget = new STestWidget(&destroyed);
    EXPECT_EQ(2, widget->AddRef());
    EXPECT_EQ(1, widget->Release());
    EXPECT_FALSE(destroyed);
    EXPECT_EQ(0, widget->Release());
    EXPECT_TRUE(destroyed);

    int counted = 0;
    IObjRef* plain = new SCounted(&counted);
    EXPECT_EQ(2, plain->AddRef());
    plain->Release();
    EXPECT_EQ(0, plain->Release());
    EXPECT_EQ(1, counted);
}

TEST(SAutoRef, HoldsOneReferenceAndReleasesIt)
{
    int destroyed = 0;
    {
        auto first = SAutoRef<SCounted>::Adopt(new SCounted(&destroyed));   // takes the first reference
        SAutoRef<SCounted> second;
        second = first.Get();                  // adds one
        EXPECT_EQ(3, first->AddRef());
        first->Release();
        SAutoRef<SCounted> third(second);      // adds one
        second = second.Get();                 // assigning the held object keeps it
        EXPECT_EQ(4, first->AddRef());
        first->Release();
        SAutoRef<SCounted> moved(std::move(third));
        EXPECT_FALSE(third);
        second = nullptr;
        first.Attach(nullptr);
        EXPECT_EQ(0, destroyed);
    }
    EXPECT_EQ(1, destroyed);

    SCounted* const loose = new SCounted(&destroyed);
    {
        SAutoRef<SCounted> holder = SAutoRef<SCounted>::Adopt(loose);
        EXPECT_EQ(loose, holder.Detach());   // gives the reference back
    }
    EXPECT_EQ(0, loose->Release());
    EXPECT_EQ(2, destroyed);
}

TEST(ObjectClass, IsClassIsExactAndCastsFollowIt)
{
    auto button = SAutoRef<STestButton>::Adopt(new STestButton);
    IObject* const object = button.Get();
    EXPECT_STREQ(L"button", object->GetObjectClass());
    EXPECT_EQ(kObjTypeWindow, object->GetObjectType());
    EXPECT_TRUE(object->IsClass(L"button"));
    EXPECT_TRUE(object->IsClass(L"widget"));
    EXPECT_FALSE(object->IsClass(L"Widget"));   // case-sensitive
    EXPECT_FALSE(object->IsClass(L"testParam"));

    EXPECT_EQ(button.Get(), SObjCast<STestButton>(object));
    EXPECT_EQ(static_cast<STestWidget*>(button.Get()), SObjCast<STestWidget>(object));
    EXPECT_EQ(nullptr, SObjCast<STestParam>(object));
    EXPECT_EQ(nullptr, SObjCast<STestWidget>(static_cast<IObject*>(nullptr)));

    auto widget = SAutoRef<STestWidget>::Adopt(new STestWidget);
    EXPECT_EQ(nullptr, SObjCast<STestButton>(static_cast<IObject*>(widget.Get())));
}

TEST(ObjectDefaults, AnObjectWithoutAMapKnowsNothing)
{
    SObjectImpl<IObject> object;
    EXPECT_FALSE(object.IsClass(L"object"));
    EXPECT_EQ(nullptr, object.GetObjectClass());
    EXPECT_EQ(kObjTypeNone, object.GetObjectType());
    EXPECT_EQ(0, object.GetID());
    EXPECT_EQ(nullptr, object.GetName());
    EXPECT_TRUE(object.GetAttribute(L"text").IsEmpty());
    EXPECT_EQ(E_FAIL, object.ApplyAttribute(L"text", L"x", FALSE));
    EXPECT_EQ(S_FALSE, object.AfterAttribute(L"text", L"x", FALSE, S_FALSE));
    EXPECT_FALSE(object.BuildFromXml(pugi::xml_node()));
}

TEST(AttributeMap, SettersAnswerWithTheResultCodes)
{
    auto widget = SAutoRef<STestWidget>::Adopt(new STestWidget);
    const struct {
        const wchar_t* name;
        const wchar_t* value;
        HRESULT result;
    } cases[] = {
        {L"count",   L"5",     S_OK},
        {L"COUNT",   L"0x1A",  S_OK},
        {L"count",   L"many",  E_INVALIDARG},             // unreadable: the field keeps 26
        {L"count",   L"",      E_INVALIDARG},
        {L"Enabled", L"1",     S_FALSE},
        {L"enabled", L"yes",   E_INVALIDARG},             // stays true
        {L"mode",    L"Fast",  S_OK},
        {L"MODE",    L"bogus", E_INVALIDARG},             // the handler's own answer
        {L"weight",  L"1.5",   S_FALSE | kAttrTakenByLayoutParam},
        {L"weight",  L"heavy", E_INVALIDARG},             // the parameter's own refusal; 1.5 stays
        {L"unknown", L"1",     E_FAIL},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.name << "=" << c.value);
        EXPECT_EQ(c.result, widget->ApplyAttribute(c.name, c.value, FALSE));
    }
    EXPECT_EQ(26, widget->m_count);
    EXPECT_TRUE(widget->m_enabled);
    EXPECT_TRUE(widget->m_mode == L"Fast");
    EXPECT_FLOAT_EQ(1.5f, widget->m_param.m_weight);
    // Every matched entry went through AfterAttribute, the others did not.
    EXPECT_EQ((std::vector<std::wstring>{L"count", L"COUNT", L"count", L"count", L"Enabled", L"enabled", L"mode",
                                         L"MODE"}),
              widget->m_after);
    EXPECT_EQ(3, widget->m_redraws);
}

TEST(AttributeMap, BuildsFromAnElementInAnyLetterCase)
{
    pugi::xml_document document;
    const pugi::xml_node element = Parse(document,
        L"<widget COUNT=\"0x10\" Enabled=\"1\" text=\"立即安装\" WIDTH=\"10dp\" mode=\"slow\" Weight=\"2.5\" other=\"x\"/>");
    auto widget = SAutoRef<STestWidget>::Adopt(new STestWidget);
    EXPECT_TRUE(widget->BuildFromXml(element));
    EXPECT_EQ(16, widget->m_count);
    EXPECT_TRUE(widget->m_enabled);
    EXPECT_TRUE(widget->m_text == L"立即安装");
    EXPECT_EQ(kUnitDp, widget->m_width.GetUnit());
    EXPECT_EQ(13, widget->m_width.ToPixelSize(125));
    EXPECT_TRUE(widget->m_mode == L"slow");
    EXPECT_FLOAT_EQ(2.5f, widget->m_param.m_weight);
    EXPECT_EQ(0, widget->m_redraws);   // loading refreshes nothing
    EXPECT_EQ(L"widget", widget->m_initElement);
}

TEST(AttributeMap, BuildSkipsAttributesMarkedInTheirUserData)
{
    pugi::xml_document document;
    const pugi::xml_node element = Parse(document, L"<widget count=\"1\" text=\"b\"/>");
    element.attribute(L"text").set_userdata(1);

    auto widget = SAutoRef<STestWidget>::Adopt(new STestWidget);
    widget->BuildFromXml(element);
    EXPECT_EQ(1, widget->m_count);
    EXPECT_TRUE(widget->m_text.IsEmpty());

    element.attribute(L"text").set_userdata(0);
    widget->BuildFromXml(element);
    EXPECT_TRUE(widget->m_text == L"b");
}

TEST(AttributeMap, DerivedEntriesComeFirstAndTheRestChainsToTheBase)
{
    pugi::xml_document document;
    const pugi::xml_node element = Parse(document, L"<button Text=\"确定\" animate=\"1\" count=\"3\"/>");
    auto button = SAutoRef<STestButton>::Adopt(new STestButton);
    button->BuildFromXml(element);
    EXPECT_TRUE(button->m_caption == L"确定");
    EXPECT_TRUE(button->m_text.IsEmpty());   // the base's "text" never saw it
    EXPECT_TRUE(button->m_animate);
    EXPECT_EQ(3, button->m_count);
    EXPECT_EQ(S_FALSE, button->ApplyAttribute(L"TEXT", L"取消", FALSE));
}

TEST(AttributeMap, EntriesStoreFlagsPairsReadersSettersAndWords)
{
    STestEntries entries;
    const struct {
        const wchar_t* name;
        const wchar_t* value;
        BOOL loading;
        HRESULT result;
        DWORD style;
        int left, right, spanEnd, low, size;
    } cases[] = {
        {L"bold",     L"1",     FALSE, S_FALSE,      0x5, 0, 0, 0, 0, 0},
        {L"Bold",     L"0x10",  FALSE, S_FALSE,      0x5, 0, 0, 0, 0, 0},   // not 0: the bit stays set
        {L"bold",     L"0",     FALSE, S_FALSE,      0x1, 0, 0, 0, 0, 0},   // cleared; the other bits kept
        {L"bold",     L"yes",   FALSE, E_INVALIDARG, 0x1, 0, 0, 0, 0, 0},
        {L"margin-x", L"7",     TRUE,  S_FALSE,      0x1, 7, 7, 0, 0, 0},   // nothing to show while loading
        {L"margin-x", L"0x8",   FALSE, S_OK,         0x1, 8, 8, 0, 0, 0},
        {L"margin-x", L"wide",  FALSE, E_INVALIDARG, 0x1, 8, 8, 0, 0, 0},
        {L"span",     L"2,9",   FALSE, S_OK,         0x1, 8, 8, 9, 0, 0},
        {L"span",     L"2",     FALSE, E_INVALIDARG, 0x1, 8, 8, 9, 0, 0},   // the reader's refusal
        {L"low",      L"4",     FALSE, S_OK,         0x1, 8, 8, 9, 4, 0},
        {L"low",      L"-1",    FALSE, E_UNEXPECTED, 0x1, 8, 8, 9, 4, 0},   // the setter's own answer
        {L"size",     L"large", FALSE, S_OK,         0x1, 8, 8, 9, 4, 3},
        {L"size",     L"Small", FALSE, E_FAIL,       0x1, 8, 8, 9, 4, 3},   // compared exactly
        {L"anySize",  L"SMALL", FALSE, S_OK,         0x1, 8, 8, 9, 4, 1},
        {L"anySize",  L"tiny",  FALSE, E_FAIL,       0x1, 8, 8, 9, 4, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.name << "=" << c.value);
        EXPECT_EQ(c.result, entries.ApplyAttribute(c.name, c.value, c.loading));
        EXPECT_EQ(c.style, entries.m_style);
        EXPECT_EQ(c.left, entries.m_left);
        EXPECT_EQ(c.right, entries.m_right);
        EXPECT_EQ(c.spanEnd, entries.m_span[1]);
        EXPECT_EQ(c.low, entries.m_range.low);
        EXPECT_EQ(c.size, entries.m_size);
    }
}

TEST(AttributeMap, NarrowNamesAndValuesAreInTheAnsiCodePage)
{
    auto widget = SAutoRef<STestWidget>::Adopt(new STestWidget);
    EXPECT_EQ(S_OK, widget->ApplyAttributeA("Text", "\xD6\xD0\xCE\xC4", FALSE));   // 中文 in code page 936
    EXPECT_TRUE(widget->m_text == L"中文");
    EXPECT_EQ(S_OK, widget->ApplyAttributePszA("text", nullptr, FALSE));
    EXPECT_TRUE(widget->m_text.IsEmpty());
    EXPECT_EQ(E_FAIL, widget->ApplyAttributePszA(nullptr, "1", FALSE));
}

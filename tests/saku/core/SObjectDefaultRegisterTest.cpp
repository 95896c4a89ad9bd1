// The default registrar: every class of the library that exists is registered
// under its tag and type with its base class, and nothing else is.

#include "core/SAutoRef.h"
#include "core/SObjectDefaultRegister.h"
#include "core/SObjectFactoryMgr.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <memory>

using namespace SAKU;

namespace {

// A new object holds its one reference: deleting it is its final release.
using NewObject = std::unique_ptr<IObject>;

}  // namespace

TEST(SObjectDefaultRegister, RegistersEachClassOfTheLibraryWithItsBase)
{
    SObjectFactoryMgr factories;
    auto registrar = SAutoRef<ISystemObjectRegister>::Adopt(new SObjectDefaultRegister);
    registrar->RegisterLayouts(&factories);
    registrar->RegisterSkins(&factories);
    registrar->RegisterWindows(&factories);
    registrar->RegisterInterpolators(&factories);

    const struct {
        const wchar_t* tag;
        int type;
        const wchar_t* base;
    } classes[] = {
        {L"SakuLayout",           kObjTypeLayout,       L"object"},
        {L"linearLayout",         kObjTypeLayout,       L"object"},
        {L"hbox",                 kObjTypeLayout,       L"linearLayout"},
        {L"vbox",                 kObjTypeLayout,       L"linearLayout"},
        {L"gridLayout",           kObjTypeLayout,       L"object"},
        {L"imglist",              kObjTypeSkin,         L"skinObjBase"},
        {L"imgframe",             kObjTypeSkin,         L"imglist"},
        {L"imgframe2",            kObjTypeSkin,         L"imgframe"},
        {L"button",               kObjTypeSkin,         L"skinObjBase"},
        {L"gradation",            kObjTypeSkin,         L"skinObjBase"},
        {L"scrollbar",            kObjTypeSkin,         L"imglist"},
        {L"colorrect",            kObjTypeSkin,         L"skinObjBase"},
        {L"shape",                kObjTypeSkin,         L"skinObjBase"},
        {L"group",                kObjTypeSkin,         L"skinObjBase"},
        {L"window",               kObjTypeWindow,       L"object"},
        {L"text",                 kObjTypeWindow,       L"window"},
        {L"button",               kObjTypeWindow,       L"window"},
        {L"imgbtn",               kObjTypeWindow,       L"button"},
        {L"link",                 kObjTypeWindow,       L"window"},
        {L"realwnd",              kObjTypeWindow,       L"window"},
        {L"caption",              kObjTypeWindow,       L"window"},
        {L"tabctrl",              kObjTypeWindow,       L"window"},
        {L"page",                 kObjTypeWindow,       L"window"},
        {L"div",                  kObjTypeWindow,       L"window"},
        {L"scrollview",           kObjTypeWindow,       L"div"},
        {L"listview",             kObjTypeWindow,       L"div"},
        {L"listbox",              kObjTypeWindow,       L"scrollview"},
        {L"treectrl",             kObjTypeWindow,       L"scrollview"},
        {L"tileview",             kObjTypeWindow,       L"div"},
        {L"treeview",             kObjTypeWindow,       L"div"},
        {L"check",                kObjTypeWindow,       L"window"},
        {L"radio",                kObjTypeWindow,       L"window"},
        {L"toggle",               kObjTypeWindow,       L"window"},
        {L"group",                kObjTypeWindow,       L"window"},
        {L"img",                  kObjTypeWindow,       L"window"},
        {L"icon",                 kObjTypeWindow,       L"window"},
        {L"hr",                   kObjTypeWindow,       L"window"},
        {L"progress",             kObjTypeWindow,       L"window"},
        {L"animateimg",           kObjTypeWindow,       L"window"},
        {L"header",               kObjTypeWindow,       L"window"},
        {L"listctrl",             kObjTypeWindow,       L"div"},
        {L"mclistview",           kObjTypeWindow,       L"div"},
        {L"richedit",             kObjTypeWindow,       L"div"},
        {L"edit",                 kObjTypeWindow,       L"richedit"},
        {L"pane",                 kObjTypeWindow,       L"window"},
        {L"splitwnd",             kObjTypeWindow,       L"window"},
        {L"splitcol",             kObjTypeWindow,       L"splitwnd"},
        {L"splitrow",             kObjTypeWindow,       L"splitwnd"},
        {L"hotkey",               kObjTypeWindow,       L"window"},
        {L"sliderbar",            kObjTypeWindow,       L"progress"},
        {L"scrollbar",            kObjTypeWindow,       L"window"},
        {L"spinButton",           kObjTypeWindow,       L"window"},
        {L"spin",                 kObjTypeWindow,       L"window"},
        {L"activex",              kObjTypeWindow,       L"window"},
        {L"flash",                kObjTypeWindow,       L"activex"},
        {L"menubar",              kObjTypeWindow,       L"window"},
        {L"combobox",             kObjTypeWindow,       L"combobase"},
        {L"comboview",            kObjTypeWindow,       L"combobase"},
        {L"Linear",               kObjTypeInterpolator, L"interpolator_base"},
        {L"Accelerate",           kObjTypeInterpolator, L"interpolator_base"},
        {L"Decelerate",           kObjTypeInterpolator, L"interpolator_base"},
        {L"AccelerateDecelerate", kObjTypeInterpolator, L"interpolator_base"},
        {L"Anticipate",           kObjTypeInterpolator, L"interpolator_base"},
        {L"AnticipateOvershoot",  kObjTypeInterpolator, L"interpolator_base"},
        {L"Bounce",               kObjTypeInterpolator, L"interpolator_base"},
        {L"Cycle",                kObjTypeInterpolator, L"interpolator_base"},
        {L"Overshoot",            kObjTypeInterpolator, L"interpolator_base"},
    };
    for (const auto& c : classes) {
        SCOPED_TRACE(c.tag);
        const NewObject object(factories.CreateObject(SObjectInfo(c.tag, c.type)));
        ASSERT_TRUE(object);
        EXPECT_STREQ(c.tag, object->GetObjectClass());
        EXPECT_EQ(c.type, object->GetObjectType());
        if (wcscmp(c.base, L"object") != 0) {   // the root of the classes is no class of its own
            EXPECT_TRUE(object->IsClass(c.base));
        }
        const SObjectInfo base = factories.BaseObjectInfo(SObjectInfo(c.tag, c.type));
        EXPECT_EQ(SObjectInfo(c.base, c.type), base);
    }
    // Each key of the table is distinct, so this says that nothing else is registered.
    EXPECT_EQ(static_cast<int>(std::size(classes)), factories.GetFactoryCount());
}

// The library's XML name lookups: every one matches names in any letter case, and
// values exactly.

#include "core/SXmlLookup.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

using namespace SAKU;

namespace {

const wchar_t kLayout[] =
    L"<window Layout=\"vbox\" CLASS=\"s1\">"
    L"  <Button name=\"a\"/>"
    L"  <TEXT id=\"t\">安装目录</TEXT>"
    L"  <button NAME=\"b\"/>"
    L"</window>";

// What a lookup found, as "element" or "attribute=value"; "-" for nothing.
std::wstring Found(const pugi::xml_node& node)
{
    return node ? std::wstring(node.name()) + L"@" + node.first_attribute().value() : L"-";
}

std::wstring Found(const pugi::xml_attribute& attribute)
{
    return attribute ? std::wstring(attribute.name()) + L"=" + attribute.value() : L"-";
}

}  // namespace

TEST(SXmlLookup, NamesMatchInAnyCaseAndValuesExactly)
{
    pugi::xml_document document;
    ASSERT_TRUE(document.load_string(kLayout));
    const pugi::xml_node window = XmlChild(document, L"WINDOW");
    ASSERT_TRUE(window);
    const pugi::xml_node first = window.first_child();
    const pugi::xml_node last = window.last_child();

    const struct {
        const char* lookup;
        std::function<std::wstring()> find;
        const wchar_t* expected;
    } cases[] = {
        {"attribute", [&] { return Found(XmlAttribute(window, L"layout")); }, L"Layout=vbox"},
        {"attribute in capitals", [&] { return Found(XmlAttribute(window, L"CLASS")); }, L"CLASS=s1"},
        {"attribute written in capitals", [&] { return Found(XmlAttribute(window, L"class")); }, L"CLASS=s1"},
        {"absent attribute", [&] { return Found(XmlAttribute(window, L"size")); }, L"-"},
        {"child", [&] { return Found(XmlChild(window, L"BUTTON")); }, L"Button@a"},
        {"child written in capitals", [&] { return Found(XmlChild(window, L"text")); }, L"TEXT@t"},
        {"next sibling", [&] { return Found(XmlNextSibling(first, L"Button")); }, L"button@b"},
        {"previous sibling", [&] { return Found(XmlPreviousSibling(last, L"bUtToN")); }, L"Button@a"},
        {"child by attribute", [&] { return Found(XmlFindChildByAttribute(window, L"BUTTON", L"name", L"b")); },
         L"button@b"},
        {"child by attribute, value in capitals",
         [&] { return Found(XmlFindChildByAttribute(window, L"button", L"NAME", L"B")); }, L"-"},
        {"any child by attribute", [&] { return Found(XmlFindChildByAttribute(window, L"ID", L"t")); }, L"TEXT@t"},
        {"any child by attribute, value in capitals",
         [&] { return Found(XmlFindChildByAttribute(window, L"id", L"T")); }, L"-"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lookup);
        EXPECT_EQ(c.expected, c.find());
    }
}

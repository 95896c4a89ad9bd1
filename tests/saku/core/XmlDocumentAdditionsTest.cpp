// What the UI library adds to pugixml's document model: user data on every
// element and attribute, and name lookups that ignore letter case.

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <functional>
#include <string>

namespace {

const wchar_t kLayout[] =
    L"<window Layout=\"vbox\" CLASS=\"s1\" size=\"340,420\">"
    L"  <Button name=\"a\"/>"
    L"  <TEXT id=\"t\">安装目录</TEXT>"
    L"  <button NAME=\"b\"/>"
    L"</window>";

void ForEachRecord(pugi::xml_node node, const std::function<void(pugi::xml_node)>& visit)
{
    visit(node);
    for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling())
        ForEachRecord(child, visit);
}

}  // namespace

TEST(XmlUserData, IsZeroWhenParsedOrAddedAndKeptWhenSet)
{
    pugi::xml_document document;
    ASSERT_TRUE(document.load_string(kLayout));
    int records = 0;
    ForEachRecord(document, [&records](pugi::xml_node node) {
        EXPECT_EQ(0, node.get_userdata()) << node.name();
        ++records;
        for (pugi::xml_attribute attribute : node.attributes()) {
            EXPECT_EQ(0, attribute.get_userdata()) << attribute.name();
            ++records;
        }
    });
    EXPECT_EQ(12, records);   // the document, 4 elements, 1 text and 6 attributes

    pugi::xml_node window = document.child(L"window");
    pugi::xml_attribute layout = window.attribute(L"Layout");
    EXPECT_TRUE(layout.set_userdata(1));
    EXPECT_EQ(1, layout.get_userdata());
    EXPECT_EQ(1, window.attribute(L"Layout").get_userdata());   // on the record, not the handle
    EXPECT_EQ(0, window.attribute(L"CLASS").get_userdata());
    EXPECT_TRUE(layout.set_userdata(0));
    EXPECT_EQ(0, layout.get_userdata());

    EXPECT_EQ(0, window.append_attribute(L"added").get_userdata());
    EXPECT_EQ(0, window.append_child(L"added").get_userdata());
    pugi::xml_node copy = document.append_copy(window);
    EXPECT_EQ(0, copy.attribute(L"Layout").get_userdata());
}

TEST(XmlUserData, EmptyHandlesAnswerZeroAndFalse)
{
    pugi::xml_attribute attribute;
    EXPECT_EQ(0, attribute.get_userdata());
    EXPECT_FALSE(attribute.set_userdata(1));
    EXPECT_EQ(0, pugi::xml_node().get_userdata());
}

TEST(XmlNameLookup, IgnoresLetterCaseWhenAsked)
{
    pugi::xml_document document;
    ASSERT_TRUE(document.load_string(kLayout));
    const pugi::xml_node window = document.child(L"WINDOW", false);
    ASSERT_TRUE(window);
    EXPECT_FALSE(document.child(L"WINDOW"));   // pugixml's own lookups stay exact

    EXPECT_STREQ(L"vbox", window.attribute(L"layout", false).value());
    EXPECT_STREQ(L"s1", window.attribute(L"class", false).value());
    EXPECT_FALSE(window.attribute(L"layout"));
    EXPECT_FALSE(window.attribute(L"layout", true));

    const pugi::xml_node first = window.child(L"button", false);
    EXPECT_STREQ(L"Button", first.name());
    EXPECT_STREQ(L"button", window.child(L"button").name());
    EXPECT_STREQ(L"TEXT", first.next_sibling(L"text", false).name());
    EXPECT_FALSE(first.next_sibling(L"text"));
    const pugi::xml_node last = window.last_child();
    EXPECT_STREQ(L"Button", last.previous_sibling(L"BUTTON", false).name());
    EXPECT_FALSE(last.previous_sibling(L"BUTTON"));

    // Names ignore case; values compare exactly.
    EXPECT_STREQ(L"button", window.find_child_by_attribute(L"BUTTON", L"name", L"b", false).name());
    EXPECT_STREQ(L"TEXT", window.find_child_by_attribute(L"Id", L"t", false).name());
    EXPECT_FALSE(window.find_child_by_attribute(L"Id", L"T", false));
    EXPECT_FALSE(window.find_child_by_attribute(L"Id", L"t"));
}

TEST(XmlNameLookup, HintedAttributeLookupStillResolves)
{
    pugi::xml_document document;
    ASSERT_TRUE(document.load_string(kLayout));
    const pugi::xml_node window = document.child(L"window");
    pugi::xml_attribute hint;
    EXPECT_STREQ(L"s1", window.attribute(L"CLASS", hint).value());
    EXPECT_STREQ(L"size", hint.name());
}

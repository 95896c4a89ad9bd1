// pugixml as the UI library links it: the wide-character build, reading layouts
// with Chinese text.

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <string>
#include <type_traits>

static_assert(std::is_same_v<pugi::char_t, wchar_t>, "pugixml must be built and used in wide-character mode");

TEST(XmlLibrary, ParsesUtf8DocumentWithChineseText)
{
    const std::string layout =
        "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
        "<window size=\"340,420\"><button name=\"btn_install\" text=\"立即安装\"/><text>安装目录：</text></window>";
    pugi::xml_document document;
    const pugi::xml_parse_result result = document.load_buffer(layout.data(), layout.size());
    ASSERT_TRUE(result) << result.description();
    const pugi::xml_node button = document.child(L"window").child(L"button");
    EXPECT_STREQ(L"btn_install", button.attribute(L"name").value());
    EXPECT_STREQ(L"立即安装", button.attribute(L"text").value());
    EXPECT_STREQ(L"安装目录：", document.child(L"window").child(L"text").text().get());
}

TEST(XmlLibrary, ParsesUtf16DocumentAndReportsMalformedOne)
{
    const std::wstring layout = L"\xFEFF<string><item name=\"title\" value=\"提示\"/></string>";
    pugi::xml_document document;
    ASSERT_TRUE(document.load_buffer(layout.data(), layout.size() * sizeof(wchar_t), pugi::parse_default, pugi::encoding_utf16_le));
    EXPECT_STREQ(L"提示", document.child(L"string").child(L"item").attribute(L"value").value());

    pugi::xml_document broken;
    const std::string text = "<window><button></window>";
    EXPECT_EQ(pugi::status_end_element_mismatch, broken.load_buffer(text.data(), text.size()).status);
}

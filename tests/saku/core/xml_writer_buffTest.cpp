// The fixed-buffer writer: prints a node into text, and drops whole pieces past
// its limit of 20479 characters.

#include "core/xml_writer_buff.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace {

std::wstring Print(pugi::xml_node node)
{
    std::wostringstream stream;
    node.print(stream, L"", pugi::format_raw);
    return stream.str();
}

}  // namespace

TEST(XmlWriterBuff, HoldsWhatANodePrints)
{
    pugi::xml_document document;
    ASSERT_TRUE(document.load_string(L"<font face=\"宋体\" size=\"12\" bold=\"1\"/>"));
    pugi::xml_writer_buff writer;
    EXPECT_STREQ(L"", writer.buffer());
    document.first_child().print(writer, L"", pugi::format_raw, pugi::encoding_wchar);
    EXPECT_EQ(Print(document.first_child()), writer.buffer());
    EXPECT_EQ(wcslen(writer.buffer()), writer.size());
}

TEST(XmlWriterBuff, DropsAWholePieceThatPassesTheLimit)
{
    const std::wstring full(20479, L'a');
    pugi::xml_writer_buff writer;
    writer.write(full.data(), full.size() * sizeof(wchar_t));
    EXPECT_EQ(20479u, writer.size());
    writer.write(L"b", sizeof(wchar_t));
    EXPECT_EQ(20479u, writer.size());
    EXPECT_EQ(full, writer.buffer());

    pugi::xml_writer_buff pieces;
    const std::wstring most(20000, L'x');
    pieces.write(most.data(), most.size() * sizeof(wchar_t));
    const std::wstring tooMany(480, L'y');
    pieces.write(tooMany.data(), tooMany.size() * sizeof(wchar_t));   // 20480: dropped
    EXPECT_EQ(20000u, pieces.size());
    pieces.write(tooMany.data(), (tooMany.size() - 1) * sizeof(wchar_t) + 1);   // 479 and an odd byte
    EXPECT_EQ(20479u, pieces.size());
    EXPECT_EQ(most + std::wstring(479, L'y'), pieces.buffer());
}

TEST(XmlWriterBuff, LosesTheWholePieceThatWouldOverflowAPrint)
{
    // pugixml hands the long value over as one piece: it goes, the pieces around it stay.
    pugi::xml_document document;
    pugi::xml_node item = document.append_child(L"item");
    item.append_attribute(L"text") = std::wstring(30000, L'字').c_str();
    ASSERT_EQ(30015u, Print(item).size());

    pugi::xml_writer_buff writer;
    item.print(writer, L"", pugi::format_raw, pugi::encoding_wchar);
    EXPECT_STREQ(L"<item text=\"\"/>", writer.buffer());
}

#include "InstallerTest.h"

#include "ImgDecoderChooser.h"

#include <cwchar>
#include <string>

using namespace SAKU;
using namespace installer_test;

class NamedIdsTest : public InstallerTest {};

TEST_F(NamedIdsTest, TableIsInCodeUnitOrderAndEveryNameResolves)
{
    ASSERT_EQ(53u, kNamedIds.size());
    EXPECT_STREQ(L"_name_start", kNamedIds[0].name);
    EXPECT_EQ(65535, kNamedIds[0].value);
    for (size_t i = 1; i < kNamedIds.size(); ++i)
        EXPECT_LT(wcscmp(kNamedIds[i - 1].name, kNamedIds[i].name), 0) << std::wstring(kNamedIds[i].name).c_str();
    // The lookups search the table by halves as it was handed in.
    for (const auto& entry : kNamedIds) {
        SCOPED_TRACE(testing::Message() << std::wstring(entry.name).c_str());
        EXPECT_EQ(entry.value, App().Name2ID(entry.name));
    }
}

TEST_F(NamedIdsTest, IdsThatLayoutsShareOrSetThemselves)
{
    const struct { const wchar_t* name; int id; } cases[] = {
        {L"btnSwitch", 2001},   // upper-case 'S' sorts before '_'
        {L"btn_back", 65560},
        {L"btn_next_to_choose_res_directory", 2001},
        {L"select_dir_button", 1002},
        {L"select_bizhidir_button", 1002},
        {L"tab_main", 10086},
        {L"page_okcancle_btn_cancle", 65568},
        {L"Btn_back", 0},       // names are exact
        {L"no_such_name", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << std::wstring(c.name).c_str());
        EXPECT_EQ(c.id, App().Name2ID(c.name));
    }
}

TEST(ImgDecoderChooser, MakesTheModuleNamedExactly)
{
    const struct { const wchar_t* name; BOOL made; } cases[] = {
        {L"imgdecoder-gdip", TRUE}, {L"imgdecoder-png", TRUE}, {L"imgdecoder-stb", TRUE},
        {L"imgdecoder-GDIP", FALSE}, {L"imgdecoder-gdip ", FALSE}, {L"", FALSE}, {L"gdip", FALSE},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "'" << std::wstring(c.name).c_str() << "'");
        IImgDecoderFactory* const untouched = reinterpret_cast<IImgDecoderFactory*>(0x1234);
        IImgDecoderFactory* factory = untouched;
        EXPECT_EQ(c.made, ChooseImgDecoder(SStringW(c.name), &factory));
        if (c.made) {
            ASSERT_NE(untouched, factory);
            ASSERT_TRUE(factory);
            factory->Release();
        } else {
            EXPECT_EQ(untouched, factory);
        }
    }
}

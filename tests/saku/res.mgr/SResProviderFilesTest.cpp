// The providers on their own: a folder described by its index file, found in any
// letter case and refusing keys longer than the index's fields, and both kinds
// loading every sort of resource, an image without a frame refused.

#include "../core/SakuAppTest.h"
#include "IconLook.h"
#include "ScratchDir.h"

#include "GdiHandles.h"
#include "render/IImgDecoder.h"

#include <gtest/gtest.h>

#include <string>

using namespace SAKU;
using saku_test::LookAt;
using saku_test::SakuAppTest;
using tivala::test::ScratchDir;

namespace {

// A folder holding copies of the program's test files under names of its own.
class SResProviderFilesTest : public SakuAppTest {
protected:
    void SetUp() override
    {
        SakuAppTest::SetUp();
        AddProgramResources();
        const struct {
            const wchar_t* type;
            const wchar_t* name;
            const wchar_t* file;
        } kCopies[] = {
            {L"PNG",     L"STATES_H",   L"img\\states.png"},
            {L"PNG",     L"NOTIMAGE",   L"img\\notimage.png"},
            {L"RAWFILE", L"ICON_ICO",   L"icon.ico"},
            {L"RAWFILE", L"CURSOR_CUR", L"cursor.cur"},
            {L"RAWFILE", L"ANI_ANI",    L"animated.ani"},
            {L"RAWFILE", L"BITMAP_BMP", L"bitmap.bmp"},
        };
        for (const auto& copy : kCopies) {
            const std::string bytes = RawData(copy.type, copy.name);
            ASSERT_FALSE(bytes.empty());
            ASSERT_TRUE(m_scratch.Write(copy.file, bytes));
        }
        App().RemoveAllResProviders();
    }

    // A folder provider over the scratch folder with `index` as its index file.
    SAutoRef<IResProvider> Open(const std::string& index, BOOL* opened = nullptr)
    {
        EXPECT_TRUE(m_scratch.Write(L"uires.idx", index));
        SAutoRef<IResProvider> provider;
        EXPECT_TRUE(CreateResProvider(kResProviderFiles, provider.Put()));
        const BOOL result = provider->Init(reinterpret_cast<WPARAM>(m_scratch.Path().c_str()), 0);
        if (opened)
            *opened = result;
        return provider;
    }

    ScratchDir m_scratch;
};

}  // namespace

TEST_F(SResProviderFilesTest, FindsIndexEntriesInAnyCase)
{
    const auto folder = Open(R"(<?xml version="1.0" encoding="utf-8"?>
<resource>
  <PNG><file name="States_H" path="img\states.png"/></PNG>
  <layout><FILE NAME="MAIN" PATH="img\states.png"/></layout>
  <png><file name="twice" path="img\notimage.png"/><file name="TWICE" path="img\states.png"/></png>
  <png><file name="nameless"/></png>
</resource>)");
    const struct {
        const wchar_t* type;
        const wchar_t* name;
        bool held;
    } cases[] = {
        {L"png", L"states_h", true}, {L"PNG", L"STATES_H", true}, {L"Png", L"States_h", true},
        {L"LAYOUT", L"main", true}, {L"layout", L"Main", true},
        {L"png", L"main", false}, {L"layout", L"states_h", false}, {L"png", L"", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.held, folder->HasResource(c.type, c.name) != FALSE) << c.type << L":" << c.name;

    const auto states = SAutoRef<IBitmap>::Adopt(folder->LoadImage(L"PNG", L"states_h"));
    ASSERT_TRUE(states);
    EXPECT_EQ(90, states->Width());
    // The later of two entries with one key wins.
    const auto twice = SAutoRef<IBitmap>::Adopt(folder->LoadImage(L"png", L"twice"));
    EXPECT_TRUE(twice);
    // An entry without a path names no file.
    EXPECT_TRUE(folder->HasResource(L"png", L"nameless"));
    EXPECT_EQ(0u, folder->GetRawDataSize(L"png", L"nameless"));
    EXPECT_FALSE(SAutoRef<IBitmap>::Adopt(folder->LoadImage(L"png", L"nameless")));
}

TEST_F(SResProviderFilesTest, OpensOnlyAFolderWithAnIndexRootedInResource)
{
    const struct {
        const char* what;
        const char* index;
        BOOL opened;
    } cases[] = {
        {"a good index",      "<resource/>",                 TRUE},
        {"root in any case",  "<RESOURCE><png/></RESOURCE>", TRUE},
        {"another root",      "<resources/>",                FALSE},
        {"no XML",            "PNG states img\\states.png", FALSE},
        {"an empty file",     "",                            FALSE},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        BOOL opened = FALSE;
        Open(c.index, &opened);
        EXPECT_EQ(c.opened, opened);
    }
    SAutoRef<IResProvider> provider;
    ASSERT_TRUE(CreateResProvider(kResProviderFiles, provider.Put()));
    EXPECT_FALSE(provider->Init(reinterpret_cast<WPARAM>(m_scratch.File(L"nowhere").c_str()), 0));
    EXPECT_FALSE(provider->Init(0, 0));
}

TEST_F(SResProviderFilesTest, KeysLongerThanTheIndexFieldsAreNeverStoredNorFound)
{
    const std::string type29(29, 't');
    const std::string type30(30, 't');
    const std::string name99(99, 'n');
    const std::string name100(100, 'n');
    std::string index = "<resource>";
    for (const auto& type : {type29, type30}) {
        index += "<" + type + ">";
        for (const auto& name : {name99, name100})
            index += "<file name=\"" + name + "\" path=\"img\\states.png\"/>";
        index += "</" + type + ">";
    }
    index += "</resource>";
    const auto folder = Open(index);

    const auto wide = [](const std::string& text) { return std::wstring(text.begin(), text.end()); };
    const struct {
        std::wstring type;
        std::wstring name;
        bool held;
    } cases[] = {
        {wide(type29), wide(name99), true},
        {wide(type29), wide(name100), false},
        {wide(type30), wide(name99), false},
        {wide(type30), wide(name100), false},
        {wide(type29), wide(std::string(5000, 'n')), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.type.size() << " x " << c.name.size());
        EXPECT_EQ(c.held, folder->HasResource(c.type.c_str(), c.name.c_str()) != FALSE);
        EXPECT_EQ(c.held, folder->GetRawDataSize(c.type.c_str(), c.name.c_str()) != 0);
    }
}

// Data that decodes to no frame is no image: it never comes back as a 0 x 0
// bitmap that would replace a good one.
TEST_F(SResProviderFilesTest, BothKindsLoadEverySortOfResourceAndRefuseAnImageWithoutAFrame)
{
    const auto folder = Open(R"(<resource>
  <icon><file name="logo" path="icon.ico"/></icon>
  <cursor><file name="pointer" path="cursor.cur"/><file name="busy" path="animated.ani"/></cursor>
  <bitmap><file name="bk" path="bitmap.bmp"/></bitmap>
  <png><file name="states" path="img\states.png"/><file name="broken" path="img\notimage.png"/></png>
</resource>)");
    const SAutoRef<IResProvider> program(AddProgramResources());
    const struct {
        const char* kind;
        IResProvider* provider;
        const wchar_t* icon;
        const wchar_t* cursor;
        const wchar_t* animated;
        const wchar_t* bitmap;
        const wchar_t* image;
        const wchar_t* broken;
    } cases[] = {
        {"a folder", folder.Get(), L"LOGO", L"pointer", L"busy", L"bk", L"states", L"broken"},
        {"a module", program.Get(), L"icon_test", L"cursor_test", L"ani_test", L"bmp_test", L"states_h", L"notimage"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        const UniqueIcon icon(c.provider->LoadIcon(c.icon, 32, 32));
        EXPECT_EQ(32, LookAt(icon.Get()).width);
        EXPECT_EQ(RGB(0, 255, 0), LookAt(icon.Get()).centre);
        EXPECT_NE(nullptr, c.provider->LoadCursor(c.cursor));
        EXPECT_NE(nullptr, c.provider->LoadCursor(c.animated));
        const UniqueBitmap bitmap(c.provider->LoadBitmap(c.bitmap));
        ASSERT_TRUE(bitmap);
        BITMAP size = {};
        ::GetObjectW(bitmap.Get(), sizeof(size), &size);
        EXPECT_EQ(8, size.bmWidth);
        EXPECT_EQ(6, size.bmHeight);

        const auto image = SAutoRef<IImgX>::Adopt(c.provider->LoadImgX(L"png", c.image));
        ASSERT_TRUE(image);
        EXPECT_EQ(1u, image->GetFrameCount());
        EXPECT_TRUE(SAutoRef<IBitmap>::Adopt(c.provider->LoadImage(L"PNG", c.image)));
        EXPECT_TRUE(c.provider->HasResource(L"png", c.broken));
        EXPECT_FALSE(SAutoRef<IImgX>::Adopt(c.provider->LoadImgX(L"png", c.broken)));
        EXPECT_FALSE(SAutoRef<IBitmap>::Adopt(c.provider->LoadImage(L"png", c.broken)));
        EXPECT_FALSE(SAutoRef<IBitmap>::Adopt(c.provider->LoadImage(L"png", L"missing")));
    }
    EXPECT_FALSE(SAutoRef<IBitmap>::Adopt(App().LoadImageRef(L"png:notimage")));
}

#include "InstallerPath.h"
#include "Win32Handles.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

using installer_test::InstallerPath;

namespace {

constexpr WORD kChineseSimplified = MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED);   // 2052
constexpr WORD kEnglishUs = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);                   // 1033

// The bytes of a resource in exactly that language; empty when there is none.
std::string Resource(HMODULE module, LPCWSTR type, LPCWSTR name, WORD language)
{
    HRSRC const found = ::FindResourceExW(module, type, name, language);
    if (!found)
        return std::string();
    HGLOBAL const loaded = ::LoadResource(module, found);
    const auto* bytes = static_cast<const char*>(::LockResource(loaded));
    return bytes ? std::string(bytes, ::SizeofResource(module, found)) : std::string();
}

class ResourcesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_installer.Reset(::LoadLibraryExW(InstallerPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
        ASSERT_TRUE(m_installer);
    }
    UniqueModule m_installer;
};

}  // namespace

TEST_F(ResourcesTest, WizardResourcesAreInChineseSimplified)
{
    const struct { const wchar_t* type; const wchar_t* name; } cases[] = {
        {L"LAYOUT", L"XML_MAINWND"},  {L"LAYOUT", L"PAGE_REQUEST_MENIFEST"}, {L"LAYOUT", L"PAGE_SELECT_MODULE"},
        {L"LAYOUT", L"PAGE_SELECT_RES"}, {L"LAYOUT", L"PAGE_INSTALL"},        {L"LAYOUT", L"PAGE_COMPLETE"},
        {L"LAYOUT", L"XML_MESSAGEBOX"}, {L"UIDEF", L"XML_INIT"},              {L"VALUES", L"STRING"},
        {L"VALUES", L"COLOR"},          {L"VALUES", L"SKIN"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << std::wstring(c.type).c_str() << ":" << std::wstring(c.name).c_str());
        const std::string xml = Resource(m_installer.Get(), c.type, c.name, kChineseSimplified);
        EXPECT_NE(std::string::npos, xml.find("<?xml"));
    }
    // The main layout alone starts with a byte-order mark.
    EXPECT_EQ(0u, Resource(m_installer.Get(), L"LAYOUT", L"XML_MAINWND", kChineseSimplified).find("\xEF\xBB\xBF<?xml"));
    EXPECT_EQ(0u, Resource(m_installer.Get(), L"LAYOUT", L"XML_MESSAGEBOX", kChineseSimplified).find("<?xml"));
}

// One byte, below the size of a package set: the installer runs online.
TEST_F(ResourcesTest, DataResource114IsTheOneByteOfOnlineMode)
{
    EXPECT_EQ("1", Resource(m_installer.Get(), RT_RCDATA, MAKEINTRESOURCEW(114), kChineseSimplified));
}

TEST_F(ResourcesTest, ManifestAsksForAdministratorRights)
{
    const std::string manifest = Resource(m_installer.Get(), MAKEINTRESOURCEW(24), MAKEINTRESOURCEW(1), kEnglishUs);
    EXPECT_NE(std::string::npos, manifest.find("level=\"requireAdministrator\""));
    EXPECT_NE(std::string::npos, manifest.find("uiAccess=\"false\""));
}

TEST_F(ResourcesTest, VersionIs2_0_5_2WithTheChineseUnicodeTranslation)
{
    const std::wstring path = InstallerPath();
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeW(path.c_str(), &ignored);
    ASSERT_NE(0u, size);
    std::vector<char> block(size);
    ASSERT_TRUE(::GetFileVersionInfoW(path.c_str(), 0, size, block.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(::VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(MAKELONG(0, 2), fixed->dwFileVersionMS);
    EXPECT_EQ(MAKELONG(2, 5), fixed->dwFileVersionLS);
    EXPECT_EQ(MAKELONG(0, 2), fixed->dwProductVersionMS);
    EXPECT_EQ(MAKELONG(2, 5), fixed->dwProductVersionLS);
    WORD* translation = nullptr;
    ASSERT_TRUE(::VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation),
                                 &length));
    ASSERT_EQ(4u, length);
    EXPECT_EQ(0x0804, translation[0]);
    EXPECT_EQ(0x04B0, translation[1]);
    wchar_t* text = nullptr;
    ASSERT_TRUE(::VerQueryValueW(block.data(), L"\\StringFileInfo\\080404B0\\FileVersion",
                                 reinterpret_cast<void**>(&text), &length));
    EXPECT_STREQ(L"2.0.5.2", text);
}

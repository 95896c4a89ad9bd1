// The report bodies as the report server receives them, and the machine id from
// the prefix's registry.

#include "report/ReportBodies.h"
#include "Win32Handles.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {

// MachineGuid as a 64-bit program sees it, where Windows keeps it.
std::string NativeMachineGuid()
{
    UniqueRegKey key;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Cryptography", 0, KEY_READ | KEY_WOW64_64KEY,
                        key.Put()) != ERROR_SUCCESS) {
        key.Release();
        return {};
    }
    char text[260] = {};
    DWORD bytes = sizeof(text) - 1;
    if (::RegQueryValueExA(key.Get(), "MachineGuid", nullptr, nullptr, reinterpret_cast<BYTE*>(text), &bytes) !=
        ERROR_SUCCESS)
        return {};
    return text;
}

}  // namespace

TEST(ReportBodies, ModuleReportListsItsMembersInKeyOrderOnTabbedLines)
{
    const struct { int installType; int moduleId; const char* body; } cases[] = {
        {1, 7, "{\n\t\"installType\" : 1,\n\t\"moduleId\" : 7\n}\n"},
        {0, 0, "{\n\t\"installType\" : 0,\n\t\"moduleId\" : 0\n}\n"},
        {0, 2147483647, "{\n\t\"installType\" : 0,\n\t\"moduleId\" : 2147483647\n}\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.moduleId);
        EXPECT_EQ(c.body, tivala::BuildModuleReport(c.installType, c.moduleId));
    }
}

TEST(ReportBodies, MachineIdIsTheNativeMachineGuid)
{
    const std::string native = NativeMachineGuid();
    ASSERT_EQ(36u, native.size()) << native;   // a bare GUID; Wine makes one in every prefix
    ASSERT_TRUE(tivala::ReadMachineId());
    EXPECT_EQ(native, tivala::GetMachineId());
}

TEST(ReportBodies, ChannelReportCarriesTheMachineIdAndEscapedTexts)
{
    ASSERT_TRUE(tivala::ReadMachineId());
    const std::string uid = tivala::GetMachineId();
    const struct { const wchar_t* packName; const wchar_t* version; std::string body; } cases[] = {
        {L"installer", L"2.3.1",
         "{\n\t\"packName\" : \"installer\",\n\t\"type\" : 1,\n\t\"uid\" : \"" + uid + "\",\n\t\"version\" : \"2.3.1\"\n}\n"},
        {L"", L"", "{\n\t\"packName\" : \"\",\n\t\"type\" : 1,\n\t\"uid\" : \"" + uid + "\",\n\t\"version\" : \"\"\n}\n"},
        // jsoncpp escapes quotes and backslashes, and writes what is not ASCII as \u escapes.
        {L"a\"b\\c", L"壁纸", "{\n\t\"packName\" : \"a\\\"b\\\\c\",\n\t\"type\" : 1,\n\t\"uid\" : \"" + uid +
                                 "\",\n\t\"version\" : \"\\u58c1\\u7eb8\"\n}\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.packName);
        EXPECT_EQ(c.body, tivala::BuildChannelReport(c.packName, c.version));
    }
}

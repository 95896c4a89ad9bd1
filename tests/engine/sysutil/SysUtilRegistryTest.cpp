// Registry values as the engine stores and reads them, under a test-only key of
// HKEY_CURRENT_USER that each test deletes again.

#include "sysutil/SysUtilRegistry.h"
#include "sysutil/SysUtilText.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace SysUtil = tivala::SysUtil;

namespace {

// A fresh key path under HKEY_CURRENT_USER\Software, deleted with its subkeys at the end.
class TestKey {
public:
    TestKey()
        : m_path(L"Software\\TivalaSysUtilTest-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
                 std::to_wstring(++s_counter))
    {
    }
    ~TestKey()
    {
        ::RegDeleteTreeW(HKEY_CURRENT_USER, m_path.c_str());
        ::RegDeleteKeyW(HKEY_CURRENT_USER, m_path.c_str());   // in case the tree call leaves the key itself
    }
    TestKey(const TestKey&) = delete;
    TestKey& operator=(const TestKey&) = delete;

    const std::wstring& Path() const { return m_path; }

    bool Exists() const
    {
        HKEY key = nullptr;
        if (::RegOpenKeyExW(HKEY_CURRENT_USER, m_path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
            return false;
        ::RegCloseKey(key);
        return true;
    }

    // Stores raw bytes of the given type, as another program might have.
    bool SetRaw(const wchar_t* name, DWORD type, const void* data, DWORD bytes) const
    {
        return ::RegSetKeyValueW(HKEY_CURRENT_USER, m_path.c_str(), name, type, data, bytes) == ERROR_SUCCESS;
    }

private:
    static inline int s_counter = 0;
    std::wstring m_path;
};

}  // namespace

TEST(SysUtilRegistry, WrittenStringIsReadBackAsRegSz)
{
    const TestKey key;
    const std::wstring subkey = key.Path() + L"\\tivala";   // created with its parent
    const std::wstring text = L"D:\\动态壁纸\\TivalaResource";
    ASSERT_TRUE(SysUtil::WriteUserRegString(subkey, L"installBiZhiDir", text));

    const UniqueRegKey open = SysUtil::OpenOrCreateKey(HKEY_CURRENT_USER, subkey, KEY_READ, false);
    ASSERT_TRUE(open);
    DWORD type = 0;
    ASSERT_EQ(ERROR_SUCCESS, ::RegQueryValueExW(open.Get(), L"installBiZhiDir", nullptr, &type, nullptr, nullptr));
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), type);
    EXPECT_EQ(text, SysUtil::ReadRegString(open.Get(), L"installBiZhiDir"));

    ASSERT_TRUE(SysUtil::WriteUserRegString(subkey, L"installBiZhiDir", L"E:\\x"));   // replaces
    EXPECT_EQ(L"E:\\x", SysUtil::ReadRegStringAt(HKEY_CURRENT_USER, subkey, L"installBiZhiDir"));
    ASSERT_TRUE(SysUtil::WriteUserRegString(subkey, L"empty", L""));
    EXPECT_EQ(L"", SysUtil::ReadRegStringAt(HKEY_CURRENT_USER, subkey, L"empty"));
}

TEST(SysUtilRegistry, ReadsTakeAtMost518Bytes)
{
    const TestKey key;
    const struct { size_t length; bool terminated; bool readsWhole; } cases[] = {
        {258, true, true},      // 516 + 2 bytes fit
        {259, true, false},     // 518 + 2 bytes do not
        {259, false, true},     // 518 bytes fit, and the reader's buffer supplies the zero
        {260, false, false},
        {1000, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.length) + (c.terminated ? " terminated" : " unterminated"));
        const std::wstring text(c.length, L'壁');
        // The system counts a zero that directly follows the stored characters in,
        // so an unterminated value is stored from a buffer that goes on.
        const std::wstring source = c.terminated ? text : text + L'!';
        const DWORD bytes = static_cast<DWORD>((c.length + (c.terminated ? 1 : 0)) * sizeof(wchar_t));
        ASSERT_TRUE(key.SetRaw(L"value", REG_SZ, source.c_str(), bytes));
        EXPECT_EQ(c.readsWhole ? text : L"", SysUtil::ReadRegStringAt(HKEY_CURRENT_USER, key.Path(), L"value"));
    }
}

TEST(SysUtilRegistry, WrittenStringsRoundTripUpTo258Characters)
{
    // The writer counts no terminator, but the text it hands over ends in one, which
    // the system then stores too (Windows NT does this, and Wine with it).
    const TestKey key;
    ASSERT_TRUE(SysUtil::WriteUserRegString(key.Path(), L"value", std::wstring(258, L'x')));
    EXPECT_EQ(std::wstring(258, L'x'), SysUtil::ReadRegStringAt(HKEY_CURRENT_USER, key.Path(), L"value"));
    ASSERT_TRUE(SysUtil::WriteUserRegString(key.Path(), L"value", std::wstring(259, L'x')));
    EXPECT_EQ(L"", SysUtil::ReadRegStringAt(HKEY_CURRENT_USER, key.Path(), L"value"));
}

TEST(SysUtilRegistry, MissingNonStringAndZeroHoldingValues)
{
    const TestKey key;
    const DWORD number = 0x00410041;   // would read as "AA" if taken for text
    ASSERT_TRUE(key.SetRaw(L"number", REG_DWORD, &number, sizeof(number)));
    const wchar_t twoParts[] = L"ab\0cd";
    ASSERT_TRUE(key.SetRaw(L"parts", REG_SZ, twoParts, sizeof(twoParts)));
    const wchar_t expandable[] = L"%TEMP%\\x";
    ASSERT_TRUE(key.SetRaw(L"expand", REG_EXPAND_SZ, expandable, sizeof(expandable)));

    const UniqueRegKey open = SysUtil::OpenOrCreateKey(HKEY_CURRENT_USER, key.Path(), KEY_READ, false);
    ASSERT_TRUE(open);
    EXPECT_EQ(L"", SysUtil::ReadRegString(open.Get(), L"missing"));
    EXPECT_EQ(L"", SysUtil::ReadRegString(open.Get(), L"number"));
    EXPECT_EQ(L"ab", SysUtil::ReadRegString(open.Get(), L"parts"));
    EXPECT_EQ(L"%TEMP%\\x", SysUtil::ReadRegString(open.Get(), L"expand"));   // not expanded
    EXPECT_EQ(L"", SysUtil::ReadRegStringAt(HKEY_CURRENT_USER, key.Path() + L"\\missing", L"parts"));
}

TEST(SysUtilRegistry, OpenOrCreateKeyCreatesOnlyWhenAsked)
{
    const TestKey key;
    EXPECT_FALSE(SysUtil::OpenOrCreateKey(HKEY_CURRENT_USER, key.Path(), KEY_ALL_ACCESS, false));
    EXPECT_FALSE(key.Exists());
    {
        const UniqueRegKey created = SysUtil::OpenOrCreateKey(HKEY_CURRENT_USER, key.Path(), KEY_ALL_ACCESS, true);
        ASSERT_TRUE(created);
        EXPECT_EQ(ERROR_SUCCESS, ::RegSetValueExW(created.Get(), L"v", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"1"), 2));
    }
    EXPECT_TRUE(key.Exists());
    const UniqueRegKey opened = SysUtil::OpenOrCreateKey(HKEY_CURRENT_USER, key.Path(), KEY_READ, false);
    ASSERT_TRUE(opened);
    EXPECT_EQ(L"1", SysUtil::ReadRegString(opened.Get(), L"v"));
}

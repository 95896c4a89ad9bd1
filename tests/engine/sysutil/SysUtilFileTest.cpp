// Whole-file reads and writes, silent shell deletes and moves, folder listings and
// the desktop shortcut, on real files in the Wine prefix.

#include "sysutil/SysUtilFile.h"
#include "sysutil/SysUtilPath.h"
#include "sysutil/SysUtilText.h"
#include "TComPtr.h"
#include "Win32Handles.h"

#include "HostCommand.h"
#include "product/ProductState.h"
#include "ScratchDir.h"
#include "WinePath.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace SysUtil = tivala::SysUtil;
using tivala::test::HostCommand;
using tivala::test::ScratchDir;

namespace {

std::vector<uint8_t> AllByteValues()
{
    std::vector<uint8_t> bytes(256);
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<uint8_t>(i);
    return bytes;
}

// Creates an empty file at a path that may pass MAX_PATH.
bool CreateLongPathFile(const std::wstring& path)
{
    const HANDLE file = ::CreateFileW((L"\\\\?\\" + path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    ::CloseHandle(file);
    return true;
}

bool LongPathExists(const std::wstring& path)
{
    return ::GetFileAttributesW((L"\\\\?\\" + path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<std::wstring> Sorted(std::vector<std::wstring> paths)
{
    std::sort(paths.begin(), paths.end());
    return paths;
}

// Removes the link at the end of the test, whatever happened.
struct LinkRemover {
    std::wstring path;
    ~LinkRemover() { ::DeleteFileW(path.c_str()); }
};

}  // namespace

TEST(SysUtilFile, WrittenBytesReadBackWhole)
{
    const ScratchDir scratch;
    const std::wstring path = scratch.File(L"新建\\deeper\\data.bin");   // missing folders are created
    const std::vector<uint8_t> bytes = AllByteValues();
    ASSERT_TRUE(SysUtil::WriteBytesToFile(path, bytes));
    EXPECT_EQ(256, SysUtil::GetFileSize64(path));
    EXPECT_EQ(bytes, SysUtil::ReadFileBytes(path));

    const std::vector<uint8_t> shorter = {'a', '\0', 'b'};   // replaces, not appends
    ASSERT_TRUE(SysUtil::WriteBytesToFile(path, shorter));
    EXPECT_EQ(shorter, SysUtil::ReadFileBytes(path));
}

TEST(SysUtilFile, EmptyAndMissingFilesReadAsNothing)
{
    const ScratchDir scratch;
    ASSERT_TRUE(SysUtil::WriteBytesToFile(scratch.File(L"empty.bin"), {}));
    EXPECT_TRUE(SysUtil::PathExists(scratch.File(L"empty.bin")));
    EXPECT_EQ(0, SysUtil::GetFileSize64(scratch.File(L"empty.bin")));
    EXPECT_TRUE(SysUtil::ReadFileBytes(scratch.File(L"empty.bin")).empty());
    EXPECT_TRUE(SysUtil::ReadFileBytes(scratch.File(L"missing.bin")).empty());
    EXPECT_EQ(0, SysUtil::GetFileSize64(scratch.File(L"missing.bin")));
}

TEST(SysUtilFile, WriteBelowAFileFails)
{
    const ScratchDir scratch;
    ASSERT_TRUE(scratch.Write(L"plain.txt", "x"));
    EXPECT_FALSE(SysUtil::WriteBytesToFile(scratch.File(L"plain.txt\\data.bin"), AllByteValues()));
}

TEST(SysUtilFile, ShellDeleteRemovesFilesAndWholeFolders)
{
    const ScratchDir scratch;
    ASSERT_TRUE(scratch.Write(L"file.txt", "x"));
    ASSERT_TRUE(scratch.Write(L"tree\\sub\\inner.txt", "y"));
    EXPECT_TRUE(SysUtil::ShellDelete(scratch.File(L"file.txt")));
    EXPECT_FALSE(SysUtil::PathExists(scratch.File(L"file.txt")));
    EXPECT_TRUE(SysUtil::ShellDelete(scratch.File(L"tree")));
    EXPECT_FALSE(SysUtil::PathExists(scratch.File(L"tree")));
    EXPECT_FALSE(SysUtil::ShellDelete(scratch.File(L"missing.txt")));
    EXPECT_FALSE(SysUtil::ShellDelete(L""));
}

TEST(SysUtilFile, ShellDeleteTakes259CharactersAndRefusesLongerPaths)
{
    const ScratchDir scratch;
    const size_t nameLength = 259 - scratch.Path().size() - 1;
    ASSERT_LE(nameLength + 1, 255u);
    const std::wstring longest = scratch.File(std::wstring(nameLength, L'a'));
    const std::wstring tooLong = scratch.File(std::wstring(nameLength + 1, L'b'));
    ASSERT_EQ(259u, longest.size());
    ASSERT_TRUE(CreateLongPathFile(longest));
    ASSERT_TRUE(CreateLongPathFile(tooLong));

    EXPECT_TRUE(SysUtil::ShellDelete(longest));
    EXPECT_FALSE(LongPathExists(longest));
    EXPECT_FALSE(SysUtil::ShellDelete(tooLong));
    EXPECT_TRUE(LongPathExists(tooLong));   // refused, not cut short into another name
    EXPECT_FALSE(SysUtil::ShellDelete(tooLong + std::wstring(4000, L'c')));
    ::DeleteFileW((L"\\\\?\\" + tooLong).c_str());
}

TEST(SysUtilFile, ShellMoveMovesFilesAndFolders)
{
    const ScratchDir scratch;
    ASSERT_TRUE(scratch.Write(L"theme\\a.txt", "a"));
    ASSERT_TRUE(scratch.Write(L"single.txt", "s"));
    ASSERT_TRUE(::CreateDirectoryW(scratch.File(L"resource").c_str(), nullptr));

    EXPECT_TRUE(SysUtil::ShellMove(scratch.File(L"theme"), scratch.File(L"resource\\theme")));
    EXPECT_FALSE(SysUtil::PathExists(scratch.File(L"theme")));
    std::string text;
    EXPECT_TRUE(ScratchDir::Read(scratch.File(L"resource\\theme\\a.txt"), text));
    EXPECT_EQ("a", text);

    EXPECT_TRUE(SysUtil::ShellMove(scratch.File(L"single.txt"), scratch.File(L"resource\\moved.txt")));
    EXPECT_FALSE(SysUtil::PathExists(scratch.File(L"single.txt")));
    EXPECT_TRUE(ScratchDir::Read(scratch.File(L"resource\\moved.txt"), text));
    EXPECT_EQ("s", text);
}

TEST(SysUtilFile, ListFolderSplitsFoldersFromFilesWithoutRecursing)
{
    const ScratchDir scratch;
    ASSERT_TRUE(scratch.Write(L"a.txt", "a"));
    ASSERT_TRUE(scratch.Write(L"壁纸.lnk", "b"));
    ASSERT_TRUE(scratch.Write(L"Main\\inner.txt", "c"));
    ASSERT_TRUE(::CreateDirectoryW(scratch.File(L"Browser").c_str(), nullptr));

    std::vector<std::wstring> folders = {L"kept"};   // the lists are appended to
    std::vector<std::wstring> files;
    ASSERT_TRUE(SysUtil::ListFolder(scratch.Path(), folders, files));
    EXPECT_EQ(Sorted({L"kept", scratch.File(L"Browser"), scratch.File(L"Main")}), Sorted(folders));
    EXPECT_EQ(Sorted({scratch.File(L"a.txt"), scratch.File(L"壁纸.lnk")}), Sorted(files));
}

TEST(SysUtilFile, ListFolderOfAnEmptyFolderSucceedsWithNothing)
{
    const ScratchDir scratch;
    std::vector<std::wstring> folders, files;
    EXPECT_TRUE(SysUtil::ListFolder(scratch.Path(), folders, files));
    EXPECT_TRUE(folders.empty());
    EXPECT_TRUE(files.empty());
}

TEST(SysUtilFile, ListFolderFailsForMissingOrOverlongFoldersAndLeavesTheLists)
{
    const ScratchDir scratch;
    std::vector<std::wstring> folders = {L"f"}, files = {L"g"};
    EXPECT_FALSE(SysUtil::ListFolder(scratch.File(L"missing"), folders, files));
    EXPECT_FALSE(SysUtil::ListFolder(scratch.File(std::wstring(300, L'x')), folders, files));
    EXPECT_EQ(std::vector<std::wstring>{L"f"}, folders);
    EXPECT_EQ(std::vector<std::wstring>{L"g"}, files);
}

// The link's name is fixed, and the registration tests make it too: hold the
// product's lock so that tests running side by side do not meet on the desktop.
TEST(SysUtilFile, DesktopShortcutLandsOnThePrefixDesktopAndPointsAtTheTarget)
{
    const tivala::test::ProductStateLock lock;
    ASSERT_TRUE(lock.Held());
    const ComApartment com;
    wchar_t desktop[MAX_PATH] = {};
    ASSERT_TRUE(::SHGetSpecialFolderPathW(nullptr, desktop, CSIDL_DESKTOPDIRECTORY, FALSE));
    // The prefix's desktop may be a link to the host user's desktop: refuse to write there.
    std::string why;
    ASSERT_TRUE(tivala::test::LiesInsidePrefixDriveC(desktop, why)) << why;

    const std::wstring linkPath = std::wstring(desktop) + L"\\tivala.lnk";
    ASSERT_FALSE(SysUtil::PathExists(linkPath));
    const LinkRemover remover{linkPath};
    const ScratchDir scratch;
    ASSERT_TRUE(scratch.Write(L"Tivala\\Starter.exe", "MZ"));
    ASSERT_TRUE(scratch.Write(L"Tivala\\Starter.ico", "ico"));
    const std::wstring target = scratch.File(L"Tivala\\Starter.exe");
    const std::wstring icon = scratch.File(L"Tivala\\Starter.ico");

    // From a thread without COM, as the install thread calls it: COM is there for
    // the call and gone afterwards.
    bool created = false;
    HRESULT afterwards = E_FAIL;
    std::thread worker([&] {
        created = SysUtil::CreateDesktopShortcut(target, L"");
        afterwards = ::CoInitialize(nullptr);
        if (SUCCEEDED(afterwards))
            ::CoUninitialize();
    });
    worker.join();
    EXPECT_TRUE(created);
    EXPECT_EQ(S_OK, afterwards);
    ASSERT_TRUE(SysUtil::PathExists(linkPath));

    // A second call replaces the link, now with an icon.
    ASSERT_TRUE(SysUtil::CreateDesktopShortcut(target, icon));
    TComPtr<IShellLinkW> link;
    ASSERT_HRESULT_SUCCEEDED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.PutVoid()));
    TComPtr<IPersistFile> file;
    ASSERT_HRESULT_SUCCEEDED(link.As(IID_IPersistFile, file));
    ASSERT_HRESULT_SUCCEEDED(file->Load(linkPath.c_str(), STGM_READ));
    wchar_t text[MAX_PATH] = {};
    ASSERT_HRESULT_SUCCEEDED(link->GetPath(text, MAX_PATH, nullptr, 0));
    EXPECT_EQ(target, text);
    ASSERT_HRESULT_SUCCEEDED(link->GetWorkingDirectory(text, MAX_PATH));
    EXPECT_EQ(scratch.File(L"Tivala"), text);
    int iconIndex = -1;
    ASSERT_HRESULT_SUCCEEDED(link->GetIconLocation(text, MAX_PATH, &iconIndex));
    EXPECT_EQ(icon, text);
    EXPECT_EQ(0, iconIndex);
}

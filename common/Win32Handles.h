#pragma once

#include "TUniqueHandle.h"

#include <windows.h>
#include <ole2.h>

#include <cstdio>

// The kernel, registry, clipboard and C runtime handle kinds that both the engine
// and the UI library hold, and the scope of a thread's COM apartment. GDI kinds are
// in GdiHandles.h, COM interfaces in TComPtr.h.

struct KernelHandleTraits {            // threads, processes, events, mutexes
    static HANDLE Invalid() { return nullptr; }
    static void Close(HANDLE handle) { ::CloseHandle(handle); }
};

struct FileHandleTraits {              // CreateFileW and CreateToolhelp32Snapshot fail with INVALID_HANDLE_VALUE
    static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(HANDLE handle) { ::CloseHandle(handle); }
};

struct FindHandleTraits {              // FindFirstFileW
    static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(HANDLE handle) { ::FindClose(handle); }
};

struct RegKeyTraits {
    static HKEY Invalid() { return nullptr; }
    static void Close(HKEY key) { ::RegCloseKey(key); }
};

struct WindowTraits {                 // CreateWindowExW; the creating thread destroys it
    static HWND Invalid() { return nullptr; }
    static void Close(HWND window) { ::DestroyWindow(window); }
};

struct ModuleTraits {                 // LoadLibraryW
    static HMODULE Invalid() { return nullptr; }
    static void Close(HMODULE module) { ::FreeLibrary(module); }
};

struct StdioFileTraits {               // _wfopen
    static FILE* Invalid() { return nullptr; }
    static void Close(FILE* file) { std::fclose(file); }
};

struct ClipboardTraits {               // OpenClipboard: the "handle" is whether this thread has it open
    static bool Invalid() { return false; }
    static void Close(bool) { ::CloseClipboard(); }
};

// One GlobalLock of a movable block: GlobalUnlock wants the block, the reader the address.
struct GlobalLockLoan {
    HGLOBAL memory = nullptr;
    void* data = nullptr;

    bool operator==(const GlobalLockLoan& other) const { return memory == other.memory && data == other.data; }
};

struct GlobalLockTraits {
    static GlobalLockLoan Invalid() { return {}; }
    static void Close(GlobalLockLoan loan) { ::GlobalUnlock(loan.memory); }
};

using UniqueHandle = TUniqueHandle<KernelHandleTraits>;
using UniqueFile = TUniqueHandle<FileHandleTraits>;
using UniqueFind = TUniqueHandle<FindHandleTraits>;
using UniqueRegKey = TUniqueHandle<RegKeyTraits>;
using UniqueStdioFile = TUniqueHandle<StdioFileTraits>;
using UniqueModule = TUniqueHandle<ModuleTraits>;
using UniqueWindow = TUniqueHandle<WindowTraits>;
using UniqueClipboard = TUniqueHandle<ClipboardTraits>;
using UniqueGlobalLock = TUniqueHandle<GlobalLockTraits>;

// Locks the block (the clipboard's data, say) for reading; the holder unlocks it.
// Empty for a null block or when GlobalLock refused (a discarded block).
[[nodiscard]] inline UniqueGlobalLock LockGlobal(HGLOBAL memory)
{
    void* const data = memory ? ::GlobalLock(memory) : nullptr;
    if (!data)
        return UniqueGlobalLock();
    return UniqueGlobalLock(GlobalLockLoan{memory, data});
}

// The calling thread's place in a single-threaded COM apartment for the life of
// the scope. Kind::Ole enters through OleInitialize, which adds what the clipboard
// and drag and drop need. Each successful entry (S_FALSE, "already in it",
// included) is balanced on the way out; a failed one is not. Neither copied nor
// moved: an apartment belongs to the thread that entered it.
class ComApartment {
public:
    enum class Kind { Com, Ole };

    explicit ComApartment(Kind kind = Kind::Com)
        : m_kind(kind),
          m_result(kind == Kind::Ole ? ::OleInitialize(nullptr) : ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))
    {
    }
    ~ComApartment()
    {
        if (FAILED(m_result))
            return;
        if (m_kind == Kind::Ole)
            ::OleUninitialize();
        else
            ::CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

    // COM works on this thread: entered here, or the thread was in the
    // multithreaded apartment already (RPC_E_CHANGED_MODE), which serves as well.
    bool Usable() const { return SUCCEEDED(m_result) || m_result == RPC_E_CHANGED_MODE; }

private:
    Kind m_kind;
    HRESULT m_result;
};

#pragma once

#include "TUniqueHandle.h"

#include <windows.h>

#include <cstdio>

// The kernel, registry and C runtime handle kinds that both the engine and the UI
// library hold. GDI kinds are in GdiHandles.h, COM interfaces in TComPtr.h.

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

using UniqueHandle = TUniqueHandle<KernelHandleTraits>;
using UniqueFile = TUniqueHandle<FileHandleTraits>;
using UniqueFind = TUniqueHandle<FindHandleTraits>;
using UniqueRegKey = TUniqueHandle<RegKeyTraits>;
using UniqueStdioFile = TUniqueHandle<StdioFileTraits>;
using UniqueModule = TUniqueHandle<ModuleTraits>;
using UniqueWindow = TUniqueHandle<WindowTraits>;

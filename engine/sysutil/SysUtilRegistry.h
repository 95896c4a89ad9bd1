#pragma once

#include "Win32Handles.h"

#include <string>

// Small registry operations of the engine. Texts are written as REG_SZ without a
// terminating zero (as the product has always stored them); reads take at most 259
// characters. Keys are opened without a registry view flag. Stateless; any thread.
namespace tivala::SysUtil {

// Opens root\subkey with `access`; when that fails and `create` is set, creates it
// (non-volatile, same access). Empty when neither works.
UniqueRegKey OpenOrCreateKey(HKEY root, const std::wstring& subkey, REGSAM access, bool create);

// A string value (REG_SZ or REG_EXPAND_SZ, unexpanded) up to its first zero; empty
// when it is missing, of another type or longer than 518 bytes.
std::wstring ReadRegString(HKEY key, const std::wstring& valueName);
// The same from root\subkey; empty when the key cannot be opened.
std::wstring ReadRegStringAt(HKEY root, const std::wstring& subkey, const std::wstring& valueName);

// Writes the text into HKEY_CURRENT_USER\subkey (created if missing).
[[nodiscard]] bool WriteUserRegString(const std::wstring& subkey, const std::wstring& valueName, const std::wstring& text);

}  // namespace tivala::SysUtil

#pragma once

// Where the product is registered: the keys and value names that the installer
// writes and that its next run reads back. Every key is used without a registry
// view flag, so a 32-bit process on 64-bit Windows works in the redirected view.
namespace tivala::ProductRegistry {

// HKEY_CURRENT_USER: the per-user product values.
inline constexpr wchar_t kProductKey[] = L"SOFTWARE\\tivala";

// HKEY_LOCAL_MACHINE: the uninstall entry, the sub-key "tivala" of its parent.
inline constexpr wchar_t kUninstallParentKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
inline constexpr wchar_t kUninstallKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\tivala";

// HKEY_CURRENT_USER: the autostart value "tivala".
inline constexpr wchar_t kRunKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

// HKEY_CURRENT_USER: compatibility layers, one value per program path.
inline constexpr wchar_t kLayersKey[] = L"Software\\Microsoft\\Windows NT\\CurrentVersion\\AppCompatFlags\\Layers";

// HKEY_CLASSES_ROOT: the desktop context-menu entry, the sub-key "tivala" of its parent.
inline constexpr wchar_t kContextMenuParentKey[] = L"Directory\\Background\\shell";

// The sub-key of the two parents above, and the autostart value's name.
inline constexpr wchar_t kProductName[] = L"tivala";

}  // namespace tivala::ProductRegistry

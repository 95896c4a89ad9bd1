#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

namespace tivala::test {

// What the tests that drive the shell's folder dialog read from it: the dialog's
// tree and its items' texts. Wine's dialog fills its tree as it goes, so every
// answer may still be empty.

// The folder tree inside `dialog`, or null.
HWND FolderTreeOf(HWND dialog);
// The text of a tree item, or empty (also for a null item).
std::wstring TreeItemText(HWND tree, HTREEITEM item);

}  // namespace tivala::test

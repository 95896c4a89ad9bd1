#include "FolderDialog.h"

#include <cwchar>

namespace tivala::test {

namespace {

BOOL CALLBACK FindTree(HWND child, LPARAM found)
{
    wchar_t name[32] = {};
    ::GetClassNameW(child, name, 32);
    if (std::wcscmp(name, WC_TREEVIEWW) != 0)
        return TRUE;
    *reinterpret_cast<HWND*>(found) = child;
    return FALSE;
}

}  // namespace

HWND FolderTreeOf(HWND dialog)
{
    HWND tree = nullptr;
    ::EnumChildWindows(dialog, FindTree, reinterpret_cast<LPARAM>(&tree));
    return tree;
}

std::wstring TreeItemText(HWND tree, HTREEITEM item)
{
    wchar_t text[MAX_PATH] = {};
    TVITEMW info = {};
    info.mask = TVIF_TEXT;
    info.hItem = item;
    info.pszText = text;
    info.cchTextMax = MAX_PATH;
    if (!item || !::SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&info)))
        return {};
    return text;
}

}  // namespace tivala::test

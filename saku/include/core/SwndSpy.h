#pragma once

#include "core/SWnd.h"

#include <windows.h>

#include <cstddef>

// The window-spy protocol: an inspection tool in another process asks any host
// window about the elements of its tree with these messages. Everything a request
// carries comes from outside the program and is checked before use.
namespace SAKU {

constexpr UINT SPYMSG_SETSPY = 0x2EF8;     // lParam: the spy's window, which receives the descriptions
constexpr UINT SPYMSG_SWNDENUM = 0x2EF9;   // wParam: an element (0 the root); lParam: a GetWindow code
constexpr UINT SPYMSG_SWNDINFO = 0x2EFA;   // wParam: an element (0 the root), described by WM_COPYDATA
constexpr UINT SPYMSG_HITTEST = 0x2EFB;    // lParam: a screen point; the element under it

constexpr ULONG_PTR kSpyInfoTag = 12026;   // the COPYDATASTRUCT dwData of a description

// An element's description as the spy receives it: 10650 bytes, little-endian,
// texts NUL-terminated within their fields.
#pragma pack(push, 1)
struct SwndSpyInfo {
    static constexpr int kNameChars = 251;
    static constexpr int kClassChars = 51;
    static constexpr int kXmlChars = 5001;

    SWND swnd;
    RECT rcWindow;
    RECT rcClient;
    BOOL visible;                    // counting the ancestors
    int id;
    wchar_t name[kNameChars];        // "##buf overflow!" when longer
    wchar_t className[kClassChars];  // "##buf overflow!" when longer
    wchar_t xml[kXmlChars];          // always "##unavailable!"
};
#pragma pack(pop)

static_assert(sizeof(SwndSpyInfo) == 10650, "the spy record's size is part of the protocol");
static_assert(offsetof(SwndSpyInfo, name) == 44 && offsetof(SwndSpyInfo, className) == 546 &&
                  offsetof(SwndSpyInfo, xml) == 648,
              "the spy record's layout is part of the protocol");

}  // namespace SAKU

#pragma once

#include "render/IRenderObj.h"

namespace SAKU {

// A font made by IRenderFactory::CreateFont from a LOGFONTW, which it keeps and
// describes itself by. Shared through the font pool, which keeps one reference of
// each font; a window's style holds one of each font it uses. Reference counted;
// UI thread.
struct IFont : IRenderObj {
    virtual const LOGFONTW* LogFont() const = 0;
    virtual LPCWSTR FamilyName() const = 0;
    // lfHeight as given: negative for a character height, positive for a cell height.
    virtual int TextSize() const = 0;
    // Bold means exactly FW_BOLD (700); a weight of 600 is not bold.
    virtual BOOL IsBold() const = 0;
    virtual BOOL IsUnderline() const = 0;
    virtual BOOL IsItalic() const = 0;
    virtual BOOL IsStrikeOut() const = 0;
};

}  // namespace SAKU

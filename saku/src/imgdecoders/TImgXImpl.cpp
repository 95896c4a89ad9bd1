#include "imgdecoders/TImgXImpl.h"

namespace SAKU {

bool AnsiPathToWide(LPCSTR path, wchar_t (&wide)[MAX_PATH])
{
    if (!path)
        return false;
    // A longer path fails with ERROR_INSUFFICIENT_BUFFER rather than being cut.
    return ::MultiByteToWideChar(CP_ACP, 0, path, -1, wide, MAX_PATH) != 0;
}

}  // namespace SAKU

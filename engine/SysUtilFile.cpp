#include "SysUtilFile.h"

#include <sys/stat.h>
#include <sys/types.h>

namespace tivala::SysUtil {

int64_t GetFileSize64(const std::wstring& path)
{
    struct _stat64 status = {};
    if (::_wstat64(path.c_str(), &status) != 0)
        return 0;
    return status.st_size;
}

}  // namespace tivala::SysUtil

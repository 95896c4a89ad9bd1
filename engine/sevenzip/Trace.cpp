#include "sevenzip/Trace.h"

#include "sysutil/SysUtilTrace.h"

#include <string>

namespace SevenZip::intl {

void Trace(const wchar_t* format, const std::wstring& path)
{
    std::wstring line(format);
    const size_t slot = line.find(L"%s");
    if (slot != std::wstring::npos)
        line.replace(slot, 2, path);
    tivala::SysUtil::WriteTrace(line);
}

}  // namespace SevenZip::intl

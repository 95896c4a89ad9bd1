#include "service/ModuleRecord.h"

#include <algorithm>

namespace tivala {

const ModuleRecord* FindModule(const std::vector<ModuleRecord>& modules, const std::wstring& appPath)
{
    const auto found = std::find_if(modules.begin(), modules.end(),
                                    [&](const ModuleRecord& module) { return module.appPath == appPath; });
    return found == modules.end() ? nullptr : &*found;
}

ModuleRecord* FindModule(std::vector<ModuleRecord>& modules, const std::wstring& appPath)
{
    // The list is the caller's to change, so its element is too.
    return const_cast<ModuleRecord*>(FindModule(static_cast<const std::vector<ModuleRecord>&>(modules), appPath));
}

}  // namespace tivala

#include "core/SScriptTimer.h"

namespace SAKU {

SScriptTimer::~SScriptTimer()
{
    for (auto* node = GetStartPosition(); node; node = GetNext(node))
        ::KillTimer(nullptr, node->key);
    RemoveAll();
}

}  // namespace SAKU

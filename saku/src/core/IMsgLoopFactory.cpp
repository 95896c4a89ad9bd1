#include "core/IMsgLoopFactory.h"

#include "core/SMessageLoop.h"

#include <memory>

namespace SAKU {

SMessageLoop* SDefMsgLoopFactory::CreateMsgLoop()
{
    return new SMessageLoop;   // the caller's until it comes back to DestroyMsgLoop
}

void SDefMsgLoopFactory::DestroyMsgLoop(SMessageLoop* loop)
{
    std::unique_ptr<SMessageLoop> owned(loop);
}

}  // namespace SAKU

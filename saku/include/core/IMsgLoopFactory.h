#pragma once

#include "core/IObjRef.h"

namespace SAKU {

class SMessageLoop;

// Makes the message loops of the UI thread: the application's main loop and the
// loop of each modal dialog. A loop goes back to the factory that made it.
// Reference counted; UI thread.
struct IMsgLoopFactory : IObjRef {
    // A new loop, owned by the caller until it hands it to DestroyMsgLoop.
    virtual SMessageLoop* CreateMsgLoop() = 0;
    // Deletes a loop this factory made; null is allowed.
    virtual void DestroyMsgLoop(SMessageLoop* loop) = 0;

protected:
    virtual ~IMsgLoopFactory() = default;   // deleted by its last Release only
};

// Makes plain SMessageLoop objects. The application makes it.
class SDefMsgLoopFactory : public TObjRefImpl<IMsgLoopFactory> {
public:
    // IMsgLoopFactory overrides
    SMessageLoop* CreateMsgLoop() override;
    void DestroyMsgLoop(SMessageLoop* loop) override;
};

}  // namespace SAKU

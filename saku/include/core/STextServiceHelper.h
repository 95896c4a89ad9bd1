#pragma once

#include "core/SSingleton.h"

namespace SAKU {

// The process-wide holder of the Windows text services that the edit boxes draw
// on. It holds nothing yet: loading the text-services library comes with the edit
// box. Made once by the application and destroyed with it. UI thread.
class STextServiceHelper : public SSingleton<STextServiceHelper> {
public:
    // Makes the helper unless one exists; true when it was made now.
    static bool Init();
    // Deletes the helper; nothing when there is none.
    static void Destroy();

private:
    STextServiceHelper() = default;
};

}  // namespace SAKU

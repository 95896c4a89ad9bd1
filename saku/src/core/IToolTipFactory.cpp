#include "core/IToolTipFactory.h"

#include "core/STipCtrl.h"

namespace SAKU {

// The tip belongs to no host window: it is a popup of its own that the host feeds.
IToolTip* SDefToolTipFactory::NewToolTip(HWND)
{
    return STipCtrl::New();
}

void SDefToolTipFactory::DestroyToolTip(IToolTip* toolTip)
{
    STipCtrl::DestroyTip(toolTip);
}

}  // namespace SAKU

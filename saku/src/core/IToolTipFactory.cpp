#include "core/IToolTipFactory.h"

namespace SAKU {

// The library has no tooltip control yet: every host runs without a tooltip, as
// it does when a tooltip's window cannot be created.
IToolTip* SDefToolTipFactory::NewToolTip(HWND)
{
    return nullptr;
}

void SDefToolTipFactory::DestroyToolTip(IToolTip*)
{
}

}  // namespace SAKU

#include "controls/SImageButton.h"

namespace SAKU {

SImageButton::SImageButton()
{
    ApplyAttribute(L"focusable", L"0", TRUE);
}

}  // namespace SAKU

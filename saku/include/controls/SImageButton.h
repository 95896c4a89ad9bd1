#pragma once

#include "controls/SButton.h"

namespace SAKU {

// The image button ("imgbtn"): a button that never takes the keyboard focus, so
// that a click leaves the focus where it was. Owned by its parent; UI thread only.
class SImageButton : public SButton {
public:
    SOBJECT_CLASS(SButton, L"imgbtn", kObjTypeWindow)
    SOBJECT_BASE_CLASS(L"button")

    SImageButton();
};

}  // namespace SAKU

#include "ShowAnimation.h"

#include "controls/SAnimateImgWnd.h"

void ShowAnimation(SAKU::SAnimateImgWnd* animation, bool show)
{
    if (!animation)
        return;
    if (show) {
        animation->Start();
        animation->SetVisible(TRUE, TRUE);
    } else {
        animation->Stop();
        animation->SetVisible(FALSE, TRUE);
    }
}

#pragma once

namespace SAKU {
class SAnimateImgWnd;
}

// Starts `animation` and shows it, or stops it and hides it; nothing for a
// missing one (nullptr). The window is the tree's. UI thread.
void ShowAnimation(SAKU::SAnimateImgWnd* animation, bool show);

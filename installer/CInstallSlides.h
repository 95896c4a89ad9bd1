#pragma once

#include <vector>

namespace SAKU {
class SAnimateImgWnd;
class SWindow;
}  // namespace SAKU

struct ISlideTimer;

// The slide show of the install page while the installation runs: four
// animations ("animate_install1" to "animate_install4") shown one at a time,
// with the page's "title", "textline1" and "textline2" under each, turned on
// every tick of the window's slide timer. Which slide shows is one for the
// process, so a second installation in the same run goes on where the first
// one stopped. Owned by the main dialog, whose tree and timer it borrows for
// its own life; UI thread.
class CInstallSlides {
public:
    CInstallSlides(const SAKU::SWindow& root, ISlideTimer& timer) : m_root(root), m_timer(timer) {}
    CInstallSlides(const CInstallSlides&) = delete;
    CInstallSlides& operator=(const CInstallSlides&) = delete;

    // Once the tree is built; a slide whose animation it lacks shows none.
    void FindAnimations();
    // Starts the timer and the first slide's animation.
    void Start();
    // Stops the timer and hides every slide's animation.
    void Stop();
    // The timer ticked: the next slide's texts and animation.
    void Turn();

private:
    const SAKU::SWindow& m_root;
    ISlideTimer& m_timer;
    std::vector<SAKU::SAnimateImgWnd*> m_animations;   // the tree's
};

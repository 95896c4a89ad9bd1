#pragma once

// The window side of the install page's slide show: a timer that repeats while
// the slides show, each tick reaching CInstallSlides::Turn. The window keeps the
// timer, as a window's timer ids are its own to give out. The main dialog is the
// one implementation. UI thread.
struct ISlideTimer {
    virtual void StartSlideTimer() = 0;
    virtual void StopSlideTimer() = 0;

protected:
    ~ISlideTimer() = default;
};

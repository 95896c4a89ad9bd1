#pragma once

namespace SAKU {

// An animation's per-frame callback. A handler registers with the container of its
// tree, which calls it once a frame (every 10 ms while any handler is registered).
// A handler may unregister itself, or others, from inside OnNextFrame.
struct ITimelineHandler {
    virtual void OnNextFrame() = 0;

protected:
    ~ITimelineHandler() = default;   // never deleted through this interface
};

}  // namespace SAKU

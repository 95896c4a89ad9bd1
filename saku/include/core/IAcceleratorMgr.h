#pragma once

#include "core/CAccelerator.h"

namespace SAKU {

// An object that reacts to a keyboard accelerator it registered with a tree's
// accelerator manager (a button's "accel"). Borrowed by the manager: the target
// removes itself (RemoveAccelerators) before it dies. UI thread only.
struct IAcceleratorTarget {
    // Whether the target took the key; a target that did not lets the next one try.
    virtual bool OnAcceleratorPressed(const CAccelerator& accelerator) = 0;

protected:
    ~IAcceleratorTarget() = default;
};

// The accelerators of one tree of windows, given by its container
// (ISwndContainer::GetAcceleratorMgr). The most recently registered target of a
// key is asked first. UI thread only.
struct IAcceleratorMgr {
    virtual void RegisterAccelerator(const CAccelerator& accelerator, IAcceleratorTarget* target) = 0;
    // Removes the first registration of `target` for that key; nothing when there is none.
    virtual void UnregisterAccelerator(const CAccelerator& accelerator, IAcceleratorTarget* target) = 0;
    // Removes `target` from every key.
    virtual void RemoveAccelerators(IAcceleratorTarget* target) = 0;

protected:
    ~IAcceleratorMgr() = default;
};

}  // namespace SAKU

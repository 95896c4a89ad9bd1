#pragma once

#include "core/SAutoRef.h"
#include "render/IRenderTarget.h"

namespace SAKU {

// Selects a pen, brush or font into a render target for the life of the scope and puts
// the target's previous object back when it ends.
class RenderObjSelection {
public:
    RenderObjSelection(IRenderTarget* target, IRenderObj* object) : m_target(target)
    {
        IRenderObj* previous = nullptr;
        if (object && SUCCEEDED(target->SelectObject(object, &previous)))
            m_previous = SAutoRef<IRenderObj>::Adopt(previous);
    }
    ~RenderObjSelection()
    {
        if (m_previous)
            m_target->SelectObject(m_previous.Get());
    }
    RenderObjSelection(const RenderObjSelection&) = delete;
    RenderObjSelection& operator=(const RenderObjSelection&) = delete;

private:
    IRenderTarget* m_target;
    SAutoRef<IRenderObj> m_previous;
};

}  // namespace SAKU

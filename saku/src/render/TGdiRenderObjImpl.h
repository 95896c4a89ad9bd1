#pragma once

#include "core/SObjectImpl.h"
#include "render/IRenderObj.h"

namespace SAKU {

// The common part of the GDI module's drawing resources: the count (born at 1),
// the IObject defaults (no attributes) and the kind. The factory is not
// referenced: the application releases its resources before the factory.
template <typename I, int kKind>
class TGdiRenderObjImpl : public TObjRefImpl<SObjectImpl<I>> {
public:
    explicit TGdiRenderObjImpl(IRenderFactory* factory) : m_factory(factory) {}

    // IRenderObj overrides
    int ObjectType() const override { return kKind; }
    IRenderFactory* GetRenderFactory() const override { return m_factory; }

private:
    IRenderFactory* const m_factory;
};

}  // namespace SAKU

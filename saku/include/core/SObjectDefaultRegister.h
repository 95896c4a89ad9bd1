#pragma once

#include "core/IObjRef.h"

namespace SAKU {

class SObjectFactoryMgr;

// Registers a set of object classes with a factory manager, in four groups that
// the application calls in this order when it is created: layouts, skins,
// windows, interpolators. The application is handed the registrar's one reference
// and releases it afterwards. The groups register nothing unless overridden.
struct ISystemObjectRegister : IObjRef {
    virtual void RegisterLayouts(SObjectFactoryMgr*) {}
    virtual void RegisterSkins(SObjectFactoryMgr*) {}
    virtual void RegisterWindows(SObjectFactoryMgr*) {}
    virtual void RegisterInterpolators(SObjectFactoryMgr*) {}

protected:
    virtual ~ISystemObjectRegister() = default;   // deleted by its last Release only
};

// The library's built-in classes. Each registration keeps a factory registered
// earlier under the same key, so a program may register its own classes first.
class SObjectDefaultRegister : public TObjRefImpl<ISystemObjectRegister> {
public:
    // ISystemObjectRegister overrides
    void RegisterLayouts(SObjectFactoryMgr* factories) override;
    void RegisterSkins(SObjectFactoryMgr* factories) override;
    void RegisterWindows(SObjectFactoryMgr* factories) override;
    void RegisterInterpolators(SObjectFactoryMgr* factories) override;
};

}  // namespace SAKU

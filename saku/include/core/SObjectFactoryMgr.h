#pragma once

#include "core/SCmnMap.h"
#include "core/SObjectFactory.h"

namespace pugi {
class xml_node;
}

namespace SAKU {

// Creates the library's objects by XML tag and object type: one factory per key,
// owned here as a clone of the factory it was registered with. New windows get
// their class's default attributes from the current UI definition. The
// application object is one; it lives as long as the application. UI thread.
class SObjectFactoryMgr {
public:
    SObjectFactoryMgr();
    virtual ~SObjectFactoryMgr() = default;
    SObjectFactoryMgr(const SObjectFactoryMgr&) = delete;
    SObjectFactoryMgr& operator=(const SObjectFactoryMgr&) = delete;

    // Registers a clone of `factory` under its key; the factory stays the caller's.
    // An existing factory of the key is kept (false) unless `replace`, which
    // deletes it. False also when the clone cannot be had or stored, which is
    // logged as an error.
    bool RegisterFactory(const SObjectFactory& factory, bool replace = false);
    template <typename T>
    bool RegisterFactoryOf() { return RegisterFactory(TplSObjectFactory<T>(), false); }
    // False when no factory has the key.
    bool RemoveFactory(const SObjectInfo& key);
    // How many keys have a factory.
    int GetFactoryCount() const { return m_factories.GetCount(); }

    // A new object of the key's class with its first reference, which the caller
    // owns. An unknown key is logged as a warning and gives null.
    IObject* CreateObject(const SObjectInfo& key) const;
    // The key of the registered class's base (same type); the empty key when the
    // key has no factory or names its own base.
    SObjectInfo BaseObjectInfo(const SObjectInfo& key) const;

    // Applies a window's class defaults, an element of the UI definition: its
    // "class" attribute first, so that the named style comes before the other
    // defaults, then the others in document order. Objects other than windows and
    // an empty element change nothing.
    static void ApplyDefaultAttributes(IObject* object, pugi::xml_node defaults);

private:
    SCmnMap<SObjectFactory*, SObjectInfo> m_factories;   // owned; deleted on removal
};

}  // namespace SAKU

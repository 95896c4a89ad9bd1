#pragma once

#include "core/SCmnMap.h"

#include <cassert>
#include <typeinfo>

namespace SAKU {

// Told of every singleton of the library as it is registered (`created` true) and
// as its registration is cleared, with its class. The application makes and
// deletes its singletons in a fixed order, which a watcher sees; null (the
// default) watches nothing. Set it on the UI thread, while no singleton is made.
using SingletonWatch = void (*)(const std::type_info& type, bool created);

inline SingletonWatch& CurrentSingletonWatch()
{
    static SingletonWatch watch = nullptr;
    return watch;
}

// Installs `watch` and answers the one it replaces.
inline SingletonWatch SetSingletonWatch(SingletonWatch watch)
{
    const SingletonWatch old = CurrentSingletonWatch();
    CurrentSingletonWatch() = watch;
    return old;
}

// The one process-wide instance of T, which derives from SSingleton<T>: the
// constructor registers the object, the destructor clears the registration. The
// application object makes and deletes the library's singletons (through the
// virtual destructor) on the UI thread.
template <typename T>
class SSingleton {
public:
    SSingleton()
    {
        assert(!s_instance);
        s_instance = static_cast<T*>(this);
        if (const SingletonWatch watch = CurrentSingletonWatch())
            watch(typeid(T), true);
    }
    virtual ~SSingleton()
    {
        s_instance = nullptr;
        if (const SingletonWatch watch = CurrentSingletonWatch())
            watch(typeid(T), false);
    }
    SSingleton(const SSingleton&) = delete;
    SSingleton& operator=(const SSingleton&) = delete;

    // Null while no instance exists.
    static T* GetInstance() { return s_instance; }

private:
    static inline T* s_instance = nullptr;
};

// A singleton that is a map from K to V (timers, windows by handle, fonts).
template <typename T, typename V, typename K>
class SSingletonMap : public SSingleton<T>, public SCmnMap<V, K> {
public:
    explicit SSingletonMap(typename SCmnMap<V, K>::Disposal disposal = nullptr) : SCmnMap<V, K>(disposal) {}
};

}  // namespace SAKU

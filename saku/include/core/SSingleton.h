#pragma once

#include "core/SCmnMap.h"

#include <cassert>

namespace SAKU {

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
    }
    virtual ~SSingleton() { s_instance = nullptr; }
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

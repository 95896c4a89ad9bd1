#pragma once

// Layout objects for the tests without windows: a fresh object, adopted, and a
// layout that the default registrar's factories make by its tag.

#include "core/SAutoRef.h"
#include "core/SObjectDefaultRegister.h"
#include "core/SObjectFactoryMgr.h"

#include <memory>

namespace saku_test {

template <typename T>
SAKU::SAutoRef<T> New()
{
    return SAKU::SAutoRef<T>::Adopt(new T);
}

// Null when no layout has the tag. A new object holds its one reference: deleting
// it is its final release.
inline std::unique_ptr<SAKU::IObject> MadeLayout(const wchar_t* tag)
{
    SAKU::SObjectFactoryMgr factories;
    auto registrar = SAKU::SAutoRef<SAKU::ISystemObjectRegister>::Adopt(new SAKU::SObjectDefaultRegister);
    registrar->RegisterLayouts(&factories);
    return std::unique_ptr<SAKU::IObject>(factories.CreateObject(SAKU::SObjectInfo(tag, SAKU::kObjTypeLayout)));
}

}  // namespace saku_test

#pragma once

#include "core/IObject.h"
#include "core/SHashTraits.h"

#include <memory>
#include <new>
#include <type_traits>
#include <utility>

namespace SAKU {

// The key of a factory: a class name, lower-cased here so that XML tags match in
// any letter case, and an object type, so that one tag ("button") may name a
// window and a skin. The empty key has an empty name and type kObjTypeNone.
class SObjectInfo {
public:
    SObjectInfo() = default;
    SObjectInfo(const wchar_t* name, int type);

    const SStringW& GetName() const { return m_name; }
    int GetType() const { return m_type; }
    bool operator==(const SObjectInfo& other) const;

private:
    SStringW m_name;
    int m_type = kObjTypeNone;
};

template <>
struct SHashTraits<SObjectInfo> {
    static UINT Hash(const SObjectInfo& key) { return HashNameAndInt(key.GetName().c_str(), key.GetType()); }
    static bool Equals(const SObjectInfo& a, const SObjectInfo& b) { return a == b; }
};

// Makes fresh objects of one registered class. The factory manager keeps a clone
// of each factory it is given.
class SObjectFactory {
public:
    virtual ~SObjectFactory() = default;
    // A new object with its first reference, which the caller owns; null when it
    // cannot be had.
    virtual IObject* CreateInstance() const = 0;
    // The class name of the library class that the class derives from ("window",
    // "object", ...); the chain of default attributes follows it.
    virtual LPCWSTR BaseClassName() const = 0;
    virtual SObjectInfo GetObjectInfo() const = 0;
    // A heap copy; null when it cannot be had.
    virtual std::unique_ptr<SObjectFactory> Clone() const = 0;
};

// Whether T wrote SOBJECT_CLASS and SOBJECT_BASE_CLASS itself. A class that forgot
// them inherits its base's names and would be made for the base's tag.
template <typename T>
constexpr bool kSObjectNamesItself =
    std::is_same_v<decltype(std::declval<const T&>().SObjectClassSelf()), T>;
template <typename T>
constexpr bool kSObjectNamesItsBase =
    std::is_same_v<decltype(std::declval<const T&>().SObjectBaseClassSelf()), T>;

// The factory of class T, which names itself with SOBJECT_CLASS and its base with
// SOBJECT_BASE_CLASS and can be made without arguments.
template <typename T>
class TplSObjectFactory : public SObjectFactory {
    static_assert(kSObjectNamesItself<T>, "a factory-made class names itself with SOBJECT_CLASS");
    static_assert(kSObjectNamesItsBase<T>, "a factory-made class names its base with SOBJECT_BASE_CLASS");

public:
    IObject* CreateInstance() const override { return new (std::nothrow) T; }
    LPCWSTR BaseClassName() const override { return T::BaseClassName(); }
    SObjectInfo GetObjectInfo() const override { return SObjectInfo(T::ClassName(), T::ClassType()); }
    std::unique_ptr<SObjectFactory> Clone() const override
    {
        return std::unique_ptr<SObjectFactory>(new (std::nothrow) TplSObjectFactory);
    }
};

}  // namespace SAKU

// The class name of the library class a factory-made class derives from ("object"
// when it derives from none); put it beside SOBJECT_CLASS.
#define SOBJECT_BASE_CLASS(baseName)                      \
    static LPCWSTR BaseClassName() { return baseName; } \
    auto SObjectBaseClassSelf() const->std::remove_cv_t<std::remove_reference_t<decltype(*this)>>;

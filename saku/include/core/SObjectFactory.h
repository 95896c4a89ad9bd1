#pragma once

#include "core/IObject.h"
#include "core/SHashTraits.h"

#include <memory>
#include <new>

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

// The factory of class T, which names itself with SOBJECT_CLASS and its base with
// SOBJECT_BASE_CLASS and can be made without arguments.
template <typename T>
class TplSObjectFactory : public SObjectFactory {
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
#define SOBJECT_BASE_CLASS(baseName) \
    static LPCWSTR BaseClassName() { return baseName; }

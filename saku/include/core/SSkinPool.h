#pragma once

#include "core/IObjRef.h"
#include "core/SAutoRef.h"
#include "core/SCmnMap.h"
#include "core/SSingleton.h"
#include "core/TPoolStack.h"

#include <pugixml.hpp>

namespace SAKU {

struct ISkinObj;

// A skin's key in a pool: its name (case-sensitive) and the scale it is drawn at.
struct SkinKey {
    SStringW name;
    int scale = 100;
};

template <>
struct SHashTraits<SkinKey> {
    static UINT Hash(const SkinKey& key) { return HashNameAndInt(key.name.c_str(), key.scale); }
    static bool Equals(const SkinKey& a, const SkinKey& b) { return a.scale == b.scale && a.name == b.name; }
};

// The scales skins are kept at, and the one a scale is drawn with: the largest of
// them not above it (100 below 125, 300 from 300 up).
constexpr int kStandardScales[] = {100, 125, 150, 200, 250, 300};
int NormalizeSkinScale(int scale);

// The skins of one skin element (a UI definition's or a host window's own), by
// name and scale, with the copies made for other scales. Holds one reference of
// each skin. Reference counted; UI thread.
class SSkinPool : public SCmnMap<ISkinObj*, SkinKey>, public TObjRefImpl2<IObjRef, SSkinPool> {
public:
    SSkinPool();

    // Creates a skin for each child (the tag its class, "name" its name) and keeps
    // it under its name and its own scale; a second skin of a name and scale is
    // dropped. While it loads the pool is on top of the pool stack, so that a skin
    // finds those defined before it in the element. The number of skins created.
    int LoadSkins(pugi::xml_node element);
    // The skin of the name for `scale`: one kept at that scale, or a copy made from
    // the first standard scale that has one and kept from then on (the skin itself
    // when its class does not scale). No reference added; null when none.
    ISkinObj* GetSkin(const SStringW& name, int scale);
};

// The stack of skin pools that every skin lookup asks, newest first: the built-in
// pool (the library's system skins) at the bottom, then the pools of the UI
// definitions and of host windows. A singleton of the application; UI thread.
class SSkinPoolMgr : public SSingleton<SSkinPoolMgr> {
public:
    static constexpr int kSystemSkinCount = 30;

    SSkinPoolMgr();

    // Puts the pool on top, with a reference of its own.
    void PushPool(SSkinPool* pool);
    // Takes `pool` (null: the top one) off the stack and releases the stack's
    // reference; the caller needs its own to go on using it. Null, and nothing
    // taken, for a pool not on the stack and for the built-in pool's own entry at
    // the bottom (a second entry, pushed while the built-in pool loads, goes).
    SSkinPool* PopPool(SSkinPool* pool);
    // The first pool from the top that has the name; no reference added.
    ISkinObj* GetSkin(const SStringW& name, int scale);
    // The built-in skin of an index (0 "_skin.sys.checkbox" ... 29 "_skin.sys.wnd.bkgnd").
    ISkinObj* GetSystemSkin(int index, int scale);
    static LPCWSTR SystemSkinName(int index);   // null outside 0-29

    SSkinPool* GetBuiltinPool() const { return m_builtin.Get(); }

private:
    SAutoRef<SSkinPool> m_builtin;
    TPoolStack<SSkinPool> m_pools;
};

}  // namespace SAKU

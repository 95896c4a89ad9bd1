#pragma once

#include "core/IObjRef.h"
#include "core/SCmnMap.h"
#include "core/SSingleton.h"
#include "core/TPoolStack.h"

#include <pugixml.hpp>

namespace SAKU {

// Named sets of window attributes: the "class" elements of a UI definition's
// "style" section, by their "name". Reference counted; UI thread.
class SStylePool : public SCmnMap<pugi::xml_node, SStringW>, public TObjRefImpl2<IObjRef, SStylePool> {
public:
    // Copies the section and keeps each "class" child that has a "name" under that
    // name (the name taken off the copy; the first of two equal names stays).
    // FALSE for an empty element.
    BOOL LoadStyles(pugi::xml_node element);
    // The style's element; an empty node when the pool lacks it.
    pugi::xml_node GetStyle(const SStringW& name) const;

private:
    pugi::xml_document m_document;
};

// The stack of style pools, asked newest first. A singleton of the application;
// UI thread.
class SStylePoolMgr : public SSingleton<SStylePoolMgr> {
public:
    // Puts the pool on top, with a reference of its own.
    void PushPool(SStylePool* pool);
    // Takes `pool` (null: the top one) off the stack and releases the stack's
    // reference; null when the pool is not on it.
    SStylePool* PopPool(SStylePool* pool);
    // The style from the newest pool that has it; an empty node when none.
    pugi::xml_node FindStyle(const SStringW& name) const;

private:
    TPoolStack<SStylePool> m_pools;
};

}  // namespace SAKU

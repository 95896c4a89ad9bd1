#pragma once

// What the hot-key tests share: the keys a control reported, in order.

#include "core/Events.h"

#include <utility>
#include <vector>

namespace saku_test {

using KeyEvents = std::vector<std::pair<WORD, WORD>>;   // (key, modifiers)

// Subscribed to a hot-key control's EventSetHotKey; keeps each (key, modifiers).
struct KeyEventLog {
    KeyEvents events;
    BOOL OnSet(SAKU::EventSetHotKey* set)
    {
        events.emplace_back(set->key, set->modifiers);
        return TRUE;
    }
};

}  // namespace saku_test

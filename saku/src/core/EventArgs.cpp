#include "core/EventArgs.h"

namespace SAKU {

EventArgs::EventArgs(IObject* sender)
    : idFrom(sender ? sender->GetID() : 0), nameFrom(sender ? sender->GetName() : nullptr), sender(sender)
{
}

}  // namespace SAKU

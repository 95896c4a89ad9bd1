#include "controls/SSplitPane.h"

#include "core/Events.h"

namespace SAKU {

SSplitPane::SSplitPane()
{
    GetEventSet()->AddEvent(EventSplitPaneMoved::EventID, EventSplitPaneMoved::EventName());
}

}  // namespace SAKU

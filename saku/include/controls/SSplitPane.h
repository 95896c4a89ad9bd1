#pragma once

#include "core/SAttributeMap.h"
#include "core/SObjectFactory.h"
#include "core/SWindow.h"

namespace SAKU {

// One pane of a split window ("pane"): a plain window that states the sizes it
// wants along the split axis (ideal, least, greatest, in pixels) and its priority
// when the split window spreads a change of size. The split window places it and
// it raises EventSplitPaneMoved each time. Owned by the split window as its
// child; UI thread.
class SSplitPane : public SWindow {
public:
    SOBJECT_CLASS(SWindow, L"pane", kObjTypeWindow)
    SOBJECT_BASE_CLASS(L"window")

    SSplitPane();

    int GetIdealSize() const { return m_idealSize; }
    int GetMinSize() const { return m_minSize; }
    int GetMaxSize() const { return m_maxSize; }
    int GetPriority() const { return m_priority; }

    // A new size shows only at the split window's next layout.
    BEGIN_ATTRIBUTES(SSplitPane)
        ATTRIBUTE_FIELD(L"idealSize", m_idealSize, ParseInt, kNoRefresh)
        ATTRIBUTE_FIELD(L"minSize",   m_minSize,   ParseInt, kNoRefresh)
        ATTRIBUTE_FIELD(L"maxSize",   m_maxSize,   ParseInt, kNoRefresh)
        ATTRIBUTE_FIELD(L"priority",  m_priority,  ParseInt, kNoRefresh)
    END_ATTRIBUTES_CHAIN(SWindow)

private:
    int m_idealSize = 20;
    int m_minSize = 0;
    int m_maxSize = 10000;
    int m_priority = 0;
};

}  // namespace SAKU

#pragma once

#include "core/STranslatableText.h"

namespace SAKU {

// The calendars' weekday titles, Sunday first. Titles a layout already gave
// ("title-1" ... on the month calendar) keep their text; the others take the
// default names.
inline void SetDefaultWeekdayTitles(STranslatableText (&titles)[7])
{
    static const wchar_t* const kNames[7] = {L"\u65e5", L"\u4e00", L"\u4e8c", L"\u4e09",
                                             L"\u56db", L"\u4e94", L"\u516d"};
    for (int i = 0; i < 7; ++i) {
        if (titles[i].GetText(TRUE).IsEmpty())
            titles[i].SetText(kNames[i]);
    }
}

}  // namespace SAKU

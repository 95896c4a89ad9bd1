#include "core/ITranslatorMgr.h"

namespace SAKU {

BOOL SNullTranslator::CreateTranslator(ITranslator** translator)
{
    if (translator)
        *translator = nullptr;
    return FALSE;
}

}  // namespace SAKU

#include "core/SRicheditMenuDef.h"

namespace SAKU {

void SRicheditMenuDef::StoreTemplate(pugi::xml_node element)
{
    m_document.reset();
    m_document.append_copy(element);
}

}  // namespace SAKU

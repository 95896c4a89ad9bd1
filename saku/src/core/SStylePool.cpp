#include "core/SStylePool.h"

#include "core/SXmlLookup.h"

namespace SAKU {

BOOL SStylePool::LoadStyles(pugi::xml_node element)
{
    if (!element)
        return FALSE;
    const pugi::xml_node copy = m_document.append_copy(element);
    for (pugi::xml_node style = XmlChild(copy, L"class"); style; style = XmlNextSibling(style, L"class")) {
        const pugi::xml_attribute name = XmlAttribute(style, L"name");
        if (!name)
            continue;
        const SStringW key = name.value();
        style.remove_attribute(name);
        AddIfAbsent(key, style);
    }
    return TRUE;
}

pugi::xml_node SStylePool::GetStyle(const SStringW& name) const
{
    pugi::xml_node style;
    GetKeyObject(name, style);
    return style;
}

void SStylePoolMgr::PushPool(SStylePool* pool)
{
    m_pools.Push(pool);
}

SStylePool* SStylePoolMgr::PopPool(SStylePool* pool)
{
    return m_pools.Pop(pool);
}

pugi::xml_node SStylePoolMgr::FindStyle(const SStringW& name) const
{
    return m_pools.FindFromTop<pugi::xml_node>([&](SStylePool* pool) { return pool->GetStyle(name); });
}

}  // namespace SAKU

#include "core/CSimpleWndHelper.h"

#include "core/CSimpleWnd.h"

#include <memory>
#include <new>

namespace SAKU {

CSimpleWndHelper::CSimpleWndHelper(HINSTANCE module, LPCWSTR className) : m_module(module), m_className(className)
{
}

CSimpleWndHelper::~CSimpleWndHelper()
{
    if (m_atom)
        ::UnregisterClassW(MAKEINTATOM(m_atom), m_module);
    if (m_heap)
        ::HeapDestroy(m_heap);
}

bool CSimpleWndHelper::Init(HINSTANCE module, LPCWSTR className)
{
    if (GetInstance())
        return false;
    std::unique_ptr<CSimpleWndHelper> helper(new (std::nothrow) CSimpleWndHelper(module, className));
    if (!helper)
        return false;
    // Growable, and executable: the thunks are code.
    helper->m_heap = ::HeapCreate(HEAP_CREATE_ENABLE_EXECUTE, 0, 0);
    if (!helper->m_heap)
        return false;
    helper->m_atom = helper->RegisterWndClass();
    if (!helper->m_atom)
        return false;
    helper.release();   // the instance pointer holds it until Destroy
    return true;
}

void CSimpleWndHelper::Destroy()
{
    std::unique_ptr<CSimpleWndHelper> owned(GetInstance());
}

ATOM CSimpleWndHelper::RegisterWndClass()
{
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    windowClass.lpfnWndProc = &CSimpleWnd::StartWindowProc;
    windowClass.hInstance = m_module;
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = m_className.c_str();
    return ::RegisterClassExW(&windowClass);
}

}  // namespace SAKU

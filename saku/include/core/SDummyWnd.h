#pragma once

#include "core/CSimpleWnd.h"

namespace SAKU {

class SHostWnd;

// The stand-in window of a translucent host. A layered window updated with
// UpdateLayeredWindowIndirect gets no WM_PAINT of its own, so the host invalidates
// this tiny invisible popup instead and repaints when it is asked to paint. Part
// of its host, which creates and destroys its window. UI thread.
class SDummyWnd : public CSimpleWnd {
public:
    explicit SDummyWnd(SHostWnd* host) : m_host(host) {}

    BEGIN_MSG_MAP(SDummyWnd)
        MSG_HANDLER(WM_PAINT, OnPaint)
    END_MSG_MAP()

private:
    void OnPaint(HDC dc);

    SHostWnd* m_host;
};

}  // namespace SAKU

#pragma once

#include "core/CSimpleWnd.h"
#include "core/IToolTip.h"
#include "core/SWnd.h"
#include "core/TStringT.h"

#include "GdiHandles.h"

#include <optional>

namespace SAKU {

// The library's tooltip: a small topmost popup, never activated, that shows the
// tip of the window under the mouse half a second after the mouse came to rest
// in the tip's rectangle, where the mouse was, and hides it after five seconds,
// on a click or when the mouse leaves the rectangle. The application's tooltip
// factory makes it on the heap and creates its window; destroying the window
// deletes the object. UI thread.
class STipCtrl : public IToolTip, public CSimpleWnd {
public:
    static constexpr UINT kDelay = 500;        // ms of rest before the tip shows
    static constexpr UINT kShowTime = 5000;    // ms the tip stays

    // A tip with its hidden popup made; null when the window could not be made.
    // The tip lives until DestroyTip (or anything else) destroys its window.
    static STipCtrl* New();
    // Destroys the tip's window, which deletes the tip; null is allowed.
    static void DestroyTip(IToolTip* tip);

    // The font the tip is drawn with (for a look at its size).
    HFONT GetFont() const { return m_font.Get(); }

    // IToolTip overrides
    BOOL PreTranslateMessage(MSG* msg) override;
    void UpdateTip(const SwndToolTipInfo& tip, int scale) override;
    void ClearTip() override;
    void RelayEvent(const MSG* msg) override;

    BEGIN_MSG_MAP(STipCtrl)
        MSG_HANDLER  (WM_PAINT, OnPaint)
        MSG_HANDLER  (WM_TIMER, OnTimer)
        CHAIN_MSG_MAP(CSimpleWnd)
    END_MSG_MAP()

protected:
    // CSimpleWnd overrides
    void OnFinalMessage(HWND hwnd) override;

private:
    STipCtrl() = default;
    ~STipCtrl() override = default;   // through the final message, or by New when Create failed

    // Creates the hidden popup and its font; FALSE when the window could not be made.
    BOOL Create();

    void OnPaint(HDC dc);
    void OnTimer(UINT_PTR id);
    void ShowTip(bool show);
    void Hide();
    void MakeFont(int height);

    UINT m_delay = kDelay;
    UINT m_showTime = kShowTime;
    SStringW m_text;
    std::optional<int> m_fontScale;   // none until the first UpdateTip
    RECT m_target = {};
    UniqueFont m_font;
    SWND m_tipSwnd = 0;
    DWORD m_tipCookie = 0;
    bool m_ownsSelf = false;          // the window was made: its end deletes the object
};

}  // namespace SAKU

#pragma once

#include "core/SHostWnd.h"

// The installer's main window: the translucent wizard drawn from
// "LAYOUT:xml_mainwnd". The layout makes it the application's main window, so
// destroying it ends the main message loop. Made and owned by the program's
// entry, which sends it WM_INITDIALOG once after creating it. UI thread.
class CMainDlg : public SAKU::SHostWnd {
public:
    CMainDlg();

    // clang-format off
    BEGIN_MSG_MAP(CMainDlg)
        MSG_RANGE_HANDLER(WM_INITDIALOG, WM_INITDIALOG, OnInitDialog)
        CHAIN_MSG_MAP    (SAKU::SHostWnd)
    END_MSG_MAP()
    // clang-format on

private:
    LRESULT OnInitDialog(UINT, WPARAM, LPARAM) { return 0; }
};

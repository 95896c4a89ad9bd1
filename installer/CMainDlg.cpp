#include "CMainDlg.h"

CMainDlg::CMainDlg() : SHostWnd(L"LAYOUT:xml_mainwnd") {}

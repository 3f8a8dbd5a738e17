#include "app/ScrivaneApp.h"

#include "app/ScrivaneDlg.h"
#include "platform/user/window_styles.h"

BEGIN_MESSAGE_MAP(CScrivaneApp, CWinApp)
ON_COMMAND(ID_HELP, OnHelp)
END_MESSAGE_MAP()

CScrivaneApp::CScrivaneApp() : CWinApp("Scrivane") {}

BOOL CScrivaneApp::InitInstance()
{
    AfxEnableControlContainer();
    Enable3dControls();
    CScrivaneDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;
    // The dialog has closed: end the program rather than run a message loop.
    return FALSE;
}

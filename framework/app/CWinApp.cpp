#include <zelmtools/framework/app/CWinApp.h>

#include <QApplication>

#include <zelmtools/framework/dialogs/CDialog.h>
#include "framework/resources/ResourceChain.h"
#include <zelmtools/framework/threads/CWinThread.h>
#include "framework/ui/MessageBox.h"
#include <zelmtools/platform/gdi/gdi.h>
#include <zelmtools/platform/kernel/resources.h>
#include "platform/user/window_styles.h"

IMPLEMENT_DYNAMIC(CWinApp, CObject)

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
ON_COMMAND(ID_HELP, OnHelp)
END_MESSAGE_MAP()

namespace {
CWinApp* g_app = nullptr;
}

CWinApp::CWinApp(LPCSTR lpszAppName) : m_strAppName(lpszAppName ? lpszAppName : "")
{
    g_app = this;
    if (lpszAppName) zelm::framework::SetApplicationTitle(lpszAppName);
}

CWinApp::~CWinApp()
{
    if (g_app != this) return;
    g_app = nullptr;
    // Message boxes after the application object are the program's own again.
    if (!m_strAppName.IsEmpty()) zelm::framework::SetApplicationTitle(nullptr);
}

BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::Run() { return QApplication::exec(); }

int CWinApp::ExitInstance() { return 0; }

HICON CWinApp::LoadIcon(UINT nIDResource) const
{
    LPCSTR name = MAKEINTRESOURCEA(nIDResource);
    return ::LoadIconA(AfxFindResourceHandle(name, RT_ICON), name);
}

void CWinApp::OnHelp() { AfxMessageBox("No help is available for this program.", MB_OK | MB_ICONINFORMATION); }

CWinApp* AfxGetApp() { return g_app; }

CWnd* AfxGetMainWnd() { return g_app ? g_app->m_pMainWnd : nullptr; }

void AfxEnableControlContainer() {}

int AfxWinMain(int argc, char** argv)
{
    CWinApp* app = AfxGetApp();
    if (!app) return 1;
    QApplication toolkit(argc, argv);
    int result = app->InitInstance() ? app->Run() : 0;
    const int exitCode = app->ExitInstance();
    if (exitCode != 0) result = exitCode;
    // Worker threads finish what they were doing before the program ends.
    zelm::framework::WaitForFrameworkThreads();
    return result;
}

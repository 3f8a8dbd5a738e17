#pragma once
// The application object: one per program, constructed statically; AfxWinMain runs
// its InitInstance (a dialog application shows its dialog there) and, if that asks
// for it, the message loop.

#include <zelmtools/platform/base/export.h>
#include <zelmtools/framework/core/CCmdTarget.h>
#include <zelmtools/framework/strings/CString.h>
#include <zelmtools/framework/windows/CWnd.h>
#include <zelmtools/platform/gdi/gdi.h>

class ZELM_API CWinApp : public CCmdTarget {
    DECLARE_DYNAMIC(CWinApp)

public:
    explicit CWinApp(LPCSTR lpszAppName = nullptr);
    ~CWinApp() override;

    virtual BOOL InitInstance();
    virtual int Run();
    virtual int ExitInstance();

    HICON LoadIcon(UINT nIDResource) const;
    // 3-D controls are the toolkit's own look; kept for programs written against it.
    BOOL Enable3dControls() { return TRUE; }
    void OnHelp();

    CWnd* m_pMainWnd = nullptr;
    CString m_strAppName;

    DECLARE_MESSAGE_MAP()
};

ZELM_API CWinApp* AfxGetApp();
// Containers of component controls are not used on this platform; always succeeds.
ZELM_API void AfxEnableControlContainer();
// Runs the program's application object with a toolkit application around it.
ZELM_API int AfxWinMain(int argc, char** argv);

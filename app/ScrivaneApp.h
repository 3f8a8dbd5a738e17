#pragma once
// The application object: shows the main dialog and ends when it closes.

#include <zelmtools/framework/app/CWinApp.h>

class CScrivaneApp : public CWinApp {
public:
    CScrivaneApp();
    BOOL InitInstance() override;

    DECLARE_MESSAGE_MAP()
};

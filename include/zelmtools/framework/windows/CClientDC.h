#pragma once
// A device context on a window's client area for as long as the object lives: the
// window's own pixels when it has them, else a context compatible with the screen
// (what measuring text on a control needs).

#include <zelmtools/framework/gdi/CDC.h>
#include <zelmtools/framework/windows/CWnd.h>
#include <zelmtools/platform/base/export.h>

class ZELM_API CClientDC : public CDC {
public:
    explicit CClientDC(CWnd* pWnd);
    ~CClientDC() override;

    HWND m_hWnd = nullptr;
};

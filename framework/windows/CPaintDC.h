#pragma once
// The device context a paint handler draws with: the window's own pixels, shown
// once the handler returns.

#include <zelmtools/platform/base/export.h>
#include <zelmtools/framework/gdi/CDC.h>
#include <zelmtools/framework/windows/CWnd.h>

class ZELM_API CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd* pWnd);

    CWnd* m_pWnd;
};

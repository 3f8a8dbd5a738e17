#pragma once
// The device context a paint handler draws with: the window's own pixels, shown
// once the handler returns.

#include "framework/gdi/CDC.h"
#include "framework/windows/CWnd.h"

class CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd* pWnd);

    CWnd* m_pWnd;
};

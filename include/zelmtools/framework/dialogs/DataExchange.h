#pragma once
// Two-way data exchange between a dialog's fields and its controls, with the checks
// whose failure shows the framework's standard message and stops the exchange.

#include <zelmtools/platform/base/export.h>
#include <zelmtools/framework/strings/CString.h>
#include <zelmtools/framework/windows/CWnd.h>

// Thrown by CDataExchange::Fail and caught by UpdateData.
class ZELM_API CUserException {
public:
    void Delete() { delete this; }
};

class ZELM_API CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate) : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}

    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;
    int m_idLastControl = 0;

    // The control about to be exchanged; remembered so that a failure can focus it.
    CWnd* PrepareCtrl(int nIDC);
    CWnd* PrepareEditCtrl(int nIDC) { return PrepareCtrl(nIDC); }
    // Puts the focus on the last control and ends the exchange.
    [[noreturn]] void Fail();
};

ZELM_API void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
ZELM_API void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value);
ZELM_API void DDX_Text(CDataExchange* pDX, int nIDC, int& value);
ZELM_API void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal);
ZELM_API void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal);
// At most nChars bytes of text (UTF-8, never half a character): the edit control takes
// no more, and a longer text (set before the limit was) fails the exchange.
ZELM_API void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars);
// Binds a control member to the dialog's control with that identifier.
ZELM_API void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);

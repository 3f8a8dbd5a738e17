#pragma once
// The control classes a dialog binds its members to: buttons, edits, statics, the
// progress bar and the up-down control.

#include <zelmtools/platform/base/export.h>
#include <zelmtools/framework/windows/CWnd.h>

class ZELM_API CButton : public CWnd {
    DECLARE_DYNAMIC(CButton)
};

class ZELM_API CEdit : public CWnd {
    DECLARE_DYNAMIC(CEdit)
};

class ZELM_API CStatic : public CWnd {
    DECLARE_DYNAMIC(CStatic)
};

class ZELM_API CProgressCtrl : public CWnd {
    DECLARE_DYNAMIC(CProgressCtrl)

public:
    void SetRange(short nLower, short nUpper);
    void SetRange32(int nLower, int nUpper);
    int SetPos(int nPos);
    int GetPos() const;
};

class ZELM_API CSpinButtonCtrl : public CWnd {
    DECLARE_DYNAMIC(CSpinButtonCtrl)

public:
    void SetRange(short nLower, short nUpper);
    int SetPos(int nPos);
    int GetPos() const;
};

// Tips shown when the pointer rests on a control.
class ZELM_API CToolTipCtrl : public CWnd {
    DECLARE_DYNAMIC(CToolTipCtrl)

public:
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = 0);
    // The tip of the window; an empty text removes it.
    BOOL AddTool(CWnd* pWnd, LPCSTR lpszText);
};

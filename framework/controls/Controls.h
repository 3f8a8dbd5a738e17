#pragma once
// The control classes a dialog binds its members to: buttons, edits, statics, the
// progress bar and the up-down control.

#include "framework/windows/CWnd.h"

class CButton : public CWnd {
    DECLARE_DYNAMIC(CButton)
};

class CEdit : public CWnd {
    DECLARE_DYNAMIC(CEdit)
};

class CStatic : public CWnd {
    DECLARE_DYNAMIC(CStatic)
};

class CProgressCtrl : public CWnd {
    DECLARE_DYNAMIC(CProgressCtrl)

public:
    void SetRange(short nLower, short nUpper);
    void SetRange32(int nLower, int nUpper);
    int SetPos(int nPos);
    int GetPos() const;
};

class CSpinButtonCtrl : public CWnd {
    DECLARE_DYNAMIC(CSpinButtonCtrl)

public:
    void SetRange(short nLower, short nUpper);
    int SetPos(int nPos);
    int GetPos() const;
};

// Tips shown when the pointer rests on a control.
class CToolTipCtrl : public CWnd {
    DECLARE_DYNAMIC(CToolTipCtrl)

public:
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = 0);
    // The tip of the window; an empty text removes it.
    BOOL AddTool(CWnd* pWnd, LPCSTR lpszText);
};

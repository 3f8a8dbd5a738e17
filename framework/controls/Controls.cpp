#include <zelmtools/framework/controls/Controls.h>

#include <QProgressBar>
#include <algorithm>

#include "framework/controls/UpDownWidget.h"

IMPLEMENT_DYNAMIC(CButton, CWnd)
IMPLEMENT_DYNAMIC(CEdit, CWnd)
IMPLEMENT_DYNAMIC(CStatic, CWnd)
IMPLEMENT_DYNAMIC(CProgressCtrl, CWnd)
IMPLEMENT_DYNAMIC(CSpinButtonCtrl, CWnd)
IMPLEMENT_DYNAMIC(CToolTipCtrl, CWnd)

namespace {

QProgressBar* Bar(QWidget* widget) { return qobject_cast<QProgressBar*>(widget); }
zelm::framework::UpDownWidget* UpDown(QWidget* widget) { return dynamic_cast<zelm::framework::UpDownWidget*>(widget); }

}  // namespace

void CProgressCtrl::SetRange(short nLower, short nUpper) { SetRange32(nLower, nUpper); }

void CProgressCtrl::SetRange32(int nLower, int nUpper)
{
    if (auto* bar = Bar(m_pWidget)) bar->setRange(nLower, nUpper);
}

int CProgressCtrl::SetPos(int nPos)
{
    auto* bar = Bar(m_pWidget);
    if (!bar) return 0;
    int previous = bar->value();
    bar->setValue(std::clamp(nPos, bar->minimum(), bar->maximum()));
    return previous;
}

int CProgressCtrl::GetPos() const
{
    auto* bar = Bar(m_pWidget);
    return bar ? bar->value() : 0;
}

void CSpinButtonCtrl::SetRange(short nLower, short nUpper)
{
    if (auto* upDown = UpDown(m_pWidget)) upDown->SetRange(nLower, nUpper);
}

int CSpinButtonCtrl::SetPos(int nPos)
{
    auto* upDown = UpDown(m_pWidget);
    if (!upDown) return 0;
    int previous = upDown->Position();
    upDown->SetPosition(nPos);
    return previous;
}

int CSpinButtonCtrl::GetPos() const
{
    auto* upDown = UpDown(m_pWidget);
    return upDown ? upDown->Position() : 0;
}

// The toolkit shows tips itself: the control only hands each window its text.
BOOL CToolTipCtrl::Create(CWnd* pParentWnd, DWORD) { return pParentWnd && pParentWnd->m_pWidget ? TRUE : FALSE; }

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, LPCSTR lpszText)
{
    if (!pWnd || !pWnd->m_pWidget) return FALSE;
    pWnd->m_pWidget->setToolTip(QString::fromUtf8(lpszText ? lpszText : ""));
    return TRUE;
}

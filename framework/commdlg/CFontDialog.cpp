#include "framework/commdlg/CFontDialog.h"

#include <cstring>

#include <zelmtools/framework/gdi/CDC.h>
#include "framework/ui/MessageBox.h"
#include <zelmtools/framework/windows/CWnd.h>
#include "framework/windows/WindowWidgets.h"

IMPLEMENT_DYNAMIC(CFontDialog, CObject)

CFontDialog::CFontDialog(LPLOGFONT lplfInitial, DWORD dwFlags, CDC* pdcPrinter, CWnd* pParentWnd)
    : m_cf{}, m_lf{}, m_pParentWnd(pParentWnd)
{
    m_cf.lStructSize = sizeof(m_cf);
    m_cf.Flags = dwFlags;
    m_cf.lpLogFont = &m_lf;
    if (lplfInitial) {
        m_cf.lpLogFont = lplfInitial;
        m_cf.Flags |= CF_INITTOLOGFONTSTRUCT;
        std::memcpy(&m_lf, lplfInitial, sizeof m_lf);
    }
    if (pdcPrinter) {
        m_cf.hDC = pdcPrinter->GetSafeHdc();
        m_cf.Flags |= CF_PRINTERFONTS;
    }
}

int CFontDialog::DoModal()
{
    HWND parent = m_pParentWnd ? m_pParentWnd->GetSafeHwnd() : nullptr;
    QWidget* owner = zelm::framework::SafeOwnerWidget(parent);
    m_cf.hwndOwner = parent ? parent : zelm::framework::WindowForWidget(owner);
    if (!zelm::framework::RunFontDialog(&m_cf, owner)) return IDCANCEL;
    if (m_cf.lpLogFont != &m_lf) std::memcpy(&m_lf, m_cf.lpLogFont, sizeof m_lf);
    return IDOK;
}

void CFontDialog::GetCurrentFont(LPLOGFONT lplf) const
{
    if (lplf) std::memcpy(lplf, m_cf.lpLogFont, sizeof(LOGFONTA));
}

CString CFontDialog::GetFaceName() const
{
    return CString(m_cf.lpLogFont->lfFaceName, static_cast<int>(strnlen(m_cf.lpLogFont->lfFaceName, LF_FACESIZE)));
}

#include "framework/commdlg/CFileDialog.h"

#include <cstring>

#include "framework/ui/MessageBox.h"
#include <zelmtools/framework/windows/CWnd.h>
#include "framework/windows/WindowWidgets.h"
#include "platform/base/utf8.h"

IMPLEMENT_DYNAMIC(CFileDialog, CObject)

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCSTR lpszDefExt, LPCSTR lpszFileName, DWORD dwFlags, LPCSTR lpszFilter,
                         CWnd* pParentWnd)
    : m_ofn{}, m_bOpenFileDialog(bOpenFileDialog), m_pParentWnd(pParentWnd)
{
    m_szFileName[0] = '\0';
    m_szFileTitle[0] = '\0';
    if (lpszFileName) {
        std::size_t length = zelm::platform::Utf8PrefixLength(lpszFileName, std::strlen(lpszFileName), MAX_PATH - 1);
        std::memcpy(m_szFileName, lpszFileName, length);
        m_szFileName[length] = '\0';
    }
    if (lpszFilter) {
        // The '|' separators become the NUL bytes of the dialog's filter format.
        m_strFilter = lpszFilter;
        for (char& ch : m_strFilter)
            if (ch == '|') ch = '\0';
        m_strFilter.append(2, '\0');
    }
    m_ofn.lStructSize = sizeof(m_ofn);
    m_ofn.lpstrFile = m_szFileName;
    m_ofn.nMaxFile = MAX_PATH;
    m_ofn.lpstrFileTitle = m_szFileTitle;
    m_ofn.nMaxFileTitle = MAX_PATH;
    m_ofn.Flags = dwFlags | OFN_EXPLORER;
    m_ofn.lpstrFilter = lpszFilter ? m_strFilter.c_str() : nullptr;
    if (lpszDefExt) {
        m_strDefExt = lpszDefExt;
        m_ofn.lpstrDefExt = m_strDefExt.c_str();
    }
}

int CFileDialog::DoModal()
{
    HWND parent = m_pParentWnd ? m_pParentWnd->GetSafeHwnd() : nullptr;
    QWidget* owner = zelm::framework::SafeOwnerWidget(parent);
    m_ofn.hwndOwner = parent ? parent : zelm::framework::WindowForWidget(owner);
    BOOL chosen = zelm::framework::RunFileDialog(&m_ofn, m_bOpenFileDialog, owner);
    return chosen ? IDOK : IDCANCEL;
}

CString CFileDialog::GetFileExt() const
{
    if (m_ofn.nFileExtension == 0 || m_szFileName[0] == '\0') return CString();
    return CString(m_ofn.lpstrFile + m_ofn.nFileExtension);
}

CString CFileDialog::GetFileTitle() const
{
    CString name = GetFileName();
    int dot = name.ReverseFind('.');
    return dot > 0 ? name.Left(dot) : name;
}

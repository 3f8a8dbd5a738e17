#pragma once
// The file-open or file-save dialog as a framework object: set it up in the
// constructor (and in m_ofn), run it with DoModal, read the choice afterwards.

#include <zelmtools/platform/base/export.h>
#include <string>

#include "framework/commdlg/FileDialogs.h"
#include <zelmtools/framework/core/CObject.h>
#include <zelmtools/framework/strings/CString.h>

class CWnd;

class ZELM_API CFileDialog : public CObject {
    DECLARE_DYNAMIC(CFileDialog)

public:
    // lpszFilter pairs descriptions and patterns with '|': "All Files (*.*)|*.*||".
    // The dialog is explorer style whatever dwFlags say.
    explicit CFileDialog(BOOL bOpenFileDialog, LPCSTR lpszDefExt = nullptr, LPCSTR lpszFileName = nullptr,
                         DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCSTR lpszFilter = nullptr,
                         CWnd* pParentWnd = nullptr);
    CFileDialog(const CFileDialog&) = delete;
    CFileDialog& operator=(const CFileDialog&) = delete;

    // IDOK when a file was chosen, IDCANCEL on cancel or failure (CommDlgExtendedError
    // tells which). Without a parent the application's active window owns the dialog.
    virtual int DoModal();

    CString GetPathName() const { return m_ofn.lpstrFile; }
    CString GetFileName() const { return m_ofn.lpstrFileTitle; }
    CString GetFileExt() const;
    CString GetFileTitle() const;
    BOOL GetReadOnlyPref() const { return (m_ofn.Flags & OFN_READONLY) ? TRUE : FALSE; }

    OPENFILENAMEA m_ofn;

protected:
    BOOL m_bOpenFileDialog;
    CWnd* m_pParentWnd;

private:
    std::string m_strDefExt;
    std::string m_strFilter;  // pairs separated by NUL bytes
    char m_szFileName[MAX_PATH];
    char m_szFileTitle[MAX_PATH];
};

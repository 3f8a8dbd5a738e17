#pragma once
// The folder browser of SelectFolderDlg: runs the shell's browser and takes its window
// over once it is ready, so that its right-click menu and the create and delete
// commands reach this object while every other message goes on to the browser.

#include <zelmtools/framework/strings/CString.h>
#include <zelmtools/framework/windows/CWnd.h>

class CBrowseForFolderWnd : public CWnd {
public:
    CBrowseForFolderWnd() = default;
    ~CBrowseForFolderWnd() override = default;

    // Runs the browser (again after a create or delete on shells older than 5.0) on
    // strStartFolder; non-zero when the user confirmed a folder.
    int Browse(CWnd* pParent, CString strStartFolder, LPCSTR pszTitle);
    CString GetFolder() const { return m_strFolder; }
    void SetFolder(CString strFolder) { m_strFolder = strFolder; }

    // The shell's browse callback; lpData is the CBrowseForFolderWnd.
    static int BrowseCallbackProc(HWND hwnd, UINT uMsg, LPARAM lParam, LPARAM lpData);

protected:
    LRESULT OnContextMenu(WPARAM wParam, LPARAM lParam);
    void OnCreateFolder();
    void OnDeleteFolder();

    // The folder shown: the start folder, then each file-system folder selected.
    CString m_strFolder;
    // A create or delete closed the browser, to be opened again.
    int m_bRestart = 0;
    // The browser reported that it is ready; selections before that are its own.
    int m_bInitialized = 0;

    DECLARE_MESSAGE_MAP()

private:
    // Closes the browser as its OK button would, to be opened again (or to return).
    void CloseForRestart();
};

#include "zelmtools/dialogs/FolderDialogBrowseWnd.h"

#include <cstdint>

#include <zelmtools/dialogs/PopupMenu.h>
#include <zelmtools/errorinfo/MessageStrings.h>
#include <zelmtools/framework/core/CException.h>
#include <zelmtools/platform/base/errors.h>
#include <zelmtools/util/FileUtils.h>

#include "framework/shell/FolderBrowser.h"
#include "framework/ui/MessageBox.h"
#include "platform/kernel/directories.h"
#include "zelmtools/dialogs/CreateNewFolderDlg.h"
#include "zelmtools/dialogs/FolderDialogResources.h"

using namespace zelm::tools;

namespace {

// Shells from this version on have the new dialog style, which returns the folder that
// a create or delete leaves instead of being opened again.
constexpr unsigned long kNewStyleShell = 0x00050000;
constexpr char kNewFolderName[] = "Новая папка";

// The system's description of the calling thread's last error, as an HRESULT.
CString LastErrorDescription()
{
    const DWORD code = GetLastError();
    const std::uint32_t result = code == 0 ? 0u : 0x80070000u | (static_cast<std::uint32_t>(code) & 0xFFFF);
    return GetHResultDescription(static_cast<LONG>(static_cast<std::int32_t>(result)));
}

CString LoadedText(UINT nID)
{
    CString text;
    text.LoadString(nID);
    return text;
}

void FreeItem(LPITEMIDLIST item)
{
    IMalloc* malloc = nullptr;
    if (SHGetMalloc(&malloc) != S_OK || malloc == nullptr) return;
    malloc->Free(item);
    malloc->Release();
}

}  // namespace

BEGIN_MESSAGE_MAP(CBrowseForFolderWnd, CWnd)
ON_MESSAGE(WM_CONTEXTMENU, OnContextMenu)
ON_COMMAND(ID_CREATE_FOLDER, OnCreateFolder)
ON_COMMAND(ID_DELETE_FOLDER, OnDeleteFolder)
END_MESSAGE_MAP()

int CBrowseForFolderWnd::Browse(CWnd* pParent, CString strStartFolder, LPCSTR pszTitle)
{
    m_strFolder = strStartFolder;
    char displayName[MAX_PATH] = "";
    BROWSEINFOA info{};
    info.hwndOwner = pParent ? pParent->GetSafeHwnd() : nullptr;
    info.pidlRoot = nullptr;
    info.pszDisplayName = displayName;
    info.lpszTitle = pszTitle;
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_RETURNFSANCESTORS;
    info.lpfn = BrowseCallbackProc;
    info.lParam = reinterpret_cast<LPARAM>(this);
    info.iImage = 0;

    LPITEMIDLIST item = nullptr;
    if (GetDllVersion("shell32.dll") < kNewStyleShell) {
        do {
            if (item) FreeItem(item);  // a browser closed for a restart: its item is not the answer
            m_bRestart = FALSE;
            m_bInitialized = FALSE;
            item = SHBrowseForFolderA(&info);
            if (item == nullptr) return FALSE;
        } while (m_bRestart);
    } else {
        info.ulFlags |= BIF_NEWDIALOGSTYLE;
        item = SHBrowseForFolderA(&info);
        if (item == nullptr) return FALSE;
    }
    const int result = SHGetPathFromIDListA(item, displayName);
    FreeItem(item);
    return result;
}

int CBrowseForFolderWnd::BrowseCallbackProc(HWND hwnd, UINT uMsg, LPARAM lParam, LPARAM lpData)
{
    auto* self = reinterpret_cast<CBrowseForFolderWnd*>(lpData);
    if (self == nullptr) return 0;
    if (uMsg == BFFM_INITIALIZED) {
        self->SubclassWindow(hwnd);
        ::SendMessage(hwnd, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(self->m_strFolder.GetString()));
        self->m_bInitialized = TRUE;
    } else if (uMsg == BFFM_SELCHANGED && self->m_bInitialized) {
        char path[MAX_PATH];
        if (SHGetPathFromIDListA(reinterpret_cast<LPCITEMIDLIST>(lParam), path)) self->SetFolder(path);
    }
    return 0;
}

// Anywhere in the browser; the menu comes at the mouse cursor, whatever the message says.
LRESULT CBrowseForFolderWnd::OnContextMenu(WPARAM, LPARAM)
{
    try {
        CPopupMenu menu(IDR_FOLDER_MENU, this);
        menu.ExecuteSelectedCommand();
    } catch (CException* e) {
        // An application menu 6204 without a submenu: said, as the framework says an
        // exception in a message handler, instead of ending the program.
        char text[256];
        if (e->GetErrorMessage(text, sizeof text)) AfxMessageBox(text, MB_OK | MB_ICONSTOP);
        e->Delete();
    }
    return 0;
}

void CBrowseForFolderWnd::OnCreateFolder()
{
    CCreateNewFolderDlg dialog;
    dialog.m_strCurrentFolder = m_strFolder;
    dialog.m_strNewFolderName = kNewFolderName;
    if (dialog.DoModal() != IDOK) return;

    CString path = m_strFolder;
    if (path.IsEmpty() || path[path.GetLength() - 1] != '/') path += "/";
    path += dialog.m_strNewFolderName;
    if (!CreateDirectoryA(path, nullptr)) {
        CString message;
        message.Format(LoadedText(IDS_CANNOT_CREATE_FOLDER), LastErrorDescription().GetString());
        AfxMessageBox(message, MB_OK | MB_ICONSTOP);
        return;
    }
    CloseForRestart();
    m_strFolder = path;
}

void CBrowseForFolderWnd::OnDeleteFolder()
{
    CString question;
    question.Format(LoadedText(IDS_DELETE_FOLDER), m_strFolder.GetString());
    if (AfxMessageBox(question, MB_YESNO) != IDYES) return;
    if (!IsDirectoryEmpty(m_strFolder)) {
        question.Format(LoadedText(IDS_FOLDER_NOT_EMPTY), m_strFolder.GetString());
        if (AfxMessageBox(question, MB_YESNO) != IDYES) return;
    }
    if (!CompletelyDeleteDirectory(m_strFolder)) {
        const CString reason = LastErrorDescription();
        CString message;
        message.Format(LoadedText(IDS_CANNOT_DELETE_FOLDER), m_strFolder.GetString(), reason.GetString());
        AfxMessageBox(message, MB_OK | MB_ICONSTOP);
        return;
    }
    const int slash = m_strFolder.ReverseFind('/');
    if (slash >= 0) m_strFolder = m_strFolder.Left(slash + 1);  // the parent, with its "/"
    ::SendMessage(m_hWnd, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(m_strFolder.GetString()));
    CloseForRestart();
}

void CBrowseForFolderWnd::CloseForRestart()
{
    m_bRestart = TRUE;
    PostMessage(WM_COMMAND, IDOK, 0);
}

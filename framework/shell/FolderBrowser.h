#pragma once
// The shell's folder browser. Its window is a framework window: the callback gets its
// handle, messages sent to the handle steer it (BFFM_SETSELECTIONA, BFFM_ENABLEOK,
// BFFM_SETSTATUSTEXTA, WM_COMMAND with IDOK or IDCANCEL), and a caller may subclass it
// (CWnd::SubclassWindow) to see them first, right-clicks too (WM_CONTEXTMENU). The Qt
// dialog is named "zelmFolderBrowser"; WindowForWidget gives its handle.

#include <zelmtools/platform/base/export.h>
#include "platform/shell/item_ids.h"
#include <zelmtools/platform/user/window_messages.h>

// Called with BFFM_INITIALIZED (lParam 0) once the browser is shown, and with
// BFFM_SELCHANGED (lParam: the new selection's item list, valid during the call) each
// time the selection changes, the first time while the browser starts. Returns 0.
using BFFCALLBACK = int (*)(HWND hwnd, UINT uMsg, LPARAM lParam, LPARAM lpData);

struct BROWSEINFOA {
    HWND hwndOwner;              // the owner window; none when null
    PCIDLIST_ABSOLUTE pidlRoot;  // the top folder; null for the desktop, the root "/"
    LPSTR pszDisplayName;        // out: the chosen folder's name, MAX_PATH bytes
    LPCSTR lpszTitle;            // the text above the tree
    UINT ulFlags;
    BFFCALLBACK lpfn;
    LPARAM lParam;  // handed to lpfn
    int iImage;     // out: always 0
};
using LPBROWSEINFOA = BROWSEINFOA*;
using BROWSEINFO = BROWSEINFOA;

constexpr UINT BIF_RETURNONLYFSDIRS = 0x0001;
constexpr UINT BIF_DONTGOBELOWDOMAIN = 0x0002;
constexpr UINT BIF_STATUSTEXT = 0x0004;
constexpr UINT BIF_RETURNFSANCESTORS = 0x0008;
constexpr UINT BIF_EDITBOX = 0x0010;
constexpr UINT BIF_VALIDATE = 0x0020;
constexpr UINT BIF_NEWDIALOGSTYLE = 0x0040;
constexpr UINT BIF_USENEWUI = BIF_NEWDIALOGSTYLE | BIF_EDITBOX;
constexpr UINT BIF_NONEWFOLDERBUTTON = 0x0200;
constexpr UINT BIF_BROWSEFORCOMPUTER = 0x1000;
constexpr UINT BIF_BROWSEFORPRINTER = 0x2000;
constexpr UINT BIF_BROWSEINCLUDEFILES = 0x4000;

// Callback notifications.
constexpr UINT BFFM_INITIALIZED = 1;
constexpr UINT BFFM_SELCHANGED = 2;
// Messages to the browser window.
constexpr UINT BFFM_SETSTATUSTEXTA = WM_USER + 100;  // lParam: text (with BIF_STATUSTEXT)
constexpr UINT BFFM_ENABLEOK = WM_USER + 101;        // lParam: non-zero enables OK
constexpr UINT BFFM_SETSELECTIONA = WM_USER + 102;   // wParam TRUE: lParam a path; FALSE: an item list
#define BFFM_SETSELECTION BFFM_SETSELECTIONA
#define BFFM_SETSTATUSTEXT BFFM_SETSTATUSTEXTA

// The chosen folder's item list (free it with ILFree or the shell allocator), or null
// when the user cancelled or the browser could not be shown (no GUI thread, a root
// that is not an existing folder). File-system folders are all it offers.
ZELM_API PIDLIST_ABSOLUTE SHBrowseForFolderA(LPBROWSEINFOA lpbi);
#define SHBrowseForFolder SHBrowseForFolderA

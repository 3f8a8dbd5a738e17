#pragma once
// The file-open and file-save dialogs, explorer style. The dialog is Qt's own file
// dialog (objectName "zelmFileDialog"), with the read-only check box
// ("zelmReadOnlyBox") added unless OFN_HIDEREADONLY. Call them on the GUI thread.

#include <zelmtools/platform/base/export.h>
#include "framework/commdlg/CommonDialogErrors.h"

using LPOFNHOOKPROC = UINT_PTR (*)(HWND, UINT, WPARAM, LPARAM);

struct OPENFILENAMEA {
    DWORD lStructSize;
    HWND hwndOwner;
    HINSTANCE hInstance;
    LPCSTR lpstrFilter;  // "Description\0Patterns\0...\0\0", patterns separated by ';'
    LPSTR lpstrCustomFilter;
    DWORD nMaxCustFilter;
    DWORD nFilterIndex;  // 1-based; in: the filter shown first, out: the one in use
    LPSTR lpstrFile;     // in: the initial file name; out: the chosen full path
    DWORD nMaxFile;
    LPSTR lpstrFileTitle;  // out: the chosen file's name
    DWORD nMaxFileTitle;
    LPCSTR lpstrInitialDir;
    LPCSTR lpstrTitle;
    DWORD Flags;
    WORD nFileOffset;     // out: where the name starts in lpstrFile
    WORD nFileExtension;  // out: where the extension starts; at the end when none
    LPCSTR lpstrDefExt;   // appended (with a dot) to a name typed without extension
    LPARAM lCustData;
    LPOFNHOOKPROC lpfnHook;  // not called: the dialog cannot be hooked
    LPCSTR lpTemplateName;
};
using OPENFILENAME = OPENFILENAMEA;
using LPOPENFILENAMEA = OPENFILENAMEA*;

constexpr DWORD OFN_READONLY = 0x00000001;
constexpr DWORD OFN_OVERWRITEPROMPT = 0x00000002;
constexpr DWORD OFN_HIDEREADONLY = 0x00000004;
constexpr DWORD OFN_NOCHANGEDIR = 0x00000008;
constexpr DWORD OFN_SHOWHELP = 0x00000010;
constexpr DWORD OFN_ENABLEHOOK = 0x00000020;
constexpr DWORD OFN_NOVALIDATE = 0x00000100;
constexpr DWORD OFN_ALLOWMULTISELECT = 0x00000200;
constexpr DWORD OFN_EXTENSIONDIFFERENT = 0x00000400;
constexpr DWORD OFN_PATHMUSTEXIST = 0x00000800;
constexpr DWORD OFN_FILEMUSTEXIST = 0x00001000;
constexpr DWORD OFN_CREATEPROMPT = 0x00002000;
constexpr DWORD OFN_SHAREAWARE = 0x00004000;
constexpr DWORD OFN_NOREADONLYRETURN = 0x00008000;
constexpr DWORD OFN_NOTESTFILECREATE = 0x00010000;
constexpr DWORD OFN_EXPLORER = 0x00080000;
constexpr DWORD OFN_NODEREFERENCELINKS = 0x00100000;
constexpr DWORD OFN_LONGNAMES = 0x00200000;
constexpr DWORD OFN_ENABLESIZING = 0x00800000;

// TRUE when the user chose a file; FALSE on cancel (CommDlgExtendedError 0) or on a
// failure (its code, FNERR_BUFFERTOOSMALL with the needed size in lpstrFile's first
// two bytes). The current directory never changes.
ZELM_API BOOL GetOpenFileNameA(LPOPENFILENAMEA lpofn);
ZELM_API BOOL GetSaveFileNameA(LPOPENFILENAMEA lpofn);
#define GetOpenFileName GetOpenFileNameA
#define GetSaveFileName GetSaveFileNameA

class QWidget;

namespace zelm::framework {

// The dialog owned by the given widget (or none), for the framework's dialog classes.
BOOL RunFileDialog(OPENFILENAMEA* ofn, bool open, QWidget* owner);

}  // namespace zelm::framework

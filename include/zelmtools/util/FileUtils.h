#pragma once
// Files and folders: existence and exclusive-use tests, deleting a folder tree or only
// what it holds, whether a folder is empty, copying with a progress window, and
// registering a component. Paths use "/".

#include <zelmtools/framework/strings/CString.h>
#include <zelmtools/platform/base/export.h>
#include <zelmtools/platform/base/win_types.h>

// 1 when the path names a file or a folder, else 0.
ZELM_API int IsFileExist(const char* pszPath);
// 1 when the file cannot be opened for exclusive use (someone, in this process or
// another, has it open; or it is missing), else 0.
ZELM_API int IsFileAccessDenied(const char* pszPath);
// Deletes the folder and everything in it, read-only files included. 1 on success; 0
// with the last error set at the first entry that cannot go (what went before stays
// deleted), or for an empty folder text (ERROR_PATH_NOT_FOUND).
ZELM_API int CompletelyDeleteDirectory(CString strDirectory);
// The same for everything inside the folder; the folder itself stays. A missing folder
// has nothing to delete: 1.
ZELM_API int DeleteAllDirectoryContents(CString strDirectory);
// 1 when the folder holds no entry (a missing or unreadable folder counts as empty);
// 0 when it holds anything, or for an empty folder text.
ZELM_API int IsDirectoryEmpty(CString strDirectory);

// The version a library reports through its "DllGetVersion" entry point: the major
// version in the high 16 bits, the minor in the low 16 (5.81 gives 0x00050051); 0 when
// the library cannot be loaded, has no such entry point, or the call fails.
ZELM_API unsigned long GetDllVersion(const char* pszLibrary);

// Copies a file or a folder tree (links kept as links, modes kept) into the target
// folder when it exists, else to the target's name, replacing what is in the way, with
// a progress window titled strTitle when a GUI application runs. 1 when all was copied;
// 0 otherwise (a file that failed is not left behind half-written), also for a path
// longer than 258 bytes.
ZELM_API int CopyFileWithProgress(HWND hOwner, const CString& strSource, const CString& strTarget, CString strTitle);
// Runs the system folder's regsvr32 with " [options ]\"<working folder>/<file>\"" and
// waits for it to end: non-zero then, whatever its result. 0 when it cannot be started
// (after a message box with the reason, captioned "Ошибка при регистрации"), or
// without a box when a folder or the command line does not fit 259 bytes.
ZELM_API int RegisterComponet(const CString& strFileName, const CString& strOptions);

#pragma once
// Folders by path: creating, removing and the process's working folder.

#include <zelmtools/platform/base/export.h>
#include <zelmtools/platform/base/win_types.h>

struct SECURITY_ATTRIBUTES;

// ERROR_ALREADY_EXISTS when the path is taken, ERROR_PATH_NOT_FOUND when a folder on
// the way is missing.
ZELM_API BOOL CreateDirectoryA(LPCSTR lpPathName, SECURITY_ATTRIBUTES* lpSecurityAttributes);
// Removes an empty folder: ERROR_DIR_NOT_EMPTY when it holds anything, ERROR_DIRECTORY
// when the path names a file, ERROR_FILE_NOT_FOUND when it is missing from an existing
// folder and ERROR_PATH_NOT_FOUND when a folder on the way is missing.
ZELM_API BOOL RemoveDirectoryA(LPCSTR lpPathName);
// The working folder without a final "/" (except the root). Returns its length; when
// the buffer cannot hold it with its terminating zero, the size the buffer needs.
// 0 with the last error set when it cannot be read.
ZELM_API DWORD GetCurrentDirectoryA(DWORD nBufferLength, LPSTR lpBuffer);

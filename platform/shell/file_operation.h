#pragma once
// Shell file operations: copying files and whole folder trees, with the progress
// window the shell shows while it works.

#include <zelmtools/platform/base/export.h>
#include <zelmtools/platform/base/win_types.h>

constexpr UINT FO_MOVE = 1;
constexpr UINT FO_COPY = 2;
constexpr UINT FO_DELETE = 3;
constexpr UINT FO_RENAME = 4;

using FILEOP_FLAGS = WORD;
constexpr FILEOP_FLAGS FOF_MULTIDESTFILES = 0x1;
constexpr FILEOP_FLAGS FOF_SILENT = 0x4;
constexpr FILEOP_FLAGS FOF_RENAMEONCOLLISION = 0x8;
constexpr FILEOP_FLAGS FOF_NOCONFIRMATION = 0x10;
constexpr FILEOP_FLAGS FOF_SIMPLEPROGRESS = 0x100;
constexpr FILEOP_FLAGS FOF_NOCONFIRMMKDIR = 0x200;
constexpr FILEOP_FLAGS FOF_NOERRORUI = 0x400;

// Results of the shell's own that have no system error code.
constexpr int DE_SAMEFILE = 0x71;              // source and target are the same file
constexpr int DE_DESTSUBTREE = 0x76;           // the target lies inside the folder being copied
constexpr int DE_INVALIDFILES = 0x7C;          // no source, or a source the shell cannot name
constexpr int ERROR_CANCELLED_BY_USER = 1223;  // the user stopped it in the progress window

struct SHFILEOPSTRUCTA {
    HWND hwnd;
    UINT wFunc;
    LPCSTR pFrom;  // paths, each ended by a zero byte; the list by a second one
    LPCSTR pTo;    // one path, ended the same way
    FILEOP_FLAGS fFlags;
    BOOL fAnyOperationsAborted;
    LPVOID hNameMappings;
    LPCSTR lpszProgressTitle;
};
using LPSHFILEOPSTRUCTA = SHFILEOPSTRUCTA*;

// FO_COPY only (other operations: ERROR_INVALID_FUNCTION). Each source, a file, a
// folder tree or a link (copied as a link, never followed), goes into pTo when pTo is
// an existing folder or when there are several sources (the folder is then made);
// otherwise pTo is the copy's own new name, missing folders above it made. Copies keep
// their mode bits and modification times; a folder copied onto an existing one merges.
// A file is written under a temporary name beside its target and renamed when whole,
// so a failure never leaves part of a file behind under the real name.
// Flags: FOF_NOCONFIRMATION replaces what is in the way (without it nobody can be
// asked, so an existing file stops the copy with ERROR_FILE_EXISTS); FOF_SILENT shows
// no progress; FOF_SIMPLEPROGRESS, FOF_NOCONFIRMMKDIR and FOF_NOERRORUI change nothing
// here. Any other flag is refused (ERROR_INVALID_PARAMETER) before anything is done.
// Returns 0 when everything was copied, else an error code (a system error code or
// DE_...), with fAnyOperationsAborted set. Sources are all checked before the first
// copy: a missing one fails with nothing made.
ZELM_API int SHFileOperationA(LPSHFILEOPSTRUCTA lpFileOp);
#define SHFileOperation SHFileOperationA

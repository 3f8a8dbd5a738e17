#pragma once
// Files by handle with the system's access and share modes. Share modes hold between
// every opener that uses these calls, threads and processes alike (open file
// description locks on reserved bytes far past any real data).

#include <zelmtools/platform/base/export.h>
#include <zelmtools/platform/base/win_types.h>

constexpr DWORD GENERIC_READ = 0x80000000;
constexpr DWORD GENERIC_WRITE = 0x40000000;
constexpr DWORD FILE_SHARE_READ = 0x1;
constexpr DWORD FILE_SHARE_WRITE = 0x2;
constexpr DWORD FILE_SHARE_DELETE = 0x4;
constexpr DWORD CREATE_NEW = 1;
constexpr DWORD CREATE_ALWAYS = 2;
constexpr DWORD OPEN_EXISTING = 3;
constexpr DWORD OPEN_ALWAYS = 4;
constexpr DWORD TRUNCATE_EXISTING = 5;
constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x80;
constexpr DWORD FILE_BEGIN = 0;
constexpr DWORD FILE_CURRENT = 1;
constexpr DWORD FILE_END = 2;
constexpr DWORD FILE_TYPE_UNKNOWN = 0;
constexpr DWORD FILE_TYPE_DISK = 1;  // a regular file: sized and seekable
constexpr DWORD FILE_TYPE_CHAR = 2;  // a terminal or another character device
constexpr DWORD FILE_TYPE_PIPE = 3;  // a pipe, FIFO or socket
constexpr DWORD FILE_ATTRIBUTE_READONLY = 0x1;
constexpr DWORD FILE_ATTRIBUTE_DIRECTORY = 0x10;
constexpr DWORD INVALID_FILE_ATTRIBUTES = 0xFFFFFFFF;

struct SECURITY_ATTRIBUTES;

// Opening a FIFO for reading never blocks: the wait for its writer happens in ReadFile,
// where CancelIoEx can end it.
ZELM_API HANDLE CreateFileA(LPCSTR lpFileName, DWORD dwDesiredAccess, DWORD dwShareMode,
                   SECURITY_ATTRIBUTES* lpSecurityAttributes, DWORD dwCreationDisposition, DWORD dwFlagsAndAttributes,
                   HANDLE hTemplateFile);
// Reads until the count is reached or the end of the file. On a pipe, FIFO or device it
// waits for data, and fails with ERROR_OPERATION_ABORTED when CancelIoEx ends the wait.
ZELM_API BOOL ReadFile(HANDLE hFile, LPVOID lpBuffer, DWORD nNumberOfBytesToRead, LPDWORD lpNumberOfBytesRead,
              void* lpOverlapped);
// Ends a read that waits on the handle in another thread (pipes, FIFOs, devices; reads of
// regular files never wait). False with ERROR_NOT_FOUND when no read can wait on it.
ZELM_API BOOL CancelIoEx(HANDLE hFile, void* lpOverlapped);
ZELM_API DWORD GetFileType(HANDLE hFile);
// What a path names (links followed): FILE_ATTRIBUTE_DIRECTORY for a folder, otherwise
// FILE_ATTRIBUTE_NORMAL when nothing else applies; FILE_ATTRIBUTE_READONLY when the
// owner's write bit is clear;
// INVALID_FILE_ATTRIBUTES with the last error set (ERROR_FILE_NOT_FOUND,
// ERROR_PATH_NOT_FOUND, ...) when it cannot be looked at.
ZELM_API DWORD GetFileAttributesA(LPCSTR lpFileName);
// FILE_ATTRIBUTE_READONLY clears the owner's write bit; without it (FILE_ATTRIBUTE_NORMAL)
// the bit is given back. The other bits of the mode stay as they are.
ZELM_API BOOL SetFileAttributesA(LPCSTR lpFileName, DWORD dwFileAttributes);
ZELM_API BOOL WriteFile(HANDLE hFile, LPCVOID lpBuffer, DWORD nNumberOfBytesToWrite, LPDWORD lpNumberOfBytesWritten,
               void* lpOverlapped);
ZELM_API BOOL GetFileSizeEx(HANDLE hFile, LARGE_INTEGER* lpFileSize);
ZELM_API BOOL SetFilePointerEx(HANDLE hFile, LARGE_INTEGER liDistanceToMove, LARGE_INTEGER* lpNewFilePointer,
                      DWORD dwMoveMethod);
ZELM_API BOOL SetEndOfFile(HANDLE hFile);
ZELM_API BOOL FlushFileBuffers(HANDLE hFile);
ZELM_API BOOL CloseHandle(HANDLE hObject);
ZELM_API BOOL DeleteFileA(LPCSTR lpFileName);
// The system temporary folder: $TMPDIR when set, else /tmp, always with a final "/".
ZELM_API DWORD GetTempPathA(DWORD nBufferLength, LPSTR lpBuffer);
// A file name "<path>/<prefix><number>.tmp" with at most three bytes of the prefix (cut
// on a character boundary) and the number in four hex digits. With uUnique 0 the
// number is chosen so that no such file exists, and the file is created empty and
// private to keep the name taken; otherwise the name is only built. Returns the
// number, 0 on failure. lpTempFileName must hold MAX_PATH bytes.
ZELM_API UINT GetTempFileNameA(LPCSTR lpPathName, LPCSTR lpPrefixString, UINT uUnique, LPSTR lpTempFileName);

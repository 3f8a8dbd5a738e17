#pragma once
// Thread-local last error and the system error codes the code reports.

#include <string>

#include "platform/base/win_types.h"

constexpr LONG ERROR_SUCCESS = 0;
constexpr LONG ERROR_INVALID_FUNCTION = 1;
constexpr LONG ERROR_FILE_NOT_FOUND = 2;
constexpr LONG ERROR_PATH_NOT_FOUND = 3;
constexpr LONG ERROR_TOO_MANY_OPEN_FILES = 4;
constexpr LONG ERROR_ACCESS_DENIED = 5;
constexpr LONG ERROR_INVALID_HANDLE = 6;
constexpr LONG ERROR_NOT_ENOUGH_MEMORY = 8;
constexpr LONG ERROR_BAD_FORMAT = 11;
constexpr LONG ERROR_INVALID_DATA = 13;
constexpr LONG ERROR_OUTOFMEMORY = 14;
constexpr LONG ERROR_WRITE_PROTECT = 19;
constexpr LONG ERROR_SHARING_VIOLATION = 32;
constexpr LONG ERROR_LOCK_VIOLATION = 33;
constexpr LONG ERROR_HANDLE_EOF = 38;
constexpr LONG ERROR_HANDLE_DISK_FULL = 39;
constexpr LONG ERROR_NOT_SUPPORTED = 50;
constexpr LONG ERROR_DEV_NOT_EXIST = 55;
constexpr LONG ERROR_FILE_EXISTS = 80;
constexpr LONG ERROR_INVALID_PARAMETER = 87;
constexpr LONG ERROR_BROKEN_PIPE = 109;
constexpr LONG ERROR_DISK_FULL = 112;
constexpr LONG ERROR_INSUFFICIENT_BUFFER = 122;
constexpr LONG ERROR_INVALID_NAME = 123;
constexpr LONG ERROR_MOD_NOT_FOUND = 126;
constexpr LONG ERROR_PROC_NOT_FOUND = 127;
constexpr LONG ERROR_SEEK_ON_DEVICE = 132;
constexpr LONG ERROR_DIR_NOT_EMPTY = 145;
constexpr LONG ERROR_BAD_PATHNAME = 161;
constexpr LONG ERROR_BUSY = 170;
constexpr LONG ERROR_ALREADY_EXISTS = 183;
constexpr LONG ERROR_FILENAME_EXCED_RANGE = 206;
constexpr LONG ERROR_FILE_TOO_LARGE = 223;
constexpr LONG ERROR_MORE_DATA = 234;
constexpr LONG ERROR_NO_MORE_ITEMS = 259;
constexpr LONG ERROR_DIRECTORY = 267;
constexpr LONG ERROR_OPERATION_ABORTED = 995;
constexpr LONG ERROR_NOT_FOUND = 1168;
constexpr LONG ERROR_IO_DEVICE = 1117;
constexpr LONG ERROR_CANT_RESOLVE_FILENAME = 1921;
constexpr LONG ERROR_INVALID_WINDOW_HANDLE = 1400;
constexpr LONG ERROR_RESOURCE_DATA_NOT_FOUND = 1812;
constexpr LONG ERROR_RESOURCE_TYPE_NOT_FOUND = 1813;
constexpr LONG ERROR_RESOURCE_NAME_NOT_FOUND = 1814;
constexpr LONG ERROR_BADDB = 1009;
constexpr LONG ERROR_BADKEY = 1010;
constexpr LONG ERROR_CANTOPEN = 1011;
constexpr LONG ERROR_CANTREAD = 1012;
constexpr LONG ERROR_CANTWRITE = 1013;
constexpr LONG ERROR_REGISTRY_CORRUPT = 1015;
constexpr LONG ERROR_KEY_DELETED = 1018;
constexpr LONG ERROR_KEY_HAS_CHILDREN = 1020;

DWORD GetLastError();
void SetLastError(DWORD dwErrCode);

namespace zelm::platform {

// Maps a POSIX errno value to the nearest system error code.
DWORD ErrorFromErrno(int err);

// A short description of a system error code in words ("input/output error"), as a
// user reads it after the name of what failed; "system error N" for a code without one.
std::string ErrorText(DWORD code);

}  // namespace zelm::platform

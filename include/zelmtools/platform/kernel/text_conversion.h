#pragma once
// Conversion between the single-byte texts (UTF-8: the ANSI code page is UTF-8 here)
// and UTF-16. A length of -1 means the text runs to its terminator, which is then
// converted and counted too; a destination size of 0 asks for the size needed. A
// failure returns 0 and sets the thread's last error.

#include <zelmtools/platform/base/export.h>
#include <zelmtools/platform/base/win_types.h>

constexpr UINT CP_ACP = 0;
constexpr UINT CP_OEMCP = 1;
constexpr UINT CP_THREAD_ACP = 3;
constexpr UINT CP_UTF8 = 65001;

constexpr DWORD MB_PRECOMPOSED = 0x00000001;
constexpr DWORD MB_ERR_INVALID_CHARS = 0x00000008;
constexpr DWORD WC_ERR_INVALID_CHARS = 0x00000080;

constexpr LONG ERROR_NO_UNICODE_TRANSLATION = 1113;
constexpr LONG ERROR_INVALID_FLAGS = 1004;

// Invalid sequences become U+FFFD, or fail with ERROR_NO_UNICODE_TRANSLATION under
// MB_ERR_INVALID_CHARS. A buffer too small fails with ERROR_INSUFFICIENT_BUFFER.
ZELM_API int MultiByteToWideChar(UINT CodePage, DWORD dwFlags, LPCSTR lpMultiByteStr, int cbMultiByte,
                                 LPWSTR lpWideCharStr, int cchWideChar);
// Unpaired surrogates become U+FFFD, or fail under WC_ERR_INVALID_CHARS. Every
// character has a UTF-8 form, so lpDefaultChar and lpUsedDefaultChar must be null.
ZELM_API int WideCharToMultiByte(UINT CodePage, DWORD dwFlags, LPCWSTR lpWideCharStr, int cchWideChar,
                                 LPSTR lpMultiByteStr, int cbMultiByte, LPCSTR lpDefaultChar, BOOL* lpUsedDefaultChar);

#pragma once
// Message texts of the error-information subsystem: UTF-16 strings from the system's
// message table, a module's message table or a template, allocated from the local
// heap and freed with FreeMessageString; system error texts as CString; and probes
// that tell whether a text can be read.
//
// Insert arguments are an array of pointer-sized values (DWORD_PTR), one per insert
// number; null means none, and inserts are then left as they stand.

#include <zelmtools/framework/strings/CString.h>
#include <zelmtools/platform/base/export.h>
#include <zelmtools/platform/base/win_types.h>

// The system's text for the calling thread's last error; null when there is none.
ZELM_API LPWSTR GetMessageStringSystem();
// Message nMessageID of the module's message table in that language, formatted.
ZELM_API LPWSTR GetMessageStringModule(DWORD nMessageID, HINSTANCE hModule, DWORD dwLanguage, const void* pInserts);
// The template formatted (%1 to %99 inserts, "%1!S!" a UTF-16 insert, %n a break).
ZELM_API LPWSTR GetMessageStringFromString(LPCWSTR pszTemplate, const void* pInserts);
// Null is allowed.
ZELM_API void FreeMessageString(LPWSTR pszMessage);

// The system's text for the code (with its final line break), or empty.
ZELM_API CString GetSystemErrorMessage(LONG lCode);
// "[XXXXXXXX]" and, when the system knows the code, a space and its text.
ZELM_API CString GetHResultDescription(LONG lCode);

// True when the pointer is not null and the whole terminated text can be read.
ZELM_API bool IsGoodReadStrA(const char* pszText);
ZELM_API bool IsGoodReadStrW(LPCWSTR pszText);

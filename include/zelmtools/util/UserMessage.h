#pragma once

#include <zelmtools/platform/base/export.h>
// Private window-message numbers agreed by name inside one process.

// The number for the name: the same for the life of the process, the first name 1124
// (WM_USER + 100), each new one the next. Names are compared exactly, with case, in
// their first 255 bytes. 0 for a null name or once the private range (up to 0x7FFF)
// is used up. Not guarded: register from one thread at a time.
ZELM_API int RegisterUserMessage(const char* pszName);

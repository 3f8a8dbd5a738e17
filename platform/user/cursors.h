#pragma once
// The system's standard cursors.

#include <zelmtools/platform/base/export.h>
#include <zelmtools/platform/base/win_types.h>

#define IDC_ARROW MAKEINTRESOURCEA(32512)
#define IDC_IBEAM MAKEINTRESOURCEA(32513)
#define IDC_WAIT MAKEINTRESOURCEA(32514)
#define IDC_CROSS MAKEINTRESOURCEA(32515)

// A shared handle of a standard cursor (hInstance null, an IDC_ value); modules carry
// no cursor resources, so any other request fails with ERROR_RESOURCE_TYPE_NOT_FOUND.
ZELM_API HCURSOR LoadCursorA(HINSTANCE hInstance, LPCSTR lpCursorName);
#define LoadCursor LoadCursorA

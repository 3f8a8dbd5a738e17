#pragma once
// Text measurement for user-interface code: the size of a text in a font on a device
// context or a window, a font's stored height, a text shortened with "..." to fit a
// column, and a colour blended between two colours. The window forms are in
// libzelmtoolsgui; the others in libzelmtools.

#include <zelmtools/framework/gdi/CDC.h>
#include <zelmtools/framework/types/CRect.h>
#include <zelmtools/framework/windows/CWnd.h>
#include <zelmtools/platform/base/export.h>
#include <zelmtools/platform/gdi/gdi.h>

// The text's width and height in the font; the context's font is put back afterwards.
// A font that cannot be selected measures with the context's current font.
ZELM_API CSize GetSizeStr(CDC* pDC, CFont* pFont, const char* pszText);
ZELM_API int GetWidthStr(CDC* pDC, CFont* pFont, const char* pszText);
ZELM_API int GetHeightStr(CDC* pDC, CFont* pFont, const char* pszText);
// The same on a client-area context of the window.
ZELM_API CSize GetSizeStr(CWnd* pWnd, CFont* pFont, const char* pszText);
ZELM_API int GetWidthStr(CWnd* pWnd, CFont* pFont, const char* pszText);
ZELM_API int GetHeightStr(CWnd* pWnd, CFont* pFont, const char* pszText);
// The text's size in the font the window shows its text in.
ZELM_API CSize GetTextExtentFor(CWnd* pWnd, const char* pszText);

// The height field of the font's description as stored: negative for a character
// height, positive for a cell height.
ZELM_API int GetHeightFromFont(CFont* pFont);

// The text itself when it fits nColumnLen with nOffset pixels before it in the
// context's current font; otherwise as many whole characters as fit followed by "..."
// (at least the first character, even when that does not fit). The shortened text is
// kept in a buffer of the calling thread, valid until that thread's next shortening;
// it holds at most 259 bytes.
ZELM_API const char* MakeShortString(CDC* pDC, const char* pszText, int nColumnLen, int nOffset);

// Each of red, green and blue moved from the first colour toward the second by the
// weight (0: the first, 1: the second), cut toward zero and wrapped to 8 bits; the
// weight is not clamped.
ZELM_API COLORREF GetColorWeight(COLORREF crFirst, COLORREF crSecond, double dWeight);

#pragma once
// The graphics device interface: device contexts, bitmaps, fonts and brushes, and
// text drawing. Our own software raster over FreeType and fontconfig; every surface
// is 32 bits per pixel (blue, green, red, unused), as on a true-colour display.

#include <zelmtools/platform/base/export.h>
#include <cstdint>
#include <string>
#include <vector>

#include <zelmtools/platform/base/win_types.h>

constexpr int LF_FACESIZE = 32;

struct LOGFONTA {
    LONG lfHeight;
    LONG lfWidth;
    LONG lfEscapement;
    LONG lfOrientation;
    LONG lfWeight;
    BYTE lfItalic;
    BYTE lfUnderline;
    BYTE lfStrikeOut;
    BYTE lfCharSet;
    BYTE lfOutPrecision;
    BYTE lfClipPrecision;
    BYTE lfQuality;
    BYTE lfPitchAndFamily;
    CHAR lfFaceName[LF_FACESIZE];
};
using LOGFONT = LOGFONTA;
using LPLOGFONTA = LOGFONTA*;
using LPLOGFONT = LOGFONTA*;
static_assert(sizeof(LOGFONTA) == 60, "LOGFONTA is stored as 60 bytes");

struct TEXTMETRICA {
    LONG tmHeight;
    LONG tmAscent;
    LONG tmDescent;
    LONG tmInternalLeading;
    LONG tmExternalLeading;
    LONG tmAveCharWidth;
    LONG tmMaxCharWidth;
    LONG tmWeight;
    LONG tmOverhang;
    LONG tmDigitizedAspectX;
    LONG tmDigitizedAspectY;
    BYTE tmFirstChar;
    BYTE tmLastChar;
    BYTE tmDefaultChar;
    BYTE tmBreakChar;
    BYTE tmItalic;
    BYTE tmUnderlined;
    BYTE tmStruckOut;
    BYTE tmPitchAndFamily;
    BYTE tmCharSet;
};
using TEXTMETRIC = TEXTMETRICA;

struct BITMAP {
    LONG bmType;
    LONG bmWidth;
    LONG bmHeight;
    LONG bmWidthBytes;
    WORD bmPlanes;
    WORD bmBitsPixel;
    LPVOID bmBits;
};

struct LOGBRUSH {
    UINT lbStyle;
    COLORREF lbColor;
    UINT_PTR lbHatch;
};

// Font weights.
constexpr LONG FW_DONTCARE = 0;
constexpr LONG FW_THIN = 100;
constexpr LONG FW_LIGHT = 300;
constexpr LONG FW_NORMAL = 400;
constexpr LONG FW_MEDIUM = 500;
constexpr LONG FW_SEMIBOLD = 600;
constexpr LONG FW_BOLD = 700;
constexpr LONG FW_HEAVY = 900;

// Character sets, precisions, qualities, pitch and family.
constexpr BYTE ANSI_CHARSET = 0;
constexpr BYTE DEFAULT_CHARSET = 1;
constexpr BYTE RUSSIAN_CHARSET = 204;
constexpr BYTE OUT_DEFAULT_PRECIS = 0;
constexpr BYTE OUT_TT_PRECIS = 4;
constexpr BYTE CLIP_DEFAULT_PRECIS = 0;
constexpr BYTE DEFAULT_QUALITY = 0;
constexpr BYTE DRAFT_QUALITY = 1;
constexpr BYTE PROOF_QUALITY = 2;
constexpr BYTE NONANTIALIASED_QUALITY = 3;
constexpr BYTE ANTIALIASED_QUALITY = 4;
constexpr BYTE CLEARTYPE_QUALITY = 5;
constexpr BYTE DEFAULT_PITCH = 0;
constexpr BYTE FIXED_PITCH = 1;
constexpr BYTE VARIABLE_PITCH = 2;
constexpr BYTE FF_DONTCARE = 0x00;
constexpr BYTE FF_ROMAN = 0x10;
constexpr BYTE FF_SWISS = 0x20;
constexpr BYTE FF_MODERN = 0x30;

// Background modes.
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;

// DrawText formats.
constexpr UINT DT_TOP = 0x0000;
constexpr UINT DT_LEFT = 0x0000;
constexpr UINT DT_CENTER = 0x0001;
constexpr UINT DT_RIGHT = 0x0002;
constexpr UINT DT_VCENTER = 0x0004;
constexpr UINT DT_BOTTOM = 0x0008;
constexpr UINT DT_WORDBREAK = 0x0010;
constexpr UINT DT_SINGLELINE = 0x0020;
constexpr UINT DT_EXPANDTABS = 0x0040;
constexpr UINT DT_NOCLIP = 0x0100;
constexpr UINT DT_CALCRECT = 0x0400;
constexpr UINT DT_NOPREFIX = 0x0800;

// ExtTextOut options.
constexpr UINT ETO_OPAQUE = 0x0002;
constexpr UINT ETO_CLIPPED = 0x0004;

// GetDeviceCaps indexes.
constexpr int HORZRES = 8;
constexpr int VERTRES = 10;
constexpr int BITSPIXEL = 12;
constexpr int PLANES = 14;
constexpr int NUMCOLORS = 24;
constexpr int RASTERCAPS = 38;
constexpr int LOGPIXELSX = 88;
constexpr int LOGPIXELSY = 90;
constexpr int SIZEPALETTE = 104;
constexpr int RC_PALETTE = 0x0100;

// Raster operations.
constexpr DWORD SRCCOPY = 0x00CC0020;
constexpr DWORD BLACKNESS = 0x00000042;
constexpr DWORD WHITENESS = 0x00FF0062;

// Stock objects.
constexpr int WHITE_BRUSH = 0;
constexpr int LTGRAY_BRUSH = 1;
constexpr int GRAY_BRUSH = 2;
constexpr int DKGRAY_BRUSH = 3;
constexpr int BLACK_BRUSH = 4;
constexpr int NULL_BRUSH = 5;
constexpr int SYSTEM_FONT = 13;
constexpr int DEFAULT_GUI_FONT = 17;

// Object types (GetObjectType).
constexpr DWORD OBJ_BRUSH = 2;
constexpr DWORD OBJ_DC = 3;
constexpr DWORD OBJ_FONT = 6;
constexpr DWORD OBJ_BITMAP = 7;
constexpr DWORD OBJ_MEMDC = 10;

constexpr UINT BS_SOLID = 0;
constexpr UINT BS_NULL = 1;
constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;
#define HGDI_ERROR (reinterpret_cast<HGDIOBJ>(static_cast<LONG_PTR>(-1)))

// Device contexts.
ZELM_API HDC GetDC(HWND hWnd);
ZELM_API int ReleaseDC(HWND hWnd, HDC hDC);
ZELM_API HDC CreateCompatibleDC(HDC hdc);
ZELM_API BOOL DeleteDC(HDC hdc);
ZELM_API HGDIOBJ SelectObject(HDC hdc, HGDIOBJ h);
ZELM_API HGDIOBJ GetCurrentObject(HDC hdc, UINT type);
ZELM_API int GetDeviceCaps(HDC hdc, int index);
ZELM_API int SetBkMode(HDC hdc, int mode);
ZELM_API int GetBkMode(HDC hdc);
ZELM_API COLORREF SetTextColor(HDC hdc, COLORREF color);
ZELM_API COLORREF GetTextColor(HDC hdc);
ZELM_API COLORREF SetBkColor(HDC hdc, COLORREF color);
ZELM_API COLORREF GetBkColor(HDC hdc);
ZELM_API BOOL SetTextJustification(HDC hdc, int extra, int count);

// Objects.
ZELM_API HGDIOBJ GetStockObject(int index);
ZELM_API BOOL DeleteObject(HGDIOBJ ho);
ZELM_API DWORD GetObjectType(HGDIOBJ h);
ZELM_API int GetObjectA(HGDIOBJ h, int c, LPVOID pv);
#define GetObject GetObjectA
ZELM_API HBITMAP CreateCompatibleBitmap(HDC hdc, int cx, int cy);
ZELM_API HBITMAP LoadBitmapA(HINSTANCE hInstance, LPCSTR lpBitmapName);
#define LoadBitmap LoadBitmapA
ZELM_API LONG GetBitmapBits(HBITMAP hbit, LONG cb, LPVOID lpvBits);
ZELM_API HBRUSH CreateSolidBrush(COLORREF color);
ZELM_API HFONT CreateFontIndirectA(const LOGFONTA* lplf);
#define CreateFontIndirect CreateFontIndirectA

// Pixels and areas.
ZELM_API int FillRect(HDC hDC, const RECT* lprc, HBRUSH hbr);
ZELM_API COLORREF GetPixel(HDC hdc, int x, int y);
ZELM_API COLORREF SetPixel(HDC hdc, int x, int y, COLORREF color);
ZELM_API BOOL BitBlt(HDC hdc, int x, int y, int cx, int cy, HDC hdcSrc, int x1, int y1, DWORD rop);

// Text. Single-byte texts are UTF-8.
ZELM_API BOOL GetTextMetricsA(HDC hdc, TEXTMETRICA* lptm);
#define GetTextMetrics GetTextMetricsA
ZELM_API BOOL GetTextExtentPoint32A(HDC hdc, LPCSTR lpString, int c, SIZE* psizl);
#define GetTextExtentPoint32 GetTextExtentPoint32A
// The extent of every prefix in one layout: lpnDx[i] (when given) is the width of the
// text up to the end of the character that byte i belongs to, as DrawText and
// GetTextExtentPoint32 measure that prefix (justification included); *lpnFit (when
// given) counts the bytes of the leading whole characters no wider than nMaxExtent.
ZELM_API BOOL GetTextExtentExPointA(HDC hdc, LPCSTR lpszString, int cchString, int nMaxExtent, INT* lpnFit, INT* lpnDx,
                           SIZE* lpSize);
#define GetTextExtentExPoint GetTextExtentExPointA
ZELM_API BOOL ExtTextOutA(HDC hdc, int x, int y, UINT options, const RECT* lprect, LPCSTR lpString, UINT c,
                 const INT* lpDx);
#define ExtTextOut ExtTextOutA
ZELM_API BOOL TextOutA(HDC hdc, int x, int y, LPCSTR lpString, int c);
#define TextOut TextOutA
ZELM_API int DrawTextA(HDC hdc, LPCSTR lpchText, int cchText, LPRECT lprc, UINT format);
#define DrawText DrawTextA

namespace zelm::platform {

// A device context that draws into pixels owned by the caller (a window's backing
// image): 32 bits per pixel, rows strideBytes apart, top row first.
ZELM_API HDC CreateSurfaceDC(std::uint32_t* bits, int width, int height, int strideBytes);

// How many glyphs have been rasterised since the process started (the glyph caches
// keep this low: a glyph is rasterised once per font).
long GlyphRasterCount();

// The family that fontconfig matches for a face name, and whether it is that face
// (fontconfig always matches something).
ZELM_API bool FontFamilyExists(const char* faceName);

}  // namespace zelm::platform

// Icons.
constexpr int SM_CXICON = 11;
constexpr int SM_CYICON = 12;
constexpr int SM_CXSMICON = 49;
constexpr int SM_CYSMICON = 50;
// The height of a window's caption (title bar).
constexpr int SM_CYCAPTION = 4;
#define IDI_APPLICATION MAKEINTRESOURCEA(32512)
ZELM_API int GetSystemMetrics(int nIndex);
// The image of the icon resource closest to the system's icon size.
ZELM_API HICON LoadIconA(HINSTANCE hInstance, LPCSTR lpIconName);
#define LoadIcon LoadIconA
ZELM_API BOOL DestroyIcon(HICON hIcon);
ZELM_API BOOL DrawIcon(HDC hDC, int x, int y, HICON hIcon);

namespace zelm::platform {

// An icon's pixels for the windowing toolkit: 0xAARRGGBB, rows top first.
struct IconImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> argb;
};
ZELM_API const IconImage* IconImageOf(HICON hIcon);

// The family fontconfig picks for a face name (a face that is not installed maps to
// a similar one).
ZELM_API std::string MatchedFontFamily(const char* faceName);

}  // namespace zelm::platform

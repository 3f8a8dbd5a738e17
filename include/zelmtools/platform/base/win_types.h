#pragma once
// The basic types, handles and constants of the operating-system interface, with
// their usual names and sizes (ILP32 sizes where the record layouts depend on them).

#if __cplusplus < 202002L
#error "zelmTools needs C++20 or later (for example -std=c++20)"
#endif

#include <cstddef>
#include <cstdint>
#include <type_traits>

#include <zelmtools/platform/base/distinct_int32.h>

namespace zelm::platform {
struct DwordTag;
struct LongTag;
}  // namespace zelm::platform

using BYTE = std::uint8_t;
using WORD = std::uint16_t;
// DWORD and LONG are the interface's unsigned long and long: 32 bits, and types of
// their own rather than unsigned int and int, so that overloads can tell them apart
// (the registry stores a DWORD or LONG as REG_DWORD and an int as binary).
using DWORD = zelm::platform::DistinctInt32<std::uint32_t, zelm::platform::DwordTag>;
using LONG = zelm::platform::DistinctInt32<std::int32_t, zelm::platform::LongTag>;
static_assert(sizeof(DWORD) == 4 && alignof(DWORD) == 4 && sizeof(LONG) == 4 && alignof(LONG) == 4);
static_assert(std::is_trivially_copyable_v<DWORD> && std::is_standard_layout_v<DWORD>);
using ULONG = std::uint32_t;
using UINT = unsigned int;
using INT = int;
// X11's protocol header (Xmd.h) declares a one-byte BOOL of its own. When it came
// first, ours (an int, as every call here takes it) is reached through a macro, so
// that both headers can be used in one file.
#ifdef XMD_H
using ZELM_BOOL = int;
#define BOOL ZELM_BOOL
#else
using BOOL = int;
#endif
using CHAR = char;
using WCHAR = char16_t;
using SHORT = std::int16_t;
using USHORT = std::uint16_t;
using LONGLONG = std::int64_t;
using ULONGLONG = std::uint64_t;
using UINT_PTR = std::uintptr_t;
using LONG_PTR = std::intptr_t;
using INT_PTR = std::intptr_t;
using DWORD_PTR = std::uintptr_t;
using ULONG_PTR = std::uintptr_t;
using SIZE_T = std::size_t;
using WPARAM = UINT_PTR;
using LPARAM = LONG_PTR;
using LRESULT = LONG_PTR;
using HRESULT = std::int32_t;
using COLORREF = DWORD;
using ATOM = WORD;

using LPSTR = char*;
using LPCSTR = const char*;
using LPWSTR = WCHAR*;
using LPCWSTR = const WCHAR*;
using LPVOID = void*;
using LPCVOID = const void*;
using LPBYTE = BYTE*;
using LPDWORD = DWORD*;
using LPLONG = LONG*;
using PBYTE = BYTE*;
using PLONG = LONG*;

union LARGE_INTEGER {
    struct {
        DWORD LowPart;
        LONG HighPart;
    } u;
    LONGLONG QuadPart;
};

#define ZELM_DECLARE_HANDLE(name) \
    struct name##__;              \
    using name = name##__*

ZELM_DECLARE_HANDLE(HWND);
ZELM_DECLARE_HANDLE(HINSTANCE);
ZELM_DECLARE_HANDLE(HKEY);
ZELM_DECLARE_HANDLE(HDC);
ZELM_DECLARE_HANDLE(HGDIOBJ);
ZELM_DECLARE_HANDLE(HICON);
ZELM_DECLARE_HANDLE(HMENU);
ZELM_DECLARE_HANDLE(HRSRC);
ZELM_DECLARE_HANDLE(HGLOBAL);
ZELM_DECLARE_HANDLE(HMONITOR);
using HANDLE = void*;
using HMODULE = HINSTANCE;
using HCURSOR = HICON;
// GDI object handles all share one handle space (HGDIOBJ); the typed names are for
// readability at the call sites, as in the original headers' non-strict mode.
using HBITMAP = HGDIOBJ;
using HFONT = HGDIOBJ;
using HBRUSH = HGDIOBJ;
using HPEN = HGDIOBJ;
using HPALETTE = HGDIOBJ;
using HRGN = HGDIOBJ;

using PHKEY = HKEY*;

// Macros, as curses, jpeglib and other C headers define them too (with these values).
#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif
#define INVALID_HANDLE_VALUE (reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-1)))
#define MAX_PATH 260

struct POINT {
    LONG x;
    LONG y;
};
struct SIZE {
    LONG cx;
    LONG cy;
};
struct RECT {
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
};
using LPRECT = RECT*;
using LPCRECT = const RECT*;
using LPPOINT = POINT*;

constexpr WORD LOWORD(DWORD_PTR l) { return static_cast<WORD>(l & 0xFFFF); }
constexpr WORD HIWORD(DWORD_PTR l) { return static_cast<WORD>((l >> 16) & 0xFFFF); }
constexpr BYTE LOBYTE(DWORD_PTR w) { return static_cast<BYTE>(w & 0xFF); }
constexpr LONG MAKELONG(WORD lo, WORD hi) { return static_cast<LONG>(static_cast<DWORD>(lo) | (static_cast<DWORD>(hi) << 16)); }
constexpr LPARAM MAKELPARAM(WORD lo, WORD hi) { return static_cast<LPARAM>(static_cast<DWORD>(MAKELONG(lo, hi))); }
constexpr WPARAM MAKEWPARAM(WORD lo, WORD hi) { return static_cast<WPARAM>(static_cast<DWORD>(MAKELONG(lo, hi))); }

constexpr COLORREF RGB(BYTE r, BYTE g, BYTE b) { return static_cast<COLORREF>(r | (g << 8) | (b << 16)); }
constexpr BYTE GetRValue(COLORREF c) { return static_cast<BYTE>(c & 0xFF); }
constexpr BYTE GetGValue(COLORREF c) { return static_cast<BYTE>((c >> 8) & 0xFF); }
constexpr BYTE GetBValue(COLORREF c) { return static_cast<BYTE>((c >> 16) & 0xFF); }

// Integer resource names: a number below 0x10000 passed where a name is expected.
#define MAKEINTRESOURCEA(i) (reinterpret_cast<LPSTR>(static_cast<UINT_PTR>(static_cast<WORD>(i))))
#define MAKEINTRESOURCE MAKEINTRESOURCEA
#define IS_INTRESOURCE(p) ((reinterpret_cast<UINT_PTR>(p) >> 16) == 0)

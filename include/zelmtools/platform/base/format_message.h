#pragma once
// The system message formatter: message texts from a template, a module's message
// table or the system's own table, with numbered inserts (%1 to %99).

#include <cstdarg>

#include <zelmtools/platform/base/export.h>
#include <zelmtools/platform/base/win_types.h>

constexpr DWORD FORMAT_MESSAGE_ALLOCATE_BUFFER = 0x00000100;
constexpr DWORD FORMAT_MESSAGE_IGNORE_INSERTS = 0x00000200;
constexpr DWORD FORMAT_MESSAGE_FROM_STRING = 0x00000400;
constexpr DWORD FORMAT_MESSAGE_FROM_HMODULE = 0x00000800;
constexpr DWORD FORMAT_MESSAGE_FROM_SYSTEM = 0x00001000;
constexpr DWORD FORMAT_MESSAGE_ARGUMENT_ARRAY = 0x00002000;
// The low byte: 0 keeps the template's line breaks; FORMAT_MESSAGE_MAX_WIDTH_MASK turns
// them into spaces; any other value also wraps the output at that many characters.
constexpr DWORD FORMAT_MESSAGE_MAX_WIDTH_MASK = 0x000000FF;

constexpr WORD LANG_NEUTRAL = 0x00;
constexpr WORD LANG_ENGLISH = 0x09;
constexpr WORD LANG_RUSSIAN = 0x19;
constexpr WORD SUBLANG_NEUTRAL = 0x00;
constexpr WORD SUBLANG_DEFAULT = 0x01;
constexpr WORD SUBLANG_SYS_DEFAULT = 0x02;
constexpr WORD MAKELANGID(WORD primary, WORD sub)
{
    return static_cast<WORD>((sub << 10) | primary);
}
constexpr WORD PRIMARYLANGID(WORD lang)
{
    return static_cast<WORD>(lang & 0x3FF);
}
constexpr WORD SUBLANGID(WORD lang)
{
    return static_cast<WORD>(lang >> 10);
}
constexpr WORD LANG_USER_DEFAULT = MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT);
constexpr WORD LANG_SYSTEM_DEFAULT = MAKELANGID(LANG_NEUTRAL, SUBLANG_SYS_DEFAULT);

// Arguments is a va_list of pointer-sized values, or with FORMAT_MESSAGE_ARGUMENT_ARRAY
// an array of DWORD_PTR cast to va_list*. A null Arguments leaves inserts unexpanded.
// With FORMAT_MESSAGE_ALLOCATE_BUFFER, lpBuffer is an LPSTR* that receives a block to
// release with LocalFree, and nSize is the least size to allocate.
// Returns the length of the text without its terminator; 0 with the last error set.
ZELM_API DWORD FormatMessageA(DWORD dwFlags, LPCVOID lpSource, DWORD dwMessageId, DWORD dwLanguageId, LPSTR lpBuffer,
                              DWORD nSize, va_list* Arguments);

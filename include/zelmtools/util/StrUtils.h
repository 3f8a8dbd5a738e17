#pragma once
// Small text helpers: words of a delimited line, numbers as text, string resources,
// a bit-count checksum and unique temporary files.

#include <zelmtools/platform/base/export.h>
#include <zelmtools/framework/strings/CString.h>
#include <zelmtools/platform/base/win_types.h>

namespace zelm::tools {
// The longest word ExtractWord hands out, so that a MAX_PATH buffer always holds it.
constexpr int kMaxWordBytes = MAX_PATH - 1;
}  // namespace zelm::tools

// The word at nIndex (from 0; a negative index counts as 0) of a line split at runs of
// the delimiter characters, copied into pszWord; null, with pszWord untouched, when
// the line has no such word. Words longer than kMaxWordBytes are cut on a character
// boundary.
ZELM_API char* ExtractWord(int nIndex, const char* pszLine, const char* pszDelimiters, char* pszWord);
// The same word, or an empty string.
ZELM_API CString ExtractWord(int nIndex, const char* pszLine, const char* pszDelimiters);

ZELM_API CString IntToStr(int nValue);
// Fixed-point text of at least nWidth characters (padded on the left, or on the right
// for a negative width) with nPrecision digits after the point.
ZELM_API CString DoubleToStr(double dValue, int nWidth, int nPrecision);

// The string resource nID of the application or of a library in the resource chain;
// empty when none has it.
ZELM_API CString LoadStringA(UINT nID);

// The number of bits set in the first nLength bytes; 0 for a negative length.
ZELM_API int CalcCheckSum(void* pData, int nLength);

// The path of a new, empty file of a unique name in the temporary folder, named with
// up to three bytes of the prefix; empty when no such file can be made.
ZELM_API CString MakeTempFileName(const char* pszPrefix);

#pragma once
// Counted UTF-16 strings. A BSTR points at the text; the four bytes before it hold the
// text's length in bytes (without the terminator), and two zero bytes follow the text,
// so a BSTR reads as a terminated string too. A null BSTR is the empty string.

#include <zelmtools/platform/base/export.h>
#include <zelmtools/platform/base/win_types.h>

using OLECHAR = char16_t;
using LPOLESTR = OLECHAR*;
using LPCOLESTR = const OLECHAR*;
using BSTR = OLECHAR*;

// A copy of the terminated text; null for a null text or when memory runs out.
ZELM_API BSTR SysAllocString(const OLECHAR* psz);
// ui characters: copied from strIn when it is not null, else left zero.
ZELM_API BSTR SysAllocStringLen(const OLECHAR* strIn, UINT ui);
// len bytes (an odd count allowed): copied from psz when it is not null, else left zero.
ZELM_API BSTR SysAllocStringByteLen(LPCSTR psz, UINT len);
// Replaces *pbstr with a new copy of psz; FALSE (and *pbstr unchanged) on failure.
ZELM_API INT SysReAllocString(BSTR* pbstr, const OLECHAR* psz);
ZELM_API void SysFreeString(BSTR bstrString);
// Length in characters and in bytes; 0 for a null BSTR.
ZELM_API UINT SysStringLen(BSTR pbstr);
ZELM_API UINT SysStringByteLen(BSTR bstr);

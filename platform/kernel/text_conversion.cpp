#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include <zelmtools/platform/base/errors.h>
#include <zelmtools/platform/kernel/text_conversion.h>

#include "platform/base/utf8.h"

namespace {

bool IsUtf8CodePage(UINT codePage)
{
    return codePage == CP_ACP || codePage == CP_UTF8 || codePage == CP_OEMCP || codePage == CP_THREAD_ACP;
}

int Fail(LONG error)
{
    SetLastError(error);
    return 0;
}

// The source's length in units: up to and with the terminator for -1.
template <typename Char>
std::size_t SourceLength(const Char* text, int length)
{
    return length == -1 ? std::char_traits<Char>::length(text) + 1 : static_cast<std::size_t>(length);
}

bool HasUnpairedSurrogate(std::u16string_view text)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        char16_t ch = text[i];
        if (ch >= 0xD800 && ch <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF)
            ++i;
        else if (ch >= 0xD800 && ch <= 0xDFFF)
            return true;
    }
    return false;
}

// The size query or the copy into the caller's buffer of `capacity` units.
template <typename Char>
int Deliver(const std::basic_string<Char>& converted, Char* buffer, int capacity)
{
    if (converted.size() > static_cast<std::size_t>(INT32_MAX)) return Fail(ERROR_NOT_ENOUGH_MEMORY);
    int needed = static_cast<int>(converted.size());
    if (capacity == 0) return needed;
    if (needed > capacity) return Fail(ERROR_INSUFFICIENT_BUFFER);
    std::copy(converted.begin(), converted.end(), buffer);
    return needed;
}

template <typename Source, typename Dest>
bool BadArguments(const Source* source, int sourceLength, const Dest* dest, int destCapacity)
{
    return source == nullptr || sourceLength == 0 || sourceLength < -1 || destCapacity < 0 ||
           (destCapacity > 0 && dest == nullptr) ||
           (destCapacity > 0 && static_cast<const void*>(source) == static_cast<const void*>(dest));
}

}  // namespace

int MultiByteToWideChar(UINT CodePage, DWORD dwFlags, LPCSTR lpMultiByteStr, int cbMultiByte, LPWSTR lpWideCharStr,
                        int cchWideChar)
{
    if (BadArguments(lpMultiByteStr, cbMultiByte, lpWideCharStr, cchWideChar)) return Fail(ERROR_INVALID_PARAMETER);
    if (!IsUtf8CodePage(CodePage)) return Fail(ERROR_INVALID_PARAMETER);
    if ((dwFlags & ~(MB_PRECOMPOSED | MB_ERR_INVALID_CHARS)) != 0) return Fail(ERROR_INVALID_FLAGS);
    std::string_view source(lpMultiByteStr, SourceLength(lpMultiByteStr, cbMultiByte));
    if ((dwFlags & MB_ERR_INVALID_CHARS) && !zelm::platform::IsValidUtf8(source))
        return Fail(ERROR_NO_UNICODE_TRANSLATION);
    return Deliver(zelm::platform::Utf8ToUtf16(source), lpWideCharStr, cchWideChar);
}

int WideCharToMultiByte(UINT CodePage, DWORD dwFlags, LPCWSTR lpWideCharStr, int cchWideChar, LPSTR lpMultiByteStr,
                        int cbMultiByte, LPCSTR lpDefaultChar, BOOL* lpUsedDefaultChar)
{
    if (BadArguments(lpWideCharStr, cchWideChar, lpMultiByteStr, cbMultiByte)) return Fail(ERROR_INVALID_PARAMETER);
    if (!IsUtf8CodePage(CodePage) || lpDefaultChar != nullptr || lpUsedDefaultChar != nullptr)
        return Fail(ERROR_INVALID_PARAMETER);
    if ((dwFlags & ~WC_ERR_INVALID_CHARS) != 0) return Fail(ERROR_INVALID_FLAGS);
    std::u16string_view source(lpWideCharStr, SourceLength(lpWideCharStr, cchWideChar));
    if ((dwFlags & WC_ERR_INVALID_CHARS) && HasUnpairedSurrogate(source)) return Fail(ERROR_NO_UNICODE_TRANSLATION);
    return Deliver(zelm::platform::Utf16ToUtf8(source), lpMultiByteStr, cbMultiByte);
}

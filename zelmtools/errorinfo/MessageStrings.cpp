// Message strings: every formatting step runs on single-byte text, and the result is
// handed back as UTF-16 from the local heap.
#include <cstdarg>
#include <cstring>
#include <string>

#include <zelmtools/errorinfo/MessageStrings.h>
#include <zelmtools/platform/base/errors.h>
#include <zelmtools/platform/base/format_message.h>
#include <zelmtools/platform/kernel/local_memory.h>
#include <zelmtools/platform/kernel/text_conversion.h>

namespace {

// The formatter reads its insert array through a va_list*; the array is pointer-sized
// values either way.
va_list* InsertArray(const void* inserts)
{
    return reinterpret_cast<va_list*>(const_cast<void*>(inserts));
}

// Converts the formatter's block to a UTF-16 message string and frees the block.
LPWSTR ToMessageString(LPSTR formatted, DWORD length)
{
    SIZE_T bytes = 2 * static_cast<SIZE_T>(length) + 2;
    auto* converted = static_cast<LPWSTR>(LocalAlloc(LPTR, bytes));
    bool ok = converted != nullptr;
    if (ok && length > 0)
        ok = MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, formatted, static_cast<int>(length), converted,
                                 static_cast<int>(length + 1)) > 0;
    LocalFree(formatted);
    if (!ok) {
        LocalFree(converted);
        return nullptr;
    }
    return converted;
}

LPWSTR Format(DWORD flags, LPCVOID source, DWORD messageId, DWORD language, const void* inserts)
{
    if (inserts != nullptr) flags |= FORMAT_MESSAGE_ARGUMENT_ARRAY;
    LPSTR formatted = nullptr;
    DWORD length = FormatMessageA(flags, source, messageId, language, reinterpret_cast<LPSTR>(&formatted), 0,
                                  inserts ? InsertArray(inserts) : nullptr);
    if (length == 0 || formatted == nullptr) {
        LocalFree(formatted);
        return nullptr;
    }
    return ToMessageString(formatted, length);
}

}  // namespace

LPWSTR GetMessageStringSystem()
{
    DWORD error = GetLastError();
    return Format(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM, nullptr, error, 0, nullptr);
}

LPWSTR GetMessageStringModule(DWORD nMessageID, HINSTANCE hModule, DWORD dwLanguage, const void* pInserts)
{
    return Format(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_HMODULE, hModule, nMessageID, dwLanguage,
                  pInserts);
}

LPWSTR GetMessageStringFromString(LPCWSTR pszTemplate, const void* pInserts)
{
    if (pszTemplate == nullptr) return nullptr;
    // A UTF-16 unit becomes at most three bytes here (a surrogate pair four for two).
    std::size_t units = std::char_traits<WCHAR>::length(pszTemplate);
    std::string ansi(3 * units + 1, '\0');
    int written =
        WideCharToMultiByte(CP_ACP, 0, pszTemplate, -1, ansi.data(), static_cast<int>(ansi.size()), nullptr, nullptr);
    if (written <= 0) return nullptr;
    return Format(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_STRING, ansi.c_str(), 0, 0, pInserts);
}

void FreeMessageString(LPWSTR pszMessage)
{
    LocalFree(pszMessage);
}

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>

#include <zelmtools/platform/base/errors.h>
#include <zelmtools/platform/base/format_message.h>
#include <zelmtools/platform/kernel/local_memory.h>

#include "platform/errors/message_template.h"
#include "platform/kernel/message_tables.h"
#include "platform/errors/system_messages.h"

namespace {

using namespace zelm::platform;

constexpr DWORD kSourceFlags = FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_FROM_HMODULE | FORMAT_MESSAGE_FROM_SYSTEM;

std::optional<std::string> SystemTemplate(DWORD messageId, DWORD languageId, DWORD& error)
{
    auto language = ResolveMessageLanguage(languageId);
    if (!language) {
        error = ERROR_MUI_FILE_NOT_FOUND;
        return std::nullopt;
    }
    auto text = SystemMessage(messageId, *language);
    if (!text) error = ERROR_MR_MID_NOT_FOUND;
    return text;
}

// The template from the source the flags name: the string itself, the module's table,
// the system's table, or the module's and then the system's.
std::optional<std::string> LoadTemplate(DWORD flags, LPCVOID source, DWORD messageId, DWORD languageId, DWORD& error)
{
    if (flags & FORMAT_MESSAGE_FROM_STRING) {
        if ((flags & kSourceFlags) != FORMAT_MESSAGE_FROM_STRING || source == nullptr) {
            error = ERROR_INVALID_PARAMETER;
            return std::nullopt;
        }
        return std::string(static_cast<const char*>(source));
    }
    if (flags & FORMAT_MESSAGE_FROM_HMODULE) {
        std::string text;
        auto* module = static_cast<HMODULE>(const_cast<void*>(source));
        if (FindMessageInTable(module, messageId, static_cast<WORD>(languageId & 0xFFFF), text)) return text;
        error = GetLastError();
        if (!(flags & FORMAT_MESSAGE_FROM_SYSTEM)) return std::nullopt;
    }
    if (flags & FORMAT_MESSAGE_FROM_SYSTEM) return SystemTemplate(messageId, languageId, error);
    error = ERROR_INVALID_PARAMETER;
    return std::nullopt;
}

// Hands the text to the caller: into a new local block, or into the caller's buffer.
DWORD Deliver(const std::string& text, DWORD flags, LPSTR buffer, DWORD size)
{
    if (flags & FORMAT_MESSAGE_ALLOCATE_BUFFER) {
        auto* target = reinterpret_cast<LPSTR*>(buffer);
        *target = nullptr;
        if (text.empty()) return 0;  // nothing for the caller to free
        auto* block = static_cast<LPSTR>(LocalAlloc(LMEM_FIXED, std::max<std::size_t>(size, text.size() + 1)));
        if (block == nullptr) return 0;
        std::memcpy(block, text.c_str(), text.size() + 1);
        *target = block;
        return static_cast<DWORD>(text.size());
    }
    if (text.size() >= size) {
        if (size > 0) buffer[0] = '\0';
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    std::memcpy(buffer, text.c_str(), text.size() + 1);
    return static_cast<DWORD>(text.size());
}

}  // namespace

DWORD FormatMessageA(DWORD dwFlags, LPCVOID lpSource, DWORD dwMessageId, DWORD dwLanguageId, LPSTR lpBuffer,
                     DWORD nSize, va_list* Arguments)
{
    if (lpBuffer == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (dwFlags & FORMAT_MESSAGE_ALLOCATE_BUFFER) *reinterpret_cast<LPSTR*>(lpBuffer) = nullptr;

    DWORD error = ERROR_SUCCESS;
    auto pattern = LoadTemplate(dwFlags, lpSource, dwMessageId, dwLanguageId, error);
    std::string text;
    if (pattern) {
        ExpandOptions options{(dwFlags & FORMAT_MESSAGE_IGNORE_INSERTS) != 0,
                              static_cast<int>(dwFlags & FORMAT_MESSAGE_MAX_WIDTH_MASK)};
        MessageArguments arguments(Arguments, (dwFlags & FORMAT_MESSAGE_ARGUMENT_ARRAY) != 0);
        ExpandMessage(*pattern, options, arguments, text, error);
    }
    if (error != ERROR_SUCCESS) {
        SetLastError(error);
        return 0;
    }
    return Deliver(text, dwFlags, lpBuffer, nSize);
}

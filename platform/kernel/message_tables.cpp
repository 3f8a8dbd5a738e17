#include "platform/kernel/message_tables.h"

#include <cstdint>
#include <cstring>

#include <zelmtools/platform/base/errors.h>
#include <zelmtools/platform/kernel/resources.h>

#include "platform/base/utf8.h"
#include "platform/kernel/resource_modules.h"

namespace zelm::platform {
namespace {

constexpr WORD kMessageTableType = 11;
constexpr WORD kMessageTableId = 1;
constexpr WORD kUsEnglish = 0x0409;
constexpr WORD kUnicodeEntry = 1;

std::uint32_t ReadDword(const BYTE* at)
{
    std::uint32_t value;
    std::memcpy(&value, at, sizeof value);
    return value;
}

std::uint16_t ReadWord(const BYTE* at)
{
    return static_cast<std::uint16_t>(at[0] | at[1] << 8);
}

// The entry's text, without the zero terminator and padding.
std::string EntryText(const BYTE* body, std::size_t length, bool unicode)
{
    if (!unicode)
        return std::string(reinterpret_cast<const char*>(body), strnlen(reinterpret_cast<const char*>(body), length));
    std::u16string text;
    for (std::size_t at = 0; at + 2 <= length && ReadWord(body + at) != 0; at += 2)
        text += static_cast<char16_t>(ReadWord(body + at));
    return Utf16ToUtf8(text);
}

const ResourceEntry* TableOfLanguage(const std::vector<ResourceEntry>& tables, WORD language)
{
    for (const auto& table : tables) {
        if (table.language == (language == 0 ? kUsEnglish : language)) return &table;
    }
    return language == 0 && !tables.empty() ? &tables.front() : nullptr;
}

}  // namespace

bool FindMessageInBlock(const BYTE* table, std::size_t size, DWORD id, std::string& text)
{
    if (table == nullptr || size < 4) return false;
    std::uint32_t blocks = ReadDword(table);
    std::uint32_t wanted = id;
    for (std::uint32_t i = 0; i < blocks && 4 + 12 * (std::size_t{i} + 1) <= size; ++i) {
        const BYTE* block = table + 4 + 12 * std::size_t{i};
        std::uint32_t low = ReadDword(block), high = ReadDword(block + 4);
        if (wanted < low || wanted > high) continue;
        std::size_t at = ReadDword(block + 8);
        for (std::uint32_t skip = wanted - low;; --skip) {
            if (at + 4 > size) return false;
            std::size_t length = ReadWord(table + at);
            if (length < 4 || at + length > size) return false;
            if (skip == 0) {
                text = EntryText(table + at + 4, length - 4, ReadWord(table + at + 2) == kUnicodeEntry);
                return true;
            }
            at += length;
        }
    }
    return false;
}

bool FindMessageInTable(HMODULE module, DWORD id, WORD language, std::string& text)
{
    auto tables = ModuleResources(module, kMessageTableType, kMessageTableId);
    if (tables.empty()) {
        SetLastError(ERROR_RESOURCE_TYPE_NOT_FOUND);
        return false;
    }
    const ResourceEntry* table = TableOfLanguage(tables, language);
    if (table == nullptr) {
        SetLastError(ERROR_RESOURCE_LANG_NOT_FOUND);
        return false;
    }
    if (!FindMessageInBlock(table->data, table->size, id, text)) {
        SetLastError(ERROR_MR_MID_NOT_FOUND);
        return false;
    }
    return true;
}

}  // namespace zelm::platform

#include "platform/errors/module_messages.h"

#include <cstring>

#include <zelmtools/platform/base/errors.h>
#include <zelmtools/platform/kernel/resources.h>

#include "platform/base/utf8.h"

namespace zelm::platform {

namespace {

constexpr WORD kAnsiEntry = 0x0000;
constexpr WORD kUnicodeEntry = 0x0001;
constexpr WORD kUtf8Entry = 0x0002;

// Little-endian reads that never pass the end of the table.
class TableReader {
public:
    TableReader(const BYTE* data, std::size_t size) : m_data(data), m_size(size) {}

    bool Dword(std::size_t offset, std::uint32_t& value) const
    {
        if (offset > m_size || m_size - offset < 4) return false;
        value = m_data[offset] | (m_data[offset + 1] << 8) | (m_data[offset + 2] << 16) |
                (static_cast<std::uint32_t>(m_data[offset + 3]) << 24);
        return true;
    }
    bool Word(std::size_t offset, WORD& value) const
    {
        if (offset > m_size || m_size - offset < 2) return false;
        value = static_cast<WORD>(m_data[offset] | (m_data[offset + 1] << 8));
        return true;
    }
    const BYTE* At(std::size_t offset) const { return m_data + offset; }
    bool Holds(std::size_t offset, std::size_t length) const { return offset <= m_size && m_size - offset >= length; }

private:
    const BYTE* m_data;
    std::size_t m_size;
};

// Entry texts are padded with terminators to a multiple of four bytes.
std::optional<std::string> EntryText(const TableReader& table, std::size_t offset)
{
    WORD length = 0;
    WORD flags = 0;
    if (!table.Word(offset, length) || !table.Word(offset + 2, flags) || length < 4 || !table.Holds(offset, length))
        return std::nullopt;
    const BYTE* text = table.At(offset + 4);
    std::size_t bytes = length - 4u;
    if (flags == kUnicodeEntry) {
        std::u16string units;
        for (std::size_t i = 0; i + 1 < bytes; i += 2) {
            char16_t unit = static_cast<char16_t>(text[i] | (text[i + 1] << 8));
            if (unit == 0) break;
            units += unit;
        }
        return Utf16ToUtf8(units);
    }
    if (flags != kAnsiEntry && flags != kUtf8Entry) return std::nullopt;
    return std::string(reinterpret_cast<const char*>(text), strnlen(reinterpret_cast<const char*>(text), bytes));
}

}  // namespace

std::optional<std::string> FindInMessageTable(const BYTE* data, std::size_t size, DWORD messageId)
{
    TableReader table(data, size);
    std::uint32_t blocks = 0;
    if (!table.Dword(0, blocks)) return std::nullopt;
    std::uint32_t id = messageId;
    for (std::uint32_t block = 0; block < blocks; ++block) {
        std::size_t header = 4 + std::size_t{block} * 12;
        std::uint32_t low = 0, high = 0, entries = 0;
        if (!table.Dword(header, low) || !table.Dword(header + 4, high) || !table.Dword(header + 8, entries))
            return std::nullopt;
        if (id < low || id > high) continue;
        std::size_t offset = entries;
        for (std::uint32_t skip = low; skip < id; ++skip) {
            WORD length = 0;
            if (!table.Word(offset, length) || length == 0) return std::nullopt;
            offset += length;
        }
        return EntryText(table, offset);
    }
    return std::nullopt;
}

std::optional<std::string> ModuleMessage(HMODULE module, DWORD messageId, DWORD& error)
{
    if (module == nullptr) module = GetModuleHandleA(nullptr);
    HRSRC found = module ? FindResourceA(module, MAKEINTRESOURCEA(1), RT_MESSAGETABLE) : nullptr;
    if (found == nullptr) {
        error = ERROR_RESOURCE_TYPE_NOT_FOUND;
        return std::nullopt;
    }
    const auto* data = static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
    auto text = data ? FindInMessageTable(data, SizeofResource(module, found), messageId) : std::nullopt;
    if (!text) error = ERROR_MR_MID_NOT_FOUND;
    return text;
}

}  // namespace zelm::platform

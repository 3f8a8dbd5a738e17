#include "ValueText.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "ToolError.h"

namespace zelmreg {

namespace {

const char* const kTypeNames[] = {"REG_NONE",
                                  "REG_SZ",
                                  "REG_EXPAND_SZ",
                                  "REG_BINARY",
                                  "REG_DWORD",
                                  "REG_DWORD_BIG_ENDIAN",
                                  "REG_LINK",
                                  "REG_MULTI_SZ",
                                  "REG_RESOURCE_LIST",
                                  "REG_FULL_RESOURCE_DESCRIPTOR",
                                  "REG_RESOURCE_REQUIREMENTS_LIST",
                                  "REG_QWORD"};

int HexDigit(char ch)
{
    if (ch >= '0' && ch <= '9') return ch - '0';
    if (ch >= 'a' && ch <= 'f') return ch - 'a' + 10;
    if (ch >= 'A' && ch <= 'F') return ch - 'A' + 10;
    return -1;
}

bool AppendHexByte(std::string_view digits, std::string& bytes)
{
    if (digits.empty() || digits.size() > 2) return false;
    int value = 0;
    for (char ch : digits) {
        if (HexDigit(ch) < 0) return false;
        value = value * 16 + HexDigit(ch);
    }
    bytes += static_cast<char>(value);
    return true;
}

std::string_view Trimmed(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

std::string LittleEndian(std::uint64_t number, int size)
{
    std::string bytes;
    for (int i = 0; i < size; ++i) bytes += static_cast<char>((number >> (8 * i)) & 0xFF);
    return bytes;
}

std::uint64_t NumberFrom(std::string_view bytes, bool bigEndian)
{
    std::uint64_t number = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        std::size_t at = bigEndian ? i : bytes.size() - 1 - i;
        number = (number << 8) | static_cast<unsigned char>(bytes[at]);
    }
    return number;
}

// A number for dword or qword: decimal or 0x hex, negative ones as their two's complement.
std::uint64_t ParseNumber(const std::string& text, int bytes)
{
    const bool negative = !text.empty() && text[0] == '-';
    char* end = nullptr;
    errno = 0;
    std::uint64_t magnitude = std::strtoull(text.c_str() + (negative ? 1 : 0), &end, 0);
    const std::uint64_t limit = bytes == 8 ? UINT64_MAX : UINT32_MAX;
    const std::uint64_t negativeLimit = bytes == 8 ? (1ULL << 63) : (1ULL << 31);
    bool valid = !text.empty() && *end == '\0' && errno == 0 && text.find_first_of("+ ") == std::string::npos &&
                 (negative ? magnitude <= negativeLimit : magnitude <= limit);
    if (!valid) UsageError("not a " + std::to_string(bytes * 8) + "-bit number: \"" + text + "\"");
    return negative ? (0 - magnitude) & limit : magnitude;
}

std::string HexList(std::string_view bytes)
{
    std::string text;
    char hex[4];
    for (unsigned char byte : bytes) {
        std::snprintf(hex, sizeof hex, text.empty() ? "%02x" : " %02x", byte);
        text += hex;
    }
    return text;
}

std::string Lowercase(std::string text)
{
    for (char& ch : text) ch = static_cast<char>(ch >= 'A' && ch <= 'Z' ? ch - 'A' + 'a' : ch);
    return text;
}

std::string SingleArgument(const std::string& type, const std::vector<std::string>& data)
{
    if (data.size() != 1) UsageError("type " + type + " takes exactly one DATA argument");
    return data[0];
}

std::string MultiText(const std::vector<std::string>& items)
{
    std::string bytes;
    for (const auto& item : items) {
        if (item.empty()) UsageError("multi_sz strings cannot be empty: an empty one ends the list");
        bytes += item + '\0';
    }
    return bytes + '\0';
}

std::string HexArgument(const std::string& type, const std::vector<std::string>& data)
{
    std::string joined;
    for (const auto& part : data) joined += part + ' ';
    std::string bytes;
    if (!ParseHexBytes(joined, bytes)) UsageError("type " + type + " takes hex bytes, like 05000000 or 05,00,00,00");
    return bytes;
}

}  // namespace

bool HexKindType(const std::string& kind, DWORD& type)
{
    if (kind == "hex") {
        type = REG_BINARY;
        return true;
    }
    if (kind.size() < 6 || kind.compare(0, 4, "hex(") != 0 || kind.back() != ')') return false;
    std::string digits = kind.substr(4, kind.size() - 5);
    char* end = nullptr;
    unsigned long number = std::strtoul(digits.c_str(), &end, 16);
    if (digits.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos || *end != '\0' ||
        number > 0xFFFFFFFFul)
        return false;
    type = static_cast<DWORD>(number);
    return true;
}

std::string TypeName(DWORD type)
{
    if (type < std::size(kTypeNames)) return kTypeNames[type];
    return "type " + std::to_string(type);
}

bool ParseHexBytes(std::string_view text, std::string& bytes)
{
    bytes.clear();
    text = Trimmed(text);
    if (text.find(',') != std::string_view::npos) {
        for (std::size_t start = 0;;) {
            std::size_t comma = text.find(',', start);
            std::string_view token =
                Trimmed(text.substr(start, comma == std::string_view::npos ? comma : comma - start));
            bool last = comma == std::string_view::npos;
            if (!(last && token.empty()) && !AppendHexByte(token, bytes)) return false;  // "05," ends well
            if (last) return true;
            start = comma + 1;
        }
    }
    std::string digits;
    for (char ch : text) {
        if (ch != ' ' && ch != '\t') digits += ch;
    }
    if (digits.size() % 2 != 0) return false;
    for (std::size_t i = 0; i < digits.size(); i += 2) {
        if (!AppendHexByte(std::string_view(digits).substr(i, 2), bytes)) return false;
    }
    return true;
}

Value ValueFromArguments(const std::string& name, const std::string& typeText, const std::vector<std::string>& data)
{
    std::string type = Lowercase(typeText);
    if (type.compare(0, 4, "reg_") == 0) type = type.substr(4);
    if (type == "sz") return Value{name, REG_SZ, SingleArgument(typeText, data)};
    if (type == "expand_sz") return Value{name, REG_EXPAND_SZ, SingleArgument(typeText, data)};
    if (type == "multi_sz") return Value{name, REG_MULTI_SZ, MultiText(data)};
    if (type == "dword") return Value{name, REG_DWORD, LittleEndian(ParseNumber(SingleArgument(typeText, data), 4), 4)};
    if (type == "qword") return Value{name, REG_QWORD, LittleEndian(ParseNumber(SingleArgument(typeText, data), 8), 8)};
    if (type == "binary") return Value{name, REG_BINARY, HexArgument(typeText, data)};
    if (type == "none") return Value{name, REG_NONE, HexArgument(typeText, data)};
    DWORD number = 0;
    if (type == "hex" || !HexKindType(type, number))
        UsageError("unknown value type \"" + typeText + "\" (see zelmreg --help)");
    return Value{name, number, HexArgument(typeText, data)};
}

std::string DisplayData(const Value& value)
{
    const std::string& data = value.data;
    switch (value.type) {
        case REG_SZ:
        case REG_EXPAND_SZ: return data.substr(0, data.find('\0'));
        case REG_MULTI_SZ: {
            std::string text = data;
            while (!text.empty() && text.back() == '\0') text.pop_back();
            for (std::size_t zero = text.find('\0'); zero != std::string::npos; zero = text.find('\0', zero + 2))
                text.replace(zero, 1, "\\0");
            return text;
        }
        case REG_DWORD:
        case REG_DWORD_BIG_ENDIAN:
        case REG_QWORD: {
            std::size_t width = value.type == REG_QWORD ? 8 : 4;
            if (data.size() != width) break;
            std::uint64_t number = NumberFrom(data, value.type == REG_DWORD_BIG_ENDIAN);
            char text[48];
            std::snprintf(text, sizeof text, "%llu (0x%0*llx)", static_cast<unsigned long long>(number),
                          static_cast<int>(width * 2), static_cast<unsigned long long>(number));
            return text;
        }
        default: break;
    }
    return HexList(data);
}

}  // namespace zelmreg

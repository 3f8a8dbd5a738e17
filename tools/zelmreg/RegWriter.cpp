#include <cstdio>

#include "RegFormat.h"
#include "ToolError.h"
#include "platform/base/utf8.h"

namespace zelmreg {

namespace {

constexpr std::size_t kLineWidth = 78;  // hex lines wrap with ",\" before this column

bool IsStringType(DWORD type)
{
    return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

bool FitsOnOneLine(const std::string& text)
{
    return text.find_first_of("\r\n") == std::string::npos;
}

// A text that can stand between quotes: UTF-8, one line, no zero and no control characters.
bool IsPlainText(const std::string& text)
{
    if (!zelm::platform::IsValidUtf8(text)) return false;
    for (unsigned char ch : text) {
        if (ch < 0x20 && ch != '\t') return false;
    }
    return true;
}

std::string Quoted(const std::string& text)
{
    std::string quoted = "\"";
    for (char ch : text) {
        if (ch == '\\' || ch == '"') quoted += '\\';
        quoted += ch;
    }
    return quoted + "\"";
}

std::string Utf16LeBytes(const std::string& text)
{
    std::string bytes;
    for (char16_t unit : zelm::platform::Utf8ToUtf16(text)) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

// prefix followed by the bytes as "xx,xx,...", wrapped the way .reg files wrap them.
std::string HexLines(std::string line, const std::string& bytes)
{
    std::string text;
    char hex[4];
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        std::snprintf(hex, sizeof hex, i + 1 < bytes.size() ? "%02x," : "%02x", static_cast<unsigned char>(bytes[i]));
        if (line.size() + 3 > kLineWidth) {
            text += line + "\\\r\n";
            line = "  ";
        }
        line += hex;
    }
    return text + line + "\r\n";
}

std::string HexPrefix(DWORD type)
{
    if (type == REG_BINARY) return "hex:";
    char prefix[24];
    std::snprintf(prefix, sizeof prefix, "hex(%x):", static_cast<unsigned>(type));
    return prefix;
}

}  // namespace

RegWriter::RegWriter() : m_text("Windows Registry Editor Version 5.00\r\n") {}

void RegWriter::BeginKey(const std::string& fullPath)
{
    if (!zelm::platform::IsValidUtf8(fullPath) || !FitsOnOneLine(fullPath))
        Failure("key " + fullPath + " has a name that a .reg file cannot carry (not UTF-8 or a line break)");
    m_keyPath = fullPath;
    m_text += "\r\n[" + fullPath + "]\r\n";
}

void RegWriter::AddValue(const Value& value)
{
    bool nameOk = zelm::platform::IsValidUtf8(value.name) && FitsOnOneLine(value.name);
    bool dataOk = !IsStringType(value.type) || zelm::platform::IsValidUtf8(value.data);
    if (!nameOk || !dataOk)
        Failure("value \"" + value.name + "\" of " + m_keyPath + " holds text that is not UTF-8 or a line break" +
                " in its name: a .reg file cannot carry it");
    std::string line = (value.name.empty() ? std::string("@") : Quoted(value.name)) + "=";
    if (value.type == REG_SZ && IsPlainText(value.data)) {
        m_text += line + Quoted(value.data) + "\r\n";
    } else if (value.type == REG_DWORD && value.data.size() == 4) {
        char number[16];
        std::snprintf(number, sizeof number, "dword:%08x",
                      static_cast<unsigned>(static_cast<unsigned char>(value.data[0]) |
                                            static_cast<unsigned char>(value.data[1]) << 8 |
                                            static_cast<unsigned char>(value.data[2]) << 16 |
                                            static_cast<unsigned>(static_cast<unsigned char>(value.data[3])) << 24));
        m_text += line + number + "\r\n";
    } else {
        std::string bytes = IsStringType(value.type) ? Utf16LeBytes(value.data) : value.data;
        m_text += HexLines(line + HexPrefix(value.type), bytes);
    }
}

}  // namespace zelmreg

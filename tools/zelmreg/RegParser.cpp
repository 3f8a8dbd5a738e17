#include <cstdlib>

#include "RegFormat.h"
#include "ToolError.h"
#include "ValueText.h"
#include "platform/base/utf8.h"

namespace zelmreg {

namespace {

const char kVersion5Header[] = "Windows Registry Editor Version 5.00";
const char kVersion4Header[] = "REGEDIT4";

struct Line {
    std::string text;
    int number;
};

std::string_view TrimLeft(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    return text;
}

std::string_view TrimRight(std::string_view text)
{
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

// Lines ending in "\r\n", "\n" or "\r"; a line ending in "\" goes on in the next one.
std::vector<Line> LogicalLines(const std::string& text)
{
    std::vector<Line> lines;
    bool continues = false;
    int number = 0;
    for (std::size_t start = 0; start <= text.size();) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos) end = text.size();
        std::string_view part(text.data() + start, end - start);
        ++number;
        if (continues)
            lines.back().text += TrimLeft(part);
        else
            lines.push_back(Line{std::string(part), number});
        std::string_view trimmed = TrimRight(lines.back().text);
        continues = !trimmed.empty() && trimmed.back() == '\\' && TrimLeft(trimmed).find_first_of("[;") != 0;
        if (continues) lines.back().text = std::string(trimmed.substr(0, trimmed.size() - 1));
        if (end == text.size()) break;
        start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    return lines;
}

class Parser {
public:
    Parser(const std::string& fileName) : m_fileName(fileName) {}
    std::vector<RegSection> Parse(const std::string& text);

private:
    [[noreturn]] void Fail(const std::string& message) const
    {
        Failure(m_fileName + ":" + std::to_string(m_lineNumber) + ": " + message);
    }
    void ParseHeader(std::string_view line);
    void ParseKeyLine(std::string_view line);
    void ParseValueLine(std::string_view line);
    std::string ParseQuoted(std::string_view& rest);
    std::string ParseData(std::string_view data, DWORD& type);
    std::string TextFromUtf16(const std::string& bytes);

    std::string m_fileName;
    int m_lineNumber = 0;
    bool m_version5 = true;
    bool m_inDeletedKey = false;
    std::vector<RegSection> m_sections;
};

std::vector<RegSection> Parser::Parse(const std::string& text)
{
    bool headerSeen = false;
    for (const auto& line : LogicalLines(text)) {
        m_lineNumber = line.number;
        std::string_view content = TrimRight(TrimLeft(line.text));
        if (content.empty() || content.front() == ';') continue;
        if (!headerSeen) {
            ParseHeader(content);
            headerSeen = true;
        } else if (content.front() == '[') {
            ParseKeyLine(content);
        } else if (!m_inDeletedKey) {
            ParseValueLine(content);
        }
    }
    if (!headerSeen) Failure(m_fileName + ": empty file, not a .reg file");
    return std::move(m_sections);
}

void Parser::ParseHeader(std::string_view line)
{
    if (line == kVersion5Header)
        m_version5 = true;
    else if (line == kVersion4Header)
        m_version5 = false;
    else
        Fail("not a .reg file: the first line must be \"" + std::string(kVersion5Header) + "\" or \"" +
             kVersion4Header + "\"");
}

void Parser::ParseKeyLine(std::string_view line)
{
    if (line.back() != ']') Fail("a key line must end with ]");
    std::string_view path = line.substr(1, line.size() - 2);
    bool deleteKey = !path.empty() && path.front() == '-';
    if (deleteKey) path.remove_prefix(1);
    RegSection section;
    section.deleteKey = deleteKey;
    if (!ParseKeyPath(std::string(path), section.key)) Fail("unknown root key in [" + std::string(path) + "]");
    m_inDeletedKey = deleteKey;
    m_sections.push_back(std::move(section));
}

// A quoted string at the start of rest, with \\ and \" unescaped; rest moves past it.
std::string Parser::ParseQuoted(std::string_view& rest)
{
    std::string text;
    for (std::size_t i = 1; i < rest.size(); ++i) {
        char ch = rest[i];
        if (ch == '"') {
            rest.remove_prefix(i + 1);
            return text;
        }
        if (ch == '\\' && i + 1 < rest.size() && (rest[i + 1] == '\\' || rest[i + 1] == '"')) ch = rest[++i];
        text += ch;
    }
    Fail("a quoted string is not closed");
}

void Parser::ParseValueLine(std::string_view line)
{
    if (m_sections.empty()) Fail("a value line before the first [key] line");
    RegEntry entry;
    std::string_view rest = line;
    if (rest.front() == '@') {
        rest.remove_prefix(1);
    } else if (rest.front() == '"') {
        entry.value.name = ParseQuoted(rest);
    } else {
        Fail("expected @ or a quoted value name");
    }
    rest = TrimLeft(rest);
    if (rest.empty() || rest.front() != '=') Fail("expected = after the value name");
    rest = TrimLeft(rest.substr(1));
    if (rest == "-")
        entry.deleteValue = true;
    else
        entry.value.data = ParseData(rest, entry.value.type);
    m_sections.back().entries.push_back(std::move(entry));
}

std::string Parser::ParseData(std::string_view data, DWORD& type)
{
    if (!data.empty() && data.front() == '"') {
        std::string text = ParseQuoted(data);
        if (!TrimLeft(data).empty()) Fail("unexpected text after the closing quote");
        type = REG_SZ;
        return text;
    }
    if (data.substr(0, 6) == "dword:") {
        std::string digits(data.substr(6));
        char* end = nullptr;
        unsigned long number = std::strtoul(digits.c_str(), &end, 16);
        if (digits.empty() || digits.size() > 8 || *end != '\0' || digits.find_first_of("+- x") != std::string::npos)
            Fail("dword: takes up to 8 hex digits");
        type = REG_DWORD;
        return std::string{static_cast<char>(number & 0xFF), static_cast<char>((number >> 8) & 0xFF),
                           static_cast<char>((number >> 16) & 0xFF), static_cast<char>((number >> 24) & 0xFF)};
    }
    std::size_t colon = data.find(':');
    std::string kind(data.substr(0, colon));
    if (colon == std::string_view::npos || !HexKindType(kind, type))
        Fail("unknown data: " + std::string(data.substr(0, 24)));
    std::string raw;
    if (!ParseHexBytes(data.substr(colon + 1), raw)) Fail("bad hex bytes after " + kind + ":");
    bool utf16Text = m_version5 && (type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ);
    return utf16Text ? TextFromUtf16(raw) : raw;
}

std::string Parser::TextFromUtf16(const std::string& bytes)
{
    if (bytes.size() % 2 != 0) Fail("text bytes of a 5.00 file must be UTF-16 (an even number of bytes)");
    std::u16string units;
    for (std::size_t i = 0; i < bytes.size(); i += 2)
        units +=
            static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) | static_cast<unsigned char>(bytes[i + 1]) << 8);
    std::string text = zelm::platform::Utf16ToUtf8(units);
    if (zelm::platform::Utf8ToUtf16(text) != units) Fail("text bytes are not valid UTF-16");
    return text;
}

}  // namespace

std::vector<RegSection> ParseRegText(const std::string& text, const std::string& fileName)
{
    return Parser(fileName).Parse(text);
}

}  // namespace zelmreg

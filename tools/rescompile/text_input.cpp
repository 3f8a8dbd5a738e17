#include "text_input.h"

#include <fstream>

namespace rescompile {

std::vector<Line> ReadLines(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) throw InputError(path + ": cannot be read");
    std::vector<Line> lines;
    std::string text;
    for (int number = 1; std::getline(in, text); ++number) {
        if (!text.empty() && text.back() == '\r') text.pop_back();
        auto first = text.find_first_not_of(" \t");
        if (first == std::string::npos || text[first] == '#') continue;
        lines.push_back({number, text.substr(first)});
    }
    return lines;
}

std::uint32_t ParseNumber(const std::string& text, std::uint32_t max)
{
    bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    std::string digits = hex ? text.substr(2) : text;
    const std::string allowed = hex ? "0123456789abcdefABCDEF" : "0123456789";
    if (digits.empty() || digits.find_first_not_of(allowed) != std::string::npos || digits.size() > 10)
        throw InputError("not a number: " + text);
    unsigned long long value = std::stoull(digits, nullptr, hex ? 16 : 10);
    if (value > max) throw InputError("number out of range: " + text);
    return static_cast<std::uint32_t>(value);
}

std::string Unescape(const std::string& text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        switch (text[++i]) {
            case 'n': out += '\n'; break;
            case 'r': out += '\r'; break;
            case 't': out += '\t'; break;
            case '0': out += '\0'; break;
            default: out += text[i]; break;
        }
    }
    return out;
}

std::u16string Utf8ToUtf16(const std::string& text)
{
    std::u16string out;
    for (std::size_t i = 0; i < text.size();) {
        auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = lead < 0x80 ? 1 : (lead >> 5) == 6 ? 2 : (lead >> 4) == 14 ? 3 : (lead >> 3) == 30 ? 4 : 0;
        if (length == 0 || i + length > text.size()) throw InputError("text is not UTF-8");
        char32_t ch = length == 1 ? lead : lead & (0x7F >> length);
        for (std::size_t k = 1; k < length; ++k) {
            auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80) throw InputError("text is not UTF-8");
            ch = (ch << 6) | (next & 0x3F);
        }
        if (ch > 0x10FFFF || (ch >= 0xD800 && ch < 0xE000)) throw InputError("text is not UTF-8");
        if (ch >= 0x10000) {
            out += static_cast<char16_t>(0xD800 + ((ch - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + ((ch - 0x10000) & 0x3FF));
        } else {
            out += static_cast<char16_t>(ch);
        }
        i += length;
    }
    return out;
}

void AppendWord(Bytes& out, std::uint16_t value)
{
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void AppendDword(Bytes& out, std::uint32_t value)
{
    AppendWord(out, static_cast<std::uint16_t>(value & 0xFFFF));
    AppendWord(out, static_cast<std::uint16_t>(value >> 16));
}

void AppendUtf16(Bytes& out, const std::u16string& text)
{
    for (char16_t unit : text) AppendWord(out, unit);
    AppendWord(out, 0);
}

void PadTo4(Bytes& out)
{
    while (out.size() % 4 != 0) out.push_back(0);
}

}  // namespace rescompile

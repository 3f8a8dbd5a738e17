#include "platform/base/utf8.h"

namespace zelm::platform {

namespace {

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// Validates the sequence at text[pos] and returns its length, or 0 when invalid.
std::size_t ValidSequenceLength(std::string_view text, std::size_t pos)
{
    auto lead = static_cast<unsigned char>(text[pos]);
    std::size_t length = Utf8SequenceLength(lead);
    if (length == 1) return lead < 0x80 ? 1 : 0;
    if (pos + length > text.size()) return 0;
    auto second = static_cast<unsigned char>(text[pos + 1]);
    for (std::size_t i = 1; i < length; ++i)
        if (!IsContinuation(static_cast<unsigned char>(text[pos + i]))) return 0;
    // Overlong forms, surrogates and values past U+10FFFF.
    if (lead == 0xE0 && second < 0xA0) return 0;
    if (lead == 0xED && second >= 0xA0) return 0;
    if (lead == 0xF0 && second < 0x90) return 0;
    if (lead == 0xF4 && second >= 0x90) return 0;
    return length;
}

}  // namespace

std::size_t Utf8SequenceLength(unsigned char lead)
{
    if (lead >= 0xC2 && lead <= 0xDF) return 2;
    if (lead >= 0xE0 && lead <= 0xEF) return 3;
    if (lead >= 0xF0 && lead <= 0xF4) return 4;
    return 1;
}

std::size_t Utf8CharacterCount(std::string_view text)
{
    std::size_t count = 0;
    for (unsigned char ch : text) count += (ch & 0xC0) != 0x80;
    return count;
}

std::size_t Utf8PrefixLength(const char* text, std::size_t size, std::size_t maxBytes)
{
    if (size <= maxBytes) return size;
    std::size_t end = maxBytes;
    // Step back over continuation bytes to the start of the character that straddles the limit.
    while (end > 0 && IsContinuation(static_cast<unsigned char>(text[end]))) --end;
    return end;
}

bool IsValidUtf8(std::string_view bytes)
{
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        std::size_t length = ValidSequenceLength(bytes, pos);
        if (length == 0) return false;
        pos += length;
    }
    return true;
}

std::size_t Utf8CharacterLength(std::string_view text, std::size_t pos)
{
    std::size_t length = ValidSequenceLength(text, pos);
    return length == 0 ? 1 : length;
}

char32_t DecodeUtf8(std::string_view text, std::size_t& pos)
{
    std::size_t length = ValidSequenceLength(text, pos);
    if (length == 0) {
        ++pos;
        return 0xFFFD;
    }
    auto lead = static_cast<unsigned char>(text[pos]);
    char32_t ch = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) ch = (ch << 6) | (static_cast<unsigned char>(text[pos + i]) & 0x3F);
    pos += length;
    return ch;
}

void AppendUtf8(std::string& out, char32_t ch)
{
    if (ch < 0x80) {
        out += static_cast<char>(ch);
    } else if (ch < 0x800) {
        out += static_cast<char>(0xC0 | (ch >> 6));
        out += static_cast<char>(0x80 | (ch & 0x3F));
    } else if (ch < 0x10000) {
        out += static_cast<char>(0xE0 | (ch >> 12));
        out += static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (ch & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (ch >> 18));
        out += static_cast<char>(0x80 | ((ch >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (ch & 0x3F));
    }
}

std::u16string Utf8ToUtf16(std::string_view text)
{
    std::u16string out;
    std::size_t pos = 0;
    while (pos < text.size()) {
        char32_t ch = DecodeUtf8(text, pos);
        if (ch >= 0x10000) {
            ch -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (ch >> 10));
            out += static_cast<char16_t>(0xDC00 + (ch & 0x3FF));
        } else {
            out += static_cast<char16_t>(ch);
        }
    }
    return out;
}

std::string Utf16ToUtf8(std::u16string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t ch = text[i];
        bool highSurrogate = ch >= 0xD800 && ch <= 0xDBFF;
        if (highSurrogate && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            ch = 0x10000 + ((ch - 0xD800) << 10) + (text[++i] - 0xDC00);
        } else if (ch >= 0xD800 && ch <= 0xDFFF) {
            ch = 0xFFFD;  // an unpaired surrogate
        }
        AppendUtf8(out, ch);
    }
    return out;
}

}  // namespace zelm::platform

#include "app/TextDecoder.h"

#include <algorithm>
#include <vector>

#include "platform/base/utf8.h"

namespace {

constexpr char32_t kWindows1251High[64] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409, 0x2039, 0x040A,
    0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0xFFFD, 0x2122,
    0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6,
    0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456,
    0x0491, 0x00B5, 0x00B6, 0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457};

constexpr std::size_t kScanChunk = 64 * 1024;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// The length of the complete UTF-8 characters at the start of text (an incomplete
// sequence at the end is left for the next read).
std::size_t CompleteLength(std::string_view text)
{
    std::size_t back = std::min<std::size_t>(3, text.size());
    for (std::size_t i = 1; i <= back; ++i) {
        auto byte = static_cast<unsigned char>(text[text.size() - i]);
        if ((byte & 0xC0) == 0x80) continue;  // a continuation byte: keep looking for the lead
        std::size_t needed = zelm::platform::Utf8SequenceLength(byte);
        return needed > i ? text.size() - i : text.size();
    }
    return text.size();
}

}  // namespace

void AppendWindows1251AsUtf8(std::string& out, unsigned char byte)
{
    if (byte < 0x80)
        out += static_cast<char>(byte);
    else if (byte < 0xC0)
        zelm::platform::AppendUtf8(out, kWindows1251High[byte - 0x80]);
    else
        zelm::platform::AppendUtf8(out, 0x0410 + (byte - 0xC0));  // А..я in alphabet order
}

void TextDecoder::Begin(CFile& file, TextEncoding encoding)
{
    m_decoded.clear();
    m_carry.clear();
    m_atStart = true;
    m_encoding = encoding;
    if (encoding == TextEncoding::Auto) {
        m_encoding = IsWholeFileUtf8(file) ? TextEncoding::Utf8 : TextEncoding::Windows1251;
        file.SeekToBegin();
    }
}

bool TextDecoder::IsWholeFileUtf8(CFile& file)
{
    std::vector<char> chunk(kScanChunk + 4);
    std::size_t carried = 0;
    for (;;) {
        UINT got = file.Read(chunk.data() + carried, static_cast<UINT>(kScanChunk));
        std::string_view text(chunk.data(), carried + got);
        if (got == 0) return carried == 0;  // the file must not end inside a character
        std::size_t complete = CompleteLength(text);
        if (!zelm::platform::IsValidUtf8(text.substr(0, complete))) return false;
        carried = text.size() - complete;
        std::copy(text.begin() + static_cast<std::ptrdiff_t>(complete), text.end(), chunk.begin());
    }
}

void TextDecoder::Decode(const char* raw, std::size_t size)
{
    if (m_encoding == TextEncoding::Windows1251) {
        for (std::size_t i = 0; i < size; ++i) AppendWindows1251AsUtf8(m_decoded, static_cast<unsigned char>(raw[i]));
        return;
    }
    m_carry.append(raw, size);
    std::size_t complete = size == 0 ? m_carry.size() : CompleteLength(m_carry);
    std::string_view text(m_carry.data(), complete);
    // A forced UTF-8 reading of a file that is not UTF-8 still hands out valid text.
    if (zelm::platform::IsValidUtf8(text)) {
        m_decoded.append(text);
    } else {
        for (std::size_t pos = 0; pos < text.size();)
            zelm::platform::AppendUtf8(m_decoded, zelm::platform::DecodeUtf8(text, pos));
    }
    m_carry.erase(0, complete);
    if (m_atStart && !m_decoded.empty()) {
        if (std::string_view(m_decoded).starts_with(kByteOrderMark)) m_decoded.erase(0, kByteOrderMark.size());
        m_atStart = false;
    }
}

int TextDecoder::Read(CFile& file, char* out, int maxBytes)
{
    if (maxBytes <= 0) return 0;
    auto room = static_cast<std::size_t>(maxBytes);
    // Read about as many bytes as there is room for, as a plain byte reader would.
    while (m_decoded.size() < room) {
        char raw[512];
        UINT got = file.Read(raw, static_cast<UINT>(std::min(room, sizeof raw)));
        Decode(raw, got);
        if (got == 0) break;
    }
    std::size_t length = zelm::platform::Utf8PrefixLength(m_decoded.data(), m_decoded.size(), room);
    std::copy_n(m_decoded.begin(), length, out);
    m_decoded.erase(0, length);
    return static_cast<int>(length);
}

#include "app/TextDecoder.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include <zelmtools/platform/base/errors.h>
#include "platform/base/utf8.h"
#include "platform/kernel/files.h"

namespace {

constexpr char32_t kWindows1251High[64] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409, 0x2039, 0x040A,
    0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0xFFFD, 0x2122,
    0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6,
    0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456,
    0x0491, 0x00B5, 0x00B6, 0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457};

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LEMark = "\xFF\xFE";
constexpr std::string_view kUtf16BEMark = "\xFE\xFF";
constexpr char32_t kReplacement = 0xFFFD;

// The length of the complete UTF-8 characters at the start of text (an incomplete
// sequence at the end is left for the next chunk).
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

bool IsSurrogate(unsigned unit)
{
    return unit >= 0xD800 && unit < 0xE000;
}

}  // namespace

// What the encoding scan learns from the input's chunks: its first bytes and whether
// all of it is valid UTF-8.
class TextDecoder::Scan {
public:
    void Feed(std::string_view chunk)
    {
        if (m_head.size() < kUtf8Mark.size()) m_head.append(chunk.substr(0, kUtf8Mark.size() - m_head.size()));
        if (!m_valid) return;
        m_pending.append(chunk);
        std::size_t complete = CompleteLength(m_pending);
        m_valid = zelm::platform::IsValidUtf8(std::string_view(m_pending).substr(0, complete));
        m_pending.erase(0, complete);
    }

    TextEncoding Decide() const
    {
        std::string_view head(m_head);
        if (head.starts_with(kUtf16LEMark)) return TextEncoding::Utf16LE;
        if (head.starts_with(kUtf16BEMark)) return TextEncoding::Utf16BE;
        if (head.starts_with(kUtf8Mark)) return TextEncoding::Utf8;
        // The input must not end inside a character either.
        return m_valid && m_pending.empty() ? TextEncoding::Utf8 : TextEncoding::Windows1251;
    }

private:
    std::string m_head;
    std::string m_pending;  // an incomplete sequence at the end of the last chunk
    bool m_valid = true;
};

void AppendWindows1251AsUtf8(std::string& out, unsigned char byte)
{
    if (byte < 0x80)
        out += static_cast<char>(byte);
    else if (byte < 0xC0)
        zelm::platform::AppendUtf8(out, kWindows1251High[byte - 0x80]);
    else
        zelm::platform::AppendUtf8(out, 0x0410 + (byte - 0xC0));  // А..я in alphabet order
}

bool TextDecoder::Begin(CFile& input, TextEncoding encoding, const std::function<bool()>& stopRequested)
{
    m_spool.Abort();
    m_spooled = false;
    m_spoolLength = 0;
    m_source = &input;
    m_encoding = encoding;
    Restart();
    Scan scan;
    // Only a regular file can be read twice; anything else is kept as it goes by.
    if (GetFileType(input.m_hFile) != FILE_TYPE_DISK) {
        if (!Spool(input, scan, stopRequested)) return false;
    } else if (encoding == TextEncoding::Auto) {
        if (!ScanSeekable(scan, stopRequested)) return false;
    }
    if (encoding == TextEncoding::Auto) m_encoding = scan.Decide();
    return true;
}

bool TextDecoder::Spool(CFile& input, Scan& scan, const std::function<bool()>& stopRequested)
{
    char folder[MAX_PATH];
    char name[MAX_PATH];
    GetTempPathA(sizeof folder, folder);
    if (GetTempFileNameA(folder, "scr", 0, name) == 0)
        CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), folder);
    CFileException error;
    BOOL opened = m_spool.Open(name, CFile::modeReadWrite | CFile::shareExclusive, &error);
    DeleteFileA(name);  // the copy goes away with its handle, however the job ends
    if (!opened) CFileException::ThrowOsError(error.m_lOsError, name);

    std::vector<char> chunk(kChunkSize);
    for (;;) {
        if (stopRequested && stopRequested()) return false;
        UINT got = input.Read(chunk.data(), static_cast<UINT>(chunk.size()));
        if (got == 0) break;
        scan.Feed(std::string_view(chunk.data(), got));
        m_spool.Write(chunk.data(), got);
        m_spoolLength += got;
    }
    m_spool.SeekToBegin();
    m_source = &m_spool;
    m_spooled = true;
    return true;
}

bool TextDecoder::ScanSeekable(Scan& scan, const std::function<bool()>& stopRequested)
{
    std::vector<char> chunk(kChunkSize);
    for (;;) {
        if (stopRequested && stopRequested()) return false;
        UINT got = m_source->Read(chunk.data(), static_cast<UINT>(chunk.size()));
        if (got == 0) break;
        scan.Feed(std::string_view(chunk.data(), got));
    }
    m_source->SeekToBegin();
    return true;
}

void TextDecoder::Restart()
{
    m_raw.resize(kChunkSize);
    m_rawPos = m_rawEnd = 0;
    m_rawStart = 0;
    m_atEnd = false;
    m_atStart = true;
    m_decoded.clear();
}

ULONGLONG TextDecoder::Length() const
{
    ULONGLONG length = m_spooled ? m_spoolLength : m_source ? m_source->GetLength() : 0;
    return std::max(length, Position());
}

// Makes at least `wanted` undecoded bytes ready when the input has them; returns how
// many are ready.
std::size_t TextDecoder::Available(std::size_t wanted)
{
    while (m_rawEnd - m_rawPos < wanted && !m_atEnd) {
        std::memmove(m_raw.data(), m_raw.data() + m_rawPos, m_rawEnd - m_rawPos);
        m_rawStart += m_rawPos;
        m_rawEnd -= m_rawPos;
        m_rawPos = 0;
        UINT got = m_source->Read(m_raw.data() + m_rawEnd, static_cast<UINT>(m_raw.size() - m_rawEnd));
        m_rawEnd += got;
        m_atEnd = got == 0;
    }
    return m_rawEnd - m_rawPos;
}

void TextDecoder::SkipByteOrderMark()
{
    std::string_view mark;
    if (m_encoding == TextEncoding::Utf8) mark = kUtf8Mark;
    if (m_encoding == TextEncoding::Utf16LE) mark = kUtf16LEMark;
    if (m_encoding == TextEncoding::Utf16BE) mark = kUtf16BEMark;
    std::size_t ready = Available(mark.size());
    if (!mark.empty() && std::string_view(m_raw.data() + m_rawPos, ready).starts_with(mark)) m_rawPos += mark.size();
}

unsigned TextDecoder::Utf16UnitAt(std::size_t offset) const
{
    auto first = static_cast<unsigned char>(m_raw[m_rawPos + offset]);
    auto second = static_cast<unsigned char>(m_raw[m_rawPos + offset + 1]);
    return m_encoding == TextEncoding::Utf16LE ? first | second << 8 : first << 8 | second;
}

void TextDecoder::DecodeUtf16Character()
{
    std::size_t ready = Available(4);
    if (ready < 2) {  // a lone last byte
        zelm::platform::AppendUtf8(m_decoded, kReplacement);
        m_rawPos += ready;
        return;
    }
    unsigned unit = Utf16UnitAt(0);
    if (unit >= 0xD800 && unit < 0xDC00 && ready >= 4) {
        unsigned low = Utf16UnitAt(2);
        if (low >= 0xDC00 && low < 0xE000) {
            zelm::platform::AppendUtf8(m_decoded, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
            m_rawPos += 4;
            return;
        }
    }
    zelm::platform::AppendUtf8(m_decoded, IsSurrogate(unit) ? kReplacement : unit);
    m_rawPos += 2;
}

// A forced UTF-8 reading of a file that is not UTF-8 still hands out valid text.
void TextDecoder::DecodeUtf8Character()
{
    auto lead = static_cast<unsigned char>(m_raw[m_rawPos]);
    if (lead < 0x80) {
        m_decoded += static_cast<char>(lead);
        ++m_rawPos;
        return;
    }
    std::size_t ready = Available(4);
    std::string_view text(m_raw.data() + m_rawPos, std::min<std::size_t>(ready, 4));
    std::size_t used = 0;
    zelm::platform::AppendUtf8(m_decoded, zelm::platform::DecodeUtf8(text, used));
    m_rawPos += used;
}

void TextDecoder::DecodeCharacter()
{
    switch (m_encoding) {
    case TextEncoding::Windows1251:
            AppendWindows1251AsUtf8(m_decoded, static_cast<unsigned char>(m_raw[m_rawPos++]));
            break;
    case TextEncoding::Utf16LE:
    case TextEncoding::Utf16BE: DecodeUtf16Character(); break;
    default: DecodeUtf8Character(); break;
    }
}

int TextDecoder::Read(char* out, int maxBytes)
{
    if (maxBytes <= 0 || m_source == nullptr) return 0;
    if (m_atStart) {
        SkipByteOrderMark();
        m_atStart = false;
    }
    auto room = static_cast<std::size_t>(maxBytes);
    while (m_decoded.size() < room && Available(1) > 0) DecodeCharacter();
    std::size_t length = zelm::platform::Utf8PrefixLength(m_decoded.data(), m_decoded.size(), room);
    std::copy_n(m_decoded.begin(), length, out);
    m_decoded.erase(0, length);
    return static_cast<int>(length);
}

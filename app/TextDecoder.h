#pragma once
// Reads the input file as UTF-8 text, whatever its encoding, handing out whole
// characters only, so that a character is never split between two buffer fills.

#include <functional>
#include <string>
#include <vector>

#include "app/WorkParams.h"
#include "framework/files/CFile.h"

class TextDecoder {
public:
    // The input is read this many bytes at a time.
    static constexpr std::size_t kChunkSize = 64 * 1024;

    // Takes the open input and decides its encoding. With Auto a UTF-16 or UTF-8
    // byte-order mark decides; otherwise the whole input is scanned (in constant memory)
    // and read as UTF-8 only when all of it is valid UTF-8, else as Windows-1251. An
    // input that cannot be repositioned (a pipe, FIFO or terminal) is copied to an
    // unlinked temporary file as it is read, and that copy is read afterwards. Throws
    // CFileException on read errors; returns false when stopRequested ended the reading.
    bool Begin(CFile& input, TextEncoding encoding, const std::function<bool()>& stopRequested = {});

    // Appends at most maxBytes bytes of whole UTF-8 characters to out, reading the input
    // as needed; returns the number of bytes appended (0 at the end of the input, or
    // when the next character needs more room than maxBytes).
    int Read(char* out, int maxBytes);

    // Bytes of the input read as characters so far.
    ULONGLONG Position() const { return m_rawStart + m_rawPos; }
    // The input's length as far as it is known now: a file that grows while it is read
    // grows here too, and the length is never below the position.
    ULONGLONG Length() const;

    TextEncoding encoding() const { return m_encoding; }

private:
    class Scan;

    bool Spool(CFile& input, Scan& scan, const std::function<bool()>& stopRequested);
    bool ScanSeekable(Scan& scan, const std::function<bool()>& stopRequested);
    void Restart();
    std::size_t Available(std::size_t wanted);
    void SkipByteOrderMark();
    void DecodeCharacter();
    void DecodeUtf8Character();
    void DecodeUtf16Character();
    unsigned Utf16UnitAt(std::size_t offset) const;

    TextEncoding m_encoding = TextEncoding::Utf8;
    CFile* m_source = nullptr;
    CFile m_spool;  // the copy of an input that cannot be repositioned
    bool m_spooled = false;
    ULONGLONG m_spoolLength = 0;
    std::vector<char> m_raw;  // input bytes not yet decoded: [m_rawPos, m_rawEnd)
    std::size_t m_rawPos = 0;
    std::size_t m_rawEnd = 0;
    ULONGLONG m_rawStart = 0;  // offset in the input of m_raw[0]
    bool m_atEnd = false;
    bool m_atStart = true;
    std::string m_decoded;  // decoded text not yet handed out
};

// Windows-1251 to UTF-8.
void AppendWindows1251AsUtf8(std::string& out, unsigned char byte);

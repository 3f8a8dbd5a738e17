#pragma once
// Reads the input file as UTF-8 text, whatever its encoding, handing out whole
// characters only, so that a character is never split between two buffer fills.

#include <string>

#include "app/WorkParams.h"
#include "framework/files/CFile.h"

class TextDecoder {
public:
    // Decides the encoding of an open file: Auto looks at the whole file (streamed,
    // in constant memory) and chooses UTF-8 only when all of it is valid UTF-8.
    // Leaves the file at its start.
    void Begin(CFile& file, TextEncoding encoding);

    // Appends at most maxBytes bytes of whole UTF-8 characters to out, reading the file
    // as needed; returns the number of bytes appended (0 at the end of the file, or
    // when the next character needs more room than maxBytes).
    int Read(CFile& file, char* out, int maxBytes);

    TextEncoding encoding() const { return m_encoding; }

private:
    void Decode(const char* raw, std::size_t size);
    bool IsWholeFileUtf8(CFile& file);

    TextEncoding m_encoding = TextEncoding::Utf8;
    std::string m_decoded;   // decoded text not yet handed out
    std::string m_carry;     // an incomplete UTF-8 sequence at the end of the last read
    bool m_atStart = true;   // a byte-order mark is dropped at the start of a UTF-8 file
};

// Windows-1251 to UTF-8.
void AppendWindows1251AsUtf8(std::string& out, unsigned char byte);

#pragma once
// Reading the resource compiler's text inputs: lines, quoted texts, numbers, and the
// UTF-16 form the binary layouts store.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace rescompile {

// A fault in an input file, reported with its file and line.
struct InputError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct Line {
    int number;
    std::string text;  // without comment lines and blank lines
};

std::vector<Line> ReadLines(const std::string& path);

// A decimal or 0x-prefixed hexadecimal number that fits `max`.
std::uint32_t ParseNumber(const std::string& text, std::uint32_t max);

// Replaces \n, \r, \t, \", \\ and \0 in text by the characters they stand for.
std::string Unescape(const std::string& text);

std::u16string Utf8ToUtf16(const std::string& text);

using Bytes = std::vector<std::uint8_t>;
void AppendWord(Bytes& out, std::uint16_t value);
void AppendDword(Bytes& out, std::uint32_t value);
void AppendUtf16(Bytes& out, const std::u16string& text);  // with its terminator
void PadTo4(Bytes& out);

}  // namespace rescompile

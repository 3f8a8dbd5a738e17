#pragma once
// UTF-8 helpers: the single-byte ("ANSI") texts of the interface are UTF-8, and byte
// limits must never cut a character in half.

#include <cstddef>
#include <string>
#include <string_view>

namespace zelm::platform {

// The longest prefix of text[0..size) of at most maxBytes bytes that ends on a
// character boundary.
std::size_t Utf8PrefixLength(const char* text, std::size_t size, std::size_t maxBytes);

// Whether the bytes are valid UTF-8 (shortest forms, no surrogates, at most U+10FFFF).
bool IsValidUtf8(std::string_view bytes);

// Length in bytes of the UTF-8 sequence that starts with this lead byte (1 for
// continuation or invalid bytes, so a scan always advances).
std::size_t Utf8SequenceLength(unsigned char lead);

// Length in bytes of the character at text[pos]: the whole sequence when it is valid,
// else 1, so stepping by it never cuts a character and never leaves the text.
std::size_t Utf8CharacterLength(std::string_view text, std::size_t pos);

// The number of characters: bytes that are not continuation bytes.
std::size_t Utf8CharacterCount(std::string_view text);

// Decodes the character at text[pos]; returns U+FFFD for an invalid sequence and
// advances pos past what was consumed.
char32_t DecodeUtf8(std::string_view text, std::size_t& pos);
void AppendUtf8(std::string& out, char32_t ch);

std::u16string Utf8ToUtf16(std::string_view text);
std::string Utf16ToUtf8(std::u16string_view text);

}  // namespace zelm::platform

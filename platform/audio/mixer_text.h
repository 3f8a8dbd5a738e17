#pragma once
// Names copied into the mixer records' fixed fields: cut to the field, never inside a
// character, always terminated.

#include <cstring>
#include <string>

#include "platform/base/utf8.h"

namespace zelm::platform::audio {

template <std::size_t N>
void CopyName(char (&field)[N], const std::string& text)
{
    std::size_t length = Utf8PrefixLength(text.data(), text.size(), N - 1);
    std::memcpy(field, text.data(), length);
    field[length] = '\0';
}

}  // namespace zelm::platform::audio

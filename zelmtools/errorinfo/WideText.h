#pragma once
// Single-byte text (the ANSI code page) to UTF-16, for the error records.

#include <optional>
#include <string>

#include <zelmtools/platform/base/win_types.h>

namespace zelm::errorinfo {

// Nothing when the text cannot be converted; an empty text gives an empty string.
std::optional<std::u16string> AnsiToWide(const char* text, int length = -1);

}  // namespace zelm::errorinfo

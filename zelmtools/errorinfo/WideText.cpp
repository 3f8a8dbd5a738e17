#include "zelmtools/errorinfo/WideText.h"

#include <cstring>

#include <zelmtools/platform/kernel/text_conversion.h>

namespace zelm::errorinfo {

std::optional<std::u16string> AnsiToWide(const char* text, int length)
{
    if (text == nullptr) return std::nullopt;
    if (length < 0) length = static_cast<int>(std::strlen(text));
    if (length == 0) return std::u16string();
    // A UTF-8 sequence never gives more UTF-16 units than it has bytes.
    std::u16string wide(static_cast<std::size_t>(length), u'\0');
    int written = MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, text, length, wide.data(), length);
    if (written <= 0) return std::nullopt;
    wide.resize(static_cast<std::size_t>(written));
    return wide;
}

}  // namespace zelm::errorinfo

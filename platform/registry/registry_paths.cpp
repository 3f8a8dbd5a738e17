#include "platform/registry/registry_paths.h"

#include <locale.h>
#include <wctype.h>

#include <cstring>

#include <zelmtools/platform/base/errors.h>
#include "platform/base/utf8.h"

namespace zelm::platform::registry {

namespace {

// Case mappings of the whole of Unicode, whatever locale the program set.
locale_t UnicodeLocale()
{
    static locale_t locale = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
    return locale;
}

char32_t ToLower(char32_t ch)
{
    if (ch < 0x80) return ch >= 'A' && ch <= 'Z' ? ch + ('a' - 'A') : ch;
    locale_t locale = UnicodeLocale();
    return locale ? static_cast<char32_t>(towlower_l(static_cast<wint_t>(ch), locale)) : ch;
}

bool IsReplacementSequence(std::string_view bytes)
{
    return bytes == "\xEF\xBF\xBD";
}

}  // namespace

std::string FoldName(std::string_view name)
{
    std::string folded;
    folded.reserve(name.size());
    for (std::size_t pos = 0; pos < name.size();) {
        std::size_t start = pos;
        char32_t ch = DecodeUtf8(name, pos);
        std::string_view source = name.substr(start, pos - start);
        if (ch == 0xFFFD && !IsReplacementSequence(source))
            folded.append(source);  // not UTF-8: compared byte for byte
        else
            AppendUtf8(folded, ToLower(ch));
    }
    return folded;
}

bool SplitKeyPath(std::string_view path, std::vector<std::string>& names)
{
    names.clear();
    while (!path.empty() && path.back() == '\\') path.remove_suffix(1);
    if (path.empty()) return true;
    for (std::size_t start = 0;;) {
        std::size_t end = path.find('\\', start);
        std::string_view name = path.substr(start, end == std::string_view::npos ? end : end - start);
        if (name.empty()) return false;
        names.emplace_back(name);
        if (end == std::string_view::npos) return true;
        start = end + 1;
    }
}

LONG CopyNameOut(const std::string& name, LPSTR buffer, LPDWORD capacity)
{
    auto length = static_cast<DWORD>(name.size());
    if (length >= *capacity) {
        *capacity = length;
        return ERROR_MORE_DATA;
    }
    std::memcpy(buffer, name.data(), length);
    buffer[length] = '\0';
    *capacity = length;
    return ERROR_SUCCESS;
}

}  // namespace zelm::platform::registry

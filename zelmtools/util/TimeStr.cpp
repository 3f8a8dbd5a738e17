#include <zelmtools/util/TimeStr.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/base/utf8.h"
#include "zelmtools/util/TimePicture.h"

using zelm::tools::TimeField;
using zelm::tools::TimePicture;

namespace {

constexpr LONG kUnits[TimePicture::kFieldCount] = {3600000, 60000, 1000, 1};
constexpr long kLargest[TimePicture::kFieldCount] = {24, 60, 60, 999};

// One buffer for the whole process, as every caller without a picture shares it.
constexpr std::size_t kDefaultFormatSize = 16;
char g_szDefaultTimeFormat[kDefaultFormatSize] = "hh:mm:ss:ttt";

TimePicture PictureOrDefault(const char* pszFormat)
{
    return TimePicture(pszFormat ? pszFormat : g_szDefaultTimeFormat);
}

// A component takes its share of the running value only when it comes out positive,
// so for a negative duration the value stays whole and lands in the next fields.
void SplitDuration(LONG lMilliseconds, LONG parts[TimePicture::kFieldCount])
{
    LONG rest = lMilliseconds;
    for (int i = 0; i < TimePicture::kThousandths; ++i) {
        parts[i] = rest / kUnits[i];
        if (parts[i] > 0) rest %= kUnits[i];
    }
    parts[TimePicture::kThousandths] = rest;
}

// The component in exactly width bytes: zeros in front when short, the leading digits
// when long.
void AppendField(std::string& out, LONG value, const TimeField& field)
{
    char digits[16];
    std::size_t length = static_cast<std::size_t>(std::snprintf(digits, sizeof digits, "%d", static_cast<int>(value)));
    if (length < field.width) out.append(field.width - length, '0');
    out.append(digits, length < field.width ? length : field.width);
    out += field.separator;
}

std::string FormatDuration(LONG lMilliseconds, const TimePicture& picture)
{
    LONG parts[TimePicture::kFieldCount];
    SplitDuration(lMilliseconds, parts);
    std::string out;
    out.reserve(picture.LayoutLength());
    for (int i = 0; i < TimePicture::kFieldCount; ++i)
        if (picture.Field(i).IsPresent()) AppendField(out, parts[i], picture.Field(i));
    return out;
}

// The runtime's decimal reading (blanks, sign, digits up to the first other
// character), with huge numbers held at the int limits instead of overflowing.
long ReadNumber(const std::string& text)
{
    long value = std::strtol(text.c_str(), nullptr, 10);
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return value;
}

// Reads the field at pos and moves pos past it and past the one character that stands
// where the picture has the separator. Text that ends early reads as 0.
long ReadField(std::string_view text, std::size_t& pos, const TimeField& field)
{
    std::size_t take = std::min(field.width, text.size() - pos);
    long value = ReadNumber(std::string(text.substr(pos, take)));
    pos += take;
    if (!field.separator.empty() && pos < text.size()) pos += zelm::platform::Utf8CharacterLength(text, pos);
    return value;
}

}  // namespace

void SetDefaultTimeFormat(const char* pszFormat)
{
    if (pszFormat == nullptr) return;
    std::size_t length = zelm::platform::Utf8PrefixLength(pszFormat, std::strlen(pszFormat), kDefaultFormatSize - 1);
    std::memcpy(g_szDefaultTimeFormat, pszFormat, length);
    g_szDefaultTimeFormat[length] = '\0';
}

char* TimeToStr(LONG lMilliseconds, char* pszBuffer, const char* pszFormat)
{
    if (pszBuffer == nullptr) return nullptr;
    std::string text = FormatDuration(lMilliseconds, PictureOrDefault(pszFormat));
    std::memcpy(pszBuffer, text.c_str(), text.size() + 1);
    return pszBuffer;
}

CString TimeToStr(LONG lMilliseconds, const char* pszFormat)
{
    return CString(FormatDuration(lMilliseconds, PictureOrDefault(pszFormat)));
}

LONG StrToTime(const char* pszText, const char* pszFormat)
{
    TimePicture picture = PictureOrDefault(pszFormat);
    std::string_view text = pszText ? pszText : "";
    std::size_t pos = 0;
    LONG total = 0;
    for (int i = 0; i < TimePicture::kFieldCount; ++i) {
        if (!picture.Field(i).IsPresent()) continue;
        long value = ReadField(text, pos, picture.Field(i));
        if (value < 0 || value > kLargest[i]) return zelm::tools::kTimeOutOfRange;
        total += static_cast<LONG>(value) * kUnits[i];
    }
    return total;
}

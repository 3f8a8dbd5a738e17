#include "platform/errors/insert_format.h"

#include <cinttypes>
#include <climits>
#include <cstdio>
#include <cstring>

#include "platform/base/utf8.h"

namespace zelm::platform {

namespace {

constexpr std::string_view kFlags = "-+0 #";
constexpr std::string_view kConversions = "cCdiouxXsSp";
// Larger literal widths cannot fit the formatter's output anyway.
constexpr int kMaxLiteral = 1 << 20;

bool ParseCount(std::string_view spec, std::size_t& pos, bool& fromArgument, int& value)
{
    if (pos < spec.size() && spec[pos] == '*') {
        fromArgument = true;
        ++pos;
        return true;
    }
    if (pos >= spec.size() || spec[pos] < '0' || spec[pos] > '9') return false;
    value = 0;
    for (; pos < spec.size() && spec[pos] >= '0' && spec[pos] <= '9'; ++pos)
        value = std::min(value * 10 + (spec[pos] - '0'), kMaxLiteral);
    return true;
}

InsertSpec::Size ParseSize(std::string_view spec, std::size_t& pos)
{
    auto rest = spec.substr(pos);
    auto take = [&](std::string_view prefix, InsertSpec::Size size) {
        pos += prefix.size();
        return size;
    };
    if (rest.starts_with("I64")) return take("I64", InsertSpec::Size::Long64);
    if (rest.starts_with("I32")) return take("I32", InsertSpec::Size::Default);
    if (rest.starts_with("ll")) return take("ll", InsertSpec::Size::Long64);
    if (rest.starts_with("I")) return take("I", InsertSpec::Size::Long64);  // pointer-sized
    if (rest.starts_with("h")) return take("h", InsertSpec::Size::Short);
    if (rest.starts_with("l") || rest.starts_with("w")) return take("l", InsertSpec::Size::Wide);
    return InsertSpec::Size::Default;
}

// Reads a width or precision argument as the C int it stands for.
int IntArgument(MessageArguments& arguments, int number)
{
    return static_cast<int>(static_cast<std::uint32_t>(arguments.Get(number)));
}

// The narrow string at text, at most `precision` characters (-1: all), never reading
// past its terminator; nullopt when longer than maxLength.
std::optional<std::string> NarrowText(const char* text, int precision, std::size_t maxLength)
{
    std::size_t length = 0;
    for (int count = 0; text[length] != '\0' && (precision < 0 || count < precision); ++count) {
        std::size_t sequence = Utf8SequenceLength(static_cast<unsigned char>(text[length]));
        std::size_t available = 1;
        while (available < sequence && text[length + available] != '\0') ++available;
        length += available == sequence ? sequence : 1;
        if (length > maxLength) return std::nullopt;
    }
    return std::string(text, length);
}

std::optional<std::string> WideText(const WCHAR* text, int precision, std::size_t maxLength)
{
    std::size_t length = 0;
    while (text[length] != 0 && (precision < 0 || length < static_cast<std::size_t>(precision))) {
        if (++length > maxLength) return std::nullopt;  // a UTF-16 unit never gives fewer bytes
    }
    // A precision that ends between the halves of a pair drops the first half.
    if (length > 0 && text[length - 1] >= 0xD800 && text[length - 1] <= 0xDBFF && text[length] >= 0xDC00 &&
        text[length] <= 0xDFFF)
        --length;
    std::string result = Utf16ToUtf8(std::u16string_view(text, length));
    if (result.size() > maxLength) return std::nullopt;
    return result;
}

bool IsWideText(const InsertSpec& spec)
{
    bool upper = spec.conversion == 'S' || spec.conversion == 'C';
    if (spec.size == InsertSpec::Size::Short) return false;
    return upper || spec.size == InsertSpec::Size::Wide;
}

std::string CharacterText(const InsertSpec& spec, DWORD_PTR value)
{
    if (IsWideText(spec)) {
        char16_t unit = static_cast<char16_t>(value);
        return unit == 0 ? std::string() : Utf16ToUtf8(std::u16string_view(&unit, 1));
    }
    char ch = static_cast<char>(value);
    return ch == '\0' ? std::string() : std::string(1, ch);  // a terminator would cut the message
}

std::optional<std::string> StringText(const InsertSpec& spec, DWORD_PTR value, int precision, std::size_t maxLength)
{
    if (value == 0) return std::string("(null)");
    if (IsWideText(spec)) return WideText(reinterpret_cast<const WCHAR*>(value), precision, maxLength);
    return NarrowText(reinterpret_cast<const char*>(value), precision, maxLength);
}

// Widths count characters, so that Cyrillic text lines up as Latin text does.
std::string Pad(std::string text, const std::string& flags, int width)
{
    std::size_t characters = Utf8CharacterCount(text);
    if (width < 0 || characters >= static_cast<std::size_t>(width)) return text;
    std::string fill(static_cast<std::size_t>(width) - characters, ' ');
    return flags.find('-') != std::string::npos ? text + fill : fill + text;
}

std::string NumberText(const InsertSpec& spec, const std::string& flags, DWORD_PTR value, int width, int precision)
{
    std::string format = "%" + flags;
    if (width >= 0) format += std::to_string(width);
    char conversion = spec.conversion;
    if (conversion == 'p') {
        conversion = 'X';  // as the platform prints pointers: all digits, upper case
        if (precision < 0) precision = 2 * sizeof(void*);
    }
    if (precision >= 0) format += "." + std::to_string(precision);
    format += "ll";
    format += conversion;

    bool isSigned = conversion == 'd' || conversion == 'i';
    long long number;
    switch (spec.conversion == 'p' ? InsertSpec::Size::Long64 : spec.size) {
        case InsertSpec::Size::Long64: number = static_cast<long long>(value); break;
        case InsertSpec::Size::Short:
            number =
                isSigned ? static_cast<std::int16_t>(value) : static_cast<long long>(static_cast<std::uint16_t>(value));
            break;
        default:
            number =
                isSigned ? static_cast<std::int32_t>(value) : static_cast<long long>(static_cast<std::uint32_t>(value));
    }
    int length = std::snprintf(nullptr, 0, format.c_str(), number);
    if (length <= 0) return std::string();
    std::string text(static_cast<std::size_t>(length), '\0');
    std::snprintf(text.data(), text.size() + 1, format.c_str(), number);
    return text;
}

}  // namespace

std::optional<InsertSpec> ParseInsertSpec(std::string_view spec)
{
    InsertSpec result;
    std::size_t pos = 0;
    while (pos < spec.size() && kFlags.find(spec[pos]) != std::string_view::npos) result.flags += spec[pos++];
    if (pos < spec.size() && (spec[pos] == '*' || (spec[pos] >= '0' && spec[pos] <= '9')))
        ParseCount(spec, pos, result.widthFromArgument, result.width);
    if (pos < spec.size() && spec[pos] == '.') {
        ++pos;
        if (!ParseCount(spec, pos, result.precisionFromArgument, result.precision)) result.precision = 0;
    }
    result.size = ParseSize(spec, pos);
    if (pos + 1 != spec.size() || kConversions.find(spec[pos]) == std::string_view::npos) return std::nullopt;
    result.conversion = spec[pos];
    return result;
}

int ArgumentCount(const InsertSpec& spec)
{
    return 1 + (spec.widthFromArgument ? 1 : 0) + (spec.precisionFromArgument ? 1 : 0);
}

std::optional<std::string> FormatInsert(const InsertSpec& spec, MessageArguments& arguments, int number,
                                        std::size_t maxLength)
{
    std::string flags = spec.flags;
    int width = spec.width;
    int precision = spec.precision;
    if (spec.widthFromArgument) {
        width = IntArgument(arguments, number++);
        if (width < 0) {  // as printf: a negative width left-justifies
            flags += '-';
            width = width == INT_MIN ? INT_MAX : -width;
        }
    }
    if (spec.precisionFromArgument) precision = IntArgument(arguments, number++);
    if (precision < -1) precision = -1;
    // Padding alone would pass the limit: refuse before building it.
    bool isNumber = std::strchr("sScC", spec.conversion) == nullptr;
    if (width > 0 && static_cast<std::size_t>(width) > maxLength) return std::nullopt;
    if (isNumber && precision > 0 && static_cast<std::size_t>(precision) > maxLength) return std::nullopt;

    DWORD_PTR value = arguments.Get(number);
    std::string text;
    switch (spec.conversion) {
        case 's':
        case 'S': {
            auto string = StringText(spec, value, precision, maxLength);
            if (!string) return std::nullopt;
            text = Pad(std::move(*string), flags, width);
            break;
        }
        case 'c':
        case 'C': text = Pad(CharacterText(spec, value), flags, width); break;
        default: text = NumberText(spec, flags, value, width, precision);
    }
    if (text.size() > maxLength) return std::nullopt;
    return text;
}

}  // namespace zelm::platform

#include "zelmtools/util/TimePicture.h"

#include "platform/base/utf8.h"

namespace zelm::tools {

namespace {

constexpr char kFieldLetters[TimePicture::kFieldCount] = {'H', 'M', 'S', 'T'};

// Field letters are ASCII; only ASCII letters fold, so no other character of a
// picture can turn into a field letter and the picture keeps its byte positions.
char FoldCase(char ch)
{
    return (ch >= 'a' && ch <= 'z') ? static_cast<char>(ch - 'a' + 'A') : ch;
}

TimeField FindField(std::string_view picture, char letter)
{
    TimeField field;
    std::size_t start = 0;
    while (start < picture.size() && FoldCase(picture[start]) != letter) ++start;
    std::size_t end = start;
    while (end < picture.size() && FoldCase(picture[end]) == letter) ++end;
    field.width = end - start;
    if (field.IsPresent() && end < picture.size())
        field.separator = picture.substr(end, zelm::platform::Utf8CharacterLength(picture, end));
    return field;
}

}  // namespace

TimePicture::TimePicture(std::string_view picture)
{
    picture = picture.substr(0, zelm::platform::Utf8PrefixLength(picture.data(), picture.size(), kMaxPictureBytes));
    for (int i = 0; i < kFieldCount; ++i) m_fields[i] = FindField(picture, kFieldLetters[i]);
}

std::size_t TimePicture::LayoutLength() const
{
    std::size_t length = 0;
    for (const TimeField& field : m_fields) length += field.LayoutLength();
    return length;
}

}  // namespace zelm::tools

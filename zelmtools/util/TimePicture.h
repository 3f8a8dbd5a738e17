#pragma once
// The fields of a time picture such as "hh:mm:ss:ttt": for each of the letters h, m, s
// and t (in either case) the first run of that letter gives the field, its length the
// width, and the character right after the run the separator.

#include <cstddef>
#include <string>
#include <string_view>

namespace zelm::tools {

struct TimeField {
    std::size_t width = 0;  // 0: the picture has no such field
    std::string separator;  // one whole character, or empty at the end of the picture

    bool IsPresent() const { return width > 0; }
    std::size_t LayoutLength() const { return IsPresent() ? width + separator.size() : 0; }
};

class TimePicture {
public:
    // Fields in their fixed order of output and input, whatever their order in the picture.
    enum FieldIndex { kHours, kMinutes, kSeconds, kThousandths, kFieldCount };
    // Pictures are read up to this many bytes, cut on a character boundary.
    static constexpr std::size_t kMaxPictureBytes = 259;

    explicit TimePicture(std::string_view picture);

    const TimeField& Field(int index) const { return m_fields[index]; }
    // Bytes of text the picture lays out, without the terminator.
    std::size_t LayoutLength() const;

private:
    TimeField m_fields[kFieldCount];
};

}  // namespace zelm::tools

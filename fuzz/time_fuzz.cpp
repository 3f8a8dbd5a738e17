// Random pictures and texts through the time formatter and parser. Checks that the
// buffer form writes exactly the picture's layout, that both forms agree, that parsing
// stays in its range, and that the default picture reads back what it wrote.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "zelmtools/util/TimePicture.h"
#include <zelmtools/util/TimeStr.h>

namespace {

struct Input {
    std::string picture;
    std::string text;
    LONG milliseconds = 0;
    bool setDefault = false;
};

// [flags][picture length][4 bytes of milliseconds][picture][text]
Input Split(const std::uint8_t* data, std::size_t size)
{
    Input in;
    if (size < 6) return in;
    in.setDefault = data[0] & 1;
    std::size_t pictureLength = data[1];
    std::uint32_t bits;
    std::memcpy(&bits, data + 2, sizeof bits);
    in.milliseconds = static_cast<LONG>(bits);
    const char* rest = reinterpret_cast<const char*>(data + 6);
    std::size_t restSize = size - 6;
    if (pictureLength > restSize) pictureLength = restSize;
    // Texts end at their first zero byte, as the callers' strings do.
    in.picture = std::string(rest, pictureLength).c_str();
    in.text = std::string(rest + pictureLength, restSize - pictureLength).c_str();
    return in;
}

void CheckFormatting(LONG milliseconds, const char* picture)
{
    std::size_t layout = zelm::tools::TimePicture(picture).LayoutLength();
    auto buffer = std::make_unique<char[]>(layout + 1);  // exactly what the caller must give
    if (TimeToStr(milliseconds, buffer.get(), picture) != buffer.get()) std::abort();
    if (std::strlen(buffer.get()) != layout) std::abort();
    if (TimeToStr(milliseconds, picture) != buffer.get()) std::abort();
}

void CheckParsing(const std::string& text, const char* picture)
{
    LONG value = StrToTime(text.c_str(), picture);
    if (value != zelm::tools::kTimeOutOfRange && (value < 0 || value > 90060999)) std::abort();
    // The parser must stop at the end of the text; a copy on the heap lets ASan see it.
    auto exact = std::make_unique<char[]>(text.size() + 1);
    std::memcpy(exact.get(), text.c_str(), text.size() + 1);
    if (StrToTime(exact.get(), picture) != value) std::abort();
}

void CheckRoundTrip(LONG milliseconds)
{
    LONG duration = static_cast<LONG>(static_cast<std::uint32_t>(milliseconds) % 86400001u);
    char buffer[16];
    if (StrToTime(TimeToStr(duration, buffer, "hh:mm:ss:ttt"), "HH:MM:SS:TTT") != duration) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Input in = Split(data, size);
    CheckFormatting(in.milliseconds, in.picture.c_str());
    CheckParsing(in.text, in.picture.c_str());
    CheckRoundTrip(in.milliseconds);
    if (in.setDefault) {
        SetDefaultTimeFormat(in.picture.c_str());
        std::string cut = TimeToStr(in.milliseconds, nullptr).GetString();
        CheckParsing(in.text, nullptr);
        SetDefaultTimeFormat("hh:mm:ss:ttt");
        if (cut.size() > 15 + 4 * 4) std::abort();  // a 15-byte picture lays out no more
    }
    return 0;
}

#include "RegFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>

#include "ToolError.h"
#include "platform/base/utf8.h"

namespace zelmreg {

namespace {

bool StartsWith(const std::string& bytes, const char* prefix)
{
    return bytes.compare(0, std::strlen(prefix), prefix) == 0;
}

std::string FromUtf16Le(const std::string& bytes, std::size_t start, const std::string& path)
{
    if ((bytes.size() - start) % 2 != 0) Failure(path + ": odd number of bytes in a UTF-16 file");
    std::u16string text;
    for (std::size_t i = start; i + 1 < bytes.size(); i += 2)
        text +=
            static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) | static_cast<unsigned char>(bytes[i + 1]) << 8);
    return zelm::platform::Utf16ToUtf8(text);
}

}  // namespace

std::string ReadRegFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) Failure("cannot read " + path + ": " + std::strerror(errno));
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) Failure("cannot read " + path);
    if (StartsWith(bytes, "\xFF\xFE")) return FromUtf16Le(bytes, 2, path);
    if (StartsWith(bytes, "\xEF\xBB\xBF")) return bytes.substr(3);
    if (bytes.size() >= 2 && bytes[0] != '\0' && bytes[1] == '\0') return FromUtf16Le(bytes, 0, path);  // no mark
    return bytes;
}

void WriteRegFile(const std::string& path, const std::string& text)
{
    std::string bytes = "\xFF\xFE";
    for (char16_t unit : zelm::platform::Utf8ToUtf16(text)) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) Failure("cannot write " + path + ": " + std::strerror(errno));
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        std::remove(path.c_str());
        Failure("cannot write " + path + ": " + std::strerror(errno));
    }
}

}  // namespace zelmreg

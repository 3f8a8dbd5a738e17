#include "tools/pagepreview/PagePreview.h"

#include <fstream>
#include <iterator>

namespace {

std::uint32_t Read32(const std::vector<unsigned char>& data, std::size_t at)
{
    return data[at] | (data[at + 1] << 8) | (data[at + 2] << 16) | (static_cast<std::uint32_t>(data[at + 3]) << 24);
}

std::uint16_t Read16(const std::vector<unsigned char>& data, std::size_t at)
{
    return static_cast<std::uint16_t>(data[at] | (data[at + 1] << 8));
}

void AppendUtf8(std::string& out, char32_t ch)
{
    out += static_cast<char>(0xE0 | (ch >> 12));
    out += static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (ch & 0x3F));
}

// Braille dot bits for the pixel at (dx, dy) of a 2 x 4 cell.
constexpr unsigned kDotBits[4][2] = {{0x01, 0x08}, {0x02, 0x10}, {0x04, 0x20}, {0x40, 0x80}};

}  // namespace

std::optional<PageImage> ReadPageImage(const std::string& path, std::string& error)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot open " + path;
        return std::nullopt;
    }
    std::vector<unsigned char> data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (data.size() < 54 || data[0] != 'B' || data[1] != 'M') {
        error = path + " is not a bitmap file";
        return std::nullopt;
    }
    auto offset = Read32(data, 10);
    auto width = static_cast<std::int32_t>(Read32(data, 18));
    auto height = static_cast<std::int32_t>(Read32(data, 22));
    int bitsPerPixel = Read16(data, 28);
    if ((bitsPerPixel != 24 && bitsPerPixel != 32) || Read32(data, 30) != 0 || width <= 0 || height == 0 ||
        width > 4096 || height > 4096 || height < -4096) {
        error = path + ": only uncompressed 24- and 32-bit bitmaps are shown";
        return std::nullopt;
    }
    bool bottomUp = height > 0;
    PageImage image{width, bottomUp ? height : -height, {}};
    std::size_t stride = (static_cast<std::size_t>(width) * bitsPerPixel / 8 + 3) / 4 * 4;
    if (offset + stride * static_cast<std::size_t>(image.height) > data.size()) {
        error = path + " is cut short";
        return std::nullopt;
    }
    image.dark.resize(static_cast<std::size_t>(width) * image.height);
    for (int y = 0; y < image.height; ++y) {
        std::size_t row = offset + stride * static_cast<std::size_t>(bottomUp ? image.height - 1 - y : y);
        for (int x = 0; x < width; ++x) {
            const unsigned char* px = &data[row + static_cast<std::size_t>(x) * bitsPerPixel / 8];
            int luminance = (px[0] * 114 + px[1] * 587 + px[2] * 299) / 1000;
            image.dark[static_cast<std::size_t>(y * width + x)] = luminance < 128;
        }
    }
    return image;
}

std::string RenderBraille(const PageImage& image)
{
    int columns = (image.width + 1) / 2;
    std::string border;
    for (int i = 0; i < columns; ++i) border += "\u2500";
    std::string out = "\u250C" + border + "\u2510\n";
    for (int top = 0; top < image.height; top += 4) {
        out += "\u2502";
        for (int left = 0; left < image.width; left += 2) {
            unsigned bits = 0;
            for (int dy = 0; dy < 4; ++dy)
                for (int dx = 0; dx < 2; ++dx)
                    if (image.IsDark(left + dx, top + dy)) bits |= kDotBits[dy][dx];
            AppendUtf8(out, 0x2800 + bits);
        }
        out += "\u2502\n";
    }
    return out + "\u2514" + border + "\u2518\n";
}

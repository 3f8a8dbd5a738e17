// Icons from a module's resources: from the icon file's directory, the entry nearest
// the system's icon size, decoded into straight ARGB pixels (a 32-bit entry carries
// its alpha, a 24-bit one takes its transparency from the mask).
#include <cstring>
#include <memory>

#include <zelmtools/platform/base/errors.h>
#include "platform/gdi/device_context.h"
#include "platform/gdi/handle_table.h"
#include "platform/gdi/system_metrics.h"
#include <zelmtools/platform/kernel/resources.h>

namespace {

using zelm::platform::IconImage;

constexpr int kIconSize = 32;
constexpr int kSmallIconSize = 16;

DWORD Read32(const BYTE* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<DWORD>(p[3]) << 24); }
WORD Read16(const BYTE* p) { return static_cast<WORD>(p[0] | (p[1] << 8)); }

// The directory entry whose size is nearest to the wanted one.
const BYTE* PickEntry(const BYTE* data, std::size_t size, int wanted)
{
    if (size < 6 || Read16(data + 2) != 1) return nullptr;
    const int count = Read16(data + 4);
    const BYTE* best = nullptr;
    int bestDistance = 1 << 30;
    for (int i = 0; i < count && 6 + (i + 1) * 16 <= static_cast<int>(size); ++i) {
        const BYTE* entry = data + 6 + i * 16;
        int width = entry[0] ? entry[0] : 256;
        int distance = std::abs(width - wanted);
        if (distance < bestDistance) best = entry, bestDistance = distance;
    }
    return best;
}

// A 32-bit icon bitmap carries its alpha; other depths take transparency from the mask.
std::unique_ptr<IconImage> DecodeEntry(const BYTE* dib, std::size_t size)
{
    if (size < 40) return nullptr;
    const auto width = static_cast<int>(Read32(dib + 4));
    const int height = static_cast<int>(Read32(dib + 8)) / 2;  // colour and mask halves
    const int bits = Read16(dib + 14);
    if (width <= 0 || width > 256 || height <= 0 || height > 256 || (bits != 32 && bits != 24)) return nullptr;
    const std::size_t colourRow = ((static_cast<std::size_t>(width) * bits + 31) / 32) * 4;
    const std::size_t maskRow = ((static_cast<std::size_t>(width) + 31) / 32) * 4;
    const std::size_t header = Read32(dib);
    if (header + (colourRow + maskRow) * height > size) return nullptr;
    const BYTE* colours = dib + header;
    const BYTE* mask = colours + colourRow * height;
    auto image = std::make_unique<IconImage>();
    image->width = width;
    image->height = height;
    image->argb.resize(static_cast<std::size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        const BYTE* row = colours + colourRow * (height - 1 - y);
        const BYTE* maskLine = mask + maskRow * (height - 1 - y);
        for (int x = 0; x < width; ++x) {
            const BYTE* p = row + x * (bits / 8);
            bool masked = (maskLine[x / 8] >> (7 - x % 8)) & 1;
            std::uint32_t alpha = bits == 32 ? p[3] : (masked ? 0 : 255);
            image->argb[static_cast<std::size_t>(y) * width + x] = (alpha << 24) | (p[2] << 16) | (p[1] << 8) | p[0];
        }
    }
    return image;
}

}  // namespace

int GetSystemMetrics(int nIndex)
{
    switch (nIndex) {
    case SM_CXICON:
    case SM_CYICON: return kIconSize;
    case SM_CXSMICON:
    case SM_CYSMICON: return kSmallIconSize;
    default: return zelm::platform::WindowSystemMetric(nIndex);
    }
}

HICON LoadIconA(HINSTANCE hInstance, LPCSTR lpIconName)
{
    HRSRC found = FindResourceA(hInstance, lpIconName, RT_ICON);
    if (!found) return nullptr;
    auto* data = static_cast<const BYTE*>(LockResource(LoadResource(hInstance, found)));
    const std::size_t size = SizeofResource(hInstance, found);
    const BYTE* entry = data ? PickEntry(data, size, kIconSize) : nullptr;
    const std::size_t offset = entry ? static_cast<std::size_t>(Read32(entry + 12)) : size;
    const std::size_t length = entry ? static_cast<std::size_t>(Read32(entry + 8)) : 0;
    auto image = offset + length <= size ? DecodeEntry(data + offset, length) : nullptr;
    if (!image) {
        SetLastError(ERROR_BAD_FORMAT);
        return nullptr;
    }
    return reinterpret_cast<HICON>(zelm::platform::gdi::TableOf<IconImage>().Add(std::move(image)));
}

const IconImage* zelm::platform::IconImageOf(HICON hIcon)
{
    return zelm::platform::gdi::TableOf<IconImage>().Find(hIcon);
}

BOOL DestroyIcon(HICON hIcon)
{
    return zelm::platform::gdi::TableOf<IconImage>().Remove(hIcon) ? TRUE : FALSE;
}

BOOL DrawIcon(HDC hDC, int x, int y, HICON hIcon)
{
    using namespace zelm::platform::gdi;
    DeviceContext* dc = FindDC(hDC);
    const IconImage* icon = dc ? zelm::platform::IconImageOf(hIcon) : nullptr;
    if (!icon) return FALSE;
    Surface target = dc->Target();
    if (!target.bits) return FALSE;
    for (int iy = 0; iy < icon->height; ++iy)
        for (int ix = 0; ix < icon->width; ++ix) {
            if (!target.Contains(x + ix, y + iy)) continue;
            std::uint32_t pixel = icon->argb[static_cast<std::size_t>(iy) * icon->width + ix];
            std::uint32_t& under = target.At(x + ix, y + iy);
            under = BlendPixel(under, pixel & 0xFFFFFF, pixel >> 24);
        }
    return TRUE;
}

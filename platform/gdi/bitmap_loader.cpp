// Bitmaps from a module's resources: a device-independent bitmap turned into a
// 32-bit device bitmap.
#include <cstring>

#include <zelmtools/platform/base/errors.h>
#include "platform/gdi/gdi_objects.h"
#include <zelmtools/platform/kernel/resources.h>

using namespace zelm::platform::gdi;

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;

DWORD Read32(const BYTE* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<DWORD>(p[3]) << 24); }
WORD Read16(const BYTE* p) { return static_cast<WORD>(p[0] | (p[1] << 8)); }

// The colour of pixel x in a row of a palette or true-colour image.
std::uint32_t PixelAt(const BYTE* row, int x, int bits, const BYTE* palette, DWORD paletteCount)
{
    if (bits >= 24) {
        const BYTE* p = row + x * (bits / 8);
        return (p[2] << 16) | (p[1] << 8) | p[0];
    }
    int bitOffset = x * bits;
    int index = (row[bitOffset / 8] >> (8 - bits - bitOffset % 8)) & ((1 << bits) - 1);
    if (static_cast<DWORD>(index) >= paletteCount) return 0;
    const BYTE* entry = palette + index * 4;
    return (entry[2] << 16) | (entry[1] << 8) | entry[0];
}

// A DIB (info header, palette, bits), with or without the file header before it.
std::unique_ptr<Bitmap> DecodeDib(const BYTE* data, std::size_t size)
{
    if (size >= 2 && data[0] == 'B' && data[1] == 'M') data += kFileHeaderSize, size -= std::min(size, kFileHeaderSize);
    if (size < kInfoHeaderSize) return nullptr;
    const DWORD headerSize = Read32(data);
    const auto width = static_cast<LONG>(Read32(data + 4));
    const auto rawHeight = static_cast<LONG>(Read32(data + 8));
    const int bits = Read16(data + 14);
    const DWORD compression = Read32(data + 16);
    DWORD paletteCount = Read32(data + 32);
    const bool supported = bits == 1 || bits == 4 || bits == 8 || bits == 24 || bits == 32;
    if (headerSize < kInfoHeaderSize || headerSize > size || compression != 0 || !supported || width <= 0 ||
        width > 32768 || rawHeight == 0 || rawHeight < -32768 || rawHeight > 32768)
        return nullptr;
    if (bits <= 8 && paletteCount == 0) paletteCount = 1u << bits;
    const std::size_t paletteBytes = bits <= 8 ? paletteCount * 4 : 0;
    const int height = rawHeight < 0 ? -rawHeight : static_cast<int>(rawHeight);
    const std::size_t rowBytes = ((static_cast<std::size_t>(width) * bits + 31) / 32) * 4;
    if (headerSize + paletteBytes + rowBytes * height > size) return nullptr;

    const BYTE* palette = data + headerSize;
    const BYTE* pixels = palette + paletteBytes;
    auto bitmap = std::make_unique<Bitmap>(width, height);
    for (int y = 0; y < height; ++y) {
        // Positive heights store the bottom row first.
        const BYTE* row = pixels + rowBytes * static_cast<std::size_t>(rawHeight > 0 ? height - 1 - y : y);
        for (int x = 0; x < width; ++x)
            bitmap->pixels[static_cast<std::size_t>(y) * width + x] = PixelAt(row, x, bits, palette, paletteCount);
    }
    return bitmap;
}

}  // namespace

HBITMAP LoadBitmapA(HINSTANCE hInstance, LPCSTR lpBitmapName)
{
    HRSRC found = FindResourceA(hInstance, lpBitmapName, RT_BITMAP);
    if (!found) return nullptr;
    HGLOBAL loaded = LoadResource(hInstance, found);
    auto* data = static_cast<const BYTE*>(LockResource(loaded));
    auto bitmap = data ? DecodeDib(data, SizeofResource(hInstance, found)) : nullptr;
    if (!bitmap) {
        SetLastError(ERROR_BAD_FORMAT);
        return nullptr;
    }
    return AddObject(std::move(bitmap));
}

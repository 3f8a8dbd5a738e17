#pragma once
// The state behind an HDC: where it draws and what is selected into it.

#include <cstdint>

#include "platform/gdi/gdi_objects.h"

namespace zelm::platform::gdi {

// Pixels a device context draws into: 0x00RRGGBB, rows `stride` pixels apart.
struct Surface {
    std::uint32_t* bits = nullptr;
    int width = 0;
    int height = 0;
    int stride = 0;
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
    std::uint32_t& At(int x, int y) { return bits[static_cast<std::ptrdiff_t>(y) * stride + x]; }
};

enum class DcKind { Screen, Memory, Surface };

struct DeviceContext {
    DcKind kind = DcKind::Memory;
    Surface external;  // for DcKind::Surface
    HGDIOBJ bitmap = nullptr;
    HGDIOBJ font = nullptr;
    HGDIOBJ brush = nullptr;
    COLORREF textColor = RGB(0, 0, 0);
    COLORREF bkColor = RGB(255, 255, 255);
    int bkMode = OPAQUE;
    int breakExtra = 0;
    int breakCount = 0;

    // The pixels drawn on: the selected bitmap's, the caller's, or none (the screen).
    Surface Target() const;
    Font* SelectedFont() const;
};

// Mixes over onto under by coverage (0 keeps under, 255 gives over); 0x00RRGGBB pixels.
inline std::uint32_t BlendPixel(std::uint32_t under, std::uint32_t over, unsigned coverage)
{
    auto channel = [&](int shift) {
        unsigned a = (under >> shift) & 0xFF, b = (over >> shift) & 0xFF;
        return ((b * coverage + a * (255 - coverage) + 127) / 255) << shift;
    };
    return channel(16) | channel(8) | channel(0);
}

// The live device context behind a handle, or null with the last error set.
DeviceContext* FindDC(HDC hdc);

}  // namespace zelm::platform::gdi

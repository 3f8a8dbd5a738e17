#pragma once
// The objects behind GDI handles. A handle is the object's address; every call checks
// it against the table of live objects first, so a stale or foreign handle fails
// cleanly instead of crashing.

#include <cstdint>
#include <memory>
#include <vector>

#include <zelmtools/platform/gdi/gdi.h>

namespace zelm::platform::gdi {

class RealizedFont;

enum class ObjectKind { Bitmap, Font, Brush };

struct GdiObject {
    explicit GdiObject(ObjectKind k) : kind(k) {}
    virtual ~GdiObject() = default;
    ObjectKind kind;
    bool stock = false;
    // Selected into this many device contexts; deleting such an object is deferred.
    int selections = 0;
    bool deletePending = false;
};

struct Bitmap : GdiObject {
    Bitmap(int w, int h) : GdiObject(ObjectKind::Bitmap), width(w), height(h),
                           pixels(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), 0) {}
    int width;
    int height;
    // 0x00RRGGBB per pixel: in memory the bytes blue, green, red, unused.
    std::vector<std::uint32_t> pixels;
};

struct Font : GdiObject {
    explicit Font(const LOGFONTA& lf, std::shared_ptr<RealizedFont> r)
        : GdiObject(ObjectKind::Font), logFont(lf), realized(std::move(r)) {}
    LOGFONTA logFont;
    std::shared_ptr<RealizedFont> realized;
};

struct Brush : GdiObject {
    Brush(UINT s, COLORREF c) : GdiObject(ObjectKind::Brush), style(s), color(c) {}
    UINT style;
    COLORREF color;
};

// Registers a new object and returns its handle.
HGDIOBJ AddObject(std::unique_ptr<GdiObject> object);
// The live object behind a handle, or null (with the last error set).
GdiObject* FindObject(HGDIOBJ handle);
template <class T>
T* FindObjectOf(HGDIOBJ handle, ObjectKind kind)
{
    GdiObject* object = FindObject(handle);
    return object && object->kind == kind ? static_cast<T*>(object) : nullptr;
}
// Destroys an object whose deletion waited for its last device context to let go.
void ReleaseSelection(GdiObject* object);

// The 1 x 1 bitmap that a new memory device context starts with.
HGDIOBJ DefaultBitmap();

// Pixel format conversions between COLORREF (0x00BBGGRR) and the surface's 0x00RRGGBB.
constexpr std::uint32_t PixelFromColor(COLORREF c)
{
    return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}
constexpr COLORREF ColorFromPixel(std::uint32_t p)
{
    return RGB(static_cast<BYTE>(p >> 16), static_cast<BYTE>(p >> 8), static_cast<BYTE>(p));
}

}  // namespace zelm::platform::gdi

// Filling, single pixels and block transfers.
#include <algorithm>
#include <cstring>

#include <zelmtools/platform/base/errors.h>
#include "platform/gdi/device_context.h"

using namespace zelm::platform::gdi;

namespace {

// The part of a rectangle that lies on the surface.
RECT ClipToSurface(RECT r, const Surface& s)
{
    return {std::max<LONG>(r.left, 0), std::max<LONG>(r.top, 0), std::min<LONG>(r.right, s.width),
            std::min<LONG>(r.bottom, s.height)};
}

void Fill(Surface s, RECT r, std::uint32_t pixel)
{
    r = ClipToSurface(r, s);
    for (LONG y = r.top; y < r.bottom; ++y) std::fill_n(&s.At(r.left, y), std::max<LONG>(0, r.right - r.left), pixel);
}

}  // namespace

int FillRect(HDC hDC, const RECT* lprc, HBRUSH hbr)
{
    DeviceContext* dc = FindDC(hDC);
    auto* brush = dc ? FindObjectOf<Brush>(hbr, ObjectKind::Brush) : nullptr;
    if (!brush || !lprc) return FALSE;
    Surface target = dc->Target();
    if (!target.bits) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (brush->style == BS_SOLID) Fill(target, *lprc, PixelFromColor(brush->color));
    return TRUE;
}

COLORREF GetPixel(HDC hdc, int x, int y)
{
    DeviceContext* dc = FindDC(hdc);
    if (!dc) return CLR_INVALID;
    Surface target = dc->Target();
    if (!target.bits || !target.Contains(x, y)) return CLR_INVALID;
    return ColorFromPixel(target.At(x, y));
}

COLORREF SetPixel(HDC hdc, int x, int y, COLORREF color)
{
    DeviceContext* dc = FindDC(hdc);
    if (!dc) return CLR_INVALID;
    Surface target = dc->Target();
    if (!target.bits || !target.Contains(x, y)) return CLR_INVALID;
    target.At(x, y) = PixelFromColor(color);
    return color & 0xFFFFFF;
}

BOOL BitBlt(HDC hdc, int x, int y, int cx, int cy, HDC hdcSrc, int x1, int y1, DWORD rop)
{
    DeviceContext* dc = FindDC(hdc);
    if (!dc) return FALSE;
    Surface target = dc->Target();
    if (!target.bits) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (rop == BLACKNESS || rop == WHITENESS) {
        Fill(target, {x, y, x + cx, y + cy}, rop == BLACKNESS ? 0 : 0xFFFFFF);
        return TRUE;
    }
    DeviceContext* src = FindDC(hdcSrc);
    if (!src || rop != SRCCOPY) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    Surface source = src->Target();
    if (!source.bits) return FALSE;
    // Clip the block to both surfaces; rows may overlap when both are the same.
    int left = std::max({0, -x, -x1});
    int top = std::max({0, -y, -y1});
    int right = std::min({cx, target.width - x, source.width - x1});
    int bottom = std::min({cy, target.height - y, source.height - y1});
    if (right <= left) return TRUE;
    const bool upward = source.bits == target.bits && y > y1;
    for (int i = top; i < bottom; ++i) {
        int row = upward ? bottom - 1 - (i - top) : i;
        std::memmove(&target.At(x + left, y + row), &source.At(x1 + left, y1 + row),
                     static_cast<std::size_t>(right - left) * sizeof(std::uint32_t));
    }
    return TRUE;
}

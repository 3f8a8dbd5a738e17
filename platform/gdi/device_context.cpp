#include "platform/gdi/device_context.h"

#include <zelmtools/platform/base/errors.h>
#include "platform/gdi/handle_table.h"

namespace zelm::platform::gdi {
namespace {

HDC AddDC(std::unique_ptr<DeviceContext> dc)
{
    dc->bitmap = DefaultBitmap();
    dc->font = GetStockObject(SYSTEM_FONT);
    dc->brush = GetStockObject(WHITE_BRUSH);
    for (HGDIOBJ h : {dc->bitmap, dc->font, dc->brush})
        if (GdiObject* object = FindObject(h)) ++object->selections;
    return reinterpret_cast<HDC>(TableOf<DeviceContext>().Add(std::move(dc)));
}

HGDIOBJ& SlotFor(DeviceContext& dc, ObjectKind kind)
{
    switch (kind) {
    case ObjectKind::Bitmap: return dc.bitmap;
    case ObjectKind::Font: return dc.font;
    case ObjectKind::Brush: break;
    }
    return dc.brush;
}

}  // namespace

Surface DeviceContext::Target() const
{
    if (kind == DcKind::Surface) return external;
    if (kind == DcKind::Screen) return {};
    auto* selected = FindObjectOf<Bitmap>(bitmap, ObjectKind::Bitmap);
    if (!selected) return {};
    return {selected->pixels.data(), selected->width, selected->height, selected->width};
}

Font* DeviceContext::SelectedFont() const { return FindObjectOf<Font>(font, ObjectKind::Font); }

DeviceContext* FindDC(HDC hdc)
{
    DeviceContext* dc = TableOf<DeviceContext>().Find(hdc);
    if (!dc) SetLastError(ERROR_INVALID_HANDLE);
    return dc;
}

}  // namespace zelm::platform::gdi

using namespace zelm::platform::gdi;

HDC GetDC(HWND hWnd)
{
    // Windows hand their device contexts out through the framework, which owns their
    // pixels (CreateSurfaceDC); here only the screen's is made.
    if (hWnd) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    auto dc = std::make_unique<DeviceContext>();
    dc->kind = DcKind::Screen;
    return AddDC(std::move(dc));
}

int ReleaseDC(HWND, HDC hDC) { return DeleteDC(hDC); }

HDC CreateCompatibleDC(HDC hdc)
{
    if (hdc && !FindDC(hdc)) return nullptr;
    return AddDC(std::make_unique<DeviceContext>());
}

HDC zelm::platform::CreateSurfaceDC(std::uint32_t* bits, int width, int height, int strideBytes)
{
    if (!bits || width <= 0 || height <= 0 || strideBytes < width * 4) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto dc = std::make_unique<DeviceContext>();
    dc->kind = DcKind::Surface;
    dc->external = {bits, width, height, strideBytes / 4};
    return AddDC(std::move(dc));
}

BOOL DeleteDC(HDC hdc)
{
    DeviceContext* dc = FindDC(hdc);
    if (!dc) return FALSE;
    for (HGDIOBJ h : {dc->bitmap, dc->font, dc->brush})
        if (GdiObject* object = FindObject(h)) ReleaseSelection(object);
    TableOf<DeviceContext>().Remove(dc);
    return TRUE;
}

HGDIOBJ SelectObject(HDC hdc, HGDIOBJ h)
{
    DeviceContext* dc = FindDC(hdc);
    GdiObject* object = dc ? FindObject(h) : nullptr;
    if (!object) return nullptr;
    // A bitmap belongs in memory device contexts only.
    if (object->kind == ObjectKind::Bitmap && dc->kind != DcKind::Memory) return nullptr;
    HGDIOBJ& slot = SlotFor(*dc, object->kind);
    HGDIOBJ previous = slot;
    if (previous == h) return previous;
    ++object->selections;
    slot = h;
    if (GdiObject* old = FindObject(previous)) ReleaseSelection(old);
    return previous;
}

HGDIOBJ GetCurrentObject(HDC hdc, UINT type)
{
    DeviceContext* dc = FindDC(hdc);
    if (!dc) return nullptr;
    switch (type) {
    case OBJ_BITMAP: return dc->bitmap;
    case OBJ_FONT: return dc->font;
    case OBJ_BRUSH: return dc->brush;
    default: return nullptr;
    }
}

int GetDeviceCaps(HDC hdc, int index)
{
    DeviceContext* dc = FindDC(hdc);
    if (!dc) return 0;
    Surface target = dc->Target();
    switch (index) {
    case BITSPIXEL: return 32;
    case PLANES: return 1;
    case NUMCOLORS: return -1;
    case SIZEPALETTE: return 0;
    case RASTERCAPS: return 0;  // no palette
    case LOGPIXELSX:
    case LOGPIXELSY: return 96;
    case HORZRES: return target.width;
    case VERTRES: return target.height;
    default: return 0;
    }
}

int SetBkMode(HDC hdc, int mode)
{
    DeviceContext* dc = FindDC(hdc);
    if (!dc || (mode != TRANSPARENT && mode != OPAQUE)) return 0;
    int previous = dc->bkMode;
    dc->bkMode = mode;
    return previous;
}

int GetBkMode(HDC hdc)
{
    DeviceContext* dc = FindDC(hdc);
    return dc ? dc->bkMode : 0;
}

COLORREF SetTextColor(HDC hdc, COLORREF color)
{
    DeviceContext* dc = FindDC(hdc);
    if (!dc) return CLR_INVALID;
    COLORREF previous = dc->textColor;
    dc->textColor = color & 0xFFFFFF;
    return previous;
}

COLORREF GetTextColor(HDC hdc)
{
    DeviceContext* dc = FindDC(hdc);
    return dc ? dc->textColor : CLR_INVALID;
}

COLORREF SetBkColor(HDC hdc, COLORREF color)
{
    DeviceContext* dc = FindDC(hdc);
    if (!dc) return CLR_INVALID;
    COLORREF previous = dc->bkColor;
    dc->bkColor = color & 0xFFFFFF;
    return previous;
}

COLORREF GetBkColor(HDC hdc)
{
    DeviceContext* dc = FindDC(hdc);
    return dc ? dc->bkColor : CLR_INVALID;
}

BOOL SetTextJustification(HDC hdc, int extra, int count)
{
    DeviceContext* dc = FindDC(hdc);
    if (!dc) return FALSE;
    dc->breakExtra = count > 0 ? extra : 0;
    dc->breakCount = count > 0 ? count : 0;
    return TRUE;
}

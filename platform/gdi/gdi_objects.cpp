#include "platform/gdi/gdi_objects.h"

#include <algorithm>
#include <cstring>
#include <mutex>
#include <unordered_map>

#include <zelmtools/platform/base/errors.h>
#include "platform/gdi/handle_table.h"
#include "platform/gdi/realized_font.h"

namespace zelm::platform::gdi {
namespace {

void DestroyObject(GdiObject* object) { TableOf<GdiObject>().Remove(object); }

HGDIOBJ AddStock(std::unique_ptr<GdiObject> object)
{
    object->stock = true;
    return AddObject(std::move(object));
}

LOGFONTA StockLogFont(LONG height, LONG weight)
{
    LOGFONTA lf{};
    lf.lfHeight = height;
    lf.lfWeight = weight;
    lf.lfCharSet = DEFAULT_CHARSET;
    std::strcpy(lf.lfFaceName, "DejaVu Sans");
    return lf;
}

HGDIOBJ MakeStockObject(int index)
{
    switch (index) {
    case WHITE_BRUSH: return AddStock(std::make_unique<Brush>(BS_SOLID, RGB(255, 255, 255)));
    case LTGRAY_BRUSH: return AddStock(std::make_unique<Brush>(BS_SOLID, RGB(192, 192, 192)));
    case GRAY_BRUSH: return AddStock(std::make_unique<Brush>(BS_SOLID, RGB(128, 128, 128)));
    case DKGRAY_BRUSH: return AddStock(std::make_unique<Brush>(BS_SOLID, RGB(64, 64, 64)));
    case BLACK_BRUSH: return AddStock(std::make_unique<Brush>(BS_SOLID, RGB(0, 0, 0)));
    case NULL_BRUSH: return AddStock(std::make_unique<Brush>(BS_NULL, 0));
    case SYSTEM_FONT:
    case DEFAULT_GUI_FONT: {
        // The dialog font: a 12-pixel character height; the system font is its bold cell-height cousin.
        LOGFONTA lf = index == DEFAULT_GUI_FONT ? StockLogFont(-12, FW_NORMAL) : StockLogFont(16, FW_BOLD);
        auto realized = RealizeFont(lf);
        return realized ? AddStock(std::make_unique<Font>(lf, std::move(realized))) : nullptr;
    }
    default: return nullptr;
    }
}

}  // namespace

HGDIOBJ AddObject(std::unique_ptr<GdiObject> object)
{
    return reinterpret_cast<HGDIOBJ>(TableOf<GdiObject>().Add(std::move(object)));
}

GdiObject* FindObject(HGDIOBJ handle)
{
    GdiObject* object = TableOf<GdiObject>().Find(handle);
    if (!object) SetLastError(ERROR_INVALID_HANDLE);
    return object;
}

void ReleaseSelection(GdiObject* object)
{
    if (--object->selections == 0 && object->deletePending) DestroyObject(object);
}

HGDIOBJ DefaultBitmap()
{
    static HGDIOBJ bitmap = AddStock(std::make_unique<Bitmap>(1, 1));
    return bitmap;
}

}  // namespace zelm::platform::gdi

using namespace zelm::platform::gdi;

HGDIOBJ GetStockObject(int index)
{
    static std::mutex mutex;
    static std::unordered_map<int, HGDIOBJ> made;
    std::lock_guard lock(mutex);
    auto it = made.find(index);
    if (it != made.end()) return it->second;
    HGDIOBJ object = MakeStockObject(index);
    if (object) made.emplace(index, object);
    return object;
}

BOOL DeleteObject(HGDIOBJ ho)
{
    GdiObject* object = FindObject(ho);
    if (!object) return FALSE;
    if (object->stock) return TRUE;
    // An object still selected into a device context goes when the context lets it go.
    if (object->selections > 0) {
        object->deletePending = true;
        return TRUE;
    }
    DestroyObject(object);
    return TRUE;
}

DWORD GetObjectType(HGDIOBJ h)
{
    GdiObject* object = FindObject(h);
    if (!object) return 0;
    switch (object->kind) {
    case ObjectKind::Bitmap: return OBJ_BITMAP;
    case ObjectKind::Font: return OBJ_FONT;
    case ObjectKind::Brush: return OBJ_BRUSH;
    }
    return 0;
}

int GetObjectA(HGDIOBJ h, int c, LPVOID pv)
{
    GdiObject* object = FindObject(h);
    if (!object) return 0;
    auto copyOut = [&](const auto& record) {
        if (!pv) return static_cast<int>(sizeof record);
        int n = std::min(c, static_cast<int>(sizeof record));
        if (n <= 0) return 0;
        std::memcpy(pv, &record, static_cast<std::size_t>(n));
        return n;
    };
    switch (object->kind) {
    case ObjectKind::Bitmap: {
        auto* bitmap = static_cast<Bitmap*>(object);
        BITMAP info{0, bitmap->width, bitmap->height, bitmap->width * 4, 1, 32, nullptr};
        return copyOut(info);
    }
    case ObjectKind::Font: return copyOut(static_cast<Font*>(object)->logFont);
    case ObjectKind::Brush: {
        auto* brush = static_cast<Brush*>(object);
        LOGBRUSH info{brush->style, brush->color, 0};
        return copyOut(info);
    }
    }
    return 0;
}

HBITMAP CreateCompatibleBitmap(HDC, int cx, int cy)
{
    if (cx <= 0 || cy <= 0 || cx > 32768 || cy > 32768) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return AddObject(std::make_unique<Bitmap>(cx, cy));
}

LONG GetBitmapBits(HBITMAP hbit, LONG cb, LPVOID lpvBits)
{
    auto* bitmap = FindObjectOf<Bitmap>(hbit, ObjectKind::Bitmap);
    if (!bitmap || cb < 0 || !lpvBits) return 0;
    // 32-bit rows are already even in length: the bits are the pixels, top row first.
    auto total = static_cast<LONG>(bitmap->pixels.size() * 4);
    LONG n = std::min(cb, total);
    std::memcpy(lpvBits, bitmap->pixels.data(), static_cast<std::size_t>(n));
    return n;
}

HBRUSH CreateSolidBrush(COLORREF color) { return AddObject(std::make_unique<Brush>(BS_SOLID, color & 0xFFFFFF)); }

HFONT CreateFontIndirectA(const LOGFONTA* lplf)
{
    if (!lplf) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    LOGFONTA lf = *lplf;
    lf.lfFaceName[LF_FACESIZE - 1] = '\0';
    auto realized = RealizeFont(lf);
    if (!realized) return nullptr;
    return AddObject(std::make_unique<Font>(lf, std::move(realized)));
}

// The software raster as the worker and the dialog rely on it: sizes, metrics,
// justification, pixels, bitmaps from resources and handle lifetimes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include <zelmtools/platform/base/errors.h>
#include <zelmtools/platform/gdi/gdi.h>
#include <zelmtools/platform/kernel/resources.h>

namespace {

LOGFONTA DejaVu(LONG height, BYTE quality = DEFAULT_QUALITY)
{
    LOGFONTA lf{};
    lf.lfHeight = height;
    lf.lfWeight = FW_NORMAL;
    lf.lfQuality = quality;
    std::strcpy(lf.lfFaceName, "DejaVu Sans");
    return lf;
}

// A memory DC on a white bitmap with a font selected; everything freed at the end.
struct Canvas {
    Canvas(const LOGFONTA& lf, int width = 128, int height = 128)
    {
        dc = CreateCompatibleDC(nullptr);
        bitmap = CreateCompatibleBitmap(dc, width, height);
        oldBitmap = SelectObject(dc, bitmap);
        font = CreateFontIndirectA(&lf);
        oldFont = SelectObject(dc, font);
        RECT all{0, 0, width, height};
        FillRect(dc, &all, GetStockObject(WHITE_BRUSH));
        SetBkMode(dc, TRANSPARENT);
    }
    ~Canvas()
    {
        SelectObject(dc, oldFont);
        SelectObject(dc, oldBitmap);
        DeleteObject(font);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    int Width(const std::string& text) const
    {
        SIZE size{};
        GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &size);
        return size.cx;
    }
    TEXTMETRICA Metrics() const
    {
        TEXTMETRICA tm{};
        GetTextMetricsA(dc, &tm);
        return tm;
    }
    // Counts pixels that are neither white nor black, and the ink's columns.
    void Scan(int& greys, int& inkLeft, int& inkRight) const
    {
        greys = 0, inkLeft = 1000, inkRight = -1;
        for (int y = 0; y < 128; ++y)
            for (int x = 0; x < 128; ++x) {
                COLORREF c = GetPixel(dc, x, y);
                if (c != RGB(255, 255, 255) && c != RGB(0, 0, 0)) ++greys;
                if (c != RGB(255, 255, 255)) inkLeft = std::min(inkLeft, x), inkRight = std::max(inkRight, x);
            }
    }
    HDC dc;
    HGDIOBJ bitmap, oldBitmap, font, oldFont;
};

}  // namespace

TEST(GdiFonts, NegativeHeightIsTheEmAndPositiveTheCell)
{
    ASSERT_TRUE(zelm::platform::FontFamilyExists("DejaVu Sans"));
    EXPECT_FALSE(zelm::platform::FontFamilyExists("MS Sans Serif"));

    Canvas em(DejaVu(-12));
    TEXTMETRICA tm = em.Metrics();
    EXPECT_EQ(tm.tmHeight, tm.tmAscent + tm.tmDescent);
    EXPECT_GT(tm.tmHeight, 12) << "a 12-pixel em needs a taller cell";
    EXPECT_EQ(tm.tmInternalLeading, tm.tmHeight - 12);

    for (LONG cell : {14, 20, 40}) {
        Canvas c(DejaVu(cell));
        EXPECT_NEAR(c.Metrics().tmHeight, cell, 1) << "cell height " << cell;
    }
    Canvas big(DejaVu(-40));
    EXPECT_GT(big.Width("Keeper"), em.Width("Keeper") * 3);
}

TEST(GdiText, JustificationWidensEverySpaceInMeasuringAndDrawing)
{
    Canvas c(DejaVu(-12));
    const int plain = c.Width("sea and lamp");
    SetTextJustification(c.dc, 100, 20);
    EXPECT_EQ(c.Width("sea and lamp"), plain + 2 * 5);

    RECT rect{2, 0, 122, 116};
    DrawTextA(c.dc, "sea and lamp", -1, &rect, DT_CALCRECT | DT_NOCLIP | DT_NOPREFIX);
    EXPECT_EQ(rect.left, 2);
    EXPECT_EQ(rect.top, 0);
    EXPECT_EQ(rect.right - rect.left, plain + 10);
    EXPECT_EQ(rect.bottom, c.Metrics().tmHeight);

    SetTextJustification(c.dc, 7, 3);  // 3, 2 and 2: the remainder goes to the first breaks
    const int spaces = c.Width("a b c d") - c.Width("a") - c.Width("b") - c.Width("c") - c.Width("d");
    SetTextJustification(c.dc, 0, 0);
    EXPECT_EQ(spaces, 3 * c.Width(" ") + 7);
}

// Line fitting takes every prefix's width from one call: each must be what DrawText
// measures for that prefix alone, spaces widened by the justification, and a malformed
// byte must count as a character of its own as the layout reads it.
TEST(GdiText, PrefixExtentsEqualDrawTextOfEachPrefix)
{
    Canvas c(DejaVu(-12));
    SetTextJustification(c.dc, 100, 20);
    const std::string text = "Wind \xD0\xBC\xD0\xBE\xD1\x80\xD0\xB5 \xFF x\xE2\x80\x94y  ships";
    const int count = static_cast<int>(text.size());
    std::vector<INT> dx(text.size(), -1);
    SIZE size{};
    ASSERT_TRUE(GetTextExtentExPointA(c.dc, text.data(), count, 1000, nullptr, dx.data(), &size));
    EXPECT_EQ(size.cy, c.Metrics().tmHeight);
    const std::vector<int> ends = {1, 2, 3, 4, 5, 7, 9, 11, 13, 14, 15, 16, 17, 20, 21, 22, 23, 24, 25, 26, 27, 28};
    ASSERT_EQ(ends.back(), count);
    for (int end : ends) {
        RECT rect{2, 0, 122, 116};
        DrawTextA(c.dc, text.data(), end, &rect, DT_CALCRECT | DT_NOCLIP | DT_NOPREFIX);
        EXPECT_EQ(dx[static_cast<std::size_t>(end - 1)], rect.right - rect.left) << "prefix of " << end << " bytes";
        EXPECT_EQ(dx[static_cast<std::size_t>(end - 1)], c.Width(text.substr(0, static_cast<std::size_t>(end))));
    }
    EXPECT_EQ(dx[5], dx[6]) << "both bytes of a two-byte character carry its prefix";
    EXPECT_EQ(size.cx, dx.back());

    // The fit stops before the first character that passes the extent.
    const int limit = dx[10];
    INT fit = -1;
    ASSERT_TRUE(GetTextExtentExPointA(c.dc, text.data(), count, limit, &fit, nullptr, nullptr));
    EXPECT_EQ(fit, 11);
    ASSERT_TRUE(GetTextExtentExPointA(c.dc, text.data(), count, limit - 1, &fit, nullptr, nullptr));
    EXPECT_EQ(fit, 9);
    ASSERT_TRUE(GetTextExtentExPointA(c.dc, text.data(), 0, 10, &fit, nullptr, &size));
    EXPECT_EQ(fit, 0);
    EXPECT_EQ(size.cx, 0);
    EXPECT_FALSE(GetTextExtentExPointA(c.dc, text.data(), -1, 10, &fit, nullptr, nullptr));
}

TEST(GdiText, DefaultQualityIsSharpAndAntialiasedHasGreys)
{
    for (BYTE quality : {DEFAULT_QUALITY, NONANTIALIASED_QUALITY, ANTIALIASED_QUALITY}) {
        Canvas c(DejaVu(-12, quality));
        SetTextColor(c.dc, RGB(0, 0, 0));
        ASSERT_TRUE(ExtTextOutA(c.dc, 2, 0, 0, nullptr, "Keeper", 6, nullptr));
        int greys = 0, left = 0, right = 0;
        c.Scan(greys, left, right);
        if (quality == ANTIALIASED_QUALITY)
            EXPECT_GT(greys, 0);
        else
            EXPECT_EQ(greys, 0) << "quality " << int(quality);
        EXPECT_GE(left, 2);
        EXPECT_LT(right, 2 + c.Width("Keeper"));
    }
}

// Glyphs are clipped per glyph, not per pixel: a clipped text must paint exactly the
// unclipped text's pixels inside the rectangle, and text hanging off the surface's
// edges only the part on it.
TEST(GdiText, ClippedTextPaintsTheUnclippedPixelsInsideTheRectangle)
{
    Canvas whole(DejaVu(-40, ANTIALIASED_QUALITY));
    Canvas clipped(DejaVu(-40, ANTIALIASED_QUALITY));
    Canvas shifted(DejaVu(-40, ANTIALIASED_QUALITY));
    const RECT clip{9, 7, 61, 33};
    ASSERT_TRUE(ExtTextOutA(whole.dc, 2, 0, 0, nullptr, "Wavy", 4, nullptr));
    ASSERT_TRUE(ExtTextOutA(clipped.dc, 2, 0, ETO_CLIPPED, &clip, "Wavy", 4, nullptr));
    ASSERT_TRUE(ExtTextOutA(shifted.dc, -18, 100, 0, nullptr, "Wavy", 4, nullptr));
    int inked = 0;
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 128; ++x) {
            const bool inside = x >= clip.left && x < clip.right && y >= clip.top && y < clip.bottom;
            const COLORREF expected = inside ? GetPixel(whole.dc, x, y) : RGB(255, 255, 255);
            ASSERT_EQ(GetPixel(clipped.dc, x, y), expected) << x << "," << y;
            if (inside && expected != RGB(255, 255, 255)) ++inked;
            // The shifted text is the whole one 20 pixels left and 100 down.
            const COLORREF moved = x + 20 < 128 ? GetPixel(whole.dc, x + 20, y) : RGB(255, 255, 255);
            if (y < 28) ASSERT_EQ(GetPixel(shifted.dc, x, y + 100), moved) << x << "," << y;
        }
    EXPECT_GT(inked, 50);
}

TEST(GdiText, EachGlyphIsRasterisedOncePerFont)
{
    LOGFONTA lf = DejaVu(-17);  // a size no other test uses, so the cache starts empty
    Canvas c(lf);
    long before = zelm::platform::GlyphRasterCount();
    ExtTextOutA(c.dc, 0, 0, 0, nullptr, "abab", 4, nullptr);
    EXPECT_EQ(zelm::platform::GlyphRasterCount() - before, 2);
    c.Width("baba");
    ExtTextOutA(c.dc, 0, 20, 0, nullptr, "ba", 2, nullptr);
    EXPECT_EQ(zelm::platform::GlyphRasterCount() - before, 2);
}

TEST(GdiText, UnderlineAndStrikeOutDrawAcrossTheText)
{
    LOGFONTA lf = DejaVu(-20);
    lf.lfUnderline = 1;
    Canvas c(lf);
    ExtTextOutA(c.dc, 0, 0, 0, nullptr, "  ", 2, nullptr);  // spaces: only the line has ink
    const int baseline = c.Metrics().tmAscent;
    int inkRow = -1;
    for (int y = 0; y < 40 && inkRow < 0; ++y)
        if (GetPixel(c.dc, 1, y) == RGB(0, 0, 0)) inkRow = y;
    EXPECT_GT(inkRow, baseline - 1);
    EXPECT_LT(inkRow, c.Metrics().tmHeight);
}

TEST(GdiBitmaps, ThirtyTwoBitSurfacesPixelsAndBlocks)
{
    HDC dc = CreateCompatibleDC(nullptr);
    EXPECT_EQ(GetDeviceCaps(dc, BITSPIXEL), 32);
    EXPECT_EQ(GetDeviceCaps(dc, SIZEPALETTE), 0);
    HGDIOBJ bitmap = CreateCompatibleBitmap(dc, 128, 128);
    BITMAP info{};
    ASSERT_EQ(GetObjectA(bitmap, sizeof info, &info), int(sizeof info));
    EXPECT_EQ(info.bmWidth, 128);
    EXPECT_EQ(info.bmWidthBytes, 512);
    EXPECT_EQ(info.bmBitsPixel, 32);
    HGDIOBJ old = SelectObject(dc, bitmap);
    EXPECT_EQ(SetPixel(dc, 5, 7, RGB(10, 20, 30)), RGB(10, 20, 30));
    EXPECT_EQ(GetPixel(dc, 5, 7), RGB(10, 20, 30));
    EXPECT_EQ(GetPixel(dc, 128, 0), CLR_INVALID);

    std::vector<BYTE> bits(100000);
    ASSERT_EQ(GetBitmapBits(bitmap, 100000, bits.data()), 65536);
    const BYTE* pixel = &bits[7 * 512 + 5 * 4];
    EXPECT_EQ((std::vector<BYTE>{pixel[0], pixel[1], pixel[2]}), (std::vector<BYTE>{30, 20, 10})) << "blue, green, red";

    // A row copied to the mirrored place, as the worker mirrors its page.
    ASSERT_TRUE(BitBlt(dc, 0, 120, 128, 1, dc, 0, 7, SRCCOPY));
    EXPECT_EQ(GetPixel(dc, 5, 120), RGB(10, 20, 30));
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

TEST(GdiBitmaps, ResourceBitmapsAreDecodedUpright)
{
    // A 2 x 2 bottom-up 24-bit image: bottom row blue, white; top row red, green.
    std::vector<BYTE> dib(40 + 16, 0);
    BYTE header[40] = {40, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0, 1, 0, 24};
    std::memcpy(dib.data(), header, sizeof header);
    BYTE rows[16] = {255, 0, 0, 255, 255, 255, 0, 0, 0, 0, 255, 0, 255, 0, 0, 0};
    std::memcpy(dib.data() + 40, rows, sizeof rows);
    zelm::platform::ResourceEntry entry{2, 501, dib.data(), static_cast<DWORD>(dib.size())};
    HMODULE module = zelm::platform::RegisterModuleResources("gdi_test_bitmaps", false, &entry, 1);

    HGDIOBJ bitmap = LoadBitmapA(module, MAKEINTRESOURCEA(501));
    ASSERT_NE(bitmap, nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(dc, 1, 0), RGB(0, 255, 0));
    EXPECT_EQ(GetPixel(dc, 0, 1), RGB(0, 0, 255));
    EXPECT_EQ(GetPixel(dc, 1, 1), RGB(255, 255, 255));
    EXPECT_EQ(LoadBitmapA(module, MAKEINTRESOURCEA(502)), nullptr);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    zelm::platform::UnregisterModuleResources(module);
}

TEST(GdiHandles, StaleHandlesFailAndSelectedObjectsOutliveDeleteObject)
{
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ bitmap = CreateCompatibleBitmap(dc, 4, 4);
    HGDIOBJ old = SelectObject(dc, bitmap);
    EXPECT_TRUE(DeleteObject(bitmap));
    EXPECT_EQ(SetPixel(dc, 1, 1, RGB(1, 2, 3)), RGB(1, 2, 3)) << "still selected, so still there";
    SelectObject(dc, old);
    EXPECT_EQ(GetObjectType(bitmap), 0u) << "gone once deselected";
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    EXPECT_TRUE(DeleteDC(dc));
    EXPECT_FALSE(DeleteDC(dc));
    EXPECT_EQ(GetPixel(dc, 0, 0), CLR_INVALID);
    EXPECT_EQ(SelectObject(dc, GetStockObject(WHITE_BRUSH)), nullptr);

    HDC screen = GetDC(nullptr);
    EXPECT_FALSE(TextOutA(screen, 0, 0, "x", 1)) << "the screen has no pixels of ours";
    ReleaseDC(nullptr, screen);
}

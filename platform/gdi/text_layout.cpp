#include "platform/gdi/text_layout.h"

#include <algorithm>


namespace zelm::platform::gdi {
namespace {

constexpr char32_t kBreakChar = U' ';

// Spreads extra pixels over count breaks: the first (extra % count) get one more.
int BreakExtra(const DeviceContext& dc, int breakIndex)
{
    if (dc.breakCount <= 0) return 0;
    return dc.breakExtra / dc.breakCount + (breakIndex < dc.breakExtra % dc.breakCount ? 1 : 0);
}

struct ClipBox {
    int left, top, right, bottom;
    bool Contains(int x, int y) const { return x >= left && y >= top && x < right && y < bottom; }
};

ClipBox ClipFor(const Surface& s, const RECT* clip)
{
    ClipBox box{0, 0, s.width, s.height};
    if (clip) box = {std::max<int>(0, clip->left), std::max<int>(0, clip->top), std::min<int>(s.width, clip->right),
                     std::min<int>(s.height, clip->bottom)};
    return box;
}

// Clipped once per glyph: only the rows and columns inside the box are painted.
void PaintGlyph(Surface& s, const ClipBox& box, const Glyph& glyph, int originX, int baseline, std::uint32_t ink)
{
    const int left = originX + glyph.left;
    const int top = baseline - glyph.top;
    const int firstColumn = std::max(0, box.left - left);
    const int endColumn = std::min(glyph.width, box.right - left);
    const int firstRow = std::max(0, box.top - top);
    const int endRow = std::min(glyph.rows, box.bottom - top);
    if (firstColumn >= endColumn) return;
    for (int gy = firstRow; gy < endRow; ++gy) {
        const std::uint8_t* row = glyph.coverage.data() + static_cast<std::ptrdiff_t>(gy) * glyph.width;
        std::uint32_t* pixel = &s.At(left + firstColumn, top + gy);
        for (int gx = firstColumn; gx < endColumn; ++gx, ++pixel) {
            const unsigned coverage = row[gx];
            if (coverage == 0) continue;
            *pixel = coverage == 255 ? ink : BlendPixel(*pixel, ink, coverage);
        }
    }
}

void PaintBar(Surface& s, const ClipBox& box, int left, int right, int top, int thickness, std::uint32_t ink)
{
    for (int y = top; y < top + thickness; ++y)
        for (int x = left; x < right; ++x)
            if (box.Contains(x, y)) s.At(x, y) = ink;
}

}  // namespace

void LayOutRun(const DeviceContext& dc, RealizedFont& font, std::string_view text, TextRun& run, const INT* lpDx)
{
    font.GlyphsOf(text, run.glyphs);
    run.offsets.resize(run.glyphs.size());
    int pen = 0;
    int breaks = 0;
    // Only justification needs to know the spaces.
    const Glyph* breakGlyph = dc.breakCount > 0 ? font.GlyphFor(kBreakChar) : nullptr;
    for (std::size_t i = 0; i < run.glyphs.size(); ++i) {
        run.offsets[i] = pen;
        const bool isBreak = run.glyphs[i] == breakGlyph;
        if (lpDx)
            pen += lpDx[i];
        else
            pen += run.glyphs[i]->advance + (isBreak ? BreakExtra(dc, breaks++) : 0);
    }
    run.width = pen;
}

void PaintRun(DeviceContext& dc, const RealizedFont& font, int x, int y, const TextRun& run, const RECT* clip)
{
    Surface target = dc.Target();
    if (!target.bits) return;
    const ClipBox box = ClipFor(target, clip);
    const FontMetrics& m = font.Metrics();
    const std::uint32_t ink = PixelFromColor(dc.textColor);
    if (dc.bkMode == OPAQUE)
        PaintBar(target, box, x, x + run.width, y, m.Height(), PixelFromColor(dc.bkColor));
    const int baseline = y + m.ascent;
    for (std::size_t i = 0; i < run.glyphs.size(); ++i) PaintGlyph(target, box, *run.glyphs[i], x + run.offsets[i], baseline, ink);
    const LOGFONTA& lf = font.Request();
    if (lf.lfUnderline) PaintBar(target, box, x, x + run.width, baseline + m.underlinePosition, m.lineThickness, ink);
    if (lf.lfStrikeOut) PaintBar(target, box, x, x + run.width, baseline - m.strikeoutPosition, m.lineThickness, ink);
}

}  // namespace zelm::platform::gdi

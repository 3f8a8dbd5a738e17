#pragma once
// Placing the characters of a text: one glyph per character, advanced by the font's
// widths, with the justification's extra pixels on each space.

#include <string_view>
#include <vector>

#include "platform/gdi/device_context.h"
#include "platform/gdi/realized_font.h"

namespace zelm::platform::gdi {

struct TextRun {
    std::vector<const Glyph*> glyphs;
    std::vector<int> offsets;  // each glyph's origin from the run's start
    int width = 0;
};

// Lays out text with the device context's font and justification; lpDx, when given,
// replaces the advances (one per character).
void LayOutRun(const DeviceContext& dc, RealizedFont& font, std::string_view text, TextRun& run,
               const INT* lpDx = nullptr);

// Draws a laid-out run with its top-left corner at (x, y), clipped to clip (if any).
void PaintRun(DeviceContext& dc, const RealizedFont& font, int x, int y, const TextRun& run, const RECT* clip);

}  // namespace zelm::platform::gdi

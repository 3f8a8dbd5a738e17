#pragma once
// Reading the pages back: the pixels of a page file as the page shows them, and an
// independent layout of a page's text to compare them with.

#include <string>
#include <vector>

#include "app/WorkParams.h"

// 128 x 116 page pixels, top row first, as RGB colours.
struct PagePixels {
    static constexpr int kWidth = 128;
    static constexpr int kHeight = 116;
    std::vector<COLORREF> pixels;
    COLORREF At(int x, int y) const { return pixels[static_cast<std::size_t>(y * kWidth + x)]; }
    bool IsWhite(int x, int y) const { return At(x, y) == RGB(255, 255, 255); }
    // The bounding box of all non-white pixels; empty when the page is blank.
    RECT InkBounds() const;
};

// The page of a 32-bit page file (data row k is page row 115 - k).
PagePixels ReadPagePixels(const std::string& bytes);

struct ReferenceLine {
    std::string text;
    int top;
    int width;
    int height;
};

// Lays a normalised text out by the page rules, measuring with GetTextExtentPoint32A
// rather than the worker's DrawText: lines at x = 2 from the top, each taking
// characters while it stays within 122 pixels, spaces 5 pixels wider, a leading space
// dropped, the next line lh - delSize lower, no line reaching row 116.
std::vector<ReferenceLine> LayoutReferencePage(const std::string& text, const LOGFONT& font, int delSize);

// Draws the lines with ExtTextOutA on a white page.
PagePixels DrawReferencePage(const std::vector<ReferenceLine>& lines, const LOGFONT& font);

#pragma once
// Draws an uncompressed bitmap page in a terminal with braille characters: each
// character shows 2 x 4 pixels, a dot for every dark pixel.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct PageImage {
    int width = 0;
    int height = 0;
    std::vector<bool> dark;  // row by row from the top
    bool IsDark(int x, int y) const { return x < width && y < height && dark[static_cast<std::size_t>(y * width + x)]; }
};

// Reads a 24- or 32-bit uncompressed bitmap file; the error text when it cannot.
std::optional<PageImage> ReadPageImage(const std::string& path, std::string& error);

// The page as lines of braille text inside a frame.
std::string RenderBraille(const PageImage& image);

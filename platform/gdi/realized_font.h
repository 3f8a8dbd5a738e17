#pragma once
// A font as the raster draws it: the face that fontconfig matched for a LOGFONTA, set
// to the requested size, with its text metrics and a cache of rasterised glyphs.

#include <array>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string_view>
#include <unordered_map>
#include <vector>

#include <zelmtools/platform/gdi/gdi.h>

namespace zelm::platform::gdi {

struct Glyph {
    int advance = 0;  // pixels to the next character's origin
    int left = 0;     // from the origin to the first column of the image
    int top = 0;      // from the baseline up to the first row of the image
    int width = 0;
    int rows = 0;
    std::vector<std::uint8_t> coverage;  // 0 (none) to 255 (full), rows top first
};

struct FontMetrics {
    int ascent = 0;
    int descent = 0;
    int internalLeading = 0;
    int aveCharWidth = 0;
    int maxCharWidth = 0;
    int underlinePosition = 0;  // below the baseline
    int strikeoutPosition = 0;  // above the baseline
    int lineThickness = 1;
    int Height() const { return ascent + descent; }
};

class RealizedFont {
public:
    struct FaceHandle;
    ~RealizedFont();
    RealizedFont(const RealizedFont&) = delete;
    RealizedFont& operator=(const RealizedFont&) = delete;

    const FontMetrics& Metrics() const { return m_metrics; }
    const LOGFONTA& Request() const { return m_request; }
    bool Antialiased() const { return m_antialiased; }

    // The glyphs of a UTF-8 text, one per character, rasterised on first use only.
    // Safe to call from several threads; the glyphs stay valid while the font lives.
    void GlyphsOf(std::string_view text, std::vector<const Glyph*>& out);
    // The glyph of one character; glyphs are cached per character, so the glyph of a
    // space identifies every space of a laid-out text.
    const Glyph* GlyphFor(char32_t ch);

private:
    friend std::shared_ptr<RealizedFont> RealizeFont(const LOGFONTA& lf);
    RealizedFont() = default;
    const Glyph& GlyphOf(char32_t ch);
    std::unique_ptr<Glyph> Rasterise(char32_t ch);

    std::unique_ptr<FaceHandle> m_face;
    LOGFONTA m_request{};
    FontMetrics m_metrics;
    bool m_antialiased = false;
    bool m_embolden = false;
    bool m_oblique = false;
    std::mutex m_mutex;
    // Latin and Cyrillic in a flat table, anything else in a map.
    static constexpr std::size_t kDirectGlyphs = 0x500;
    std::array<std::unique_ptr<Glyph>, kDirectGlyphs> m_direct;
    std::unordered_map<char32_t, std::unique_ptr<Glyph>> m_other;
};

// The realized font for a request; fonts with the same request share one, and with
// it their glyph cache. Null when no face could be loaded.
std::shared_ptr<RealizedFont> RealizeFont(const LOGFONTA& lf);

}  // namespace zelm::platform::gdi

#include "platform/gdi/realized_font.h"

#include <atomic>
#include <cmath>
#include <cstring>
#include <map>
#include <string>

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H
#include FT_SYNTHESIS_H

#include <zelmtools/platform/base/errors.h>
#include "platform/base/utf8.h"
#include "platform/gdi/font_library.h"

namespace zelm::platform::gdi {
namespace {

std::atomic<long> g_rasterCount{0};

constexpr double kDefaultEmPixels = 12.0;
constexpr double kMaxEmPixels = 1000.0;

struct CellMetrics {
    double ascent;
    double descent;
};

// The ascent and descent that make up a font's cell, in font units: the OS/2 "win"
// metrics, else the horizontal header's.
CellMetrics CellOf(FT_Face face)
{
    auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    if (os2 && os2->usWinAscent + os2->usWinDescent > 0) return {double(os2->usWinAscent), double(os2->usWinDescent)};
    return {double(face->ascender), double(-face->descender)};
}

// A negative height is the em size; a positive one is the cell height.
double EmPixels(FT_Face face, LONG height)
{
    double em = kDefaultEmPixels;
    if (height < 0) {
        em = -static_cast<double>(height);
    } else if (height > 0) {
        CellMetrics cell = CellOf(face);
        double cellUnits = cell.ascent + cell.descent;
        em = cellUnits > 0 ? face->units_per_EM * height / cellUnits : static_cast<double>(height);
    }
    return std::min(em, kMaxEmPixels);
}

FontMetrics MeasureFace(FT_Face face, double em)
{
    FontMetrics m;
    const double scale = em / face->units_per_EM;
    CellMetrics cell = CellOf(face);
    m.ascent = static_cast<int>(std::lround(cell.ascent * scale));
    m.descent = static_cast<int>(std::lround(cell.descent * scale));
    m.internalLeading = std::max(0, m.Height() - static_cast<int>(std::lround(em)));
    auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    m.aveCharWidth = static_cast<int>(std::lround((os2 ? os2->xAvgCharWidth : face->max_advance_width / 2) * scale));
    m.maxCharWidth = static_cast<int>(std::lround(face->max_advance_width * scale));
    m.lineThickness = std::max(1, static_cast<int>(std::lround(face->underline_thickness * scale)));
    m.underlinePosition = std::max(1, static_cast<int>(std::lround(-face->underline_position * scale)));
    m.strikeoutPosition = static_cast<int>(std::lround((os2 ? os2->yStrikeoutPosition : face->ascender / 3) * scale));
    return m;
}

// Qualities that ask for smoothing draw grey levels; all others draw sharp pixels.
bool WantsAntialiasing(BYTE quality) { return quality == ANTIALIASED_QUALITY || quality >= CLEARTYPE_QUALITY; }

std::string CacheKey(const LOGFONTA& lf)
{
    LOGFONTA key = lf;
    std::size_t nameLength = strnlen(key.lfFaceName, LF_FACESIZE);
    std::memset(key.lfFaceName + nameLength, 0, LF_FACESIZE - nameLength);
    for (char& c : key.lfFaceName) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return std::string(reinterpret_cast<const char*>(&key), sizeof key);
}

}  // namespace

struct RealizedFont::FaceHandle {
    FT_Face face = nullptr;
    ~FaceHandle()
    {
        std::lock_guard lock(FreeTypeLock());
        if (face) FT_Done_Face(face);
    }
};

RealizedFont::~RealizedFont() = default;

std::shared_ptr<RealizedFont> RealizeFont(const LOGFONTA& lf)
{
    static std::mutex cacheMutex;
    static auto* cache = new std::map<std::string, std::weak_ptr<RealizedFont>>;
    const std::string key = CacheKey(lf);
    std::lock_guard cacheLock(cacheMutex);
    if (auto it = cache->find(key); it != cache->end())
        if (auto existing = it->second.lock()) return existing;

    FaceMatch match;
    if (!MatchFace(lf, match)) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return nullptr;
    }
    std::shared_ptr<RealizedFont> font(new RealizedFont);
    font->m_face = std::make_unique<RealizedFont::FaceHandle>();
    {
        std::lock_guard lock(FreeTypeLock());
        if (FT_New_Face(FreeTypeLibrary(), match.file.c_str(), match.index, &font->m_face->face) != 0) {
            font->m_face->face = nullptr;
            SetLastError(ERROR_BAD_FORMAT);
            return nullptr;
        }
    }
    FT_Face face = font->m_face->face;
    FT_Select_Charmap(face, FT_ENCODING_UNICODE);
    double em = EmPixels(face, lf.lfHeight);
    if (FT_Set_Char_Size(face, 0, static_cast<FT_F26Dot6>(std::lround(em * 64)), 72, 72) != 0) {
        SetLastError(ERROR_BAD_FORMAT);
        return nullptr;
    }
    font->m_request = lf;
    font->m_metrics = MeasureFace(face, em);
    font->m_antialiased = WantsAntialiasing(lf.lfQuality);
    font->m_embolden = match.embolden;
    font->m_oblique = match.oblique;
    (*cache)[key] = font;
    return font;
}

void RealizedFont::GlyphsOf(std::string_view text, std::vector<const Glyph*>& out)
{
    out.clear();
    std::lock_guard lock(m_mutex);
    for (std::size_t pos = 0; pos < text.size();) {
        const auto byte = static_cast<unsigned char>(text[pos]);
        out.push_back(&GlyphOf(byte < 0x80 ? text[pos++] : DecodeUtf8(text, pos)));
    }
}

const Glyph* RealizedFont::GlyphFor(char32_t ch)
{
    std::lock_guard lock(m_mutex);
    return &GlyphOf(ch);
}

const Glyph& RealizedFont::GlyphOf(char32_t ch)
{
    std::unique_ptr<Glyph>& slot = ch < kDirectGlyphs ? m_direct[ch] : m_other[ch];
    if (!slot) slot = Rasterise(ch);
    return *slot;
}

std::unique_ptr<Glyph> RealizedFont::Rasterise(char32_t ch)
{
    ++g_rasterCount;
    auto glyph = std::make_unique<Glyph>();
    FT_Face face = m_face->face;
    FT_Int32 loadFlags = m_antialiased ? FT_LOAD_TARGET_NORMAL : FT_LOAD_TARGET_MONO;
    if (FT_Load_Glyph(face, FT_Get_Char_Index(face, ch), loadFlags) != 0) return glyph;
    FT_GlyphSlot slot = face->glyph;
    if (m_embolden) FT_GlyphSlot_Embolden(slot);
    if (m_oblique) FT_GlyphSlot_Oblique(slot);
    glyph->advance = static_cast<int>((slot->advance.x + 32) >> 6);
    if (FT_Render_Glyph(slot, m_antialiased ? FT_RENDER_MODE_NORMAL : FT_RENDER_MODE_MONO) != 0) return glyph;

    const FT_Bitmap& image = slot->bitmap;
    glyph->left = slot->bitmap_left;
    glyph->top = slot->bitmap_top;
    glyph->width = static_cast<int>(image.width);
    glyph->rows = static_cast<int>(image.rows);
    glyph->coverage.resize(static_cast<std::size_t>(glyph->width) * static_cast<std::size_t>(glyph->rows));
    for (int y = 0; y < glyph->rows; ++y) {
        const unsigned char* row = image.buffer + static_cast<std::ptrdiff_t>(y) * image.pitch;
        for (int x = 0; x < glyph->width; ++x) {
            std::uint8_t value = image.pixel_mode == FT_PIXEL_MODE_MONO
                                     ? ((row[x >> 3] >> (7 - (x & 7))) & 1 ? 255 : 0)
                                     : row[x];
            glyph->coverage[static_cast<std::size_t>(y * glyph->width + x)] = value;
        }
    }
    return glyph;
}

}  // namespace zelm::platform::gdi

long zelm::platform::GlyphRasterCount() { return gdi::g_rasterCount.load(); }

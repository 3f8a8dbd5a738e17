#include "platform/gdi/font_library.h"

#include <cstdio>
#include <cstdlib>
#include <strings.h>

#include <fontconfig/fontconfig.h>

namespace zelm::platform::gdi {
namespace {

constexpr const char* kDefaultFamily = "DejaVu Sans";

void InitFontconfig()
{
    static const bool ready = [] {
        FcInit();
        // Lets leak checkers see fontconfig's caches go at exit.
        std::atexit([] { FcFini(); });
        return true;
    }();
    (void)ready;
}

int FontconfigWeight(LONG weight)
{
    if (weight <= 0) weight = FW_NORMAL;
    return FcWeightFromOpenType(static_cast<int>(weight));
}

std::string PatternString(FcPattern* pattern, const char* object)
{
    FcChar8* value = nullptr;
    if (FcPatternGetString(pattern, object, 0, &value) != FcResultMatch || !value) return {};
    return reinterpret_cast<const char*>(value);
}

int PatternInt(FcPattern* pattern, const char* object, int fallback)
{
    int value = fallback;
    FcPatternGetInteger(pattern, object, 0, &value);
    return value;
}

FcPattern* MatchPattern(const char* family, const LOGFONTA& lf)
{
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
    FcPatternAddInteger(pattern, FC_WEIGHT, FontconfigWeight(lf.lfWeight));
    FcPatternAddInteger(pattern, FC_SLANT, lf.lfItalic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* matched = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    return matched;
}

}  // namespace

std::mutex& FreeTypeLock()
{
    static std::mutex lock;
    return lock;
}

FT_Library FreeTypeLibrary()
{
    static FT_Library library = [] {
        FT_Library made = nullptr;
        FT_Init_FreeType(&made);
        return made;
    }();
    return library;
}

bool MatchFace(const LOGFONTA& lf, FaceMatch& match)
{
    std::lock_guard lock(FreeTypeLock());
    InitFontconfig();
    const char* family = lf.lfFaceName[0] ? lf.lfFaceName : kDefaultFamily;
    FcPattern* matched = MatchPattern(family, lf);
    if (!matched) return false;
    match.file = PatternString(matched, FC_FILE);
    match.index = PatternInt(matched, FC_INDEX, 0);
    match.family = PatternString(matched, FC_FAMILY);
    match.families.clear();
    FcChar8* name = nullptr;
    for (int i = 0; FcPatternGetString(matched, FC_FAMILY, i, &name) == FcResultMatch; ++i)
        match.families.emplace_back(reinterpret_cast<const char*>(name));
    FcBool embolden = FcFalse;
    FcPatternGetBool(matched, FC_EMBOLDEN, 0, &embolden);
    int weight = PatternInt(matched, FC_WEIGHT, FC_WEIGHT_REGULAR);
    int slant = PatternInt(matched, FC_SLANT, FC_SLANT_ROMAN);
    FcPatternDestroy(matched);
    match.embolden = embolden || (lf.lfWeight >= FW_SEMIBOLD && weight < FC_WEIGHT_DEMIBOLD);
    match.oblique = lf.lfItalic && slant == FC_SLANT_ROMAN;
    return !match.file.empty();
}

}  // namespace zelm::platform::gdi

bool zelm::platform::FontFamilyExists(const char* faceName)
{
    if (!faceName || !*faceName) return false;
    LOGFONTA lf{};
    std::snprintf(lf.lfFaceName, sizeof lf.lfFaceName, "%s", faceName);
    gdi::FaceMatch match;
    if (!gdi::MatchFace(lf, match)) return false;
    for (const std::string& family : match.families)
        if (strcasecmp(family.c_str(), faceName) == 0) return true;
    return false;
}

std::string zelm::platform::MatchedFontFamily(const char* faceName)
{
    LOGFONTA lf{};
    std::snprintf(lf.lfFaceName, sizeof lf.lfFaceName, "%s", faceName ? faceName : "");
    gdi::FaceMatch match;
    return gdi::MatchFace(lf, match) ? match.family : std::string();
}

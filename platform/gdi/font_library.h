#pragma once
// The process's one FreeType library and fontconfig: face matching and loading.

#include <mutex>
#include <string>
#include <vector>

#include <ft2build.h>
#include FT_FREETYPE_H

#include <zelmtools/platform/gdi/gdi.h>

namespace zelm::platform::gdi {

struct FaceMatch {
    std::string file;
    int index = 0;
    std::string family;
    std::vector<std::string> families;  // every name of the face's family ("DejaVu Sans Condensed"...)
    bool embolden = false;  // the request is bolder than any face of the family
    bool oblique = false;   // the request is italic and the family has no italic face
};

// What fontconfig picks for a LOGFONTA's face name, weight and slant; false when it
// finds no font file at all.
bool MatchFace(const LOGFONTA& lf, FaceMatch& match);

// FreeType's library object is not thread-safe: faces are made and freed under this lock.
std::mutex& FreeTypeLock();
FT_Library FreeTypeLibrary();

}  // namespace zelm::platform::gdi

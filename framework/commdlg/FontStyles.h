#pragma once
// Families and styles as the toolkit's font list names them. A family offered by more
// than one foundry is listed as "Family [foundry]"; the GDI knows it as "Family".

#include <QString>

class QFontMetrics;

namespace zelm::framework {

// "Nimbus Roman [urw]" -> "Nimbus Roman"; a name without a foundry stays as it is.
QString FamilyWithoutFoundry(const QString& listed);

// The weight and slant that a style of a family stands for.
struct StyleTraits {
    int weight = 400;  // OpenType scale, as QFont::Weight
    bool italic = false;
};
StyleTraits TraitsOfStyle(const QString& family, const QString& style);

// The family's style nearest to the traits: same slant first, then the nearest weight,
// then the plainest name ("Book" before "Condensed", "Oblique" before "Condensed
// Oblique"), so that a regular font never opens as a condensed or slanted one.
QString ClosestStyle(const QString& family, const StyleTraits& wanted);

// The width in pixels that the longest style name of any family needs in the font.
int WidestStyleName(const QFontMetrics& metrics);

}  // namespace zelm::framework

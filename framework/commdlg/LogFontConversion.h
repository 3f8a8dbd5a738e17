#pragma once
// Font descriptions between the GDI's LOGFONTA and Qt's QFont, at the GDI screen's
// resolution: Qt sizes fonts in points, LOGFONTA in pixels.

#include <QFont>

#include <zelmtools/platform/gdi/gdi.h>

namespace zelm::framework {

// Pixels per inch of the GDI screen.
int ScreenPixelsPerInch();
// The height of the characters (the cell without the internal leading) in pixels:
// -lfHeight when negative, otherwise from the GDI's metrics of the font.
int CharacterHeight(const LOGFONTA& lf);
QFont FontFromLogFont(const LOGFONTA& lf);
// The face name as text (at most LF_FACESIZE bytes, up to the first NUL).
QString FaceName(const LOGFONTA& lf);
// Writes the font under the given face name: lfHeight is the negative character
// height in pixels, the face is cut to 31 bytes on a character boundary, the
// character set is DEFAULT_CHARSET. The quality is left as it was.
void StoreLogFont(const QFont& font, const QString& face, LOGFONTA& lf);

}  // namespace zelm::framework

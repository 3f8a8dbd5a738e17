#include "framework/commdlg/LogFontConversion.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/base/utf8.h"

namespace zelm::framework {

int ScreenPixelsPerInch()
{
    HDC screen = GetDC(nullptr);
    int ppi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen) ReleaseDC(nullptr, screen);
    return ppi > 0 ? ppi : 96;
}

int CharacterHeight(const LOGFONTA& lf)
{
    if (lf.lfHeight < 0) return -lf.lfHeight;
    // A cell height (or 0, the default size): ask the GDI how much of it is leading.
    HDC dc = CreateCompatibleDC(nullptr);
    HFONT font = CreateFontIndirectA(&lf);
    TEXTMETRICA tm{};
    HGDIOBJ previous = SelectObject(dc, font);
    BOOL measured = GetTextMetricsA(dc, &tm);
    SelectObject(dc, previous);
    DeleteObject(font);
    DeleteDC(dc);
    int height = measured ? tm.tmHeight - tm.tmInternalLeading : static_cast<int>(lf.lfHeight);
    return height > 0 ? height : 1;
}

QString FaceName(const LOGFONTA& lf)
{
    return QString::fromUtf8(lf.lfFaceName, static_cast<qsizetype>(strnlen(lf.lfFaceName, LF_FACESIZE)));
}

QFont FontFromLogFont(const LOGFONTA& lf)
{
    QFont font(FaceName(lf));
    font.setPointSizeF(CharacterHeight(lf) * 72.0 / ScreenPixelsPerInch());
    LONG weight = lf.lfWeight == FW_DONTCARE ? FW_NORMAL : std::clamp<LONG>(lf.lfWeight, 1, 1000);
    font.setWeight(static_cast<QFont::Weight>(static_cast<int>(weight)));
    font.setItalic(lf.lfItalic != 0);
    font.setUnderline(lf.lfUnderline != 0);
    font.setStrikeOut(lf.lfStrikeOut != 0);
    return font;
}

void StoreLogFont(const QFont& font, const QString& face, LOGFONTA& lf)
{
    double pixels = font.pointSizeF() * ScreenPixelsPerInch() / 72.0;
    lf.lfHeight = -std::max<LONG>(1, static_cast<LONG>(std::lround(pixels)));
    lf.lfWidth = 0;
    lf.lfEscapement = 0;
    lf.lfOrientation = 0;
    lf.lfWeight = font.weight();
    lf.lfItalic = font.style() != QFont::StyleNormal ? 1 : 0;
    lf.lfUnderline = font.underline() ? 1 : 0;
    lf.lfStrikeOut = font.strikeOut() ? 1 : 0;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    std::string name = face.toStdString();
    std::size_t length = zelm::platform::Utf8PrefixLength(name.c_str(), name.size(), LF_FACESIZE - 1);
    std::memset(lf.lfFaceName, 0, LF_FACESIZE);
    std::memcpy(lf.lfFaceName, name.c_str(), length);
}

}  // namespace zelm::framework

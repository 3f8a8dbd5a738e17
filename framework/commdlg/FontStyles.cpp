#include "framework/commdlg/FontStyles.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QRegularExpression>
#include <cstdlib>
#include <tuple>

namespace zelm::framework {

QString FamilyWithoutFoundry(const QString& listed)
{
    static const QRegularExpression withFoundry(QStringLiteral("^(.*\\S)\\s*\\[[^\\]]*\\]$"));
    QRegularExpressionMatch match = withFoundry.match(listed.trimmed());
    return match.hasMatch() ? match.captured(1) : listed;
}

StyleTraits TraitsOfStyle(const QString& family, const QString& style)
{
    // The database's own italic() says no for an oblique style; the font it makes knows.
    QFont font = QFontDatabase::font(family, style, 12);
    return StyleTraits{font.weight(), font.style() != QFont::StyleNormal};
}

QString ClosestStyle(const QString& family, const StyleTraits& wanted)
{
    QString best;
    std::tuple<bool, int, qsizetype, qsizetype> bestScore;
    for (const QString& style : QFontDatabase::styles(family)) {
        StyleTraits traits = TraitsOfStyle(family, style);
        auto score = std::make_tuple(traits.italic != wanted.italic, std::abs(traits.weight - wanted.weight),
                                     style.count(' '), style.size());
        if (best.isEmpty() || score < bestScore) {
            best = style;
            bestScore = score;
        }
    }
    return best;
}

int WidestStyleName(const QFontMetrics& metrics)
{
    int widest = 0;
    for (const QString& family : QFontDatabase::families())
        for (const QString& style : QFontDatabase::styles(family))
            widest = std::max(widest, metrics.horizontalAdvance(style));
    return widest;
}

}  // namespace zelm::framework

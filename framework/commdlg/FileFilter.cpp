#include "framework/commdlg/FileFilter.h"

#include <cstring>

namespace zelm::framework {

namespace {

QString QtPatterns(const char* patterns)
{
    QStringList result;
    for (const QString& pattern : QString::fromUtf8(patterns).split(';', Qt::SkipEmptyParts)) {
        QString trimmed = pattern.trimmed();
        if (trimmed.isEmpty()) continue;
        result << (trimmed == "*.*" ? QStringLiteral("*") : trimmed);
    }
    return result.join(' ');
}

}  // namespace

QStringList NameFiltersFromFilter(const char* filter)
{
    QStringList filters;
    if (filter == nullptr) return filters;
    while (*filter != '\0') {
        const char* description = filter;
        const char* patterns = description + std::strlen(description) + 1;
        if (*patterns == '\0') break;  // a description without patterns ends the list
        // The patterns in the last parentheses are what Qt filters with; the dialog
        // hides them and shows the description as the program wrote it.
        filters << QString::fromUtf8(description) + " (" + QtPatterns(patterns) + ")";
        filter = patterns + std::strlen(patterns) + 1;
    }
    return filters;
}

}  // namespace zelm::framework

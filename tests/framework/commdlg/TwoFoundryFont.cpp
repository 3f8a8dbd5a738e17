#include "TwoFoundryFont.h"

#include <QByteArray>
#include <QFile>
#include <QFontDatabase>
#include <cstring>

#include "support/temp_dir.h"

namespace {

constexpr char kSourceFont[] = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
// Same length as "DejaVu", so that the name table keeps its layout.
constexpr char kOldName[] = "DejaVu";
constexpr char kNewName[] = "Zelmte";
constexpr int kVendorIdOffset = 58;  // in the OS/2 table

quint32 BigEndian32(const QByteArray& data, qsizetype at)
{
    const auto* p = reinterpret_cast<const unsigned char*>(data.constData() + at);
    return (quint32(p[0]) << 24) | (quint32(p[1]) << 16) | (quint32(p[2]) << 8) | p[3];
}

// Offset and length of a table, or {0, 0}.
std::pair<qsizetype, qsizetype> FindTable(const QByteArray& font, const char* tag)
{
    const int tables = (uchar(font[4]) << 8) | uchar(font[5]);
    for (int i = 0; i < tables; ++i) {
        const qsizetype entry = 12 + 16 * i;
        if (std::memcmp(font.constData() + entry, tag, 4) == 0)
            return {BigEndian32(font, entry + 8), BigEndian32(font, entry + 12)};
    }
    return {0, 0};
}

QByteArray Utf16BigEndian(const char* ascii)
{
    QByteArray out;
    for (const char* c = ascii; *c; ++c) out.append('\0').append(*c);
    return out;
}

void ReplaceWithin(QByteArray& font, std::pair<qsizetype, qsizetype> table, const QByteArray& from,
                   const QByteArray& to)
{
    for (qsizetype at = font.indexOf(from, table.first); at >= 0 && at + from.size() <= table.first + table.second;
         at = font.indexOf(from, at + from.size()))
        font.replace(at, to.size(), to);
}

bool WriteVariant(const QByteArray& source, const char* vendor, const QString& path)
{
    QByteArray font = source;
    auto names = FindTable(font, "name");
    auto os2 = FindTable(font, "OS/2");
    if (names.second == 0 || os2.second < kVendorIdOffset + 4) return false;
    ReplaceWithin(font, names, kOldName, kNewName);
    ReplaceWithin(font, names, Utf16BigEndian(kOldName), Utf16BigEndian(kNewName));
    std::memcpy(font.data() + os2.first + kVendorIdOffset, vendor, 4);
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(font) == font.size();
}

}  // namespace

QString InstallTwoFoundryFamily()
{
    static QString family = [] {
        QFile source(kSourceFont);
        if (!source.open(QIODevice::ReadOnly)) return QString();
        const QByteArray font = source.readAll();
        // Kept until the process ends: the fonts are read from their files while in use.
        static TempDir folderOnDisk;
        const QString folder = QString::fromStdString(folderOnDisk.path().string());
        for (const char* vendor : {"ZlmA", "ZlmB"}) {
            const QString path = folder + "/" + vendor + ".ttf";
            if (!WriteVariant(font, vendor, path) || QFontDatabase::addApplicationFont(path) < 0) return QString();
        }
        return QString("Zelmte Sans");
    }();
    return family;
}

#include "framework/windows/WindowFont.h"

#include <QFontInfo>
#include <QWidget>
#include <cmath>
#include <cstdio>
#include <map>
#include <mutex>
#include <tuple>

#include <zelmtools/platform/gdi/gdi.h>

namespace zelm::framework {
namespace {

constexpr int kScreenDpi = 96;

LOGFONTA LogFontOf(const QFont& font)
{
    LOGFONTA lf{};
    const int pixels =
        font.pixelSize() > 0 ? font.pixelSize() : static_cast<int>(std::lround(font.pointSizeF() * kScreenDpi / 72.0));
    lf.lfHeight = -pixels;
    lf.lfWeight = font.weight();
    lf.lfItalic = font.italic() ? 1 : 0;
    lf.lfUnderline = font.underline() ? 1 : 0;
    std::snprintf(lf.lfFaceName, sizeof lf.lfFaceName, "%s", font.family().toUtf8().constData());
    return lf;
}

}  // namespace

HFONT FontOfWidget(const QWidget* widget)
{
    if (!widget) return nullptr;
    const LOGFONTA lf = LogFontOf(widget->font());
    using Key = std::tuple<std::string, LONG, LONG, BYTE, BYTE>;
    static std::mutex lock;
    static std::map<Key, HFONT> fonts;
    Key key{lf.lfFaceName, lf.lfHeight, lf.lfWeight, lf.lfItalic, lf.lfUnderline};
    std::lock_guard guard(lock);
    auto found = fonts.find(key);
    if (found != fonts.end()) return found->second;
    HFONT font = ::CreateFontIndirectA(&lf);
    fonts.emplace(key, font);
    return font;
}

}  // namespace zelm::framework

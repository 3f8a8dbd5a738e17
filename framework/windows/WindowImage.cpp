#include "framework/windows/WindowImage.h"

#include <QPixmap>
#include <QWidget>

namespace zelm::framework {

bool SaveWindowImage(CWnd& window, const char* pngPath)
{
    if (!window.m_pWidget || !pngPath) return false;
    return window.m_pWidget->grab().save(QString::fromUtf8(pngPath), "PNG");
}

}  // namespace zelm::framework

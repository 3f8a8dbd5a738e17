#include <QWidget>

#include <zelmtools/framework/windows/CClientDC.h>

#include "framework/windows/WindowSurface.h"

CClientDC::CClientDC(CWnd* pWnd) : m_hWnd(pWnd ? pWnd->m_hWnd : nullptr)
{
    auto* owner = pWnd ? dynamic_cast<zelm::framework::SurfaceOwner*>(pWnd->m_pWidget) : nullptr;
    if (!owner) {
        Attach(::CreateCompatibleDC(nullptr));
        return;
    }
    QImage& image = owner->Surface().Image();
    Attach(zelm::platform::CreateSurfaceDC(reinterpret_cast<std::uint32_t*>(image.bits()), image.width(),
                                           image.height(), static_cast<int>(image.bytesPerLine())));
}

CClientDC::~CClientDC()
{
    DeleteDC();
    if (CWnd* window = CWnd::FromHandlePermanent(m_hWnd); window && window->m_pWidget) window->m_pWidget->update();
}

#include "framework/windows/CPaintDC.h"

#include "framework/windows/WindowSurface.h"

CPaintDC::CPaintDC(CWnd* pWnd) : m_pWnd(pWnd)
{
    auto* owner = pWnd ? dynamic_cast<zelm::framework::SurfaceOwner*>(pWnd->m_pWidget) : nullptr;
    if (!owner) return;
    QImage& image = owner->Surface().Image();
    Attach(zelm::platform::CreateSurfaceDC(reinterpret_cast<std::uint32_t*>(image.bits()), image.width(),
                                           image.height(), static_cast<int>(image.bytesPerLine())));
}

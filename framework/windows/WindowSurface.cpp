#include "framework/windows/WindowSurface.h"

namespace zelm::framework {

WindowSurface::WindowSurface(QSize size, Painter background)
    : m_image(size, QImage::Format_RGB32), m_background(std::move(background))
{
    Validate();
}

bool WindowSurface::Validate()
{
    if (!m_invalid) return false;
    m_invalid = false;
    if (m_background) m_background(m_image);
    return true;
}

}  // namespace zelm::framework

#pragma once
// The pixels of a window that the program draws into through a device context: the
// window shows them, and a repaint (after an invalidation) first restores its own
// background into them, wiping what was drawn before.

#include <QImage>
#include <QWidget>
#include <functional>

namespace zelm::framework {

class WindowSurface {
public:
    using Painter = std::function<void(QImage&)>;
    WindowSurface(QSize size, Painter background);

    QImage& Image() { return m_image; }
    void Invalidate() { m_invalid = true; }
    // Restores the background if invalid; true when it did.
    bool Validate();

private:
    QImage m_image;
    Painter m_background;
    bool m_invalid = true;
};

// Widgets that own a surface (dialogs, picture statics).
class SurfaceOwner {
public:
    virtual ~SurfaceOwner() = default;
    virtual WindowSurface& Surface() = 0;
    // Where the surface's top-left pixel lies in the widget.
    virtual QPoint SurfaceOrigin() const { return {0, 0}; }
};

}  // namespace zelm::framework

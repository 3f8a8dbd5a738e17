#include "framework/dialogs/DialogWidgets.h"

#include <QPainter>
#include <cstring>
#include <vector>

#include "framework/resources/ResourceChain.h"
#include <zelmtools/platform/gdi/gdi.h>
#include <zelmtools/platform/kernel/resources.h>

namespace zelm::framework {
namespace {

constexpr int kBitmapSize = 128;

// The bitmap resource's pixels, or white when it is missing.
QImage LoadBitmapImage(int bitmapId)
{
    LPCSTR name = MAKEINTRESOURCEA(bitmapId);
    HGDIOBJ bitmap = ::LoadBitmapA(AfxFindResourceHandle(name, RT_BITMAP), name);
    BITMAP info{};
    if (!bitmap || !::GetObjectA(bitmap, sizeof info, &info)) {
        QImage blank(kBitmapSize, kBitmapSize, QImage::Format_RGB32);
        blank.fill(Qt::white);
        return blank;
    }
    QImage image(info.bmWidth, info.bmHeight, QImage::Format_RGB32);
    std::vector<BYTE> bits(static_cast<std::size_t>(info.bmWidthBytes) * info.bmHeight);
    ::GetBitmapBits(bitmap, static_cast<LONG>(bits.size()), bits.data());
    for (int y = 0; y < info.bmHeight; ++y)
        std::memcpy(image.scanLine(y), bits.data() + static_cast<std::size_t>(y) * info.bmWidthBytes,
                    static_cast<std::size_t>(info.bmWidthBytes));
    ::DeleteObject(bitmap);
    return image;
}

}  // namespace

void PaintSurface(QWidget* widget, WindowSurface& surface, QPoint origin)
{
    surface.Validate();
    QPainter painter(widget);
    painter.drawImage(origin, surface.Image().convertToFormat(QImage::Format_RGB888));
}

DialogHost::DialogHost(QWidget* parent, std::function<void()> cancel, std::function<void()> paint)
    : QDialog(parent), m_cancel(std::move(cancel)), m_paint(std::move(paint))
{
}

WindowSurface& DialogHost::Surface()
{
    if (!m_surface || m_surface->Image().size() != size()) {
        const QColor background = palette().color(QPalette::Window);
        m_surface = std::make_unique<WindowSurface>(size(), [background](QImage& image) { image.fill(background); });
    }
    return *m_surface;
}

void DialogHost::reject()
{
    if (m_cancel) m_cancel();
}

void DialogHost::paintEvent(QPaintEvent*)
{
    Surface().Validate();
    if (m_paint) m_paint();
    PaintSurface(this, Surface(), {0, 0});
}

PictureWidget::PictureWidget(QWidget* parent, int bitmapId, bool sunken)
    : QWidget(parent),
      m_border(sunken ? 1 : 0),
      m_surface(LoadBitmapImage(bitmapId).size(), [pixels = LoadBitmapImage(bitmapId)](QImage& image) {
          // Copied into the same buffer: a device context may be pointing at it.
          std::memcpy(image.bits(), pixels.constBits(), static_cast<std::size_t>(pixels.sizeInBytes()));
      })
{
    resize(m_surface.Image().width() + 2 * m_border, m_surface.Image().height() + 2 * m_border);
}

void PictureWidget::paintEvent(QPaintEvent*)
{
    PaintSurface(this, m_surface, SurfaceOrigin());
    if (!m_border) return;
    QPainter painter(this);
    const QRect outline = rect().adjusted(0, 0, -1, -1);
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawLine(outline.topLeft(), outline.topRight());
    painter.drawLine(outline.topLeft(), outline.bottomLeft());
    painter.setPen(palette().color(QPalette::Light));
    painter.drawLine(outline.bottomLeft(), outline.bottomRight());
    painter.drawLine(outline.topRight(), outline.bottomRight());
}

ElidingLabel::ElidingLabel(const QString& text, Qt::TextElideMode mode, QWidget* parent)
    : QLabel(text, parent), m_mode(mode)
{
    setTextFormat(Qt::PlainText);
}

QSize ElidingLabel::minimumSizeHint() const
{
    return QSize(0, QLabel::minimumSizeHint().height());
}

void ElidingLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    drawFrame(&painter);
    const QRect area = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    const QString shown = fontMetrics().elidedText(text(), m_mode, area.width());
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    painter.drawText(area, static_cast<int>(alignment()), shown);
}

}  // namespace zelm::framework

#pragma once
// The toolkit widgets behind a dialog: the dialog's own window and the picture static,
// both with pixels the program can draw into.

#include <QDialog>
#include <QLabel>
#include <functional>

#include "framework/windows/WindowSurface.h"
#include <zelmtools/platform/base/win_types.h>

namespace zelm::framework {

class DialogHost : public QDialog, public SurfaceOwner {
public:
    // cancel runs for Escape and the close box: the dialog decides how to end; paint
    // lets the dialog draw into its pixels before they are shown.
    DialogHost(QWidget* parent, std::function<void()> cancel, std::function<void()> paint);
    WindowSurface& Surface() override;
    void reject() override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::function<void()> m_cancel;
    std::function<void()> m_paint;
    std::unique_ptr<WindowSurface> m_surface;
};

// An image static: shows a bitmap resource at its own size inside a sunken border.
class PictureWidget : public QWidget, public SurfaceOwner {
public:
    PictureWidget(QWidget* parent, int bitmapId, bool sunken);
    WindowSurface& Surface() override { return m_surface; }
    QPoint SurfaceOrigin() const override { return {m_border, m_border}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_border;
    WindowSurface m_surface;
};

// A text static that shows a text too long for it shortened with "…" (in the middle for
// a path, at the end otherwise); its text stays whole for whoever reads it.
class ElidingLabel : public QLabel {
public:
    ElidingLabel(const QString& text, Qt::TextElideMode mode, QWidget* parent);
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Qt::TextElideMode m_mode;
};

// Draws a surface's pixels (whose fourth byte is unused) onto a widget.
void PaintSurface(QWidget* widget, WindowSurface& surface, QPoint origin);

}  // namespace zelm::framework

// The window operations of windows shown by a toolkit widget.
#include <QAbstractButton>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPainter>
#include <QPixmap>

#include <zelmtools/framework/dialogs/DataExchange.h>
#include <zelmtools/framework/gdi/CDC.h>
#include "framework/windows/CPaintDC.h"
#include <zelmtools/framework/windows/CWnd.h>
#include "framework/windows/WindowSurface.h"
#include <zelmtools/platform/gdi/gdi.h>
#include "framework/ui/MessageBox.h"
#include "platform/user/window_styles.h"

namespace {

QImage ImageOfIcon(HICON hIcon)
{
    const zelm::platform::IconImage* icon = zelm::platform::IconImageOf(hIcon);
    if (!icon) return {};
    QImage image(icon->width, icon->height, QImage::Format_ARGB32);
    for (int y = 0; y < icon->height; ++y)
        for (int x = 0; x < icon->width; ++x) image.setPixel(x, y, icon->argb[static_cast<std::size_t>(y) * icon->width + x]);
    return image;
}

}  // namespace

CWnd* CWnd::GetDlgItem(int) const { return nullptr; }

void CWnd::DoDataExchange(CDataExchange*) {}

BOOL CWnd::EnableWindow(BOOL bEnable)
{
    if (!m_pWidget) return FALSE;
    BOOL wasDisabled = !m_pWidget->isEnabled();
    m_pWidget->setEnabled(bEnable != FALSE);
    return wasDisabled;
}

BOOL CWnd::IsWindowEnabled() const { return m_pWidget && m_pWidget->isEnabled(); }

void CWnd::SetWindowText(LPCSTR lpszString)
{
    const QString text = QString::fromUtf8(lpszString ? lpszString : "");
    if (auto* edit = qobject_cast<QLineEdit*>(m_pWidget)) edit->setText(text);
    else if (auto* lines = qobject_cast<QPlainTextEdit*>(m_pWidget)) lines->setPlainText(QString(text).remove('\r'));
    else if (auto* label = qobject_cast<QLabel*>(m_pWidget)) label->setText(text);
    else if (auto* button = qobject_cast<QAbstractButton*>(m_pWidget)) button->setText(text);
    else if (m_pWidget) m_pWidget->setWindowTitle(text);
}

void CWnd::GetWindowText(CString& rString) const
{
    QString text;
    if (auto* edit = qobject_cast<QLineEdit*>(m_pWidget)) text = edit->text();
    else if (auto* lines = qobject_cast<QPlainTextEdit*>(m_pWidget)) text = lines->toPlainText().replace('\n', "\r\n");
    else if (auto* label = qobject_cast<QLabel*>(m_pWidget)) text = label->text();
    else if (auto* button = qobject_cast<QAbstractButton*>(m_pWidget)) text = button->text();
    else if (m_pWidget) text = m_pWidget->windowTitle();
    rString = CString(text.toUtf8().toStdString());
}

BOOL CWnd::ShowWindow(int nCmdShow)
{
    if (!m_pWidget) return FALSE;
    BOOL wasVisible = m_pWidget->isVisible();
    if (nCmdShow == SW_HIDE) m_pWidget->hide();
    else if (nCmdShow == SW_MINIMIZE) m_pWidget->showMinimized();
    else m_pWidget->show();
    return wasVisible;
}

BOOL CWnd::IsIconic() const { return m_pWidget && m_pWidget->isMinimized(); }

void CWnd::GetClientRect(LPRECT lpRect) const
{
    *lpRect = RECT{0, 0, m_pWidget ? m_pWidget->width() : 0, m_pWidget ? m_pWidget->height() : 0};
}

void CWnd::Invalidate(BOOL) { InvalidateRect(nullptr); }

void CWnd::InvalidateRect(LPCRECT, BOOL)
{
    if (auto* owner = dynamic_cast<zelm::framework::SurfaceOwner*>(m_pWidget)) owner->Surface().Invalidate();
    if (m_pWidget) m_pWidget->update();
}

void CWnd::UpdateWindow()
{
    auto* owner = dynamic_cast<zelm::framework::SurfaceOwner*>(m_pWidget);
    if (owner && owner->Surface().Validate()) m_pWidget->repaint();
}

HICON CWnd::SetIcon(HICON hIcon, BOOL bBigIcon)
{
    if (!m_pWidget) return nullptr;
    QIcon icon = m_pWidget->windowIcon();
    QPixmap pixmap = QPixmap::fromImage(ImageOfIcon(hIcon));
    if (!pixmap.isNull()) {
        icon.addPixmap(bBigIcon ? pixmap : pixmap.scaled(16, 16, Qt::KeepAspectRatio, Qt::SmoothTransformation));
        m_pWidget->setWindowIcon(icon);
    }
    return nullptr;
}

CWnd* CWnd::SetFocus()
{
    if (m_pWidget) m_pWidget->setFocus();
    return nullptr;
}

CDC* CWnd::GetDC()
{
    if (!dynamic_cast<zelm::framework::SurfaceOwner*>(m_pWidget)) return nullptr;
    UpdateWindow();
    return new CPaintDC(this);
}

int CWnd::ReleaseDC(CDC* pDC)
{
    if (!pDC) return 0;
    delete pDC;
    if (m_pWidget) m_pWidget->update();
    return 1;
}

BOOL CWnd::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    try {
        DoDataExchange(&dx);
    } catch (CUserException* e) {
        // The failed check has shown its message and put the focus on its control.
        e->Delete();
        return FALSE;
    }
    return TRUE;
}

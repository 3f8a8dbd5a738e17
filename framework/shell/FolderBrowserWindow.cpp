#include "framework/shell/FolderBrowserWindow.h"

#include <string>

#include "framework/shell/FolderBrowser.h"
#include "framework/shell/FolderBrowserDialog.h"
#include "framework/ui/MessageBox.h"
#include "framework/windows/WindowWidgets.h"

namespace zelm::framework {

BEGIN_MESSAGE_MAP(FolderBrowserWindow, CWnd)
ON_MESSAGE(BFFM_SETSELECTIONA, OnSetSelection)
ON_MESSAGE(BFFM_ENABLEOK, OnEnableOk)
ON_MESSAGE(BFFM_SETSTATUSTEXTA, OnSetStatusText)
ON_COMMAND(IDOK, OnOK)
ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

FolderBrowserWindow::FolderBrowserWindow(FolderBrowserDialog& dialog) : m_dialog(dialog)
{
    AttachNewHandle();
    SetWidgetForWindow(m_hWnd, &m_dialog);
}

FolderBrowserWindow::~FolderBrowserWindow()
{
    if (m_hWnd == nullptr) return;
    SetWidgetForWindow(m_hWnd, nullptr);
    DestroyWindow();
}

LRESULT FolderBrowserWindow::OnSetSelection(WPARAM wParam, LPARAM lParam)
{
    std::string path;
    if (wParam) {
        if (lParam == 0) return FALSE;
        path = reinterpret_cast<LPCSTR>(lParam);
    } else if (!zelm::platform::PathFromItemList(reinterpret_cast<LPCITEMIDLIST>(lParam), path)) {
        return FALSE;
    }
    return m_dialog.SelectPath(QString::fromStdString(path)) ? TRUE : FALSE;
}

LRESULT FolderBrowserWindow::OnEnableOk(WPARAM, LPARAM lParam)
{
    m_dialog.EnableOk(lParam != 0);
    return 0;
}

LRESULT FolderBrowserWindow::OnSetStatusText(WPARAM, LPARAM lParam)
{
    m_dialog.SetStatusText(lParam ? QString::fromUtf8(reinterpret_cast<LPCSTR>(lParam)) : QString());
    return 0;
}

void FolderBrowserWindow::OnOK()
{
    m_dialog.accept();
}

void FolderBrowserWindow::OnCancel()
{
    m_dialog.reject();
}

}  // namespace zelm::framework

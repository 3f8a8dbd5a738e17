#pragma once
// The framework window of a folder browser: the handle its callback and its callers
// know, turning the messages sent to it into actions of the dialog.

#include <zelmtools/framework/windows/CWnd.h>

namespace zelm::framework {

class FolderBrowserDialog;

class FolderBrowserWindow : public CWnd {
public:
    explicit FolderBrowserWindow(FolderBrowserDialog& dialog);
    ~FolderBrowserWindow() override;

    LRESULT OnSetSelection(WPARAM wParam, LPARAM lParam);
    LRESULT OnEnableOk(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetStatusText(WPARAM wParam, LPARAM lParam);
    void OnOK();
    void OnCancel();

private:
    FolderBrowserDialog& m_dialog;
    DECLARE_MESSAGE_MAP()
};

}  // namespace zelm::framework

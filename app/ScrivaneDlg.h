#pragma once
// The main dialog: output folder, font, line-pitch reduction, preview, and the job
// that runs on the render worker while the dialog shows its progress.

#include "app/WorkThread.h"
#include <zelmtools/framework/controls/Controls.h>
#include <zelmtools/framework/dialogs/CDialog.h>

class CScrivaneDlg : public CDialog {
public:
    explicit CScrivaneDlg(CWnd* pParent = nullptr);

    static constexpr int IDD = 102;

    BOOL DestroyWindow() override;

    int m_bBusy = 0;
    CWorkThread* m_pWorkThread = nullptr;
    CDC* m_pScreenDC = nullptr;
    LOGFONT m_logFont;
    CButton m_ctlChangeFont;
    CStatic m_ctlPreview;
    CButton m_ctlStart;
    CButton m_ctlStop;
    CProgressCtrl m_ctlProgress;
    CSpinButtonCtrl m_ctlDelSizeSpin;
    CToolTipCtrl m_toolTips;
    CString m_strOutputFolder;
    CString m_strInputFile;
    UINT m_nDelSize = 3;
    HICON m_hIcon;
    // Where the file dialog opens: the folder of the last input file.
    CString m_strLastInputFolder;

    // The stored font and line-pitch reduction: read at start-up, written at every close.
    void LoadSettings();
    void SaveSettings();
    // Reads the stored settings without creating or writing anything (a screenshot).
    void KeepStoreUntouched() { m_bStoreReadOnly = true; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    void OnBrowseFolder();
    void OnStart();
    void OnStop();
    LRESULT OnWorkNotify(WPARAM wParam, LPARAM lParam);
    void OnChangeFont();
    void OnTestFont();

    void BeginWork();
    void EndWork();
    void SetBusyState(BOOL bBusy);
    BOOL CanMakePages();
    void CompleteOutputFolder();
    void SetUpDelSizeControls();

private:
    static int BrowseCallback(HWND hwnd, UINT uMsg, LPARAM lParam, LPARAM lpData);

    bool m_bStoreReadOnly = false;

    DECLARE_MESSAGE_MAP()
};

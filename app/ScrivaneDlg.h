#pragma once
// The main dialog: output folder, font, line-pitch reduction, preview, and the job
// that runs on the render worker while the dialog shows its progress.

#include "app/WorkThread.h"
#include "framework/controls/Controls.h"
#include "framework/dialogs/CDialog.h"

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
    CString m_strOutputFolder;
    CString m_strInputFile;
    UINT m_nDelSize = 3;
    HICON m_hIcon;

    // The stored font and line-pitch reduction: read at start-up, written at every close.
    void LoadSettings();
    void SaveSettings();

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

    DECLARE_MESSAGE_MAP()
};

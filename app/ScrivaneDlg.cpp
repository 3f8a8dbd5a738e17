#include "app/ScrivaneDlg.h"

#include "app/resource.h"
#include "framework/app/CWinApp.h"
#include "framework/commdlg/CFileDialog.h"
#include "framework/commdlg/CFontDialog.h"
#include "framework/dialogs/DataExchange.h"
#include "framework/shell/FolderBrowser.h"
#include "platform/com/task_memory.h"
#include "platform/shell/item_ids.h"
#include "framework/ui/MessageBox.h"
#include "framework/windows/CPaintDC.h"
#include "platform/kernel/files.h"
#include "platform/user/window_styles.h"

namespace {

constexpr UINT kMaxDelSize = 30;
constexpr char kMeasureSample[] = "Тест Тест Тест Тест";
constexpr char kPreviewSample[] = "Прочитайте документацию";

CString TemporaryFolder()
{
    char path[MAX_PATH];
    return GetTempPathA(sizeof path, path) ? CString(path) : CString("/tmp/");
}

// Before any font is chosen or stored: the dialog font of the platform.
LOGFONT DefaultLogFont()
{
    LOGFONT font{};
    ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
    return font;
}

}  // namespace

BEGIN_MESSAGE_MAP(CScrivaneDlg, CDialog)
ON_WM_PAINT()
ON_WM_QUERYDRAGICON()
ON_BN_CLICKED(IDC_BROWSE_FOLDER, OnBrowseFolder)
ON_BN_CLICKED(IDOK, OnStart)
ON_BN_CLICKED(IDC_STOP, OnStop)
ON_MESSAGE(WM_WORK_NOTIFY, OnWorkNotify)
ON_BN_CLICKED(IDC_CHANGE_FONT, OnChangeFont)
ON_BN_CLICKED(IDC_TEST_FONT, OnTestFont)
END_MESSAGE_MAP()

CScrivaneDlg::CScrivaneDlg(CWnd* pParent)
    : CDialog(IDD, pParent), m_logFont(DefaultLogFont()), m_strOutputFolder(TemporaryFolder())
{
    m_hIcon = AfxGetApp() ? AfxGetApp()->LoadIcon(IDR_MAINFRAME) : nullptr;
}

void CScrivaneDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_CHANGE_FONT, m_ctlChangeFont);
    DDX_Control(pDX, IDC_PREVIEW, m_ctlPreview);
    DDX_Control(pDX, IDOK, m_ctlStart);
    DDX_Control(pDX, IDC_STOP, m_ctlStop);
    DDX_Control(pDX, IDC_PROGRESS, m_ctlProgress);
    DDX_Text(pDX, IDC_OUTPUT_FOLDER, m_strOutputFolder);
    DDX_Text(pDX, IDC_INPUT_FILE, m_strInputFile);
    DDX_Text(pDX, IDC_DELSIZE, m_nDelSize);
    DDV_MinMaxUInt(pDX, m_nDelSize, 0, kMaxDelSize);
}

BOOL CScrivaneDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);
    LoadSettings();
    UpdateData(FALSE);
    m_ctlProgress.SetRange(0, 100);
    return TRUE;
}

void CScrivaneDlg::OnPaint()
{
    if (!IsIconic()) {
        CDialog::OnPaint();
        return;
    }
    CPaintDC dc(this);
    CRect rect;
    GetClientRect(&rect);
    int x = (rect.Width() - GetSystemMetrics(SM_CXICON) + 1) / 2;
    int y = (rect.Height() - GetSystemMetrics(SM_CYICON) + 1) / 2;
    dc.DrawIcon(x, y, m_hIcon);
}

HCURSOR CScrivaneDlg::OnQueryDragIcon() { return m_hIcon; }

void CScrivaneDlg::OnBrowseFolder()
{
    BROWSEINFOA info{};
    info.hwndOwner = m_hWnd;
    info.pidlRoot = nullptr;
    info.lpszTitle = m_strOutputFolder;
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    LPITEMIDLIST items = SHBrowseForFolderA(&info);
    if (!items) return;
    char path[MAX_PATH];
    if (SHGetPathFromIDListA(items, path)) {
        // Always appended, so the root "/" gives "//".
        m_strOutputFolder = CString(path) + "/";
        UpdateData(FALSE);
    }
    CoTaskMemFree(items);
}

void CScrivaneDlg::OnStart()
{
    UpdateData(TRUE);  // a failed check has shown its message; the job still starts
    CFileDialog dialog(TRUE, "*.*", nullptr, OFN_EXPLORER, "All Files (*.*)|*.*||");
    if (dialog.DoModal() != IDOK) return;
    m_strInputFile = dialog.GetPathName();
    UpdateData(FALSE);
    BeginWork();
}

void CScrivaneDlg::BeginWork()
{
    m_pWorkThread = static_cast<CWorkThread*>(
        AfxBeginThread(RUNTIME_CLASS(CWorkThread), THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED));
    m_pScreenDC = GetDC();
    WorkParams params;
    params.strInputFile = m_strInputFile;
    params.hNotifyWnd = m_hWnd;
    params.logFont = m_logFont;
    params.pScreenDC = m_pScreenDC;
    params.strOutputFolder = m_strOutputFolder;
    params.nPageWidth = 128;
    params.nPageHeight = 116;
    params.nDelSize = static_cast<int>(m_nDelSize);
    m_pWorkThread->StartJob(params);
    SetBusyState(TRUE);
}

void CScrivaneDlg::SetBusyState(BOOL bBusy)
{
    m_bBusy = bBusy;
    m_ctlStart.EnableWindow(!bBusy);
    m_ctlChangeFont.EnableWindow(!bBusy);
    m_ctlStop.EnableWindow(bBusy);
}

void CScrivaneDlg::OnStop()
{
    if (m_pWorkThread) m_pWorkThread->m_bStop = 1;
}

LRESULT CScrivaneDlg::OnWorkNotify(WPARAM wParam, LPARAM lParam)
{
    if (wParam != 0) {
        m_ctlProgress.SetPos(*reinterpret_cast<const int*>(wParam));
    } else if (lParam == 1) {
        m_pWorkThread = nullptr;
        EndWork();
    }
    return 1;
}

void CScrivaneDlg::EndWork()
{
    SetBusyState(FALSE);
    ReleaseDC(m_pScreenDC);
    m_pScreenDC = nullptr;
    m_strInputFile = "";
    UpdateData(FALSE);
}

void CScrivaneDlg::OnChangeFont()
{
    CFontDialog dialog(&m_logFont, CF_SCREENFONTS | CF_EFFECTS | CF_FORCEFONTEXIST | CF_INITTOLOGFONTSTRUCT, nullptr,
                       this);
    dialog.DoModal();
}

void CScrivaneDlg::OnTestFont()
{
    UpdateData(TRUE);  // as for Start, a failed check does not stop the preview
    CFont font;
    font.CreateFontIndirect(&m_logFont);
    m_ctlPreview.Invalidate();
    m_ctlPreview.UpdateWindow();
    CDC* pDC = m_ctlPreview.GetDC();
    if (!pDC) return;
    CFont* pOldFont = pDC->SelectObject(&font);
    pDC->SetTextColor(RGB(0, 0, 0));
    pDC->SetBkMode(TRANSPARENT);
    CRect rect(0, 0, 150, 100);
    pDC->DrawText(kMeasureSample, -1, &rect, DT_CALCRECT);
    const int lineHeight = rect.bottom;
    pDC->TextOut(0, 0, kPreviewSample, static_cast<int>(sizeof kPreviewSample - 1));
    pDC->TextOut(0, lineHeight - static_cast<int>(m_nDelSize), kPreviewSample, static_cast<int>(sizeof kPreviewSample - 1));
    pDC->SelectObject(pOldFont);
    m_ctlPreview.ReleaseDC(pDC);
    font.DeleteObject();
}

// Closing saves the settings, also during a job; the job is asked to stop after the
// page it is making, so that the program ends without a half-written page.
BOOL CScrivaneDlg::DestroyWindow()
{
    SaveSettings();
    if (m_pWorkThread) m_pWorkThread->m_bStop = 1;
    m_pWorkThread = nullptr;
    if (m_pScreenDC) {
        ReleaseDC(m_pScreenDC);
        m_pScreenDC = nullptr;
    }
    return CDialog::DestroyWindow();
}

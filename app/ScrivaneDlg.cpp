#include "app/ScrivaneDlg.h"

#include "app/PageFit.h"
#include "app/resource.h"
#include <zelmtools/framework/app/CWinApp.h>
#include "framework/commdlg/CFileDialog.h"
#include "framework/commdlg/CFontDialog.h"
#include <zelmtools/framework/dialogs/DataExchange.h>
#include <zelmtools/framework/messages/Messaging.h>
#include "framework/shell/FolderBrowser.h"
#include "platform/com/task_memory.h"
#include "platform/shell/item_ids.h"
#include "framework/ui/MessageBox.h"
#include "framework/windows/CPaintDC.h"
#include "platform/kernel/files.h"
#include "platform/user/window_styles.h"

namespace {

constexpr UINT kMaxDelSize = 30;
constexpr int kPageWidth = 128;
constexpr int kPageHeight = 116;
constexpr char kDelSizeTip[] =
    "DelSize: pixels by which the lines are set closer than the font's line height (0 to 30)";
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

bool IsFolder(const CString& path)
{
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// "/home/a/in.txt" -> "/home/a"; "/in.txt" -> "/".
CString FolderOf(const CString& path)
{
    int slash = path.ReverseFind('/');
    return slash > 0 ? path.Left(slash) : CString(slash == 0 ? "/" : "");
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
    DDX_Control(pDX, IDC_DELSIZE_SPIN, m_ctlDelSizeSpin);
    DDX_Text(pDX, IDC_OUTPUT_FOLDER, m_strOutputFolder);
    DDX_Text(pDX, IDC_INPUT_FILE, m_strInputFile);
    // Checked before it is taken: a refused number never becomes the one that is used or saved.
    UINT delSize = m_nDelSize;
    DDX_Text(pDX, IDC_DELSIZE, delSize);
    DDV_MinMaxUInt(pDX, delSize, 0, kMaxDelSize);
    m_nDelSize = delSize;
}

BOOL CScrivaneDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);
    LoadSettings();
    UpdateData(FALSE);
    m_ctlProgress.SetRange(0, 100);
    SetUpDelSizeControls();
    return TRUE;
}

void CScrivaneDlg::SetUpDelSizeControls()
{
    // The arrows stay within the values that a job accepts.
    m_ctlDelSizeSpin.SetRange(0, static_cast<short>(kMaxDelSize));
    if (m_toolTips.Create(this)) {
        m_toolTips.AddTool(GetDlgItem(IDC_DELSIZE), kDelSizeTip);
        m_toolTips.AddTool(GetDlgItem(IDC_DELSIZE_SPIN), kDelSizeTip);
    }
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

// Once the browser is up it shows the current output folder, or the nearest folder
// above it that exists.
int CScrivaneDlg::BrowseCallback(HWND hwnd, UINT uMsg, LPARAM, LPARAM lpData)
{
    if (uMsg != BFFM_INITIALIZED) return 0;
    CString folder = *reinterpret_cast<const CString*>(lpData);
    while (!folder.IsEmpty() && !::SendMessage(hwnd, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(folder.GetString()))) {
        folder.TrimRight('/');
        folder = FolderOf(folder);
    }
    return 0;
}

void CScrivaneDlg::OnBrowseFolder()
{
    // The folder as it stands in the edit, typed or not.
    GetDlgItem(IDC_OUTPUT_FOLDER)->GetWindowText(m_strOutputFolder);
    BROWSEINFOA info{};
    info.hwndOwner = m_hWnd;
    info.pidlRoot = nullptr;
    info.lpszTitle = m_strOutputFolder;
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    info.lpfn = &CScrivaneDlg::BrowseCallback;
    info.lParam = reinterpret_cast<LPARAM>(&m_strOutputFolder);
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
    // A failed check has shown its message and put the focus on the number: no job.
    if (!UpdateData(TRUE) || !CanMakePages()) return;
    CompleteOutputFolder();
    CFileDialog dialog(TRUE, "*.*", nullptr, OFN_EXPLORER, "All Files (*.*)|*.*||");
    if (!m_strLastInputFolder.IsEmpty()) dialog.m_ofn.lpstrInitialDir = m_strLastInputFolder;
    if (dialog.DoModal() != IDOK) return;
    m_strInputFile = dialog.GetPathName();
    m_strLastInputFolder = FolderOf(m_strInputFile);
    UpdateData(FALSE);
    BeginWork();
}

// A font and DelSize that cannot make pages are refused before the file is asked for.
BOOL CScrivaneDlg::CanMakePages()
{
    CString reason = DescribeUnfitLinePitch(m_logFont, static_cast<int>(m_nDelSize));
    if (reason.IsEmpty()) return TRUE;
    AfxMessageBox(reason, MB_OK | MB_ICONEXCLAMATION);
    return FALSE;
}

// Page names are appended to the folder text, so an existing folder typed without its
// final "/" would put the pages beside it ("out2T0000.bmp"): it gets the "/".
void CScrivaneDlg::CompleteOutputFolder()
{
    if (m_strOutputFolder.IsEmpty() || m_strOutputFolder.Right(1) == "/" || !IsFolder(m_strOutputFolder)) return;
    m_strOutputFolder += "/";
    GetDlgItem(IDC_OUTPUT_FOLDER)->SetWindowText(m_strOutputFolder);
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
    params.nPageWidth = kPageWidth;
    params.nPageHeight = kPageHeight;
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
    if (m_pWorkThread) m_pWorkThread->RequestStop();
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
    // Only the input file is cleared: a folder or number typed during the job stays for the next one.
    m_strInputFile = "";
    GetDlgItem(IDC_INPUT_FILE)->SetWindowText(m_strInputFile);
}

void CScrivaneDlg::OnChangeFont()
{
    CFontDialog dialog(&m_logFont, CF_SCREENFONTS | CF_EFFECTS | CF_FORCEFONTEXIST | CF_INITTOLOGFONTSTRUCT, nullptr,
                       this);
    dialog.DoModal();
}

void CScrivaneDlg::OnTestFont()
{
    if (!UpdateData(TRUE)) return;  // as for Start: no preview of a refused number
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
    if (m_pWorkThread) m_pWorkThread->RequestStop();
    m_pWorkThread = nullptr;
    if (m_pScreenDC) {
        ReleaseDC(m_pScreenDC);
        m_pScreenDC = nullptr;
    }
    return CDialog::DestroyWindow();
}

#include "app/BatchDriver.h"

#include <atomic>
#include <cstdio>
#include <cstring>

#include "app/StoredSettings.h"
#include "app/WorkThread.h"
#include "framework/ui/MessageBox.h"
#include "framework/windows/CWnd.h"
#include "platform/base/utf8.h"
#include "platform/kernel/console.h"
#include "platform/kernel/files.h"

namespace {

std::atomic<bool> g_interrupted{false};

// Ctrl+C: the flag that the batch window's timer turns into Stop.
BOOL OnInterrupt(DWORD)
{
    g_interrupted = true;
    return TRUE;
}

bool StderrIsTerminal()
{
    DWORD mode = 0;
    return GetConsoleMode(GetStdHandle(STD_ERROR_HANDLE), &mode);
}

// The window that the worker notifies: keeps the page count and draws the progress bar.
class CBatchWnd : public CWnd {
public:
    explicit CBatchWnd(bool showProgress) : m_bShowProgress(showProgress) {}

    CWorkThread* m_pWorkThread = nullptr;
    int m_nPagesWritten = 0;

protected:
    LRESULT OnWorkNotify(WPARAM wParam, LPARAM lParam)
    {
        if (wParam != 0) {
            if (m_pWorkThread) m_nPagesWritten = m_pWorkThread->GetPagesWritten();
            DrawProgress(*reinterpret_cast<const int*>(wParam));
        } else if (lParam == 1) {
            m_pWorkThread = nullptr;
            if (m_bShowProgress) std::fputc('\n', stderr);
            EndModalLoop(0);
        }
        return 1;
    }

    // Ctrl+C acts as Stop: the page being made is written, then the job ends.
    void OnTimer(UINT_PTR)
    {
        if (g_interrupted && m_pWorkThread) m_pWorkThread->m_bStop = 1;
    }

    DECLARE_MESSAGE_MAP()

private:
    void DrawProgress(int percent)
    {
        if (!m_bShowProgress) return;
        constexpr int kBarWidth = 30;
        int filled = percent * kBarWidth / 100;
        std::fprintf(stderr, "\r[%.*s%*s] %3d%%  %d pages", filled, "##############################",
                     kBarWidth - filled, "", percent, m_nPagesWritten);
        std::fflush(stderr);
    }

    bool m_bShowProgress;
};

BEGIN_MESSAGE_MAP(CBatchWnd, CWnd)
ON_MESSAGE(WM_WORK_NOTIFY, OnWorkNotify)
ON_WM_TIMER()
END_MESSAGE_MAP()

// The stored settings of the dialog are the defaults; the options override them.
LOGFONT FontFor(const BatchOptions& options, const LOGFONT& stored)
{
    LOGFONT font = stored;
    if (!options.fontFamily.empty()) {
        std::size_t length = zelm::platform::Utf8PrefixLength(options.fontFamily.data(), options.fontFamily.size(),
                                                              sizeof font.lfFaceName - 1);
        std::memset(font.lfFaceName, 0, sizeof font.lfFaceName);
        std::memcpy(font.lfFaceName, options.fontFamily.data(), length);
    }
    if (options.sizePx > 0) font.lfHeight = -options.sizePx;
    if (options.bold) font.lfWeight = FW_BOLD;
    if (options.italic) font.lfItalic = 1;
    return font;
}

CString OutputFolderFor(const BatchOptions& options)
{
    if (!options.outputFolder.empty()) return CString(options.outputFolder);
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    return CString(temp);
}

// The input must be readable before a job starts: the worker itself reports nothing
// about it.
bool CheckInput(const std::string& path)
{
    CFile file;
    CFileException error;
    if (file.Open(path.c_str(), CFile::modeRead | CFile::shareDenyWrite, &error)) return true;
    std::fprintf(stderr, "scrivane: %s\n", error.GetErrorMessage().GetString());
    return false;
}

void PrintSummary(int pages, const CString& folder, bool failed)
{
    if (pages == 0 && failed)
        std::printf("No pages written to %s\n", folder.GetString());
    else if (pages == 0)
        std::printf("No pages written (the text is empty); output folder %s\n", folder.GetString());
    else if (pages == 1)
        std::printf("1 page written to %s: T0000.bmp\n", folder.GetString());
    else
        std::printf("%d pages written to %s: T0000.bmp to %s\n", pages, folder.GetString(),
                    CWorkThread::FileNameForIndex(pages - 1).GetString());
}

}  // namespace

int RunBatch(const BatchOptions& options)
{
    if (!CheckInput(options.inputFile)) return kExitFailed;

    bool failed = false;
    auto previousHandler = zelm::framework::SetMessageBoxHandler([&failed](const auto& request) {
        std::fprintf(stderr, "\nscrivane: %s\n", request.text);
        failed = true;
        return zelm::framework::DefaultMessageBoxAnswer(request.type);
    });
    g_interrupted = false;
    SetConsoleCtrlHandler(OnInterrupt, TRUE);

    CBatchWnd window(!options.quiet && StderrIsTerminal());
    window.CreateMessageOnlyWindow();
    HDC screen = ::GetDC(nullptr);
    CDC screenDC;
    screenDC.Attach(screen);

    auto* worker = static_cast<CWorkThread*>(
        AfxBeginThread(RUNTIME_CLASS(CWorkThread), THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED));
    window.m_pWorkThread = worker;
    WorkParams params;
    params.strInputFile = options.inputFile.c_str();
    params.hNotifyWnd = window.GetSafeHwnd();
    LOGFONT storedFont{};
    ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof storedFont, &storedFont);
    UINT storedDelSize = static_cast<UINT>(options.delSize);
    LoadStoredSettings(storedFont, storedDelSize, false);
    params.logFont = FontFor(options, storedFont);
    params.pScreenDC = &screenDC;
    params.strOutputFolder = OutputFolderFor(options);
    params.nDelSize = options.delSizeGiven || storedDelSize > 30 ? options.delSize : static_cast<int>(storedDelSize);
    params.encoding = options.encoding;
    worker->StartJob(params);

    constexpr UINT_PTR kInterruptTimer = 1;
    window.SetTimer(kInterruptTimer, 20);
    window.RunModalLoop();
    window.KillTimer(kInterruptTimer);
    zelm::framework::WaitForFrameworkThreads();

    screenDC.Detach();
    ::ReleaseDC(nullptr, screen);
    SetConsoleCtrlHandler(OnInterrupt, FALSE);
    zelm::framework::SetMessageBoxHandler(previousHandler);

    PrintSummary(window.m_nPagesWritten, params.strOutputFolder, failed);
    if (g_interrupted) return kExitInterrupted;
    return failed ? kExitFailed : kExitDone;
}

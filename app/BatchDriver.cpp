#include "app/BatchDriver.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "app/PageFit.h"
#include "app/StoredSettings.h"
#include "app/WorkThread.h"
#include "framework/ui/MessageBox.h"
#include <zelmtools/framework/windows/CWnd.h>
#include <zelmtools/platform/base/errors.h>
#include "platform/base/error_text.h"
#include "platform/base/utf8.h"
#include "platform/kernel/console.h"
#include "platform/kernel/files.h"

namespace {

constexpr std::uint32_t kNoStop = 0xFFFFFFFF;
// The console event that asked the job to stop; the first one counts.
std::atomic<std::uint32_t> g_stopEvent{kNoStop};  // a plain integer: lock-free in a signal handler

// Ctrl+C, SIGTERM, SIGHUP: the flag that the batch window's timer turns into Stop.
BOOL OnStopSignal(DWORD event)
{
    std::uint32_t none = kNoStop;
    g_stopEvent.compare_exchange_strong(none, event);
    return TRUE;
}

int ExitCodeForStop(DWORD event)
{
    switch (event) {
    case CTRL_CLOSE_EVENT: return kExitHangUp;
    case CTRL_SHUTDOWN_EVENT: return kExitTerminated;
    default: return kExitInterrupted;
    }
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
    // The stop signal that the job saw before it ended; a later one changes nothing.
    DWORD m_dwStopEvent = kNoStop;

    // An error from the worker, on its own line; the bar is drawn again below it. Runs
    // on the worker's thread while the bar is not being drawn.
    void ShowError(const char* text)
    {
        if (m_bBarShown) std::fputs("\r\033[K", stderr);
        std::fprintf(stderr, "scrivane: %s\n", text);
        if (m_bBarShown) DrawProgress(m_nPercent);
    }

protected:
    LRESULT OnWorkNotify(WPARAM wParam, LPARAM lParam)
    {
        if (wParam != 0) {
            if (m_pWorkThread) m_nPagesWritten = m_pWorkThread->GetPagesWritten();
            DrawProgress(*reinterpret_cast<const int*>(wParam));
        } else if (lParam == 1) {
            m_pWorkThread = nullptr;
            m_dwStopEvent = g_stopEvent.load();
            if (m_bBarShown) std::fputc('\n', stderr);
            EndModalLoop(0);
        }
        return 1;
    }

    // A stop signal acts as Stop: the page being made is written, then the job ends.
    // Asked again at every tick, so that a cancel that came between two reads of a
    // waiting input is repeated.
    void OnTimer(UINT_PTR)
    {
        if (g_stopEvent != kNoStop && m_pWorkThread) m_pWorkThread->RequestStop();
    }

    DECLARE_MESSAGE_MAP()

private:
    void DrawProgress(int percent)
    {
        if (!m_bShowProgress) return;
        m_nPercent = std::clamp(percent, 0, 100);
        m_bBarShown = true;
        constexpr int kBarWidth = 30;
        int filled = m_nPercent * kBarWidth / 100;
        std::fprintf(stderr, "\r[%.*s%*s] %3d%%  %d %s", filled, "##############################", kBarWidth - filled,
                     "", m_nPercent, m_nPagesWritten, m_nPagesWritten == 1 ? "page" : "pages");
        std::fflush(stderr);
    }

    bool m_bShowProgress;
    bool m_bBarShown = false;
    int m_nPercent = 0;
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
    if (options.bold) font.lfWeight = *options.bold ? FW_BOLD : FW_NORMAL;
    if (options.italic) font.lfItalic = *options.italic ? 1 : 0;
    if (options.noUnderline) font.lfUnderline = 0;
    return font;
}

CString OutputFolderFor(const BatchOptions& options)
{
    if (!options.outputFolder.empty()) return CString(options.outputFolder);
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    return CString(temp);
}

// "-" is the standard input.
CString InputPathFor(const BatchOptions& options)
{
    return options.inputFile == "-" ? CString("/dev/stdin") : CString(options.inputFile.c_str());
}

bool Refuse(const CString& text)
{
    std::fprintf(stderr, "scrivane: %s\n", text.GetString());
    return false;
}

// A missing input or a folder given as the input is said before the job; the input is
// not opened here, since a FIFO must be opened once only (by the worker, which
// reports what goes wrong then).
bool CheckInput(const CString& path)
{
    DWORD attributes = GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        LONG error = static_cast<LONG>(GetLastError());
        if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND) return true;
        return Refuse(CFileException(CFileException::fileNotFound, error, path).GetErrorMessage());
    }
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return Refuse(path + " is a directory, not a text file");
    return true;
}

bool CheckOutputFolder(const CString& folder)
{
    CString path = folder;
    if (path.GetLength() > 1 && path.Right(1) == "/") path = path.Left(path.GetLength() - 1);
    DWORD attributes = GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        auto error = static_cast<LONG>(GetLastError());
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
            return Refuse("the output folder " + path + " does not exist");
        return Refuse("the output folder " + path +
                      " cannot be used: " + CString(zelm::platform::ErrorText(static_cast<DWORD>(error)).c_str()));
    }
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) return Refuse("the output folder " + path + " is not a folder");
    return true;
}

// fontconfig always finds some font: say which one stands in for a family that is not
// installed. The job goes on with it.
void WarnAboutReplacedFamily(const LOGFONT& font)
{
    std::string family(font.lfFaceName, strnlen(font.lfFaceName, sizeof font.lfFaceName));
    if (family.empty() || zelm::platform::FontFamilyExists(family.c_str())) return;
    std::string used = zelm::platform::MatchedFontFamily(family.c_str());
    std::fprintf(stderr, "scrivane: warning: the font family \"%s\" is not installed; using \"%s\" instead\n",
                 family.c_str(), used.empty() ? "no font" : used.c_str());
}

void PrintSummary(int pages, const CString& folder, bool failed, bool stopped)
{
    CString files = CWorkThread::FileNameForIndex(0);
    if (pages > 1) files += " to " + CWorkThread::FileNameForIndex(pages - 1);
    const char* noun = pages == 1 ? "page" : "pages";
    if (stopped && pages == 0)
        std::printf("Stopped before any page was written; output folder %s\n", folder.GetString());
    else if (stopped)
        std::printf("Stopped: %d %s written to %s: %s\n", pages, noun, folder.GetString(), files.GetString());
    else if (pages == 0 && failed)
        std::printf("No pages written to %s\n", folder.GetString());
    else if (pages == 0)
        std::printf("No pages written (the text is empty); output folder %s\n", folder.GetString());
    else
        std::printf("%d %s written to %s: %s\n", pages, noun, folder.GetString(), files.GetString());
}

// The job as the options and the stored settings describe it, checked before it starts.
struct BatchJob {
    WorkParams params;
    int exitCode = kExitDone;
};

BatchJob DescribeJob(const BatchOptions& options)
{
    BatchJob job;
    LOGFONT storedFont{};
    ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof storedFont, &storedFont);
    UINT storedDelSize = static_cast<UINT>(options.delSize);
    LoadStoredSettings(storedFont, storedDelSize, false);
    WorkParams& params = job.params;
    params.strInputFile = InputPathFor(options);
    params.logFont = FontFor(options, storedFont);
    params.strOutputFolder = OutputFolderFor(options);
    params.nDelSize = options.delSizeGiven || storedDelSize > 30 ? options.delSize : static_cast<int>(storedDelSize);
    params.encoding = options.encoding;

    CString unfit = DescribeUnfitLinePitch(params.logFont, params.nDelSize);
    if (!unfit.IsEmpty()) {
        Refuse("no pages can be made: " + unfit);
        job.exitCode = kExitUsage;
    } else if (!CheckInput(params.strInputFile) || !CheckOutputFolder(params.strOutputFolder)) {
        job.exitCode = kExitFailed;
    } else {
        WarnAboutReplacedFamily(params.logFont);
    }
    return job;
}

}  // namespace

int RunBatch(const BatchOptions& options)
{
    BatchJob job = DescribeJob(options);
    if (job.exitCode != kExitDone) return job.exitCode;
    WorkParams& params = job.params;

    bool failed = false;
    CBatchWnd window(!options.quiet && StderrIsTerminal());
    auto previousHandler = zelm::framework::SetMessageBoxHandler([&failed, &window](const auto& request) {
        window.ShowError(request.text);
        failed = true;
        return zelm::framework::DefaultMessageBoxAnswer(request.type);
    });
    g_stopEvent = kNoStop;
    SetConsoleCtrlHandler(OnStopSignal, TRUE);

    window.CreateMessageOnlyWindow();
    HDC screen = ::GetDC(nullptr);
    CDC screenDC;
    screenDC.Attach(screen);

    auto* worker = static_cast<CWorkThread*>(
        AfxBeginThread(RUNTIME_CLASS(CWorkThread), THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED));
    window.m_pWorkThread = worker;
    params.hNotifyWnd = window.GetSafeHwnd();
    params.pScreenDC = &screenDC;
    worker->StartJob(params);

    constexpr UINT_PTR kStopTimer = 1;
    window.SetTimer(kStopTimer, 20);
    window.RunModalLoop();
    window.KillTimer(kStopTimer);
    zelm::framework::WaitForFrameworkThreads();

    screenDC.Detach();
    ::ReleaseDC(nullptr, screen);
    SetConsoleCtrlHandler(OnStopSignal, FALSE);
    zelm::framework::SetMessageBoxHandler(previousHandler);

    const DWORD stopEvent = window.m_dwStopEvent;
    PrintSummary(window.m_nPagesWritten, params.strOutputFolder, failed, stopEvent != kNoStop);
    if (stopEvent != kNoStop) return ExitCodeForStop(stopEvent);
    return failed ? kExitFailed : kExitDone;
}

#include "JobRunner.h"

#include <QEventLoop>
#include <cstring>
#include <fstream>
#include <iterator>

#include "framework/ui/MessageBox.h"
#include <zelmtools/framework/windows/CWnd.h>

namespace {

class CNotifyWnd : public CWnd {
public:
    CNotifyWnd(JobResult& result, const JobSettings& settings, QEventLoop& loop)
        : m_result(result), m_settings(settings), m_loop(loop)
    {
    }
    CWorkThread* m_pWorkThread = nullptr;

protected:
    LRESULT OnWorkNotify(WPARAM wParam, LPARAM lParam)
    {
        if (wParam != 0) {
            m_result.progress.push_back(*reinterpret_cast<const int*>(wParam));
            ++m_result.progressAfterLastMessage;
            m_result.pagesWritten = m_pWorkThread->GetPagesWritten();
            if (m_settings.onProgress) m_settings.onProgress(*m_pWorkThread);
        } else if (lParam == 1) {
            ++m_result.endNotifications;
            m_pWorkThread = nullptr;
            m_loop.quit();
        }
        return 1;
    }
    DECLARE_MESSAGE_MAP()

private:
    JobResult& m_result;
    const JobSettings& m_settings;
    QEventLoop& m_loop;
};

BEGIN_MESSAGE_MAP(CNotifyWnd, CWnd)
ON_MESSAGE(WM_WORK_NOTIFY, OnWorkNotify)
END_MESSAGE_MAP()

}  // namespace

LOGFONT JobSettings::DefaultTestFont()
{
    LOGFONT font{};
    font.lfHeight = -12;
    font.lfWeight = FW_NORMAL;
    std::strcpy(font.lfFaceName, "DejaVu Sans");
    return font;
}

JobResult RunRenderJob(const std::string& inputPath, const std::string& outputFolder, const JobSettings& settings)
{
    JobResult result;
    auto previous = zelm::framework::SetMessageBoxHandler([&result](const auto& request) {
        result.messages.emplace_back(request.text);
        result.progressAfterLastMessage = 0;
        return IDOK;
    });
    QEventLoop loop;
    CNotifyWnd window(result, settings, loop);
    window.CreateMessageOnlyWindow();
    CDC screen;
    screen.Attach(::GetDC(nullptr));

    auto* worker = static_cast<CWorkThread*>(
        AfxBeginThread(RUNTIME_CLASS(CWorkThread), THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED));
    window.m_pWorkThread = worker;
    WorkParams params;
    params.strInputFile = inputPath.c_str();
    params.hNotifyWnd = window.GetSafeHwnd();
    params.logFont = settings.font;
    params.pScreenDC = &screen;
    params.strOutputFolder = outputFolder.c_str();
    params.nDelSize = settings.delSize;
    params.encoding = settings.encoding;
    worker->StartJob(params);
    loop.exec();
    zelm::framework::WaitForFrameworkThreads();

    ::ReleaseDC(nullptr, screen.Detach());
    zelm::framework::SetMessageBoxHandler(previous);
    return result;
}

void WriteFile(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

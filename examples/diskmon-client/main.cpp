// Watches the drive of a data folder: every check prints the drive's free space and
// whether the folder's need still fits, and a line of its own when the drive runs short.
//
//   diskmon-client [FOLDER] [--need BYTES] [--interval MS] [--checks N]
//
// FOLDER defaults to ~/.local/share; BYTES to 1 GiB; MS to 10000. With --checks the
// program ends after N checks (exit 0, or 3 when the last one found the drive short).

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include <zelmtools/diskmon/DiskStorageMonitor.h>
#include <zelmtools/framework/app/CWinApp.h>
#include <zelmtools/framework/messages/Messaging.h>

namespace {

struct Settings {
    std::string folder;
    long long need = 1LL << 30;
    unsigned interval = 10000;
    int checks = 0;  // 0: run until killed
};

class CDataFolderItem : public CDiskStorageMonitorItem {
public:
    CDataFolderItem(const Settings& settings)
        : CDiskStorageMonitorItem("data folder", settings.folder.c_str(), Need(settings.need),
                                  DSM_NOTIFY_CHECK | DSM_NOTIFY_LOW),
          m_checksLeft(settings.checks)
    {
    }

    void OnResourceNotify(DWORD dwCode, const CDiskInfoItemList& list) override
    {
        for (POSITION pos = list.GetHeadPosition(); pos != nullptr;) {
            const CDiskInfoItem* drive = list.GetNext(pos);
            const bool shortHere = drive->m_liFreeBytesAvailable.QuadPart < drive->m_liRequired.QuadPart;
            std::printf("%s: %lld bytes free, %lld needed: %s\n", drive->m_strDrive.GetString(),
                        static_cast<long long>(drive->m_liFreeBytesAvailable.QuadPart),
                        static_cast<long long>(drive->m_liRequired.QuadPart), shortHere ? "SHORT" : "enough");
        }
        m_short = (dwCode & DSM_NOTIFY_LOW) != 0;
        if (m_short) std::printf("the drive of the data folder is running short of space\n");
        std::fflush(stdout);
        if (m_checksLeft > 0 && --m_checksLeft == 0) PostQuitMessage(0);
    }

    bool IsShort() const { return m_short; }
    bool Done() const { return m_checksLeft == 0 && m_counted; }

private:
    static LARGE_INTEGER Need(long long bytes)
    {
        LARGE_INTEGER li;
        li.QuadPart = bytes;
        return li;
    }
    int m_checksLeft;
    const bool m_counted = m_checksLeft > 0;
    bool m_short = false;
};

Settings g_settings;

class CDiskMonClientApp : public CWinApp {
public:
    BOOL InitInstance() override
    {
        m_item = new CDataFolderItem(g_settings);
        CDiskStorageMonitor* monitor = CDiskStorageMonitor::GetMonitor();
        monitor->SetInterval(g_settings.interval);
        if (!monitor->EnableMonitoring(TRUE)) {
            std::fprintf(stderr, "diskmon-client: cannot start the monitor\n");
            m_failed = true;
            return FALSE;
        }
        // The first check ran inside EnableMonitoring; the rest come on the timer of
        // this thread's message loop.
        return m_item->Done() ? FALSE : TRUE;
    }

    int ExitInstance() override
    {
        CDiskStorageMonitor::GetMonitor()->EnableMonitoring(FALSE);
        const int code = m_failed ? 1 : m_item && m_item->IsShort() ? 3 : 0;
        delete m_item;
        m_item = nullptr;
        return code;
    }

private:
    CDataFolderItem* m_item = nullptr;
    bool m_failed = false;
};

CDiskMonClientApp theApp;

bool ParseArguments(int argc, char** argv)
{
    const char* home = std::getenv("HOME");
    g_settings.folder = std::string(home ? home : "/") + "/.local/share";
    for (int i = 1; i < argc; ++i) {
        const bool hasValue = i + 1 < argc;
        if (std::strcmp(argv[i], "--need") == 0 && hasValue)
            g_settings.need = std::atoll(argv[++i]);
        else if (std::strcmp(argv[i], "--interval") == 0 && hasValue)
            g_settings.interval = std::atoi(argv[++i]);
        else if (std::strcmp(argv[i], "--checks") == 0 && hasValue)
            g_settings.checks = std::atoi(argv[++i]);
        else if (argv[i][0] != '-')  // absolute: a relative path lies on no drive of its own
            g_settings.folder = std::filesystem::absolute(argv[i]).string();
        else
            return false;
    }
    return g_settings.need >= 0 && g_settings.interval > 0 && g_settings.checks >= 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (!ParseArguments(argc, argv)) {
        std::fprintf(stderr, "usage: diskmon-client [FOLDER] [--need BYTES] [--interval MS] [--checks N]\n");
        return 2;
    }
    // The monitor's window is hidden: without a display the toolkit runs offscreen.
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY")) setenv("QT_QPA_PLATFORM", "offscreen", 0);
    return AfxWinMain(argc, argv);
}

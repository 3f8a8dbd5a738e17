// Ends the process in the ways a client of the disk monitor may, for the exit tests:
//   running-at-exit        monitoring still on when main returns, after the application
//                          object is gone (the static monitor ends after the toolkit)
//   item-outlives-monitor  an item destroyed after the library's monitor has ended
#include <QCoreApplication>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <zelmtools/diskmon/DiskStorageMonitor.h>

namespace {

class PrintingItem : public CDiskStorageMonitorItem {
public:
    PrintingItem() : CDiskStorageMonitorItem("probe", "/", LARGE_INTEGER{}, DSM_NOTIFY_CHECK) {}
    void OnResourceNotify(DWORD, const CDiskInfoItemList&) override { std::puts("checked"); }
};

PrintingItem* g_lateItem = nullptr;

void DestroyLateItem()
{
    delete g_lateItem;
}

// Runs before any library is initialised, so that DestroyLateItem runs after every
// static object of the libraries has been destroyed, the monitor included.
void RegisterLateExit(int, char**, char**)
{
    std::atexit(DestroyLateItem);
}

}  // namespace

__attribute__((section(".preinit_array"), used)) static void (*g_preinit)(int, char**, char**) = RegisterLateExit;

int main(int argc, char** argv)
{
    const bool outlive = argc > 1 && std::strcmp(argv[1], "item-outlives-monitor") == 0;
    {
        QCoreApplication app(argc, argv);
        PrintingItem item;
        if (!CDiskStorageMonitor::GetMonitor()->EnableMonitoring(TRUE)) return 1;
        if (outlive) {
            CDiskStorageMonitor::GetMonitor()->EnableMonitoring(FALSE);
            g_lateItem = new PrintingItem;
        }
    }
    std::fflush(stdout);
    return 0;
}

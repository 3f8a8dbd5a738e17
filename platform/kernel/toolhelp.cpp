#include <dirent.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <mutex>
#include <string>
#include <vector>

#include <zelmtools/platform/base/errors.h>
#include <zelmtools/platform/kernel/toolhelp.h>

#include "platform/base/error_text.h"
#include "platform/kernel/kernel_objects.h"
#include "platform/kernel/proc_text.h"

namespace {

using namespace zelm::platform;

struct ProcessRecord {
    std::uint32_t id;
    ProcStat stat;
    std::string exeName;
};

class ProcessSnapshot : public KernelObject {
public:
    std::vector<ProcessRecord> processes;
    std::mutex lock;
    std::size_t next = 0;
};

std::string ReadText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string ReadLink(const std::string& path)
{
    char buffer[4096];
    ssize_t n = readlink(path.c_str(), buffer, sizeof buffer);
    return n > 0 ? std::string(buffer, static_cast<std::size_t>(n)) : std::string();
}

bool IsProcessId(const char* name, std::uint32_t& id)
{
    if (*name == '\0') return false;
    unsigned long value = 0;
    for (const char* c = name; *c; ++c) {
        if (*c < '0' || *c > '9') return false;
        value = value * 10 + static_cast<unsigned long>(*c - '0');
        if (value > 0xFFFFFFFFul) return false;
    }
    id = static_cast<std::uint32_t>(value);
    return true;
}

// A process that ends while it is read leaves empty texts: it is left out.
bool ReadProcess(std::uint32_t id, ProcessRecord& record)
{
    std::string folder = "/proc/" + std::to_string(id) + "/";
    auto stat = ParseProcStat(ReadText(folder + "stat"));
    if (!stat) return false;
    record.id = id;
    record.stat = *stat;
    record.exeName = ProcessExeName(ReadLink(folder + "exe"), ReadText(folder + "cmdline"), ReadText(folder + "comm"));
    return true;
}

bool ReadProcesses(std::vector<ProcessRecord>& processes)
{
    DIR* proc = opendir("/proc");
    if (proc == nullptr) return false;
    while (dirent* entry = readdir(proc)) {
        ProcessRecord record;
        std::uint32_t id = 0;
        if (IsProcessId(entry->d_name, id) && ReadProcess(id, record)) processes.push_back(std::move(record));
    }
    closedir(proc);
    std::sort(processes.begin(), processes.end(), [](const auto& a, const auto& b) { return a.id < b.id; });
    return true;
}

void FillEntry(const ProcessRecord& record, PROCESSENTRY32& entry)
{
    DWORD size = entry.dwSize;
    entry = PROCESSENTRY32{};
    entry.dwSize = size;
    entry.th32ProcessID = record.id;
    entry.th32ParentProcessID = record.stat.parentId;
    entry.cntThreads = record.stat.threads;
    // Cut on a character boundary, as every fixed text field is.
    std::size_t length = std::min(record.exeName.size(), std::size_t(MAX_PATH - 1));
    while (length > 0 && length < record.exeName.size() && (record.exeName[length] & 0xC0) == 0x80) --length;
    std::memcpy(entry.szExeFile, record.exeName.data(), length);
    entry.szExeFile[length] = '\0';
}

BOOL WalkSnapshot(HANDLE hSnapshot, LPPROCESSENTRY32 lppe, bool first)
{
    auto snapshot = KernelObjectOf<ProcessSnapshot>(hSnapshot);
    if (!snapshot) return FALSE;
    if (lppe == nullptr || lppe->dwSize < sizeof(PROCESSENTRY32)) {
        SetLastError(ERROR_BAD_LENGTH);
        return FALSE;
    }
    std::lock_guard guard(snapshot->lock);
    if (first) snapshot->next = 0;
    if (snapshot->next >= snapshot->processes.size()) {
        SetLastError(ERROR_NO_MORE_FILES);
        return FALSE;
    }
    FillEntry(snapshot->processes[snapshot->next++], *lppe);
    return TRUE;
}

}  // namespace

HANDLE CreateToolhelp32Snapshot(DWORD dwFlags, DWORD /*th32ProcessID*/)
{
    auto snapshot = std::make_shared<ProcessSnapshot>();
    if ((dwFlags & TH32CS_SNAPPROCESS) != 0 && !ReadProcesses(snapshot->processes)) {
        SetLastError(ErrorFromErrno(errno));
        return INVALID_HANDLE_VALUE;
    }
    return AddKernelObject(std::move(snapshot));
}

BOOL Process32First(HANDLE hSnapshot, LPPROCESSENTRY32 lppe)
{
    return WalkSnapshot(hSnapshot, lppe, true);
}

BOOL Process32Next(HANDLE hSnapshot, LPPROCESSENTRY32 lppe)
{
    return WalkSnapshot(hSnapshot, lppe, false);
}

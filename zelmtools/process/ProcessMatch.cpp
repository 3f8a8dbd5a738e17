#include "zelmtools/process/ProcessMatch.h"

#include <string_view>

#include <zelmtools/platform/kernel/toolhelp.h>

#include "platform/kernel/files.h"

namespace zelm::tools {
namespace {

std::string_view TextOf(const CString& s)
{
    return {s.GetString(), static_cast<std::size_t>(s.GetLength())};
}

bool Contains(const CProcessArray& found, const CString& pattern)
{
    for (INT_PTR i = 0; i < found.GetSize(); ++i)
        if (found[i].strProcess == pattern) return true;
    return false;
}

void MatchProcess(const char* exeFile, CProcessArray& list, CProcessArray& found)
{
    CString name(exeFile);
    name.MakeUpper();
    for (INT_PTR i = 0; i < list.GetSize(); ++i) {
        ProcessLookupInfo& entry = list[i];
        if (TextOf(name).find(TextOf(entry.strProcess)) != std::string_view::npos && !Contains(found, entry.strProcess))
            found.Add(entry);
    }
}

}  // namespace

void MatchRunningProcesses(CProcessArray& list, CProcessArray& found)
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry))
        MatchProcess(entry.szExeFile, list, found);
    CloseHandle(snapshot);
}

}  // namespace zelm::tools

#include <zelmtools/process/ProcessLookup.h>

#include "framework/ui/MessageBox.h"
#include "zelmtools/process/ProcessList.h"
#include "zelmtools/process/ProcessMatch.h"

int FindActiveProcessFromFile(CString fileName, CString& message, CString prefix, int showMessage)
{
    CProcessArray list;
    if (!zelm::tools::ReadProcessList(fileName, list)) return -1;
    if (list.IsEmpty()) return 0;
    CProcessArray found;
    zelm::tools::MatchRunningProcesses(list, found);
    if (found.IsEmpty()) return 0;
    for (INT_PTR i = 0; i < found.GetSize(); ++i) {
        message += prefix;
        message += found[i].strMessage;
    }
    if (showMessage != 0) AfxMessageBox(message, 0, 0);
    return static_cast<int>(found.GetSize());
}

int FindActiveProcessFromFile(CString fileName)
{
    CString message;
    return FindActiveProcessFromFile(fileName, message, "\n", 1);
}

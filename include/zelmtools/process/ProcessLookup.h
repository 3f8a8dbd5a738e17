#pragma once
// Which programs of a list file are running now, and their messages.
//
// The list file is text of line pairs: a part of an executable file name (compared
// without regard to case), then the message for that program. It ends at the end of the
// file, at a line without a partner, or at the first pair with an empty line.

#include <zelmtools/framework/collections/CArray.h>
#include <zelmtools/framework/strings/CString.h>
#include <zelmtools/platform/base/export.h>

struct ProcessLookupInfo {
    CString strProcess;  // the pattern, in upper case
    CString strMessage;
};

class ZELM_API CProcessArray : public CArray<ProcessLookupInfo, ProcessLookupInfo&> {
public:
    ~CProcessArray() override;
};

// The number of distinct list entries whose pattern occurs in the executable name of a
// running process (-1 when the list file cannot be opened). For each, in the order
// found, prefix and the entry's message are appended to message (not emptied first);
// with showMessage non-zero and something found, message is shown in a message box.
ZELM_API int FindActiveProcessFromFile(CString fileName, CString& message, CString prefix, int showMessage);
// The same, showing one line per running program, each after a line feed.
ZELM_API int FindActiveProcessFromFile(CString fileName);

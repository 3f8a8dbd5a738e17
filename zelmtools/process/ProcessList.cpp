#include "zelmtools/process/ProcessList.h"

#include <string>

#include "framework/files/CFile.h"

namespace zelm::tools {
namespace {

// The next line without its line end, as a text-mode reader gives it; false at the end.
bool NextLine(std::string_view& text, std::string_view& line)
{
    if (text.empty()) return false;
    auto end = text.find('\n');
    line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    if (end != std::string_view::npos && !line.empty() && line.back() == '\r') line.remove_suffix(1);
    return true;
}

std::string ReadAll(CFile& file)
{
    std::string text;
    char buffer[4096];
    try {
        for (UINT n; (n = file.Read(buffer, sizeof buffer)) > 0;) text.append(buffer, n);
    } catch (CException* e) {
        e->Delete();
    }
    return text;
}

}  // namespace

void ParseProcessList(std::string_view text, CProcessArray& list)
{
    std::string_view pattern, message;
    while (NextLine(text, pattern) && NextLine(text, message)) {
        if (pattern.empty() || message.empty()) return;
        ProcessLookupInfo entry{CString(pattern), CString(message)};
        entry.strProcess.MakeUpper();
        list.Add(entry);
    }
}

bool ReadProcessList(const CString& fileName, CProcessArray& list)
{
    CFile file;
    if (!file.Open(fileName, CFile::modeRead | CFile::shareDenyNone | CFile::typeText)) return false;
    ParseProcessList(ReadAll(file), list);
    file.Abort();
    return true;
}

}  // namespace zelm::tools

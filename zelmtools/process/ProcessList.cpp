#include "zelmtools/process/ProcessList.h"

CProcessArray::~CProcessArray() = default;

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

}  // namespace zelm::tools

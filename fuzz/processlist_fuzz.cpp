// Random texts through the program-list reader and the /proc text readers. List entries
// must be whole, non-empty, upper-case patterns without line ends, never more than the
// line pairs; executable names taken from links and command lines hold no folder.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/kernel/proc_text.h"
#include "zelmtools/process/ProcessList.h"

namespace {

void Check(bool condition)
{
    if (!condition) std::abort();
}

void CheckList(std::string_view text)
{
    CProcessArray list;
    zelm::tools::ParseProcessList(text, list);
    std::size_t lines = 0;
    for (char ch : text) lines += ch == '\n';
    Check(static_cast<std::size_t>(list.GetSize()) <= (lines + 1) / 2);
    for (INT_PTR i = 0; i < list.GetSize(); ++i) {
        std::string pattern(list[i].strProcess), message(list[i].strMessage);
        Check(!list[i].strProcess.IsEmpty() && !list[i].strMessage.IsEmpty());
        Check(pattern.find('\n') == std::string::npos && message.find('\n') == std::string::npos);
        for (char ch : pattern) Check(ch < 'a' || ch > 'z');
    }
}

void CheckProcText(std::string_view text)
{
    (void)zelm::platform::ParseProcStat(text);
    std::string fromLink = zelm::platform::ExeNameFromLink(text);
    std::string fromCmdline = zelm::platform::ExeNameFromCmdline(text);
    Check(fromLink.find('/') == std::string::npos);
    Check(fromCmdline.find_first_of(std::string_view("/ \0", 3)) == std::string::npos);
    (void)zelm::platform::ProcessExeName(text, text, text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string_view text(reinterpret_cast<const char*>(data), size);
    CheckList(text);
    CheckProcText(text);
    return 0;
}

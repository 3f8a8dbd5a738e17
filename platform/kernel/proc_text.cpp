#include "platform/kernel/proc_text.h"

#include <charconv>

namespace zelm::platform {
namespace {

std::string_view FileNameOf(std::string_view path)
{
    auto slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::optional<std::uint32_t> NumberAt(std::string_view fields, int index)
{
    std::size_t start = 0;
    for (int i = 0;; ++i) {
        while (start < fields.size() && fields[start] == ' ') ++start;
        std::size_t end = fields.find(' ', start);
        if (end == std::string_view::npos) end = fields.size();
        if (start >= fields.size()) return std::nullopt;
        if (i == index) {
            std::uint32_t value = 0;
            auto [ptr, ec] = std::from_chars(fields.data() + start, fields.data() + end, value);
            if (ec != std::errc() || ptr != fields.data() + end) return std::nullopt;
            return value;
        }
        start = end;
    }
}

}  // namespace

std::optional<ProcStat> ParseProcStat(std::string_view text)
{
    auto close = text.rfind(')');
    if (close == std::string_view::npos) return std::nullopt;
    std::string_view fields = text.substr(close + 1);
    while (!fields.empty() && (fields.back() == '\n' || fields.back() == ' ')) fields.remove_suffix(1);
    // After the name: state (0), parent (1), ..., thread count (17).
    auto parent = NumberAt(fields, 1);
    auto threads = NumberAt(fields, 17);
    if (!parent || !threads) return std::nullopt;
    return ProcStat{*parent, *threads};
}

std::string ExeNameFromCmdline(std::string_view cmdline)
{
    std::string_view first = cmdline.substr(0, cmdline.find('\0'));
    // Programs that rewrite their arguments ("sshd: user") leave one spaced text.
    first = first.substr(0, first.find(' '));
    return std::string(FileNameOf(first));
}

std::string ExeNameFromLink(std::string_view target)
{
    constexpr std::string_view kDeleted = " (deleted)";
    if (target.size() > kDeleted.size() && target.substr(target.size() - kDeleted.size()) == kDeleted)
        target.remove_suffix(kDeleted.size());
    return std::string(FileNameOf(target));
}

std::string ProcessExeName(std::string_view exeLink, std::string_view cmdline, std::string_view comm)
{
    std::string name = ExeNameFromLink(exeLink);
    if (name.empty()) name = ExeNameFromCmdline(cmdline);
    if (name.empty()) {
        while (!comm.empty() && comm.back() == '\n') comm.remove_suffix(1);
        name = comm;
    }
    return name;
}

}  // namespace zelm::platform

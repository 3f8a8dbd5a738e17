#pragma once
// Reading the kernel's per-process texts under /proc.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zelm::platform {

struct ProcStat {
    std::uint32_t parentId = 0;
    std::uint32_t threads = 0;
};

// The parent and thread count from the text of /proc/PID/stat. The short name in
// parentheses may itself hold spaces and ')', so fields are counted from the last ')'.
std::optional<ProcStat> ParseProcStat(std::string_view text);

// The program's file name (no folder) from the text of /proc/PID/cmdline: the first
// word of its first argument; empty when there is none (kernel threads).
std::string ExeNameFromCmdline(std::string_view cmdline);

// The file name (no folder) of the target of /proc/PID/exe; a deleted file's link
// ends in " (deleted)", which is not part of the name.
std::string ExeNameFromLink(std::string_view target);

// The executable's file name: from the exe link, else the command line, else the short
// name (cut at 15 bytes by the kernel). Empty texts stand for what could not be read.
std::string ProcessExeName(std::string_view exeLink, std::string_view cmdline, std::string_view comm);

}  // namespace zelm::platform

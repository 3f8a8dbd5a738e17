#pragma once
// Where the benchmarks write: a tmpfs folder measures our own work, a disk folder
// what the file system adds.

#include <sys/vfs.h>

#include <filesystem>

namespace bench {

inline bool IsTmpfs(const std::filesystem::path& folder)
{
    constexpr long kTmpfsMagic = 0x01021994;
    struct statfs info {};
    return statfs(folder.c_str(), &info) == 0 && static_cast<long>(info.f_type) == kTmpfsMagic;
}

inline std::filesystem::path DefaultTmpfsFolder()
{
    if (IsTmpfs("/dev/shm")) return "/dev/shm";
    return std::filesystem::temp_directory_path();
}

}  // namespace bench

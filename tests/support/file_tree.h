#pragma once
// Folder trees for copy tests: a tree with files of several sizes and modes, nested
// folders and links (inside the tree, out of it, dangling), and a full comparison of
// two trees (types, bytes, mode bits, modification times of files, link texts).

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

namespace file_tree {

inline void WriteFile(const std::string& path, const std::string& bytes, mode_t mode)
{
    std::ofstream(path, std::ios::binary) << bytes;
    chmod(path.c_str(), mode);
}

inline std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Bytes that differ from position to position, so that a misplaced block shows.
inline std::string Pattern(std::size_t size, unsigned seed)
{
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 131 + seed * 7 + i / 4099) & 0xFF);
    return bytes;
}

inline void MakeTree(const std::string& root)
{
    namespace fs = std::filesystem;
    fs::create_directories(root + "/sub/deeper");
    fs::create_directories(root + "/empty");
    WriteFile(root + "/empty.txt", "", 0644);
    WriteFile(root + "/small.txt", "hello\n", 0600);
    WriteFile(root + "/run.sh", "#!/bin/sh\nexit 0\n", 0755);
    WriteFile(root + "/sub/read-only.bin", Pattern(100000, 1), 0444);
    WriteFile(root + "/sub/deeper/large.bin", Pattern(3 * 1024 * 1024 + 17, 2), 0640);
    WriteFile(root + "/sub/Имя с пробелом.txt", "текст", 0664);
    symlink("../small.txt", (root + "/sub/inside-link").c_str());
    symlink("/etc", (root + "/outside-link").c_str());
    symlink("missing-target", (root + "/dangling-link").c_str());
    chmod((root + "/sub/deeper").c_str(), 0750);
}

inline std::set<std::string> Names(const std::string& folder)
{
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) names.insert(entry.path().filename());
    return names;
}

// The first difference between the two trees, or an empty text.
inline std::string Difference(const std::string& a, const std::string& b)
{
    struct stat sa {
    }, sb{};
    if (lstat(a.c_str(), &sa) != 0 || lstat(b.c_str(), &sb) != 0) return "missing: " + b;
    if ((sa.st_mode & S_IFMT) != (sb.st_mode & S_IFMT)) return "type: " + b;
    if (S_ISLNK(sa.st_mode))
        return std::filesystem::read_symlink(a) == std::filesystem::read_symlink(b) ? "" : "link: " + b;
    if ((sa.st_mode & 07777) != (sb.st_mode & 07777)) return "mode: " + b;
    if (S_ISREG(sa.st_mode)) {
        if (ReadFile(a) != ReadFile(b)) return "bytes: " + b;
        if (sa.st_mtim.tv_sec != sb.st_mtim.tv_sec || sa.st_mtim.tv_nsec != sb.st_mtim.tv_nsec) return "time: " + b;
        return "";
    }
    if (Names(a) != Names(b)) return "entries: " + b;
    for (const std::string& name : Names(a)) {
        std::string difference = Difference(a + "/" + name, b + "/" + name);
        if (!difference.empty()) return difference;
    }
    return "";
}

}  // namespace file_tree

#include "platform/shell/tree_copy.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <random>
#include <vector>

#include <zelmtools/platform/base/errors.h>

#include "platform/base/error_text.h"
#include "platform/shell/file_operation.h"
#include "platform/shell/file_progress.h"

namespace zelm::platform {

namespace {

constexpr std::size_t kChunk = 1 << 20;  // progress moves at least once per MiB

[[noreturn]] void ThrowErrno(int err)
{
    throw CopyFailure{static_cast<int>(static_cast<std::uint32_t>(ErrorFromErrno(err)))};
}

struct FileDescriptor {
    int fd = -1;
    ~FileDescriptor()
    {
        if (fd >= 0) close(fd);
    }
};

std::vector<std::string> EntryNames(const std::string& folder)
{
    DIR* dir = opendir(folder.c_str());
    if (dir == nullptr) ThrowErrno(errno);
    std::vector<std::string> names;
    errno = 0;
    while (dirent* entry = readdir(dir)) {
        std::string name = entry->d_name;
        if (name != "." && name != "..") names.push_back(std::move(name));
    }
    int err = errno;
    closedir(dir);
    if (err != 0) ThrowErrno(err);
    return names;
}

std::string FolderOf(const std::string& path)
{
    std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path)
{
    std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A hidden name beside the target that nothing else uses.
std::string TemporaryNameFor(const std::string& target)
{
    static thread_local std::mt19937_64 random{std::random_device{}()};
    char suffix[20];
    std::snprintf(suffix, sizeof suffix, "%012llx", static_cast<unsigned long long>(random() & 0xFFFFFFFFFFFFull));
    return FolderOf(target) + "/." + NameOf(target) + ".zelmcopy-" + suffix;
}

// Removes the temporary file unless it was given its real name.
struct TemporaryFile {
    std::string path;
    bool kept = false;
    ~TemporaryFile()
    {
        if (!kept && !path.empty()) unlink(path.c_str());
    }
};

}  // namespace

std::uint64_t CopyWorkOf(const std::string& source)
{
    struct stat info {};
    if (lstat(source.c_str(), &info) != 0) return 1;
    if (S_ISREG(info.st_mode)) return 1 + static_cast<std::uint64_t>(info.st_size);
    if (!S_ISDIR(info.st_mode)) return 1;
    std::uint64_t work = 1;
    try {
        for (const std::string& name : EntryNames(source)) work += CopyWorkOf(source + "/" + name);
    } catch (const CopyFailure&) {
        // The copy itself meets and reports it.
    }
    return work;
}

TreeCopy::TreeCopy(FileProgress* progress, std::uint64_t totalWork, bool replace)
    : m_progress(progress), m_total(totalWork), m_replace(replace)
{
}

void TreeCopy::Copy(const std::string& source, const std::string& target)
{
    struct stat info {};
    if (lstat(source.c_str(), &info) != 0) ThrowErrno(errno);
    if (S_ISDIR(info.st_mode))
        CopyDirectory(source, target, info.st_mode);
    else if (S_ISREG(info.st_mode))
        CopyFile(source, target);
    else if (S_ISLNK(info.st_mode))
        CopyLink(source, target);
    else
        throw CopyFailure{ERROR_NOT_SUPPORTED};  // devices, FIFOs and sockets have no copy
    Advance(1);
}

// A folder already there takes the copy in (its own mode stays); a new one is made
// writable for the copy and given the source's mode when its contents are in.
void TreeCopy::CopyDirectory(const std::string& source, const std::string& target, mode_t mode)
{
    bool made = mkdir(target.c_str(), 0700) == 0;
    if (!made) {
        int err = errno;
        struct stat existing {};
        if (err != EEXIST || stat(target.c_str(), &existing) != 0) ThrowErrno(err);
        if (!S_ISDIR(existing.st_mode)) throw CopyFailure{ERROR_ALREADY_EXISTS};
    }
    for (const std::string& name : EntryNames(source)) Copy(source + "/" + name, target + "/" + name);
    if (made && chmod(target.c_str(), mode & 07777) != 0) ThrowErrno(errno);
}

void TreeCopy::CopyFile(const std::string& source, const std::string& target)
{
    MakeRoomFor(target);
    FileDescriptor in{open(source.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC)};
    struct stat info {};
    if (in.fd < 0 || fstat(in.fd, &info) != 0) ThrowErrno(errno);
    TemporaryFile temporary;
    FileDescriptor out;
    for (int attempt = 0; out.fd < 0; ++attempt) {
        temporary.path = TemporaryNameFor(target);
        out.fd = open(temporary.path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (out.fd < 0 && (errno != EEXIST || attempt > 100)) {
            int err = errno;
            temporary.path.clear();
            ThrowErrno(err);
        }
    }
    CopyBytes(in.fd, out.fd);
    const timespec times[2] = {info.st_atim, info.st_mtim};
    if (fchmod(out.fd, info.st_mode & 07777) != 0 || futimens(out.fd, times) != 0) ThrowErrno(errno);
    int closed = close(out.fd);
    out.fd = -1;
    if (closed != 0 || rename(temporary.path.c_str(), target.c_str()) != 0) ThrowErrno(errno);
    temporary.kept = true;
}

// The link's own text, never what it points to: a link out of the tree stays one.
void TreeCopy::CopyLink(const std::string& source, const std::string& target)
{
    MakeRoomFor(target);
    std::string text(256, '\0');
    for (;;) {
        ssize_t length = readlink(source.c_str(), text.data(), text.size());
        if (length < 0) ThrowErrno(errno);
        if (static_cast<std::size_t>(length) < text.size()) {
            text.resize(static_cast<std::size_t>(length));
            break;
        }
        text.resize(text.size() * 2);
    }
    TemporaryFile temporary;
    for (int attempt = 0;; ++attempt) {
        temporary.path = TemporaryNameFor(target);
        if (symlink(text.c_str(), temporary.path.c_str()) == 0) break;
        if (errno != EEXIST || attempt > 100) {
            int err = errno;
            temporary.path.clear();
            ThrowErrno(err);
        }
    }
    if (rename(temporary.path.c_str(), target.c_str()) != 0) ThrowErrno(errno);
    temporary.kept = true;
}

void TreeCopy::CopyBytes(int in, int out)
{
    bool kernelCopy = true;
    std::vector<char> buffer;
    for (;;) {
        ssize_t copied = -1;
        if (kernelCopy) {
            copied = copy_file_range(in, nullptr, out, nullptr, kChunk, 0);
            // Some file systems (and pairs of them) cannot: fall back to plain reads.
            if (copied < 0 && (errno == EXDEV || errno == ENOSYS || errno == EOPNOTSUPP || errno == EINVAL)) {
                kernelCopy = false;
                continue;
            }
        } else {
            buffer.resize(kChunk);
            copied = read(in, buffer.data(), buffer.size());
            for (ssize_t written = 0; copied > 0 && written < copied;) {
                ssize_t n = write(out, buffer.data() + written, static_cast<std::size_t>(copied - written));
                if (n < 0 && errno == EINTR) continue;
                if (n < 0) ThrowErrno(errno);
                written += n;
            }
        }
        if (copied < 0 && errno == EINTR) continue;
        if (copied < 0) ThrowErrno(errno);
        if (copied == 0) return;
        Advance(static_cast<std::uint64_t>(copied));
    }
}

// Without leave to replace, nobody can be asked: what is in the way stops the copy.
void TreeCopy::MakeRoomFor(const std::string& target)
{
    struct stat existing {};
    if (!m_replace && lstat(target.c_str(), &existing) == 0) throw CopyFailure{ERROR_FILE_EXISTS};
}

void TreeCopy::Advance(std::uint64_t work)
{
    m_done += work;
    if (m_progress && !m_progress->Advance(m_done, m_total)) throw CopyFailure{ERROR_CANCELLED_BY_USER};
}

}  // namespace zelm::platform

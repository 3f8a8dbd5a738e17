#include "platform/kernel/files.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <mutex>
#include <string>
#include <unordered_set>

#include <zelmtools/platform/base/errors.h>
#include "platform/base/error_text.h"
#include "platform/base/utf8.h"
#include "platform/kernel/kernel_objects.h"

namespace {

// One reserved byte per right: "opened for reading", "opened for writing", "denies
// reading", "denies writing". An opener holds a shared lock on the bytes of the rights
// it has and the denials it makes; a conflicting opener finds those locks. The bytes
// lie near the top of the offset range, where no file has data.
constexpr off_t kShareLockBase = 0x7FFFFFFF00000000LL;
enum ShareToken { kHasRead, kHasWrite, kDeniesRead, kDeniesWrite };

struct FileRecord {
    int fd;
    // For reads that wait (pipes, FIFOs, devices): signalled by CancelIoEx, else -1.
    int cancelFd = -1;
};

// The records whose reads can wait, so that CancelIoEx from another thread never
// touches a record that is being closed.
std::mutex g_waitableLock;
std::unordered_set<FileRecord*> g_waitable;

void AddWaitable(FileRecord* file)
{
    std::lock_guard lock(g_waitableLock);
    g_waitable.insert(file);
}

void RemoveWaitable(FileRecord* file)
{
    std::lock_guard lock(g_waitableLock);
    g_waitable.erase(file);
}

bool SomeoneHolds(int fd, ShareToken token)
{
    struct flock probe {};
    probe.l_type = F_WRLCK;
    probe.l_whence = SEEK_SET;
    probe.l_start = kShareLockBase + token;
    probe.l_len = 1;
    if (fcntl(fd, F_OFD_GETLK, &probe) != 0) return false;  // no locking here: no sharing rules
    return probe.l_type != F_UNLCK;
}

void Hold(int fd, ShareToken token)
{
    struct flock lock {};
    lock.l_type = F_RDLCK;
    lock.l_whence = SEEK_SET;
    lock.l_start = kShareLockBase + token;
    lock.l_len = 1;
    fcntl(fd, F_OFD_SETLK, &lock);
}

// Applies the share rules between this opener and those before it.
bool ClaimShareMode(int fd, DWORD access, DWORD share)
{
    bool read = access & GENERIC_READ;
    bool write = access & GENERIC_WRITE;
    bool denyRead = !(share & FILE_SHARE_READ);
    bool denyWrite = !(share & FILE_SHARE_WRITE);
    if ((read && SomeoneHolds(fd, kDeniesRead)) || (write && SomeoneHolds(fd, kDeniesWrite)) ||
        (denyRead && SomeoneHolds(fd, kHasRead)) || (denyWrite && SomeoneHolds(fd, kHasWrite)))
        return false;
    if (read) Hold(fd, kHasRead);
    if (write) Hold(fd, kHasWrite);
    if (denyRead) Hold(fd, kDeniesRead);
    if (denyWrite) Hold(fd, kDeniesWrite);
    return true;
}

int OpenFlags(DWORD access, DWORD disposition)
{
    // Share locks need a descriptor that can read; writers open read-write for that. A
    // reader opens without blocking, so that a FIFO without a writer cannot hang the open.
    int flags = (access & GENERIC_WRITE) ? O_RDWR : O_RDONLY | O_NONBLOCK;
    switch (disposition) {
    case CREATE_NEW: return flags | O_CREAT | O_EXCL;
    case OPEN_ALWAYS: return flags | O_CREAT;
    default: return flags;  // truncation happens after the share check
    }
}

FileRecord* RecordOf(HANDLE handle)
{
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    return static_cast<FileRecord*>(handle);
}

BOOL FailWithErrno()
{
    SetLastError(zelm::platform::ErrorFromErrno(errno));
    return FALSE;
}

// A regular file reads as usual; anything else keeps its non-blocking descriptor and
// waits in ReadFile, where a cancel can reach it.
FileRecord* MakeRecord(int fd, const struct stat& info, bool known)
{
    auto* file = new FileRecord{fd};
    int flags = fcntl(fd, F_GETFL);
    if (flags < 0 || !(flags & O_NONBLOCK)) return file;
    if (known && S_ISREG(info.st_mode)) {
        fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
        return file;
    }
    file->cancelFd = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (file->cancelFd >= 0) AddWaitable(file);
    return file;
}

// Waits until the descriptor has data or its end, or the read is cancelled (false).
bool WaitReadable(const FileRecord& file)
{
    pollfd waits[2] = {{file.fd, POLLIN, 0}, {file.cancelFd, POLLIN, 0}};
    for (;;) {
        int ready = poll(waits, file.cancelFd >= 0 ? 2 : 1, -1);
        if (ready < 0 && errno == EINTR) continue;
        if (ready < 0) return FailWithErrno();
        if (waits[1].revents & POLLIN) {
            std::uint64_t count = 0;
            [[maybe_unused]] ssize_t drained = read(file.cancelFd, &count, sizeof count);
            SetLastError(ERROR_OPERATION_ABORTED);
            return false;
        }
        return true;
    }
}

// A read of a pipe, FIFO or device: waits before each read, since a FIFO without a
// writer yet reads as empty at once. Fills as much as a blocking read would.
BOOL ReadWaiting(FileRecord& file, char* buffer, DWORD count, DWORD& total)
{
    while (total < count) {
        if (!WaitReadable(file)) return FALSE;
        ssize_t got = read(file.fd, buffer + total, count - total);
        if (got < 0 && (errno == EINTR || errno == EAGAIN)) continue;
        if (got < 0) return FailWithErrno();
        if (got == 0) break;
        total += static_cast<DWORD>(got);
    }
    return TRUE;
}

}  // namespace

HANDLE CreateFileA(LPCSTR lpFileName, DWORD dwDesiredAccess, DWORD dwShareMode, SECURITY_ATTRIBUTES*,
                   DWORD dwCreationDisposition, DWORD, HANDLE)
{
    if (lpFileName == nullptr || *lpFileName == '\0' || dwCreationDisposition < CREATE_NEW ||
        dwCreationDisposition > TRUNCATE_EXISTING) {
        SetLastError(lpFileName && *lpFileName ? ERROR_INVALID_PARAMETER : ERROR_PATH_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    int flags = OpenFlags(dwDesiredAccess, dwCreationDisposition);
    if (dwCreationDisposition == CREATE_ALWAYS) flags |= O_CREAT;
    // A creating open tries for a new file first, so that an existing one is told apart
    // without probing the path beforehand (and a new one needs no look at its state).
    const bool tryNew = (flags & O_CREAT) && !(flags & O_EXCL);
    int fd = tryNew ? open(lpFileName, flags | O_EXCL | O_CLOEXEC, 0666) : -1;
    const bool created = fd >= 0;
    const bool existed = tryNew && !created && errno == EEXIST;
    if (!created && (!tryNew || existed)) fd = open(lpFileName, flags | O_CLOEXEC, 0666);
    if (fd < 0) {
        DWORD error = zelm::platform::ErrorFromErrno(errno);
        // A missing folder on the way is "path not found", as the system reports it.
        if (error == DWORD{ERROR_FILE_NOT_FOUND} && (flags & O_CREAT)) error = ERROR_PATH_NOT_FOUND;
        SetLastError(error);
        return INVALID_HANDLE_VALUE;
    }
    struct stat info {};
    const bool known = created || fstat(fd, &info) == 0;
    if (!created && known && S_ISDIR(info.st_mode)) {
        close(fd);
        SetLastError(ERROR_ACCESS_DENIED);
        return INVALID_HANDLE_VALUE;
    }
    if (!ClaimShareMode(fd, dwDesiredAccess, dwShareMode)) {
        close(fd);
        SetLastError(ERROR_SHARING_VIOLATION);
        return INVALID_HANDLE_VALUE;
    }
    // A new (empty) file needs no truncation.
    const bool truncate = dwCreationDisposition == CREATE_ALWAYS || dwCreationDisposition == TRUNCATE_EXISTING;
    if (truncate && (!known || info.st_size > 0) && ftruncate(fd, 0) != 0) {
        FailWithErrno();
        close(fd);
        return INVALID_HANDLE_VALUE;
    }
    bool reportsExisting = dwCreationDisposition == CREATE_ALWAYS || dwCreationDisposition == OPEN_ALWAYS;
    FileRecord* file = MakeRecord(fd, info, known);
    SetLastError(reportsExisting && existed ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
    return file;
}

BOOL ReadFile(HANDLE hFile, LPVOID lpBuffer, DWORD nNumberOfBytesToRead, LPDWORD lpNumberOfBytesRead, void*)
{
    FileRecord* file = RecordOf(hFile);
    if (lpNumberOfBytesRead) *lpNumberOfBytesRead = 0;
    if (file == nullptr) return FALSE;
    DWORD total = 0;
    if (file->cancelFd >= 0) {
        BOOL ok = ReadWaiting(*file, static_cast<char*>(lpBuffer), nNumberOfBytesToRead, total);
        if (lpNumberOfBytesRead) *lpNumberOfBytesRead = total;
        return ok;
    }
    while (total < nNumberOfBytesToRead) {
        ssize_t got = read(file->fd, static_cast<char*>(lpBuffer) + total, nNumberOfBytesToRead - total);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return FailWithErrno();
        if (got == 0) break;
        total += static_cast<DWORD>(got);
    }
    if (lpNumberOfBytesRead) *lpNumberOfBytesRead = total;
    return TRUE;
}

BOOL WriteFile(HANDLE hFile, LPCVOID lpBuffer, DWORD nNumberOfBytesToWrite, LPDWORD lpNumberOfBytesWritten, void*)
{
    FileRecord* file = RecordOf(hFile);
    if (lpNumberOfBytesWritten) *lpNumberOfBytesWritten = 0;
    if (file == nullptr) return FALSE;
    DWORD total = 0;
    while (total < nNumberOfBytesToWrite) {
        ssize_t put = write(file->fd, static_cast<const char*>(lpBuffer) + total, nNumberOfBytesToWrite - total);
        if (put < 0 && errno == EINTR) continue;
        if (put < 0) {
            if (lpNumberOfBytesWritten) *lpNumberOfBytesWritten = total;
            return FailWithErrno();
        }
        total += static_cast<DWORD>(put);
    }
    if (lpNumberOfBytesWritten) *lpNumberOfBytesWritten = total;
    return TRUE;
}

BOOL GetFileSizeEx(HANDLE hFile, LARGE_INTEGER* lpFileSize)
{
    FileRecord* file = RecordOf(hFile);
    if (file == nullptr) return FALSE;
    struct stat info {};
    if (fstat(file->fd, &info) != 0) return FailWithErrno();
    lpFileSize->QuadPart = info.st_size;
    return TRUE;
}

BOOL SetFilePointerEx(HANDLE hFile, LARGE_INTEGER liDistanceToMove, LARGE_INTEGER* lpNewFilePointer, DWORD dwMoveMethod)
{
    FileRecord* file = RecordOf(hFile);
    if (file == nullptr) return FALSE;
    static const int kWhence[] = {SEEK_SET, SEEK_CUR, SEEK_END};
    if (dwMoveMethod > FILE_END) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    off_t position = lseek(file->fd, liDistanceToMove.QuadPart, kWhence[dwMoveMethod]);
    if (position < 0) return FailWithErrno();
    if (lpNewFilePointer) lpNewFilePointer->QuadPart = position;
    return TRUE;
}

BOOL SetEndOfFile(HANDLE hFile)
{
    FileRecord* file = RecordOf(hFile);
    if (file == nullptr) return FALSE;
    off_t position = lseek(file->fd, 0, SEEK_CUR);
    if (position < 0 || ftruncate(file->fd, position) != 0) return FailWithErrno();
    return TRUE;
}

BOOL FlushFileBuffers(HANDLE hFile)
{
    FileRecord* file = RecordOf(hFile);
    if (file == nullptr) return FALSE;
    if (fsync(file->fd) != 0) return FailWithErrno();
    return TRUE;
}

BOOL CancelIoEx(HANDLE hFile, void*)
{
    FileRecord* file = RecordOf(hFile);
    if (file == nullptr) return FALSE;
    std::lock_guard lock(g_waitableLock);
    if (!g_waitable.contains(file)) {
        SetLastError(ERROR_NOT_FOUND);
        return FALSE;
    }
    std::uint64_t one = 1;
    if (write(file->cancelFd, &one, sizeof one) != sizeof one) return FailWithErrno();
    return TRUE;
}

DWORD GetFileType(HANDLE hFile)
{
    FileRecord* file = RecordOf(hFile);
    struct stat info {};
    if (file == nullptr) return FILE_TYPE_UNKNOWN;
    if (fstat(file->fd, &info) != 0) {
        FailWithErrno();
        return FILE_TYPE_UNKNOWN;
    }
    SetLastError(ERROR_SUCCESS);
    if (S_ISREG(info.st_mode)) return FILE_TYPE_DISK;
    if (S_ISCHR(info.st_mode)) return FILE_TYPE_CHAR;
    if (S_ISFIFO(info.st_mode) || S_ISSOCK(info.st_mode)) return FILE_TYPE_PIPE;
    return FILE_TYPE_UNKNOWN;
}

DWORD GetFileAttributesA(LPCSTR lpFileName)
{
    struct stat info {};
    if (lpFileName == nullptr || *lpFileName == '\0') {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return INVALID_FILE_ATTRIBUTES;
    }
    if (stat(lpFileName, &info) != 0) {
        FailWithErrno();
        return INVALID_FILE_ATTRIBUTES;
    }
    // Read-only is the owner's write bit, the one SetFileAttributesA sets: whether this
    // caller may write (root may write anything) is another question.
    DWORD attributes = S_ISDIR(info.st_mode) ? FILE_ATTRIBUTE_DIRECTORY : DWORD(0);
    if ((info.st_mode & S_IWUSR) == 0) attributes |= FILE_ATTRIBUTE_READONLY;
    return attributes == 0u ? FILE_ATTRIBUTE_NORMAL : attributes;
}

BOOL CloseHandle(HANDLE hObject)
{
    if (zelm::platform::CloseKernelObject(hObject)) return TRUE;
    FileRecord* file = RecordOf(hObject);
    if (file == nullptr) return FALSE;
    if (file->cancelFd >= 0) {
        RemoveWaitable(file);
        close(file->cancelFd);
    }
    int result = close(file->fd);
    delete file;
    if (result != 0) return FailWithErrno();
    return TRUE;
}

BOOL DeleteFileA(LPCSTR lpFileName)
{
    if (lpFileName == nullptr || unlink(lpFileName) != 0) return FailWithErrno();
    return TRUE;
}

DWORD GetTempPathA(DWORD nBufferLength, LPSTR lpBuffer)
{
    const char* env = std::getenv("TMPDIR");
    std::string path = (env && *env) ? env : "/tmp";
    if (path.back() != '/') path += '/';
    if (nBufferLength <= path.size() || lpBuffer == nullptr) return static_cast<DWORD>(path.size() + 1);
    std::memcpy(lpBuffer, path.c_str(), path.size() + 1);
    return static_cast<DWORD>(path.size());
}

namespace {

constexpr std::size_t kTempPrefixBytes = 3;
constexpr UINT kTempNumberCount = 0xFFFF;  // four hex digits, 0 excluded

std::string TempFileName(const std::string& folder, const std::string& prefix, UINT number)
{
    char tail[16];
    std::snprintf(tail, sizeof tail, "%04X.tmp", number & 0xFFFF);
    return folder + prefix + tail;
}

// Where the search for a free number starts: differs between processes and calls, so
// that callers rarely probe the same names.
UINT FirstTempNumber()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    auto mix = static_cast<unsigned long>(now.tv_nsec) ^ (static_cast<unsigned long>(getpid()) * 2654435761UL);
    return static_cast<UINT>(mix % kTempNumberCount) + 1;
}

// Creates the file under the first free number from a varying start; 0 when every
// number is taken or the folder cannot take the file.
UINT CreateUniqueTempFile(const std::string& folder, const std::string& prefix, std::string& name)
{
    UINT number = FirstTempNumber();
    for (UINT tries = 0; tries < kTempNumberCount; ++tries, number = number % kTempNumberCount + 1) {
        name = TempFileName(folder, prefix, number);
        int fd = open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd >= 0) {
            close(fd);
            return number;
        }
        if (errno != EEXIST) {
            SetLastError(errno == ENOENT ? DWORD{ERROR_PATH_NOT_FOUND} : zelm::platform::ErrorFromErrno(errno));
            return 0;
        }
    }
    SetLastError(ERROR_FILE_EXISTS);
    return 0;
}

}  // namespace

UINT GetTempFileNameA(LPCSTR lpPathName, LPCSTR lpPrefixString, UINT uUnique, LPSTR lpTempFileName)
{
    if (lpPathName == nullptr || *lpPathName == '\0' || lpTempFileName == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    std::string folder = lpPathName;
    if (folder.back() != '/') folder += '/';
    const char* prefixText = lpPrefixString ? lpPrefixString : "";
    std::string prefix(prefixText,
                       zelm::platform::Utf8PrefixLength(prefixText, std::strlen(prefixText), kTempPrefixBytes));
    // A prefix must not lead the name out of the folder.
    if (prefix.find('/') != std::string::npos) {
        SetLastError(ERROR_INVALID_NAME);
        return 0;
    }
    if (TempFileName(folder, prefix, 0).size() >= MAX_PATH) {
        SetLastError(ERROR_FILENAME_EXCED_RANGE);
        return 0;
    }
    std::string name;
    UINT number = uUnique;
    if (uUnique != 0)
        name = TempFileName(folder, prefix, uUnique);
    else
        number = CreateUniqueTempFile(folder, prefix, name);
    if (number == 0) return 0;
    std::memcpy(lpTempFileName, name.c_str(), name.size() + 1);
    SetLastError(ERROR_SUCCESS);
    return number;
}

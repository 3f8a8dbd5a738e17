#include <fcntl.h>
#include <sys/uio.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <zelmtools/platform/kernel/memory_probe.h>

namespace {

constexpr std::size_t kChunk = 4096;

// Copies size bytes (at most kChunk) through a pipe: the kernel reads the source and
// answers EFAULT where it cannot, where reading it ourselves would fault.
bool ReadThroughPipe(const void* address, void* out, std::size_t size)
{
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) return false;
    bool ok = write(fds[1], address, size) == static_cast<ssize_t>(size) &&
              read(fds[0], out, size) == static_cast<ssize_t>(size);
    close(fds[0]);
    close(fds[1]);
    return ok;
}

// Copies size bytes (at most kChunk) of this process's memory into out; false when
// any of them is unreadable.
bool ReadOwnMemory(const void* address, void* out, std::size_t size)
{
    iovec local{out, size};
    iovec remote{const_cast<void*>(address), size};
    ssize_t copied = process_vm_readv(getpid(), &local, 1, &remote, 1, 0);
    if (copied >= 0) return static_cast<std::size_t>(copied) == size;
    // Containers may forbid the call; the pipe needs no permission.
    if (errno == ENOSYS || errno == EPERM) return ReadThroughPipe(address, out, size);
    return false;
}

// Bytes from address to the end of its page, at most limit: a chunk never crosses a
// page, so a readable chunk is readable whole.
std::size_t ChunkSize(const void* address, std::size_t limit)
{
    auto start = reinterpret_cast<std::uintptr_t>(address);
    std::size_t toPageEnd = kChunk - start % kChunk;
    return std::min(toPageEnd, limit);
}

// Walks the memory in chunks, giving each copied chunk to visit until it returns
// true (done); false when a chunk cannot be read.
template <typename Visit>
bool Scan(const unsigned char* address, std::size_t size, Visit visit)
{
    unsigned char buffer[kChunk];
    while (size > 0) {
        std::size_t chunk = ChunkSize(address, size);
        if (!ReadOwnMemory(address, buffer, chunk)) return false;
        if (visit(buffer, chunk)) return true;
        address += chunk;
        size -= chunk;
    }
    return true;
}

template <typename Char>
BOOL IsBadString(const Char* text, UINT_PTR maxChars)
{
    if (text == nullptr) return TRUE;
    std::size_t maxBytes = maxChars > SIZE_MAX / sizeof(Char) ? SIZE_MAX : maxChars * sizeof(Char);
    std::size_t offset = 0;  // bytes seen, so characters split across chunks are reassembled
    Char pending{};
    auto findTerminator = [&](const unsigned char* bytes, std::size_t count) {
        for (std::size_t i = 0; i < count; ++i, ++offset) {
            std::memcpy(reinterpret_cast<unsigned char*>(&pending) + offset % sizeof(Char), bytes + i, 1);
            if (offset % sizeof(Char) == sizeof(Char) - 1 && pending == Char{}) return true;
        }
        return false;
    };
    return Scan(reinterpret_cast<const unsigned char*>(text), maxBytes, findTerminator) ? FALSE : TRUE;
}

}  // namespace

BOOL IsBadReadPtr(const void* lp, UINT_PTR ucb)
{
    if (ucb == 0) return FALSE;
    if (lp == nullptr) return TRUE;
    auto start = reinterpret_cast<std::uintptr_t>(lp);
    if (ucb - 1 > UINTPTR_MAX - start) return TRUE;  // wraps around the address space
    return Scan(static_cast<const unsigned char*>(lp), ucb, [](const unsigned char*, std::size_t) { return false; })
               ? FALSE
               : TRUE;
}

BOOL IsBadStringPtrA(LPCSTR lpsz, UINT_PTR ucchMax)
{
    return IsBadString(lpsz, ucchMax);
}

BOOL IsBadStringPtrW(LPCWSTR lpsz, UINT_PTR ucchMax)
{
    return IsBadString(lpsz, ucchMax);
}

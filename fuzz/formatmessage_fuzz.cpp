// Random templates and insert arguments through FormatMessageA. Every argument is a
// valid pointer into an arena mapped where the low 32 bits of its address are small
// (or small negative) numbers, so that any insert may read it as a string, a wide
// string, a number, a width or a precision. The argument array and the va_list must
// give the same text, as must the allocated and the caller's buffers; a too small
// buffer must fail cleanly; a template without '%' must come back unchanged.
#include <sys/mman.h>

#include <cstdarg>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include <zelmtools/platform/base/errors.h>
#include <zelmtools/platform/base/format_message.h>
#include <zelmtools/platform/kernel/local_memory.h>

namespace {

constexpr std::size_t kArenaSize = 1 << 17;
constexpr int kArguments = 101;
constexpr DWORD kBufferSize = 70000;

// The arena whose addresses end in 0x00000000 gives numbers 0 to 128K, the one ending
// in 0xFFFE0000 gives -128K to -1.
char* MapArena(std::uintptr_t address)
{
    void* wanted = reinterpret_cast<void*>(address);
    void* arena =
        mmap(wanted, kArenaSize, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED_NOREPLACE, -1, 0);
    if (arena == MAP_FAILED) arena = std::calloc(1, kArenaSize);  // still valid, only larger numbers
    return static_cast<char*>(arena);
}

char* PositiveArena()
{
    static char* arena = MapArena(0x300000000000);
    return arena;
}
char* NegativeArena()
{
    static char* arena = MapArena(0x3000FFFE0000);
    return arena;
}

DWORD FormatList(DWORD flags, const char* pattern, char* buffer, DWORD size, ...)
{
    va_list list;
    va_start(list, size);
    DWORD length = FormatMessageA(flags, pattern, 0, 0, buffer, size, &list);
    va_end(list);
    return length;
}

DWORD FormatFromList(DWORD flags, const char* pattern, char* buffer, DWORD size, const DWORD_PTR* a)
{
    return FormatList(flags, pattern, buffer, size, a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7], a[8], a[9], a[10],
                      a[11], a[12], a[13], a[14], a[15], a[16], a[17], a[18], a[19], a[20], a[21], a[22], a[23], a[24],
                      a[25], a[26], a[27], a[28], a[29], a[30], a[31], a[32], a[33], a[34], a[35], a[36], a[37], a[38],
                      a[39], a[40], a[41], a[42], a[43], a[44], a[45], a[46], a[47], a[48], a[49], a[50], a[51], a[52],
                      a[53], a[54], a[55], a[56], a[57], a[58], a[59], a[60], a[61], a[62], a[63], a[64], a[65], a[66],
                      a[67], a[68], a[69], a[70], a[71], a[72], a[73], a[74], a[75], a[76], a[77], a[78], a[79], a[80],
                      a[81], a[82], a[83], a[84], a[85], a[86], a[87], a[88], a[89], a[90], a[91], a[92], a[93], a[94],
                      a[95], a[96], a[97], a[98], a[99], a[100]);
}

// Two bytes per argument, cycled over all 101: the arena (high bit) and an even offset.
void MakeArguments(const std::uint8_t* bytes, std::size_t count, DWORD_PTR* arguments)
{
    for (int i = 0; i < kArguments; ++i) {
        std::size_t at = count == 0 ? 0 : (2 * i) % count;
        unsigned value = count == 0 ? 0 : bytes[at] | (at + 1 < count ? bytes[at + 1] << 8 : 0);
        char* arena = (value & 0x8000) ? NegativeArena() : PositiveArena();
        std::size_t offset = (value & 0x7FFF) * 2 % (kArenaSize - 16);
        arguments[i] = reinterpret_cast<DWORD_PTR>(arena + offset);
    }
}

void Check(bool condition)
{
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 20) return 0;
    DWORD flags = FORMAT_MESSAGE_FROM_STRING | (data[0] & 1 ? FORMAT_MESSAGE_IGNORE_INSERTS : DWORD{0});
    flags |= (data[0] & 2) ? DWORD{data[1]} : DWORD{0};  // the line width
    DWORD smallSize = data[2];
    DWORD_PTR arguments[kArguments];
    MakeArguments(data + 3, 16, arguments);

    // The template up to the first terminator; what follows fills both arenas.
    const char* rest = reinterpret_cast<const char*>(data + 19);
    std::size_t restSize = size - 19;
    std::string pattern(rest, strnlen(rest, restSize));
    std::size_t fill = std::min(restSize - pattern.size(), kArenaSize - 16);
    std::memcpy(PositiveArena(), rest + pattern.size(), fill);
    std::memcpy(NegativeArena(), rest + pattern.size(), fill);

    static char buffer[kBufferSize];
    static char other[kBufferSize];
    SetLastError(ERROR_SUCCESS);
    DWORD length = FormatMessageA(flags | FORMAT_MESSAGE_ARGUMENT_ARRAY, pattern.c_str(), 0, 0, buffer, kBufferSize,
                                  reinterpret_cast<va_list*>(arguments));
    DWORD error = GetLastError();
    if (length > 0) Check(std::strlen(buffer) == length && length < 64 * 1024);
    if ((flags & 0xFF) == 0 && pattern.find('%') == std::string::npos)
        Check(length == pattern.size() && pattern == buffer);

    DWORD listLength = FormatFromList(flags, pattern.c_str(), other, kBufferSize, arguments);
    Check(listLength == length && (length == 0 ? GetLastError() == error : std::strcmp(buffer, other) == 0));

    LPSTR allocated = nullptr;
    DWORD allocatedLength =
        FormatMessageA(flags | FORMAT_MESSAGE_ARGUMENT_ARRAY | FORMAT_MESSAGE_ALLOCATE_BUFFER, pattern.c_str(), 0, 0,
                       reinterpret_cast<LPSTR>(&allocated), 0, reinterpret_cast<va_list*>(arguments));
    Check(allocatedLength == length && (length == 0) == (allocated == nullptr));
    if (allocated) Check(std::strcmp(allocated, buffer) == 0);
    LocalFree(allocated);

    DWORD smallLength = FormatMessageA(flags | FORMAT_MESSAGE_ARGUMENT_ARRAY, pattern.c_str(), 0, 0, other, smallSize,
                                       reinterpret_cast<va_list*>(arguments));
    if (length > 0 && length >= smallSize)
        Check(smallLength == 0 && GetLastError() == static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    else
        Check(smallLength == length);

    // Without arguments inserts stay as written; this must never read any.
    FormatMessageA(flags, pattern.c_str(), 0, 0, other, kBufferSize, nullptr);

    std::memset(PositiveArena(), 0, fill);
    std::memset(NegativeArena(), 0, fill);
    return 0;
}

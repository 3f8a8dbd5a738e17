#include "platform/kernel/console.h"

#include <unistd.h>

#include <array>
#include <atomic>
#include <csignal>

#include <zelmtools/platform/base/errors.h>

namespace {

constexpr std::size_t kMaxHandlers = 8;
std::array<std::atomic<PHANDLER_ROUTINE>, kMaxHandlers> g_handlers{};

constexpr int kSignals[] = {SIGINT, SIGHUP, SIGTERM};

DWORD EventOf(int signal)
{
    switch (signal) {
    case SIGHUP: return CTRL_CLOSE_EVENT;
    case SIGTERM: return CTRL_SHUTDOWN_EVENT;
    default: return CTRL_C_EVENT;
    }
}

extern "C" void OnConsoleSignal(int signal)
{
    for (std::size_t i = kMaxHandlers; i-- > 0;)
        if (PHANDLER_ROUTINE handler = g_handlers[i].load(); handler && handler(EventOf(signal))) return;
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

int DescriptorOf(HANDLE handle)
{
    return static_cast<int>(reinterpret_cast<INT_PTR>(handle)) - 1;
}

}  // namespace

// Standard handles are the descriptor plus one, so that none of them is null.
HANDLE GetStdHandle(DWORD nStdHandle)
{
    switch (nStdHandle) {
    case STD_INPUT_HANDLE: return reinterpret_cast<HANDLE>(static_cast<INT_PTR>(STDIN_FILENO + 1));
    case STD_OUTPUT_HANDLE: return reinterpret_cast<HANDLE>(static_cast<INT_PTR>(STDOUT_FILENO + 1));
    case STD_ERROR_HANDLE: return reinterpret_cast<HANDLE>(static_cast<INT_PTR>(STDERR_FILENO + 1));
    default: SetLastError(ERROR_INVALID_PARAMETER); return INVALID_HANDLE_VALUE;
    }
}

BOOL GetConsoleMode(HANDLE hConsoleHandle, LPDWORD lpMode)
{
    const int fd = DescriptorOf(hConsoleHandle);
    if (fd < STDIN_FILENO || fd > STDERR_FILENO || !isatty(fd)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (lpMode) *lpMode = 0;
    return TRUE;
}

BOOL SetConsoleCtrlHandler(PHANDLER_ROUTINE HandlerRoutine, BOOL Add)
{
    if (!HandlerRoutine) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    for (auto& slot : g_handlers) {
        PHANDLER_ROUTINE expected = Add ? nullptr : HandlerRoutine;
        if (slot.compare_exchange_strong(expected, Add ? HandlerRoutine : nullptr)) {
            if (Add)
                for (int signal : kSignals) std::signal(signal, OnConsoleSignal);
            return TRUE;
        }
    }
    SetLastError(Add ? ERROR_NOT_ENOUGH_MEMORY : ERROR_INVALID_PARAMETER);
    return FALSE;
}

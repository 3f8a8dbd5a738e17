#pragma once
// The console: standard handles, whether one is a terminal, and Ctrl+C handlers.

#include <zelmtools/platform/base/export.h>
#include <zelmtools/platform/base/win_types.h>

constexpr DWORD STD_INPUT_HANDLE = static_cast<DWORD>(-10);
constexpr DWORD STD_OUTPUT_HANDLE = static_cast<DWORD>(-11);
constexpr DWORD STD_ERROR_HANDLE = static_cast<DWORD>(-12);
constexpr DWORD CTRL_C_EVENT = 0;         // SIGINT
constexpr DWORD CTRL_CLOSE_EVENT = 2;     // SIGHUP: the terminal went away
constexpr DWORD CTRL_SHUTDOWN_EVENT = 6;  // SIGTERM: asked to end (shutdown, kill)

using PHANDLER_ROUTINE = BOOL (*)(DWORD dwCtrlType);

ZELM_API HANDLE GetStdHandle(DWORD nStdHandle);
// Succeeds only for a handle that is a terminal.
ZELM_API BOOL GetConsoleMode(HANDLE hConsoleHandle, LPDWORD lpMode);
// Ctrl+C (SIGINT), a hang-up (SIGHUP) and a termination request (SIGTERM) call the
// handlers with their event, the last added first, until one returns TRUE; when none
// does, the process ends as it would without handlers. A handler runs in signal
// context: it may only set flags (atomics).
ZELM_API BOOL SetConsoleCtrlHandler(PHANDLER_ROUTINE HandlerRoutine, BOOL Add);

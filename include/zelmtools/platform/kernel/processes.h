#pragma once
// Starting programs and waiting for them.

#include <zelmtools/platform/base/export.h>
#include <zelmtools/platform/base/win_types.h>

constexpr DWORD INFINITE = 0xFFFFFFFF;
constexpr DWORD WAIT_OBJECT_0 = 0;
constexpr DWORD WAIT_TIMEOUT = 258;
constexpr DWORD WAIT_FAILED = 0xFFFFFFFF;
constexpr DWORD STILL_ACTIVE = 259;

struct SECURITY_ATTRIBUTES;

struct STARTUPINFOA {
    DWORD cb;
    LPSTR lpReserved;
    LPSTR lpDesktop;
    LPSTR lpTitle;
    DWORD dwX, dwY, dwXSize, dwYSize, dwXCountChars, dwYCountChars, dwFillAttribute, dwFlags;
    WORD wShowWindow;
    WORD cbReserved2;
    LPBYTE lpReserved2;
    HANDLE hStdInput, hStdOutput, hStdError;
};

struct PROCESS_INFORMATION {
    HANDLE hProcess;
    HANDLE hThread;  // stands for the main thread; only CloseHandle applies to it
    DWORD dwProcessId;
    DWORD dwThreadId;
};

// Starts a program. With lpApplicationName the program is that file and the command
// line gives the arguments (its first word is the program's own name, or, when the
// line starts with a blank, there is no such word and all its words are arguments); without it the
// command line's first word names the program, looked up along PATH. The command line
// is split as SplitCommandLine describes. lpEnvironment, when given, is a block of
// "NAME=value" texts each ending in a zero byte, the block in one more. Window,
// desktop and console flags have no meaning here and are ignored; the child inherits
// the caller's standard handles.
ZELM_API BOOL CreateProcessA(LPCSTR lpApplicationName, LPSTR lpCommandLine, SECURITY_ATTRIBUTES* lpProcessAttributes,
                             SECURITY_ATTRIBUTES* lpThreadAttributes, BOOL bInheritHandles, DWORD dwCreationFlags,
                             LPVOID lpEnvironment, LPCSTR lpCurrentDirectory, STARTUPINFOA* lpStartupInfo,
                             PROCESS_INFORMATION* lpProcessInformation);
// Waits for a process handle's process to end: WAIT_OBJECT_0 when it has ended,
// WAIT_TIMEOUT after dwMilliseconds (INFINITE waits for good), WAIT_FAILED otherwise.
ZELM_API DWORD WaitForSingleObject(HANDLE hHandle, DWORD dwMilliseconds);
// The exit code of an ended process (128 + the signal when a signal ended it), or
// STILL_ACTIVE while it runs.
ZELM_API BOOL GetExitCodeProcess(HANDLE hProcess, LPDWORD lpExitCode);

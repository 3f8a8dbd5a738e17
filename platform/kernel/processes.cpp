#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <mutex>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include <zelmtools/platform/base/errors.h>
#include <zelmtools/platform/kernel/processes.h>

#include "platform/base/error_text.h"
#include "platform/kernel/command_line.h"
#include "platform/kernel/kernel_objects.h"

extern char** environ;

namespace {

using namespace zelm::platform;

int MillisecondsUntil(std::chrono::steady_clock::time_point deadline)
{
    auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    return static_cast<int>(left.count());
}

// A started child. Its pidfd becomes readable when it ends; it is reaped once, by the
// first caller that sees it ended.
class ProcessObject : public KernelObject {
public:
    ProcessObject(pid_t pid, int pidfd) : m_pid(pid), m_pidfd(pidfd) {}
    ~ProcessObject() override
    {
        // A child still running when its last handle goes is left to run, and a waiter
        // of its own reaps it when it ends, so that it leaves no zombie. It waits for
        // that one child only: other children's statuses stay for their own waiters.
        std::lock_guard guard(m_lock);
        close(m_pidfd);
        if (m_ended || waitpid(m_pid, nullptr, WNOHANG) == m_pid) return;
        try {
            std::thread([pid = m_pid] {
                while (waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
                }
            }).detach();
        } catch (const std::system_error&) {
            // No thread to spare: the child stays a zombie until this process ends.
        }
    }

    // Whether the child has ended, waiting at most `milliseconds` (-1: for good).
    bool Wait(int milliseconds)
    {
        auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
        for (;;) {
            if (Reap()) return true;
            // Rounded up: a wait never ends before the time asked for.
            int left = milliseconds < 0 ? -1 : MillisecondsUntil(deadline);
            if (milliseconds >= 0 && left <= 0) return Reap();
            pollfd ready{m_pidfd, POLLIN, 0};
            if (poll(&ready, 1, left) < 0 && errno != EINTR) return false;
        }
    }

    DWORD ExitCode() { return Reap() ? m_exitCode : STILL_ACTIVE; }

private:
    bool Reap()
    {
        std::lock_guard guard(m_lock);
        if (m_ended) return true;
        int status = 0;
        if (waitpid(m_pid, &status, WNOHANG) != m_pid) return false;
        m_ended = true;
        m_exitCode = WIFEXITED(status) ? DWORD(WEXITSTATUS(status)) : DWORD(128 + WTERMSIG(status));
        return true;
    }

    pid_t m_pid;
    int m_pidfd;
    std::mutex m_lock;
    bool m_ended = false;
    DWORD m_exitCode = 0;
};

// Stands for the started process's main thread, for the callers that close it.
class ThreadObject : public KernelObject {};

std::vector<std::string> EnvironmentBlock(const char* block)
{
    std::vector<std::string> variables;
    for (const char* p = block; *p != '\0'; p += variables.back().size() + 1) variables.emplace_back(p);
    return variables;
}

std::vector<char*> Pointers(std::vector<std::string>& texts)
{
    std::vector<char*> pointers;
    for (auto& text : texts) pointers.push_back(text.data());
    pointers.push_back(nullptr);
    return pointers;
}

BOOL Fail(int err)
{
    SetLastError(err == ENOENT ? DWORD(ERROR_FILE_NOT_FOUND) : ErrorFromErrno(err));
    return FALSE;
}

// Spawns the program; 0 or an errno value.
int Spawn(const char* program, bool searchPath, std::vector<std::string>& arguments, const char* environment,
          const char* directory, pid_t& pid)
{
    std::vector<std::string> variables;
    if (environment) variables = EnvironmentBlock(environment);
    std::vector<char*> argv = Pointers(arguments);
    std::vector<char*> envp = Pointers(variables);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (directory) posix_spawn_file_actions_addchdir_np(&actions, directory);
    char** env = environment ? envp.data() : environ;
    int err = searchPath ? posix_spawnp(&pid, program, &actions, nullptr, argv.data(), env)
                         : posix_spawn(&pid, program, &actions, nullptr, argv.data(), env);
    posix_spawn_file_actions_destroy(&actions);
    return err;
}

}  // namespace

BOOL CreateProcessA(LPCSTR lpApplicationName, LPSTR lpCommandLine, SECURITY_ATTRIBUTES*, SECURITY_ATTRIBUTES*, BOOL,
                    DWORD, LPVOID lpEnvironment, LPCSTR lpCurrentDirectory, STARTUPINFOA*,
                    PROCESS_INFORMATION* lpProcessInformation)
{
    std::string line = lpCommandLine ? lpCommandLine : "";
    // A command line that starts with a blank has an empty program word, as the
    // system's programs read it: with an application name, every word is an argument.
    bool noProgramWord = lpApplicationName && !line.empty() && (line[0] == ' ' || line[0] == '\t');
    std::vector<std::string> arguments = SplitCommandLine(noProgramWord ? "\"\"" + line : line);
    if (noProgramWord) arguments[0] = lpApplicationName;
    if (lpApplicationName && arguments.empty()) arguments.emplace_back(lpApplicationName);
    if (arguments.empty() || lpProcessInformation == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    std::string program = lpApplicationName ? lpApplicationName : arguments[0];
    pid_t pid = 0;
    int err = Spawn(program.c_str(), lpApplicationName == nullptr, arguments, static_cast<const char*>(lpEnvironment),
                    lpCurrentDirectory, pid);
    if (err != 0) return Fail(err);
    int pidfd = static_cast<int>(syscall(SYS_pidfd_open, pid, 0));
    if (pidfd < 0) {
        int openErr = errno;
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
        return Fail(openErr);
    }
    lpProcessInformation->hProcess = AddKernelObject(std::make_shared<ProcessObject>(pid, pidfd));
    lpProcessInformation->hThread = AddKernelObject(std::make_shared<ThreadObject>());
    lpProcessInformation->dwProcessId = DWORD(static_cast<std::uint32_t>(pid));
    lpProcessInformation->dwThreadId = DWORD(static_cast<std::uint32_t>(pid));
    return TRUE;
}

DWORD WaitForSingleObject(HANDLE hHandle, DWORD dwMilliseconds)
{
    auto process = KernelObjectOf<ProcessObject>(hHandle);
    if (!process) return WAIT_FAILED;
    // Longer finite waits than poll can take are waits for good in practice (24 days).
    std::uint32_t ms = dwMilliseconds;
    int timeout = dwMilliseconds == INFINITE || ms > 0x7FFFFFFFu ? -1 : static_cast<int>(ms);
    if (process->Wait(timeout)) return WAIT_OBJECT_0;
    return WAIT_TIMEOUT;
}

BOOL GetExitCodeProcess(HANDLE hProcess, LPDWORD lpExitCode)
{
    auto process = KernelObjectOf<ProcessObject>(hProcess);
    if (!process || lpExitCode == nullptr) {
        if (process) SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    *lpExitCode = process->ExitCode();
    return TRUE;
}

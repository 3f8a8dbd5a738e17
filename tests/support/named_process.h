#pragma once
// A real process under a chosen executable name: a copy of the system's sleep program
// (a copy, not a link, since the kernel names a process after the link's target),
// killed and reaped when the test is done.

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "support/temp_dir.h"

class NamedProcess {
public:
    NamedProcess(const TempDir& dir, const std::string& name)
    {
        m_path = dir.file(name);
        if (!std::filesystem::exists(m_path)) std::filesystem::copy_file("/bin/sleep", m_path);
        m_pid = fork();
        if (m_pid == 0) {
            execl(m_path.c_str(), m_path.c_str(), "30", static_cast<char*>(nullptr));
            _exit(127);
        }
        WaitUntilExecuted();
    }
    ~NamedProcess()
    {
        kill(m_pid, SIGKILL);
        waitpid(m_pid, nullptr, 0);
    }
    NamedProcess(const NamedProcess&) = delete;
    NamedProcess& operator=(const NamedProcess&) = delete;

    pid_t pid() const { return m_pid; }

private:
    // Until exec has replaced the forked copy of the test, the process bears the test's name.
    void WaitUntilExecuted() const
    {
        std::string link = "/proc/" + std::to_string(m_pid) + "/exe";
        for (int i = 0; i < 500; ++i) {
            std::error_code error;
            if (std::filesystem::read_symlink(link, error).filename() == std::filesystem::path(m_path).filename())
                return;
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    }

    std::string m_path;
    pid_t m_pid = -1;
};

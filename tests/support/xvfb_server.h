#pragma once
// A private X server for one test: Xvfb with RandR, on a display number it picks
// itself (-displayfd reports it once the server accepts connections), with DISPLAY
// pointing at it for the object's life. The server is ended and reaped afterwards.

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

class XvfbServer {
public:
    // One "-screen" per entry, like "1600x1200x24".
    explicit XvfbServer(const std::vector<std::string>& screens = {"1600x1200x24"})
    {
        if (const char* old = std::getenv("DISPLAY")) m_previous = old;
        int fds[2];
        if (pipe(fds) != 0) return;
        m_pid = fork();
        if (m_pid == 0) {
            close(fds[0]);
            // The server ends with the test, even one that dies without cleaning up.
            prctl(PR_SET_PDEATHSIG, SIGTERM);
            int quiet = open("/dev/null", O_WRONLY);
            dup2(quiet, 1);
            dup2(quiet, 2);
            std::vector<std::string> args{
                "Xvfb", "-displayfd", std::to_string(fds[1]), "-nolisten", "tcp", "+extension", "RANDR", "-noreset"};
            for (std::size_t i = 0; i < screens.size(); ++i) {
                args.insert(args.end(), {"-screen", std::to_string(i), screens[i]});
            }
            std::vector<char*> argv;
            for (auto& arg : args) argv.push_back(arg.data());
            argv.push_back(nullptr);
            execvp("Xvfb", argv.data());
            _exit(127);
        }
        close(fds[1]);
        ReadDisplayNumber(fds[0]);
        close(fds[0]);
        if (!m_display.empty()) setenv("DISPLAY", m_display.c_str(), 1);
    }
    ~XvfbServer()
    {
        if (m_pid > 0) {
            kill(m_pid, SIGTERM);
            waitpid(m_pid, nullptr, 0);
        }
        if (m_previous)
            setenv("DISPLAY", m_previous->c_str(), 1);
        else
            unsetenv("DISPLAY");
    }
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;

    bool ready() const { return !m_display.empty(); }
    const std::string& display() const { return m_display; }

private:
    void ReadDisplayNumber(int fd)
    {
        std::string number;
        pollfd wait{fd, POLLIN, 0};
        while (poll(&wait, 1, 20000) > 0) {
            char c = 0;
            if (read(fd, &c, 1) != 1) break;
            if (c == '\n') {
                m_display = ":" + number;
                return;
            }
            number += c;
        }
    }

    pid_t m_pid = -1;
    std::string m_display;
    std::optional<std::string> m_previous;
};

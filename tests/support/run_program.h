#pragma once
// Runs one of the project's programs as a user would, its output and errors captured.

#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <string>
#include <vector>

struct ToolResult {
    int exitCode;        // 128 + the signal when a signal ended it
    std::string output;  // stdout and stderr together
};

// prepareChild runs in the child before the program starts (to change its environment).
inline ToolResult RunProgram(const char* program, const std::vector<std::string>& args,
                             const std::function<void()>& prepareChild = {})
{
    int fds[2];
    if (pipe(fds) != 0) return {-1, "pipe failed"};
    pid_t child = fork();
    if (child == 0) {
        dup2(fds[1], 1);
        dup2(fds[1], 2);
        close(fds[0]);
        if (prepareChild) prepareChild();
        std::vector<char*> argv{const_cast<char*>(program)};
        for (const auto& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        execv(program, argv.data());
        _exit(127);
    }
    close(fds[1]);
    std::string output;
    char buffer[4096];
    for (ssize_t n; (n = read(fds[0], buffer, sizeof buffer)) > 0;) output.append(buffer, static_cast<std::size_t>(n));
    close(fds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status), output};
}

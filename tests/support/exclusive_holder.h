#pragma once
// Another process that holds a file open for its exclusive use until this object goes:
// share modes must hold between processes, not only between the openers of one.

#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "platform/kernel/files.h"

class ExclusiveHolder {
public:
    // Returns once the child has the file open (or has failed to open it: opened() false).
    explicit ExclusiveHolder(const std::string& path)
    {
        int ready[2];
        int release[2];
        if (pipe(ready) != 0 || pipe(release) != 0) return;
        m_child = fork();
        if (m_child == 0) {
            close(ready[0]);
            close(release[1]);  // so that the parent's close is seen as the end
            HANDLE file = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
            char status = file != INVALID_HANDLE_VALUE ? 'y' : 'n';
            [[maybe_unused]] ssize_t put = write(ready[1], &status, 1);
            char done;
            [[maybe_unused]] ssize_t got = read(release[0], &done, 1);  // until the parent closes its end
            _exit(0);
        }
        close(ready[1]);
        close(release[0]);
        m_release = release[1];
        char status = 'n';
        if (read(ready[0], &status, 1) == 1) m_opened = status == 'y';
        close(ready[0]);
    }
    ~ExclusiveHolder()
    {
        if (m_release >= 0) close(m_release);
        if (m_child > 0) waitpid(m_child, nullptr, 0);
    }
    ExclusiveHolder(const ExclusiveHolder&) = delete;
    ExclusiveHolder& operator=(const ExclusiveHolder&) = delete;

    bool opened() const { return m_opened; }

private:
    pid_t m_child = -1;
    int m_release = -1;
    bool m_opened = false;
};

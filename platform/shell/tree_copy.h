#pragma once
// Copying files, links and folder trees for the shell's copy operation. Failures are
// thrown as CopyFailure and end the copy; whatever was copied whole before stays.

#include <sys/types.h>

#include <cstdint>
#include <string>

#include <zelmtools/platform/base/win_types.h>

namespace zelm::platform {

class FileProgress;

struct CopyFailure {
    int error;  // a system error code or a DE_... result
};

// Bytes of the regular files plus one per entry: what a copy of the tree has to do.
std::uint64_t CopyWorkOf(const std::string& source);

class TreeCopy {
public:
    // progress may be null; replace: whether what is in the way may be replaced.
    TreeCopy(FileProgress* progress, std::uint64_t totalWork, bool replace);

    // Copies the source (lstat'ed, never followed) to exactly that target path.
    void Copy(const std::string& source, const std::string& target);

private:
    void CopyDirectory(const std::string& source, const std::string& target, mode_t mode);
    void CopyFile(const std::string& source, const std::string& target);
    void CopyLink(const std::string& source, const std::string& target);
    void CopyBytes(int in, int out);
    void MakeRoomFor(const std::string& target);
    void Advance(std::uint64_t work);

    FileProgress* m_progress;
    std::uint64_t m_total;
    std::uint64_t m_done = 0;
    bool m_replace;
};

}  // namespace zelm::platform

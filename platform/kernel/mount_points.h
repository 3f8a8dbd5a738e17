#pragma once
// The mount points of the calling process (/proc/self/mountinfo), which stand in for
// drives: the drive of a path is the mount point of the file system that holds it.

#include <string>
#include <vector>

namespace zelm::platform {

// Mount points in the order of mountinfo's lines, escapes (\040 ...) decoded.
std::vector<std::string> ReadMountPoints();
// The mount point whose file system holds the absolute path: the longest one that is
// a leading part of it (whole components), the last line of equally long ones. The
// path is resolved through links first, as far as it exists. "/" when mountinfo
// cannot be read.
std::string MountPointOf(const std::string& absolutePath);

}  // namespace zelm::platform

#include "platform/kernel/mount_points.h"

#include <climits>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace zelm::platform {

namespace {

// mountinfo writes space, tab, newline and backslash as three octal digits.
std::string DecodeMountField(const std::string& field)
{
    std::string out;
    for (std::size_t i = 0; i < field.size(); ++i) {
        const bool octal = field[i] == '\\' && i + 3 < field.size() && field[i + 1] >= '0' && field[i + 1] <= '3' &&
                           field[i + 2] >= '0' && field[i + 2] <= '7' && field[i + 3] >= '0' && field[i + 3] <= '7';
        if (octal) {
            out += static_cast<char>((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 + (field[i + 3] - '0'));
            i += 3;
        } else {
            out += field[i];
        }
    }
    return out;
}

// The path with links resolved, for its longest existing leading part; the rest kept.
std::string ResolveExisting(const std::string& path)
{
    std::string head = path;
    std::string tail;
    while (!head.empty()) {
        char resolved[PATH_MAX];
        if (realpath(head.c_str(), resolved) != nullptr) {
            std::string result = resolved;
            if (!tail.empty()) result += (result == "/" ? "" : "/") + tail;
            return result;
        }
        const std::size_t slash = head.find_last_of('/');
        if (slash == std::string::npos || slash == 0) break;
        tail = head.substr(slash + 1) + (tail.empty() ? "" : "/" + tail);
        head.erase(slash);
    }
    return path;
}

bool IsUnder(const std::string& path, const std::string& mountPoint)
{
    if (mountPoint == "/") return true;
    return path.compare(0, mountPoint.size(), mountPoint) == 0 &&
           (path.size() == mountPoint.size() || path[mountPoint.size()] == '/');
}

}  // namespace

std::vector<std::string> ReadMountPoints()
{
    std::vector<std::string> points;
    std::ifstream in("/proc/self/mountinfo");
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string id, parent, device, root, mountPoint;
        if (fields >> id >> parent >> device >> root >> mountPoint) points.push_back(DecodeMountField(mountPoint));
    }
    return points;
}

std::string MountPointOf(const std::string& absolutePath)
{
    const std::string path = ResolveExisting(absolutePath);
    std::string best = "/";
    bool found = false;
    for (const std::string& point : ReadMountPoints()) {
        if (!IsUnder(path, point)) continue;
        if (!found || point.size() >= best.size()) {
            best = point;
            found = true;
        }
    }
    return best;
}

}  // namespace zelm::platform

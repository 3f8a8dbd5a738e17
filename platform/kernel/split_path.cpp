#include "platform/kernel/split_path.h"

#include <cerrno>
#include <cstring>
#include <string>

#include "platform/kernel/mount_points.h"

namespace {

struct PathParts {
    std::string drive, dir, fname, ext;
};

PathParts Split(const std::string& path)
{
    PathParts parts;
    std::string rest = path;
    if (!path.empty() && path[0] == '/') {
        parts.drive = zelm::platform::MountPointOf(path);
        // The directory continues the drive text when the path spells it out; a path
        // that reaches its file system through a link keeps its whole directory.
        if (path.compare(0, parts.drive.size(), parts.drive) == 0) rest = path.substr(parts.drive.size());
    }
    const std::size_t slash = rest.find_last_of('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    parts.dir = rest.substr(0, nameStart);
    const std::string name = rest.substr(nameStart);
    const std::size_t dot = name.find_last_of('.');
    parts.fname = name.substr(0, dot);
    if (dot != std::string::npos) parts.ext = name.substr(dot);
    return parts;
}

bool Fits(const char* buffer, std::size_t size, const std::string& text)
{
    return buffer == nullptr || text.size() < size;
}

void Put(char* buffer, const std::string& text)
{
    if (buffer != nullptr) std::memcpy(buffer, text.c_str(), text.size() + 1);
}

void Clear(char* buffer, std::size_t size)
{
    if (buffer != nullptr && size > 0) buffer[0] = '\0';
}

}  // namespace

int _splitpath_s(const char* path, char* drive, std::size_t driveSize, char* dir, std::size_t dirSize, char* fname,
                 std::size_t fnameSize, char* ext, std::size_t extSize)
{
    const bool badBuffer = (drive == nullptr) != (driveSize == 0) || (dir == nullptr) != (dirSize == 0) ||
                           (fname == nullptr) != (fnameSize == 0) || (ext == nullptr) != (extSize == 0);
    if (path == nullptr || badBuffer) return EINVAL;
    const PathParts parts = Split(path);
    if (!Fits(drive, driveSize, parts.drive) || !Fits(dir, dirSize, parts.dir) ||
        !Fits(fname, fnameSize, parts.fname) || !Fits(ext, extSize, parts.ext)) {
        Clear(drive, driveSize);
        Clear(dir, dirSize);
        Clear(fname, fnameSize);
        Clear(ext, extSize);
        return ERANGE;
    }
    Put(drive, parts.drive);
    Put(dir, parts.dir);
    Put(fname, parts.fname);
    Put(ext, parts.ext);
    return 0;
}

void _splitpath(const char* path, char* drive, char* dir, char* fname, char* ext)
{
    _splitpath_s(path, drive, drive ? _MAX_DRIVE : 0, dir, dir ? _MAX_DIR : 0, fname, fname ? _MAX_FNAME : 0, ext,
                 ext ? _MAX_EXT : 0);
}

#pragma once
// The C runtime's path splitter. There are no drive letters: the drive part of an
// absolute path is the mount point of the file system that holds it, and empty for a
// relative path, as for a path without a drive. Separators are "/".

#include <cstddef>

#include <zelmtools/platform/base/export.h>

// Buffer sizes that always suffice; a mount point can be as long as a path.
constexpr std::size_t _MAX_DRIVE = 4096;
constexpr std::size_t _MAX_DIR = 4096;
constexpr std::size_t _MAX_FNAME = 256;
constexpr std::size_t _MAX_EXT = 256;

// Splits path into drive (the mount point), directory (up to the last "/", after the
// drive when the path starts with it), file name and extension (from the last "." of
// the last component). Any output may be null. 0, or EINVAL for a null path or a
// missing buffer with a size, or ERANGE when a part does not fit (then every output
// buffer is emptied).
ZELM_API int _splitpath_s(const char* path, char* drive, std::size_t driveSize, char* dir, std::size_t dirSize,
                          char* fname, std::size_t fnameSize, char* ext, std::size_t extSize);
// As _splitpath_s with buffers of _MAX_DRIVE, _MAX_DIR, _MAX_FNAME and _MAX_EXT bytes.
ZELM_API void _splitpath(const char* path, char* drive, char* dir, char* fname, char* ext);

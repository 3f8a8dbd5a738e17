#pragma once
// A post-order walk of a folder tree: the callback sees every entry of a folder before
// the folder itself. Callbacks report failure by throwing; the walk stops there.

#include <zelmtools/framework/strings/CString.h>
#include <zelmtools/platform/base/win_types.h>

namespace zelm::tools {

// Thrown by a deleting callback; holds the last error of the failed call.
class DeleteDirectoryException {
public:
    DeleteDirectoryException();
    DWORD error() const { return m_error; }

private:
    DWORD m_error;
};

// Thrown by the emptiness test at the first entry it meets.
class DirIsNotEmptyException {};

// (path, 1 for a folder else 0, the caller's context).
using DirectoryEntryCallback = void (*)(CString path, int isDirectory, void* context);

// Visits every entry below the folder ("." and ".." skipped, links not followed), then
// the folder itself, exactly as given. A folder that cannot be read has no entries.
void ForEachDirectoryEntry(CString directory, DirectoryEntryCallback callback, void* context);

}  // namespace zelm::tools

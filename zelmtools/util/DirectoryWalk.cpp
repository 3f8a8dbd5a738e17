#include "zelmtools/util/DirectoryWalk.h"

#include <zelmtools/platform/base/errors.h>

#include "framework/files/CFileFind.h"

namespace zelm::tools {

DeleteDirectoryException::DeleteDirectoryException() : m_error(GetLastError()) {}

namespace {

// Exactly one "/" between the folder and the pattern.
CString SearchPattern(const CString& directory)
{
    bool hasSlash = !directory.IsEmpty() && directory[directory.GetLength() - 1] == '/';
    return directory + (hasSlash ? "*.*" : "/*.*");
}

}  // namespace

void ForEachDirectoryEntry(CString directory, DirectoryEntryCallback callback, void* context)
{
    CFileFind finder;
    BOOL more = finder.FindFile(SearchPattern(directory));
    while (more) {
        more = finder.FindNextFile();
        if (finder.IsDots()) continue;
        if (finder.IsDirectory())
            ForEachDirectoryEntry(finder.GetFilePath(), callback, context);
        else
            callback(finder.GetFilePath(), 0, context);
    }
    finder.Close();
    callback(directory, 1, context);
}

}  // namespace zelm::tools

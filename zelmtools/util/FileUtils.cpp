#include <zelmtools/platform/base/errors.h>
#include <zelmtools/util/FileUtils.h>

#include "platform/kernel/directories.h"
#include "platform/kernel/files.h"
#include "platform/kernel/open_file.h"
#include "zelmtools/util/DirectoryWalk.h"

using zelm::tools::DeleteDirectoryException;
using zelm::tools::DirIsNotEmptyException;
using zelm::tools::ForEachDirectoryEntry;

namespace {

// Read-only entries lose the attribute first, so that nothing stops their deletion.
void DeleteEntry(CString path, int isDirectory, void*)
{
    SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
    BOOL deleted = isDirectory ? RemoveDirectoryA(path) : DeleteFileA(path);
    if (!deleted) throw DeleteDirectoryException();
}

// As DeleteEntry, but the folder being emptied (the context) stays.
void DeleteEntryButTop(CString path, int isDirectory, void* context)
{
    if (isDirectory && path == *static_cast<const CString*>(context)) {
        SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
        return;
    }
    DeleteEntry(path, isDirectory, context);
}

void ThrowUnlessTop(CString path, int, void* context)
{
    if (!(path == *static_cast<const CString*>(context))) throw DirIsNotEmptyException();
}

// An empty text would walk the working folder: refused.
bool Refused(const CString& directory)
{
    if (!directory.IsEmpty()) return false;
    SetLastError(ERROR_PATH_NOT_FOUND);
    return true;
}

int DeleteWithWalk(const CString& directory, zelm::tools::DirectoryEntryCallback callback)
{
    if (Refused(directory)) return 0;
    try {
        ForEachDirectoryEntry(directory, callback, const_cast<CString*>(&directory));
    } catch (const DeleteDirectoryException& failure) {
        SetLastError(failure.error());
        return 0;
    }
    return 1;
}

}  // namespace

int IsFileExist(const char* pszPath)
{
    return GetFileAttributesA(pszPath) != INVALID_FILE_ATTRIBUTES ? 1 : 0;
}

int IsFileAccessDenied(const char* pszPath)
{
    OFSTRUCT record{};
    return OpenFile(pszPath, &record, OF_EXIST | OF_SHARE_EXCLUSIVE) == HFILE_ERROR ? 1 : 0;
}

int CompletelyDeleteDirectory(CString strDirectory)
{
    return DeleteWithWalk(strDirectory, DeleteEntry);
}

int DeleteAllDirectoryContents(CString strDirectory)
{
    return DeleteWithWalk(strDirectory, DeleteEntryButTop);
}

int IsDirectoryEmpty(CString strDirectory)
{
    if (Refused(strDirectory)) return 0;
    try {
        ForEachDirectoryEntry(strDirectory, ThrowUnlessTop, &strDirectory);
    } catch (...) {
        return 0;
    }
    return 1;
}

#pragma once
// Shell item lists: how the shell names a folder to its callers. Here every item list
// names a file-system path: one item that holds the absolute UTF-8 path, or no item
// at all for the desktop, which is the file-system root "/". Lists are allocated with
// the task allocator and freed with ILFree or the shell allocator's Free.

#include <zelmtools/platform/base/export.h>
#include <string>

#include "platform/com/task_memory.h"

#pragma pack(push, 1)
struct SHITEMID {
    USHORT cb;  // size of the item with this field; 0 ends the list
    BYTE abID[1];
};
struct ITEMIDLIST {
    SHITEMID mkid;
};
#pragma pack(pop)
using LPITEMIDLIST = ITEMIDLIST*;
using LPCITEMIDLIST = const ITEMIDLIST*;
using PIDLIST_ABSOLUTE = ITEMIDLIST*;
using PCIDLIST_ABSOLUTE = const ITEMIDLIST*;

// A new list for an absolute path; null for a relative, empty or overlong path.
ZELM_API PIDLIST_ABSOLUTE ILCreateFromPathA(LPCSTR pszPath);
#define ILCreateFromPath ILCreateFromPathA
ZELM_API void ILFree(LPITEMIDLIST pidl);
// Bytes of the list with its terminator; 0 for null.
ZELM_API UINT ILGetSize(LPCITEMIDLIST pidl);
// The file-system path into a buffer of MAX_PATH bytes. FALSE (and an empty text)
// when the list names no path or the path does not fit.
ZELM_API BOOL SHGetPathFromIDListA(LPCITEMIDLIST pidl, LPSTR pszPath);
#define SHGetPathFromIDList SHGetPathFromIDListA
// The shell's allocator, the task allocator.
ZELM_API HRESULT SHGetMalloc(LPMALLOC* ppMalloc);

namespace zelm::platform {

// The path the list names, without a length limit; false when it names none.
ZELM_API bool PathFromItemList(LPCITEMIDLIST pidl, std::string& path);

}  // namespace zelm::platform

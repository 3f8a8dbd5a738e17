#include "platform/shell/item_ids.h"

#include <cstring>
#include <limits>

namespace {

// Marks our path items, so that a list of some other making is not read as a path.
constexpr BYTE kPathItemTag[4] = {'z', 'f', 's', 0};
constexpr std::size_t kItemHeader = sizeof(USHORT) + sizeof(kPathItemTag);

const SHITEMID* NextItem(const SHITEMID* item)
{
    return reinterpret_cast<const SHITEMID*>(reinterpret_cast<const BYTE*>(item) + item->cb);
}

USHORT ReadSize(const void* at)
{
    USHORT cb;
    std::memcpy(&cb, at, sizeof cb);
    return cb;
}

}  // namespace

PIDLIST_ABSOLUTE ILCreateFromPathA(LPCSTR pszPath)
{
    if (pszPath == nullptr || pszPath[0] != '/') return nullptr;
    std::string path = pszPath;
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    bool desktop = path == "/";
    std::size_t itemSize = desktop ? 0 : kItemHeader + path.size() + 1;
    if (itemSize > std::numeric_limits<USHORT>::max()) return nullptr;

    auto* bytes = static_cast<BYTE*>(CoTaskMemAlloc(itemSize + sizeof(USHORT)));
    if (bytes == nullptr) return nullptr;
    if (!desktop) {
        auto cb = static_cast<USHORT>(itemSize);
        std::memcpy(bytes, &cb, sizeof cb);
        std::memcpy(bytes + sizeof cb, kPathItemTag, sizeof kPathItemTag);
        std::memcpy(bytes + kItemHeader, path.c_str(), path.size() + 1);
    }
    std::memset(bytes + itemSize, 0, sizeof(USHORT));
    return reinterpret_cast<PIDLIST_ABSOLUTE>(bytes);
}

void ILFree(LPITEMIDLIST pidl)
{
    CoTaskMemFree(pidl);
}

UINT ILGetSize(LPCITEMIDLIST pidl)
{
    if (pidl == nullptr) return 0;
    UINT size = sizeof(USHORT);
    for (const SHITEMID* item = &pidl->mkid; ReadSize(item) != 0; item = NextItem(item)) size += ReadSize(item);
    return size;
}

bool zelm::platform::PathFromItemList(LPCITEMIDLIST pidl, std::string& path)
{
    if (pidl == nullptr) return false;
    const auto* bytes = reinterpret_cast<const BYTE*>(pidl);
    USHORT cb = ReadSize(bytes);
    if (cb == 0) {
        path = "/";
        return true;
    }
    if (cb <= kItemHeader || std::memcmp(bytes + sizeof cb, kPathItemTag, sizeof kPathItemTag) != 0) return false;
    if (ReadSize(bytes + cb) != 0 || bytes[cb - 1] != 0) return false;  // one item, text ended
    path.assign(reinterpret_cast<const char*>(bytes + kItemHeader));
    return true;
}

BOOL SHGetPathFromIDListA(LPCITEMIDLIST pidl, LPSTR pszPath)
{
    if (pszPath == nullptr) return FALSE;
    pszPath[0] = '\0';
    std::string path;
    if (!zelm::platform::PathFromItemList(pidl, path) || path.size() >= MAX_PATH) return FALSE;
    std::memcpy(pszPath, path.c_str(), path.size() + 1);
    return TRUE;
}

HRESULT SHGetMalloc(LPMALLOC* ppMalloc)
{
    return CoGetMalloc(MEMCTX_TASK, ppMalloc);
}

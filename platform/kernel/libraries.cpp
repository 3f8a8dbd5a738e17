#include <dlfcn.h>
#include <link.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <string>

#include <zelmtools/platform/base/errors.h>
#include <zelmtools/platform/kernel/libraries.h>

#include "platform/kernel/module_files.h"
#include "platform/kernel/system_libraries.h"
#include "platform/kernel/system_directory.h"

namespace {

namespace fs = std::filesystem;

bool HoldsRegistrar(const fs::path& folder)
{
    return access((folder / "regsvr32").c_str(), X_OK) == 0;
}

std::string& FolderInsteadOfTheSystems()
{
    static std::string folder;
    return folder;
}

std::string ProgramsFolder()
{
    if (!FolderInsteadOfTheSystems().empty()) return FolderInsteadOfTheSystems();
    static const char kAnchor = 0;
    fs::path module = zelm::platform::FilePathOfModule(&kAnchor, false);
    fs::path folder = module.parent_path();
    if (HoldsRegistrar(folder)) return folder.string();
    fs::path up = folder.parent_path();
    for (int level = 0; level < 2 && !up.empty(); ++level, up = up.parent_path())
        if (HoldsRegistrar(up / "bin")) return (up / "bin").string();
    return fs::path(zelm::platform::FilePathOfModule(nullptr, true)).parent_path().string();
}

// The loader also searches a library's dependencies; a name that the library does not
// define itself (found in libc, or in our platform library) is not one of its entries.
bool DefinedInModule(void* symbol, HMODULE module)
{
    link_map* owner = nullptr;
    link_map* wanted = nullptr;
    Dl_info info{};
    if (dladdr1(symbol, &info, reinterpret_cast<void**>(&owner), RTLD_DL_LINKMAP) == 0) return false;
    if (dlinfo(static_cast<void*>(module), RTLD_DI_LINKMAP, &wanted) != 0) return false;
    return owner == wanted;
}

}  // namespace

void zelm::platform::SetSystemDirectoryForTests(const std::string& folder)
{
    FolderInsteadOfTheSystems() = folder;
}

HMODULE LoadLibraryA(LPCSTR lpLibFileName)
{
    void* library = zelm::platform::SystemLibraryHandle(lpLibFileName, true);
    if (library == nullptr && lpLibFileName != nullptr) library = dlopen(lpLibFileName, RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) SetLastError(ERROR_MOD_NOT_FOUND);
    return static_cast<HMODULE>(library);
}

FARPROC GetProcAddress(HMODULE hModule, LPCSTR lpProcName)
{
    if (hModule == nullptr || lpProcName == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    void* symbol = dlsym(static_cast<void*>(hModule), lpProcName);
    if (symbol == nullptr || !DefinedInModule(symbol, hModule)) {
        SetLastError(ERROR_PROC_NOT_FOUND);
        return nullptr;
    }
    return reinterpret_cast<FARPROC>(symbol);
}

BOOL FreeLibrary(HMODULE hLibModule)
{
    if (hLibModule == nullptr || dlclose(static_cast<void*>(hLibModule)) != 0) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return TRUE;
}

UINT GetSystemDirectoryA(LPSTR lpBuffer, UINT uSize)
{
    std::string folder = ProgramsFolder();
    if (lpBuffer == nullptr || uSize <= folder.size()) return static_cast<UINT>(folder.size() + 1);
    std::memcpy(lpBuffer, folder.c_str(), folder.size() + 1);
    return static_cast<UINT>(folder.size());
}

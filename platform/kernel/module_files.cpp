#include "platform/kernel/module_files.h"

#include <dlfcn.h>
#include <limits.h>
#include <stdlib.h>

#include <cstring>
#include <memory>

#include <zelmtools/platform/base/errors.h>
#include <zelmtools/platform/kernel/version.h>

#include "platform/base/utf8.h"
#include "platform/kernel/resource_modules.h"

namespace zelm::platform {

std::string CanonicalFilePath(const char* path)
{
    if (path == nullptr || *path == '\0') return {};
    std::unique_ptr<char, decltype(&free)> resolved(realpath(path, nullptr), &free);
    return resolved ? std::string(resolved.get()) : std::string();
}

std::string FilePathOfModule(const void* address, bool isExecutable)
{
    if (isExecutable) return CanonicalFilePath("/proc/self/exe");
    Dl_info info{};
    if (address == nullptr || dladdr(address, &info) == 0 || info.dli_fname == nullptr) return {};
    // The main program's objects report the name it was started by, or an empty one.
    if (info.dli_fname[0] == '\0') return CanonicalFilePath("/proc/self/exe");
    return CanonicalFilePath(info.dli_fname);
}

}  // namespace zelm::platform

DWORD GetModuleFileNameA(HMODULE hModule, LPSTR lpFilename, DWORD nSize)
{
    std::string path = hModule == nullptr ? zelm::platform::CanonicalFilePath("/proc/self/exe")
                                          : zelm::platform::ModuleFilePath(hModule);
    if (path.empty()) {
        SetLastError(hModule == nullptr ? ERROR_FILE_NOT_FOUND : ERROR_MOD_NOT_FOUND);
        return 0;
    }
    if (lpFilename == nullptr || nSize == 0) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    std::size_t room = static_cast<std::size_t>(nSize) - 1;
    std::size_t length = zelm::platform::Utf8PrefixLength(path.data(), path.size(), room);
    std::memcpy(lpFilename, path.data(), length);
    lpFilename[length] = '\0';
    if (length < path.size()) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return nSize;
    }
    return static_cast<DWORD>(length);
}

#include "platform/kernel/system_libraries.h"

#include <dlfcn.h>
#include <strings.h>

#include <array>
#include <cstring>
#include <string>

#include "platform/kernel/module_files.h"

namespace zelm::platform {

bool IsSystemLibraryName(const char* name)
{
    static constexpr std::array kNames{"user32", "shell32", "kernel32", "gdi32", "winmm", "advapi32"};
    if (name == nullptr) return false;
    std::size_t length = std::strlen(name);
    if (length > 4 && strcasecmp(name + length - 4, ".dll") == 0) length -= 4;
    for (const char* known : kNames) {
        if (length == std::strlen(known) && strncasecmp(name, known, length) == 0) return true;
    }
    return false;
}

void* OpenPlatformModule()
{
    static const char kAnchor = 0;
    Dl_info info{};
    if (dladdr(&kAnchor, &info) == 0) return nullptr;
    // A program cannot be opened by its path; its handle is the global one.
    std::string path = FilePathOfModule(&kAnchor, false);
    if (path.empty() || path == FilePathOfModule(nullptr, true)) return dlopen(nullptr, RTLD_NOW);
    return dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
}

}  // namespace zelm::platform

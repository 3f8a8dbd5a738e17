#include "platform/kernel/system_libraries.h"

#include <dlfcn.h>
#include <strings.h>

#include <array>
#include <cstring>

namespace zelm::platform {

namespace {

bool IsProvidedHere(const char* name)
{
    static constexpr std::array kNames{"user32", "shell32", "kernel32", "gdi32", "winmm", "advapi32"};
    std::size_t length = std::strlen(name);
    if (length > 4 && strcasecmp(name + length - 4, ".dll") == 0) length -= 4;
    for (const char* known : kNames) {
        if (length == std::strlen(known) && strncasecmp(name, known, length) == 0) return true;
    }
    return false;
}

// This library's own file; when the platform is linked into the program itself (the
// test suites), the program's global scope, where its exported calls are found.
void* OpenSelf()
{
    static const char kAnchor = 0;
    Dl_info info{};
    void* self = nullptr;
    if (dladdr(&kAnchor, &info) != 0 && info.dli_fname != nullptr)
        self = dlopen(info.dli_fname, RTLD_NOW | RTLD_NOLOAD);
    return self != nullptr ? self : dlopen(nullptr, RTLD_NOW);
}

}  // namespace

void* SystemLibraryHandle(const char* name, bool addReference)
{
    if (name == nullptr || !IsProvidedHere(name)) return nullptr;
    if (addReference) return OpenSelf();
    static void* const kSelf = OpenSelf();  // one reference for the process's life
    return kSelf;
}

}  // namespace zelm::platform

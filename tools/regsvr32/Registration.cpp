#include "tools/regsvr32/Registration.h"

#include <dlfcn.h>
#include <sys/stat.h>

#include <cstdio>

#include <zelmtools/platform/com/objbase.h>

namespace regsvr32 {

namespace {

using EntryFunction = HRESULT (*)();

// A bare file name in the current folder is that file, not a search of the library path.
std::string LoadablePath(const std::string& library)
{
    struct stat info {};
    if (library.find('/') == std::string::npos && stat(library.c_str(), &info) == 0) return "./" + library;
    return library;
}

std::string Hex(HRESULT hr)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%08x", static_cast<unsigned>(hr));
    return text;
}

// The library stays loaded until the process ends: what it registered may keep
// pointers into it (atexit handlers, thread-local destructors).
Outcome CallEntry(void* handle, const std::string& library, const char* entryName)
{
    auto entry = reinterpret_cast<EntryFunction>(dlsym(handle, entryName));
    if (entry == nullptr)
        return {kEntryMissing, library + " was loaded, but the " + entryName + " entry point was not found.\n\n" +
                                   "Make sure that " + library + " is a component library, and that it exports " +
                                   entryName + "."};
    HRESULT hr = entry();
    if (FAILED(hr))
        return {kEntryFailed, std::string(entryName) + " in " + library + " failed.\nReturn code was: " + Hex(hr)};
    return {kSucceeded, std::string(entryName) + " in " + library + " succeeded."};
}

}  // namespace

Outcome RunRegistration(const std::string& library, bool unregister)
{
    HRESULT hr = CoInitialize(nullptr);
    if (FAILED(hr)) return {kRuntimeFailed, "The component runtime failed to start.\nReturn code was: " + Hex(hr)};
    Outcome outcome;
    if (void* handle = dlopen(LoadablePath(library).c_str(), RTLD_NOW | RTLD_LOCAL)) {
        outcome = CallEntry(handle, library, unregister ? "DllUnregisterServer" : "DllRegisterServer");
    } else {
        const char* reason = dlerror();
        outcome = {kLoadFailed, "The library \"" + library + "\" failed to load.\n\n" + (reason ? reason : "")};
    }
    CoUninitialize();
    return outcome;
}

}  // namespace regsvr32

#include <zelmtools/platform/kernel/libraries.h>
#include <zelmtools/platform/shell/dll_version.h>
#include <zelmtools/util/FileUtils.h>

unsigned long GetDllVersion(const char* pszLibrary)
{
    HMODULE library = LoadLibraryA(pszLibrary);
    if (library == nullptr) return 0;
    unsigned long version = 0;
    auto getVersion = reinterpret_cast<DLLGETVERSIONPROC>(GetProcAddress(library, "DllGetVersion"));
    if (getVersion != nullptr) {
        DLLVERSIONINFO info{};
        info.cbSize = sizeof(info);
        if (getVersion(&info) >= 0)
            version = (static_cast<unsigned long>(info.dwMajorVersion) & 0xFFFF) << 16 |
                      (static_cast<unsigned long>(info.dwMinorVersion) & 0xFFFF);
    }
    FreeLibrary(library);
    return version;
}

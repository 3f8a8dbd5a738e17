#include "platform/shell/shell_version.h"

#include <atomic>
#include <cstdint>

#include <zelmtools/platform/base/errors.h>
#include <zelmtools/platform/com/unknown.h>
#include <zelmtools/platform/shell/dll_version.h>

namespace {

constexpr std::uint32_t kShellMajor = 6;
constexpr std::uint32_t kShellMinor = 0;

// Major in the high half, minor in the low; 0 when not overridden.
std::atomic<std::uint32_t> g_overriddenVersion{0};

}  // namespace

namespace zelm::platform {

void OverrideShellVersion(DWORD major, DWORD minor)
{
    g_overriddenVersion = (static_cast<std::uint32_t>(major) & 0xFFFF) << 16 | (static_cast<std::uint32_t>(minor) & 0xFFFF);
}

}  // namespace zelm::platform

extern "C" HRESULT DllGetVersion(DLLVERSIONINFO* pdvi)
{
    if (pdvi == nullptr || pdvi->cbSize != sizeof(DLLVERSIONINFO)) return E_INVALIDARG;
    std::uint32_t overridden = g_overriddenVersion;
    pdvi->dwMajorVersion = overridden != 0 ? overridden >> 16 : kShellMajor;
    pdvi->dwMinorVersion = overridden != 0 ? overridden & 0xFFFF : kShellMinor;
    pdvi->dwBuildNumber = 0;
    pdvi->dwPlatformID = DLLVER_PLATFORM_NT;
    return S_OK;
}

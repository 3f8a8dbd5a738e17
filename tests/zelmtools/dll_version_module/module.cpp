// A library that reports version 5.81 through its DllGetVersion entry point.
#include <zelmtools/platform/shell/dll_version.h>

extern "C" __attribute__((visibility("default"))) HRESULT DllGetVersion(DLLVERSIONINFO* pdvi)
{
    if (pdvi == nullptr || pdvi->cbSize != sizeof(DLLVERSIONINFO)) return static_cast<HRESULT>(0x80070057u);
    pdvi->dwMajorVersion = 5;
    pdvi->dwMinorVersion = 81;
    return 0;
}

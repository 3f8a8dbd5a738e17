// The in-process server entry points: the class factory, unloading, and registering
// the library under its class identifier with its own path.
#include <atomic>
#include <new>

#include <zelmtools/errorinfo/ZelmErrorInfo.h>
#include <zelmtools/platform/base/errors.h>
#include <zelmtools/platform/base/export.h>
#include <zelmtools/platform/com/inproc_server.h>
#include <zelmtools/platform/registry/registry.h>

#include "ErrorSink.h"

namespace {

using zelm::errorsink::ErrorSink;

std::atomic<int> g_serverLocks{0};

constexpr const char* kClassKey = "CLSID\\{5B2E7A41-3C9D-4F18-A6E2-0D7C41B95E3A}";

ErrorSink* CreateSink()
{
    return new (std::nothrow) ErrorSink;
}

zelm::platform::CInprocClassFactory<ErrorSink> g_factory(CreateSink, g_serverLocks);

}  // namespace

extern "C" ZELM_API HRESULT DllGetClassObject(REFCLSID rclsid, REFIID riid, void** ppv)
{
    if (ppv == nullptr) return E_POINTER;
    *ppv = nullptr;
    if (rclsid != CLSID_ZelmErrorInfo) return CLASS_E_CLASSNOTAVAILABLE;
    return g_factory.QueryInterface(riid, ppv);
}

extern "C" ZELM_API HRESULT DllCanUnloadNow()
{
    return zelm::errorsink::g_liveObjects == 0 && g_serverLocks == 0 ? S_OK : S_FALSE;
}

extern "C" ZELM_API HRESULT DllRegisterServer()
{
    return zelm::platform::RegisterInprocServer(kClassKey, reinterpret_cast<const void*>(&DllRegisterServer));
}

extern "C" ZELM_API HRESULT DllUnregisterServer()
{
    return zelm::platform::UnregisterInprocServer(kClassKey);
}

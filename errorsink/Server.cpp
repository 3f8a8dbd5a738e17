// The in-process server entry points: the class factory, unloading, and registering
// the library under its class identifier with its own path.
#include <dlfcn.h>

#include <atomic>
#include <string>

#include <zelmtools/errorinfo/ZelmErrorInfo.h>
#include <zelmtools/platform/base/errors.h>
#include <zelmtools/platform/base/export.h>
#include <zelmtools/platform/registry/registry.h>

#include "ErrorSink.h"

namespace {

using zelm::errorsink::ErrorSink;

std::atomic<int> g_serverLocks{0};

constexpr const char* kClassKey = "CLSID\\{5B2E7A41-3C9D-4F18-A6E2-0D7C41B95E3A}";
constexpr const char* kServerKey = "CLSID\\{5B2E7A41-3C9D-4F18-A6E2-0D7C41B95E3A}\\InprocServer32";

class SinkFactory final : public IClassFactory {
public:
    HRESULT QueryInterface(REFIID riid, void** ppv) override
    {
        if (ppv == nullptr) return E_POINTER;
        *ppv = nullptr;
        if (riid != IID_IUnknown && riid != IID_IClassFactory) return E_NOINTERFACE;
        *ppv = static_cast<IClassFactory*>(this);
        return S_OK;
    }
    // One static factory: its references keep nothing alive.
    ULONG AddRef() override { return 2; }
    ULONG Release() override { return 1; }
    HRESULT CreateInstance(IUnknown* outer, REFIID riid, void** ppv) override
    {
        if (ppv == nullptr) return E_POINTER;
        *ppv = nullptr;
        if (outer != nullptr) return CLASS_E_NOAGGREGATION;
        auto* sink = new (std::nothrow) ErrorSink;
        if (sink == nullptr) return E_OUTOFMEMORY;
        HRESULT hr = sink->QueryInterface(riid, ppv);
        sink->Release();
        return hr;
    }
    HRESULT LockServer(BOOL lock) override
    {
        lock ? ++g_serverLocks : --g_serverLocks;
        return S_OK;
    }
};

SinkFactory g_factory;

std::string OwnPath()
{
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&OwnPath), &info) == 0 || info.dli_fname == nullptr) return {};
    char* resolved = realpath(info.dli_fname, nullptr);
    std::string path = resolved ? resolved : info.dli_fname;
    free(resolved);
    return path;
}

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
    std::string path = OwnPath();
    if (path.empty()) return SELFREG_E_CLASS;
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CLASSES_ROOT, kServerKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return SELFREG_E_CLASS;
    LONG error = RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(path.c_str()),
                                static_cast<DWORD>(path.size() + 1));
    RegCloseKey(key);
    return error == ERROR_SUCCESS ? S_OK : SELFREG_E_CLASS;
}

extern "C" ZELM_API HRESULT DllUnregisterServer()
{
    LONG error = RegDeleteKeyA(HKEY_CLASSES_ROOT, kServerKey);
    if (error != ERROR_SUCCESS && error != ERROR_FILE_NOT_FOUND) return SELFREG_E_CLASS;
    error = RegDeleteKeyA(HKEY_CLASSES_ROOT, kClassKey);
    return error == ERROR_SUCCESS || error == ERROR_FILE_NOT_FOUND ? S_OK : SELFREG_E_CLASS;
}

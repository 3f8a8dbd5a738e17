// A small in-process server: registers itself under its class identifier with its
// own path, and serves adder objects. TEST_COMPONENT_REFUSE makes its registration
// entries fail, for the failure path of regsvr32.

#include "TestComponent.h"

#include <dlfcn.h>

#include <atomic>
#include <cstdlib>
#include <string>

#include <zelmtools/platform/base/errors.h>
#include <zelmtools/platform/base/export.h>
#include <zelmtools/platform/registry/registry.h>

namespace {

std::atomic<int> g_liveObjects{0};
std::atomic<int> g_serverLocks{0};

constexpr const char* kClassKey = "CLSID\\{6A1F3C52-8E0B-4D7A-9C21-5B3E7F40D918}";
constexpr HRESULT kRefused = static_cast<HRESULT>(0x80070005u);  // access denied

class Adder final : public ITestAdder {
public:
    Adder() { ++g_liveObjects; }
    HRESULT QueryInterface(REFIID riid, void** ppv) override
    {
        if (ppv == nullptr) return E_POINTER;
        *ppv = nullptr;
        if (riid != IID_IUnknown && riid != IID_ITestAdder) return E_NOINTERFACE;
        *ppv = static_cast<ITestAdder*>(this);
        AddRef();
        return S_OK;
    }
    ULONG AddRef() override { return ++m_references; }
    ULONG Release() override
    {
        ULONG left = --m_references;
        if (left == 0) delete this;
        return left;
    }
    HRESULT Add(int a, int b, int* sum) override
    {
        if (sum == nullptr) return E_POINTER;
        *sum = a + b;
        return S_OK;
    }

private:
    ~Adder() { --g_liveObjects; }
    std::atomic<ULONG> m_references{0};
};

class AdderFactory final : public IClassFactory {
public:
    HRESULT QueryInterface(REFIID riid, void** ppv) override
    {
        if (ppv == nullptr) return E_POINTER;
        *ppv = nullptr;
        if (riid != IID_IUnknown && riid != IID_IClassFactory) return E_NOINTERFACE;
        *ppv = static_cast<IClassFactory*>(this);
        return S_OK;
    }
    // One static factory: counting its references would only keep the library busy.
    ULONG AddRef() override { return 2; }
    ULONG Release() override { return 1; }
    HRESULT CreateInstance(IUnknown* outer, REFIID riid, void** ppv) override
    {
        if (ppv == nullptr) return E_POINTER;
        *ppv = nullptr;
        if (outer != nullptr) return CLASS_E_NOAGGREGATION;
        auto* adder = new Adder;
        adder->AddRef();
        HRESULT hr = adder->QueryInterface(riid, ppv);
        adder->Release();
        return hr;
    }
    HRESULT LockServer(BOOL lock) override
    {
        lock ? ++g_serverLocks : --g_serverLocks;
        return S_OK;
    }
};

AdderFactory g_factory;

std::string OwnPath()
{
    Dl_info info{};
    dladdr(reinterpret_cast<void*>(&OwnPath), &info);
    return info.dli_fname ? info.dli_fname : "";
}

bool Refusing()
{
    return std::getenv("TEST_COMPONENT_REFUSE") != nullptr;
}

}  // namespace

extern "C" ZELM_API HRESULT DllGetClassObject(REFCLSID rclsid, REFIID riid, void** ppv)
{
    if (ppv == nullptr) return E_POINTER;
    *ppv = nullptr;
    if (rclsid != CLSID_TestAdder) return CLASS_E_CLASSNOTAVAILABLE;
    return g_factory.QueryInterface(riid, ppv);
}

extern "C" ZELM_API HRESULT DllCanUnloadNow()
{
    return g_liveObjects == 0 && g_serverLocks == 0 ? S_OK : S_FALSE;
}

extern "C" ZELM_API HRESULT DllRegisterServer()
{
    if (Refusing()) return kRefused;
    std::string path = OwnPath();
    HKEY key = nullptr;
    std::string serverKey = std::string(kClassKey) + "\\InprocServer32";
    if (RegCreateKeyExA(HKEY_CLASSES_ROOT, serverKey.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return SELFREG_E_CLASS;
    LONG error = RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(path.c_str()),
                                static_cast<DWORD>(path.size() + 1));
    RegCloseKey(key);
    return error == ERROR_SUCCESS ? S_OK : SELFREG_E_CLASS;
}

extern "C" ZELM_API HRESULT DllUnregisterServer()
{
    if (Refusing()) return kRefused;
    std::string serverKey = std::string(kClassKey) + "\\InprocServer32";
    LONG error = RegDeleteKeyA(HKEY_CLASSES_ROOT, serverKey.c_str());
    if (error != ERROR_SUCCESS && error != ERROR_FILE_NOT_FOUND) return SELFREG_E_CLASS;
    error = RegDeleteKeyA(HKEY_CLASSES_ROOT, kClassKey);
    return error == ERROR_SUCCESS || error == ERROR_FILE_NOT_FOUND ? S_OK : SELFREG_E_CLASS;
}

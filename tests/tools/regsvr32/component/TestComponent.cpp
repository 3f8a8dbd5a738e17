// A small in-process server: registers itself under its class identifier with its
// own path, and serves adder objects. TEST_COMPONENT_REFUSE makes its registration
// entries fail, for the failure path of regsvr32.

#include "TestComponent.h"

#include <atomic>
#include <cstdlib>

#include <zelmtools/platform/base/errors.h>
#include <zelmtools/platform/base/export.h>
#include <zelmtools/platform/com/inproc_server.h>
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

Adder* CreateAdder()
{
    auto* adder = new Adder;
    adder->AddRef();
    return adder;
}

zelm::platform::CInprocClassFactory<Adder> g_factory(CreateAdder, g_serverLocks);

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
    return zelm::platform::RegisterInprocServer(kClassKey, reinterpret_cast<const void*>(&DllRegisterServer));
}

extern "C" ZELM_API HRESULT DllUnregisterServer()
{
    if (Refusing()) return kRefused;
    return zelm::platform::UnregisterInprocServer(kClassKey);
}

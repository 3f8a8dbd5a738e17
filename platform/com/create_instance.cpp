#include <string>

#include <zelmtools/platform/com/objbase.h>

#include "platform/com/apartment.h"
#include "platform/com/class_registry.h"
#include "platform/com/server_libraries.h"

HRESULT CoGetClassObject(REFCLSID rclsid, DWORD dwClsContext, LPVOID pvReserved, REFIID riid, LPVOID* ppv)
{
    (void)pvReserved;  // the server information of remote activation; nothing is remote here
    if (ppv == nullptr) return E_INVALIDARG;
    *ppv = nullptr;
    if (!zelm::platform::com::IsThreadInitialized()) return CO_E_NOTINITIALIZED;
    if ((dwClsContext & CLSCTX_INPROC_SERVER) == 0) return REGDB_E_CLASSNOTREG;
    std::string path;
    HRESULT hr = zelm::platform::com::FindInprocServer(rclsid, path);
    if (FAILED(hr)) return hr;
    return zelm::platform::com::GetClassObjectFromServer(path, rclsid, riid, ppv);
}

HRESULT CoCreateInstance(REFCLSID rclsid, LPUNKNOWN pUnkOuter, DWORD dwClsContext, REFIID riid, LPVOID* ppv)
{
    if (ppv == nullptr) return E_POINTER;
    *ppv = nullptr;
    IClassFactory* factory = nullptr;
    HRESULT hr = CoGetClassObject(rclsid, dwClsContext, nullptr, IID_IClassFactory, reinterpret_cast<void**>(&factory));
    if (FAILED(hr)) return hr;
    hr = factory->CreateInstance(pUnkOuter, riid, ppv);
    factory->Release();
    if (FAILED(hr)) *ppv = nullptr;
    return hr;
}

void CoFreeUnusedLibraries()
{
    zelm::platform::com::UnloadUnusedServers();
}

#pragma once
// What an in-process server library needs beside its own objects: a class factory for
// one kind of object, and its entries under HKEY_CLASSES_ROOT\CLSID\{...} naming the
// library's own file (what regsvr32 asks of DllRegisterServer and DllUnregisterServer).

#include <dlfcn.h>

#include <atomic>
#include <cstdlib>
#include <string>

#include <zelmtools/platform/base/errors.h>
#include <zelmtools/platform/com/unknown.h>
#include <zelmtools/platform/registry/registry.h>

namespace zelm::platform {

// A static object of the server: its own references keep nothing alive. The creator
// returns a new object holding one reference, or null when memory runs out; locks is
// the server's LockServer count, which DllCanUnloadNow reads.
template <typename Object>
class CInprocClassFactory final : public IClassFactory {
public:
    using Creator = Object* (*)();
    CInprocClassFactory(Creator create, std::atomic<int>& locks) : m_create(create), m_locks(locks) {}

    HRESULT QueryInterface(REFIID riid, void** ppv) override
    {
        if (ppv == nullptr) return E_POINTER;
        *ppv = nullptr;
        if (riid != IID_IUnknown && riid != IID_IClassFactory) return E_NOINTERFACE;
        *ppv = static_cast<IClassFactory*>(this);
        return S_OK;
    }
    ULONG AddRef() override { return 2; }
    ULONG Release() override { return 1; }
    HRESULT CreateInstance(IUnknown* outer, REFIID riid, void** ppv) override
    {
        if (ppv == nullptr) return E_POINTER;
        *ppv = nullptr;
        if (outer != nullptr) return CLASS_E_NOAGGREGATION;
        Object* object = m_create();
        if (object == nullptr) return E_OUTOFMEMORY;
        HRESULT hr = object->QueryInterface(riid, ppv);
        object->Release();
        return hr;
    }
    HRESULT LockServer(BOOL lock) override
    {
        lock ? ++m_locks : --m_locks;
        return S_OK;
    }

private:
    Creator m_create;
    std::atomic<int>& m_locks;
};

// The file of the library that holds addressInLibrary, resolved; empty when unknown.
inline std::string LibraryPathOf(const void* addressInLibrary)
{
    Dl_info info{};
    if (dladdr(addressInLibrary, &info) == 0 || info.dli_fname == nullptr) return {};
    char* resolved = realpath(info.dli_fname, nullptr);
    std::string path = resolved ? resolved : info.dli_fname;
    free(resolved);
    return path;
}

// classKey is "CLSID\{...}": its InprocServer32 default value becomes the library's path.
inline HRESULT RegisterInprocServer(const char* classKey, const void* addressInLibrary)
{
    std::string path = LibraryPathOf(addressInLibrary);
    if (path.empty()) return SELFREG_E_CLASS;
    const std::string serverKey = std::string(classKey) + "\\InprocServer32";
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CLASSES_ROOT, serverKey.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return SELFREG_E_CLASS;
    LONG error = RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(path.c_str()),
                                static_cast<DWORD>(path.size() + 1));
    RegCloseKey(key);
    return error == ERROR_SUCCESS ? S_OK : SELFREG_E_CLASS;
}

// Removes what RegisterInprocServer wrote; entries already gone count as removed.
inline HRESULT UnregisterInprocServer(const char* classKey)
{
    const std::string serverKey = std::string(classKey) + "\\InprocServer32";
    LONG error = RegDeleteKeyA(HKEY_CLASSES_ROOT, serverKey.c_str());
    if (error != ERROR_SUCCESS && error != ERROR_FILE_NOT_FOUND) return SELFREG_E_CLASS;
    error = RegDeleteKeyA(HKEY_CLASSES_ROOT, classKey);
    return error == ERROR_SUCCESS || error == ERROR_FILE_NOT_FOUND ? S_OK : SELFREG_E_CLASS;
}

}  // namespace zelm::platform

#pragma once
// The component-object runtime: per-thread initialisation, class identifiers as text,
// and objects created from in-process servers. A server is a shared library registered
// under HKEY_CLASSES_ROOT\CLSID\{clsid}\InprocServer32, whose default value is the
// library's path; it exports DllGetClassObject and, to be unloadable, DllCanUnloadNow.

#include <zelmtools/platform/base/export.h>
#include <zelmtools/platform/base/win_types.h>
#include <zelmtools/platform/com/bstr.h>
#include <zelmtools/platform/com/unknown.h>

enum COINIT : DWORD::rep_type {
    COINIT_MULTITHREADED = 0x0,
    COINIT_APARTMENTTHREADED = 0x2,
    COINIT_DISABLE_OLE1DDE = 0x4,
    COINIT_SPEED_OVER_MEMORY = 0x8,
};

enum CLSCTX : DWORD::rep_type {
    CLSCTX_INPROC_SERVER = 0x1,
    CLSCTX_INPROC_HANDLER = 0x2,
    CLSCTX_LOCAL_SERVER = 0x4,
    CLSCTX_REMOTE_SERVER = 0x10,
    CLSCTX_INPROC = CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER,
    CLSCTX_ALL = CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER | CLSCTX_REMOTE_SERVER,
};

// Initialisation is counted per thread: the first call answers S_OK, later ones
// S_FALSE, each to be balanced by one CoUninitialize. A later call asking for another
// concurrency model fails with RPC_E_CHANGED_MODE and is not counted. pvReserved must
// be null.
ZELM_API HRESULT CoInitializeEx(LPVOID pvReserved, DWORD dwCoInit);
// CoInitializeEx with COINIT_APARTMENTTHREADED.
ZELM_API HRESULT CoInitialize(LPVOID pvReserved);
// Ends one initialisation of the calling thread; does nothing on a thread that has none.
ZELM_API void CoUninitialize();

// The class factory of a registered in-process server (only CLSCTX_INPROC_SERVER is
// served). CO_E_NOTINITIALIZED on a thread without initialisation,
// REGDB_E_CLASSNOTREG for a class that is not registered, CO_E_DLLNOTFOUND when the
// library does not load, CO_E_ERRORINDLL when it lacks DllGetClassObject.
ZELM_API HRESULT CoGetClassObject(REFCLSID rclsid, DWORD dwClsContext, LPVOID pvReserved, REFIID riid, LPVOID* ppv);
// An object of the class through its factory's CreateInstance; failures as above.
ZELM_API HRESULT CoCreateInstance(REFCLSID rclsid, LPUNKNOWN pUnkOuter, DWORD dwClsContext, REFIID riid, LPVOID* ppv);
// Unloads the servers whose DllCanUnloadNow answers S_OK.
ZELM_API void CoFreeUnusedLibraries();

// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" to an identifier; CO_E_CLASSSTRING when the
// text has another form. A null text gives CLSID_NULL.
ZELM_API HRESULT CLSIDFromString(LPCOLESTR lpsz, LPCLSID pclsid);
ZELM_API HRESULT IIDFromString(LPCOLESTR lpsz, IID* lpiid);
// Writes the braced form and its terminator; returns the characters written (39), or
// 0 when cchMax is too small.
ZELM_API int StringFromGUID2(REFGUID rguid, LPOLESTR lpsz, int cchMax);

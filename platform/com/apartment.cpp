#include "platform/com/apartment.h"

#include <zelmtools/platform/com/objbase.h>

namespace {

struct ThreadInitialization {
    unsigned count = 0;
    bool multithreaded = false;
};

thread_local ThreadInitialization t_initialization;

}  // namespace

namespace zelm::platform::com {

bool IsThreadInitialized()
{
    return t_initialization.count > 0;
}

}  // namespace zelm::platform::com

HRESULT CoInitializeEx(LPVOID pvReserved, DWORD dwCoInit)
{
    if (pvReserved != nullptr) return E_INVALIDARG;
    bool multithreaded = (dwCoInit & COINIT_APARTMENTTHREADED) == 0;
    ThreadInitialization& state = t_initialization;
    if (state.count > 0 && state.multithreaded != multithreaded) return RPC_E_CHANGED_MODE;
    state.multithreaded = multithreaded;
    return state.count++ == 0 ? S_OK : S_FALSE;
}

HRESULT CoInitialize(LPVOID pvReserved)
{
    return CoInitializeEx(pvReserved, COINIT_APARTMENTTHREADED);
}

void CoUninitialize()
{
    if (t_initialization.count > 0) --t_initialization.count;
}

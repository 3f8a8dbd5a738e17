#include "platform/com/server_libraries.h"

#include <dlfcn.h>

#include <map>
#include <mutex>

namespace zelm::platform::com {

namespace {

using GetClassObjectFunction = HRESULT (*)(REFCLSID, REFIID, void**);
using CanUnloadNowFunction = HRESULT (*)();

struct Server {
    void* handle = nullptr;
    GetClassObjectFunction getClassObject = nullptr;
    CanUnloadNowFunction canUnloadNow = nullptr;  // none: the server stays loaded
};

struct Servers {
    // Held while a server answers, so that no other thread unloads it meanwhile;
    // recursive, as a server may create objects of other servers while it answers.
    std::recursive_mutex lock;
    std::map<std::string, Server> byPath;
};

Servers& TheServers()
{
    static Servers* servers = new Servers;  // outlives the statics of servers still loaded
    return *servers;
}

HRESULT Load(const std::string& path, Server& server)
{
    server.handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (server.handle == nullptr) return CO_E_DLLNOTFOUND;
    server.getClassObject = reinterpret_cast<GetClassObjectFunction>(dlsym(server.handle, "DllGetClassObject"));
    server.canUnloadNow = reinterpret_cast<CanUnloadNowFunction>(dlsym(server.handle, "DllCanUnloadNow"));
    if (server.getClassObject == nullptr) {
        dlclose(server.handle);
        return CO_E_ERRORINDLL;
    }
    return S_OK;
}

}  // namespace

HRESULT GetClassObjectFromServer(const std::string& path, REFCLSID clsid, REFIID iid, void** object)
{
    Servers& servers = TheServers();
    std::lock_guard guard(servers.lock);
    auto found = servers.byPath.find(path);
    if (found == servers.byPath.end()) {
        Server server;
        HRESULT hr = Load(path, server);
        if (FAILED(hr)) return hr;
        found = servers.byPath.emplace(path, server).first;
    }
    return found->second.getClassObject(clsid, iid, object);
}

void UnloadUnusedServers()
{
    Servers& servers = TheServers();
    std::lock_guard guard(servers.lock);
    for (auto it = servers.byPath.begin(); it != servers.byPath.end();) {
        const Server& server = it->second;
        if (server.canUnloadNow != nullptr && server.canUnloadNow() == S_OK) {
            dlclose(server.handle);
            it = servers.byPath.erase(it);
        } else {
            ++it;
        }
    }
}

}  // namespace zelm::platform::com

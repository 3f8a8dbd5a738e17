#include <algorithm>
#include <cstring>
#include <mutex>
#include <string>

#include <zelmtools/platform/base/errors.h>

#include "platform/base/utf8.h"
#include "platform/kernel/module_files.h"
#include "platform/kernel/resource_modules.h"
#include "platform/kernel/system_libraries.h"

namespace {

struct Module {
    std::string name;
    bool isExecutable;
    const zelm::platform::ResourceEntry* entries;
    std::size_t count;
    std::string filePath;
};

struct ModuleTable {
    std::mutex lock;
    std::vector<Module*> modules;  // the executable first
};

ModuleTable& Table()
{
    static ModuleTable* table = new ModuleTable;  // outlives every module's unload
    return *table;
}

Module* FindModule(HMODULE handle)
{
    auto& table = Table();
    auto* wanted = reinterpret_cast<Module*>(handle);
    auto it = std::find(table.modules.begin(), table.modules.end(), wanted);
    return it == table.modules.end() ? nullptr : *it;
}

const zelm::platform::ResourceEntry* FindEntry(const Module& module, WORD type, WORD id)
{
    for (std::size_t i = 0; i < module.count; ++i) {
        if (module.entries[i].type == type && module.entries[i].id == id) return &module.entries[i];
    }
    return nullptr;
}

}  // namespace

namespace zelm::platform {

HMODULE RegisterModuleResources(const char* moduleName, bool isExecutable, const ResourceEntry* entries,
                                std::size_t count)
{
    auto& table = Table();
    std::lock_guard guard(table.lock);
    auto* module = new Module{moduleName, isExecutable, entries, count, FilePathOfModule(entries, isExecutable)};
    if (isExecutable)
        table.modules.insert(table.modules.begin(), module);
    else
        table.modules.push_back(module);
    return reinterpret_cast<HMODULE>(module);
}

void UnregisterModuleResources(HMODULE handle)
{
    auto& table = Table();
    std::lock_guard guard(table.lock);
    auto* module = reinterpret_cast<Module*>(handle);
    auto it = std::find(table.modules.begin(), table.modules.end(), module);
    if (it == table.modules.end()) return;
    table.modules.erase(it);
    delete module;
}

std::vector<HMODULE> ResourceModules()
{
    auto& table = Table();
    std::lock_guard guard(table.lock);
    std::vector<HMODULE> result;
    for (auto* module : table.modules) result.push_back(reinterpret_cast<HMODULE>(module));
    return result;
}

const char* ModuleName(HMODULE handle)
{
    auto& table = Table();
    std::lock_guard guard(table.lock);
    Module* module = FindModule(handle);
    return module ? module->name.c_str() : "";
}

std::string ModuleFilePath(HMODULE handle)
{
    auto& table = Table();
    std::lock_guard guard(table.lock);
    Module* module = FindModule(handle);
    return module ? module->filePath : std::string();
}

HMODULE ModuleByFilePath(const char* path)
{
    std::string wanted = CanonicalFilePath(path);
    if (wanted.empty()) return nullptr;
    auto& table = Table();
    std::lock_guard guard(table.lock);
    for (auto* module : table.modules) {
        if (module->filePath == wanted) return reinterpret_cast<HMODULE>(module);
    }
    return nullptr;
}

std::vector<ResourceEntry> ModuleResources(HMODULE handle, WORD type, WORD id)
{
    auto& table = Table();
    std::lock_guard guard(table.lock);
    std::vector<ResourceEntry> found;
    Module* module = FindModule(handle);
    for (std::size_t i = 0; module != nullptr && i < module->count; ++i) {
        if (module->entries[i].type == type && module->entries[i].id == id) found.push_back(module->entries[i]);
    }
    return found;
}

}  // namespace zelm::platform

HMODULE GetModuleHandleA(LPCSTR lpModuleName)
{
    // The system libraries provided here answer with a loader handle, for GetProcAddress.
    if (void* system = zelm::platform::SystemLibraryHandle(lpModuleName, false)) return static_cast<HMODULE>(system);
    auto& table = Table();
    std::lock_guard guard(table.lock);
    for (auto* module : table.modules) {
        if (lpModuleName == nullptr ? module->isExecutable : module->name == lpModuleName)
            return reinterpret_cast<HMODULE>(module);
    }
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
}

HRSRC FindResourceA(HMODULE hModule, LPCSTR lpName, LPCSTR lpType)
{
    auto& table = Table();
    std::lock_guard guard(table.lock);
    Module* module = FindModule(hModule);
    if (module == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    // Only numbered resources exist in our modules.
    if (!IS_INTRESOURCE(lpName) || !IS_INTRESOURCE(lpType)) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return nullptr;
    }
    auto type = static_cast<WORD>(reinterpret_cast<UINT_PTR>(lpType));
    auto id = static_cast<WORD>(reinterpret_cast<UINT_PTR>(lpName));
    const auto* entry = FindEntry(*module, type, id);
    if (entry == nullptr) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return nullptr;
    }
    return reinterpret_cast<HRSRC>(const_cast<zelm::platform::ResourceEntry*>(entry));
}

HGLOBAL LoadResource(HMODULE, HRSRC hResInfo)
{
    if (hResInfo == nullptr) return nullptr;
    auto* entry = reinterpret_cast<const zelm::platform::ResourceEntry*>(hResInfo);
    return reinterpret_cast<HGLOBAL>(const_cast<BYTE*>(entry->data));
}

LPVOID LockResource(HGLOBAL hResData)
{
    return hResData;
}

DWORD SizeofResource(HMODULE, HRSRC hResInfo)
{
    if (hResInfo == nullptr) return 0;
    return reinterpret_cast<const zelm::platform::ResourceEntry*>(hResInfo)->size;
}

int LoadStringA(HINSTANCE hInstance, UINT uID, LPSTR lpBuffer, int cchBufferMax)
{
    HRSRC found = FindResourceA(hInstance, MAKEINTRESOURCEA(uID), RT_STRING);
    if (found == nullptr || lpBuffer == nullptr || cchBufferMax <= 0) {
        if (lpBuffer != nullptr && cchBufferMax > 0) lpBuffer[0] = '\0';
        return 0;
    }
    const auto* entry = reinterpret_cast<const zelm::platform::ResourceEntry*>(found);
    std::size_t length = zelm::platform::Utf8PrefixLength(reinterpret_cast<const char*>(entry->data), entry->size,
                                                          static_cast<std::size_t>(cchBufferMax - 1));
    std::memcpy(lpBuffer, entry->data, length);
    lpBuffer[length] = '\0';
    return static_cast<int>(length);
}

#pragma once
// The registered resource modules, for the resource chain's search.

#include <string>
#include <vector>

#include <zelmtools/platform/kernel/resources.h>

namespace zelm::platform {

// The modules that have resources, the executable first.
// Exported for the framework's resource chain; not part of the installed interface.
ZELM_API std::vector<HMODULE> ResourceModules();
ZELM_API const char* ModuleName(HMODULE module);

// The full path of the module's file; empty when the handle is unknown or its table
// lies outside any loaded file.
std::string ModuleFilePath(HMODULE module);
// The registered module whose file is `path` (compared after resolving links), or null.
HMODULE ModuleByFilePath(const char* path);
// Copies of the module's entries of that type and number, in every language.
std::vector<ResourceEntry> ModuleResources(HMODULE module, WORD type, WORD id);

}  // namespace zelm::platform

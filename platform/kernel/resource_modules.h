#pragma once
// The registered resource modules, for the resource chain's search.

#include <vector>

#include <zelmtools/platform/kernel/resources.h>

namespace zelm::platform {

// The modules that have resources, the executable first.
// Exported for the framework's resource chain; not part of the installed interface.
ZELM_API std::vector<HMODULE> ResourceModules();
ZELM_API const char* ModuleName(HMODULE module);

}  // namespace zelm::platform

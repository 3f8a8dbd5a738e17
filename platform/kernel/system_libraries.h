#pragma once
// The system's own libraries ("USER32", "shell32.dll", ...) are, here, the platform
// library itself: code that looks a system call up by library and name at run time
// finds ours.

namespace zelm::platform {

// True for the name of a system library, in any case, with or without ".dll".
bool IsSystemLibraryName(const char* name);

// A loader handle of the module that holds the platform layer (the shared platform
// library, or the program the layer is linked into); release it with dlclose.
void* OpenPlatformModule();

}  // namespace zelm::platform

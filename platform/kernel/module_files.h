#pragma once
// Which file a module was loaded from.

#include <string>

namespace zelm::platform {

// The resolved path of the file that holds `address` (the running executable when
// isExecutable); empty when the address lies in no loaded file.
std::string FilePathOfModule(const void* address, bool isExecutable);

// The path with links, "." and ".." resolved; empty when the file does not exist.
std::string CanonicalFilePath(const char* path);

}  // namespace zelm::platform

#pragma once
// Key paths as the user writes them: a root key's name (or its short form) and the path
// below it, "HKEY_CURRENT_USER\Software\X" or "HKCU\Software\X".

#include <string>

#include <zelmtools/platform/registry/registry.h>

namespace zelmreg {

struct KeyPath {
    HKEY root = nullptr;
    std::string rootName;  // the root's full name
    std::string subKey;    // below the root; empty for the root itself

    std::string Full() const { return subKey.empty() ? rootName : rootName + "\\" + subKey; }
    KeyPath Child(const std::string& name) const
    {
        return KeyPath{root, rootName, subKey.empty() ? name : subKey + "\\" + name};
    }
};

// False when the text does not start with a root key's name.
bool ParseKeyPath(const std::string& text, KeyPath& path);

}  // namespace zelmreg

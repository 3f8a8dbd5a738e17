#include "KeyPath.h"

#include <strings.h>

namespace zelmreg {

namespace {

struct Root {
    const char* name;
    const char* shortName;
    HKEY key;
};

const Root kRoots[] = {
    {"HKEY_CLASSES_ROOT", "HKCR", HKEY_CLASSES_ROOT},     {"HKEY_CURRENT_USER", "HKCU", HKEY_CURRENT_USER},
    {"HKEY_LOCAL_MACHINE", "HKLM", HKEY_LOCAL_MACHINE},   {"HKEY_USERS", "HKU", HKEY_USERS},
    {"HKEY_CURRENT_CONFIG", "HKCC", HKEY_CURRENT_CONFIG},
};

}  // namespace

bool ParseKeyPath(const std::string& text, KeyPath& path)
{
    std::string trimmed = text;
    while (!trimmed.empty() && trimmed.back() == '\\') trimmed.pop_back();
    std::size_t separator = trimmed.find('\\');
    std::string rootText = trimmed.substr(0, separator);
    for (const auto& root : kRoots) {
        if (strcasecmp(rootText.c_str(), root.name) != 0 && strcasecmp(rootText.c_str(), root.shortName) != 0) continue;
        path.root = root.key;
        path.rootName = root.name;
        path.subKey = separator == std::string::npos ? "" : trimmed.substr(separator + 1);
        return true;
    }
    return false;
}

}  // namespace zelmreg

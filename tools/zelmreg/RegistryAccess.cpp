#include "RegistryAccess.h"

#include <algorithm>

#include "ToolError.h"
#include <zelmtools/platform/base/errors.h>

namespace zelmreg {

namespace {

constexpr DWORD kFirstNameBuffer = 256;
constexpr DWORD kFirstDataBuffer = 4096;

}  // namespace

OpenedKey OpenedKey::Open(const KeyPath& path)
{
    HKEY key = nullptr;
    LONG code = RegOpenKeyExA(path.root, path.subKey.c_str(), 0, KEY_ALL_ACCESS, &key);
    if (code != ERROR_SUCCESS) RegistryFailure("cannot open key " + path.Full(), code);
    return OpenedKey(key, path);
}

OpenedKey OpenedKey::Create(const KeyPath& path)
{
    HKEY key = nullptr;
    LONG code = RegCreateKeyExA(path.root, path.subKey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                                nullptr, &key, nullptr);
    if (code != ERROR_SUCCESS) RegistryFailure("cannot create key " + path.Full(), code);
    return OpenedKey(key, path);
}

OpenedKey::~OpenedKey()
{
    if (m_key != nullptr) RegCloseKey(m_key);
}

std::string OpenedKey::ValueLabel(const std::string& name) const
{
    return (name.empty() ? std::string("the default value") : "value \"" + name + "\"") + " of " + m_path.Full();
}

std::vector<Value> OpenedKey::Values() const
{
    std::vector<Value> values;
    std::string name(kFirstNameBuffer, '\0');
    std::string data(kFirstDataBuffer, '\0');
    for (DWORD index = 0;;) {
        auto nameLength = static_cast<DWORD>(name.size());
        auto dataSize = static_cast<DWORD>(data.size());
        DWORD type = 0;
        LONG code = RegEnumValueA(m_key, index, name.data(), &nameLength, nullptr, &type,
                                  reinterpret_cast<BYTE*>(data.data()), &dataSize);
        if (code == ERROR_NO_MORE_ITEMS) return values;
        if (code == ERROR_MORE_DATA) {  // grow what was too small and ask again
            name.resize(std::max<std::size_t>(name.size() * 2, nameLength + 1));
            data.resize(std::max<std::size_t>(data.size(), dataSize));
            continue;
        }
        if (code != ERROR_SUCCESS) RegistryFailure("cannot list the values of " + m_path.Full(), code);
        values.push_back(Value{name.substr(0, nameLength), type, data.substr(0, dataSize)});
        ++index;
    }
}

std::vector<std::string> OpenedKey::SubKeyNames() const
{
    std::vector<std::string> names;
    std::string name(kFirstNameBuffer, '\0');
    for (DWORD index = 0;;) {
        auto length = static_cast<DWORD>(name.size());
        LONG code = RegEnumKeyExA(m_key, index, name.data(), &length, nullptr, nullptr, nullptr, nullptr);
        if (code == ERROR_NO_MORE_ITEMS) return names;
        if (code == ERROR_MORE_DATA) {
            name.resize(std::max<std::size_t>(name.size() * 2, length + 1));
            continue;
        }
        if (code != ERROR_SUCCESS) RegistryFailure("cannot list the sub-keys of " + m_path.Full(), code);
        names.push_back(name.substr(0, length));
        ++index;
    }
}

Value OpenedKey::Read(const std::string& name) const
{
    Value value{name, REG_NONE, {}};
    for (;;) {
        auto size = static_cast<DWORD>(value.data.size());
        LONG code = RegQueryValueExA(m_key, name.c_str(), nullptr, &value.type,
                                     reinterpret_cast<BYTE*>(value.data.data()), &size);
        if (code == ERROR_SUCCESS) {
            value.data.resize(size);
            return value;
        }
        if (code != ERROR_MORE_DATA) RegistryFailure("cannot read " + ValueLabel(name), code);
        value.data.resize(size);  // the value grew since we asked for its size
    }
}

void OpenedKey::Write(const Value& value) const
{
    LONG code = RegSetValueExA(m_key, value.name.c_str(), 0, value.type,
                               reinterpret_cast<const BYTE*>(value.data.data()), static_cast<DWORD>(value.data.size()));
    if (code != ERROR_SUCCESS) RegistryFailure("cannot write " + ValueLabel(value.name), code);
}

bool OpenedKey::DeleteValue(const std::string& name) const
{
    LONG code = RegDeleteValueA(m_key, name.c_str());
    if (code == ERROR_FILE_NOT_FOUND) return false;
    if (code != ERROR_SUCCESS) RegistryFailure("cannot delete " + ValueLabel(name), code);
    return true;
}

bool DeleteTree(const KeyPath& path)
{
    if (path.subKey.empty()) Failure("a root key cannot be deleted: " + path.Full());
    HKEY probe = nullptr;
    LONG code = RegOpenKeyExA(path.root, path.subKey.c_str(), 0, KEY_READ, &probe);
    if (code == ERROR_FILE_NOT_FOUND) return false;
    if (code != ERROR_SUCCESS) RegistryFailure("cannot open key " + path.Full(), code);
    RegCloseKey(probe);
    for (const auto& name : OpenedKey::Open(path).SubKeyNames()) DeleteTree(path.Child(name));
    code = RegDeleteKeyA(path.root, path.subKey.c_str());
    if (code != ERROR_SUCCESS) RegistryFailure("cannot delete key " + path.Full(), code);
    return true;
}

}  // namespace zelmreg

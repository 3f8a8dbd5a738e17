#pragma once
// The registry as zelmreg uses it: whole values, lists of values and sub-keys, and
// trees deleted bottom-up. Every failure becomes a ToolError naming the key or value.

#include <string>
#include <vector>

#include "KeyPath.h"

namespace zelmreg {

struct Value {
    std::string name;  // empty for the default value
    DWORD type = REG_NONE;
    std::string data;
};

// A key opened for the program's use, closed when the object goes.
class OpenedKey {
public:
    static OpenedKey Open(const KeyPath& path);
    static OpenedKey Create(const KeyPath& path);
    ~OpenedKey();
    OpenedKey(OpenedKey&& other) noexcept : m_key(other.m_key), m_path(std::move(other.m_path))
    {
        other.m_key = nullptr;
    }
    OpenedKey(const OpenedKey&) = delete;
    OpenedKey& operator=(const OpenedKey&) = delete;

    std::vector<Value> Values() const;
    std::vector<std::string> SubKeyNames() const;
    Value Read(const std::string& name) const;
    void Write(const Value& value) const;
    // False when there was no such value.
    bool DeleteValue(const std::string& name) const;

private:
    OpenedKey(HKEY key, const KeyPath& path) : m_key(key), m_path(path) {}
    std::string ValueLabel(const std::string& name) const;

    HKEY m_key;
    KeyPath m_path;
};

// Deletes the key with all its sub-keys; false when it did not exist. Root keys are refused.
bool DeleteTree(const KeyPath& path);

}  // namespace zelmreg

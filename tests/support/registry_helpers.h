#pragma once
// Short forms of the registry calls for the tests: open a key, write and read a value.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <zelmtools/platform/base/errors.h>
#include <zelmtools/platform/registry/registry.h>

inline HKEY CreateTestKey(const char* path, HKEY root = HKEY_CURRENT_USER, DWORD* disposition = nullptr)
{
    HKEY key = nullptr;
    EXPECT_EQ(RegCreateKeyExA(root, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, disposition), ERROR_SUCCESS)
        << path;
    return key;
}

inline LONG SetBytes(HKEY key, const char* name, DWORD type, const std::string& bytes)
{
    return RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                          static_cast<DWORD>(bytes.size()));
}

// The value's bytes, or "<error N>" when it cannot be read.
inline std::string QueryBytes(HKEY key, const char* name, DWORD* type = nullptr)
{
    DWORD size = 0;
    LONG code = RegQueryValueExA(key, name, nullptr, type, nullptr, &size);
    if (code != ERROR_SUCCESS) return "<error " + std::to_string(code) + ">";
    std::string bytes(size, '\0');
    code = RegQueryValueExA(key, name, nullptr, type, reinterpret_cast<BYTE*>(bytes.data()), &size);
    if (code != ERROR_SUCCESS) return "<error " + std::to_string(code) + ">";
    bytes.resize(size);
    return bytes;
}

inline std::vector<std::string> SubKeyNames(HKEY key)
{
    std::vector<std::string> names;
    char name[256];
    for (DWORD index = 0;; ++index) {
        DWORD length = sizeof name;
        if (RegEnumKeyExA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        names.emplace_back(name, length);
    }
    return names;
}

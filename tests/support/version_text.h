#pragma once
// Reads one text of a module file's version information, "<none>" when it has none.

#include <string>
#include <vector>

#include <zelmtools/platform/kernel/version.h>

inline std::string VersionText(const std::string& file, const std::string& query)
{
    DWORD size = GetFileVersionInfoSizeA(file.c_str(), nullptr);
    std::vector<BYTE> block(size);
    LPVOID value = nullptr;
    UINT length = 0;
    if (size == 0 || !GetFileVersionInfoA(file.c_str(), 0, size, block.data()) ||
        !VerQueryValueA(block.data(), query.c_str(), &value, &length))
        return "<none>";
    return std::string(static_cast<const char*>(value), length);
}

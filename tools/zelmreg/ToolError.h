#pragma once
// The one way zelmreg fails: a message for the user and the exit code that goes with it.

#include <string>

#include <zelmtools/platform/base/win_types.h>

namespace zelmreg {

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

struct ToolError {
    int exitCode;
    std::string message;
};

[[noreturn]] inline void UsageError(const std::string& message)
{
    throw ToolError{kExitUsage, message};
}
[[noreturn]] inline void Failure(const std::string& message)
{
    throw ToolError{kExitFailure, message};
}

// A registry call's failure in words: what the code means, and for a store that cannot
// be used, what is wrong with it.
std::string DescribeRegistryError(LONG code);
[[noreturn]] void RegistryFailure(const std::string& what, LONG code);

}  // namespace zelmreg

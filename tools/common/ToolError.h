#pragma once
// The one way the command-line tools fail: a message for the user and the exit code
// that goes with it. main() catches it, prints "<tool>: <message>" and exits with it.

#include <string>

namespace zelmtool {

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

}  // namespace zelmtool

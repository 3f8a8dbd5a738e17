#pragma once
// The one way zelmmixer fails: a message for the user and the exit code that goes with it.

#include <string>

namespace zelmmixer {

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

}  // namespace zelmmixer

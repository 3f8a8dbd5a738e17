#pragma once
// The one way zelmdisplay fails: a message for the user and the exit code that goes with it.

#include <string>

namespace zelmdisplay {

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;
constexpr int kExitChanged = 3;  // check: the layout differs from the snapshot

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

}  // namespace zelmdisplay

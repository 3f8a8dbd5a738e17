#pragma once
// System error codes from POSIX errno values, and their descriptions in words.

#include <string>

#include <zelmtools/platform/base/errors.h>

namespace zelm::platform {

// Maps a POSIX errno value to the nearest system error code.
DWORD ErrorFromErrno(int err);

// A short description of a system error code in words ("input/output error"), as a
// user reads it after the name of what failed; "system error N" for a code without one.
// Exported for the framework's file errors and the program's messages.
ZELM_API std::string ErrorText(DWORD code);

}  // namespace zelm::platform

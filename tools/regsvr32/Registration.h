#pragma once
// Registering a component library: load it and call its self-registration entry.

#include <string>

namespace regsvr32 {

// The program's exit codes, one per step that can fail.
enum ExitCode : int {
    kSucceeded = 0,
    kUsageError = 1,
    kRuntimeFailed = 2,
    kLoadFailed = 3,
    kEntryMissing = 4,
    kEntryFailed = 5,
};

struct Outcome {
    ExitCode code;
    std::string message;  // what the user is told
};

// Loads the library and calls DllRegisterServer, or DllUnregisterServer when
// unregister is set, with the component runtime initialised around the call.
Outcome RunRegistration(const std::string& library, bool unregister);

}  // namespace regsvr32

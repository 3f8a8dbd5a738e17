#pragma once
// The system libraries whose calls this platform library provides itself ("USER32",
// "shell32.dll", ...; any case, with or without ".dll"): a program that loads one of
// them to find a call by name gets this library.

namespace zelm::platform {

// A loader handle of this library when `name` is one of those libraries (a new
// reference when addReference, to be given back with FreeLibrary); else null.
void* SystemLibraryHandle(const char* name, bool addReference);

}  // namespace zelm::platform

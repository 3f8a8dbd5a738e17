#pragma once
// Matching the list of programs against the running processes.

#include <zelmtools/process/ProcessLookup.h>

namespace zelm::tools {

// Appends to found, in the order first seen, each entry whose pattern occurs in the
// upper-case executable name of a running process; an entry whose pattern is already in
// found is not added again. A snapshot that cannot be taken finds nothing.
void MatchRunningProcesses(CProcessArray& list, CProcessArray& found);

}  // namespace zelm::tools

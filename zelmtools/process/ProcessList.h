#pragma once
// Reading the list of programs to look for.

#include <string_view>

#include <zelmtools/process/ProcessLookup.h>

namespace zelm::tools {

// Appends the entries of the list text to list: line pairs, lines ending in "\n" or
// "\r\n", until the text ends, a line lacks its partner, or a line of a pair is empty.
void ParseProcessList(std::string_view text, CProcessArray& list);

// Reads the list file into list; false when it cannot be opened for reading. A read
// error after opening ends the list where it happened.
bool ReadProcessList(const CString& fileName, CProcessArray& list);

}  // namespace zelm::tools

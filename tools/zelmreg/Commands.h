#pragma once
// The commands of zelmreg: query, set, delete, export and import.

#include <ostream>
#include <string>
#include <vector>

namespace zelmreg {

// Runs the command line (without the program's name); failures are thrown as ToolError.
int Run(const std::vector<std::string>& args, std::ostream& out);

}  // namespace zelmreg

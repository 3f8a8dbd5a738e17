#pragma once
// The commands of zelmmixer: list, get, set and record-source.

#include <ostream>
#include <string>
#include <vector>

namespace zelmmixer {

// Runs the command line (without the program's name); failures are thrown as ToolError.
int Run(const std::vector<std::string>& args, std::ostream& out);

}  // namespace zelmmixer

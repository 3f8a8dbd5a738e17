#pragma once
// The commands of zelmdisplay: list, save, load, snapshot and check.

#include <ostream>
#include <string>
#include <vector>

namespace zelmdisplay {

// Runs the command line (without the program's name); failures are thrown as ToolError.
int Run(const std::vector<std::string>& args, std::ostream& out);

}  // namespace zelmdisplay

// zelmreg: the registry store from the command line.

#include <iostream>

#include "Commands.h"
#include "ToolError.h"

int main(int argc, char** argv)
{
    try {
        return zelmreg::Run(std::vector<std::string>(argv + 1, argv + argc), std::cout);
    } catch (const zelmreg::ToolError& error) {
        std::cout.flush();
        std::cerr << "zelmreg: " << error.message << "\n";
        if (error.exitCode == zelmreg::kExitUsage) std::cerr << "Try 'zelmreg --help'.\n";
        return error.exitCode;
    }
}

// zelmmixer: the audio mixer from the command line.

#include <iostream>

#include "Commands.h"
#include "ToolError.h"

int main(int argc, char** argv)
{
    try {
        return zelmmixer::Run(std::vector<std::string>(argv + 1, argv + argc), std::cout);
    } catch (const zelmmixer::ToolError& error) {
        std::cout.flush();
        std::cerr << "zelmmixer: " << error.message << "\n";
        if (error.exitCode == zelmmixer::kExitUsage) std::cerr << "Try 'zelmmixer --help'.\n";
        return error.exitCode;
    }
}

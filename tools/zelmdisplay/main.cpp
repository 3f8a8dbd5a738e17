// zelmdisplay: the display configuration as zelmTools sees it.

#include <iostream>

#include "Commands.h"
#include "ToolError.h"

int main(int argc, char** argv)
{
    try {
        return zelmdisplay::Run(std::vector<std::string>(argv + 1, argv + argc), std::cout);
    } catch (const zelmdisplay::ToolError& error) {
        std::cout.flush();
        std::cerr << "zelmdisplay: " << error.message << "\n";
        if (error.exitCode == zelmdisplay::kExitUsage) std::cerr << "Try 'zelmdisplay --help'.\n";
        return error.exitCode;
    }
}

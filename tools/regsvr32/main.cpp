// regsvr32 [/u] [/s] LIBRARY: registers (or unregisters) a component library by
// calling its DllRegisterServer (or DllUnregisterServer).

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

#include "framework/ui/MessageBox.h"
#include "tools/regsvr32/Registration.h"

namespace {

constexpr const char* kUsage =
    "usage: regsvr32 [/u] [/s] LIBRARY\n"
    "Registers a component library by calling its DllRegisterServer.\n"
    "  /u          unregister: call DllUnregisterServer instead\n"
    "  /s          silent: show no message; the exit code tells the result\n"
    "  -h, --help  this help\n"
    "Exit codes: 0 done, 1 usage error, 2 the component runtime failed,\n"
    "3 the library does not load, 4 the entry point is missing, 5 the entry point failed.\n";

struct Options {
    bool unregister = false;
    bool silent = false;
    bool help = false;
    std::string library;
};

bool IsOption(std::string_view arg, char letter)
{
    return arg.size() == 2 && (arg[0] == '/' || arg[0] == '-') && (arg[1] == letter || arg[1] == letter - 'a' + 'A');
}

// False on a usage error.
bool ParseArguments(int argc, char** argv, Options& options)
{
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        std::string_view arg = argv[i];
        if (!optionsEnded && arg == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && (arg == "--help" || arg == "-h" || arg == "/?" || arg == "-?")) {
            options.help = true;
        } else if (!optionsEnded && IsOption(arg, 'u')) {
            options.unregister = true;
        } else if (!optionsEnded && IsOption(arg, 's')) {
            options.silent = true;
        } else if (!optionsEnded && arg.size() > 1 && arg[0] == '-') {
            return false;
        } else if (options.library.empty()) {
            options.library = arg;
        } else {
            return false;
        }
    }
    return options.help || !options.library.empty();
}

// Message boxes appear as windows when a display is there, else on stderr.
std::unique_ptr<QApplication> StartGuiIfPossible(int& argc, char** argv)
{
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    if ((x11 == nullptr || *x11 == '\0') && (wayland == nullptr || *wayland == '\0')) return nullptr;
    return std::make_unique<QApplication>(argc, argv);
}

}  // namespace

int main(int argc, char** argv)
{
    Options options;
    if (!ParseArguments(argc, argv, options)) {
        std::fputs(kUsage, stderr);
        return regsvr32::kUsageError;
    }
    if (options.help) {
        std::fputs(kUsage, stdout);
        return regsvr32::kSucceeded;
    }
    regsvr32::Outcome outcome = regsvr32::RunRegistration(options.library, options.unregister);
    if (!options.silent) {
        auto gui = StartGuiIfPossible(argc, argv);
        AfxMessageBox(outcome.message.c_str(),
                      outcome.code == regsvr32::kSucceeded ? MB_ICONINFORMATION : MB_ICONERROR);
    }
    return outcome.code;
}
